#pragma once

#include "OstSettings.h"
#include "SettingsRecord.h"

#include <QObject>
#include <QString>
#include <QVariant>

class OstLanguageSelector;
class OstNotificationCenter;
class OstSkypeController;

// The program's controller: joins the subsystems, observes their notifications and runs
// the commands of the tray and the main dialog. Lives on the UI thread.
class COrbit_MainWnd : public QObject {
    Q_OBJECT
public:
    enum TrayCommand {
        TRAYCMD_OPEN_MAIN = 32868,
        TRAYCMD_REMOTE_START = 32869,
        TRAYCMD_REMOTE_STOP = 32870,
        TRAYCMD_REMOTE_SETTING = 32871,
        TRAYCMD_AUDIO_SETTING = 32872,
        TRAYCMD_ABOUT = 32873,
    };
    Q_ENUM(TrayCommand)

    enum UiCommand {
        UICMD_TAKE_PHOTO = 32968,
        UICMD_SEND_PHOTO = 32969,
        UICMD_OPEN_FOLDER = 32971,
        UICMD_OPEN_SETTINGS = 32972,
        UICMD_SEND_SOFTWARE = 32973,
        UICMD_SET_ZOOM = 32974,
        UICMD_TOGGLE_MIRROR = 32975,
        UICMD_CANCEL_TRANSFER = 32977,
        UICMD_UPDATE_VIDEO_POSITION = 32978,
        UICMD_DIALOG_CLOSED = 32979,
        UICMD_REFRESH_FRIENDS = 32980,
        UICMD_EVENT_LIST_EMPTIED = 32981,
    };
    Q_ENUM(UiCommand)

    explicit COrbit_MainWnd(QObject* parent = nullptr);
    ~COrbit_MainWnd() override;

    // Builds the process-wide parts, registers for the notifications and starts Skype
    // discovery. Returns false when the program cannot run its resident part.
    bool Initialize(bool showMainDialog, OstSkypeController* controller = nullptr);

    Q_INVOKABLE int trayCommand(int code);

    // Saves the settings and the event list, as at every end of the program.
    void SaveAll();

    OstSettings& GetSettingsStore() { return settings_; }
    const SettingsRecord& GetWorkingSettings() const { return working_; }

signals:
    // The main dialog was asked for (tray item or a second start).
    void mainDialogRequested();

private:
    static void OnNotificationCallback(void* observer, void* payload, const QString& name);
    void OnSkypeConnected();

    OstSettings settings_;
    OstLanguageSelector* language_ = nullptr;
    OstNotificationCenter* center_ = nullptr;
    OstSkypeController* skype_ = nullptr;
    SettingsRecord working_;
    int previewZoom_ = 100;
    bool showMainDialog_ = false;
};
