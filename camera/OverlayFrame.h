#pragma once

#include <QImage>
#include <cstdint>

// A picture laid over the video (the countdown digits). The bitmap is shared by value, so
// handing a frame to the graph leaves nothing for the caller to free.
struct OverlayFrame {
    QImage bitmap;
    // 0.0 transparent to 1.0 opaque.
    float alpha = 1.0f;
    // 0x00BBGGRR; pixels of exactly this colour stay transparent.
    std::uint32_t colorKey = 0;
};
