// The desktop API as one program user sees it: attach, plain commands, contacts and the
// faults around attaching.
#include "PeerFixture.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

TEST_F(PeerFixture, AttachHandshakeAndPlainCommands) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"})) << peer_.LastError().toStdString();
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.IsConnected());

    EXPECT_TRUE(program.Invoke("GET SKYPEVERSION").startsWith("ERROR 68 "));
    EXPECT_EQ(program.Invoke("NAME Orbit"), "OK");
    ASSERT_TRUE(program.WaitForNote("CURRENTUSERHANDLE"));
    ASSERT_TRUE(program.WaitForNote("USERSTATUS"));
    EXPECT_EQ(program.Notes(), QStringList({"CURRENTUSERHANDLE me", "USERSTATUS ONLINE"}));

    EXPECT_EQ(program.Invoke("GET SKYPEVERSION"), "SKYPEVERSION 2.1.0.81");
    EXPECT_EQ(program.Invoke("PING"), "PONG");
    EXPECT_EQ(program.Invoke("GET MUTE"), "MUTE OFF");
    EXPECT_EQ(program.Invoke("FOCUS"), "FOCUS");
    EXPECT_EQ(program.Invoke("OPEN FILETRANSFER bob IN /opt/orbit/Orbit/"),
              "OPEN FILETRANSFER bob IN /opt/orbit/Orbit/");
    EXPECT_EQ(program.Invoke("WHATEVER 1 2"), "ERROR 2 Unknown command");
    EXPECT_EQ(program.Invoke(""), "ERROR 2 Unknown command");
    EXPECT_EQ(program.Invoke("GET NOTHING"), "ERROR 7 GET: invalid WHAT");

    const QList<SkypePeerProcess::Entry> log = peer_.CommandLog("me");
    QStringList texts;
    for (const auto& entry : log)
        texts.append(entry.text);
    EXPECT_EQ(texts, QStringList({"GET SKYPEVERSION", "NAME Orbit", "GET SKYPEVERSION", "PING",
                                  "GET MUTE", "FOCUS", "OPEN FILETRANSFER bob IN /opt/orbit/Orbit/",
                                  "WHATEVER 1 2", "", "GET NOTHING"}));
    for (qsizetype i = 1; i < log.size(); ++i)
        EXPECT_GE(log[i].timeMs, log[i - 1].timeMs);
    EXPECT_EQ(peer_.CommandLog("me", 8).size(), 2);

    const QList<SkypePeerProcess::Traffic> traffic = peer_.TrafficLog("me");
    ASSERT_GE(traffic.size(), 6);
    EXPECT_EQ(traffic[2].kind + traffic[2].text, ">NAME Orbit");
    EXPECT_EQ(traffic[3].kind + traffic[3].text, "<OK");
    EXPECT_EQ(traffic[4].kind + traffic[4].text, "!CURRENTUSERHANDLE me");
}

TEST_F(PeerFixture, VersionComesFromScenarioAndControl) {
    ASSERT_TRUE(StartPeer(StandardScenario("4.2.0.155"), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));
    EXPECT_EQ(program.Invoke("GET SKYPEVERSION"), "SKYPEVERSION 4.2.0.155");
    ASSERT_TRUE(peer_.SetSkypeVersion("2.0.0.72"));
    EXPECT_EQ(program.Invoke("GET SKYPEVERSION"), "SKYPEVERSION 2.0.0.72");
    EXPECT_FALSE(peer_.SetSkypeVersion("two words"));
}

TEST_F(PeerFixture, ContactsAndTheirChanges) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));

    EXPECT_EQ(program.Invoke("SEARCH FRIENDS"), "USERS bob, carol, dave");
    EXPECT_EQ(program.Invoke("GET USER bob FULLNAME"), "USER bob FULLNAME Bob Builder");
    EXPECT_EQ(program.Invoke("GET USER bob DISPLAYNAME"), "USER bob DISPLAYNAME ");
    EXPECT_EQ(program.Invoke("GET USER carol DISPLAYNAME"), "USER carol DISPLAYNAME Caz");
    EXPECT_EQ(program.Invoke("GET USER carol ONLINESTATUS"), "USER carol ONLINESTATUS AWAY");
    EXPECT_EQ(program.Invoke("GET USER dave ONLINESTATUS"), "USER dave ONLINESTATUS OFFLINE");
    EXPECT_EQ(program.Invoke("GET USER nobody ONLINESTATUS"), "USER nobody ONLINESTATUS UNKNOWN");
    EXPECT_EQ(program.Invoke("GET USER bob SHOESIZE"), "ERROR 10 Invalid PROP");
    EXPECT_EQ(program.Invoke("GET USER"), "ERROR 8 Invalid user handle");
    EXPECT_EQ(program.Invoke("SEARCH USERS sTrAn"), "USERS stranger");
    EXPECT_EQ(program.Invoke("SEARCH USERS"), "ERROR 4 Empty target not allowed");

    ASSERT_TRUE(peer_.SetStatus("bob", "AWAY"));
    ASSERT_TRUE(peer_.SetStatus("stranger", "DND")); // nobody's friend: no text
    ASSERT_TRUE(peer_.SetFullName("carol", "Carol  Smith-Jones"));
    ASSERT_TRUE(peer_.SetStatus("dave", "OFFLINE")); // still looks offline: no text
    ASSERT_TRUE(peer_.SetStatus("me", "DND"));
    ASSERT_TRUE(peer_.SendRaw("me", "MARK"));
    ASSERT_TRUE(program.WaitForNote("MARK"));
    EXPECT_EQ(program.Notes().mid(2),
              QStringList({"USER bob ONLINESTATUS AWAY", "USER carol FULLNAME Carol  Smith-Jones",
                           "USERSTATUS DND", "MARK"}));
    EXPECT_FALSE(peer_.SetStatus("bob", "SLEEPING"));
    EXPECT_FALSE(peer_.SetStatus("nobody", "ONLINE"));

    EXPECT_EQ(program.Invoke("SET USERSTATUS AWAY"), "USERSTATUS AWAY");
    EXPECT_EQ(program.Invoke("GET USERSTATUS"), "USERSTATUS AWAY");
    EXPECT_EQ(program.Invoke("SET USERSTATUS HAPPY"), "ERROR 28 Unknown userstatus");

    // A friend logging out is seen going offline.
    ASSERT_TRUE(peer_.LogOut("bob"));
    ASSERT_TRUE(program.WaitForNote("USER bob ONLINESTATUS OFFLINE"));
    ASSERT_TRUE(peer_.LogIn("bob"));
    ASSERT_TRUE(program.WaitForNote("USER bob ONLINESTATUS AWAY"));
}

TEST_F(PeerFixture, RefusedAndDelayedAttach) {
    QString scenario = StandardScenario();
    scenario.replace(R"("handle": "me",)", R"("handle": "me", "attach": "refuse",)");
    ASSERT_TRUE(StartPeer(scenario, {"me"}));
    FakeProgram program(Address("me"));
    EXPECT_EQ(program.Invoke("NAME Orbit"), "ERROR 68 Access denied");
    EXPECT_EQ(program.Invoke("PING"), "ERROR 68 Access denied");
    EXPECT_EQ(peer_.AttachedClients("me"), 0);

    // A delayed attach answers late, and what it says after "OK" still comes after it.
    ASSERT_TRUE(peer_.SetAttachMode("me", "delay", 300));
    const int asked = int(peer_.CommandLog("me").size());
    QDBusPendingCall pending = program.InvokeAsync("NAME Orbit");
    ASSERT_GE(peer_.WaitForCommand("me", "NAME Orbit", 5000, asked), 0);
    ASSERT_TRUE(peer_.SendRaw("me", "AFTER"));
    bool answeredBeforeNote = false;
    ASSERT_TRUE(SkypePeerProcess::WaitUntil(
        [&] {
            if (program.Notes().contains("AFTER")) {
                answeredBeforeNote = pending.isFinished();
                return true;
            }
            return false;
        },
        5000));
    EXPECT_TRUE(answeredBeforeNote);
    pending.waitForFinished();
    EXPECT_EQ(QDBusPendingReply<QString>(pending).value(), "OK");
    EXPECT_EQ(program.Notes(), QStringList({"CURRENTUSERHANDLE me", "USERSTATUS ONLINE", "AFTER"}));
    EXPECT_FALSE(peer_.SetAttachMode("me", "maybe"));
}

TEST_F(PeerFixture, LateOrMissingOwnHandleAfterAttach) {
    ASSERT_TRUE(StartPeer(R"({"users": [
        {"handle": "me", "handleDelayMs": 200, "friends": ["bob"]},
        {"handle": "you", "handleDelayMs": -1},
        {"handle": "bob"}]})",
                          {"me", "you"}))
        << peer_.LastError().toStdString();

    // Late: the status overtakes it, an explicit question is answered at once, and it still
    // arrives by itself afterwards.
    FakeProgram late(Address("me"));
    EXPECT_EQ(late.Invoke("NAME Orbit"), "OK");
    ASSERT_TRUE(late.WaitForNote("USERSTATUS"));
    EXPECT_EQ(late.Notes(), QStringList({"USERSTATUS ONLINE"}));
    EXPECT_EQ(late.Invoke("GET CURRENTUSERHANDLE"), "CURRENTUSERHANDLE me");
    EXPECT_EQ(late.Invoke("SEARCH FRIENDS"), "USERS bob");
    ASSERT_TRUE(late.WaitForNote("CURRENTUSERHANDLE"));
    EXPECT_EQ(late.Notes(), QStringList({"USERSTATUS ONLINE", "CURRENTUSERHANDLE me"}));

    // Never: only the explicit question names the user.
    FakeProgram never(Address("you"));
    EXPECT_EQ(never.Invoke("NAME Orbit"), "OK");
    ASSERT_TRUE(peer_.SendRaw("you", "MARK"));
    ASSERT_TRUE(never.WaitForNote("MARK"));
    EXPECT_EQ(never.Notes(), QStringList({"USERSTATUS ONLINE", "MARK"}));
    EXPECT_EQ(never.Invoke("GET CURRENTUSERHANDLE"), "CURRENTUSERHANDLE you");
}

TEST_F(PeerFixture, DelayedRepliesKeepTheirOrder) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));
    ASSERT_TRUE(peer_.SetReplyDelay("me", 200));
    QDBusPendingCall ping = program.InvokeAsync("PING");
    QDBusPendingCall mute = program.InvokeAsync("GET MUTE");
    ASSERT_GE(peer_.WaitForCommand("me", "GET MUTE"), 0);
    ASSERT_TRUE(peer_.SendRaw("me", "AFTER"));
    bool bothAnswered = false;
    ASSERT_TRUE(SkypePeerProcess::WaitUntil(
        [&] {
            if (!program.Notes().contains("AFTER"))
                return false;
            bothAnswered = ping.isFinished() && mute.isFinished();
            return true;
        },
        5000));
    EXPECT_TRUE(bothAnswered);
    EXPECT_EQ(QDBusPendingReply<QString>(ping).value(), "PONG");
    EXPECT_EQ(QDBusPendingReply<QString>(mute).value(), "MUTE OFF");

    // The peer's own clock shows the hold on the reply.
    const QList<SkypePeerProcess::Traffic> traffic = peer_.TrafficLog("me");
    qint64 asked = 0;
    qint64 answered = 0;
    for (const auto& entry : traffic) {
        if (entry.kind == ">" && entry.text == "PING")
            asked = entry.timeMs;
        if (entry.kind == "<" && entry.text == "PONG")
            answered = entry.timeMs;
    }
    // The log stamps whole milliseconds of a clock other than the one the hold is timed on,
    // so a hold of 200 ms may read one less.
    EXPECT_GE(answered - asked, 195);
}

TEST_F(PeerFixture, DroppedBusNameFailsTheNextSend) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));
    const QString first = program.SkypeOwner();
    ASSERT_FALSE(first.isEmpty());
    ASSERT_TRUE(peer_.DropBusName("me"));
    EXPECT_EQ(program.Invoke("PING"), "DBUS:org.freedesktop.DBus.Error.ServiceUnknown");
    EXPECT_EQ(peer_.AttachedClients("me"), 0);
    EXPECT_TRUE(program.SkypeOwner().isEmpty());

    // Skype "restarted" under a new unique name: the program must attach again.
    ASSERT_TRUE(peer_.RestoreBusName("me"));
    const QString second = program.SkypeOwner();
    EXPECT_FALSE(second.isEmpty());
    EXPECT_NE(second, first);
    EXPECT_EQ(program.Invoke("PING"), "ERROR 68 Access denied");
    EXPECT_EQ(program.Invoke("NAME Orbit"), "OK");
    EXPECT_EQ(program.Invoke("PING"), "PONG");
}

TEST_F(PeerFixture, LoggedOutUserIsDetachedUntilLoggedIn) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));
    ASSERT_TRUE(peer_.LogOut("me"));
    ASSERT_TRUE(program.WaitForNote("CONNSTATUS LOGGEDOUT"));
    EXPECT_EQ(program.Invoke("PING"), "ERROR 68 Access denied");
    EXPECT_EQ(program.Invoke("NAME Orbit"), "CONNSTATUS LOGGEDOUT");
    EXPECT_FALSE(peer_.LogOut("me"));
    EXPECT_TRUE(peer_.IncomingCall("me", "bob").isEmpty());
    ASSERT_TRUE(peer_.LogIn("me"));
    EXPECT_TRUE(program.Attach("me"));
}

TEST_F(PeerFixture, ClientThatLeavesIsDetached) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    {
        FakeProgram first(Address("me"));
        ASSERT_TRUE(first.Attach("me"));
        FakeProgram second(Address("me"));
        ASSERT_TRUE(second.Attach("me"));
        EXPECT_EQ(peer_.AttachedClients("me"), 2);
        ASSERT_TRUE(peer_.SendRaw("me", "BOTH"));
        EXPECT_TRUE(first.WaitForNote("BOTH"));
        EXPECT_TRUE(second.WaitForNote("BOTH"));
    }
    EXPECT_TRUE(
        SkypePeerProcess::WaitUntil([&] { return peer_.AttachedClients("me") == 0; }, 5000));
}

TEST_F(PeerFixture, GarbageTextsArriveAndThePeerGoesOn) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    FakeProgram program(Address("me"));
    ASSERT_TRUE(program.Attach("me"));
    program.SkipAll();
    const int sent = peer_.SendGarbage("me", 60);
    ASSERT_EQ(sent, 60);
    ASSERT_TRUE(
        SkypePeerProcess::WaitUntil([&] { return program.NotesSinceMark().size() >= 60; }, 10000));
    const QStringList garbage = program.NotesSinceMark();
    EXPECT_TRUE(garbage.contains(""));
    EXPECT_TRUE(garbage.contains("CALL 7"));
    bool huge = false;
    for (const QString& text : garbage)
        huge = huge || text.size() > 1000000;
    EXPECT_TRUE(huge);
    EXPECT_EQ(program.Invoke("PING"), "PONG");
}
