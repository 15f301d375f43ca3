#pragma once

#include <cstdint>
#include <span>

class OstWebcam;

// The camera driver's property ids; on/off values are 0 and 1.
namespace OstCameraProperty {
enum Id : std::uint32_t {
    Mirror = 0,
    Flip = 1,
    Brightness = 2, // 0..63
    Contrast = 3,   // 10000..20000
    Gamma = 4,      // 0..10000
    Hue = 5,        // 0..3600000, 1800000 is no change
    Saturation = 6, // 0..29900
    Sharpness = 7,  // 0..79900
    AutoBandwidth = 9,
    Bandwidth = 10, // 1..8
    AutoExposure = 11,
    Exposure = 12, // 0..2550000
    AutoWhiteBalance = 13,
    RedGain = 14,     // 8000..12000
    BlueGain = 15,    // 8000..12000
    GreenGain = 16,   // 8000..12000
    Indoor = 17,      // 1 indoor, 0 outdoor
    Flicker60Hz = 18, // 1 60 Hz, 0 50 Hz
    BacklightCompensation = 20,
    SnapshotSize = 21, // 0 VGA .. 3 SXGA
    LowLight = 24,
    RestoreFactory = 25, // write 0
    SaveCurrent = 26,    // write 0
    RestoreSaved = 27,   // write 0
    Zoom = 28,           // (percent - 100) * 64 / 100, 0..64
    BlackAndWhite = 30,
    SecondButton = 33, // read only; a value other than the idle one means pressed
    Effect = 35,       // 0 none, 1..16 and 48 effects, 17..26 frames, 255 automatic change
};

// What the camera accepts for a property: the maker's camera and the simulated one alike.
struct Range {
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::int32_t factory = 0;
    bool readable = false;
    bool writable = false;
};
struct Entry {
    std::uint32_t id;
    Range range;
};
// Every property the camera has, by id.
std::span<const Entry> Table();
// False for an id the camera does not have.
bool RangeOf(std::uint32_t id, Range& range);
} // namespace OstCameraProperty

// The one road by which mirror, zoom, image controls and effects reach a camera: the driver of
// the device's open graph. Both fail without a device, without a graph (or before it connected)
// and for a property the driver does not have. UI thread.
bool GetCameraProperty(OstWebcam* device, std::uint32_t id, std::int32_t& value);
bool SetCameraProperty(OstWebcam* device, std::uint32_t id, std::int32_t value);
