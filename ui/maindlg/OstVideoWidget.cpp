#include "OstVideoWidget.h"

#include "OstQueuedCall.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>

#include <chrono>

OstVideoWidget::OstVideoWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    client_ = QRect(QPoint(0, 0), size());
}

OstVideoWidget::~OstVideoWidget() = default;

void OstVideoWidget::PresentFrame(const QImage& frame, const QRect& target) {
    {
        std::lock_guard guard(lock_);
        // A shallow copy: the renderer makes a new image for every frame, so this one is
        // never written again.
        frame_ = frame;
        target_ = target;
        // No video any more: a second view must not hold on to the last picture.
        if (frame.isNull()) {
            layers_ = Layers{};
        }
    }
    if (!repaintQueued_.exchange(true))
        OstQueuedCall::Post(this, [this] { Repaint(); });
}

void OstVideoWidget::PresentLayers(const QImage& clean, const QImage& overlay) {
    std::lock_guard guard(lock_);
    layers_.clean = clean;
    layers_.overlay = overlay;
    layers_.arrivedNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    ++layers_.serial;
}

OstVideoWidget::Layers OstVideoWidget::CurrentLayers() const {
    std::lock_guard guard(lock_);
    return layers_;
}

void OstVideoWidget::Repaint() {
    repaintQueued_.store(false);
    const bool hasFrame = !CurrentFrame().isNull();
    // With a frame the whole area is covered, so what lies below need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, hasFrame);
    update();
    emit framePresented();
}

void OstVideoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit doubleClicked();
}

bool OstVideoWidget::GetClientRect(QRect& rect) const {
    if (QThread::currentThread() == thread()) {
        rect = QRect(QPoint(0, 0), size());
    } else {
        std::lock_guard guard(lock_);
        rect = client_;
    }
    return true;
}

QImage OstVideoWidget::CurrentFrame() const {
    std::lock_guard guard(lock_);
    return frame_;
}

void OstVideoWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    std::lock_guard guard(lock_);
    client_ = QRect(QPoint(0, 0), size());
}

void OstVideoWidget::paintEvent(QPaintEvent*) {
    QImage frame;
    QRect target;
    {
        std::lock_guard guard(lock_);
        frame = frame_;
        target = target_;
    }
    if (frame.isNull())
        return;
    if (target.isEmpty())
        target = rect();
    // A picture turned sideways keeps its shape inside the landscape preview.
    if ((frame.width() > frame.height()) != (target.width() > target.height())) {
        const QSize fitted = frame.size().scaled(target.size(), Qt::KeepAspectRatio);
        target = QRect(target.topLeft() + QPoint((target.width() - fitted.width()) / 2,
                                                 (target.height() - fitted.height()) / 2),
                       fitted);
    }
    QPainter painter(this);
    if (!target.contains(rect()))
        painter.fillRect(rect(), Qt::black);
    const QSize off = frame.size() - target.size();
    if (off.width() >= 0 && off.width() <= 2 && off.height() >= 0 && off.height() <= 2) {
        // A pixel or two from the camera's own size (638 x 479 for 640 x 480): a straight
        // copy of the middle, which looks the same as scaling and costs a fraction of it.
        painter.drawImage(target.topLeft(), frame,
                          QRect(QPoint(off.width() / 2, off.height() / 2), target.size()));
    } else {
        // Nearest-neighbour is fine near the camera's size; a real reduction needs filtering
        // or fine detail turns to noise.
        const bool reduced =
            target.width() * 5 < frame.width() * 4 || target.height() * 5 < frame.height() * 4;
        painter.setRenderHint(QPainter::SmoothPixmapTransform, reduced);
        painter.drawImage(target, frame);
    }
    painted_.fetch_add(1, std::memory_order_relaxed);
}
