#include "OstPresenterZoom.h"

#include <algorithm>

void OstPresenterZoom::SetSizes(const QSizeF& frame, const QSizeF& view) {
    const bool newFrame = frame != frame_;
    frame_ = frame;
    view_ = view;
    if (newFrame)
        Fit();
    else
        Clamp();
}

void OstPresenterZoom::Fit() {
    zoom_ = 1.0;
    center_ = QPointF(frame_.width() / 2, frame_.height() / 2);
}

double OstPresenterZoom::FitScale() const {
    if (frame_.isEmpty() || view_.isEmpty())
        return 1.0;
    return std::min(view_.width() / frame_.width(), view_.height() / frame_.height());
}

double OstPresenterZoom::Scale() const {
    return FitScale() * zoom_;
}

QPointF OstPresenterZoom::ToFrame(const QPointF& viewPoint) const {
    const QPointF middle(view_.width() / 2, view_.height() / 2);
    return center_ + (viewPoint - middle) / Scale();
}

QPointF OstPresenterZoom::ToView(const QPointF& framePoint) const {
    const QPointF middle(view_.width() / 2, view_.height() / 2);
    return middle + (framePoint - center_) * Scale();
}

void OstPresenterZoom::ZoomAt(const QPointF& viewPoint, double zoom) {
    ZoomAbout(viewPoint, ToFrame(viewPoint), zoom);
}

void OstPresenterZoom::ZoomAbout(const QPointF& viewPoint, const QPointF& anchor, double zoom) {
    zoom_ = std::clamp(zoom, 1.0, kMaxZoom);
    const QPointF middle(view_.width() / 2, view_.height() / 2);
    center_ = anchor - (viewPoint - middle) / Scale();
    Clamp();
}

void OstPresenterZoom::PanBy(const QPointF& viewDelta) {
    center_ -= viewDelta / Scale();
    Clamp();
}

void OstPresenterZoom::Clamp() {
    const double scale = Scale();
    auto axis = [scale](double center, double frame, double view) {
        const double half = view / 2 / scale;
        // Smaller than the view: centred. Larger: no edge of the frame comes inside the view.
        if (frame <= 2 * half)
            return frame / 2;
        return std::clamp(center, half, frame - half);
    };
    center_.setX(axis(center_.x(), frame_.width(), view_.width()));
    center_.setY(axis(center_.y(), frame_.height(), view_.height()));
}

QRectF OstPresenterZoom::Target() const {
    if (frame_.isEmpty() || view_.isEmpty())
        return {};
    const QRectF picture(ToView(QPointF(0, 0)), frame_ * Scale());
    return picture.intersected(QRectF(QPointF(0, 0), view_));
}

QRectF OstPresenterZoom::Source() const {
    const QRectF target = Target();
    if (target.isEmpty())
        return {};
    return QRectF(ToFrame(target.topLeft()), target.size() / Scale());
}
