// Starting the peer: bad scenarios and arguments end it with a reason, never half-running.
#include "PeerFixture.h"

TEST_F(PeerFixture, BadScenariosAreRejectedWithAReason) {
    struct Case {
        const char* scenario;
        const char* reason;
    };
    const Case cases[] = {
        {"{ not json", "not valid JSON"},
        {R"({"users": [{"handle": "me", "friends": ["ghost"]}]})", "ghost"},
        {R"({"users": [{"handle": "me"}, {"handle": "me"}]})", "twice"},
        {R"({"users": [{"handle": "me", "status": "SLEEPY"}]})", "SLEEPY"},
        {R"({"users": [{"handle": "me"}, {"handle": "bad handle"}]})", "not a valid handle"},
        {R"({"users": [{"handle": "me", "colour": "red"}]})", "colour"},
        {R"({"users": [{"handle": "me", "photoApp": true}]})", "scripted photo application"},
        {R"({"users": [{"handle": "me", "replyDelayMs": -4}]})", "replyDelayMs"},
        {R"({"users": [{"handle": "me", "handleDelayMs": -2}]})", "handleDelayMs"},
        {R"({"users": [{"handle": "me", "handleDelayMs": "soon"}]})", "handleDelayMs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        EXPECT_FALSE(StartPeer(QString::fromUtf8(c.scenario), {"me"}));
        EXPECT_TRUE(peer_.LastError().contains(QLatin1String(c.reason)))
            << peer_.LastError().toStdString();
        EXPECT_FALSE(peer_.IsRunning());
    }
    EXPECT_FALSE(StartPeer(StandardScenario(), {"nobody"}));
    EXPECT_TRUE(peer_.LastError().contains("not in the scenario"));
}

TEST_F(PeerFixture, ScenarioFileAndScriptedOnlyControlBus) {
    PrivateBus control;
    ASSERT_TRUE(control.IsValid());
    const QString path = QString::fromLocal8Bit(qgetenv("ORBIT_SOURCE_DIR")) +
                         "/tools/skype-peer/scenarios/demo.json";
    ASSERT_TRUE(StartPeer(path, {}, {"--control-bus", control.Address()}))
        << peer_.LastError().toStdString();
    EXPECT_EQ(peer_.Users(),
              QStringList({"olivia.orbit", "bob.builder", "carol.smith", "dave.jones"}));
    EXPECT_FALSE(peer_.ReceiveFolder("bob.builder").isEmpty());
    EXPECT_TRUE(peer_.UserInfo("carol.smith").contains(R"("status":"AWAY")"));
    EXPECT_FALSE(peer_.DropBusName("olivia.orbit")); // no bus given to her this time
    EXPECT_TRUE(peer_.LastError().contains("not a user served on a bus"));
    peer_.Stop();
}

TEST_F(PeerFixture, PeerQuitsWhenItsBusesAreGone) {
    ASSERT_TRUE(StartPeer(StandardScenario(), {"me"}));
    buses_.clear();
    EXPECT_TRUE(SkypePeerProcess::WaitUntil([&] { return !peer_.IsRunning(); }, 5000));
    EXPECT_TRUE(peer_.ErrorOutput().contains("every bus it served has gone"));
}
