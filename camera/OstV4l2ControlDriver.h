#pragma once

#include "IOstCameraDriver.h"
#include "IOstV4l2Io.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>

struct v4l2_queryctrl;

// The driver of a real camera: its properties are the V4L2 controls of its node, values
// scaled between the program's ranges and the control's range and step. A property the camera
// has no control for fails, as it would with no driver at all.
//
// | property | control |
// |---|---|
// | 0 mirror, 1 flip | V4L2_CID_HFLIP, V4L2_CID_VFLIP |
// | 2 brightness, 3 contrast, 4 gamma, 5 hue, 6 saturation, 7 sharpness | BRIGHTNESS, CONTRAST,
// GAMMA, HUE, SATURATION, SHARPNESS, scaled | | 11 automatic exposure | EXPOSURE_AUTO: 1 the
// automatic mode the menu has (auto, else aperture priority), 0 manual | | 12 exposure |
// EXPOSURE_ABSOLUTE, scaled | | 13 automatic white balance | AUTO_WHITE_BALANCE | | 14 red gain, 15
// blue gain | RED_BALANCE, BLUE_BALANCE, scaled | | 18 flicker 60 Hz | POWER_LINE_FREQUENCY: 1 is
// 60 Hz, 0 is 50 Hz | | 20 backlight compensation | BACKLIGHT_COMPENSATION: 0 its minimum, 1 its
// maximum | | 28 zoom | ZOOM_ABSOLUTE, scaled |
class OstV4l2ControlDriver : public IOstCameraDriver {
public:
    explicit OstV4l2ControlDriver(QString node,
                                  std::shared_ptr<IOstV4l2Io> io = IOstV4l2Io::System());
    ~OstV4l2ControlDriver() override;
    OstV4l2ControlDriver(const OstV4l2ControlDriver&) = delete;
    OstV4l2ControlDriver& operator=(const OstV4l2ControlDriver&) = delete;

    bool GetProperty(std::uint32_t id, std::int32_t& value) override;
    bool SetProperty(std::uint32_t id, std::int32_t value) override;

    // The control a property goes to, 0 for none.
    static std::uint32_t ControlOf(std::uint32_t id);
    // Linear scaling between [fromMin, fromMax] and [toMin, toMax], rounded to the nearest,
    // then onto the target's step counted from toMin; the result lies in [toMin, toMax].
    static std::int32_t Scale(std::int64_t value, std::int64_t fromMin, std::int64_t fromMax,
                              std::int64_t toMin, std::int64_t toMax, std::int64_t toStep = 1);

private:
    // With the lock held; the node is opened on first use and again after a failure.
    int Descriptor();
    void Drop();
    // VIDIOC_QUERYCTRL; a vanished node is dropped.
    bool Query(int fd, v4l2_queryctrl& query);

    const QString node_;
    const std::shared_ptr<IOstV4l2Io> io_;
    std::mutex lock_;
    int fd_ = -1;
};
