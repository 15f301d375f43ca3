#include "COstUI_Orbit_SystemTray.h"

#include "OstDesktopSettings.h"
#include "OstLanguageSelector.h"
#include "OstMessages.h"
#include "OstTrayCommand.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {

OstLanguageSelector& Selector() {
    return OstLanguageSelector::GetInstance();
}

} // namespace

COstUI_Orbit_SystemTray::COstUI_Orbit_SystemTray(QObject* parent) : CSystemTray(parent) {
    setObjectName(QStringLiteral("OSTREL_ORBIT_SYSTRAY"));
    trayMenu_ = new QMenu();
    trayMenu_->setObjectName(QString::number(kTrayIconId));
    auto add = [this](QMenu* menu, int id) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::number(id));
        connect(action, &QAction::triggered, this, [this, id] { OnMenuCommand(id); });
        actions_.insert(id, action);
        return action;
    };
    add(trayMenu_, ID_OPEN_ORBIT);
    remoteMenu_ = trayMenu_->addMenu(QString());
    // Exclusive groups: styles draw one-of-several marks, and exactly one is ever checked.
    auto* remoteGroup = new QActionGroup(trayMenu_);
    remoteGroup->addAction(add(remoteMenu_, ID_REMOTE_OPEN))->setCheckable(true);
    remoteGroup->addAction(add(remoteMenu_, ID_REMOTE_CLOSE))->setCheckable(true);
    remoteMenu_->addSeparator();
    add(remoteMenu_, ID_REMOTE_SETTING);
    add(trayMenu_, ID_AUDIO_SETTING);
    trayMenu_->addSeparator();
    languageMenu_ = trayMenu_->addMenu(QString());
    auto* languageGroup = new QActionGroup(trayMenu_);
    for (int id : {ID_LANG_ENGLISH, ID_LANG_TRADITIONAL_CHINESE, ID_LANG_KOREAN})
        languageGroup->addAction(add(languageMenu_, id))->setCheckable(true);
    add(trayMenu_, ID_ABOUT);
    add(trayMenu_, ID_CLOSE);
    SetMenu(trayMenu_);
}

COstUI_Orbit_SystemTray::~COstUI_Orbit_SystemTray() {
    delete trayMenu_;
}

bool COstUI_Orbit_SystemTray::AskClose(QWidget* parent) {
    return OstMessages::Instance().Ask(469, parent);
}

int COstUI_Orbit_SystemTray::StateStringId(int icon) {
    switch (icon) {
    case TRAY_CONNECTED:
        return 313;
    case TRAY_DISCONNECTED:
        return 314;
    case TRAY_MONITOR:
        return 315;
    case TRAY_MONITOR_OFFLINE:
        return 316;
    default:
        return 0;
    }
}

void COstUI_Orbit_SystemTray::SetTrayState(int icon) {
    if (icon == state_ || StateStringId(icon) == 0)
        return;
    state_ = icon;
    QString text = Selector().GetString(StateStringId(icon));
    SetTooltipText(text);
    const int product = text.indexOf(QStringLiteral("Orbit "));
    if (product >= 0)
        text.remove(product, 6);
    ShowBalloon(text);
    SetIcon(icon);
}

void COstUI_Orbit_SystemTray::PrepareTrayMenu(QMenu* /*menu*/) {
    const auto& selector = Selector();
    static const struct {
        int id;
        int string;
    } kTexts[] = {
        {ID_OPEN_ORBIT, 301},
        {ID_REMOTE_OPEN, 303},
        {ID_REMOTE_CLOSE, 304},
        {ID_REMOTE_SETTING, 305},
        {ID_AUDIO_SETTING, 306},
        {ID_ABOUT, 311},
        {ID_CLOSE, 312},
        // The language names read the same in every language.
        {ID_LANG_ENGLISH, 308},
        {ID_LANG_TRADITIONAL_CHINESE, 309},
        {ID_LANG_KOREAN, 480},
    };
    for (const auto& entry : kTexts)
        actions_.value(entry.id)->setText(selector.GetString(entry.string));
    remoteMenu_->setTitle(selector.GetString(302));
    languageMenu_->setTitle(selector.GetString(307));

    const bool monitoring = state_ == TRAY_MONITOR || state_ == TRAY_MONITOR_OFFLINE;
    actions_.value(ID_REMOTE_OPEN)->setChecked(monitoring);
    actions_.value(ID_REMOTE_CLOSE)->setChecked(!monitoring);
    const std::uint16_t language = selector.GetLanguage();
    actions_.value(ID_LANG_ENGLISH)->setChecked(language == OstLanguageSelector::English);
    actions_.value(ID_LANG_TRADITIONAL_CHINESE)
        ->setChecked(language == OstLanguageSelector::TraditionalChinese);
    actions_.value(ID_LANG_KOREAN)->setChecked(language == OstLanguageSelector::Korean);

    if (const int text = StateStringId(state_ != 0 ? state_ : GetIconId()); text != 0)
        SetTooltipText(selector.GetString(text));
}

void COstUI_Orbit_SystemTray::Post(int code) {
    QMetaObject::invokeMethod(
        this, [this, code] { emit trayCommand(code); }, Qt::QueuedConnection);
}

void COstUI_Orbit_SystemTray::OnMenuCommand(int id) {
    switch (id) {
    case ID_OPEN_ORBIT:
        Post(TRAYCMD_OPEN_MAIN);
        break;
    case ID_REMOTE_OPEN:
        Post(TRAYCMD_REMOTE_START);
        break;
    case ID_REMOTE_CLOSE:
        Post(TRAYCMD_REMOTE_STOP);
        break;
    case ID_REMOTE_SETTING:
        Post(TRAYCMD_REMOTE_SETTING);
        break;
    case ID_AUDIO_SETTING:
        emit trayCommand(TRAYCMD_AUDIO_SETTING);
        OstDesktopSettings::OpenSoundInputSettings(nullptr);
        break;
    case ID_ABOUT:
        emit trayCommand(TRAYCMD_ABOUT);
        break;
    case ID_LANG_ENGLISH:
        Selector().SetLanguage(OstLanguageSelector::English);
        break;
    case ID_LANG_TRADITIONAL_CHINESE:
        Selector().SetLanguage(OstLanguageSelector::TraditionalChinese);
        break;
    case ID_LANG_KOREAN:
        Selector().SetLanguage(OstLanguageSelector::Korean);
        break;
    case ID_CLOSE:
        if (AskClose(nullptr))
            emit closeRequested();
        break;
    default:
        break;
    }
}
