#pragma once

#include <QImage>

#include <cstdint>

// The picture processing of the simulated camera's driver that no stock GStreamer element does
// for a live stream without relinking: zoom, the sensor controls (exposure, white balance,
// light, bandwidth, flicker, sharpness) and the effects and frames. Every function works on a
// 24-bit RGB image (QImage::Format_RGB888) in place, keeps its size, and is safe to call from
// any thread.
class OstImageEffects {
public:
    // The sensor controls, in the driver's units.
    struct Sensor {
        bool lowLight = false;
        bool autoExposure = true;
        std::int32_t exposure = 1280000; // 0..2550000, used without auto exposure
        bool autoWhiteBalance = true;
        std::int32_t redGain = 10000; // 8000..12000, used without auto white balance
        std::int32_t greenGain = 10000;
        std::int32_t blueGain = 10000;
        bool indoor = true;     // outdoor light is warmer
        bool backlight = false; // lifts the shadows
        bool autoBandwidth = true;
        std::int32_t bandwidth = 8;     // 1..8, fewer levels per channel below 8
        bool flicker60Hz = false;       // the simulated room light runs at 50 Hz
        std::int32_t sharpness = 10000; // 0..79900, 10000 unchanged, less blurs
    };

    // Effect numbers: 0 none, 1..16 and 48 effects, 17..26 frames.
    static constexpr int kFirstFrame = 17;
    static constexpr int kLastFrame = 26;
    static constexpr int kWaterColor = 48;
    static bool IsEffect(int effect);

    // Crops the centre to 1 / (1 + zoom / 64) of each side and scales it back; zoom 0..64.
    static void Zoom(QImage& image, std::int32_t zoom);
    // `frameIndex` moves the flicker bands from frame to frame.
    static void ApplySensor(QImage& image, const Sensor& sensor, std::uint32_t frameIndex);
    // Effects and frames; an unknown number leaves the image alone. `frameIndex` animates the
    // TV effect's noise.
    static void ApplyEffect(QImage& image, int effect, std::uint32_t frameIndex);

    // The picture of a frame (17..26) for a video of `size`, laid over the video by
    // ApplyEffect: transparent where the video shows.
    static QImage FramePicture(int frame, QSize size);
};
