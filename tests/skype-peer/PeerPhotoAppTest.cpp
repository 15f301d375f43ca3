// The scripted photo-application user: receiving files as another copy of the program would,
// refusing what it must, and offering files itself.
#include "PeerFixture.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QByteArray SomeBytes(int size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

QString ReadNext(FakeProgram& program, const QString& app, const QString& stream) {
    const QString prefix = QStringLiteral("ALTER APPLICATION %1 READ %2 ").arg(app, stream);
    QString note;
    while (program.WaitForNote(QStringLiteral("APPLICATION %1 RECEIVED ").arg(app), 5000, &note)) {
        if (!note.contains(stream + '='))
            continue;
        const QString reply =
            program.Invoke(QStringLiteral("ALTER APPLICATION %1 READ %2").arg(app, stream));
        if (reply.startsWith(prefix))
            return reply.mid(prefix.size());
    }
    return QStringLiteral("<nothing>");
}

} // namespace

class PeerPhotoApp : public PeerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartPeer(StandardScenario(), {"me"})) << peer_.LastError().toStdString();
        program_ = std::make_unique<FakeProgram>(Address("me"));
        ASSERT_TRUE(program_->Attach("me"));
    }

    // Connects to bob the way the program's sending thread does; returns the stream.
    QString ConnectToBob() {
        EXPECT_EQ(program_->Invoke("CREATE APPLICATION bob"), "CREATE APPLICATION bob");
        program_->Invoke("ALTER APPLICATION bob CONNECT bob");
        QString note;
        if (!program_->WaitForNote("APPLICATION bob STREAMS ", 5000, &note))
            return {};
        return note.section(' ', 3, 3);
    }

    QString Send(const QString& stream, const QString& packet) {
        program_->Invoke("ALTER APPLICATION bob WRITE " + stream + " " + packet);
        return ReadNext(*program_, "bob", stream);
    }

    std::unique_ptr<FakeProgram> program_;
};

TEST_F(PeerPhotoApp, ReceivesAFileByteIdenticalAndRenamesTheSecond) {
    const QString stream = ConnectToBob();
    ASSERT_EQ(stream, "bob:1");
    const QByteArray bytes = SomeBytes(15000, 7);
    const QByteArray first = bytes.left(10242);
    const QByteArray second = bytes.mid(10242);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Send(stream, "PKT-BEGIN photo_0001.jpg 2 640x480&14.65KB"),
                  "PKT-ACK photo_0001.jpg");
        EXPECT_EQ(Send(stream, "PKT-1 photo_0001.jpg " + QString::fromLatin1(first.toBase64())),
                  "PKT-ACK photo_0001.jpg");
        EXPECT_EQ(Send(stream, "PKT-2 photo_0001.jpg " + QString::fromLatin1(second.toBase64())),
                  "PKT-ACK photo_0001.jpg");
    }
    ASSERT_TRUE(SkypePeerProcess::WaitUntil(
        [&] {
            const auto all = peer_.Transfers("bob");
            return all.size() == 2 && all[1].state == "complete";
        },
        5000));
    const QList<SkypePeerProcess::Transfer> transfers = peer_.Transfers("bob");
    const QString folder = peer_.ReceiveFolder("bob");
    EXPECT_EQ(transfers[0].direction, "in");
    EXPECT_EQ(transfers[0].peer, "me");
    EXPECT_EQ(transfers[0].done, 2);
    EXPECT_EQ(transfers[0].total, 2);
    EXPECT_EQ(transfers[0].path, folder + "/photo_0001.jpg");
    EXPECT_EQ(transfers[1].name, "photo_0001(1).jpg");
    for (const auto& transfer : transfers) {
        QFile file(transfer.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
    }
}

TEST_F(PeerPhotoApp, RepeatedPacketIsAcknowledgedButStoredOnce) {
    const QString stream = ConnectToBob();
    const QByteArray bytes = SomeBytes(12000, 3);
    EXPECT_EQ(Send(stream, "PKT-BEGIN dup.jpg 2 640x480&11.72KB"), "PKT-ACK dup.jpg");
    ASSERT_TRUE(peer_.DuplicateWrites("me", 1));
    EXPECT_EQ(Send(stream, "PKT-1 dup.jpg " + QString::fromLatin1(bytes.left(10242).toBase64())),
              "PKT-ACK dup.jpg");
    EXPECT_EQ(ReadNext(*program_, "bob", stream), "PKT-ACK dup.jpg");
    EXPECT_EQ(Send(stream, "PKT-2 dup.jpg " + QString::fromLatin1(bytes.mid(10242).toBase64())),
              "PKT-ACK dup.jpg");
    const auto done = peer_.WaitForTransfer("bob", "", {"complete", "failed-order"}, 5000);
    ASSERT_EQ(done.state, "complete");
    QFile file(done.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(PeerPhotoApp, RefusesWhatCannotBeStoredSafely) {
    const QString stream = ConnectToBob();
    EXPECT_EQ(Send(stream, "PKT-BEGIN ../evil.jpg 1 640x480&1KB"), "PKT-ACK ../evil.jpg Cancel");
    EXPECT_EQ(Send(stream, "PKT-BEGIN .hidden 1 640x480&1KB"), "PKT-ACK .hidden Cancel");
    EXPECT_EQ(Send(stream, "PKT-BEGIN a\\b.jpg 1 640x480&1KB"), "PKT-ACK a\\b.jpg Cancel");
    EXPECT_EQ(Send(stream, "PKT-BEGIN huge.jpg 99999999 640x480&1KB"), "PKT-ACK huge.jpg Cancel");
    EXPECT_EQ(Send(stream, "PKT-BEGIN junk.jpg 1 640x480&1KB"), "PKT-ACK junk.jpg");
    EXPECT_EQ(Send(stream, "PKT-1 junk.jpg !!!notbase64!!!"), "PKT-ACK junk.jpg Cancel");

    QStringList states;
    for (const auto& transfer : peer_.Transfers("bob"))
        states.append(transfer.state);
    EXPECT_EQ(states, QStringList({"refused-name", "refused-name", "refused-name", "refused-size",
                                   "failed-data"}));
    const QDir folder(peer_.ReceiveFolder("bob"));
    EXPECT_TRUE(folder.entryList(QDir::Files | QDir::Hidden).isEmpty());
    QDir parent = folder;
    ASSERT_TRUE(parent.cdUp());
    EXPECT_FALSE(parent.exists("evil.jpg"));

    // Refusing on purpose, and a receiver that never answers.
    ASSERT_TRUE(peer_.SetReceiveMode("bob", "refuse"));
    EXPECT_EQ(Send(stream, "PKT-BEGIN ok.jpg 1 640x480&1KB"), "PKT-ACK ok.jpg Cancel");
    ASSERT_TRUE(peer_.SetReceiveMode("bob", "silent"));
    program_->Invoke("ALTER APPLICATION bob WRITE " + stream +
                     " PKT-BEGIN quiet.jpg 1 640x480&1KB");
    EXPECT_EQ(peer_.WaitForTransfer("bob", "", {"ignored"}, 5000).name, "quiet.jpg");
    const qsizetype before = program_->Notes().size();
    ASSERT_TRUE(peer_.SendRaw("me", "MARK"));
    ASSERT_TRUE(program_->WaitForNote("MARK"));
    EXPECT_EQ(program_->Notes().mid(before), QStringList{"MARK"});
    EXPECT_FALSE(peer_.SetReceiveMode("bob", "sometimes"));
    EXPECT_FALSE(peer_.SetReceiveMode("carol", "accept"));
}

TEST_F(PeerPhotoApp, CancelsAfterTheGivenNumberOfPackets) {
    const QString stream = ConnectToBob();
    ASSERT_TRUE(peer_.SetReceiveMode("bob", "cancel", 1));
    const QByteArray bytes = SomeBytes(25000, 5);
    EXPECT_EQ(Send(stream, "PKT-BEGIN c.jpg 3 640x480&24.41KB"), "PKT-ACK c.jpg");
    EXPECT_EQ(Send(stream, "PKT-1 c.jpg " + QString::fromLatin1(bytes.left(10242).toBase64())),
              "PKT-ACK c.jpg");
    EXPECT_EQ(
        Send(stream, "PKT-2 c.jpg " + QString::fromLatin1(bytes.mid(10242, 10242).toBase64())),
        "PKT-ACK c.jpg Cancel");
    EXPECT_EQ(peer_.Transfers("bob").value(0).state, "cancelled-here");
}

TEST_F(PeerPhotoApp, OffersAFileToTheProgram) {
    ASSERT_EQ(program_->Invoke("CREATE APPLICATION me"), "CREATE APPLICATION me");
    QTemporaryDir dir;
    const QByteArray bytes = SomeBytes(20484 + 5, 11);
    QFile file(dir.filePath("local.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QString id = peer_.OfferFile(
        "bob", "me", file.fileName(),
        {{"name", "gift.jpg"}, {"resolution", "1280x960"}, {"pictureSize", "20.01KB"}});
    ASSERT_FALSE(id.isEmpty()) << peer_.LastError().toStdString();
    ASSERT_TRUE(program_->WaitForNote("APPLICATION me STREAMS bob:1"));
    EXPECT_EQ(ReadNext(*program_, "me", "bob:1"), "PKT-BEGIN gift.jpg 3 1280x960&20.01KB");
    QByteArray received;
    for (int i = 1; i <= 3; ++i) {
        program_->Invoke("ALTER APPLICATION me WRITE bob:1 PKT-ACK gift.jpg");
        const QStringList packet = ReadNext(*program_, "me", "bob:1").split(' ');
        ASSERT_EQ(packet.size(), 3);
        EXPECT_EQ(packet[0], QStringLiteral("PKT-%1").arg(i));
        EXPECT_EQ(packet[1], "gift.jpg");
        received += QByteArray::fromBase64(packet[2].toLatin1());
    }
    program_->Invoke("ALTER APPLICATION me WRITE bob:1 PKT-ACK gift.jpg");
    const auto done = peer_.WaitForTransfer("bob", id, {"sent"}, 5000);
    EXPECT_EQ(done.state, "sent");
    EXPECT_EQ(done.done, 3);
    EXPECT_EQ(received, bytes);
    EXPECT_TRUE(program_->WaitForNote("APPLICATION me STREAMS "));
}

TEST_F(PeerPhotoApp, OfferRefusedCancelledOrUnanswered) {
    ASSERT_EQ(program_->Invoke("CREATE APPLICATION me"), "CREATE APPLICATION me");
    QTemporaryDir dir;
    QFile file(dir.filePath("p.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SomeBytes(30000, 13));
    file.close();

    const QString refused = peer_.OfferFile("bob", "me", file.fileName());
    ASSERT_TRUE(program_->WaitForNote("APPLICATION me STREAMS bob:1"));
    EXPECT_TRUE(ReadNext(*program_, "me", "bob:1").startsWith("PKT-BEGIN p.jpg 3 640x480&"));
    program_->Invoke("ALTER APPLICATION me WRITE bob:1 PKT-ACK p.jpg Cancel");
    EXPECT_EQ(peer_.WaitForTransfer("bob", refused, {"refused"}, 5000).state, "refused");

    const QString cancelled = peer_.OfferFile("bob", "me", file.fileName(), {{"cancelAfter", 1}});
    ASSERT_TRUE(program_->WaitForNote("APPLICATION me STREAMS bob:2"));
    EXPECT_TRUE(ReadNext(*program_, "me", "bob:2").startsWith("PKT-BEGIN "));
    program_->Invoke("ALTER APPLICATION me WRITE bob:2 PKT-ACK p.jpg");
    EXPECT_TRUE(ReadNext(*program_, "me", "bob:2").startsWith("PKT-1 p.jpg "));
    program_->Invoke("ALTER APPLICATION me WRITE bob:2 PKT-ACK p.jpg");
    EXPECT_EQ(ReadNext(*program_, "me", "bob:2"), "PKT-Cancel p.jpg");
    EXPECT_EQ(peer_.WaitForTransfer("bob", cancelled, {"cancelled"}, 5000).done, 1);

    // Without the program's listening application there is never a stream.
    ASSERT_EQ(program_->Invoke("DELETE APPLICATION me"), "DELETE APPLICATION me");
    const QString lonely =
        peer_.OfferFile("bob", "me", file.fileName(), {{"connectTimeoutMs", 200}});
    EXPECT_EQ(peer_.WaitForTransfer("bob", lonely, {"no-stream"}, 5000).state, "no-stream");
    EXPECT_TRUE(peer_.OfferFile("bob", "me", dir.filePath("missing.jpg")).isEmpty());
    EXPECT_TRUE(peer_.OfferFile("carol", "me", file.fileName()).isEmpty());
}
