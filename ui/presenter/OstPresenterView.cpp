#include "OstPresenterView.h"

#include "OstLanguageSelector.h"
#include "OstVideoWidget.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>
#include <QWindow>

#include <chrono>
#include <cmath>

namespace {

enum Text : int {
    kFullScreenText = 483,
    kFrozenText = 484,
    kKeysTitle = 485,
    kFirstKeyLine = 486,
    kLastKeyLine = 494,
};

// One wheel notch or one key press.
constexpr double kZoomStep = 1.25;
constexpr int kZoomMs = 150;
constexpr int kFlashMs = 450;
// The pointer hides over the picture when it has not moved for this long.
constexpr int kPointerMs = 2000;

qint64 NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString String(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

} // namespace

OstPresenterView::OstPresenterView(OstVideoWidget& source, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), source_(source),
      choices_(OstPresenterChoices::Load()) {
    setObjectName(QStringLiteral("presenter"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setWindowTitle(QStringLiteral("Orbit"));

    zoomAnimation_ = new QVariantAnimation(this);
    zoomAnimation_->setDuration(kZoomMs);
    zoomAnimation_->setEasingCurve(QEasingCurve::OutCubic);
    connect(zoomAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        zoom_.ZoomAbout(zoomAnchor_, zoomAnchorInFrame_, value.toDouble());
        update();
    });
    flash_ = new QVariantAnimation(this);
    flash_->setDuration(kFlashMs);
    flash_->setStartValue(1.0);
    flash_->setEndValue(0.0);
    connect(flash_, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    pointerTimer_ = new QTimer(this);
    pointerTimer_->setSingleShot(true);
    pointerTimer_->setInterval(kPointerMs);
    connect(pointerTimer_, &QTimer::timeout, this, [this] {
        if (!dragging_)
            setCursor(Qt::BlankCursor);
    });

    connect(&source_, &OstVideoWidget::framePresented, this, &OstPresenterView::OnFrame);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &OstPresenterView::OnScreenAdded);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &OstPresenterView::OnScreenRemoved);
}

OstPresenterView::~OstPresenterView() = default;

// ---------------------------------------------------------------- screens

void OstPresenterView::Enter(QScreen* dialogScreen) {
    dialogScreen_ = dialogScreen;
    // The view is all picture: a screen reader gets its name and its keys in words.
    QStringList keys;
    for (int line = kFirstKeyLine; line <= kLastKeyLine; ++line)
        keys.append(String(line));
    setAccessibleName(String(kFullScreenText));
    setAccessibleDescription(keys.join(QStringLiteral("; ")));
    const QList<QScreen*> screens = QGuiApplication::screens();
    QStringList names;
    for (const QScreen* screen : screens)
        names.append(screen->name());
    const int chosen = OstPresenterChoices::ChooseScreen(
        names, dialogScreen ? dialogScreen->name() : QString(), choices_.screen);
    if (chosen < 0)
        return;
    // The first choice is remembered; a stand-in for a screen that is away is not, so the view
    // goes back to the projector when it is connected again.
    if (choices_.screen.isEmpty()) {
        choices_.screen = names[chosen];
        choices_.Save();
    }
    ShowOn(screens[chosen]);
    OnFrame();
}

void OstPresenterView::NextScreen() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        return;
    const qsizetype at = screens.indexOf(screen());
    QScreen* next = screens[(at + 1) % screens.size()];
    choices_.screen = next->name();
    choices_.Save();
    ShowOn(next);
}

void OstPresenterView::ShowOn(QScreen* target) {
    if (!target)
        return;
    if (!windowHandle())
        create();
    // A full-screen window is moved by leaving full screen on the old screen first.
    if (isFullScreen() && screen() != target)
        showNormal();
    windowHandle()->setScreen(target);
    setGeometry(target->geometry());
    showFullScreen();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    ShowPointer();
}

void OstPresenterView::OnScreenAdded(QScreen* added) {
    if (!isVisible())
        return;
    // The remembered projector is back, or a second screen appeared beside the dialog's.
    if (added->name() == choices_.screen || (dialogScreen_ && screen() == dialogScreen_))
        QTimer::singleShot(0, this, [this, added = QPointer<QScreen>(added)] {
            if (added && isVisible())
                ShowOn(added);
        });
}

void OstPresenterView::OnScreenRemoved(QScreen* removed) {
    if (!isVisible() || removed != screen())
        return;
    // Queued: the window system moves the window meanwhile, and the list no longer has it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            Enter(dialogScreen_);
    });
}

// ---------------------------------------------------------------- the picture

void OstPresenterView::OnFrame() {
    if (!isVisible())
        return;
    const OstVideoWidget::Layers layers = source_.CurrentLayers();
    if (layers.serial == serial_ && !layers.clean.isNull())
        return;
    serial_ = layers.serial;
    overlay_ = layers.overlay;
    if (!Frozen()) {
        frame_ = layers.clean;
        arrivedNs_ = layers.arrivedNs;
        paintedSerial_ = frame_.isNull();
    }
    zoom_.SetSizes(Shown().size(), size());
    update();
}

QImage OstPresenterView::Shown() const {
    return Frozen() ? frozen_ : frame_;
}

void OstPresenterView::SetMessage(const QString& text) {
    message_ = text;
    update();
}

void OstPresenterView::ConfirmPhoto() {
    if (isVisible())
        flash_->start();
}

void OstPresenterView::ResetFigures() {
    painted_ = 0;
    longestLatencyNs_ = 0;
}

void OstPresenterView::ToggleFreeze() {
    frozen_ = Frozen() ? QImage() : frame_;
    if (!Frozen())
        OnFrame();
    update();
}

void OstPresenterView::Rotate(int step) {
    choices_.rotation = (choices_.rotation + step + 4) % 4;
    choices_.Save();
    emit rotationChanged(choices_.rotation);
}

void OstPresenterView::ZoomBy(double factor, const QPointF& at) {
    targetZoom_ = std::clamp(targetZoom_ * factor, 1.0, OstPresenterZoom::kMaxZoom);
    // Notches that follow each other at one place aim at the page point of the first.
    if (zoomAnimation_->state() != QAbstractAnimation::Running || at != zoomAnchor_)
        zoomAnchorInFrame_ = zoom_.ToFrame(at);
    zoomAnchor_ = at;
    zoomAnimation_->stop();
    zoomAnimation_->setStartValue(zoom_.Zoom());
    zoomAnimation_->setEndValue(targetZoom_);
    zoomAnimation_->start();
}

void OstPresenterView::FitWhole() {
    zoomAnimation_->stop();
    targetZoom_ = 1.0;
    zoom_.Fit();
    update();
}

QPointF OstPresenterView::PointerOrMiddle() const {
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    return rect().contains(pointer) ? QPointF(pointer) : QPointF(rect().center());
}

void OstPresenterView::ShowPointer() {
    if (cursor().shape() == Qt::BlankCursor)
        unsetCursor();
    pointerTimer_->start();
}

// ---------------------------------------------------------------- painting

void OstPresenterView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage image = Shown();
    const QRectF target = zoom_.Target();
    if (image.isNull() || target.isEmpty()) {
        painter.fillRect(rect(), Qt::black);
        if (!message_.isEmpty()) {
            QFont font = painter.font();
            font.setPixelSize(std::max(12, height() / 30));
            painter.setFont(font);
            painter.setPen(QColor(220, 220, 220));
            painter.drawText(rect().adjusted(40, 40, -40, -40), Qt::AlignCenter | Qt::TextWordWrap, message_);
        }
        PaintOverlays(painter);
        return;
    }
    // Only the bars are filled: every other pixel is painted once, by the picture.
    const QRectF all(rect());
    painter.fillRect(QRectF(0, 0, all.width(), target.top()), Qt::black);
    painter.fillRect(QRectF(0, target.bottom(), all.width(), all.height() - target.bottom()), Qt::black);
    painter.fillRect(QRectF(0, target.top(), target.left(), target.height()), Qt::black);
    painter.fillRect(QRectF(target.right(), target.top(), all.width() - target.right(), target.height()),
                     Qt::black);
    // Bilinear filtering keeps the page's text legible at any scale; at one to one it is not
    // needed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(zoom_.Scale() - 1.0) > 1e-3);
    painter.drawImage(target, image, zoom_.Source());
    PaintOverlays(painter);
    if (!paintedSerial_) {
        paintedSerial_ = true;
        ++painted_;
        longestLatencyNs_ = std::max(longestLatencyNs_, NowNs() - arrivedNs_);
    }
}

void OstPresenterView::PaintOverlays(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF all(rect());
    // The countdown's digit, large in the middle of the screen, whatever the zoom.
    if (!overlay_.isNull()) {
        const QSizeF size = QSizeF(overlay_.size()).scaled(QSizeF(all.width(), all.height() * 0.45),
                                                         Qt::KeepAspectRatio);
        const QRectF place(all.center() - QPointF(size.width() / 2, size.height() / 2), size);
        // A dark disc behind it keeps it readable over a white page.
        const double radius = std::max(size.width(), size.height()) * 0.62;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 110));
        painter.drawEllipse(all.center(), radius, radius);
        painter.drawImage(place, overlay_);
    }
    if (Frozen()) {
        QFont font = painter.font();
        font.setPixelSize(std::max(11, height() / 45));
        painter.setFont(font);
        const QString text = String(kFrozenText);
        const QFontMetricsF metrics(font);
        const double pad = metrics.height() * 0.5;
        const double bar = metrics.height() * 0.16;
        const QSizeF box(metrics.horizontalAdvance(text) + pad * 3 + bar * 3, metrics.height() + pad);
        const QRectF mark(all.right() - box.width() - pad * 2, pad * 2, box.width(), box.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 140));
        painter.drawRoundedRect(mark, box.height() / 2, box.height() / 2);
        // A pause sign before the word.
        painter.setBrush(QColor(255, 255, 255, 210));
        const double barTop = mark.top() + pad;
        const double barHeight = mark.height() - pad * 2;
        painter.drawRect(QRectF(mark.left() + pad, barTop, bar, barHeight));
        painter.drawRect(QRectF(mark.left() + pad + bar * 2, barTop, bar, barHeight));
        painter.setPen(QColor(255, 255, 255, 210));
        painter.drawText(mark.adjusted(pad * 2 + bar * 3, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    }
    if (flash_->state() == QAbstractAnimation::Running)
        painter.fillRect(rect(), QColor(255, 255, 255, int(150 * flash_->currentValue().toDouble())));
    if (helpShown_)
        PaintHelp(painter);
}

void OstPresenterView::PaintHelp(QPainter& painter) {
    QFont font = painter.font();
    font.setPixelSize(std::max(12, height() / 42));
    QFont title = font;
    title.setBold(true);
    const QFontMetricsF metrics(font);
    QStringList lines;
    for (int number = kFirstKeyLine; number <= kLastKeyLine; ++number)
        lines.append(String(number));
    double width = QFontMetricsF(title).horizontalAdvance(String(kKeysTitle));
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const double pad = metrics.height();
    const double lineHeight = metrics.height() * 1.35;
    const QSizeF box(width + pad * 2, lineHeight * (lines.size() + 1.5) + pad * 2);
    const QRectF panel(QPointF(rect().center()) - QPointF(box.width() / 2, box.height() / 2), box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 24, 215));
    painter.drawRoundedRect(panel, pad * 0.6, pad * 0.6);
    painter.setPen(Qt::white);
    painter.setFont(title);
    QPointF at = panel.topLeft() + QPointF(pad, pad);
    painter.drawText(QRectF(at, QSizeF(width, lineHeight)), Qt::AlignVCenter | Qt::AlignLeft, String(kKeysTitle));
    at.ry() += lineHeight * 1.5;
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    for (const QString& line : lines) {
        painter.drawText(QRectF(at, QSizeF(width, lineHeight)), Qt::AlignVCenter | Qt::AlignLeft, line);
        at.ry() += lineHeight;
    }
}

void OstPresenterView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    zoom_.SetSizes(Shown().size(), size());
}

// ---------------------------------------------------------------- keys and the mouse

bool OstPresenterView::event(QEvent* event) {
    // The view is a window of the dialog's: the dialog's own shortcuts (F11, Delete) must not
    // take its keys.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void OstPresenterView::keyPressEvent(QKeyEvent* event) {
    const QPointF pan(width() / 10.0, height() / 10.0);
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F11:
        emit leaveRequested();
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(kZoomStep, PointerOrMiddle());
        break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        ZoomBy(1 / kZoomStep, PointerOrMiddle());
        break;
    case Qt::Key_0:
        FitWhole();
        break;
    case Qt::Key_Space:
        ToggleFreeze();
        break;
    case Qt::Key_R:
        Rotate(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit takePhotoRequested();
        break;
    case Qt::Key_F1:
    case Qt::Key_Question:
        helpShown_ = !helpShown_;
        update();
        break;
    case Qt::Key_S:
        NextScreen();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // The page moves the way the arrow points at what is beyond the screen's edge.
        const int key = event->key();
        zoom_.PanBy(QPointF(key == Qt::Key_Left ? pan.x() : key == Qt::Key_Right ? -pan.x() : 0,
                            key == Qt::Key_Up ? pan.y() : key == Qt::Key_Down ? -pan.y() : 0));
        update();
        break;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void OstPresenterView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        ZoomBy(std::pow(kZoomStep, notches), event->position());
    ShowPointer();
    event->accept();
}

void OstPresenterView::mousePressEvent(QMouseEvent* event) {
    ShowPointer();
    if (event->button() == Qt::MiddleButton) {
        FitWhole();
    } else if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
    event->accept();
}

void OstPresenterView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        zoom_.PanBy(event->position() - dragFrom_);
        dragFrom_ = event->position();
        update();
    }
    ShowPointer();
    event->accept();
}

void OstPresenterView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        unsetCursor();
    }
    ShowPointer();
    event->accept();
}

void OstPresenterView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        emit leaveRequested();
    }
    event->accept();
}

void OstPresenterView::closeEvent(QCloseEvent* event) {
    // The window system's close (Alt+F4) leaves the view like Esc; the dialog hides it.
    event->ignore();
    emit leaveRequested();
}
