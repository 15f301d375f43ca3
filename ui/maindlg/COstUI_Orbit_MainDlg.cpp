#include "COstUI_Orbit_MainDlg.h"

#include "CColorStatic.h"
#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_SystemTray.h"
#include "CxSkinButton.h"
#include "OstEventDetails.h"
#include "OstEventListCommands.h"
#include "OstEventListModel.h"
#include "OstFriendChooser.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgAccess.h"
#include "OstMainDlgLayout.h"
#include "OstMainDlgSkin.h"
#include "OstMessages.h"
#include "OstPhotoFiles.h"
#include "OstSurfaceDrag.h"
#include "OstVideoWidget.h"
#include "OstZoomControls.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

#include <algorithm>

namespace {

// Strings of the dialog.
enum : int {
    IDS_PREVIEW_WINDOW = 317,
    IDS_SEND_TO = 320,
    IDS_MIRROR = 321,
    IDS_OPEN_FOLDER = 326,
    IDS_SETTING = 327,
    IDS_SEND_SOFTWARE = 328,
    IDS_PREVIEW_SIZE = 329,
    IDS_FULL_SCREEN = 483,
    IDS_CHECK_SKYPE_LOGIN = 465,
    IDS_INTRO = 470,
    IDS_HELP_FOLDER = 471,
    IDS_HELP_MISSING = 474,
};

// The "Location:" label keeps the text of the dialog template in every language.
const QString kLocationTemplate = QStringLiteral("Location:");

constexpr QRgb kLabelBackground = 0xD9D9D9;

} // namespace

COstUI_Orbit_MainDlg::COstUI_Orbit_MainDlg(OstEventListModel& events, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint),
      events_(events) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(QStringLiteral("Orbit"));
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/%2").arg(OstSkin::ProgramIcon).arg(side));
    setWindowIcon(icon);
    setAttribute(Qt::WA_NoSystemBackground);
    // A Wayland compositor ignores a window's mask, an X11 window's under XWayland too: there
    // the corners are made transparent.
    if (QGuiApplication::platformName().startsWith(u"wayland") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        setAttribute(Qt::WA_TranslucentBackground);

    // Tahoma where it is installed; otherwise the narrowest common stand-ins, since the skin's
    // labels were measured for Tahoma's widths.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(11);
    setFont(font);

    CreateControls();
    access_ = new OstMainDlgAccess(*this);
    new OstSurfaceDrag(*this);

    ApplyPreviewSize(OstMainDlgLayout::Size320);
    FocusList();
    ApplyTexts();
}

COstUI_Orbit_MainDlg::~COstUI_Orbit_MainDlg() {
    // The controls outlive this part of the dialog (QWidget deletes them later) and some
    // signal on the way out, such as the combo closing its list: none may reach us then.
    for (QObject* child : children())
        child->disconnect(this);
}

QString COstUI_Orbit_MainDlg::Text(int number) const {
    return OstLanguageSelector::GetInstance().GetString(number);
}

void COstUI_Orbit_MainDlg::Send(OstUiCommand code, const QVariant& argument) {
    emit uiCommand(int(code), argument);
}

void COstUI_Orbit_MainDlg::FocusList() {
    if (eventList_)
        eventList_->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- controls

void COstUI_Orbit_MainDlg::CreateControls() {
    auto button = [this](int id, const OstSkinButton& skin) {
        auto* b = new CxSkinButton(this);
        b->setObjectName(QString::number(id));
        b->setFocusPolicy(Qt::TabFocus);
        b->SetSkin(skin.normal, skin.down, skin.over, skin.disabled, skin.mask);
        return b;
    };
    auto label = [this](int id, bool transparent) {
        auto* l = new CColorStatic(this);
        l->setObjectName(QString::number(id));
        if (transparent)
            l->SetTransparent(true);
        else
            l->SetBkColor(QColor(kLabelBackground));
        return l;
    };

    eventList_ = new COstUI_Orbit_EventListCtrl(events_, this);
    eventList_->setObjectName(QString::number(IDC_EVENT_LIST));
    eventList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(eventList_, &COstUI_Orbit_EventListCtrl::listDoubleClicked, this,
            &COstUI_Orbit_MainDlg::OnViewPhoto);
    commands_ = new OstEventListCommands(*eventList_, *this);
    connect(eventList_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { commands_->ShowMenu(position, details_->PictureShown()); });
    connect(commands_, &OstEventListCommands::rowChosen, this, &COstUI_Orbit_MainDlg::ShowRow);
    connect(commands_, &OstEventListCommands::cancelWanted, this,
            [this](std::uint32_t id) { Send(UICMD_CANCEL_TRANSFER, QVariant::fromValue(id)); });
    connect(commands_, &OstEventListCommands::sendWanted, this, &COstUI_Orbit_MainDlg::OnSendPhoto);
    connect(commands_, &OstEventListCommands::rowsChanged, this, &COstUI_Orbit_MainDlg::eventsChanged);
    connect(commands_, &OstEventListCommands::rowShown, this, &COstUI_Orbit_MainDlg::OnRowDeleted);
    connect(commands_, &OstEventListCommands::done, this, &COstUI_Orbit_MainDlg::FocusList);
    // Delete works wherever the focus is, except where a text field wants the key itself.
    auto* remove = new QShortcut(QKeySequence::Delete, this, commands_,
                                 &OstEventListCommands::Delete, Qt::WindowShortcut);
    remove->setObjectName(QStringLiteral("delete"));

    preview_ = new OstVideoWidget(this);
    preview_->setObjectName(QString::number(IDC_PREVIEW));
    connect(preview_, &OstVideoWidget::doubleClicked, this, &COstUI_Orbit_MainDlg::presenterRequested);
    auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, &COstUI_Orbit_MainDlg::presenterRequested);
    // Ending the program from the keyboard, where the tray's menu may be out of reach; it asks
    // first, as the tray's Close does.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, [this] {
        if (COstUI_Orbit_SystemTray::AskClose(this))
            emit endProgramRequested();
    });

    minimise_ = button(IDC_MINIMISE, OstSkin::Minimise);
    sizeMenu_ = button(IDC_SIZE_MENU, OstSkin::SizeMenu);
    close_ = button(IDC_CLOSE, OstSkin::Close);
    takePhoto_ = button(IDC_TAKE_PHOTO, OstSkin::TakePhoto);
    sendPhoto_ = button(IDC_SEND_PHOTO, OstSkin::SendPhoto);
    viewPhoto_ = button(IDC_VIEW_PHOTO, OstSkin::ViewPhoto);
    openFolder_ = button(IDC_OPEN_FOLDER, OstSkin::WideText);
    intro_ = button(IDC_INTRO, OstSkin::WideText);
    setting_ = button(IDC_SETTING, OstSkin::Setting);
    sendSoftware_ = button(IDC_SEND_SOFTWARE, OstSkin::SendSoftware);
    listToggle_ = button(IDC_LIST_TOGGLE, OstSkin::HideList);
    mirror_ = button(IDC_MIRROR, OstSkin::Mirror);
    mirror_->SetCheckMode(CxSkinButton::CheckMode::Switch);

    sendTo_ = label(IDC_SEND_TO, true);
    location_ = label(IDC_LOCATION, false);
    folder_ = label(IDC_FOLDER, false);
    previewLabel_ = label(IDC_PREVIEW_LABEL, true);
    cameraError_ = label(IDC_CAMERA_ERROR, true);
    mirrorLabel_ = label(IDC_MIRROR_LABEL, true);
    unusedLabel_ = label(IDC_UNUSED_LABEL, true);
    unusedLabel_->hide();

    location_->setText(kLocationTemplate);
    folder_->setIndent(3);
    cameraError_->setWordWrap(true);
    cameraError_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cameraError_->hide();
    folder_->setTextFormat(Qt::PlainText);

    details_ = new OstEventDetails(*this, *folder_);
    connect(details_, &OstEventDetails::viewable, viewPhoto_, &QWidget::setEnabled);
    connect(commands_, &OstEventListCommands::renamed, details_, &OstEventDetails::Renamed);
    zoom_ = new OstZoomControls(*this);
    connect(zoom_, &OstZoomControls::zoomChosen, this,
            [this](int percent) { Send(UICMD_SET_ZOOM, percent); });
    connect(zoom_, &OstZoomControls::done, this, &COstUI_Orbit_MainDlg::FocusList);
    friends_ = new OstFriendChooser(*this);
    connect(friends_, &OstFriendChooser::droppingDown, this, &COstUI_Orbit_MainDlg::OnFriendDropDown);
    connect(friends_, &OstFriendChooser::done, this, &COstUI_Orbit_MainDlg::FocusList);

    for (QWidget* w : {static_cast<QWidget*>(sendTo_), static_cast<QWidget*>(folder_),
                       static_cast<QWidget*>(previewLabel_), static_cast<QWidget*>(cameraError_),
                       static_cast<QWidget*>(mirrorLabel_), static_cast<QWidget*>(openFolder_),
                       static_cast<QWidget*>(intro_), static_cast<QWidget*>(setting_),
                       static_cast<QWidget*>(sendSoftware_)})
        w->setFont(font());

    connect(minimise_, &QAbstractButton::clicked, this, [this] { showMinimized(); });
    connect(sizeMenu_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSizeMenu);
    connect(close_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnClose);
    connect(takePhoto_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnTakePhoto);
    connect(sendPhoto_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSendPhoto);
    connect(viewPhoto_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnViewPhoto);
    connect(openFolder_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnOpenFolder);
    connect(intro_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnIntro);
    connect(setting_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSetting);
    connect(sendSoftware_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSendSoftware);
    connect(listToggle_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnListToggle);
    connect(mirror_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnMirror);
}

// ---------------------------------------------------------------- layout and skin

void COstUI_Orbit_MainDlg::PlaceControls(const OstMainDlgLayout& l) {
    preview_->setGeometry(l.preview);
    details_->Place(l);
    eventList_->setGeometry(l.eventList);
    for (int column = 0; column < int(l.columnWidths.size()); ++column)
        eventList_->setColumnWidth(column, l.columnWidths[size_t(column)]);
    sendTo_->setGeometry(l.sendToLabel);
    friends_->SetGeometry(l.friendCombo);
    minimise_->setGeometry(l.minimise);
    sizeMenu_->setGeometry(l.sizeMenu);
    close_->setGeometry(l.close);
    takePhoto_->setGeometry(l.takePhoto);
    sendPhoto_->setGeometry(l.sendPhoto);
    viewPhoto_->setGeometry(l.viewPhoto);
    mirror_->setGeometry(l.mirror);
    mirrorLabel_->setGeometry(l.mirrorLabel);
    openFolder_->setGeometry(l.openFolder);
    intro_->setGeometry(l.intro);
    previewLabel_->setGeometry(OstMainDlgLayout::PreviewLabel);
}

void COstUI_Orbit_MainDlg::PlaceTexts() {
    cameraError_->setGeometry(OstMainDlgSkin::TextPlaceIn(preview_->geometry()));
}

void COstUI_Orbit_MainDlg::PlaceLocationRow() {
    const OstMainDlgLayout* l = OstMainDlgLayout::ForSize(previewSize_);
    if (!l)
        return;
    const QRect row = l->locationRow;
    const int labelWidth =
        std::min(row.width(), QFontMetrics(folder_->font()).horizontalAdvance(location_->text()));
    location_->setGeometry(row.x(), row.y(), labelWidth, row.height());
    folder_->setGeometry(row.x() + labelWidth, row.y(), row.width() - labelWidth, row.height());
}

void COstUI_Orbit_MainDlg::ApplyPreviewSize(int sizeCommand) {
    const OstMainDlgLayout* layout = OstMainDlgLayout::ForSize(sizeCommand);
    if (!layout)
        return;
    if (sizeCommand != previewSize_) {
        PlaceControls(*layout);
        previewSize_ = sizeCommand;
        PlaceTexts();
        PlaceLocationRow();
        QMetaObject::invokeMethod(
            this, [this] { Send(UICMD_UPDATE_VIDEO_POSITION); }, Qt::QueuedConnection);
    }
    ApplyListPart(*layout);
}

void COstUI_Orbit_MainDlg::ApplyListPart(const OstMainDlgLayout& l) {
    const int wanted = listShown_ ? l.backgroundShown : l.backgroundHidden;
    if (backgroundId_ == wanted)
        return;
    for (QWidget* w : {static_cast<QWidget*>(eventList_), static_cast<QWidget*>(location_),
                       static_cast<QWidget*>(folder_), static_cast<QWidget*>(openFolder_),
                       static_cast<QWidget*>(intro_)})
        w->setVisible(listShown_);
    setting_->setGeometry(listShown_ ? l.settingShown : l.settingHidden);
    sendSoftware_->setGeometry(listShown_ ? l.sendSoftwareShown : l.sendSoftwareHidden);
    listToggle_->setGeometry(listShown_ ? l.listToggleShown : l.listToggleHidden);
    const OstSkinButton& toggle = listShown_ ? OstSkin::HideList : OstSkin::ShowList;
    listToggle_->SetSkin(toggle.normal, toggle.down, toggle.over, toggle.disabled, toggle.mask);
    // Only a new size moves the window; toggling the list keeps it where the user put it.
    const bool recentre = backgroundId_ != l.backgroundShown && backgroundId_ != l.backgroundHidden;
    backgroundId_ = wanted;
    background_ = OstMainDlgSkin::Background(l, listShown_, devicePixelRatioF(),
                                             palette().color(QPalette::Window));
    const QSize size = background_.deviceIndependentSize().toSize();
    const QPoint topLeft = pos();
    resize(size);
    setMask(OstMainDlgSkin::Outline(size));
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (recentre && where) {
        QRect frame(QPoint(0, 0), size);
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    } else {
        move(topLeft);
    }
    update();
}

void COstUI_Orbit_MainDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (testAttribute(Qt::WA_TranslucentBackground))
        OstMainDlgSkin::PaintWithin(painter, size());
    if (background_.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawPixmap(0, 0, background_);
    for (QWidget* area : {static_cast<QWidget*>(preview_), details_->PictureArea()})
        if (area->isVisibleTo(this))
            OstMainDlgSkin::PaintLight(painter, area->geometry());
}

// ---------------------------------------------------------------- operations

void COstUI_Orbit_MainDlg::SetCameraState(bool ok, int messageId) {
    preview_->setVisible(ok);
    cameraError_->setVisible(!ok);
    takePhoto_->setEnabled(ok);
    mirror_->setEnabled(ok);
    zoom_->SetCameraRunning(ok);
    // 0 keeps the text, and the number a language switch reads it again by.
    if (messageId != 0) {
        cameraErrorId_ = messageId;
        cameraError_->setText(Text(messageId));
    }
    emit cameraStateChanged(ok ? 0 : cameraErrorId_, ok ? QString() : cameraError_->text());
    update();
}

void COstUI_Orbit_MainDlg::SetZoom(int percent, bool disable) {
    zoom_->SetZoom(percent, disable);
}

void COstUI_Orbit_MainDlg::SetMirrorButton(bool on) {
    mirror_->setChecked(on);
    mirror_->SetNormalBitmap(on ? OstSkin::MirrorOn : OstSkin::Mirror.normal);
    mirror_->update();
}

void COstUI_Orbit_MainDlg::ShowEventDetails(const EventRecord& record) {
    details_->Show(record);
}

void COstUI_Orbit_MainDlg::ShowFirstEvent() {
    ShowRow(0);
}

IOstVideoWindow* COstUI_Orbit_MainDlg::PreviewWindow() const {
    return preview_;
}

void COstUI_Orbit_MainDlg::EnableTakePhoto() {
    takePhoto_->setEnabled(true);
}

void COstUI_Orbit_MainDlg::SetFolderText(const QString& folder) {
    folder_->setText(folder);
}

QString COstUI_Orbit_MainDlg::FolderText() const {
    return folder_->text();
}

void COstUI_Orbit_MainDlg::ApplyTexts() {
    openFolder_->setText(Text(IDS_OPEN_FOLDER));
    intro_->setText(Text(IDS_INTRO));
    setting_->setText(Text(IDS_SETTING));
    sendSoftware_->setText(Text(IDS_SEND_SOFTWARE));
    mirrorLabel_->setText(Text(IDS_MIRROR));
    previewLabel_->setText(Text(IDS_PREVIEW_WINDOW));
    sendTo_->setText(Text(IDS_SEND_TO));
    if (cameraErrorId_ != 0)
        cameraError_->setText(Text(cameraErrorId_));
    PlaceTexts();
    details_->ApplyTexts();
    zoom_->ApplyTexts();
    friends_->ApplyTexts();
    eventList_->ApplyTexts();
    access_->ApplyTexts();
    PlaceLocationRow();
}

// ---------------------------------------------------------------- commands

void COstUI_Orbit_MainDlg::OnTakePhoto() {
    if (!takePhoto_->isEnabled())
        return;
    // Disabled until the photo's row is in, so that one press asks for one photo.
    takePhoto_->setEnabled(false);
    FocusList();
    Send(UICMD_TAKE_PHOTO);
}

void COstUI_Orbit_MainDlg::OnSendPhoto() {
    FocusList();
    Send(UICMD_SEND_PHOTO);
}

void COstUI_Orbit_MainDlg::OnViewPhoto() {
    if (details_->PictureShown() && !details_->PicturePath().isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(details_->PicturePath()));
    FocusList();
}

void COstUI_Orbit_MainDlg::OnOpenFolder() {
    Send(UICMD_OPEN_FOLDER, folder_->text());
}

void COstUI_Orbit_MainDlg::OnIntro() {
    const QString page = OstPhotoFiles::FindHelpPage(Text(IDS_HELP_FOLDER));
    if (page.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        OstMessages::Instance().Tell(IDS_HELP_MISSING, this);
}

void COstUI_Orbit_MainDlg::OnSetting() {
    FocusList();
    setting_->update();
    Send(UICMD_OPEN_SETTINGS);
}

void COstUI_Orbit_MainDlg::OnSendSoftware() {
    FocusList();
    Send(UICMD_SEND_SOFTWARE, friends_->SelectedFriendHandle());
}

void COstUI_Orbit_MainDlg::OnMirror() {
    FocusList();
    Send(UICMD_TOGGLE_MIRROR);
}

bool COstUI_Orbit_MainDlg::CloseOrEnd() {
    if (closeEndsProgram_) {
        if (!COstUI_Orbit_SystemTray::AskClose(this))
            return false;
        emit endProgramRequested();
        return true;
    }
    hide();
    Send(UICMD_DIALOG_CLOSED);
    return true;
}

void COstUI_Orbit_MainDlg::OnClose() {
    CloseOrEnd();
}

void COstUI_Orbit_MainDlg::closeEvent(QCloseEvent* event) {
    // The window system's Close only hides the dialog; the program lives on in the tray.
    event->ignore();
    CloseOrEnd();
}

void COstUI_Orbit_MainDlg::OnListToggle() {
    listShown_ = !listShown_;
    access_->SetListShown(listShown_);
    ApplyPreviewSize(previewSize_);
}

void COstUI_Orbit_MainDlg::OnSizeMenu() {
    QMenu menu(this);
    QAction* title = menu.addAction(Text(IDS_PREVIEW_SIZE));
    title->setEnabled(false);
    menu.addSeparator();
    const char* names[] = {"640 x 480", "480 x 360", "400 x 300", "320 x 240", "240 x 180"};
    for (size_t i = 0; i < OstMainDlgLayout::Sizes().size(); ++i) {
        const int size = OstMainDlgLayout::Sizes()[i];
        QAction* item = menu.addAction(QString::fromLatin1(names[i]));
        item->setCheckable(true);
        item->setChecked(size == previewSize_);
        item->setData(size);
    }
    menu.addSeparator();
    const QAction* fullScreen = menu.addAction(Text(IDS_FULL_SCREEN));
    // From the keyboard (F10) the menu opens under its button rather than wherever the pointer is.
    const QPoint at = sizeMenu_->underMouse() ? QCursor::pos() : sizeMenu_->mapToGlobal(QPoint(0, sizeMenu_->height()));
    const QAction* chosen = menu.exec(at);
    if (chosen == fullScreen)
        emit presenterRequested();
    else if (chosen && chosen->data().isValid())
        ApplyPreviewSize(chosen->data().toInt());
}

void COstUI_Orbit_MainDlg::OnFriendDropDown() {
    Send(UICMD_REFRESH_FRIENDS);
    if (friends_->ContactCount() == 0)
        OstMessages::Instance().Tell(IDS_CHECK_SKYPE_LOGIN, this);
}

// ---------------------------------------------------------------- the event list

void COstUI_Orbit_MainDlg::ShowRow(int index) {
    EventRecord record;
    if (events_.GetRecord(index, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::OnRowDeleted(int index) {
    if (index < 0) {
        details_->Clear();
        Send(UICMD_EVENT_LIST_EMPTIED);
        return;
    }
    // The shown file may have been one of those deleted: the next one is read afresh.
    details_->Forget();
    ShowRow(index);
}
