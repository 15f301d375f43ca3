#include "OstCameraProperty.h"

#include "IOstCameraDriver.h"
#include "OstWebcam.h"

bool GetCameraProperty(OstWebcam* device, std::uint32_t id, std::int32_t& value) {
    if (!device)
        return false;
    const std::shared_ptr<IOstCameraDriver> driver = device->Driver();
    return driver && driver->GetProperty(id, value);
}

bool SetCameraProperty(OstWebcam* device, std::uint32_t id, std::int32_t value) {
    if (!device)
        return false;
    const std::shared_ptr<IOstCameraDriver> driver = device->Driver();
    return driver && driver->SetProperty(id, value);
}

namespace OstCameraProperty {
namespace {
namespace P = OstCameraProperty;

// {min, max, factory, readable, writable}
constexpr Entry kTable[] = {
    {P::Mirror, {0, 1, 0, true, true}},
    {P::Flip, {0, 1, 0, true, true}},
    {P::Brightness, {0, 63, 32, true, true}},
    {P::Contrast, {10000, 20000, 15000, true, true}},
    {P::Gamma, {0, 10000, 5000, true, true}},
    {P::Hue, {0, 3600000, 1800000, true, true}},
    {P::Saturation, {0, 29900, 10000, true, true}},
    {P::Sharpness, {0, 79900, 10000, true, true}},
    {P::AutoBandwidth, {0, 1, 1, true, true}},
    {P::Bandwidth, {1, 8, 8, true, true}},
    {P::AutoExposure, {0, 1, 1, true, true}},
    {P::Exposure, {0, 2550000, 1280000, true, true}},
    {P::AutoWhiteBalance, {0, 1, 1, true, true}},
    {P::RedGain, {8000, 12000, 10000, true, true}},
    {P::BlueGain, {8000, 12000, 10000, true, true}},
    {P::GreenGain, {8000, 12000, 10000, true, true}},
    {P::Indoor, {0, 1, 1, true, true}},
    {P::Flicker60Hz, {0, 1, 0, true, true}},
    {P::BacklightCompensation, {0, 1, 0, true, true}},
    {P::SnapshotSize, {0, 3, 0, true, true}},
    {P::LowLight, {0, 1, 0, true, true}},
    {P::RestoreFactory, {0, 0, 0, false, true}},
    {P::SaveCurrent, {0, 0, 0, false, true}},
    {P::RestoreSaved, {0, 0, 0, false, true}},
    {P::Zoom, {0, 64, 0, true, true}},
    {P::BlackAndWhite, {0, 1, 0, true, true}},
    {P::SecondButton, {0, 1, 0, true, false}},
    {P::Effect, {0, 255, 0, true, true}},
};

} // namespace

std::span<const Entry> Table() {
    return kTable;
}

bool RangeOf(std::uint32_t id, Range& range) {
    for (const Entry& entry : kTable) {
        if (entry.id == id) {
            range = entry.range;
            return true;
        }
    }
    return false;
}
} // namespace OstCameraProperty
