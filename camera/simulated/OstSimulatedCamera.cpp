#include "OstSimulatedCamera.h"

#include "OstCapsStreamConfig.h"
#include "OstGst.h"
#include "OstSimulatedCameraDriver.h"
#include "OstSimulatedVideoStage.h"
#include "OstSourceFilter.h"

#include <gst/gst.h>

#include <algorithm>
#include <set>

namespace {

// Pixels scrolled per frame by the moving pattern.
constexpr int kScrollSpeed = 4;

// Fails every frame once the camera is pulled, so the source stops with a stream error.
GstPadProbeReturn FailWhenUnplugged(GstPad*, GstPadProbeInfo* info, gpointer data) {
    if (!static_cast<std::shared_ptr<std::atomic<bool>>*>(data)->get()->load())
        return GST_PAD_PROBE_OK;
    GST_PAD_PROBE_INFO_FLOW_RETURN(info) = GST_FLOW_ERROR;
    gst_buffer_unref(GST_PAD_PROBE_INFO_BUFFER(info));
    GST_PAD_PROBE_INFO_DATA(info) = nullptr;
    return GST_PAD_PROBE_HANDLED;
}

} // namespace

class OstSimulatedCamera::StreamConfig : public OstCapsStreamConfig {
public:
    StreamConfig() { Reset(false); }

    void Reset(bool bayer) {
        const char* mediaType = bayer ? "video/x-bayer" : "video/x-raw";
        const char* format = bayer ? "bggr" : "RGB";
        OstGst::CapsRef caps(gst_caps_new_empty());
        GValue rates = G_VALUE_INIT;
        g_value_init(&rates, GST_TYPE_LIST);
        for (unsigned rate : FrameRates()) {
            GValue r = G_VALUE_INIT;
            g_value_init(&r, GST_TYPE_FRACTION);
            gst_value_set_fraction(&r, static_cast<int>(rate), 1);
            gst_value_list_append_and_take_value(&rates, &r);
        }
        for (const FrameSize& size : FrameSizes()) {
            GstStructure* s =
                gst_structure_new(mediaType, "format", G_TYPE_STRING, format, "width", G_TYPE_INT,
                                  size.width, "height", G_TYPE_INT, size.height, nullptr);
            gst_structure_set_value(s, "framerate", &rates);
            gst_caps_append_structure(caps.get(), s);
        }
        g_value_unset(&rates);
        SetOffers(caps.get());
        OstMediaType initial;
        initial.mediaType = mediaType;
        initial.format = format;
        initial.bitCount = BitCountOf(initial.mediaType, initial.format);
        initial.width = 640;
        initial.height = 480;
        initial.avgTimePerFrame = 333333;
        SetInitialFormat(initial);
        offered_.reset(gst_caps_ref(caps.get()));
    }

    GstCaps* OfferedCaps() const { return gst_caps_ref(offered_.get()); }

    std::set<std::pair<int, int>> refusedSizes;
    std::set<unsigned> refusedRates;

protected:
    bool Accepts(const OstMediaType& type) const override {
        if (refusedSizes.count({type.width, type.height}))
            return false;
        if (type.rateDenominator == 1 && type.rateNumerator > 0 &&
            refusedRates.count(static_cast<unsigned>(type.rateNumerator)))
            return false;
        return true;
    }

private:
    OstGst::CapsRef offered_;
};

const std::vector<OstSimulatedCamera::FrameSize>& OstSimulatedCamera::FrameSizes() {
    static const std::vector<FrameSize> sizes{
        {800, 600}, {640, 480}, {320, 240}, {176, 144}, {160, 120}};
    return sizes;
}

const std::vector<unsigned>& OstSimulatedCamera::FrameRates() {
    static const std::vector<unsigned> rates{30, 15, 10, 5};
    return rates;
}

OstSimulatedCamera::OstSimulatedCamera(QString devicePath, QString friendlyName)
    : devicePath_(std::move(devicePath)), friendlyName_(std::move(friendlyName)) {
    OstGst::EnsureInitialized();
    config_ = std::make_shared<StreamConfig>();
    unplugged_ = std::make_shared<std::atomic<bool>>(false);
    driver_ = std::make_shared<OstSimulatedCameraDriver>();
}

OstSimulatedCamera::~OstSimulatedCamera() = default;

std::unique_ptr<OstSourceFilter> OstSimulatedCamera::BindToObject() {
    if (!OstGst::EnsureInitialized())
        return nullptr;
    std::lock_guard guard(lock_);
    if (bindFails_ || *unplugged_)
        return nullptr;
    GstElement* bin = gst_bin_new(nullptr);
    GstElement* pattern = gst_element_factory_make("videotestsrc", nullptr);
    GstElement* offered = gst_element_factory_make("capsfilter", nullptr);
    if (!bin || !pattern || !offered) {
        for (GstElement* e : {bin, pattern, offered})
            if (e)
                gst_object_unref(gst_object_ref_sink(e));
        return nullptr;
    }
    // The colour bars scroll and carry noise; the colour cube is the same in every frame.
    gst_util_set_object_arg(G_OBJECT(pattern), "pattern", moving_ ? "smpte" : "colors");
    g_object_set(pattern, "is-live", TRUE, "horizontal-speed", moving_ ? kScrollSpeed : 0, nullptr);
    OstGst::CapsRef caps(config_->OfferedCaps());
    g_object_set(offered, "caps", caps.get(), nullptr);
    gst_bin_add_many(GST_BIN(bin), pattern, offered, nullptr);
    gst_element_link(pattern, offered);
    // Bayer frames are left raw: the driver's processing knows only RGB.
    GstElement* last =
        unrenderable_ ? offered : OstSimulatedVideoStage::Build(bin, offered, driver_);
    OstGst::Ref<GstPad> unplugPoint(gst_element_get_static_pad(offered, "src"));
    gst_pad_add_probe(unplugPoint.get(), GST_PAD_PROBE_TYPE_BUFFER, FailWhenUnplugged,
                      new std::shared_ptr<std::atomic<bool>>(unplugged_), [](gpointer data) {
                          delete static_cast<std::shared_ptr<std::atomic<bool>>*>(data);
                      });
    OstGst::Ref<GstPad> target(gst_element_get_static_pad(last, "src"));
    gst_element_add_pad(bin, gst_ghost_pad_new("src", target.get()));

    auto filter = std::make_unique<OstSourceFilter>(bin, config_);
    filter->SetDriver(driver_);
    if (gst_element_set_state(bin, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
        return nullptr;
    return filter;
}

std::shared_ptr<IOstSnapshotButton> OstSimulatedCamera::SnapshotButton() {
    return driver_;
}

void OstSimulatedCamera::RefuseFormat(int width, int height, bool refuse) {
    std::lock_guard guard(lock_);
    if (refuse)
        config_->refusedSizes.insert({width, height});
    else
        config_->refusedSizes.erase({width, height});
}

void OstSimulatedCamera::RefuseFrameRate(unsigned framesPerSecond, bool refuse) {
    std::lock_guard guard(lock_);
    if (refuse)
        config_->refusedRates.insert(framesPerSecond);
    else
        config_->refusedRates.erase(framesPerSecond);
}

void OstSimulatedCamera::SetBindFails(bool fails) {
    std::lock_guard guard(lock_);
    bindFails_ = fails;
}

void OstSimulatedCamera::SetUnrenderable(bool unrenderable) {
    std::lock_guard guard(lock_);
    if (unrenderable_ == unrenderable)
        return;
    unrenderable_ = unrenderable;
    config_->Reset(unrenderable);
}

void OstSimulatedCamera::SetMoving(bool moving) {
    std::lock_guard guard(lock_);
    moving_ = moving;
}

void OstSimulatedCamera::Unplug() {
    *unplugged_ = true;
}

void OstSimulatedCamera::Plug() {
    *unplugged_ = false;
}

OstMediaType OstSimulatedCamera::CurrentFormat() const {
    std::lock_guard guard(lock_);
    OstMediaType type;
    config_->GetFormat(type);
    return type;
}
