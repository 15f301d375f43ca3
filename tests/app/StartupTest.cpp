#include "COrbitApp.h"
#include "OrbitProcess.h"
#include "PrivateBus.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StartupTest, StartupSwitchIsTheExactTextFromTheLastDash) {
    EXPECT_TRUE(COrbitApp::IsStartupLaunch(u"/usr/bin/orbit -startup"_qs));
    EXPECT_TRUE(COrbitApp::IsStartupLaunch(u"/opt/my-apps/orbit -x -startup"_qs));
    EXPECT_FALSE(COrbitApp::IsStartupLaunch(u"/usr/bin/orbit -Startup"_qs));
    EXPECT_FALSE(COrbitApp::IsStartupLaunch(u"/usr/bin/orbit -startup2"_qs));
    EXPECT_FALSE(COrbitApp::IsStartupLaunch(u"/usr/bin/orbit -startup -v"_qs));
    EXPECT_FALSE(COrbitApp::IsStartupLaunch(u"/usr/bin/orbit"_qs));
    EXPECT_TRUE(COrbitApp::IsStartupLaunch(u"-startup"_qs));
}

// A second start on the same log-on asks the first to show its main dialog and ends with
// status 0; a start with another runtime folder is another log-on and runs on its own.
TEST(StartupTest, SecondStartHandsOverToTheFirst) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    QTemporaryDir runtime;
    OrbitProcess first(bus.Address(), runtime.path());
    first.start();
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return first.state() == QProcess::Running; }));
    // Give the first instance time to listen before the second one looks for it.
    WaitUntil([] { return false; }, 300);

    OrbitProcess second(bus.Address(), runtime.path());
    second.setArguments({u"-startup"_qs});
    second.start();
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return first.Errors().contains(u"main dialog requested"_qs); }))
        << first.Errors().toStdString();
    EXPECT_FALSE(second.Errors().contains(u"main dialog requested"_qs));

    QTemporaryDir otherRuntime;
    OrbitProcess other(bus.Address(), otherRuntime.path());
    other.start();
    ASSERT_TRUE(other.waitForStarted());
    EXPECT_FALSE(other.waitForFinished(1000)) << "another log-on is a first instance";
}

// Two graphical sessions of one user share a runtime folder; each has its own copy, and a
// session id that is no plain name is left out of the names rather than put into a path.
TEST(StartupTest, EachSessionOfTheUserHasItsOwnCopy) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    QTemporaryDir runtime;
    OrbitProcess first(bus.Address(), runtime.path());
    QProcessEnvironment env = first.processEnvironment();
    env.insert(u"XDG_SESSION_ID"_qs, u"c1"_qs);
    first.setProcessEnvironment(env);
    first.start();
    ASSERT_TRUE(first.waitForStarted());
    WaitUntil([] { return false; }, 300);

    OrbitProcess second(bus.Address(), runtime.path());
    env.insert(u"XDG_SESSION_ID"_qs, u"c2"_qs);
    second.setProcessEnvironment(env);
    second.start();
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_FALSE(second.waitForFinished(1000)) << "the second session's start went to the first";

    qputenv("XDG_SESSION_ID", "../c3");
    const QString unsafe = COrbitApp::InstancePath();
    qunsetenv("XDG_SESSION_ID");
    EXPECT_EQ(unsafe, COrbitApp::InstancePath());
    qputenv("XDG_SESSION_ID", "c3");
    EXPECT_EQ(COrbitApp::InstancePath(), unsafe + u"-c3"_qs);
    qunsetenv("XDG_SESSION_ID");
}

// Ending the session (SIGTERM) saves the settings and the event list on the way out.
TEST(StartupTest, TerminationSavesTheFiles) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    QTemporaryDir runtime;
    OrbitProcess orbit(bus.Address(), runtime.path());
    orbit.start();
    ASSERT_TRUE(orbit.waitForStarted());
    const QString data = runtime.path() + u"/.local/share/Ostrel/Orbit/"_qs;
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(data); })) << orbit.Errors().toStdString();
    EXPECT_FALSE(QFileInfo::exists(data + u"Settings.xml"_qs));
    WaitUntil([] { return false; }, 300);
    orbit.terminate();
    ASSERT_TRUE(orbit.waitForFinished(5000));
    EXPECT_EQ(orbit.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(orbit.exitCode(), 0);
    EXPECT_TRUE(QFileInfo::exists(data + u"Settings.xml"_qs));
    EXPECT_TRUE(QFileInfo::exists(data + u"EventList.xml"_qs));
}
