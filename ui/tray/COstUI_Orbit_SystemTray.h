#pragma once

#include "CSystemTray.h"

#include <QHash>

class QAction;
class QMenu;

// Orbit's tray icon: the four states (camera, remote monitor, Skype) with their tooltips and
// balloons, and the menu. Menu commands reach the controller through trayCommand: the
// "posted" ones (open, remote start/stop/setting) are emitted from the event loop after the
// menu has closed, the "sent" ones (audio setting, about) at once, before the tray goes on.
// The language entries set the language themselves; Close asks first and then emits
// closeRequested.
class COstUI_Orbit_SystemTray : public CSystemTray {
    Q_OBJECT

public:
    enum TrayState {
        TRAY_CONNECTED = 147,
        TRAY_DISCONNECTED = 148,
        TRAY_MONITOR = 149,
        TRAY_MONITOR_OFFLINE = 150,
    };

    // Menu entry ids (objectNames of the actions).
    enum MenuId {
        ID_OPEN_ORBIT = 32791,
        ID_REMOTE_OPEN = 32793,
        ID_REMOTE_CLOSE = 32794,
        ID_REMOTE_SETTING = 32795,
        ID_AUDIO_SETTING = 32796,
        ID_ABOUT = 32797,
        ID_CLOSE = 32798,
        ID_LANG_ENGLISH = 32800,
        ID_LANG_TRADITIONAL_CHINESE = 32801,
        ID_LANG_KOREAN = 32802,
    };

    explicit COstUI_Orbit_SystemTray(QObject* parent = nullptr);
    ~COstUI_Orbit_SystemTray() override;

    // Moves to a state (an icon number above): tooltip, a balloon without the leading
    // "Orbit ", and the icon. The same state again changes nothing.
    void SetTrayState(int icon);
    int GetTrayState() const { return state_; }
    // The string number of a state's text; 0 for a number that is no state.
    static int StateStringId(int icon);
    // The Close question (469): whether the user wants the program to end.
    static bool AskClose(QWidget* parent);

    QAction* GetAction(int id) const { return actions_.value(id); }

signals:
    void trayCommand(int code);
    void closeRequested();

protected:
    void PrepareTrayMenu(QMenu* menu) override;

private:
    void OnMenuCommand(int id);
    void Post(int code);

    QMenu* trayMenu_ = nullptr;
    QMenu* remoteMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QHash<int, QAction*> actions_;
    int state_ = 0;
};
