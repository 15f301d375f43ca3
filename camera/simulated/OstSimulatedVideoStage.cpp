#include "OstSimulatedVideoStage.h"

#include "OstCameraProperty.h"
#include "OstGst.h"
#include "OstSimulatedCameraDriver.h"

#include <gst/gst.h>
#include <gst/video/video.h>

#include <cmath>

namespace {

namespace P = OstCameraProperty;
using Stage = std::shared_ptr<OstSimulatedVideoStage>;

GstPadProbeReturn BeforeElements(GstPad*, GstPadProbeInfo*, gpointer data) {
    (*static_cast<Stage*>(data))->ApplyElements();
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn AfterElements(GstPad* pad, GstPadProbeInfo* info, gpointer data) {
    (*static_cast<Stage*>(data))->ProcessBuffer(pad, info);
    return GST_PAD_PROBE_OK;
}

void AddProbe(GstElement* element, GstPadProbeCallback callback, const Stage& stage) {
    OstGst::Ref<GstPad> pad(gst_element_get_static_pad(element, "src"));
    gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, callback, new Stage(stage),
                      [](gpointer data) { delete static_cast<Stage*>(data); });
}

OstImageEffects::Sensor SensorOf(const OstSimulatedCameraDriver::Values& v) {
    OstImageEffects::Sensor s;
    s.lowLight = v[P::LowLight] != 0;
    s.autoExposure = v[P::AutoExposure] != 0;
    s.exposure = v[P::Exposure];
    s.autoWhiteBalance = v[P::AutoWhiteBalance] != 0;
    s.redGain = v[P::RedGain];
    s.greenGain = v[P::GreenGain];
    s.blueGain = v[P::BlueGain];
    s.indoor = v[P::Indoor] != 0;
    s.backlight = v[P::BacklightCompensation] != 0;
    s.autoBandwidth = v[P::AutoBandwidth] != 0;
    s.bandwidth = v[P::Bandwidth];
    s.flicker60Hz = v[P::Flicker60Hz] != 0;
    s.sharpness = v[P::Sharpness];
    return s;
}

bool Neutral(const OstImageEffects::Sensor& s) {
    const OstImageEffects::Sensor n;
    return s.lowLight == n.lowLight && (s.autoExposure || s.exposure == n.exposure) &&
           (s.autoWhiteBalance ||
            (s.redGain == n.redGain && s.greenGain == n.greenGain && s.blueGain == n.blueGain)) &&
           s.indoor == n.indoor && s.backlight == n.backlight &&
           (s.autoBandwidth || s.bandwidth == n.bandwidth) && s.flicker60Hz == n.flicker60Hz &&
           s.sharpness == n.sharpness;
}

} // namespace

GstElement* OstSimulatedVideoStage::Build(GstElement* bin, GstElement* upstream,
                                          std::shared_ptr<OstSimulatedCameraDriver> driver) {
    GstElement* flip = gst_element_factory_make("videoflip", nullptr);
    GstElement* balance = gst_element_factory_make("videobalance", nullptr);
    GstElement* gamma = gst_element_factory_make("gamma", nullptr);
    if (!driver || !flip || !balance || !gamma) {
        for (GstElement* e : {flip, balance, gamma})
            if (e)
                gst_object_unref(gst_object_ref_sink(e));
        return upstream;
    }
    gst_bin_add_many(GST_BIN(bin), flip, balance, gamma, nullptr);
    gst_element_link_many(upstream, flip, balance, gamma, nullptr);
    auto stage = std::make_shared<OstSimulatedVideoStage>(std::move(driver), flip, balance, gamma);
    AddProbe(upstream, BeforeElements, stage);
    AddProbe(gamma, AfterElements, stage);
    return gamma;
}

OstSimulatedVideoStage::OstSimulatedVideoStage(std::shared_ptr<OstSimulatedCameraDriver> driver,
                                               GstElement* flip, GstElement* balance,
                                               GstElement* gamma)
    : driver_(std::move(driver)), flip_(flip), balance_(balance), gamma_(gamma) {}

void OstSimulatedVideoStage::ApplyElements() {
    std::uint64_t version = 0;
    const OstSimulatedCameraDriver::Values v = driver_->Current(&version);
    if (version == applied_)
        return;
    applied_ = version;
    const bool mirror = v[P::Mirror] != 0;
    const bool flip = v[P::Flip] != 0;
    const GstVideoOrientationMethod direction = mirror && flip ? GST_VIDEO_ORIENTATION_180
                                                : mirror       ? GST_VIDEO_ORIENTATION_HORIZ
                                                : flip         ? GST_VIDEO_ORIENTATION_VERT
                                                               : GST_VIDEO_ORIENTATION_IDENTITY;
    g_object_set(flip_, "video-direction", direction, nullptr);

    // Each control's factory value is the element's neutral setting.
    const double saturation = v[P::BlackAndWhite] ? 0.0
                              : v[P::Saturation] <= 10000
                                  ? v[P::Saturation] / 10000.0
                                  : 1.0 + (v[P::Saturation] - 10000) / 19900.0;
    g_object_set(balance_, "brightness", (v[P::Brightness] - 32) / 64.0, "contrast",
                 v[P::Contrast] / 10000.0 - 0.5, "hue", (v[P::Hue] - 1800000) / 1800000.0,
                 "saturation", saturation, nullptr);
    g_object_set(gamma_, "gamma", std::pow(2.0, (v[P::Gamma] - 5000) / 2500.0), nullptr);
}

void OstSimulatedVideoStage::ProcessImage(QImage& image, const OstSimulatedCameraDriver& driver,
                                          std::uint32_t frameIndex) {
    const OstSimulatedCameraDriver::Values v = driver.Current();
    OstImageEffects::Zoom(image, v[P::Zoom]);
    OstImageEffects::ApplySensor(image, SensorOf(v), frameIndex);
    OstImageEffects::ApplyEffect(image, driver.EffectShown(std::chrono::steady_clock::now()),
                                 frameIndex);
}

void OstSimulatedVideoStage::ProcessBuffer(GstPad* pad, GstPadProbeInfo* info) {
    const std::uint32_t frameIndex = frameIndex_++;
    const OstSimulatedCameraDriver::Values v = driver_->Current();
    if (v[P::Zoom] == 0 && v[P::Effect] == 0 && Neutral(SensorOf(v)))
        return;
    OstGst::CapsRef caps(gst_pad_get_current_caps(pad));
    GstVideoInfo video;
    if (!caps || !gst_video_info_from_caps(&video, caps.get()) ||
        GST_VIDEO_INFO_FORMAT(&video) != GST_VIDEO_FORMAT_RGB)
        return;
    GstBuffer* buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READWRITE))
        return;
    const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&video, 0);
    if (map.size >= static_cast<gsize>(stride) * static_cast<gsize>(video.height)) {
        QImage image(map.data, video.width, video.height, stride, QImage::Format_RGB888);
        ProcessImage(image, *driver_, frameIndex);
    }
    gst_buffer_unmap(buffer, &map);
}
