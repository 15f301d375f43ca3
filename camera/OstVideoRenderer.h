#pragma once

#include "OstAlphaBitmap.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class IOstFrameTap;
class IOstVideoWindow;
typedef struct _GstElement GstElement;

// The renderer end of a capture graph, fed by an appsink: it lays the overlay picture into
// every frame it hands to the video window, and keeps the last frame without the overlay as
// the current image, so a photo never shows the countdown. The graph's windowless control and mixer
// bitmap are this object.
//
// Frames arrive on a GStreamer streaming thread; everything else may be called from any
// thread. One lock covers the window, the overlay and the current image, and the window is
// called with it held, so once the clipping window is cleared no frame reaches it any more.
class OstVideoRenderer {
public:
    OstVideoRenderer();
    ~OstVideoRenderer();
    OstVideoRenderer(const OstVideoRenderer&) = delete;
    OstVideoRenderer& operator=(const OstVideoRenderer&) = delete;

    // Sets the appsink up to deliver 32-bit frames to this renderer; the renderer must
    // outlive the sink's streaming (the graph stops the sink before dropping the renderer).
    void AttachSink(GstElement* appsink);
    static void DetachSink(GstElement* appsink);

    // A null window lets the current window go (it is sent a null frame) and fails.
    bool SetVideoClippingWindow(IOstVideoWindow* window);
    // The target rectangle in the window's client area; false for a negative size.
    bool SetVideoPosition(const QRect& target);
    QRect VideoPosition() const;
    void SetNativeVideoSize(const QSize& size);
    bool GetNativeVideoSize(QSize& size) const;
    // The last frame, without the overlay; waits up to `wait` for a first frame unless
    // the graph has let the renderer go.
    bool GetCurrentImage(QImage& image, std::chrono::milliseconds wait);
    // The graph is being torn down: no frame will come any more.
    void EndOfStream();

    bool SetAlphaBitmap(const OstAlphaBitmap& record);
    bool UpdateAlphaBitmapParameters(const OstAlphaBitmap& record);
    bool GetAlphaBitmapParameters(OstAlphaBitmap& record) const;

    // Quarter turns clockwise (0..3, taken modulo 4) applied to every frame from the next one on:
    // the window, the overlay's place and the photos all see the turned picture.
    void SetRotation(int quarterTurns);
    int Rotation() const { return quarterTurns_.load(std::memory_order_relaxed); }
    // Gets every frame from the next one on; null stops. The tap must outlive the renderer's
    // streaming or be cleared first.
    void SetFrameTap(IOstFrameTap* tap) { tap_.store(tap, std::memory_order_release); }

    // One frame of the stream (format RGB32). Public for benchmarks and tests.
    void DeliverFrame(QImage frame);
    std::uint64_t FramesDelivered() const;

    // The pixels covered by a normalised rectangle in a frame of the given size.
    static QRect OverlayRect(const QSize& frame, float left, float top, float right, float bottom);

private:
    struct Overlay {
        bool enabled = false;
        QImage bitmap; // RGB32, the whole bitmap
        QRect source;
        float left = 0, top = 0, right = 0, bottom = 0;
        float alpha = 0;
        bool useKey = false;
        std::uint32_t colorKey = 0;
        // Scaled to the frame size it was last used for.
        QSize preparedFor;
        QRect rect;
        QImage scaled;
        // The source rectangle on its own, its key colour transparent, for windows that lay
        // it in themselves; made when first asked for.
        QImage picture;
    };
    static bool ValidPlacement(float left, float top, float right, float bottom, float alpha);
    void PrepareOverlay(const QSize& frameSize);
    void BlendOverlay(QImage& frame);
    const QImage& OverlayPicture();

    mutable std::mutex lock_;
    std::condition_variable frameArrived_;
    IOstVideoWindow* window_ = nullptr;
    QRect target_;
    QSize nativeSize_;
    QImage current_;
    Overlay overlay_;
    std::uint64_t frames_ = 0;
    bool ended_ = false;
    std::atomic<int> quarterTurns_{0};
    std::atomic<IOstFrameTap*> tap_{nullptr};
};
