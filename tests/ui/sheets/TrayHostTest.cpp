// The tray icon in a real X tray: a private Xvfb display with a small tray host (trayer).
// Skipped when either program is missing.
#include "COstUI_Orbit_SystemTray.h"
#include "OstLanguageSelector.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include <csignal>
#include <sys/prctl.h>

namespace {

// The display and the tray host end with this process, even when a test crashes.
void EndWithParent(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

std::unique_ptr<QProcess> StartTrayHost() {
    auto host = std::make_unique<QProcess>();
    EndWithParent(*host);
    host->start(QStringLiteral("trayer"), {});
    return host->waitForStarted(5000) ? std::move(host) : nullptr;
}

void StopTrayHost(std::unique_ptr<QProcess>& host) {
    host->terminate();
    if (!host->waitForFinished(5000)) {
        host->kill();
        host->waitForFinished(5000);
    }
    host.reset();
}

bool InTray(const COstUI_Orbit_SystemTray& tray) {
    return tray.IsIconAdded() && tray.GetTrayIcon()->geometry().isValid();
}

} // namespace

// Without a display server and a tray host to run, the tests say they did not run.
static bool gTrayHostAvailable = true;

TEST(TrayHostTest, IconComesBackWhenThePanelRestarts) {
    if (!gTrayHostAvailable)
        GTEST_SKIP() << "Xvfb or trayer is not installed";
    auto host = StartTrayHost();
    ASSERT_NE(host, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);

    COstUI_Orbit_SystemTray tray;
    EXPECT_TRUE(tray.Create(OstLanguageSelector::GetInstance().GetString(314),
                            COstUI_Orbit_SystemTray::TRAY_DISCONNECTED));
    tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_CONNECTED);
    QTRY_VERIFY_WITH_TIMEOUT(InTray(tray), 10000);

    StopTrayHost(host);
    QTRY_VERIFY_WITH_TIMEOUT(!InTray(tray), 10000);
    tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_MONITOR);

    host = StartTrayHost();
    ASSERT_NE(host, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(InTray(tray), 10000);
    EXPECT_EQ(tray.GetTrayIcon()->toolTip(), OstLanguageSelector::GetInstance().GetString(315))
        << "the icon returns in the state it reached while the panel was away";
    EXPECT_EQ(tray.GetIconId(), COstUI_Orbit_SystemTray::TRAY_MONITOR);
    StopTrayHost(host);
}

TEST(TrayHostTest, IconAppearsWhenATrayStartsAfterTheProgram) {
    if (!gTrayHostAvailable)
        GTEST_SKIP() << "Xvfb or trayer is not installed";
    QTRY_VERIFY_WITH_TIMEOUT(!QSystemTrayIcon::isSystemTrayAvailable(), 10000);
    COstUI_Orbit_SystemTray tray;
    EXPECT_FALSE(tray.Create(OstLanguageSelector::GetInstance().GetString(313),
                             COstUI_Orbit_SystemTray::TRAY_CONNECTED));
    auto host = StartTrayHost();
    ASSERT_NE(host, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(InTray(tray), 10000);
    StopTrayHost(host);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty()) {
        // Reported as skipped, never as passed.
        gTrayHostAvailable = false;
        return RUN_ALL_TESTS();
    }
    // A display of its own: -displayfd picks a free number and reports it.
    QProcess xvfb;
    EndWithParent(xvfb);
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    if (!xvfb.waitForStarted(5000) || !xvfb.waitForReadyRead(10000))
        return 2;
    const QByteArray display = ':' + xvfb.readAllStandardOutput().trimmed();
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    // No session bus: the icon must take the X tray, not a status-notifier host elsewhere.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orbit-test-bus");
    int result = 0;
    {
        QApplication app(argc, argv);
        QTemporaryDir settingsDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        result = RUN_ALL_TESTS();
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return result;
}
