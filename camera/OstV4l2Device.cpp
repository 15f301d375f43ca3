#include "OstV4l2Device.h"

#include "OstCapsStreamConfig.h"
#include "OstEvdevSnapshotButton.h"
#include "OstGst.h"
#include "OstSourceFilter.h"
#include "OstV4l2ControlDriver.h"

#include <gst/gst.h>

OstV4l2Device::OstV4l2Device(QString devicePath, QString friendlyName, QString node)
    : devicePath_(std::move(devicePath)), friendlyName_(std::move(friendlyName)),
      node_(std::move(node)) {}

OstV4l2Device::~OstV4l2Device() = default;

GstElement* OstV4l2Device::CreateElement() const {
    if (!OstGst::EnsureInitialized())
        return nullptr;
    GstElement* source = gst_element_factory_make("v4l2src", nullptr);
    if (source)
        g_object_set(source, "device", node_.toLocal8Bit().constData(), nullptr);
    return source;
}

std::unique_ptr<OstSourceFilter> OstV4l2Device::BindToObject() {
    GstElement* source = CreateElement();
    if (!source)
        return nullptr;
    auto config = std::make_shared<OstCapsStreamConfig>();
    auto filter = std::make_unique<OstSourceFilter>(source, config);
    filter->SetDriver(std::make_shared<OstV4l2ControlDriver>(node_));
    // READY opens the device; a missing or busy node fails here.
    if (gst_element_set_state(source, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
        return nullptr;
    OstGst::Ref<GstPad> pad(gst_element_get_static_pad(source, "src"));
    config->ReadOffers(pad.get());
    return filter;
}

std::shared_ptr<IOstSnapshotButton> OstV4l2Device::SnapshotButton() {
    if (!buttonLooked_) {
        buttonLooked_ = true;
        const QString eventNode = OstEvdevSnapshotButton::FindEventNode(node_);
        if (!eventNode.isEmpty())
            button_ = std::make_shared<OstEvdevSnapshotButton>(eventNode);
    }
    return button_;
}
