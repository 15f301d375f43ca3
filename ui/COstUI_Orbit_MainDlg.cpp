#include "COstUI_Orbit_MainDlg.h"

#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_RenameDlg.h"
#include "EventRow.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstText.h"
#include "OstUser.h"
#include "OstVideoWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QShortcut>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

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
    IDS_NO_CAMERA = 351,
    IDS_MENU_SEND_PHOTO = 330,
    IDS_MENU_SAVE_AS = 331,
    IDS_MENU_RENAME = 332,
    IDS_MENU_DELETE = 333,
    IDS_MENU_CONTENT = 334,
    IDS_PICTURE_DELETED = 454,
    IDS_DELETE_EVENT = 455,
    IDS_DELETE_PICTURE = 456,
    IDS_DELETE_SEVERAL = 457,
    IDS_ZOOM_DISABLED = 464,
    IDS_CHECK_SKYPE_LOGIN = 465,
    IDS_INTRO = 470,
    IDS_HELP_FOLDER = 471,
    IDS_SAVE_FAILED = 472,
    IDS_RENAME_FAILED = 473,
    IDS_HELP_MISSING = 474,
};

// The "Location:" label keeps the text of the dialog template in every language.
const QString kLocationTemplate = QStringLiteral("Location:");

constexpr int kZoomMin = 100;
constexpr int kZoomMax = 200;
constexpr QRgb kLabelBackground = 0xD9D9D9;

QPixmap Bitmap(int id) { return QPixmap(QStringLiteral(":/bitmaps/%1").arg(id)); }

QString PercentText(int percent) { return QStringLiteral("%1%").arg(percent); }

// Frames are one pixel wide on exactly the border pixels of `rect`.
void Frame(QPainter& painter, const QRect& rect, QRgb colour) {
    painter.setPen(QPen(QColor(colour), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

// The picture sizes of the backgrounds, used while a picture is missing.
QSize TableSizeOf(int pictureId) {
    for (int size : OstMainDlgLayout::Sizes()) {
        const OstMainDlgLayout* layout = OstMainDlgLayout::ForSize(size);
        if (layout->backgroundShown == pictureId)
            return layout->backgroundShownSize;
        if (layout->backgroundHidden == pictureId)
            return layout->backgroundHiddenSize;
    }
    return {};
}

// Where a text is laid inside an area of the skin: a seventh in from each side (the right
// inset measured from the new left edge), from the middle down to 8 pixels above the bottom.
QRect TextPlaceIn(const QRect& area) {
    const int left = area.left();
    const int right = area.left() + area.width(); // exclusive, as the skin measures
    const int top = area.top();
    const int bottom = area.top() + area.height();
    const int l = left + (right - left) / 7;
    const int r = right - (right - l) / 7;
    const int t = (top + bottom) / 2;
    const int b = bottom - 8;
    return QRect(l, t, std::max(0, r - l), std::max(0, b - t));
}

} // namespace

COstUI_Orbit_MainDlg::COstUI_Orbit_MainDlg(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(QStringLiteral("Orbit"));
    setWindowIcon(QIcon(Bitmap(146)));
    setAttribute(Qt::WA_NoSystemBackground);

    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);

    CreateControls();

    zoomEdit_->setText(PercentText(100));
    zoomEdit_->setTextMargins(1, 0, 1, 0);
    zoomSlider_->setRange(kZoomMin, kZoomMax);
    zoomSlider_->setPageStep(10);
    zoomSlider_->setValue(300 - 100);

    FillFriendList({}, QString());
    ApplyPreviewSize(OstMainDlgLayout::Size320);
    FocusList();
    ApplyTexts();
}

COstUI_Orbit_MainDlg::~COstUI_Orbit_MainDlg() = default;

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
    auto button = [this](int id) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::number(id));
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    auto label = [this](int id, bool transparent) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::number(id));
        if (!transparent) {
            l->setAutoFillBackground(true);
            QPalette p = l->palette();
            p.setColor(QPalette::Window, QColor(kLabelBackground));
            l->setPalette(p);
        }
        return l;
    };

    eventList_ = new COstUI_Orbit_EventListCtrl(this);
    eventList_->setObjectName(QString::number(IDC_EVENT_LIST));
    eventList_->installEventFilter(this);
    eventList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(eventList_, &COstUI_Orbit_EventListCtrl::rowPressed, this,
            [this](int index, int) { OnRowPressed(index); });
    connect(eventList_, &COstUI_Orbit_EventListCtrl::buttonClicked, this,
            &COstUI_Orbit_MainDlg::OnCancelPressed);
    connect(eventList_, &COstUI_Orbit_EventListCtrl::listDoubleClicked, this,
            &COstUI_Orbit_MainDlg::OnViewPhoto);
    connect(eventList_, &QWidget::customContextMenuRequested, this,
            &COstUI_Orbit_MainDlg::OnListMenu);
    connect(eventList_->horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
            [this] { eventList_->viewport()->update(); });
    // Delete works wherever the focus is, except where a text field wants the key itself.
    auto* remove = new QShortcut(QKeySequence::Delete, this, this, &COstUI_Orbit_MainDlg::OnDelete,
                                 Qt::WindowShortcut);
    remove->setObjectName(QStringLiteral("delete"));

    preview_ = new OstVideoWidget(this);
    preview_->setObjectName(QString::number(IDC_PREVIEW));
    picture_ = label(IDC_PICTURE, true);
    picture_->setScaledContents(false);
    kindIcon_ = label(IDC_KIND_ICON, true);

    minimise_ = button(IDC_MINIMISE);
    sizeMenu_ = button(IDC_SIZE_MENU);
    close_ = button(IDC_CLOSE);
    takePhoto_ = button(IDC_TAKE_PHOTO);
    sendPhoto_ = button(IDC_SEND_PHOTO);
    viewPhoto_ = button(IDC_VIEW_PHOTO);
    openFolder_ = button(IDC_OPEN_FOLDER);
    intro_ = button(IDC_INTRO);
    setting_ = button(IDC_SETTING);
    sendSoftware_ = button(IDC_SEND_SOFTWARE);
    listToggle_ = button(IDC_LIST_TOGGLE);
    zoomReset_ = button(IDC_ZOOM_RESET);
    mirror_ = button(IDC_MIRROR);

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
    cameraError_->setWordWrap(true);
    cameraError_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cameraError_->hide();
    deletedText_->setWordWrap(true);
    deletedText_->hide();
    fileName_->setTextFormat(Qt::PlainText);
    fromTo_->setTextFormat(Qt::PlainText);
    folder_->setTextFormat(Qt::PlainText);

    zoomEdit_ = new QLineEdit(this);
    zoomEdit_->setObjectName(QString::number(IDC_ZOOM_EDIT));
    zoomEdit_->setFrame(false);
    zoomEdit_->installEventFilter(this);

    zoomSlider_ = new QSlider(Qt::Vertical, this);
    zoomSlider_->setObjectName(QString::number(IDC_ZOOM_SLIDER));
    zoomSlider_->setInvertedAppearance(true);

    friends_ = new QComboBox(this);
    friends_->setObjectName(QString::number(IDC_FRIEND_COMBO));
    friends_->view()->setMinimumWidth(230);
    friendsPopup_ = friends_->view()->window();
    friendsPopup_->installEventFilter(this);
    friends_->installEventFilter(this);
    friends_->setIconSize(QSize(16, 16));

    // The status icons: seven 16 x 16 images side by side, pure yellow showing what lies below.
    const QPixmap strip = Bitmap(245);
    if (!strip.isNull()) {
        QImage image = strip.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) == 0xFFFF00)
                    line[x] = 0;
        }
        const int count = image.width() / 16;
        for (int i = 0; i < count; ++i)
            statusIcons_.emplace_back(QPixmap::fromImage(image.copy(i * 16, 0, 16, 16)));
    }

    for (QWidget* w : {static_cast<QWidget*>(zoomEdit_), static_cast<QWidget*>(friends_),
                       static_cast<QWidget*>(fileName_), static_cast<QWidget*>(fromTo_),
                       static_cast<QWidget*>(sendTo_), static_cast<QWidget*>(folder_),
                       static_cast<QWidget*>(previewLabel_), static_cast<QWidget*>(cameraError_),
                       static_cast<QWidget*>(mirrorLabel_), static_cast<QWidget*>(openFolder_),
                       static_cast<QWidget*>(intro_), static_cast<QWidget*>(setting_),
                       static_cast<QWidget*>(sendSoftware_)})
        w->setFont(font());

    SetButtonSkin(minimise_, 151, 152, 153, 154, 156);
    SetButtonSkin(sizeMenu_, 157, 158, 159, 160, 162);
    SetButtonSkin(close_, 163, 164, 165, 166, 168);
    SetButtonSkin(takePhoto_, 181, 182, 183, 184, 186);
    SetButtonSkin(sendPhoto_, 175, 176, 177, 178, 180);
    SetButtonSkin(viewPhoto_, 169, 170, 171, 172, 174);
    SetButtonSkin(openFolder_, 187, 188, 189, 190, 192);
    SetButtonSkin(intro_, 187, 188, 189, 190, 192);
    SetButtonSkin(setting_, 193, 194, 195, 196, 198);
    SetButtonSkin(sendSoftware_, 199, 200, 201, 202, 204);
    SetButtonSkin(listToggle_, 211, 212, 213, 214, 216);
    SetButtonSkin(zoomReset_, 217, 218, 219, 220, 222);
    SetButtonSkin(mirror_, 223, 224, 225, 226, 228);

    connect(minimise_, &QAbstractButton::clicked, this, [this] { showMinimized(); });
    connect(sizeMenu_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSizeMenu);
    connect(close_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnClose);
    connect(takePhoto_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnTakePhoto);
    connect(sendPhoto_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSendPhoto);
    connect(viewPhoto_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnViewPhoto);
    connect(openFolder_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnOpenFolder);
    connect(intro_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnIntro);
    connect(setting_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnSetting);
    connect(sendSoftware_, &QAbstractButton::clicked, this,
            &COstUI_Orbit_MainDlg::OnSendSoftware);
    connect(listToggle_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnListToggle);
    connect(zoomReset_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnZoomReset);
    connect(mirror_, &QAbstractButton::clicked, this, &COstUI_Orbit_MainDlg::OnMirror);
    connect(zoomSlider_, &QSlider::sliderMoved, this, &COstUI_Orbit_MainDlg::OnSliderMoving);
    connect(zoomSlider_, &QSlider::sliderReleased, this, [this] { FocusList(); });
    connect(zoomSlider_, &QSlider::actionTriggered, this, [this](int action) {
        // Keys move the thumb without changing the zoom; only the focus goes back.
        if (action != QAbstractSlider::SliderMove && !zoomSlider_->isSliderDown())
            FocusList();
    });
}

void COstUI_Orbit_MainDlg::SetButtonSkin(QAbstractButton* button, int normal, int, int, int,
                                         int) {
    const QPixmap face = Bitmap(normal);
    if (!face.isNull()) {
        button->setIcon(QIcon(face));
        button->setIconSize(face.size());
    }
}

// ---------------------------------------------------------------- layout and skin

void COstUI_Orbit_MainDlg::PlaceControls(const OstMainDlgLayout& l) {
    preview_->setGeometry(l.preview);
    picture_->setGeometry(l.picture);
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
    // Placed here so that the size and list parts agree before the list part runs.
    setting_->setGeometry(listShown_ ? l.settingShown : l.settingHidden);
    sendSoftware_->setGeometry(listShown_ ? l.sendSoftwareShown : l.sendSoftwareHidden);
    listToggle_->setGeometry(listShown_ ? l.listToggleShown : l.listToggleHidden);
}

void COstUI_Orbit_MainDlg::PlaceTexts() {
    cameraError_->setGeometry(TextPlaceIn(preview_->geometry()));
    const QRect deleted = TextPlaceIn(picture_->geometry());
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
    if (listShown_)
        SetButtonSkin(listToggle_, 211, 212, 213, 214, 216);
    else
        SetButtonSkin(listToggle_, 205, 206, 207, 208, 210);
    // Only a new size moves the window; toggling the list keeps it where the user put it.
    const bool recentre = backgroundId_ != l.backgroundShown && backgroundId_ != l.backgroundHidden;
    ApplyBackground(wanted, recentre);
}

void COstUI_Orbit_MainDlg::ApplyBackground(int pictureId, bool recentre) {
    COstUI_Picture picture;
    const bool loaded = picture.LoadFromResource(pictureId, QStringLiteral("JPG"));
    backgroundId_ = pictureId;
    QSize size = loaded ? picture.Picture().size() : TableSizeOf(pictureId);
    if (size.isEmpty())
        size = this->size();

    const qreal dpr = devicePixelRatioF();
    background_ = QPixmap(size * dpr);
    background_.setDevicePixelRatio(dpr);
    background_.fill(palette().color(QPalette::Window));
    {
        QPainter painter(&background_);
        if (loaded) {
            // The sharper picture on a dense screen; sizes stay those of the 1x picture.
            const QImage sharp = dpr > 1 ? QImage(COstUI_Picture::ResourcePath(
                                               pictureId, QStringLiteral("JPG")) +
                                           QStringLiteral("@2x"))
                                         : QImage();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRect(QPoint(0, 0), size), sharp.isNull() ? picture.Picture() : sharp);
        }
        const QRect label = sendTo_->geometry();
        const QRect combo = friends_->geometry();
        Frame(painter,
              QRect(QPoint(label.left() - 2, combo.top() - 2),
                    QPoint(combo.right() + 2, combo.bottom() + 2)),
              0xDBDBDB);
        if (listShown_)
            Frame(painter, eventList_->geometry().adjusted(-1, -1, 1, 1), 0xB3B3B3);
        Frame(painter, zoomEdit_->geometry().adjusted(-1, -1, 1, 1), 0x8C8C8C);
    }

    const QPoint topLeft = pos();
    resize(size);
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, size.width(), size.height()), 12.5, 12.5);
    setMask(QRegion(rounded.toFillPolygon().toPolygon()));
    if (recentre) {
        const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
        if (where) {
            QRect frame(QPoint(0, 0), size);
            frame.moveCenter(where->availableGeometry().center());
            move(frame.topLeft());
        }
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
    // The upper halves of the two picture areas are white: the skin's light behind them.
    for (QWidget* area : {static_cast<QWidget*>(preview_), static_cast<QWidget*>(picture_)}) {
        if (!area->isVisibleTo(this))
            continue;
        const QRect r = area->geometry();
        painter.fillRect(QRect(r.left(), r.top(), r.width(), r.height() / 2), Qt::white);
    }
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
    zoomSlider_->setValue(std::clamp(300 - percent, zoomSlider_->minimum(), zoomSlider_->maximum()));
    zoomDisabled_ = disable;
    zoomEdit_->setReadOnly(disable);
    zoomEdit_->setToolTip(disable ? Text(IDS_ZOOM_DISABLED) : QString());
    zoomSlider_->setEnabled(!disable);
    zoomReset_->setEnabled(!disable);
}

void COstUI_Orbit_MainDlg::SetMirrorButton(bool on) {
    SetButtonSkin(mirror_, on ? 227 : 223, 224, 225, 226, 228);
    mirror_->update();
}

void COstUI_Orbit_MainDlg::FillFriendList(const std::vector<OstUser*>& contacts,
                                          const QString& preferredHandle) {
    friends_->setUpdatesEnabled(false);
    friends_->clear();
    friends_->addItem(Text(IDS_SELECT_FRIEND), QString());
    int chosen = 0;
    for (const OstUser* contact : contacts) {
        if (!contact)
            continue;
        int icon = -1;
        switch (contact->GetOnlineStatus()) {
        case SKYPE_STATUS_OFFLINE: icon = 6; break;
        case SKYPE_STATUS_ONLINE: icon = 1; break;
        case SKYPE_STATUS_AWAY: icon = 2; break;
        case SKYPE_STATUS_NA: icon = 3; break;
        case SKYPE_STATUS_DND: icon = 4; break;
        default: break;
        }
        const QIcon image = icon >= 0 && size_t(icon) < statusIcons_.size() ? statusIcons_[size_t(icon)]
                                                                           : QIcon();
        friends_->addItem(image, contact->GetShownName(), contact->GetHandle());
        if (!preferredHandle.isEmpty() && contact->GetHandle() == preferredHandle)
            chosen = friends_->count() - 1;
    }
    friends_->setCurrentIndex(chosen);
    friends_->setUpdatesEnabled(true);
    FocusList();
}

QString COstUI_Orbit_MainDlg::SelectedFriendHandle() const {
    return friends_->currentIndex() < 0 ? QString() : friends_->currentData().toString();
}

QString COstUI_Orbit_MainDlg::SelectedFriendText() const { return friends_->currentText(); }

void COstUI_Orbit_MainDlg::ShowEventDetails(const EventRecord& record) {
    const int loaded = shownPicture_.LoadFromFile(record.FullPath(), true);
    if (loaded == 0)
        return;
    if (loaded > 0) {
        QPixmap pixmap = QPixmap::fromImage(shownPicture_.Picture());
        const QSize area = picture_->size();
        if (pixmap.size() != area &&
            (pixmap.width() > area.width() || pixmap.height() > area.height()))
            pixmap = pixmap.scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture_->setPixmap(pixmap);
        picture_->show();
        deletedText_->hide();
        viewPhoto_->setEnabled(true);
    } else {
        picture_->clear();
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
    const int icon = record.EventType == EventRecord::Sent       ? 233
                     : record.EventType == EventRecord::Received ? 234
                                                                 : 232;
    kindIcon_->setPixmap(Bitmap(icon));
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
    if (eventList_->GetRecord(0, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::ClearDetails() {
    shownPicture_.LoadFromFile(QString(), false);
    picture_->clear();
    fileName_->clear();
    fromTo_->clear();
    shownType_ = -1;
    shownFriend_.clear();
    viewPhoto_->setEnabled(false);
    update();
}

void COstUI_Orbit_MainDlg::EnableTakePhoto() { takePhoto_->setEnabled(true); }

void COstUI_Orbit_MainDlg::SetFolderText(const QString& folder) { folder_->setText(folder); }

QString COstUI_Orbit_MainDlg::FolderText() const { return folder_->text(); }

void COstUI_Orbit_MainDlg::ApplyTexts() {
    takePhoto_->setToolTip(Text(IDS_TAKE_PHOTO));
    sendPhoto_->setToolTip(Text(IDS_SEND_PHOTO));
    viewPhoto_->setToolTip(Text(IDS_VIEW_PHOTO));
    openFolder_->setText(Text(IDS_OPEN_FOLDER));
    intro_->setText(Text(IDS_INTRO));
    setting_->setText(Text(IDS_SETTING));
    sendSoftware_->setText(Text(IDS_SEND_SOFTWARE));
    mirror_->setToolTip(Text(IDS_MIRROR));
    mirrorLabel_->setText(Text(IDS_MIRROR));
    previewLabel_->setText(Text(IDS_PREVIEW_WINDOW));
    sendTo_->setText(Text(IDS_SEND_TO));
    if (cameraErrorId_ != 0)
        cameraError_->setText(Text(cameraErrorId_));
    deletedText_->setText(Text(IDS_PICTURE_DELETED));
    PlaceTexts();
    zoomEdit_->setToolTip(zoomDisabled_ ? Text(IDS_ZOOM_DISABLED) : QString());
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
    if (shownPicture_.IsLoaded() && !shownPicture_.Path().isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(shownPicture_.Path()));
    FocusList();
}

void COstUI_Orbit_MainDlg::OnOpenFolder() { Send(UICMD_OPEN_FOLDER, folder_->text()); }

QString COstUI_Orbit_MainDlg::FindHelpPage(const QString& languageFolder) {
    const QString page = QStringLiteral("help/") + languageFolder + QStringLiteral("/help_1.htm");
    QDir dir(QCoreApplication::applicationDirPath());
    const QStringList places = {
        dir.filePath(page),
        dir.filePath(QStringLiteral("../share/orbit/") + page),
    };
    for (const QString& place : places)
        if (QFileInfo(place).isFile())
            return QFileInfo(place).absoluteFilePath();
    // Run from a build inside the source tree: the pages are in res/ of an enclosing folder.
    for (int up = 0; up < 4 && !dir.isRoot(); ++up) {
        dir.cdUp();
        const QString source = dir.filePath(QStringLiteral("res/") + page);
        if (QFileInfo(source).isFile())
            return QFileInfo(source).absoluteFilePath();
    }
    return {};
}

void COstUI_Orbit_MainDlg::OnIntro() {
    const QString page = FindHelpPage(Text(IDS_HELP_FOLDER));
    if (page.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        QMessageBox::information(this, windowTitle(), Text(IDS_HELP_MISSING));
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

void COstUI_Orbit_MainDlg::OnClose() {
    hide();
    Send(UICMD_DIALOG_CLOSED);
}

void COstUI_Orbit_MainDlg::closeEvent(QCloseEvent* event) {
    // The window system's Close only hides the dialog; the program lives on in the tray.
    Send(UICMD_DIALOG_CLOSED);
    event->ignore();
    hide();
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
    zoomSlider_->setValue(300 - value);
    Send(UICMD_SET_ZOOM, value);
}

void COstUI_Orbit_MainDlg::OnSliderMoving(int position) {
    const int value = 300 - position;
    const int rounded = value / 10 * 10;
    if (zoomEdit_->text() == PercentText(value))
        return;
    zoomSlider_->setValue(300 - rounded);
    zoomEdit_->setText(PercentText(rounded));
    Send(UICMD_SET_ZOOM, rounded);
}

void COstUI_Orbit_MainDlg::OnFriendDropDown() {
    Send(UICMD_REFRESH_FRIENDS);
    if (friends_->count() < 2)
        QMessageBox::information(this, windowTitle(), Text(IDS_CHECK_SKYPE_LOGIN));
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
    if (watched == friends_) {
        const bool opening =
            (event->type() == QEvent::MouseButtonPress &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) ||
            (event->type() == QEvent::KeyPress &&
             (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4 ||
              (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
               (static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier))));
        if (opening) {
            OnFriendDropDown();
            // Nothing to choose from: the message said why, no empty list follows.
            if (friends_->count() < 2)
                return true;
        }
    }
    if (watched == friendsPopup_ && event->type() == QEvent::Hide)
        FocusList();
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
    if (eventList_->GetRecord(index, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::OnCancelPressed(int index) {
    EventRow* row = eventList_->GetRow(index);
    if (!row || row->TransferId == 0)
        return;
    const std::uint32_t id = row->TransferId;
    eventList_->SetProgress(id, EventRow::Canceled);
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
        if (mark >= 0 && eventList_->GetRecord(mark + step, record))
            ShowEventDetails(record);
    }
    return false;
}

void COstUI_Orbit_MainDlg::OnListMenu(const QPoint& position) {
    if (eventList_->GetSelectedRows().isEmpty()) {
        const int mark = eventList_->GetSelectionMark();
        if (mark >= 0)
            eventList_->SelectOnly(mark);
        return;
    }
    QMenu menu(this);
    QAction* send = menu.addAction(Text(IDS_MENU_SEND_PHOTO), this, &COstUI_Orbit_MainDlg::OnSendPhoto);
    QAction* saveAs = menu.addAction(Text(IDS_MENU_SAVE_AS), this, &COstUI_Orbit_MainDlg::OnSaveAs);
    QAction* rename = menu.addAction(Text(IDS_MENU_RENAME), this, &COstUI_Orbit_MainDlg::OnRename);
    menu.addAction(Text(IDS_MENU_DELETE), this, &COstUI_Orbit_MainDlg::OnDelete);
    QAction* content = menu.addAction(Text(IDS_MENU_CONTENT), this, &COstUI_Orbit_MainDlg::OnContent);
    if (!shownPicture_.IsLoaded())
        for (QAction* action : {send, saveAs, rename, content})
            action->setEnabled(false);
    menu.exec(eventList_->viewport()->mapToGlobal(position));
}

void COstUI_Orbit_MainDlg::OnDelete() {
    const QList<int> selected = eventList_->GetSelectedRows();
    if (selected.isEmpty())
        return;
    int question = IDS_DELETE_SEVERAL;
    if (selected.size() == 1) {
        EventRecord record;
        eventList_->GetRecord(selected.front(), record);
        question = record.EventType == EventRecord::Sent ? IDS_DELETE_EVENT : IDS_DELETE_PICTURE;
    }
    if (QMessageBox::question(this, windowTitle(), Text(question),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    deleting_ = 2;
    for (auto it = selected.crbegin(); it != selected.crend(); ++it)
        eventList_->DeleteRow(*it);
    deleting_ = 0;
    const int count = eventList_->GetItemCount();
    if (count == 0) {
        ClearDetails();
        Send(UICMD_EVENT_LIST_EMPTIED);
        return;
    }
    const int next = std::min(selected.front(), count - 1);
    eventList_->SelectOnly(next);
    // The shown file may have been one of those deleted: read the next one afresh.
    shownPicture_.LoadFromFile(QString(), false);
    EventRecord record;
    if (eventList_->GetRecord(next, record))
        ShowEventDetails(record);
}

void COstUI_Orbit_MainDlg::OnSaveAs() {
    for (int index : eventList_->GetSelectedRows()) {
        EventRecord record;
        if (!eventList_->GetRecord(index, record) || !QFileInfo(record.FullPath()).isFile())
            continue;
        const QString target = QFileDialog::getSaveFileName(
            this, QString(), record.FullPath(), QStringLiteral("JPEG Files (*.jpg)"));
        if (target.isEmpty())
            continue;
        if (QFileInfo(target) == QFileInfo(record.FullPath()))
            continue;
        // The file dialog has asked before replacing; the copy then takes the old file's place.
        bool copied = false;
        const QString part = target + QStringLiteral(".part");
        QFile::remove(part);
        if (QFile::copy(record.FullPath(), part)) {
            QFile::remove(target);
            copied = QFile::rename(part, target);
            if (!copied)
                QFile::remove(part);
        }
        if (!copied)
            QMessageBox::warning(this, windowTitle(), Text(IDS_SAVE_FAILED));
    }
    FocusList();
}

void COstUI_Orbit_MainDlg::OnRename() {
    for (int index : eventList_->GetSelectedRows()) {
        EventRow* row = eventList_->GetRow(index);
        if (!row)
            continue;
        const QString oldPath = row->Record.FullPath();
        if (!QFileInfo(oldPath).isFile())
            continue;
        const QString& name = row->Record.EventName;
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        const QString base = dot < 0 ? name : name.left(dot);
        COstUI_Orbit_RenameDlg dialog(base, row->Record.EventFolder, this);
        if (dialog.exec() != QDialog::Accepted || dialog.GetNewName() == base)
            continue;
        const QString newName = dialog.GetNewName() + QStringLiteral(".jpg");
        const QString newPath = row->Record.EventFolder + newName;
        // Never over another file: QFile::rename refuses an existing target.
        if (!QFile::rename(oldPath, newPath)) {
            QMessageBox::warning(this, windowTitle(), Text(IDS_RENAME_FAILED));
            continue;
        }
        row = eventList_->GetRow(index);
        if (!row)
            continue;
        row->Record.EventName = newName;
        eventList_->RedrawCell(index, 2);
        fileName_->setText(newName);
        // The shown picture now lives under the new name; View Photo must open that one.
        if (shownPicture_.Path() == oldPath)
            shownPicture_.LoadFromFile(newPath, false);
    }
    FocusList();
}

void COstUI_Orbit_MainDlg::OnContent() {
    for (int index : eventList_->GetSelectedRows()) {
        EventRecord record;
        if (!eventList_->GetRecord(index, record) || !QFileInfo(record.FullPath()).isFile())
            continue;
        const QString path = record.FullPath();
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
        call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
        auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, path] {
            // Without a file manager that shows properties, the folder is the next best thing.
            if (watcher->isError())
                QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
            watcher->deleteLater();
        });
    }
}
