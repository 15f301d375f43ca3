// The remote monitor's switch without windows: the wish, the camera, Skype and the tray.

#include "COstUI_Orbit_SystemTray.h"
#include "OstRemoteSwitch.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using Tray = COstUI_Orbit_SystemTray;

// Records what the switch asks of the monitor, as the real one would store it.
class FakeMonitor : public IOstRemoteMonitor {
public:
    void Start() override {
        calls << u"Start"_qs;
        running = true;
        stored = 1;
    }
    void Stop() override {
        calls << u"Stop"_qs;
        running = false;
        stored = 0;
    }
    void Hold() override {
        calls << u"Hold"_qs;
        running = false;
        stored = 1;
    }
    bool HasPassword() const override { return !password.isEmpty(); }
    bool SetPassword(const QString& text) override {
        if (diskFull)
            return false;
        password = text;
        return true;
    }

    QStringList calls;
    bool running = false;
    int stored = -1;
    QString password;
    bool diskFull = false;
};

class RemoteSwitchTest : public ::testing::Test {
protected:
    OstRemoteSwitch Switch(bool wanted) {
        return OstRemoteSwitch(monitor,
                               {[this] { return camera; }, [this] { return online; },
                                [this](int state) { tray = state; }},
                               wanted);
    }

    FakeMonitor monitor;
    bool camera = true;
    bool online = true;
    int tray = -1;
};

} // namespace

TEST_F(RemoteSwitchTest, EveryWorldGivesItsMonitorAndTrayState) {
    struct Case {
        bool camera, online, wanted;
        const char* call;
        int tray;
    };
    const Case cases[] = {
        {true, true, true, "Start", Tray::TRAY_MONITOR},
        {true, true, false, "Stop", Tray::TRAY_CONNECTED},
        {true, false, true, "Hold", Tray::TRAY_MONITOR_OFFLINE},
        {true, false, false, "Stop", Tray::TRAY_CONNECTED},
        {false, true, true, "Hold", Tray::TRAY_DISCONNECTED},
        {false, true, false, "Stop", Tray::TRAY_DISCONNECTED},
        {false, false, true, "Hold", Tray::TRAY_DISCONNECTED},
        {false, false, false, "Stop", Tray::TRAY_DISCONNECTED},
    };
    for (const Case& c : cases) {
        camera = c.camera;
        online = c.online;
        monitor.calls.clear();
        OstRemoteSwitch remote = Switch(false);
        remote.Update(c.wanted);
        EXPECT_EQ(monitor.calls, QStringList{QString::fromLatin1(c.call)})
            << c.camera << c.online << c.wanted;
        EXPECT_EQ(tray, c.tray) << c.camera << c.online << c.wanted;
        EXPECT_EQ(remote.Wanted(), c.wanted);
    }
}

TEST_F(RemoteSwitchTest, TheUsersOffIsStoredWithoutACameraAndTheWishOutlivesOutages) {
    monitor.password = u"secret"_qs;
    OstRemoteSwitch remote = Switch(false);
    ASSERT_EQ(remote.RequestStart(), OstRemoteSwitch::Request::Started);
    EXPECT_EQ(monitor.stored, 1);

    // The camera goes and Skype logs out: the wish stays stored, nothing answers calls.
    camera = false;
    remote.Refresh();
    EXPECT_EQ(monitor.stored, 1);
    EXPECT_FALSE(monitor.running);
    EXPECT_TRUE(remote.Wanted());

    // The user switches it off meanwhile: stored as off, and it stays off when the camera is back.
    remote.Update(false);
    EXPECT_EQ(monitor.stored, 0);
    camera = true;
    remote.Refresh();
    EXPECT_FALSE(monitor.running);
    EXPECT_EQ(tray, Tray::TRAY_CONNECTED);
}

TEST_F(RemoteSwitchTest, OpenNeedsAPasswordAndACameraAndARevokedPasswordIsGone) {
    OstRemoteSwitch remote = Switch(false);
    EXPECT_EQ(remote.RequestStart(), OstRemoteSwitch::Request::NeedsPassword);
    EXPECT_TRUE(monitor.calls.isEmpty());

    remote.ApplyPage(u"secret"_qs, true);
    EXPECT_TRUE(monitor.running);
    camera = false;
    EXPECT_EQ(remote.RequestStart(), OstRemoteSwitch::Request::NoCamera);
    camera = true;

    // Change, the fields emptied, OK: the page gives an empty password and the switch off.
    remote.ApplyPage(QString(), false);
    EXPECT_EQ(monitor.password, QString()) << "the old password is kept";
    EXPECT_FALSE(monitor.running);
    EXPECT_EQ(remote.RequestStart(), OstRemoteSwitch::Request::NeedsPassword);
    EXPECT_FALSE(monitor.running);
}

TEST_F(RemoteSwitchTest, APasswordTheDiskRefusedLeavesTheMonitorOff) {
    OstRemoteSwitch remote = Switch(false);
    ASSERT_TRUE(remote.ApplyPage(u"old"_qs, true));
    ASSERT_TRUE(monitor.running);
    // The user revokes the old password, but the disk is full: the old one is still in force,
    // so no call may be taken up with it.
    monitor.diskFull = true;
    EXPECT_FALSE(remote.ApplyPage(QString(), true));
    EXPECT_FALSE(monitor.running);
    EXPECT_EQ(tray, COstUI_Orbit_SystemTray::TRAY_CONNECTED);
    monitor.diskFull = false;
    EXPECT_TRUE(remote.ApplyPage(u"new"_qs, true));
    EXPECT_TRUE(monitor.running);
}
