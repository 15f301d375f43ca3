#pragma once

#include <QString>

#include <memory>

class IOstSnapshotButton;
class OstSourceFilter;

// One entry of the video input category: a capture device that a graph can open by its path.
class OstVideoInputDevice {
public:
    virtual ~OstVideoInputDevice();
    // The device interface path of the Windows form that identifies the device.
    virtual QString DevicePath() const = 0;
    virtual QString FriendlyName() const = 0;
    // Opens the device as a source for one graph; null when it cannot be opened.
    virtual std::unique_ptr<OstSourceFilter> BindToObject() = 0;
    // The driver's snapshot button, which reports presses while the device is plugged in with
    // or without a graph; null when the camera has none.
    virtual std::shared_ptr<IOstSnapshotButton> SnapshotButton();
};
