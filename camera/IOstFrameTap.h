#pragma once

#include <QImage>

// Takes every frame of the capture graph as photos see it (turned, without the countdown's
// digit), for a second consumer of the picture such as the camera shared with other programs.
// Called on a GStreamer streaming thread, outside the renderer's lock: it must not block.
class IOstFrameTap {
public:
    virtual ~IOstFrameTap() = default;
    virtual void TakeFrame(const QImage& frame) = 0;
};
