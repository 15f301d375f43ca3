#include "OstV4l2ControlDriver.h"

#include "OstCameraProperty.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

namespace P = OstCameraProperty;

enum class Kind { Switch, Scaled, ExposureMode, PowerLine, Backlight };

struct Mapping {
    std::uint32_t id;
    std::uint32_t control;
    Kind kind;
};

constexpr Mapping kMappings[] = {
    {P::Mirror, V4L2_CID_HFLIP, Kind::Switch},
    {P::Flip, V4L2_CID_VFLIP, Kind::Switch},
    {P::Brightness, V4L2_CID_BRIGHTNESS, Kind::Scaled},
    {P::Contrast, V4L2_CID_CONTRAST, Kind::Scaled},
    {P::Gamma, V4L2_CID_GAMMA, Kind::Scaled},
    {P::Hue, V4L2_CID_HUE, Kind::Scaled},
    {P::Saturation, V4L2_CID_SATURATION, Kind::Scaled},
    {P::Sharpness, V4L2_CID_SHARPNESS, Kind::Scaled},
    {P::AutoExposure, V4L2_CID_EXPOSURE_AUTO, Kind::ExposureMode},
    {P::Exposure, V4L2_CID_EXPOSURE_ABSOLUTE, Kind::Scaled},
    {P::AutoWhiteBalance, V4L2_CID_AUTO_WHITE_BALANCE, Kind::Switch},
    {P::RedGain, V4L2_CID_RED_BALANCE, Kind::Scaled},
    {P::BlueGain, V4L2_CID_BLUE_BALANCE, Kind::Scaled},
    {P::Flicker60Hz, V4L2_CID_POWER_LINE_FREQUENCY, Kind::PowerLine},
    {P::BacklightCompensation, V4L2_CID_BACKLIGHT_COMPENSATION, Kind::Backlight},
    {P::Zoom, V4L2_CID_ZOOM_ABSOLUTE, Kind::Scaled},
};

const Mapping* MappingOf(std::uint32_t id) {
    for (const Mapping& m : kMappings)
        if (m.id == id)
            return &m;
    return nullptr;
}

// Nearest integer of num / den for den > 0.
std::int64_t RoundDiv(std::int64_t num, std::int64_t den) {
    return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

} // namespace

OstV4l2ControlDriver::OstV4l2ControlDriver(QString node, std::shared_ptr<IOstV4l2Io> io)
    : node_(std::move(node)), io_(std::move(io)) {}

OstV4l2ControlDriver::~OstV4l2ControlDriver() {
    std::lock_guard guard(lock_);
    Drop();
}

std::uint32_t OstV4l2ControlDriver::ControlOf(std::uint32_t id) {
    const Mapping* m = MappingOf(id);
    return m ? m->control : 0;
}

std::int32_t OstV4l2ControlDriver::Scale(std::int64_t value, std::int64_t fromMin,
                                         std::int64_t fromMax, std::int64_t toMin,
                                         std::int64_t toMax, std::int64_t toStep) {
    if (toMax < toMin)
        std::swap(toMin, toMax);
    if (fromMax <= fromMin || toMax == toMin)
        return static_cast<std::int32_t>(toMin);
    value = std::clamp(value, fromMin, fromMax);
    std::int64_t result = toMin + RoundDiv((value - fromMin) * (toMax - toMin), fromMax - fromMin);
    if (toStep > 1) {
        result = toMin + RoundDiv(result - toMin, toStep) * toStep;
        // The last step may overshoot a maximum that is not on the step grid.
        while (result > toMax)
            result -= toStep;
    }
    return static_cast<std::int32_t>(std::clamp(result, toMin, toMax));
}

int OstV4l2ControlDriver::Descriptor() {
    if (fd_ < 0)
        fd_ = io_->Open(node_.toLocal8Bit());
    return fd_;
}

bool OstV4l2ControlDriver::Query(int fd, v4l2_queryctrl& query) {
    if (io_->Ioctl(fd, VIDIOC_QUERYCTRL, &query) == 0)
        return true;
    // A camera that was pulled and plugged again has a new node behind the same name.
    if (errno == ENODEV)
        Drop();
    return false;
}

void OstV4l2ControlDriver::Drop() {
    if (fd_ >= 0)
        io_->Close(fd_);
    fd_ = -1;
}

bool OstV4l2ControlDriver::GetProperty(std::uint32_t id, std::int32_t& value) {
    const Mapping* m = MappingOf(id);
    OstCameraProperty::Range range;
    if (!m || !OstCameraProperty::RangeOf(id, range))
        return false;
    std::lock_guard guard(lock_);
    const int fd = Descriptor();
    if (fd < 0)
        return false;
    v4l2_queryctrl query{};
    query.id = m->control;
    if (!Query(fd, query))
        return false;
    if (query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_WRITE_ONLY))
        return false;
    v4l2_control control{};
    control.id = m->control;
    if (io_->Ioctl(fd, VIDIOC_G_CTRL, &control) != 0)
        return false;
    switch (m->kind) {
    case Kind::Switch:
        value = control.value != 0 ? 1 : 0;
        break;
    case Kind::Scaled:
        value = Scale(control.value, query.minimum, query.maximum, range.min, range.max);
        break;
    case Kind::ExposureMode:
        value = control.value == V4L2_EXPOSURE_MANUAL ? 0 : 1;
        break;
    case Kind::PowerLine:
        value = control.value == V4L2_CID_POWER_LINE_FREQUENCY_60HZ ? 1 : 0;
        break;
    case Kind::Backlight:
        value = control.value > query.minimum ? 1 : 0;
        break;
    }
    return true;
}

bool OstV4l2ControlDriver::SetProperty(std::uint32_t id, std::int32_t value) {
    const Mapping* m = MappingOf(id);
    OstCameraProperty::Range range;
    if (!m || !OstCameraProperty::RangeOf(id, range) || value < range.min ||
        value > range.max)
        return false;
    std::lock_guard guard(lock_);
    const int fd = Descriptor();
    if (fd < 0)
        return false;
    v4l2_queryctrl query{};
    query.id = m->control;
    if (!Query(fd, query))
        return false;
    if (query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY))
        return false;
    std::int64_t target = 0;
    switch (m->kind) {
    case Kind::Switch:
        target = value ? std::max<std::int64_t>(1, query.minimum) : query.minimum;
        break;
    case Kind::Scaled:
        target = Scale(value, range.min, range.max, query.minimum, query.maximum, query.step);
        break;
    case Kind::Backlight:
        target = value ? query.maximum : query.minimum;
        break;
    case Kind::PowerLine:
        target = value ? V4L2_CID_POWER_LINE_FREQUENCY_60HZ : V4L2_CID_POWER_LINE_FREQUENCY_50HZ;
        break;
    case Kind::ExposureMode: {
        if (!value) {
            target = V4L2_EXPOSURE_MANUAL;
            break;
        }
        // Cameras offer only some of the modes; UVC ones usually aperture priority.
        bool found = false;
        for (std::int64_t mode :
             {std::int64_t(V4L2_EXPOSURE_AUTO), std::int64_t(V4L2_EXPOSURE_APERTURE_PRIORITY)}) {
            v4l2_querymenu item{};
            item.id = m->control;
            item.index = static_cast<std::uint32_t>(mode);
            if (mode >= query.minimum && mode <= query.maximum &&
                io_->Ioctl(fd, VIDIOC_QUERYMENU, &item) == 0) {
                target = mode;
                found = true;
                break;
            }
        }
        if (!found)
            return false;
        break;
    }
    }
    if (target < query.minimum || target > query.maximum)
        return false;
    v4l2_control control{};
    control.id = m->control;
    control.value = static_cast<std::int32_t>(target);
    return io_->Ioctl(fd, VIDIOC_S_CTRL, &control) == 0;
}
