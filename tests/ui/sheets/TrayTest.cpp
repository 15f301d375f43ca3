#include "COstUI_Orbit_SystemTray.h"
#include "OstLanguageSelector.h"
#include "OstTrayCommand.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Balloons need a tray that shows them; here they are counted instead.
class CountingTray : public COstUI_Orbit_SystemTray {
public:
    bool ShowBalloon(const QString& text) override {
        balloons << text;
        return true;
    }
    QStringList balloons;
};

QString Text(std::uint16_t language, int number) {
    QString text;
    OstLanguageSelector::LoadStringInLanguage(language, number, text);
    return text;
}

// Opens the menu as a click would, and closes it again.
QMenu* OpenMenu(COstUI_Orbit_SystemTray& tray) {
    QMenu* menu = tray.GetMenu();
    menu->popup(QPoint(10, 10));
    menu->hide();
    return menu;
}

// Answers the next message box with the given button.
void Answer(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), Text(OstLanguageSelector::GetInstance().GetLanguage(), 469));
        box->button(button)->click();
    });
}

} // namespace

TEST(TrayTest, OneBalloonPerStateChangeWithoutTheProductName) {
    auto& selector = OstLanguageSelector::GetInstance();
    selector.SetLanguage(OstLanguageSelector::Korean);
    CountingTray tray;
    tray.Create(Text(OstLanguageSelector::Korean, 314), COstUI_Orbit_SystemTray::TRAY_DISCONNECTED);
    EXPECT_EQ(tray.GetTrayState(), 0) << "creating the icon is not a state change";
    EXPECT_TRUE(tray.balloons.isEmpty());

    tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_DISCONNECTED);
    tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_DISCONNECTED);
    tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_MONITOR_OFFLINE);
    tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_MONITOR_OFFLINE);
    tray.SetTrayState(999); // no such state: ignored
    EXPECT_EQ(tray.balloons, (QStringList{u"연결 끊김"_qs, u"모니터링 중, Skype 오프라인"_qs}));
    EXPECT_EQ(tray.GetTrayState(), COstUI_Orbit_SystemTray::TRAY_MONITOR_OFFLINE);
    EXPECT_EQ(tray.GetIconId(), COstUI_Orbit_SystemTray::TRAY_MONITOR_OFFLINE);
    EXPECT_EQ(tray.GetTooltipText(), Text(OstLanguageSelector::Korean, 316));
    EXPECT_EQ(tray.GetTrayIcon()->toolTip(), tray.GetTooltipText());
    selector.SetLanguage(OstLanguageSelector::English);
}

TEST(TrayTest, MenuChecksAndTextsFollowStateAndLanguage) {
    auto& selector = OstLanguageSelector::GetInstance();
    CountingTray tray;
    tray.Create(Text(OstLanguageSelector::English, 314),
                COstUI_Orbit_SystemTray::TRAY_DISCONNECTED);
    const struct {
        int state;
        std::uint16_t language;
        bool monitoring;
        int languageEntry;
    } kCases[] = {
        {COstUI_Orbit_SystemTray::TRAY_CONNECTED, OstLanguageSelector::English, false, 32800},
        {COstUI_Orbit_SystemTray::TRAY_MONITOR, OstLanguageSelector::TraditionalChinese, true,
         32801},
        {COstUI_Orbit_SystemTray::TRAY_MONITOR_OFFLINE, OstLanguageSelector::Korean, true, 32802},
        {COstUI_Orbit_SystemTray::TRAY_DISCONNECTED, OstLanguageSelector::Korean, false, 32802},
    };
    for (const auto& c : kCases) {
        tray.SetTrayState(c.state);
        selector.SetLanguage(c.language);
        QMenu* menu = OpenMenu(tray);
        EXPECT_EQ(tray.GetAction(32793)->isChecked(), c.monitoring) << c.state;
        EXPECT_EQ(tray.GetAction(32794)->isChecked(), !c.monitoring) << c.state;
        for (int entry : {32800, 32801, 32802})
            EXPECT_EQ(tray.GetAction(entry)->isChecked(), entry == c.languageEntry) << entry;
        EXPECT_EQ(menu->defaultAction(), tray.GetAction(32791));
        EXPECT_EQ(tray.GetAction(32791)->text(), Text(c.language, 301));
        EXPECT_EQ(menu->actions().at(4)->text(), Text(c.language, 307)) << "popups by position";
        EXPECT_EQ(tray.GetAction(32802)->text(), u"한국어"_qs);
    }
    selector.SetLanguage(OstLanguageSelector::English);
}

TEST(TrayTest, CommandsReachTheControllerPostedOrSent) {
    auto& selector = OstLanguageSelector::GetInstance();
    selector.SetLanguage(OstLanguageSelector::English);
    CountingTray tray;
    tray.Create(Text(OstLanguageSelector::English, 313), COstUI_Orbit_SystemTray::TRAY_CONNECTED);
    QSignalSpy commands(&tray, &COstUI_Orbit_SystemTray::trayCommand);
    QSignalSpy close(&tray, &COstUI_Orbit_SystemTray::closeRequested);

    tray.GetAction(32797)->trigger(); // About is sent: handled before trigger returns
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands.takeFirst().at(0).toInt(), TRAYCMD_ABOUT);

    for (int id : {32791, 32793, 32794, 32795})
        tray.GetAction(id)->trigger();
    EXPECT_TRUE(commands.isEmpty()) << "posted commands wait for the event loop";
    QCoreApplication::processEvents();
    QList<int> codes;
    for (const auto& call : commands)
        codes << call.at(0).toInt();
    EXPECT_EQ(codes, (QList<int>{TRAYCMD_OPEN_MAIN, TRAYCMD_REMOTE_START, TRAYCMD_REMOTE_STOP,
                                 TRAYCMD_REMOTE_SETTING}));
    commands.clear();

    // A double-click (its first press is a click) runs the menu's default entry, as a menu
    // command, and opens no menu; a lone click opens the menu.
    emit tray.GetTrayIcon()->activated(QSystemTrayIcon::Trigger);
    emit tray.GetTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_FALSE(tray.GetMenu()->isVisible());
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands.takeFirst().at(0).toInt(), TRAYCMD_OPEN_MAIN);
    emit tray.GetTrayIcon()->activated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(tray.GetMenu()->isVisible());
    tray.GetMenu()->hide();

    tray.GetAction(32802)->trigger();
    EXPECT_EQ(selector.GetLanguage(), OstLanguageSelector::Korean);
    tray.GetAction(32800)->trigger();
    EXPECT_EQ(selector.GetLanguage(), OstLanguageSelector::English);

    Answer(QMessageBox::No);
    tray.GetAction(32798)->trigger();
    EXPECT_TRUE(close.isEmpty());
    Answer(QMessageBox::Yes);
    tray.GetAction(32798)->trigger();
    EXPECT_EQ(close.size(), 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(commands.isEmpty());
}
