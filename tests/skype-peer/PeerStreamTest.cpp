// Application streams between two program users, each on a bus of its own, and the faults
// the peer plays on them.
#include "PeerFixture.h"

namespace {

const char kTwoUsers[] = R"({"users": [
  {"handle": "ann", "fullName": "Ann Archer", "friends": ["ben"]},
  {"handle": "ben", "fullName": "Ben Baker", "friends": ["ann"]},
  {"handle": "cat", "fullName": "Cat Cooper"}]})";

// Reads the next write that arrives on a stream, the way the program does: a RECEIVED note,
// then READ. Notes that find nothing left to read are passed over.
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

class PeerStreams : public PeerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartPeer(kTwoUsers, {"ann", "ben"})) << peer_.LastError().toStdString();
        ann_ = std::make_unique<FakeProgram>(Address("ann"));
        ben_ = std::make_unique<FakeProgram>(Address("ben"));
        ASSERT_TRUE(ann_->Attach("ann"));
        ASSERT_TRUE(ben_->Attach("ben"));
    }

    void Connect() {
        ASSERT_EQ(ann_->Invoke("CREATE APPLICATION x"), "CREATE APPLICATION x");
        ASSERT_EQ(ben_->Invoke("CREATE APPLICATION x"), "CREATE APPLICATION x");
        ASSERT_EQ(ann_->Invoke("ALTER APPLICATION x CONNECT ben"),
                  "ALTER APPLICATION x CONNECT ben");
        ASSERT_TRUE(ann_->WaitForNote("APPLICATION x CONNECTING ben"));
        ASSERT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS ben:1"));
        ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS ann:1"));
    }

    std::unique_ptr<FakeProgram> ann_;
    std::unique_ptr<FakeProgram> ben_;
};

TEST_F(PeerStreams, ConnectWriteReadDisconnect) {
    // No stream while the other side has no application of that name.
    ASSERT_EQ(ann_->Invoke("CREATE APPLICATION x"), "CREATE APPLICATION x");
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x CONNECT ben"), "ALTER APPLICATION x CONNECT ben");
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x CONNECT cat"), "ALTER APPLICATION x CONNECT cat");
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x CONNECTING cat"));
    EXPECT_EQ(ben_->Invoke("PING"), "PONG");
    EXPECT_EQ(ann_->Invoke("GET APPLICATION x STREAMS"), "APPLICATION x STREAMS ");
    Connect();

    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 hello  world"),
              "ALTER APPLICATION x WRITE ben:1");
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 second"),
              "ALTER APPLICATION x WRITE ben:1");
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x RECEIVED ann:1=12"));
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x RECEIVED ann:1=18"));
    EXPECT_EQ(ben_->Invoke("ALTER APPLICATION x READ ann:1"),
              "ALTER APPLICATION x READ ann:1 hello  world");
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x RECEIVED ann:1=6"));
    EXPECT_EQ(ben_->Invoke("ALTER APPLICATION x READ ann:1"),
              "ALTER APPLICATION x READ ann:1 second");
    EXPECT_EQ(ben_->Invoke("ALTER APPLICATION x READ ann:1"), "ALTER APPLICATION x READ ann:1");

    EXPECT_EQ(ben_->Invoke("ALTER APPLICATION x WRITE ann:1 PKT-ACK p.jpg"),
              "ALTER APPLICATION x WRITE ann:1");
    EXPECT_EQ(ReadNext(*ann_, "x", "ben:1"), "PKT-ACK p.jpg");
    EXPECT_TRUE(ann_->Invoke("ALTER APPLICATION x WRITE nobody:1 data").startsWith("ERROR 549 "));
    EXPECT_TRUE(ann_->Invoke("ALTER APPLICATION x WRITE ben:1").startsWith("ERROR "));
    EXPECT_TRUE(ann_->Invoke("ALTER APPLICATION y WRITE ben:1 data").startsWith("ERROR 545 "));

    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x DISCONNECT ben:1"),
              "ALTER APPLICATION x DISCONNECT ben:1");
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS "));
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS "));
    EXPECT_TRUE(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 late").startsWith("ERROR 549 "));

    // A new connection gets the next number on both sides.
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x CONNECT ben"), "ALTER APPLICATION x CONNECT ben");
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS ben:2"));
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS ann:2"));

    // Deleting the application closes its streams on the other side.
    EXPECT_EQ(ben_->Invoke("DELETE APPLICATION x"), "DELETE APPLICATION x");
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS "));
    EXPECT_TRUE(ben_->Invoke("ALTER APPLICATION x READ ann:2").startsWith("ERROR 545 "));
    EXPECT_TRUE(ben_->Invoke("DELETE APPLICATION x").startsWith("ERROR 542 "));
}

TEST_F(PeerStreams, WhatArrivedBeforeAnOrderlyCloseCanStillBeRead) {
    Connect();
    // A sender that gives up writes its last packet and disconnects at once.
    ann_->Invoke("ALTER APPLICATION x WRITE ben:1 PKT-Cancel p.jpg");
    ann_->Invoke("ALTER APPLICATION x DISCONNECT ben:1");
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS "));
    EXPECT_EQ(ben_->Invoke("ALTER APPLICATION x READ ann:1"),
              "ALTER APPLICATION x READ ann:1 PKT-Cancel p.jpg");
    EXPECT_TRUE(ben_->Invoke("ALTER APPLICATION x READ ann:1").startsWith("ERROR 550 "));
    EXPECT_TRUE(ben_->Invoke("ALTER APPLICATION x WRITE ann:1 reply").startsWith("ERROR 549 "));

    // A cut stream loses what was still in flight.
    ann_->Invoke("ALTER APPLICATION x CONNECT ben");
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS ann:2"));
    ann_->Invoke("ALTER APPLICATION x WRITE ben:2 lost");
    EXPECT_EQ(peer_.CutStreams("ann", "x"), 1);
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS "));
    EXPECT_TRUE(ben_->Invoke("ALTER APPLICATION x READ ann:2").startsWith("ERROR 550 "));
}

TEST_F(PeerStreams, ClientLeavingTakesItsApplicationsAlong) {
    Connect();
    ben_.reset();
    EXPECT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS "));
    EXPECT_TRUE(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 gone").startsWith("ERROR 549 "));
}

TEST_F(PeerStreams, CutDroppedAndDuplicatedWrites) {
    Connect();
    ASSERT_TRUE(peer_.DropWrites("ann", 1));
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 lost"),
              "ALTER APPLICATION x WRITE ben:1");
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 kept"),
              "ALTER APPLICATION x WRITE ben:1");
    EXPECT_EQ(ReadNext(*ben_, "x", "ann:1"), "kept");

    ASSERT_TRUE(peer_.DuplicateWrites("ann", 1));
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 twice"),
              "ALTER APPLICATION x WRITE ben:1");
    EXPECT_EQ(ReadNext(*ben_, "x", "ann:1"), "twice");
    EXPECT_EQ(ReadNext(*ben_, "x", "ann:1"), "twice");
    EXPECT_EQ(ben_->Invoke("ALTER APPLICATION x READ ann:1"), "ALTER APPLICATION x READ ann:1");

    EXPECT_EQ(peer_.CutStreams("ann", "x"), 1);
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS "));
    ASSERT_TRUE(ben_->WaitForNote("APPLICATION x STREAMS "));
    EXPECT_TRUE(ann_->Invoke("ALTER APPLICATION x WRITE ben:1 cut").startsWith("ERROR 549 "));
    EXPECT_EQ(peer_.CutStreams("nobody"), -1);
}

TEST_F(PeerStreams, LoggedOutUserIsUnreachable) {
    Connect();
    ASSERT_TRUE(peer_.LogOut("ben"));
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x STREAMS "));
    ASSERT_TRUE(ann_->WaitForNote("USER ben ONLINESTATUS OFFLINE"));
    EXPECT_EQ(ann_->Invoke("ALTER APPLICATION x CONNECT ben"), "ALTER APPLICATION x CONNECT ben");
    ASSERT_TRUE(ann_->WaitForNote("APPLICATION x CONNECTING ben"));
    EXPECT_EQ(ann_->Invoke("PING"), "PONG");
    EXPECT_EQ(ann_->Invoke("GET APPLICATION x STREAMS"), "APPLICATION x STREAMS ");
}
