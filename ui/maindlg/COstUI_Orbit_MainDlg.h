#pragma once

#include "EventRecord.h"
#include "IOstCameraView.h"
#include "OstUiCommand.h"

#include <QPixmap>
#include <QString>
#include <QVariant>
#include <QWidget>


class CColorStatic;
class COstUI_Orbit_EventListCtrl;
class OstEventListCommands;
class OstEventDetails;
class OstEventListModel;
class OstFriendChooser;
class OstZoomControls;
class CxSkinButton;
class OstMainDlgAccess;
class OstVideoWidget;
struct OstMainDlgLayout;

// The window the user works in: live preview, the picture of the selected event, the event
// list, the friend chooser and the buttons. A frameless, rounded window painted with the
// background picture of its preview size and list state; any press on its own surface moves
// it. It decides nothing: every action goes to the controller as a command (uiCommand), and
// the controller updates it through the public operations below. Its event list shows the
// program's events, which live outside it.
class COstUI_Orbit_MainDlg : public QWidget, public IOstCameraView {
    Q_OBJECT
public:
    // Controls by their numbers (each is also the control's objectName).
    enum ControlId : int {
        IDC_EVENT_LIST = 1000,
        IDC_ZOOM_EDIT = 1001,
        IDC_FRIEND_COMBO = 1002,
        IDC_ZOOM_SLIDER = 1003,
        IDC_PREVIEW = 1004,
        IDC_PICTURE = 1005,
        IDC_KIND_ICON = 1006,
        IDC_FILE_NAME = 1008,
        IDC_FROM_TO = 1009,
        IDC_SEND_TO = 1010,
        IDC_FOLDER = 1011,
        IDC_UNUSED_LABEL = 1012,
        IDC_MINIMISE = 1013,
        IDC_SIZE_MENU = 1014,
        IDC_CLOSE = 1015,
        IDC_TAKE_PHOTO = 1016,
        IDC_SEND_PHOTO = 1017,
        IDC_VIEW_PHOTO = 1018,
        IDC_OPEN_FOLDER = 1019,
        IDC_SETTING = 1020,
        IDC_SEND_SOFTWARE = 1021,
        IDC_LIST_TOGGLE = 1022,
        IDC_ZOOM_RESET = 1023,
        IDC_MIRROR = 1024,
        IDC_CAMERA_ERROR = 1025,
        IDC_PREVIEW_LABEL = 1026,
        IDC_MIRROR_LABEL = 1027,
        IDC_LOCATION = 1028,
        IDC_INTRO = 7000,
        IDC_DELETED_TEXT = 7001,
    };

    // The events outlive the dialog.
    explicit COstUI_Orbit_MainDlg(OstEventListModel& events, QWidget* parent = nullptr);
    ~COstUI_Orbit_MainDlg() override;

    // ok: the preview is shown and Take Photo and Mirror work; otherwise the camera error text
    // (string messageId, kept when 0) stands in its place and the camera buttons are disabled.
    void SetCameraState(bool ok, int messageId) override;
    // percent 100..200; disable greys the zoom out (the camera runs at a size without zoom).
    void SetZoom(int percent, bool disable) override;
    void SetMirrorButton(bool on) override;
    void ShowEventDetails(const EventRecord& record);
    void ShowFirstEvent();
    // Re-reads every text in the current language.
    void ApplyTexts();
    // The Take Photo button's action; also run for the camera's snapshot key.
    void OnTakePhoto();
    // Take Photo works again: the new photo's row is in the list, or the photo failed.
    void EnableTakePhoto() override;
    // Without a tray icon, hiding the dialog would leave the program running out of reach:
    // then Close asks the tray's Close question and, on Yes, ends the program.
    void SetCloseEndsProgram(bool ends) { closeEndsProgram_ = ends; }
    void SetFolderText(const QString& folder);
    QString FolderText() const;
    // The Send To chooser.
    OstFriendChooser& Friends() const { return *friends_; }

    // Lays the dialog out for one of the five size commands (32782..32786), then applies the
    // list part and the background; a new size puts the dialog in the middle of its screen.
    void ApplyPreviewSize(int sizeCommand);

    // The view of the events, for the selection.
    COstUI_Orbit_EventListCtrl* EventList() const { return eventList_; }
    // The capture graph's video window.
    OstVideoWidget* VideoWindow() const { return preview_; }
    IOstVideoWindow* PreviewWindow() const override;
    bool PreviewSeen() const override { return isVisible() && !isMinimized(); }
    int PreviewSize() const { return previewSize_; }
    bool ListShown() const { return listShown_; }
    int BackgroundId() const { return backgroundId_; }
    // The background as painted, frames included.
    const QPixmap& Background() const { return background_; }


signals:
    // The user renamed or deleted rows: the stored list is out of date.
    void eventsChanged();
    // Close was confirmed on a dialog that ends the program (SetCloseEndsProgram).
    void endProgramRequested();
    // Double-click on the preview, F11, or the size menu's Full Screen: the picture alone on a
    // whole screen.
    void presenterRequested();
    // The camera's message (its string number and text) while the preview cannot run; 0 and
    // empty once it runs.
    void cameraStateChanged(int messageId, const QString& text);
    // A command for the controller; sent synchronously except UICMD_UPDATE_VIDEO_POSITION,
    // which is queued. The argument is a QString, an int or nothing, as the code says.
    void uiCommand(int code, const QVariant& argument);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void PlaceControls(const OstMainDlgLayout& layout);
    void PlaceTexts();
    void PlaceLocationRow();
    void ApplyListPart(const OstMainDlgLayout& layout);
    void Send(OstUiCommand code, const QVariant& argument = QVariant());
    void FocusList();
    QString Text(int number) const;

    void OnSizeMenu();
    void OnListToggle();
    void OnClose();
    void OnSendPhoto();
    void OnViewPhoto();
    void OnOpenFolder();
    void OnIntro();
    void OnSetting();
    void OnSendSoftware();
    void OnMirror();
    void OnFriendDropDown();

    // The event list's rows.
    void ShowRow(int index);
    void OnRowDeleted(int index);
    // Hides the dialog, or with no tray asks whether to end the program; false when the
    // user chose to keep it.
    bool CloseOrEnd();

    // Controls.
    CxSkinButton* minimise_ = nullptr;
    CxSkinButton* sizeMenu_ = nullptr;
    CxSkinButton* close_ = nullptr;
    CxSkinButton* takePhoto_ = nullptr;
    CxSkinButton* sendPhoto_ = nullptr;
    CxSkinButton* viewPhoto_ = nullptr;
    CxSkinButton* openFolder_ = nullptr;
    CxSkinButton* intro_ = nullptr;
    CxSkinButton* setting_ = nullptr;
    CxSkinButton* sendSoftware_ = nullptr;
    CxSkinButton* listToggle_ = nullptr;
    CxSkinButton* mirror_ = nullptr;
    CColorStatic* sendTo_ = nullptr;
    CColorStatic* location_ = nullptr;
    CColorStatic* folder_ = nullptr;
    CColorStatic* previewLabel_ = nullptr;
    CColorStatic* cameraError_ = nullptr;
    CColorStatic* mirrorLabel_ = nullptr;
    CColorStatic* unusedLabel_ = nullptr;
    OstVideoWidget* preview_ = nullptr;
    OstFriendChooser* friends_ = nullptr;
    OstZoomControls* zoom_ = nullptr;
    OstEventDetails* details_ = nullptr;
    COstUI_Orbit_EventListCtrl* eventList_ = nullptr;
    OstEventListModel& events_;
    OstEventListCommands* commands_ = nullptr;

    int cameraErrorId_ = 351;
    int previewSize_ = 0;
    bool listShown_ = true;
    OstMainDlgAccess* access_ = nullptr;
    bool closeEndsProgram_ = false;
    int backgroundId_ = 0;
    QPixmap background_;
};
