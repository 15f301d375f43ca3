#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

// The record by which a picture is laid over the video and changed or removed again.
struct OstAlphaBitmap {
    enum Flag : std::uint32_t {
        Disable = 0x01,     // remove the picture
        FromBitmap = 0x02,  // `bitmap` holds the picture
        SrcColorKey = 0x08, // `colorKey` is valid
        SrcRect = 0x10,     // `source` is valid
    };
    std::uint32_t flags = 0;
    QImage bitmap;
    // The part of the bitmap that is shown, in bitmap pixels.
    QRect source;
    // Where it goes, as fractions of the picture's width and height.
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    // 0.0 transparent to 1.0 opaque.
    float alpha = 0.0f;
    // 0x00BBGGRR; pixels of this colour stay transparent.
    std::uint32_t colorKey = 0;
};
