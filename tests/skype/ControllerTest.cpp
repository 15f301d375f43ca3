#include "FakeSkypeTransport.h"
#include "NotificationLog.h"
#include "OstSkypeController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() {
        auto owned = std::make_unique<FakeSkypeTransport>();
        transport = owned.get();
        controller = std::make_unique<OstSkypeController>(std::move(owned), 10);
    }

    void Attach() {
        controller->Discover();
        transport->Accept();
        QCoreApplication::processEvents();
    }

    // Runs the event loop until the condition holds; the time limit only guards against a hang.
    static bool PumpUntil(const std::function<bool()>& condition) {
        QElapsedTimer t;
        t.start();
        while (!condition()) {
            if (t.elapsed() > 30000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }

    static void Pump(int ms = 0) {
        QElapsedTimer t;
        t.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        } while (t.elapsed() < ms);
    }

    NotificationLog log;
    FakeSkypeTransport* transport = nullptr;
    std::unique_ptr<OstSkypeController> controller;
};

TEST_F(ControllerTest, DiscoveryRepeatsUntilAcceptedAndStopsAfter) {
    controller->Discover();
    EXPECT_EQ(transport->lastClientName, u"Orbit"_qs);
    transport->Refuse(); // waiting for the user's authorisation: nothing changes
    Pump(60);
    EXPECT_FALSE(controller->IsAttached());
    EXPECT_GE(transport->attachRequests, 3);
    EXPECT_TRUE(log.lines.isEmpty());

    transport->Accept();
    EXPECT_TRUE(controller->IsAttached());
    EXPECT_EQ(log.lines, QStringList{u"SKYPE_CONNECTED"_qs});
    EXPECT_EQ(transport->Sent(), (QStringList{u"GET SKYPEVERSION"_qs, u"PING"_qs}));
    const int requests = transport->attachRequests;
    Pump(40);
    EXPECT_EQ(transport->attachRequests, requests) << "the first tick after success stops discovery";
    EXPECT_FALSE(controller->IsDiscovering());

    transport->Accept(); // a second acceptance of a live link is not a new connection
    EXPECT_EQ(log.lines.size(), 1);
}

TEST_F(ControllerTest, CommandsWhileDetachedAreDroppedSilently) {
    controller->SendCommand(u"SEARCH FRIENDS"_qs);
    EXPECT_TRUE(transport->Sent().isEmpty());
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST_F(ControllerTest, RepliesAreClassifiedOnTheEventLoopInOrder) {
    transport->answer = [](const QString& cmd) {
        if (cmd == u"GET SKYPEVERSION")
            return u"SKYPEVERSION 4.2.0.155"_qs;
        if (cmd == u"PING")
            return u"PONG"_qs;
        return QString();
    };
    Attach();
    Pump();
    EXPECT_EQ(controller->GetSkypeVersion(), (4ull << 24) | (2ull << 16) | 155ull);
    EXPECT_GE(controller->GetSkypeVersion(), 0x04000000ull);
    transport->Deliver(u"CURRENTUSERHANDLE me.self"_qs);
    transport->Deliver(u"USERSTATUS AWAY"_qs);
    EXPECT_EQ(controller->GetCurrentUserHandle(), u"me.self"_qs);
    EXPECT_EQ(controller->GetUserStatus(), SKYPE_STATUS_AWAY);
}

TEST_F(ControllerTest, LateOwnHandleIsAnnouncedOncePerChange) {
    QStringList seen;
    QObject::connect(controller.get(), &OstSkypeController::CurrentUserHandleChanged,
                     [&seen](const QString& handle) { seen.append(handle); });
    Attach();
    transport->Deliver(u"USERSTATUS ONLINE"_qs);
    transport->Deliver(u"CURRENTUSERHANDLE me.self"_qs);
    transport->Deliver(u"CURRENTUSERHANDLE me.self"_qs); // the reply to an explicit GET
    transport->Deliver(u"CURRENTUSERHANDLE "_qs);
    transport->Deliver(u"CURRENTUSERHANDLE other.me"_qs);
    EXPECT_EQ(seen, (QStringList{u"me.self"_qs, u"other.me"_qs}));
    EXPECT_EQ(controller->GetCurrentUserHandle(), u"other.me"_qs);
}

TEST_F(ControllerTest, ClassificationRulesAndTheirOrder) {
    Attach();
    // Offline: application texts are dropped and reach no later rule.
    controller->OnSkypeMessage(u"ALTER APPLICATION USERS x"_qs);
    controller->OnSkypeMessage(u"USERSTATUS ONLINE"_qs);
    controller->OnSkypeMessage(u"APPLICATION orbit STREAMS bob:1"_qs);
    controller->OnSkypeMessage(u"0123456789APPLICATION late"_qs); // starts at position 10
    controller->OnSkypeMessage(u"CHAT #a/$b;1 STATUS DIALOG"_qs);
    controller->OnSkypeMessage(u"MESSAGE 7 STATUS RECEIVED"_qs);
    controller->OnSkypeMessage(u"USERSTATUS BUSYWORD"_qs);
    controller->OnSkypeMessage(u"USERSTATUS"_qs); // no blank: matches nothing
    controller->OnSkypeMessage(u"CHAT"_qs);
    controller->OnSkypeMessage(u"ERROR 2 Unknown command"_qs);
    EXPECT_EQ(log.lines, (QStringList{
                             u"SKYPE_CONNECTED"_qs,
                             u"SKYPE_USERSTATUS 2"_qs,
                             u"SKYPE_APPLICATION_MESSAGE APPLICATION orbit STREAMS bob:1"_qs,
                             u"SKYPE_CHAT_MESSAGE CHAT #a/$b;1 STATUS DIALOG"_qs,
                             u"SKYPE_MESSAGE_MESSAGE MESSAGE 7 STATUS RECEIVED"_qs,
                             u"SKYPE_USERSTATUS 2"_qs,
                         }));
}

TEST_F(ControllerTest, UsersAndUserTextsGoToTheirOwnHandlers) {
    Attach();
    controller->OnSkypeMessage(u"USERS alice, bob"_qs);
    EXPECT_EQ(controller->GetUserMonitor().GetUserCount(), 2u);
    controller->OnSkypeMessage(u"USERSTATUS ONLINE"_qs);
    EXPECT_EQ(controller->GetUserMonitor().GetUserCount(), 2u) << "USERSTATUS is no USER text";
    controller->OnSkypeMessage(u"USER carol FULLNAME Carol C"_qs);
    EXPECT_EQ(controller->GetUserMonitor().GetUserCount(), 3u);
    controller->OnSkypeMessage(u"CALL 5 STATUS RINGING"_qs);
    EXPECT_EQ(controller->GetCallMonitor().GetCallCount(), 1u);
}

TEST_F(ControllerTest, VersionParsing) {
    EXPECT_EQ(OstSkypeController::ParseVersion(u"2.1.0.81"), 0x02010051ull);
    EXPECT_EQ(OstSkypeController::ParseVersion(u"4.0"), 4ull << 8);
    EXPECT_LT(OstSkypeController::ParseVersion(u"4.0"), 0x04000000ull);
    EXPECT_EQ(OstSkypeController::ParseVersion(u"..3..x.7beta"), (3ull << 16) | 7ull);
    EXPECT_EQ(OstSkypeController::ParseVersion(u""), 0ull);
    Attach();
    controller->OnSkypeMessage(u"SKYPEVERSION"_qs);
    EXPECT_EQ(controller->GetSkypeVersion(), 0ull);
}

TEST_F(ControllerTest, LoggedOutDisconnectsClearsContactsAndRediscovers) {
    Attach();
    controller->OnSkypeMessage(u"USERSTATUS ONLINE"_qs);
    controller->OnSkypeMessage(u"USERS alice"_qs);
    const int requests = transport->attachRequests;
    controller->OnSkypeMessage(u"CONNSTATUS LOGGEDOUT"_qs);
    EXPECT_FALSE(controller->IsAttached());
    EXPECT_EQ(controller->GetUserStatus(), SKYPE_STATUS_OFFLINE);
    EXPECT_EQ(controller->GetUserMonitor().GetUserCount(), 0u);
    EXPECT_EQ(log.lines.last(), u"SKYPE_DISCONNECTED"_qs);
    EXPECT_EQ(transport->attachRequests, requests + 1);
    EXPECT_TRUE(controller->IsDiscovering());
    EXPECT_EQ(transport->detaches, 1);
}

TEST_F(ControllerTest, FailedSendIsALostLinkHandledOnTheEventLoop) {
    Attach();
    controller->OnSkypeMessage(u"USERS alice, bob"_qs);
    transport->ClearSent();
    transport->failSends = true;
    // The failure happens inside the contact monitor's own loop; the contacts must survive
    // until that loop is done, so the disconnect is handled afterwards.
    controller->OnSkypeMessage(u"USERS alice, bob, carol"_qs);
    EXPECT_EQ(transport->Sent().size(), 1) << "after the first failure commands are dropped";
    EXPECT_FALSE(controller->IsAttached());
    EXPECT_FALSE(log.lines.contains(u"SKYPE_DISCONNECTED"_qs));
    Pump();
    EXPECT_EQ(log.lines.last(), u"SKYPE_DISCONNECTED"_qs);
    EXPECT_EQ(log.lines.count(u"SKYPE_DISCONNECTED"_qs), 1);
    EXPECT_EQ(controller->GetUserMonitor().GetUserCount(), 0u);
    EXPECT_TRUE(controller->IsDiscovering());

    // A reconnect works and the old link's late texts are ignored.
    transport->failSends = false;
    transport->Accept();
    EXPECT_TRUE(controller->IsAttached());
    EXPECT_EQ(log.lines.count(u"SKYPE_CONNECTED"_qs), 2);
}

TEST_F(ControllerTest, RepliesOfALostLinkAreNotTakenAsInput) {
    transport->answer = [](const QString& cmd) {
        return cmd == u"PING" ? u"USERSTATUS AWAY"_qs : QString();
    };
    controller->Discover();
    transport->Accept(); // the reply to PING is queued, not handled yet
    controller->OnSkypeMessage(u"CONNSTATUS LOGGEDOUT"_qs);
    Pump();
    EXPECT_EQ(controller->GetUserStatus(), SKYPE_STATUS_OFFLINE);
    EXPECT_FALSE(log.lines.contains(u"SKYPE_USERSTATUS 3"_qs));
}

// Only a window of commands waits for answers; the rest, from any thread, leave in their
// order as answers come back.
TEST_F(ControllerTest, CommandsBeyondTheWindowWaitForAnswersInOrder) {
    constexpr int kWindow = 64;
    transport->maxInFlight = kWindow;
    transport->holdAnswers = true;
    Attach();
    QStringList expected = transport->Sent();
    std::thread worker([this] {
        for (int i = 0; i < 150; ++i)
            controller->SendCommand(u"GET USER w"_qs + QString::number(i) + u" FULLNAME"_qs);
    });
    worker.join();
    for (int i = 0; i < 20; ++i)
        controller->SendCommand(u"GET USER u"_qs + QString::number(i) + u" FULLNAME"_qs);
    for (int i = 0; i < 150; ++i)
        expected.append(u"GET USER w"_qs + QString::number(i) + u" FULLNAME"_qs);
    for (int i = 0; i < 20; ++i)
        expected.append(u"GET USER u"_qs + QString::number(i) + u" FULLNAME"_qs);

    Pump(30);
    EXPECT_EQ(transport->Sent(), expected.mid(0, kWindow));
    transport->ReleaseAnswers(5);
    Pump(30);
    EXPECT_EQ(transport->Sent(), expected.mid(0, kWindow + 5));

    transport->holdAnswers = false;
    transport->ReleaseAnswers(kWindow);
    ASSERT_TRUE(PumpUntil([&] { return transport->Sent().size() == expected.size(); }));
    EXPECT_EQ(transport->Sent(), expected);
    EXPECT_TRUE(controller->IsAttached());
}

// A command the bus turned down goes again, ahead of what waits behind it, and the link stays.
TEST_F(ControllerTest, RefusedCommandIsSentAgainWithoutLosingTheLink) {
    std::atomic<int> refusals{0};
    transport->refuseWhen = [&refusals](const QString& text) {
        return text == u"GET USER b FULLNAME" && refusals.fetch_add(1) < 2;
    };
    Attach();
    transport->ClearSent();
    controller->SendCommand(u"GET USER a FULLNAME"_qs);
    controller->SendCommand(u"GET USER b FULLNAME"_qs);
    controller->SendCommand(u"GET USER c FULLNAME"_qs);
    ASSERT_TRUE(PumpUntil([&] { return transport->Sent().size() >= 5; }));
    controller->SendCommand(u"GET USER d FULLNAME"_qs);
    ASSERT_TRUE(PumpUntil([&] { return transport->Sent().size() >= 6; }));
    Pump(50);
    EXPECT_EQ(transport->Sent(),
              (QStringList{u"GET USER a FULLNAME"_qs, u"GET USER b FULLNAME"_qs,
                           u"GET USER c FULLNAME"_qs, u"GET USER b FULLNAME"_qs,
                           u"GET USER b FULLNAME"_qs, u"GET USER d FULLNAME"_qs}));
    EXPECT_TRUE(controller->IsAttached());
    EXPECT_FALSE(log.lines.contains(u"SKYPE_DISCONNECTED"_qs));
}

// A bus that turns everything down for round after round is no way to Skype any more.
TEST_F(ControllerTest, BusThatOnlyRefusesEndsTheLink) {
    Attach();
    transport->refuseWhen = [](const QString&) { return true; };
    transport->ClearSent();
    controller->SendCommand(u"PING"_qs);
    ASSERT_TRUE(PumpUntil([&] { return !controller->IsAttached(); }));
    Pump();
    EXPECT_EQ(log.lines.count(u"SKYPE_DISCONNECTED"_qs), 1);
    EXPECT_EQ(transport->Sent().count(u"PING"_qs), OstSkypeController::kMaxRefusalRounds);
    EXPECT_TRUE(controller->IsDiscovering());
}

TEST_F(ControllerTest, VanishedSkypeDisconnectsOnlyWhileAttached) {
    transport->Vanish();
    EXPECT_TRUE(log.lines.isEmpty());
    Attach();
    transport->Vanish();
    EXPECT_FALSE(controller->IsAttached());
    EXPECT_EQ(log.lines.last(), u"SKYPE_DISCONNECTED"_qs);
}

TEST_F(ControllerTest, HostileTextsAreSafe) {
    Attach();
    controller->OnSkypeMessage(u"USERSTATUS ONLINE"_qs);
    const QStringList texts = {
        QString(),
        u"     "_qs,
        u"CALL"_qs,
        u"CALL "_qs,
        u"CALL 1"_qs,
        u"USER "_qs,
        u"USER x"_qs,
        u"USER x FULLNAME"_qs,
        u"USER  FULLNAME y"_qs,
        u"USERS "_qs,
        u"USERS , , ,"_qs,
        u"CURRENTUSERHANDLE "_qs,
        u"SKYPEVERSION 99999999999.-1.\uFFFD"_qs,
        u"APPLICATION"_qs,
        QString::fromUtf8("CHAT \xff\xfe\xfd broken"),
        QString(1 << 20, u'A'),
        u"CALL 1 CONF_PARTICIPANTS_COUNT 2147483647"_qs,
        u"CALL 1 CONF_PARTICIPANTS_COUNT -5"_qs,
        u"CALL 1 CONF_PARTICIPANT"_qs,
    };
    for (const QString& text : texts)
        controller->OnSkypeMessage(text);
    EXPECT_LE(transport->Sent().count(u"GET CALL 1 CONF_PARTICIPANT 0"_qs), 1);
    EXPECT_EQ(controller->GetUserMonitor().FindUser(QString()), nullptr);

    QString many = u"USERS u0"_qs;
    for (int i = 1; i < 5000; ++i)
        many += u", u"_qs + QString::number(i);
    controller->OnSkypeMessage(many);
    EXPECT_EQ(controller->GetUserMonitor().GetUserCount(), 5000u);
}
