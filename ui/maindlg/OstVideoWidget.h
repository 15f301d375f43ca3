#pragma once

#include "IOstVideoWindow.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <mutex>

// The preview area of the main dialog: the capture graph's video window. Frames arrive on a
// streaming thread and are only stored there; the UI thread paints the newest one scaled into
// the video position, straight from the frame the renderer kept (no copy of its pixels).
// Presses are left to the parent, so the area drags the frameless dialog like its surface.
class OstVideoWidget : public QWidget, public IOstVideoWindow {
    Q_OBJECT
public:
    explicit OstVideoWidget(QWidget* parent = nullptr);
    ~OstVideoWidget() override;

    void PresentFrame(const QImage& frame, const QRect& target) override;
    void PresentLayers(const QImage& clean, const QImage& overlay) override;
    bool GetClientRect(QRect& rect) const override;

    // The frame to be painted next; null when there is no video.
    QImage CurrentFrame() const;
    // The same frame without the overlay, the overlay's picture alone (null while none is
    // shown), and when the frame arrived (steady clock), for a second view of the picture.
    struct Layers {
        QImage clean;
        QImage overlay;
        qint64 arrivedNs = 0;
        quint64 serial = 0;
    };
    Layers CurrentLayers() const;
    // Frames painted since construction (for the benchmark and the tests).
    quint64 FramesPainted() const { return painted_.load(std::memory_order_relaxed); }

signals:
    // On the UI thread, once per pass of its event loop that saw new frames.
    void framePresented();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Repaint();

    mutable std::mutex lock_;
    QImage frame_;
    QRect target_;
    Layers layers_;
    QRect client_; // read by GetClientRect from any thread
    // One repaint queued at a time: a UI thread that falls behind skips frames, never piles
    // them up.
    std::atomic<bool> repaintQueued_{false};
    std::atomic<quint64> painted_{0};
};
