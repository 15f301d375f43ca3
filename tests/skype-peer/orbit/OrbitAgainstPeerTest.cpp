// The orbit executable against the stand-in: it attaches, asks what it asks after attaching,
// notices a Skype that went away at its next command, and attaches again after a log-out.
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char kScenario[] = R"({"users": [
  {"handle": "orbit.user", "fullName": "Orbit User", "friends": ["alice", "bob"]},
  {"handle": "alice", "fullName": "Alice Archer"},
  {"handle": "bob", "fullName": "Bob Builder", "displayName": "Bobby", "status": "AWAY"}]})";

const QString kMe = QStringLiteral("orbit.user");

// The program on the test's bus, with a home of its own.
class Orbit : public QProcess {
public:
    Orbit(const QString& bus, const QString& home) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/data");
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_RUNTIME_DIR", home);
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        setProcessEnvironment(env);
        setProgram(qEnvironmentVariable("ORBIT_BINARY_DIR") + "/app/orbit");
        setArguments({"-startup"});
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Orbit() override {
        terminate();
        if (!waitForFinished(3000)) {
            kill();
            waitForFinished(3000);
        }
    }
};

} // namespace

TEST(OrbitAgainstPeer, AttachesNoticesALostSkypeAndAttachesAgain) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    SkypePeerProcess peer;
    ASSERT_TRUE(peer.Start(kScenario, {{kMe, bus.Address()}})) << peer.LastError().toStdString();
    QTemporaryDir home;
    Orbit orbit(bus.Address(), home.path());
    orbit.start();
    ASSERT_TRUE(orbit.waitForStarted());

    ASSERT_GE(peer.WaitForCommand(kMe, "GET USER bob ONLINESTATUS", 15000), 0);
    QStringList sent;
    for (const auto& entry : peer.CommandLog(kMe))
        sent.append(entry.text);
    EXPECT_EQ(sent.first(), "NAME Orbit");
    for (const char* command :
         {"GET SKYPEVERSION", "PING", "SEARCH FRIENDS", "GET USER alice FULLNAME",
          "GET USER alice DISPLAYNAME", "GET USER bob FULLNAME"})
        EXPECT_TRUE(sent.contains(command)) << command;
    EXPECT_EQ(peer.AttachedClients(kMe), 1);

    // A contact it never heard of makes it ask; Skype vanishes while it does.
    ASSERT_TRUE(peer.SetReplyDelay(kMe, 1000));
    ASSERT_TRUE(peer.SendRaw(kMe, "USER newbie FULLNAME New Bie"));
    ASSERT_GE(peer.WaitForCommand(kMe, "GET USER newbie FULLNAME", 10000), 0);
    ASSERT_TRUE(peer.DropBusName(kMe));
    ASSERT_TRUE(peer.SetReplyDelay(kMe, 0));
    const int before = int(peer.CommandLog(kMe).size());
    ASSERT_TRUE(peer.RestoreBusName(kMe));
    const int again = peer.WaitForCommand(kMe, "NAME Orbit", 10000, before);
    ASSERT_GE(again, 0);
    EXPECT_GE(peer.WaitForCommand(kMe, "SEARCH FRIENDS", 10000, again), 0);

    // Logged out, it keeps asking until the user is back.
    ASSERT_TRUE(peer.LogOut(kMe));
    const int loggedOut = int(peer.CommandLog(kMe).size());
    ASSERT_GE(peer.WaitForCommand(kMe, "NAME Orbit", 10000, loggedOut), 0);
    ASSERT_TRUE(peer.LogIn(kMe));
    EXPECT_GE(peer.WaitForCommand(kMe, "SEARCH FRIENDS", 10000, loggedOut), 0);
    EXPECT_EQ(orbit.state(), QProcess::Running);
}
