#include "MiniSkype.h"
#include "OrbitProcess.h"
#include "PrivateBus.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// The orbit executable on a private bus: it attaches, asks for the version, pings, asks for
// the friends and their details, and attaches again to a Skype that restarted.
TEST(AttachIntegrationTest, AttachesQueriesAndReattachesAfterRestart) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    QTemporaryDir runtime;
    auto skype = std::make_unique<MiniSkype>(bus.Address(), u"skype-1"_qs);
    ASSERT_TRUE(skype->IsRegistered());

    OrbitProcess orbit(bus.Address(), runtime.path());
    orbit.setArguments({u"--trace-skype"_qs});
    orbit.start();
    ASSERT_TRUE(orbit.waitForStarted());

    auto sent = [&] { return skype->commands; };
    ASSERT_TRUE(WaitUntil([&] { return sent().contains(u"GET USER bob ONLINESTATUS"_qs); }))
        << sent().join(u'\n').toStdString() << orbit.Errors().toStdString();
    const QStringList first = sent().mid(0, 4);
    // The controller's observers run inside the attach, before its own two queries.
    EXPECT_EQ(first, (QStringList{u"NAME Orbit"_qs, u"SEARCH FRIENDS"_qs, u"GET SKYPEVERSION"_qs,
                                  u"PING"_qs}));
    EXPECT_TRUE(sent().contains(u"GET USER alice FULLNAME"_qs));
    EXPECT_TRUE(sent().contains(u"GET USER alice DISPLAYNAME"_qs));

    // The trace shows both directions in their two forms.
    ASSERT_TRUE(WaitUntil([&] { return orbit.Errors().contains(u"Skype=>PC: USERS alice, bob"_qs); }));
    EXPECT_TRUE(orbit.Errors().contains(u"PC=>Skype: 'SEARCH FRIENDS'"_qs));

    // Skype goes away and comes back as a new process.
    skype.reset();
    skype = std::make_unique<MiniSkype>(bus.Address(), u"skype-2"_qs);
    ASSERT_TRUE(skype->IsRegistered());
    ASSERT_TRUE(WaitUntil([&] { return sent().contains(u"SEARCH FRIENDS"_qs); }))
        << orbit.Errors().toStdString();
    EXPECT_EQ(sent().first(), u"NAME Orbit"_qs);
    EXPECT_EQ(orbit.state(), QProcess::Running);
}

// Without any Skype the program keeps asking every second and keeps running.
TEST(AttachIntegrationTest, WithoutSkypeDiscoveryGoesOnAndLaterSkypeIsFound) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    QTemporaryDir runtime;
    OrbitProcess orbit(bus.Address(), runtime.path());
    orbit.start();
    ASSERT_TRUE(orbit.waitForStarted());
    WaitUntil([] { return false; }, 1500);
    EXPECT_EQ(orbit.state(), QProcess::Running);
    MiniSkype skype(bus.Address(), u"late-skype"_qs);
    ASSERT_TRUE(WaitUntil([&] { return skype.commands.contains(u"SEARCH FRIENDS"_qs); }, 5000));
}
