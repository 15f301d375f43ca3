#pragma once

#include "OverlayFrame.h"

#include <QString>

#include <cstdint>
#include <vector>

class OstWebcam;

// A timed photo: the frames laid over the video one after another, each for `frameDelay`
// milliseconds, then the photo written to `filePath`.
struct CountdownRequest {
    QString filePath;
    std::vector<OverlayFrame> frames;
    std::int32_t frameDelay = 1000;
    // Filled in by OstWebcam::GrabWithCountdown.
    OstWebcam* device = nullptr;
};
