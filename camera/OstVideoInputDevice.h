#pragma once

#include <QString>

#include <memory>

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
};
