#pragma once

#include "OstMediaType.h"
#include "OstVideoInputDevice.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class OstSimulatedCameraDriver;

// The embedded default camera: a GStreamer test pattern that offers exactly the formats the
// settings know, 24-bit RGB at 800x600, 640x480, 320x240, 176x144 and 160x120, each at 30, 15,
// 10 and 5 frames per second. Like a camera driver it keeps its current format between graphs
// (640x480 at 30 at first). Switches make it refuse formats, rates or opening, so that every
// fallback of the graph can be exercised. Its driver (Driver()) holds the camera's properties
// and buttons; every open source shows the properties live.
class OstSimulatedCamera : public OstVideoInputDevice {
public:
    struct FrameSize {
        int width;
        int height;
    };
    static const std::vector<FrameSize>& FrameSizes();
    static const std::vector<unsigned>& FrameRates();

    explicit OstSimulatedCamera(QString devicePath, QString friendlyName = QString());
    ~OstSimulatedCamera() override;

    QString DevicePath() const override { return devicePath_; }
    QString FriendlyName() const override { return friendlyName_; }
    std::unique_ptr<OstSourceFilter> BindToObject() override;
    std::shared_ptr<IOstSnapshotButton> SnapshotButton() override;
    // The camera's driver, for its properties and to press its buttons.
    const std::shared_ptr<OstSimulatedCameraDriver>& Driver() const { return driver_; }

    // Setting a format of this size fails (the camera keeps what it delivers).
    void RefuseFormat(int width, int height, bool refuse = true);
    // Setting a format with this rate fails.
    void RefuseFrameRate(unsigned framesPerSecond, bool refuse = true);
    // Opening the device fails, as for a camera in use by another program.
    void SetBindFails(bool fails);
    // Offers raw Bayer frames (8 bits) that no converter of the graph accepts, so the stream
    // never renders; switching resets the current format.
    void SetUnrenderable(bool unrenderable);
    // A still pattern instead of the moving one, for frame-by-frame pixel comparisons.
    void SetMoving(bool moving);
    // Pulls the camera: open sources fail on their next frame, as a pulled camera's stream
    // does, and opening fails until Plug.
    void Unplug();
    void Plug();

    OstMediaType CurrentFormat() const;

private:
    class StreamConfig;

    QString devicePath_;
    QString friendlyName_;
    std::shared_ptr<StreamConfig> config_;
    std::shared_ptr<OstSimulatedCameraDriver> driver_;
    mutable std::mutex lock_;
    bool bindFails_ = false;
    // Read by the streaming threads of the open sources.
    std::shared_ptr<std::atomic<bool>> unplugged_;
    bool moving_ = true;
    bool unrenderable_ = false;
};
