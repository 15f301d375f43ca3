#include "OstSourceFilter.h"

#include <gst/gst.h>

OstSourceFilter::OstSourceFilter(GstElement* element, std::shared_ptr<IOstStreamConfig> config)
    : element_(element), config_(std::move(config)) {
    if (element_)
        gst_object_ref_sink(element_);
}

OstSourceFilter::~OstSourceFilter() {
    if (!element_)
        return;
    // The device stays open until the element is back in NULL.
    gst_element_set_state(element_, GST_STATE_NULL);
    gst_object_unref(element_);
}
