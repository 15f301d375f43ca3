#include "COstUI_Orbit_MainDlg.h"

#include "CBitmapSlider.h"
#include "CColorStatic.h"
#include "CComboBoxSuper.h"
#include "CHMXEdit.h"
#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_SystemTray.h"
#include "COstUI_StaticPicture.h"
#include "CxSkinButton.h"
#include "OstBitmap.h"
#include "OstEventListCommands.h"
#include "OstEventListModel.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstMainDlgSkin.h"
#include "OstMessages.h"
#include "OstPhotoFiles.h"
#include "OstText.h"
#include "OstUser.h"
#include "OstVideoWidget.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QWindow>

#include <algorithm>

namespace {

// Strings of the dialog.
enum : int {
    IDS_PREVIEW_WINDOW = 317,
    IDS_FROM = 318,
    IDS_TO = 319,
    IDS_SEND_TO = 320,
    IDS_MIRROR = 321,
    IDS_SELECT_FRIEND = 322,
    IDS_TAKE_PHOTO = 323,
    IDS_SEND_PHOTO = 324,
    IDS_VIEW_PHOTO = 325,
    IDS_OPEN_FOLDER = 326,
    IDS_SETTING = 327,
    IDS_SEND_SOFTWARE = 328,
    IDS_PREVIEW_SIZE = 329,
    IDS_PICTURE_DELETED = 454,
    IDS_ZOOM_DISABLED = 464,
    IDS_CHECK_SKYPE_LOGIN = 465,
    IDS_INTRO = 470,
    IDS_HELP_FOLDER = 471,
    IDS_HELP_MISSING = 474,
};

// The "Location:" label keeps the text of the dialog template in every language.
const QString kLocationTemplate = QStringLiteral("Location:");

constexpr int kZoomMin = 100;
constexpr int kZoomMax = 200;
constexpr QRgb kLabelBackground = 0xD9D9D9;

QString PercentText(int percent) {
    return QStringLiteral("%1%").arg(percent);
}

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

    // Tahoma where it is installed; otherwise the narrowest common stand-ins, since the skin's
    // labels were measured for Tahoma's widths.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(11);
    setFont(font);

    CreateControls();

    zoomEdit_->setText(PercentText(100));
    zoomEdit_->setTextMargins(1, 0, 1, 0);
    // "200%" must fit the 30-pixel edit (less the edit's own 2-pixel margins); fonts wider
    // than Tahoma get a smaller size here rather than a clipped number.
    QFont zoomFont = zoomEdit_->font();
    const int room = OstMainDlgLayout::ZoomEdit.width() - 2 * 2 - 2;
    while (zoomFont.pixelSize() > 8 &&
           QFontMetrics(zoomFont).horizontalAdvance(PercentText(kZoomMax)) > room)
        zoomFont.setPixelSize(zoomFont.pixelSize() - 1);
    zoomEdit_->setFont(zoomFont);

    FillFriendList({}, QString());
    ApplyPreviewSize(OstMainDlgLayout::Size320);
    FocusList();
    ApplyTexts();
}

COstUI_Orbit_MainDlg::~COstUI_Orbit_MainDlg() {
    // The controls outlive this part of the dialog (QWidget deletes them later) and some
    // signal on the way out, such as the combo closing its list: none may reach us then.
    for (QObject* child : children())
        child->disconnect(this);
    for (QObject* watched : {static_cast<QObject*>(zoomEdit_), static_cast<QObject*>(eventList_)})
        watched->removeEventFilter(this);
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
    eventList_->installEventFilter(this);
    eventList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(eventList_, &COstUI_Orbit_EventListCtrl::rowPressed, this,
            [this](int index, int) { OnRowPressed(index); });
    connect(eventList_, &COstUI_Orbit_EventListCtrl::buttonClicked, this,
            &COstUI_Orbit_MainDlg::OnCancelPressed);
    connect(eventList_, &COstUI_Orbit_EventListCtrl::listDoubleClicked, this,
            &COstUI_Orbit_MainDlg::OnViewPhoto);
    commands_ = new OstEventListCommands(*eventList_, *this);
    connect(eventList_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { commands_->ShowMenu(position, picture_->IsLoaded()); });
    connect(commands_, &OstEventListCommands::sendWanted, this, &COstUI_Orbit_MainDlg::OnSendPhoto);
    connect(commands_, &OstEventListCommands::rowsChanged, this, &COstUI_Orbit_MainDlg::eventsChanged);
    connect(commands_, &OstEventListCommands::rowShown, this, &COstUI_Orbit_MainDlg::OnRowDeleted);
    connect(commands_, &OstEventListCommands::renamed, this, &COstUI_Orbit_MainDlg::OnRenamed);
    connect(commands_, &OstEventListCommands::done, this, &COstUI_Orbit_MainDlg::FocusList);
    // Delete works wherever the focus is, except where a text field wants the key itself.
    auto* remove = new QShortcut(QKeySequence::Delete, this, commands_,
                                 &OstEventListCommands::Delete, Qt::WindowShortcut);
    remove->setObjectName(QStringLiteral("delete"));

    preview_ = new OstVideoWidget(this);
    preview_->setObjectName(QString::number(IDC_PREVIEW));
    picture_ = new COstUI_StaticPicture(this);
    picture_->setObjectName(QString::number(IDC_PICTURE));
    picture_->SetTransparent(true);
    kindIcon_ = new QLabel(this);
    kindIcon_->setObjectName(QString::number(IDC_KIND_ICON));

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
    zoomReset_ = button(IDC_ZOOM_RESET, OstSkin::ZoomReset);
    mirror_ = button(IDC_MIRROR, OstSkin::Mirror);

    fileName_ = label(IDC_FILE_NAME, true);
    fromTo_ = label(IDC_FROM_TO, true);
    sendTo_ = label(IDC_SEND_TO, true);
    location_ = label(IDC_LOCATION, false);
    folder_ = label(IDC_FOLDER, false);
    previewLabel_ = label(IDC_PREVIEW_LABEL, true);
    cameraError_ = label(IDC_CAMERA_ERROR, true);
    deletedText_ = label(IDC_DELETED_TEXT, true);
    mirrorLabel_ = label(IDC_MIRROR_LABEL, true);
    unusedLabel_ = label(IDC_UNUSED_LABEL, true);
    unusedLabel_->hide();

    location_->setText(kLocationTemplate);
    folder_->setIndent(3);
    cameraError_->setWordWrap(true);
    cameraError_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cameraError_->hide();
    deletedText_->setWordWrap(true);
    deletedText_->hide();
    fileName_->setTextFormat(Qt::PlainText);
    fromTo_->setTextFormat(Qt::PlainText);
    folder_->setTextFormat(Qt::PlainText);

    zoomEdit_ = new CHMXEdit(this);
    zoomEdit_->setObjectName(QString::number(IDC_ZOOM_EDIT));
    zoomEdit_->setFrame(false);
    zoomEdit_->installEventFilter(this);

    zoomSlider_ = new CBitmapSlider(this);
    zoomSlider_->setObjectName(QString::number(IDC_ZOOM_SLIDER));
    zoomSlider_->SetBitmapChannel(OstSkin::ZoomChannel);
    zoomSlider_->SetBitmapThumb(OstSkin::ZoomThumb, OstSkin::ZoomThumbDragged);
    zoomSlider_->SetVertical(true);
    zoomSlider_->SetRange(kZoomMin, kZoomMax);
    zoomSlider_->SetPageSize(10);
    zoomSlider_->SetMargin(20, 2, 30, 1);
    zoomSlider_->SetPos(300 - 100);

    friends_ = new CComboBoxSuper(this);
    friends_->setObjectName(QString::number(IDC_FRIEND_COMBO));
    // Seven 16 x 16 status images on pure yellow, which shows what lies below.
    friends_->SetImageList(OstBitmap::Strip(OstSkin::ContactStates, 16, QColor(255, 255, 0), devicePixelRatioF()));
    friends_->ShowImages(true);
    friends_->SetColumnWidth(0, 100);
    friends_->ResetColumns();
    friends_->SetDroppedWidth(230);
    connect(friends_, &CComboBoxSuper::droppingDown, this, &COstUI_Orbit_MainDlg::OnFriendDropDown);
    connect(friends_, &CComboBoxSuper::closedUp, this, [this] { FocusList(); });

    for (QWidget* w : {static_cast<QWidget*>(zoomEdit_), static_cast<QWidget*>(friends_),
                       static_cast<QWidget*>(fileName_), static_cast<QWidget*>(fromTo_),
                       static_cast<QWidget*>(sendTo_), static_cast<QWidget*>(folder_),
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
    connect(zoomReset_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnZoomReset);
    connect(mirror_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnMirror);
    connect(zoomSlider_, &CBitmapSlider::moving, this,
            [this](int, int position) { OnSliderMoving(position); });
    // Released, or moved with the keys (which leave the zoom alone): the list gets the focus.
    connect(zoomSlider_, &CBitmapSlider::moved, this, [this] { FocusList(); });
}

// ---------------------------------------------------------------- layout and skin

void COstUI_Orbit_MainDlg::PlaceControls(const OstMainDlgLayout& l) {
    preview_->setGeometry(l.preview);
    SetPictureArea(l.picture);
    eventList_->setGeometry(l.eventList);
    for (int column = 0; column < int(l.columnWidths.size()); ++column)
        eventList_->setColumnWidth(column, l.columnWidths[size_t(column)]);
    sendTo_->setGeometry(l.sendToLabel);
    friends_->setGeometry(l.friendCombo);
    kindIcon_->setGeometry(l.kindIcon);
    fileName_->setGeometry(l.fileName);
    fromTo_->setGeometry(l.fromTo);
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
    zoomEdit_->setGeometry(OstMainDlgLayout::ZoomEdit);
    zoomSlider_->setGeometry(OstMainDlgLayout::ZoomSlider);
    zoomReset_->setGeometry(OstMainDlgLayout::ZoomReset);
}

void COstUI_Orbit_MainDlg::SetPictureArea(const QRect& area) {
    picture_->setGeometry(area);
    picture_->SetMaxSize(area.size());
    if (picture_->IsLoaded())
        picture_->UpdateImage();
}

void COstUI_Orbit_MainDlg::PlaceTexts() {
    cameraError_->setGeometry(OstMainDlgSkin::TextPlaceIn(preview_->geometry()));
    const QRect deleted = OstMainDlgSkin::TextPlaceIn(picture_->geometry());
    deletedText_->setGeometry(deleted);
    const bool oneLine =
        QFontMetrics(deletedText_->font()).horizontalAdvance(deletedText_->text()) <=
        deleted.width();
    deletedText_->setAlignment((oneLine ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
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
    if (background_.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawPixmap(0, 0, background_);
    for (QWidget* area : {static_cast<QWidget*>(preview_), static_cast<QWidget*>(picture_)})
        if (area->isVisibleTo(this))
            OstMainDlgSkin::PaintLight(painter, area->geometry());
}

// ---------------------------------------------------------------- moving the window

void COstUI_Orbit_MainDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Only presses no control took arrive here: the dialog's own surface and its labels.
    event->accept();
    if (StartSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void COstUI_Orbit_MainDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void COstUI_Orbit_MainDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

bool COstUI_Orbit_MainDlg::StartSystemMove() {
    QWindow* window = windowHandle();
    return window && window->startSystemMove();
}

// ---------------------------------------------------------------- operations

void COstUI_Orbit_MainDlg::SetCameraState(bool ok, int messageId) {
    preview_->setVisible(ok);
    cameraError_->setVisible(!ok);
    if (ok) {
        takePhoto_->setEnabled(true);
        mirror_->setEnabled(true);
    } else {
        takePhoto_->setEnabled(false);
        zoomReset_->setEnabled(false);
        mirror_->setEnabled(false);
    }
    cameraErrorId_ = messageId;
    if (messageId != 0)
        cameraError_->setText(Text(messageId));
    update();
}

void COstUI_Orbit_MainDlg::SetZoom(int percent, bool disable) {
    zoomEdit_->setText(PercentText(percent));
    zoomSlider_->SetPos(300 - percent);
    zoomDisabled_ = disable;
    zoomEdit_->SetEditable(!disable);
    zoomEdit_->ActivateToolTip(disable);
    zoomSlider_->setEnabled(!disable);
    zoomReset_->setEnabled(!disable);
}

void COstUI_Orbit_MainDlg::SetMirrorButton(bool on) {
    mirror_->SetNormalBitmap(on ? OstSkin::MirrorOn : OstSkin::Mirror.normal);
    mirror_->update();
}

void COstUI_Orbit_MainDlg::FillFriendList(const std::vector<OstUser*>& contacts,
                                          const QString& preferredHandle) {
    friends_->setUpdatesEnabled(false);
    friends_->clear();
    friends_->addItem(Text(IDS_SELECT_FRIEND));
    int chosen = 0;
    for (const OstUser* contact : contacts) {
        if (!contact)
            continue;
        int image = -1;
        switch (contact->GetOnlineStatus()) {
        case SKYPE_STATUS_OFFLINE:
            image = 6;
            break;
        case SKYPE_STATUS_ONLINE:
            image = 1;
            break;
        case SKYPE_STATUS_AWAY:
            image = 2;
            break;
        case SKYPE_STATUS_NA:
            image = 3;
            break;
        case SKYPE_STATUS_DND:
            image = 4;
            break;
        default:
            break;
        }
        const int item = friends_->count();
        friends_->addItem(contact->GetShownName());
        friends_->SetItemText(item, 1, contact->GetHandle());
        friends_->SetItemImage(item, image);
        if (!preferredHandle.isEmpty() && contact->GetHandle() == preferredHandle)
            chosen = item;
    }
    friends_->setCurrentIndex(chosen);
    friends_->setUpdatesEnabled(true);
    FocusList();
}

QString COstUI_Orbit_MainDlg::SelectedFriendHandle() const {
    return friends_->GetItemText(friends_->currentIndex(), 1);
}

QString COstUI_Orbit_MainDlg::SelectedFriendText() const {
    return friends_->currentText();
}

void COstUI_Orbit_MainDlg::ShowEventDetails(const EventRecord& record) {
    const int loaded = picture_->LoadFromFile(record.FullPath(), true);
    if (loaded == 0)
        return;
    if (loaded > 0) {
        picture_->show();
        deletedText_->hide();
        viewPhoto_->setEnabled(true);
    } else {
        viewPhoto_->setEnabled(false);
        // A picture still arriving has no file yet; that is no reason to call it deleted.
        if (!(record.EventType == EventRecord::Received &&
              record.Status == EventRecord::Transferring)) {
            picture_->hide();
            deletedText_->show();
        }
    }
    fileName_->setText(record.EventName);
    QString folder = record.EventFolder;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    folder_->setText(folder);
    shownType_ = record.EventType;
    shownFriend_ = record.FriendID;
    UpdateFromToLine();
    const int icon = record.EventType == EventRecord::Sent       ? OstSkin::KindSent
                     : record.EventType == EventRecord::Received ? OstSkin::KindReceived
                                                                 : OstSkin::KindTaken;
    kindIcon_->setPixmap(OstBitmap::Load(icon, devicePixelRatioF()));
    update();
}

void COstUI_Orbit_MainDlg::UpdateFromToLine() {
    const int word = shownType_ == EventRecord::Sent       ? IDS_TO
                     : shownType_ == EventRecord::Received ? IDS_FROM
                                                           : 0;
    fromTo_->setText(word ? Text(word) + QStringLiteral("  ") + shownFriend_ : shownFriend_);
}

void COstUI_Orbit_MainDlg::ShowFirstEvent() {
    EventRecord record;
    if (events_.GetRecord(0, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::ClearDetails() {
    picture_->LoadFromFile(QString(), false);
    fileName_->clear();
    fromTo_->clear();
    shownType_ = -1;
    shownFriend_.clear();
    viewPhoto_->setEnabled(false);
    update();
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
    takePhoto_->SetToolTipText(Text(IDS_TAKE_PHOTO));
    sendPhoto_->SetToolTipText(Text(IDS_SEND_PHOTO));
    viewPhoto_->SetToolTipText(Text(IDS_VIEW_PHOTO));
    openFolder_->setText(Text(IDS_OPEN_FOLDER));
    intro_->setText(Text(IDS_INTRO));
    setting_->setText(Text(IDS_SETTING));
    sendSoftware_->setText(Text(IDS_SEND_SOFTWARE));
    mirror_->SetToolTipText(Text(IDS_MIRROR));
    mirrorLabel_->setText(Text(IDS_MIRROR));
    previewLabel_->setText(Text(IDS_PREVIEW_WINDOW));
    sendTo_->setText(Text(IDS_SEND_TO));
    if (cameraErrorId_ != 0)
        cameraError_->setText(Text(cameraErrorId_));
    deletedText_->setText(Text(IDS_PICTURE_DELETED));
    PlaceTexts();
    zoomEdit_->SetToolTipText(Text(IDS_ZOOM_DISABLED));
    zoomEdit_->ActivateToolTip(zoomDisabled_);
    if (shownType_ == EventRecord::Sent || shownType_ == EventRecord::Received)
        UpdateFromToLine();
    if (friends_->count() > 0)
        friends_->setItemText(0, Text(IDS_SELECT_FRIEND));
    eventList_->ApplyTexts();
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
    if (picture_->IsLoaded() && !picture_->Path().isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(picture_->Path()));
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
    Send(UICMD_SEND_SOFTWARE, SelectedFriendHandle());
}

void COstUI_Orbit_MainDlg::OnZoomReset() {
    FocusList();
    SetZoom(100, false);
    Send(UICMD_SET_ZOOM, 100);
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
    const QAction* chosen = menu.exec(QCursor::pos());
    if (chosen && chosen->data().isValid())
        ApplyPreviewSize(chosen->data().toInt());
}

void COstUI_Orbit_MainDlg::OnZoomEntered() {
    FocusList();
    const QString text = zoomEdit_->text();
    // Read as the number was always read: leading digits, anything else ends it.
    int value = OstText::ToInt(QStringView(text).left(text.indexOf(QLatin1Char('%'))));
    value = std::clamp(value, kZoomMin, kZoomMax);
    zoomEdit_->setText(PercentText(value));
    zoomSlider_->SetPos(300 - value);
    Send(UICMD_SET_ZOOM, value);
}

void COstUI_Orbit_MainDlg::OnSliderMoving(int position) {
    const int value = 300 - position;
    const int rounded = value / 10 * 10;
    if (zoomEdit_->text() == PercentText(value))
        return;
    zoomSlider_->SetPos(300 - rounded);
    zoomEdit_->setText(PercentText(rounded));
    Send(UICMD_SET_ZOOM, rounded);
}

void COstUI_Orbit_MainDlg::OnFriendDropDown() {
    Send(UICMD_REFRESH_FRIENDS);
    if (friends_->count() < 2)
        OstMessages::Instance().Tell(IDS_CHECK_SKYPE_LOGIN, this);
}

bool COstUI_Orbit_MainDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == zoomEdit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            if (!zoomDisabled_)
                OnZoomEntered();
            return true;
        }
    }
    if (watched == eventList_ && event->type() == QEvent::KeyPress &&
        OnListKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- the event list

void COstUI_Orbit_MainDlg::OnRowPressed(int index) {
    if (QGuiApplication::keyboardModifiers() & Qt::ControlModifier) {
        const QList<int> selected = eventList_->GetSelectedRows();
        if (selected.contains(index)) {
            // This click takes the row out of the selection: show what stays selected.
            if (selected.front() != index)
                return;
            index = selected.size() > 1 ? selected[1] : index;
        }
    }
    EventRecord record;
    if (events_.GetRecord(index, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::OnCancelPressed(int index) {
    const EventRow* row = events_.Row(index);
    if (!row || row->TransferId == 0)
        return;
    const std::uint32_t id = row->TransferId;
    events_.SetProgress(id, EventRow::Canceled);
    Send(UICMD_CANCEL_TRANSFER, QVariant::fromValue(id));
}

bool COstUI_Orbit_MainDlg::OnListKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        eventList_->selectAll();
        return true;
    }
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (step != 0 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // The details follow the row the key moves to; the list moves the selection itself.
        EventRecord record;
        const int mark = eventList_->GetSelectionMark();
        if (mark >= 0 && events_.GetRecord(mark + step, record))
            ShowEventDetails(record);
    }
    return false;
}

void COstUI_Orbit_MainDlg::OnRowDeleted(int index) {
    if (index < 0) {
        ClearDetails();
        Send(UICMD_EVENT_LIST_EMPTIED);
        return;
    }
    // The shown file may have been one of those deleted: the next one is read afresh.
    picture_->LoadFromFile(QString(), false);
    EventRecord record;
    if (events_.GetRecord(index, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::OnRenamed(const QString& oldPath, const QString& newPath,
                                     const QString& newName) {
    if (picture_->Path() != oldPath)
        return;
    fileName_->setText(newName);
    // The shown picture now lives under the new name; View Photo must open that one.
    picture_->LoadFromFile(newPath, false);
}
