#pragma once

#include "COstUI_Orbit_SystemTray.h"
#include "IOstGraphReporter.h"
#include "IOstWebcamOwner.h"
#include "OstEventListModel.h"
#include "OstOrbitRemote.h"
#include "OstRemoteSwitch.h"
#include "OstSettings.h"
#include "OstTrayCommand.h"
#include "OstUiCommand.h"
#include "SettingsRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>

class COstUI_Orbit_ContactListDlg;
class COstUI_Orbit_MainDlg;
class COstUI_Orbit_StartupDlg;
class OstLanguageSelector;
class OstNotificationCenter;
class OstCalls;
class OstCameraSession;
class OstPresenter;
class OstCameraSharing;
class OstContacts;
class OstPhotoTransfers;
class OstSaving;
class OstSheets;
class OstSkypeController;
class OstWebcam;
class OstWebcamMonitor;
class QWidget;
struct FriendInfoUpdate;

// The program's controller: joins the subsystems, observes their notifications and runs
// the commands of the tray and the main dialog. Lives on the UI thread.
class COrbit_MainWnd : public QObject,
                       public IOstWebcamOwner,
                       public IOstGraphReporter {
    Q_OBJECT
public:
    // The parts the controller takes from outside; null members mean the process-wide ones.
    struct Parts {
        OstSkypeController* skype = nullptr;
        OstWebcamMonitor* webcams = nullptr;
        // Finds the V4L2 loopback device the shared camera may feed; empty: the system's.
        std::function<QString()> loopback;
    };

    explicit COrbit_MainWnd(QObject* parent = nullptr);
    ~COrbit_MainWnd() override;

    // Builds the windows, registers for the notifications and starts Skype discovery.
    bool Initialize(bool showMainDialog, const Parts& parts);

    Q_INVOKABLE int trayCommand(int code);
    Q_INVOKABLE int uiCommand(int code, const QVariant& argument = {});

    // The end of the program (tray Close, session end, a termination signal): the settings and
    // events are saved, open sheets end and the transfer object goes. A session end that is
    // cancelled runs it too, so it may run more than once.
    void Close();
    // Saves the settings and the event list as they stand, without ending anything.
    void SaveAll();

    COstUI_Orbit_MainDlg* MainDialog() const { return mainDlg_.get(); }
    COstUI_Orbit_SystemTray* Tray() const { return tray_.get(); }

    // IOstWebcamOwner: the camera's buttons and its timed photo.
    void OnWebcamSnapShotKey(OstWebcam* device, IOstVideoWindow* videoWindow) override;
    void OnWebcamSnapShotImage(OstWebcam* device, IOstVideoWindow* videoWindow,
                               const QString& path) override;
    void OnWebcamOrbitSendKey(OstWebcam* device, IOstVideoWindow* videoWindow) override;
    // IOstGraphReporter: a capture-graph failure; the graph hands it over on the UI thread,
    // queued, so no camera thread ever waits for the box.
    void ReportFailure(const QString& text) override;


protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A message box of the program, any window's, is shown with this text.
    void messageShown(const QString& text);
    // The program is to end: the tray's Close was confirmed.
    void quitRequested();

private:
    static void OnNotificationCallback(void* observer, void* payload, const QString& name);
    void HandleNotification(void* payload, const QString& name);


    void SetTrayState(int state);
    // openHidden: a hidden dialog is centred and its preview started before it is shown.
    void ShowMainDialog(bool openHidden);

    void TakePhoto();
    void PhotoTaken(const QString& path);
    void SendPhotos();
    void SendSoftware(const QString& handle);
    void SetFolderLabelToPictures();
    void RememberSelectedFriend();
    // The settings and the rows are saved soon, coalesced to one write a second.
    void ScheduleSave();
    // A photo arrived whole: the dialog shows it, and asks for attention when hidden.
    void PhotoArrived();

    void OnSkypeConnected();
    void OnSkypeDisconnected();
    void OnWebcamPlugIn(const QString& className);
    void OnWebcamPullOut(const QString& devicePath);
    void OnLanguageChanged();
    // The settings sheet closed: its choices take effect.
    void SettingsClosed(bool restartCamera);

    // Over the dialog while it is shown.
    void ShowMessage(int stringId);
    void ShowMessageText(const QString& text);
    QWidget* MessageParent() const;
    QString String(int number) const;

    OstSettings settings_;
    // The events outlive every window that shows them.
    OstEventListModel events_;
    OstOrbitRemote remote_;
    OstRemoteSwitch remoteSwitch_;
    OstLanguageSelector* language_ = nullptr;
    std::unique_ptr<COstUI_Orbit_StartupDlg> startupDlg_;
    std::unique_ptr<COstUI_Orbit_ContactListDlg> contactDlg_;
    std::unique_ptr<COstUI_Orbit_SystemTray> tray_;
    int trayState_ = COstUI_Orbit_SystemTray::TRAY_DISCONNECTED;
    std::unique_ptr<COstUI_Orbit_MainDlg> mainDlg_;
    OstNotificationCenter* center_ = nullptr;
    OstSkypeController* skype_ = nullptr;
    OstWebcamMonitor* webcams_ = nullptr;
    std::unique_ptr<OstCameraSession> cameraSession_;
    std::unique_ptr<OstPresenter> presenter_;
    std::unique_ptr<OstCameraSharing> sharing_;
    std::unique_ptr<OstCalls> calls_;
    std::unique_ptr<OstPhotoTransfers> transfers_;
    std::unique_ptr<OstContacts> contacts_;
    std::unique_ptr<OstSaving> saving_;
    std::unique_ptr<OstSheets> sheets_;
    SettingsRecord working_;

};
