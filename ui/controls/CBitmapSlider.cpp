#include "CBitmapSlider.h"

#include "OstBitmap.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace {

// Screen readers see a slider with its range and position; setting the value from them acts
// like the keyboard.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(CBitmapSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return Slider()->GetPos(); }
    void setCurrentValue(const QVariant& value) override { Slider()->SetPosByUser(value.toInt()); }
    QVariant maximumValue() const override { return Slider()->GetRangeMax(); }
    QVariant minimumValue() const override { return Slider()->GetRangeMin(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    CBitmapSlider* Slider() const { return static_cast<CBitmapSlider*>(widget()); }
};

QAccessibleInterface* SliderFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CBitmapSlider") && object && object->isWidgetType())
        return new SliderAccessible(static_cast<CBitmapSlider*>(object));
    return nullptr;
}

}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(SliderFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::StrongFocus);
}

void CBitmapSlider::SetPosByUser(int position) {
    SetPos(position);
    emit moved(ControlId(), pos_);
}

void CBitmapSlider::LoadBitmaps() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == loadedRatio_)
        return;
    loadedRatio_ = ratio;
    channel_ = channelId_ ? OstBitmap::Load(channelId_, ratio) : QPixmap();
    auto thumb = [ratio](int id) {
        if (!id)
            return QPixmap();
        const QImage image = OstBitmap::LoadImage(id, ratio);
        QPixmap pixmap = OstBitmap::WhiteTransparent(image);
        pixmap.setDevicePixelRatio(image.devicePixelRatio());
        return pixmap;
    };
    thumb_ = thumb(thumbId_);
    activeThumb_ = thumb(activeThumbId_);
}

void CBitmapSlider::SetBitmapChannel(int id) {
    channelId_ = id;
    loadedRatio_ = 0;
    LoadBitmaps();
    if (!channel_.isNull())
        resize(channel_.deviceIndependentSize().toSize());
    update();
}

void CBitmapSlider::SetBitmapThumb(int normal, int active) {
    thumbId_ = normal;
    activeThumbId_ = active;
    loadedRatio_ = 0;
    LoadBitmaps();
    thumbSize_ = thumb_.isNull() ? QSize() : thumb_.deviceIndependentSize().toSize();
    update();
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
    min_ = std::min(minimum, maximum);
    max_ = std::max(minimum, maximum);
    SetPos(pos_);
}

void CBitmapSlider::SetPos(int position) {
    const int before = pos_;
    pos_ = std::clamp(position, min_, max_);
    update();
    if (pos_ != before && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, pos_);
        QAccessible::updateAccessibility(&event);
    }
}

void CBitmapSlider::SetMargin(int left, int top, int right, int bottom) {
    marginLeft_ = left;
    marginTop_ = top;
    marginRight_ = right;
    marginBottom_ = bottom;
    update();
}

void CBitmapSlider::SetVertical(bool vertical) {
    vertical_ = vertical;
    update();
}

int CBitmapSlider::Length() const { return vertical_ ? height() : width(); }
int CBitmapSlider::Near() const { return vertical_ ? marginTop_ : marginLeft_; }
int CBitmapSlider::Far() const { return vertical_ ? marginBottom_ : marginRight_; }
int CBitmapSlider::ThumbLength() const { return vertical_ ? thumbSize_.height() : thumbSize_.width(); }

int CBitmapSlider::ValueToPixel(int value) const {
    const int track = Length() - Near() - Far() - ThumbLength();
    if (max_ == min_ || track <= 0)
        return Near() + ThumbLength() / 2;
    return Near() + static_cast<int>(std::lround(double(value - min_) * track / (max_ - min_))) + ThumbLength() / 2;
}

int CBitmapSlider::PixelToValue(int pixel) const {
    const int track = Length() - Near() - Far() - ThumbLength();
    if (max_ == min_ || track <= 0)
        return min_;
    const double value = min_ + double(pixel - Near() - ThumbLength() / 2) * (max_ - min_) / track;
    return std::clamp(static_cast<int>(std::lround(value)), min_, max_);
}

int CBitmapSlider::Along(const QPointF& point) const {
    return static_cast<int>(std::floor(vertical_ ? point.y() : point.x()));
}

void CBitmapSlider::MoveCentreTo(int pixel) {
    const int value = PixelToValue(pixel);
    if (value == pos_)
        return;
    SetPos(value);
    emit moving(ControlId(), pos_);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    const int pointer = Along(event->position());
    const int centre = ValueToPixel(pos_);
    if (std::abs(pointer - centre) <= ThumbLength() / 2) {
        dragOffset_ = pointer - centre;  // the thumb keeps its place under the pointer
    } else {
        dragOffset_ = 0;  // the thumb jumps to the pointer
        MoveCentreTo(pointer);
    }
    update();
    event->accept();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    MoveCentreTo(Along(event->position()) - dragOffset_);
    event->accept();
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    update();
    emit moved(ControlId(), pos_);
    event->accept();
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    int target = pos_;
    switch (event->key()) {
    case Qt::Key_PageUp: target = pos_ - page_; break;
    case Qt::Key_PageDown: target = pos_ + page_; break;
    case Qt::Key_Home: target = min_; break;
    case Qt::Key_End: target = max_; break;
    case Qt::Key_Left:
    case Qt::Key_Up: target = pos_ - 1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target = pos_ + 1; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    SetPosByUser(target);
    event->accept();
}

void CBitmapSlider::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void CBitmapSlider::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    LoadBitmaps();
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.45);
    if (!channel_.isNull())
        painter.drawPixmap(rect(), channel_);
    const QPixmap& thumb = dragging_ && !activeThumb_.isNull() ? activeThumb_ : thumb_;
    if (!thumb.isNull()) {
        const int centre = ValueToPixel(pos_);
        const QPoint at = vertical_ ? QPoint(marginLeft_, centre - thumbSize_.height() / 2)
                                    : QPoint(centre - thumbSize_.width() / 2, marginTop_);
        painter.drawPixmap(at, thumb);
    }
    painter.setOpacity(1.0);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(0, 0, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
