#pragma once

#include <QImage>
#include <QRect>

// Where a capture graph shows its video; the preview widget implements it.
class IOstVideoWindow {
public:
    virtual ~IOstVideoWindow();

    // Called on a GStreamer streaming thread for every frame, with the overlay already laid
    // in, while the graph holds its delivery lock: store the frame and schedule a repaint
    // (a queued call), never block on another thread and never call back into the graph.
    // `target` is the rectangle of the client area the frame is to be scaled into. A null
    // frame means the graph let the window go: no video any more.
    virtual void PresentFrame(const QImage& frame, const QRect& target) = 0;
    // Called right after PresentFrame, on the same thread and under the same lock: the frame
    // without the overlay, and the overlay's picture on its own with its key colour
    // transparent (null while no overlay is shown), for a window that lays the picture in its
    // own way. Windows that show the composed frame ignore it.
    virtual void PresentLayers(const QImage& clean, const QImage& overlay);

    // The client rectangle the video is fitted into; called on the thread that asks the graph
    // to fit the video (SetVideoPosition). False when the window cannot tell.
    virtual bool GetClientRect(QRect& rect) const = 0;
};
