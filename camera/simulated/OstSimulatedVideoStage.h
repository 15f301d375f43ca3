#pragma once

#include "OstImageEffects.h"

#include <cstdint>
#include <memory>

class OstSimulatedCameraDriver;
typedef struct _GstElement GstElement;
typedef struct _GstPad GstPad;
typedef struct _GstPadProbeInfo GstPadProbeInfo;

// The simulated camera's own processing between its pattern and its output: videoflip
// (mirror, flip), videobalance (brightness, contrast, hue, saturation, black-and-white) and
// gamma, set from the driver's values before each frame enters them, then zoom, the sensor
// controls and the effects and frames on the frame itself (OstImageEffects). Values that change
// nothing cost nothing: the elements pass frames through and the frame is not touched.
class OstSimulatedVideoStage {
public:
    // Adds the chain after `upstream` inside `bin` and returns its last element (whose source
    // pad is the chain's output); `upstream` itself when an element is missing.
    static GstElement* Build(GstElement* bin, GstElement* upstream,
                             std::shared_ptr<OstSimulatedCameraDriver> driver);

    // The image part of the processing on a 24-bit RGB frame, for a frame index.
    static void ProcessImage(QImage& image, const OstSimulatedCameraDriver& driver,
                             std::uint32_t frameIndex);

    OstSimulatedVideoStage(std::shared_ptr<OstSimulatedCameraDriver> driver, GstElement* flip,
                           GstElement* balance, GstElement* gamma);

    // The two probes, on the streaming thread: before the elements, after them.
    void ApplyElements();
    void ProcessBuffer(GstPad* pad, GstPadProbeInfo* info);

private:
    std::shared_ptr<OstSimulatedCameraDriver> driver_;
    // Owned by the bin, which outlives both probes.
    GstElement* flip_;
    GstElement* balance_;
    GstElement* gamma_;
    std::uint64_t applied_ = 0;
    std::uint32_t frameIndex_ = 0;
};
