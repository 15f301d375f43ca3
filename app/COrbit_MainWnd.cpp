#include "COrbit_MainWnd.h"

#include "COstUI_Orbit_ContactListDlg.h"
#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_MainDlg.h"
#include "COstUI_Orbit_StartupDlg.h"
#include "COstUI_Orbit_SystemTray.h"
#include "CallMessage.h"
#include "FriendInfoUpdate.h"
#include "OstCalls.h"
#include "OstCameraSharing.h"
#include "OstHeap.h"
#include "OstCameraSession.h"
#include "OstContacts.h"
#include "OstDXShow.h"
#include "OstFriendChooser.h"
#include "OstLanguageSelector.h"
#include "OstMessages.h"
#include "OstNotificationCenter.h"
#include "OstPhotoTransfers.h"
#include "OstPresenter.h"
#include "OstText.h"
#include "OstSaving.h"
#include "OstSheets.h"
#include "OstSkypeController.h"
#include "OstUser.h"
#include "OstUserMonitor.h"
#include "OstWebcam.h"
#include "OstUiCommand.h"
#include "OstWebcamMonitor.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScreen>
#include <QUrl>

Q_LOGGING_CATEGORY(lcMainWnd, "orbit.app", QtInfoMsg)

namespace {
using Tray = COstUI_Orbit_SystemTray;

// The eight notifications the controller observes, in the order it registers them.
const char16_t* const kObserved[] = {
    u"LANGUAGE_CHANGED",      u"SKYPE_CONNECTED",          u"SKYPE_DISCONNECTED",
    u"WEBCAM_PLUG_IN",        u"WEBCAM_PULL_OUT",          u"SKYPE_FRIEND_INFO_UPDATE",
    u"SKYPE_CALL_MESSAGE",    u"SKYPE_USERSTATUS",
};

constexpr int kRemoteNoCameraText = 381;
constexpr int kSkypeAccessText = 465;
constexpr int kSaveFailedText = 475;

QString WithoutLastCharacter(const QString& text) { return text.left(qMax<qsizetype>(0, text.size() - 1)); }
} // namespace

COrbit_MainWnd::COrbit_MainWnd(QObject* parent)
    : QObject(parent),
      remoteSwitch_(remote_,
                    {[this] { return webcams_ && webcams_->DeviceCount() > 0; },
                     [this] { return skype_ && skype_->GetUserStatus() > SKYPE_STATUS_OFFLINE; },
                     [this](int state) { SetTrayState(state); }},
                    remote_.IsRunning()),
      working_(settings_.GetSettings()) {}

COrbit_MainWnd::~COrbit_MainWnd() {
    if (center_)
        center_->RemoveObserver(this, QString());
    // The camera is lent, never owned: give it back before the windows it paints into go.
    presenter_.reset();
    // Before the session: it takes the frame tap back from the camera.
    sharing_.reset();
    cameraSession_.reset();
    transfers_.reset();
    // A graph report that outlives its graph goes to the default reporter: never to this one
    // once it is gone.
    OstDXShow::SetDefaultReporter(nullptr);
}

QString COrbit_MainWnd::String(int number) const {
    return (language_ ? *language_ : OstLanguageSelector::GetInstance()).GetString(number);
}

bool COrbit_MainWnd::Initialize(bool showMainDialog, const Parts& parts) {
    language_ = &OstLanguageSelector::GetInstance();

    startupDlg_ = std::make_unique<COstUI_Orbit_StartupDlg>();
    startupDlg_->ApplyTexts();
    startupDlg_->show();

    center_ = &OstNotificationCenter::GetInstance();
    skype_ = parts.skype ? parts.skype : &OstSkypeController::GetInstance();
    webcams_ = parts.webcams ? parts.webcams : &OstWebcamMonitor::GetInstance();
    webcams_->EnumerateExisting();
    OstDXShow::SetDefaultReporter(this);

    mainDlg_ = std::make_unique<COstUI_Orbit_MainDlg>(events_);
    connect(mainDlg_.get(), &COstUI_Orbit_MainDlg::uiCommand, this,
            [this](int code, const QVariant& argument) { uiCommand(code, argument); });
    connect(mainDlg_.get(), &COstUI_Orbit_MainDlg::eventsChanged, this, &COrbit_MainWnd::ScheduleSave);
    connect(mainDlg_.get(), &COstUI_Orbit_MainDlg::endProgramRequested, this, &COrbit_MainWnd::quitRequested);
    mainDlg_->installEventFilter(this);
    connect(&OstMessages::Instance(), &OstMessages::shown, this, &COrbit_MainWnd::messageShown);
    transfers_ = std::make_unique<OstPhotoTransfers>(
        *skype_, events_,
        OstPhotoTransfers::Hooks{
            [this](int number) { return String(number); },
            [this](const QString& handle) {
                const OstUser* contact = skype_->GetUserMonitor().GetUser(handle);
                return contact ? contact->GetShownName() : handle;
            },
            [this] { return settings_.GetReceiveFolder(); },
            [this](int index) { mainDlg_->EventList()->SelectOnly(index); },
            [this] { PhotoArrived(); },
            [this](const QString& text) { ShowMessageText(text); },
            [this] { ScheduleSave(); }});
    connect(skype_, &OstSkypeController::CurrentUserHandleChanged, this, [this] { transfers_->UserNamed(); });
    cameraSession_ = std::make_unique<OstCameraSession>(*webcams_, *this, *mainDlg_, working_,
                                                        [this] { return settings_.MakePhotoFileName(); });
    presenter_ = std::make_unique<OstPresenter>(*mainDlg_, *cameraSession_);
    sharing_ = std::make_unique<OstCameraSharing>(
        *cameraSession_, [this](const QString& note) { if (tray_) tray_->SetTooltipNote(note); },
        [this](int number) { return String(number); }, parts.loopback);
    sharing_->SetFrameRate(OstText::ToInt(working_.Frame));
    connect(mainDlg_.get(), &COstUI_Orbit_MainDlg::cameraStateChanged, this,
            [this](int messageId) { sharing_->CameraState(messageId); });
    sheets_ = std::make_unique<OstSheets>(
        OstSheets::Parts{working_, *webcams_, *cameraSession_, remote_, remoteSwitch_, *sharing_,
                         [this](bool restartCamera) { SettingsClosed(restartCamera); }},
        *mainDlg_);
    calls_ = std::make_unique<OstCalls>(*skype_, *cameraSession_,
                                        [this] { return webcams_->DeviceCount() > 0; });
    SetFolderLabelToPictures();
    events_.Load(settings_.GetEvents());
    if (events_.Count() > 0) {
        mainDlg_->ShowFirstEvent();
        mainDlg_->EventList()->SelectOnly(0);
    }
    saving_ = std::make_unique<OstSaving>(OstSaving::Parts{
        settings_, working_, events_, [this] { return sheets_ && sheets_->SettingsOpen(); },
        [this] { RememberSelectedFriend(); }, [this] { ShowMessage(kSaveFailedText); }});

    trayState_ = Tray::TRAY_DISCONNECTED;
    if (webcams_->DeviceCount() > 0) {
        cameraSession_->Open();
        if (!showMainDialog)
            cameraSession_->Detach();
        trayState_ = Tray::TRAY_CONNECTED;
    }

    contactDlg_ = std::make_unique<COstUI_Orbit_ContactListDlg>();
    contacts_ = std::make_unique<OstContacts>(
        *skype_, mainDlg_->Friends(), *contactDlg_, working_.LastFriendHandle,
        OstContacts::Hooks{[this] { transfers_->ContactsComplete(); },
                           [this](int stringId) { ShowMessage(stringId); }});

    for (const char16_t* name : kObserved)
        center_->AddObserver(this, &COrbit_MainWnd::OnNotificationCallback, QString::fromUtf16(name));

    tray_ = std::make_unique<COstUI_Orbit_SystemTray>();
    connect(tray_.get(), &COstUI_Orbit_SystemTray::trayCommand, this,
            [this](int code) { trayCommand(code); });
    // The end of the event loop saves (Close); saving here as well would write everything twice.
    connect(tray_.get(), &COstUI_Orbit_SystemTray::closeRequested, this, &COrbit_MainWnd::quitRequested);
    const bool trayShown = tray_->Create(String(Tray::StateStringId(trayState_)), trayState_);
    sharing_->ApplyTexts();
    mainDlg_->SetCloseEndsProgram(!trayShown);

    startupDlg_->hide();

    // Without a tray the program would be invisible and unreachable: the dialog is shown
    // anyway (minimised at log-on, its preview started when the user restores it), and Skype
    // is looked for as with a tray. The camera was opened above already: the dialog is only shown.
    if (showMainDialog)
        ShowMainDialog(false);
    else if (!trayShown)
        mainDlg_->showMinimized();
    skype_->Discover();
    return true;
}

void COrbit_MainWnd::OnNotificationCallback(void* observer, void* payload, const QString& name) {
    static_cast<COrbit_MainWnd*>(observer)->HandleNotification(payload, name);
}

void COrbit_MainWnd::HandleNotification(void* payload, const QString& name) {
    // Every name arrives on the UI thread: the Skype link hands a lost link found on a worker
    // thread over to the UI thread before it posts "SKYPE_DISCONNECTED".
    if (name == u"SKYPE_CONNECTED")
        OnSkypeConnected();
    else if (name == u"SKYPE_DISCONNECTED")
        OnSkypeDisconnected();
    else if (name == u"SKYPE_USERSTATUS")
        remoteSwitch_.Refresh();
    else if (name == u"SKYPE_FRIEND_INFO_UPDATE" && payload)
        contacts_->OnFriendInfoUpdate(*static_cast<const FriendInfoUpdate*>(payload));
    else if (name == u"SKYPE_CALL_MESSAGE" && payload)
        calls_->OnCallMessage(*static_cast<const CallMessage*>(payload));
    else if (name == u"WEBCAM_PLUG_IN" && payload)
        OnWebcamPlugIn(*static_cast<const QString*>(payload));
    else if (name == u"WEBCAM_PULL_OUT" && payload)
        OnWebcamPullOut(*static_cast<const QString*>(payload));
    else if (name == u"LANGUAGE_CHANGED")
        OnLanguageChanged();
}

// ---- camera ----

bool COrbit_MainWnd::eventFilter(QObject* watched, QEvent* event) {
    // A dialog shown minimised (at log-on without a tray, or by a received photo) starts its
    // preview only when the user restores it.
    if (watched == mainDlg_.get() && event->type() == QEvent::WindowStateChange &&
        mainDlg_->isVisible() && !mainDlg_->isMinimized())
        cameraSession_->StartPreview();
    return QObject::eventFilter(watched, event);
}

void COrbit_MainWnd::ReportFailure(const QString& text) { ShowMessageText(text); }

void COrbit_MainWnd::OnWebcamSnapShotKey(OstWebcam*, IOstVideoWindow*) {
    if (!mainDlg_)
        return;
    if (!mainDlg_->isVisible()) {
        ShowMainDialog(true);
        return;
    }
    if (!mainDlg_->isMinimized())
        mainDlg_->OnTakePhoto();
    ShowMainDialog(false);
}

void COrbit_MainWnd::OnWebcamOrbitSendKey(OstWebcam*, IOstVideoWindow*) {
    if (!mainDlg_ || !mainDlg_->isVisible())
        return;
    if (!mainDlg_->isMinimized()) {
        mainDlg_->EventList()->setFocus();
        uiCommand(UICMD_SEND_PHOTO);
    }
    ShowMainDialog(false);
}

void COrbit_MainWnd::OnWebcamSnapShotImage(OstWebcam*, IOstVideoWindow*, const QString& path) {
    PhotoTaken(path);
}

void COrbit_MainWnd::TakePhoto() {
    const QString path = cameraSession_->TakePhoto();
    if (!path.isEmpty())
        PhotoTaken(path);
}

void COrbit_MainWnd::PhotoTaken(const QString& path) {
    if (!mainDlg_)
        return;
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        mainDlg_->EnableTakePhoto();
        return;
    }
    const EventRecord record =
        EventRecord::TakenPhoto(path, cameraSession_->PhotoResolution(working_.Resolution));
    events_.AddEvent(record);
    mainDlg_->EventList()->SelectOnly(0);
    mainDlg_->ShowEventDetails(record);
    mainDlg_->EnableTakePhoto();
    presenter_->PhotoTaken();
    ScheduleSave();
}

// ---- commands ----

int COrbit_MainWnd::trayCommand(int code) {
    switch (code) {
    case TRAYCMD_OPEN_MAIN:
        qCDebug(lcMainWnd) << "main dialog requested";
        ShowMainDialog(true);
        break;
    case TRAYCMD_REMOTE_START:
        switch (remoteSwitch_.RequestStart()) {
        case OstRemoteSwitch::Request::NoCamera:
            ShowMessage(kRemoteNoCameraText);
            break;
        case OstRemoteSwitch::Request::NeedsPassword:
            sheets_->Open(OstSheets::Remote);
            break;
        case OstRemoteSwitch::Request::Started:
            break;
        }
        break;
    case TRAYCMD_REMOTE_STOP:
        remoteSwitch_.Update(false);
        break;
    case TRAYCMD_REMOTE_SETTING:
        sheets_->Open(OstSheets::Remote);
        break;
    case TRAYCMD_ABOUT:
        sheets_->Open(OstSheets::About);
        break;
    default:
        break;
    }
    return 0;
}

int COrbit_MainWnd::uiCommand(int code, const QVariant& argument) {
    switch (code) {
    case UICMD_TAKE_PHOTO:
        TakePhoto();
        break;
    case UICMD_SEND_PHOTO:
        SendPhotos();
        break;
    case UICMD_OPEN_FOLDER: {
        const QString folder = argument.toString();
        if (!folder.isEmpty() && QFileInfo::exists(folder))
            QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
        break;
    }
    case UICMD_OPEN_SETTINGS:
        sheets_->Open(OstSheets::Settings);
        break;
    case UICMD_SEND_SOFTWARE:
        SendSoftware(argument.toString());
        break;
    case UICMD_SET_ZOOM:
        cameraSession_->SetZoom(argument.toInt());
        break;
    case UICMD_TOGGLE_MIRROR:
        cameraSession_->ToggleMirror();
        break;
    case UICMD_CANCEL_TRANSFER:
        transfers_->Cancel(argument.toUInt());
        break;
    case UICMD_UPDATE_VIDEO_POSITION:
        if (OstWebcam* camera = cameraSession_->Camera(); camera && camera->Graph())
            camera->Graph()->SetVideoPosition();
        break;
    case UICMD_DIALOG_CLOSED:
        // Other programs may be showing the shared camera in a call: it keeps running for them.
        if (!sharing_->Shared())
            cameraSession_->Detach();
        RememberSelectedFriend();
        if (saving_)
            saving_->WriteEvents();
        break;
    case UICMD_REFRESH_FRIENDS:
        contacts_->Refresh();
        break;
    case UICMD_EVENT_LIST_EMPTIED:
        SetFolderLabelToPictures();
        settings_.ResetSerialNumbers();
        break;
    default:
        break;
    }
    return 0;
}

void COrbit_MainWnd::ShowMainDialog(bool openHidden) {
    if (!mainDlg_)
        return;
    const bool hidden = !mainDlg_->isVisible();
    if (hidden && openHidden) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = mainDlg_->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            mainDlg_->move(frame.topLeft());
        }
    }
    // Also a dialog that a received photo showed minimised has no preview yet.
    if (openHidden || !hidden)
        cameraSession_->StartPreview();
    mainDlg_->showNormal();
    mainDlg_->raise();
    mainDlg_->activateWindow();
}

void COrbit_MainWnd::SetFolderLabelToPictures() {
    if (mainDlg_)
        mainDlg_->SetFolderText(WithoutLastCharacter(working_.PicturesFolder));
}

void COrbit_MainWnd::RememberSelectedFriend() {
    if (contacts_)
        contacts_->Remember();
}

void COrbit_MainWnd::ScheduleSave() {
    if (saving_)
        saving_->Schedule();
}

void COrbit_MainWnd::SendPhotos() {
    const QString handle = mainDlg_->Friends().SelectedFriendHandle();
    if (!contacts_->CheckFriend(handle))
        return;
    QList<EventRecord> selected;
    for (int index : mainDlg_->EventList()->GetSelectedRows()) {
        EventRecord record;
        if (events_.GetRecord(index, record))
            selected.append(record);
    }
    // Skype is there, but the photo application is not (yet): say so rather than nothing.
    if (!transfers_->Send(selected, handle, mainDlg_->Friends().SelectedFriendText()))
        ShowMessage(kSkypeAccessText);
}

void COrbit_MainWnd::SendSoftware(const QString& handle) {
    if (!contacts_->CheckFriend(handle))
        return;
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Orbit/");
    skype_->SendCommand(QStringLiteral("FOCUS"));
    skype_->OpenFileTransfer(handle, folder);
}

// ---- transfer reports ----

void COrbit_MainWnd::PhotoArrived() {
    mainDlg_->ShowFirstEvent();
    // Shown for the user to restore; the camera is not switched on by someone else's photo:
    // the preview starts when the user restores the dialog.
    if (!mainDlg_->isVisible())
        mainDlg_->showMinimized();
    QApplication::alert(mainDlg_.get(), 0);
}

// ---- Skype ----

void COrbit_MainWnd::OnSkypeConnected() {
    qCDebug(lcMainWnd) << "Skype attached";
    contacts_->Connected();
    remoteSwitch_.Refresh();
}

void COrbit_MainWnd::OnSkypeDisconnected() {
    contacts_->Disconnected();
    transfers_->Drop();
    remoteSwitch_.Refresh();
}

// ---- cameras plugged and pulled ----

void COrbit_MainWnd::OnWebcamPlugIn(const QString& className) {
    if (className != OstWebcamMonitor::kOrbitClassName)
        return;
    remoteSwitch_.Refresh();
    if (!cameraSession_->Camera() && mainDlg_->isVisible() && cameraSession_->Open())
        sheets_->CameraPlugged();
}

void COrbit_MainWnd::OnWebcamPullOut(const QString& devicePath) {
    if (cameraSession_->Unplugged(devicePath)) {
        sheets_->CameraPulled();
        cameraSession_->Open();
    }
    remoteSwitch_.Refresh();
}

// ---- remote monitor, tray, settings ----

void COrbit_MainWnd::SetTrayState(int state) {
    trayState_ = state;
    if (tray_)
        tray_->SetTrayState(state);
}

void COrbit_MainWnd::SettingsClosed(bool restartCamera) {
    settings_.ApplySettings(working_);
    sharing_->SetFrameRate(OstText::ToInt(working_.Frame));
    if (events_.Count() == 0)
        SetFolderLabelToPictures();
    transfers_->SetReceiveFolder(settings_.GetReceiveFolder());
    if (restartCamera) {
        cameraSession_->Open();
    } else {
        cameraSession_->ApplyFrameRate();
        cameraSession_->ShowMirrorState();
    }
}

void COrbit_MainWnd::OnLanguageChanged() {
    if (tray_)
        tray_->SetTooltipText(String(Tray::StateStringId(trayState_)));
    if (startupDlg_)
        startupDlg_->ApplyTexts();
    if (contactDlg_)
        contactDlg_->ApplyTexts();
    if (mainDlg_)
        mainDlg_->ApplyTexts();
    if (sheets_)
        sheets_->ApplyTexts();
    if (sharing_)
        sharing_->ApplyTexts();
    OstGiveBackFreedHeap();
}

QWidget* COrbit_MainWnd::MessageParent() const {
    return mainDlg_ && mainDlg_->isVisible() ? mainDlg_.get() : nullptr;
}

void COrbit_MainWnd::ShowMessage(int stringId) {
    OstMessages::Instance().Tell(stringId, MessageParent());
}

void COrbit_MainWnd::ShowMessageText(const QString& text) {
    OstMessages::Instance().TellText(text, MessageParent());
}

// ---- the end ----

void COrbit_MainWnd::SaveAll() {
    if (saving_)
        saving_->Final();
}

void COrbit_MainWnd::Close() {
    SaveAll();
    if (sheets_)
        sheets_->CloseAll();
    if (transfers_)
        transfers_->Drop();
}
