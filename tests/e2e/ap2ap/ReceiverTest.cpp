#include "Ap2ApHarness.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QString kAck = QStringLiteral("PKT-ACK ");

// The announcement and data reports of a whole file of n packets, then the writing ones.
QStringList ReportsOfWholeFile(const QString& announced, const QString& stored, int n) {
    QStringList lines{u"8 "_qs + announced + u" 640x480 1.2KB"_qs};
    for (int i = 1; i <= n; ++i)
        lines.append(QStringLiteral("9 %1 %2/%3").arg(announced).arg(i).arg(n));
    lines.append(QStringLiteral("13 %1 %2/%2").arg(stored).arg(n));
    lines.append(QStringLiteral("15 %1 %2/%2").arg(stored).arg(n));
    return lines;
}

} // namespace

class ReceiverSizeTest : public ::testing::TestWithParam<int> {};

TEST_P(ReceiverSizeTest, EveryPacketIsAcknowledgedAndTheFileIsWrittenWhole) {
    const int size = GetParam();
    Ap2ApHarness h;
    const QByteArray bytes = Ap2ApHarness::Pattern(size);
    const QStringList packets = Ap2ApHarness::SenderPackets(u"x.jpg"_qs, bytes);
    h.SendFromAlice(packets);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == packets.size() + 2; }));
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetIncomingCount() == 0; }));

    EXPECT_EQ(h.target.lines,
              ReportsOfWholeFile(u"x.jpg"_qs, u"x.jpg"_qs, int(packets.size()) - 1));
    for (const TransferReport& report : h.target.reports) {
        EXPECT_EQ(report.peer, u"alice"_qs);
        EXPECT_EQ(report.transferId, h.target.reports.front().transferId);
    }
    EXPECT_EQ(h.SentStartingWith(u"ALTER APPLICATION me WRITE alice:1 PKT-ACK x.jpg"_qs).size(),
              packets.size());
    EXPECT_EQ(h.SentStartingWith(u"ALTER APPLICATION me READ alice:1"_qs).size(), packets.size());
    EXPECT_EQ(h.FolderEntries(), QStringList{u"x.jpg"_qs}) << "no temporary file is left";
    EXPECT_EQ(h.FileBytes(u"x.jpg"_qs), bytes);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReceiverSizeTest,
                         ::testing::Values(0, 1, OstSkypeAp2Ap::kChunkBytes,
                                           OstSkypeAp2Ap::kChunkBytes + 1, 25000));

TEST(ReceiverTest, ANameAlreadyInTheFolderGetsTheFirstFreeCounter) {
    Ap2ApHarness h;
    QDir().mkpath(h.folder);
    for (const QString& name : {u"x.jpg"_qs, u"x(1).jpg"_qs, u"README"_qs}) {
        QFile file(h.folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    h.SendFromAlice(Ap2ApHarness::SenderPackets(u"x.jpg"_qs, "new"));
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 4; }));
    EXPECT_EQ(h.target.lines, ReportsOfWholeFile(u"x.jpg"_qs, u"x(2).jpg"_qs, 1));
    EXPECT_EQ(h.FileBytes(u"x(2).jpg"_qs), "new");
    EXPECT_EQ(h.FileBytes(u"x.jpg"_qs), "old");

    h.target.lines.clear();
    h.SendFromAlice(Ap2ApHarness::SenderPackets(u"README"_qs, "text"));
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 4; }));
    EXPECT_EQ(h.target.lines.last(), u"15 README(1) 1/1"_qs);
    EXPECT_EQ(h.FileBytes(u"README(1)"_qs), "text");
}

TEST(ReceiverTest, AnnouncementsThatCouldEscapeTheFolderOrExhaustMemoryAreRefused) {
    Ap2ApConfig config = Ap2ApHarness::FastConfig();
    config.maxFileBytes = 5 * OstSkypeAp2Ap::kChunkBytes;
    Ap2ApHarness h(config);
    const QStringList announcements = {
        u"PKT-BEGIN ../evil.jpg 1 r&s"_qs,
        u"PKT-BEGIN .. 1 r&s"_qs,
        u"PKT-BEGIN .bashrc 1 r&s"_qs,
        u"PKT-BEGIN sub/evil.jpg 1 r&s"_qs,
        u"PKT-BEGIN c:\\evil.jpg 1 r&s"_qs,
        QStringLiteral("PKT-BEGIN a%1b.jpg 1 r&s").arg(QChar(0x1b)),
        u"PKT-BEGIN big.jpg 6 r&s"_qs,
        u"PKT-BEGIN neg.jpg -1 r&s"_qs,
    };
    for (int i = 0; i < announcements.size(); ++i) {
        const QString stream = QStringLiteral("alice:%1").arg(i + 1);
        h.Offer(u"me"_qs, stream, announcements[i]);
        const QString name = announcements[i].section(u' ', 1, 1);
        const QString refusal =
            QStringLiteral("ALTER APPLICATION me WRITE %1 PKT-ACK %2 Cancel").arg(stream, name);
        ASSERT_TRUE(h.WaitUntil([&] { return h.transport->Sent().contains(refusal); }))
            << announcements[i].toStdString();
        ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == i + 1; }));
        EXPECT_TRUE(h.target.lines.last().startsWith(u"12 "_qs + name + u' '));
    }
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetIncomingCount() == 0; }));
    const QStringList acks = h.transport->Sent().filter(u" PKT-ACK "_qs);
    EXPECT_EQ(acks.size(), announcements.size());
    EXPECT_EQ(acks.filter(u" Cancel"_qs).size(), announcements.size()) << "nothing was accepted";
    EXPECT_EQ(QDir(h.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{})
        << "nothing was written anywhere";

    EXPECT_TRUE(OstSkypeAp2Ap::IsSafeFileName(u"photo 2024.jpg"_qs));
    EXPECT_TRUE(OstSkypeAp2Ap::IsSafeFileName(u"照片.jpg"_qs));
    EXPECT_FALSE(OstSkypeAp2Ap::IsSafeFileName(QString()));
    EXPECT_FALSE(OstSkypeAp2Ap::IsSafeFileName(u"a..b.jpg"_qs));
    EXPECT_FALSE(OstSkypeAp2Ap::IsSafeFileName(QStringLiteral("gpj%1.exe").arg(QChar(0x202e))));
    EXPECT_FALSE(OstSkypeAp2Ap::IsSafeFileName(QString(250, u'a')));
}

TEST(ReceiverTest, CorruptOrMissingDataFailsTheFileAndTellsTheSender) {
    const QStringList corrupt = {u"!!!!"_qs, u"QUJDR"_qs, u"QUI=QQ=="_qs,
                                 QStringLiteral("QUJ%1").arg(QChar(0x00e9))};
    for (const QString& data : corrupt) {
        Ap2ApHarness h;
        h.SendFromAlice(
            {u"PKT-BEGIN x.jpg 2 r&s"_qs, u"PKT-1 x.jpg QUJD"_qs, u"PKT-2 x.jpg "_qs + data});
        ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 3; })) << data.toStdString();
        ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetIncomingCount() == 0; }));
        EXPECT_EQ(h.target.lines,
                  (QStringList{u"8 x.jpg r s"_qs, u"9 x.jpg 1/2"_qs, u"12 x.jpg 1/2"_qs}))
            << data.toStdString();
        EXPECT_EQ(h.Writes().last(), u"PKT-ACK x.jpg Cancel"_qs);
        EXPECT_TRUE(h.FolderEntries().isEmpty());
    }
    // A data packet skipping one, or without data, cannot make a whole file either.
    for (const QString& packet : {u"PKT-2 x.jpg QUJD"_qs, u"PKT-1 x.jpg"_qs}) {
        Ap2ApHarness h;
        h.SendFromAlice({u"PKT-BEGIN x.jpg 2 r&s"_qs, packet});
        ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 2; }));
        ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetIncomingCount() == 0; }));
        EXPECT_EQ(h.target.lines, (QStringList{u"8 x.jpg r s"_qs, u"12 x.jpg 0/2"_qs}));
        EXPECT_TRUE(h.FolderEntries().isEmpty());
    }
}

TEST(ReceiverTest, PacketsThatArriveTwiceAreTakenOnce) {
    Ap2ApHarness h;
    const QByteArray bytes = Ap2ApHarness::Pattern(15000);
    const QStringList packets = Ap2ApHarness::SenderPackets(u"x.jpg"_qs, bytes);
    h.Offer(u"me"_qs, u"alice:1"_qs, packets[0]);
    h.Offer(u"me"_qs, u"alice:1"_qs, packets[0]);
    ASSERT_TRUE(h.WaitUntil([&] { return h.Writes().size() == 1; }));
    h.Offer(u"me"_qs, u"alice:1"_qs, packets[1]);
    h.Offer(u"me"_qs, u"alice:1"_qs, packets[1]);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 2; }));
    h.Offer(u"me"_qs, u"alice:1"_qs, packets[2]);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 5; }));
    EXPECT_EQ(h.target.lines, ReportsOfWholeFile(u"x.jpg"_qs, u"x.jpg"_qs, 2));
    EXPECT_EQ(h.Writes().size(), 3) << "one acknowledgement per packet";
    EXPECT_EQ(h.FileBytes(u"x.jpg"_qs), bytes);
}

TEST(ReceiverTest, EitherSideCanCancelAndSilenceEndsTheFile) {
    Ap2ApConfig config = Ap2ApHarness::FastConfig();
    config.packetTimeoutMs = 200;
    Ap2ApHarness h(config);
    const QStringList packets =
        Ap2ApHarness::SenderPackets(u"x.jpg"_qs, Ap2ApHarness::Pattern(30000));

    h.Offer(u"me"_qs, u"alice:1"_qs, packets[0]);
    h.Offer(u"me"_qs, u"alice:1"_qs, u"PKT-Cancel x.jpg"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 2; }));
    EXPECT_EQ(h.target.lines, (QStringList{u"8 x.jpg 640x480 1.2KB"_qs, u"17 x.jpg 0/3"_qs}));

    h.target.lines.clear();
    h.Offer(u"me"_qs, u"alice:2"_qs, packets[0]);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 1; }));
    ASSERT_TRUE(h.ap2ap->CancelTransfer(h.target.reports.back().transferId));
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 2; }));
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetIncomingCount() == 0; }));
    EXPECT_EQ(h.target.lines.last(), u"16 x.jpg 0/3"_qs);
    EXPECT_EQ(h.transport->Sent().last(),
              u"ALTER APPLICATION me WRITE alice:2 PKT-ACK x.jpg Cancel"_qs);

    // A sender that gives up may announce the same name again at once: a new file.
    h.target.lines.clear();
    h.Offer(u"me"_qs, u"alice:1"_qs, packets[0]);
    h.Offer(u"me"_qs, u"alice:1"_qs, u"PKT-Cancel x.jpg"_qs);
    h.SendFromAlice(packets);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.contains(u"15 x.jpg 3/3"_qs); }));
    EXPECT_EQ(h.target.lines.filter(u"17 x.jpg"_qs).size(), 1);

    h.target.lines.clear();
    QFile::remove(h.folder + u"x.jpg"_qs);
    h.Offer(u"me"_qs, u"alice:3"_qs, packets[0]);
    h.Offer(u"me"_qs, u"alice:3"_qs, packets[1]);
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 3; }));
    EXPECT_EQ(h.target.lines.last(), u"10 x.jpg 1/3"_qs);
    EXPECT_TRUE(h.FolderEntries().isEmpty());
}

TEST(ReceiverTest, AFileThatCannotBeCreatedOrWrittenLeavesNothingBehind) {
    {
        Ap2ApHarness h;
        QFile blocker(h.dir.path() + u"/Receive"_qs); // a file where the folder should be
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        h.SendFromAlice(Ap2ApHarness::SenderPackets(u"x.jpg"_qs, "abc"));
        ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 3; }));
        EXPECT_EQ(h.target.lines.last(), u"12 x.jpg 0/1"_qs);
    }
    {
        Ap2ApHarness h;
        // Writes past 20000 bytes fail with EFBIG instead of killing the process.
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 20000;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        h.SendFromAlice(Ap2ApHarness::SenderPackets(u"x.jpg"_qs, Ap2ApHarness::Pattern(30000)));
        const bool ended = h.WaitUntil([&] { return h.target.lines.size() == 6; });
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        ASSERT_TRUE(ended);
        EXPECT_EQ(h.target.lines.mid(4), (QStringList{u"13 x.jpg 3/3"_qs, u"12 x.jpg 2/3"_qs}));
        EXPECT_TRUE(h.FolderEntries().isEmpty());
    }
}

TEST(ReceiverTest, OnlyTheListeningApplicationTakesPhotosAndOnlySoManyAtOnce) {
    Ap2ApConfig config = Ap2ApHarness::FastConfig();
    config.maxIncomingFiles = 2;
    config.packetTimeoutMs = 60000;
    Ap2ApHarness h(config);
    h.remote = [](const QString&, const QString&) -> QStringList { return {}; };
    for (const QString& stream : {u"alice:1"_qs, u"alice:2"_qs, u"alice:3"_qs})
        h.Offer(u"me"_qs, stream, u"PKT-BEGIN x.jpg 2 r&s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] {
        return h.transport->Sent().contains(
            u"ALTER APPLICATION me WRITE alice:3 PKT-ACK x.jpg Cancel"_qs);
    }));
    ASSERT_TRUE(h.WaitUntil([&] { return h.target.lines.size() == 2; }));
    EXPECT_EQ(h.ap2ap->GetIncomingCount(), 2u);

    // The application a sender made for a contact carries acknowledgements, never photos, and
    // an acknowledgement counts only on its own application's stream.
    const QString path = h.WriteSource(u"a.jpg"_qs, "a");
    const std::uint32_t id = h.ap2ap->SendFile(path, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.Writes().contains(u"PKT-BEGIN a.jpg 1 r&s"_qs); }));
    h.Offer(u"bob"_qs, u"bob:1"_qs, u"PKT-BEGIN y.jpg 1 r&s"_qs);
    h.Offer(u"me"_qs, u"bob:1"_qs, u"PKT-ACK a.jpg"_qs);
    ASSERT_TRUE(h.WaitUntil(
        [&] { return h.SentStartingWith(u"ALTER APPLICATION me READ bob:1"_qs).size() == 1; }));
    h.Pump(100);
    EXPECT_TRUE(h.target.LinesOf(id).isEmpty());
    EXPECT_EQ(h.target.lines.size(), 2) << "no announcement on the sender's application";
    h.Offer(u"bob"_qs, u"bob:1"_qs, u"PKT-ACK a.jpg"_qs);
    EXPECT_TRUE(
        h.WaitUntil([&] { return h.target.LinesOf(id) == QStringList{u"6 a.jpg 0/1"_qs}; }));
}
