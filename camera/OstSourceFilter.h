#pragma once

#include "IOstStreamConfig.h"

#include <memory>

class IOstCameraDriver;
typedef struct _GstElement GstElement;

// A capture device opened for one graph: its source element (already in the READY state, so
// the device is open and can tell its formats) and the configuration of its stream pin.
class OstSourceFilter {
public:
    // Takes over the element's floating or full reference.
    OstSourceFilter(GstElement* element, std::shared_ptr<IOstStreamConfig> config);
    ~OstSourceFilter();
    OstSourceFilter(const OstSourceFilter&) = delete;
    OstSourceFilter& operator=(const OstSourceFilter&) = delete;

    GstElement* Element() const { return element_; }
    // The pin's format control; null when the source has none.
    IOstStreamConfig* StreamConfig() const { return config_.get(); }
    // The camera driver's property set for this device; null when the source has none.
    const std::shared_ptr<IOstCameraDriver>& Driver() const { return driver_; }
    void SetDriver(std::shared_ptr<IOstCameraDriver> driver) { driver_ = std::move(driver); }

private:
    GstElement* element_ = nullptr;
    std::shared_ptr<IOstStreamConfig> config_;
    std::shared_ptr<IOstCameraDriver> driver_;
};
