#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where the camera's picture lies in the presenter view: fitted whole with its aspect kept at
// zoom 1, up to 8 times that, moved by the user. A zoomed picture covers the view wherever it
// can (no black edge while there is picture to show); one smaller than the view is centred.
// Plain arithmetic in view pixels and frame pixels, so its rules are tested without windows.
class OstPresenterZoom {
public:
    static constexpr double kMaxZoom = 8.0;

    // A new frame size (the camera's format or the rotation changed) starts again from the
    // whole picture; a new view size keeps the zoom and the point in the middle.
    void SetSizes(const QSizeF& frame, const QSizeF& view);
    // The whole picture again.
    void Fit();
    // Zoom (clamped to 1..8) about a view point: the frame point under it stays under it.
    void ZoomAt(const QPointF& viewPoint, double zoom);
    // Zoom with a frame point brought under a view point, as far as the picture's edges allow:
    // the steps of an animated zoom all aim at the point that was under the pointer at first.
    void ZoomAbout(const QPointF& viewPoint, const QPointF& framePoint, double zoom);
    // Moves the picture with the pointer by a distance in view pixels.
    void PanBy(const QPointF& viewDelta);

    double Zoom() const { return zoom_; }
    // View pixels per frame pixel.
    double Scale() const;
    QPointF ToFrame(const QPointF& viewPoint) const;
    QPointF ToView(const QPointF& framePoint) const;
    // The visible part of the frame and where it is painted; empty without sizes.
    QRectF Source() const;
    QRectF Target() const;

private:
    double FitScale() const;
    void Clamp();

    QSizeF frame_;
    QSizeF view_;
    double zoom_ = 1.0;
    // The frame point shown in the middle of the view.
    QPointF center_;
};
