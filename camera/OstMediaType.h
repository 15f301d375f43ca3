#pragma once

#include <QByteArray>
#include <cstdint>

// One format a capture source offers or delivers: the media type of its stream pin.
struct OstMediaType {
    QByteArray mediaType; // GStreamer caps name: "video/x-raw", "image/jpeg", "video/x-bayer"
    QByteArray format;    // the caps "format" field ("RGB", "YUY2", "bggr"); empty if none
    std::int16_t bitCount = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Frame duration in 100-nanosecond units (333333 for 30 frames per second).
    std::int64_t avgTimePerFrame = 0;
    // The exact rate behind avgTimePerFrame, filled in by the stream configuration.
    std::int32_t rateNumerator = 0;
    std::int32_t rateDenominator = 1;
};
