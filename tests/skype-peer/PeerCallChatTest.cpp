// Calls and chats as the remote monitor drives them.
#include "PeerFixture.h"

#include <QRegularExpression>

TEST_F(PeerFixture, IncomingCallAnsweredWithVideoAndEnded) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));

    const QString id = peer_.IncomingCall("me", "bob");
    ASSERT_FALSE(id.isEmpty()) << peer_.LastError().toStdString();
    const QString call = "CALL " + id + " ";
    ASSERT_TRUE(program.WaitForNote(call + "STATUS RINGING"));
    EXPECT_EQ(program.Invoke("GET CALL " + id + " TYPE"), call + "TYPE INCOMING_P2P");
    EXPECT_EQ(program.Invoke("GET CALL " + id + " PARTNER_HANDLE"), call + "PARTNER_HANDLE bob");
    EXPECT_EQ(program.Invoke("GET CALL " + id + " PARTNER_DISPNAME"),
              call + "PARTNER_DISPNAME Bob Builder");
    EXPECT_EQ(program.Invoke("GET CALL " + id + " CONF_ID"), call + "CONF_ID 0");
    EXPECT_EQ(program.Invoke("GET CALL " + id + " CONF_PARTICIPANTS_COUNT"),
              call + "CONF_PARTICIPANTS_COUNT 1");
    EXPECT_EQ(program.Invoke("GET CALL " + id + " CONF_PARTICIPANT 0"),
              call + "CONF_PARTICIPANT 0 bob INCOMING_P2P RINGING Bob Builder");
    EXPECT_EQ(program.Invoke("GET CALL " + id + " CONF_PARTICIPANT 1"), "ERROR 13 Invalid PROP");
    EXPECT_EQ(program.Invoke("GET CALL 999999 STATUS"), "ERROR 12 Unknown call");
    EXPECT_EQ(program.Invoke("GET CALL x STATUS"), "ERROR 11 Invalid call id");
    EXPECT_TRUE(program.Invoke("ALTER CALL " + id + " START_VIDEO_SEND").startsWith("ERROR "));

    EXPECT_EQ(program.Invoke("SET CALL " + id + " STATUS INPROGRESS"), call + "STATUS INPROGRESS");
    EXPECT_EQ(program.Invoke("ALTER CALL " + id + " START_VIDEO_SEND"),
              "ALTER CALL " + id + " START_VIDEO_SEND");
    ASSERT_TRUE(program.WaitForNote(call + "VIDEO_SEND_STATUS STARTING"));
    ASSERT_TRUE(program.WaitForNote(call + "VIDEO_SEND_STATUS RUNNING"));
    EXPECT_EQ(program.Invoke("SET CALL " + id + " STATUS ONHOLD"), call + "STATUS ONHOLD");
    EXPECT_EQ(program.Invoke("SET CALL " + id + " STATUS INPROGRESS"), call + "STATUS INPROGRESS");
    EXPECT_EQ(program.Invoke("SET CALL " + id + " STATUS FINISHED"), call + "STATUS FINISHED");
    ASSERT_TRUE(program.WaitForNote(call + "VIDEO_SEND_STATUS AVAILABLE"));
    EXPECT_EQ(program.Invoke("SET CALL " + id + " STATUS FINISHED"),
              "ERROR 24 Cannot hangup inactive call");
    EXPECT_EQ(peer_.CallProperty(id, "STATUS"), "FINISHED");
    EXPECT_EQ(program.Invoke("SEARCH ACTIVECALLS"), "CALLS ");
}

TEST_F(PeerFixture, ConferencePstnAndRemoteHangUp) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));

    const QString conference = peer_.IncomingConference("me", "bob", {"carol"});
    ASSERT_FALSE(conference.isEmpty());
    ASSERT_TRUE(program.WaitForNote("CALL " + conference + " STATUS RINGING"));
    QString confId = program.Invoke("GET CALL " + conference + " CONF_ID");
    EXPECT_TRUE(QRegularExpression("^CALL \\d+ CONF_ID [1-9]\\d*$").match(confId).hasMatch())
        << confId.toStdString();
    EXPECT_EQ(program.Invoke("GET CALL " + conference + " CONF_PARTICIPANTS_COUNT"),
              "CALL " + conference + " CONF_PARTICIPANTS_COUNT 2");
    EXPECT_TRUE(program.Invoke("GET CALL " + conference + " CONF_PARTICIPANT 1")
                    .startsWith("CALL " + conference + " CONF_PARTICIPANT 1 carol "));

    const QString pstn = peer_.IncomingPstnCall("me", "+3725551234");
    ASSERT_FALSE(pstn.isEmpty());
    ASSERT_TRUE(program.WaitForNote("CALL " + pstn + " STATUS RINGING"));
    EXPECT_EQ(program.Invoke("GET CALL " + pstn + " TYPE"), "CALL " + pstn + " TYPE INCOMING_PSTN");
    EXPECT_EQ(program.Invoke("GET CALL " + pstn + " PARTNER_HANDLE"),
              "CALL " + pstn + " PARTNER_HANDLE +3725551234");
    EXPECT_TRUE(peer_.IncomingPstnCall("me", "not-a-number").isEmpty());

    // The caller gives up before anyone answers, and hangs up on an answered call.
    ASSERT_TRUE(peer_.EndCall(conference));
    ASSERT_TRUE(program.WaitForNote("CALL " + conference + " STATUS MISSED"));
    EXPECT_EQ(program.Invoke("SET CALL " + pstn + " STATUS INPROGRESS"),
              "CALL " + pstn + " STATUS INPROGRESS");
    ASSERT_TRUE(peer_.EndCall(pstn));
    ASSERT_TRUE(program.WaitForNote("CALL " + pstn + " STATUS FINISHED"));
    EXPECT_FALSE(peer_.EndCall(pstn));

    // The remote side can take the video away in the middle of a call.
    const QString third = peer_.IncomingCall("me", "carol");
    EXPECT_EQ(program.Invoke("SET CALL " + third + " STATUS INPROGRESS"),
              "CALL " + third + " STATUS INPROGRESS");
    ASSERT_TRUE(peer_.SetCallStatus(third, "VIDEO_SEND_STATUS=VIDEO_NONE"));
    EXPECT_TRUE(program.WaitForNote("CALL " + third + " VIDEO_SEND_STATUS VIDEO_NONE"));
    EXPECT_FALSE(peer_.SetCallStatus(third, "DANCING"));
    EXPECT_TRUE(peer_.IncomingCall("carol", "me").isEmpty()); // carol has no bus
}

TEST_F(PeerFixture, ChatWithAScriptedUser) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));

    const QString created = program.Invoke("CHAT CREATE bob");
    const QRegularExpressionMatch match =
        QRegularExpression("^CHAT (#me/\\$bob;[0-9a-f]{16}) STATUS DIALOG$").match(created);
    ASSERT_TRUE(match.hasMatch()) << created.toStdString();
    const QString chat = match.captured(1);
    EXPECT_EQ(program.Invoke("CHAT CREATE bob"), created);

    const QString sending = program.Invoke("CHATMESSAGE " + chat + " Please enter password.");
    const QRegularExpressionMatch sent =
        QRegularExpression("^MESSAGE (\\d+) STATUS SENDING$").match(sending);
    ASSERT_TRUE(sent.hasMatch()) << sending.toStdString();
    ASSERT_TRUE(program.WaitForNote("MESSAGE " + sent.captured(1) + " STATUS SENT"));
    QList<SkypePeerProcess::ChatLine> lines = peer_.ChatLog("bob");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].chat, chat);
    EXPECT_EQ(lines[0].from, "me");
    EXPECT_EQ(lines[0].body, "Please enter password.");

    // What the scripted user types keeps its blanks.
    const QString id = peer_.TypeMessage("bob", "me", "  open  sesame ");
    ASSERT_FALSE(id.isEmpty());
    ASSERT_TRUE(program.WaitForNote("MESSAGE " + id + " STATUS RECEIVED"));
    EXPECT_EQ(program.Invoke("GET MESSAGE " + id + " PARTNER_HANDLE"),
              "MESSAGE " + id + " PARTNER_HANDLE bob");
    EXPECT_EQ(program.Invoke("GET MESSAGE " + id + " BODY"),
              "MESSAGE " + id + " BODY   open  sesame ");
    EXPECT_EQ(program.Invoke("GET MESSAGE " + id + " CHATNAME"),
              "MESSAGE " + id + " CHATNAME " + chat);
    EXPECT_EQ(program.Invoke("GET MESSAGE " + sent.captured(1) + " PARTNER_HANDLE"),
              "MESSAGE " + sent.captured(1) + " PARTNER_HANDLE bob");
    EXPECT_EQ(program.Invoke("SET MESSAGE " + id + " SEEN"), "MESSAGE " + id + " STATUS READ");
    EXPECT_EQ(program.Invoke("GET MESSAGE 1 BODY"), "ERROR 15 Unknown message");
    EXPECT_EQ(program.Invoke("CHATMESSAGE #nobody/$else;00 hello"), "ERROR 105 Invalid chat name");
    EXPECT_EQ(program.Invoke("CHATMESSAGE " + chat), "ERROR 43 Cannot send empty message");

    // A chat started by the scripted user names it as creator; chats between two others stay
    // invisible.
    const QString fromCarol = peer_.TypeMessage("carol", "me", "hi");
    ASSERT_TRUE(program.WaitForNote("MESSAGE " + fromCarol + " STATUS RECEIVED"));
    EXPECT_TRUE(program.Invoke("GET MESSAGE " + fromCarol + " CHATNAME")
                    .startsWith("MESSAGE " + fromCarol + " CHATNAME #carol/$me;"));
    const QString private_ = peer_.TypeMessage("carol", "bob", "secret");
    ASSERT_FALSE(private_.isEmpty());
    EXPECT_TRUE(
        SkypePeerProcess::WaitUntil([&] { return peer_.ChatLog("bob").size() == 2; }, 5000));
    EXPECT_EQ(program.Invoke("GET MESSAGE " + private_ + " BODY"), "ERROR 15 Unknown message");

    // A client that asks for protocol 3 or later gets CHATMESSAGE objects.
    EXPECT_EQ(program.Invoke("PROTOCOL 5"), "PROTOCOL 5");
    EXPECT_TRUE(program.Invoke("CHATMESSAGE " + chat + " again").startsWith("CHATMESSAGE "));
}
