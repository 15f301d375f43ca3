#include "OstV4l2Device.h"

#include "OstCapsStreamConfig.h"
#include "OstEvdevSnapshotButton.h"
#include "OstGst.h"
#include "OstSourceFilter.h"
#include "OstV4l2ControlDriver.h"

#include "IOstV4l2Io.h"

#include <gst/gst.h>
#include <linux/videodev2.h>

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
    // Without it the configuration would take the first format listed as the current one,
    // often the largest size at the lowest rate.
    OstMediaType current;
    if (ReadCurrentFormat(*IOstV4l2Io::System(), node_, current))
        config->SetInitialFormat(current);
    return filter;
}

bool OstV4l2Device::ReadCurrentFormat(IOstV4l2Io& io, const QString& node, OstMediaType& type) {
    static const struct {
        std::uint32_t fourcc;
        const char* mediaType;
        const char* format;
    } kFormats[] = {
        {V4L2_PIX_FMT_YUYV, "video/x-raw", "YUY2"},   {V4L2_PIX_FMT_UYVY, "video/x-raw", "UYVY"},
        {V4L2_PIX_FMT_MJPEG, "image/jpeg", ""},       {V4L2_PIX_FMT_JPEG, "image/jpeg", ""},
        {V4L2_PIX_FMT_YUV420, "video/x-raw", "I420"}, {V4L2_PIX_FMT_NV12, "video/x-raw", "NV12"},
        {V4L2_PIX_FMT_RGB24, "video/x-raw", "RGB"},   {V4L2_PIX_FMT_BGR24, "video/x-raw", "BGR"},
        {V4L2_PIX_FMT_GREY, "video/x-raw", "GRAY8"},
    };
    const int fd = io.Open(node.toLocal8Bit());
    if (fd < 0)
        return false;
    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    v4l2_streamparm parm{};
    parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    const bool known = io.Ioctl(fd, VIDIOC_G_FMT, &format) == 0;
    const bool timed = known && io.Ioctl(fd, VIDIOC_G_PARM, &parm) == 0;
    io.Close(fd);
    if (!known)
        return false;
    const v4l2_pix_format& pix = format.fmt.pix;
    for (const auto& entry : kFormats) {
        if (entry.fourcc != pix.pixelformat)
            continue;
        type = OstMediaType();
        type.mediaType = entry.mediaType;
        type.format = entry.format;
        type.bitCount = OstCapsStreamConfig::BitCountOf(type.mediaType, type.format);
        type.width = static_cast<std::int32_t>(pix.width);
        type.height = static_cast<std::int32_t>(pix.height);
        const v4l2_fract& frame = parm.parm.capture.timeperframe;
        // A frame time in seconds; in 100-nanosecond units it is the frame duration.
        if (timed && frame.numerator > 0 && frame.denominator > 0)
            type.avgTimePerFrame = std::int64_t(10'000'000) * frame.numerator / frame.denominator;
        return type.width > 0 && type.height > 0;
    }
    return false;
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
