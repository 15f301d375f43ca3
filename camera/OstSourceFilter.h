#pragma once

#include "IOstStreamConfig.h"

#include <memory>

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

private:
    GstElement* element_ = nullptr;
    std::shared_ptr<IOstStreamConfig> config_;
};
