#include "OstVideoRenderer.h"

#include "IOstFrameTap.h"
#include "IOstVideoWindow.h"
#include "OstGst.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <QTransform>

#include <cmath>
#include <cstring>

namespace {

// QImage::Format_RGB32 is one 32-bit 0xffRRGGBB word per pixel, in native byte order.
#if G_BYTE_ORDER == G_LITTLE_ENDIAN
constexpr const char* kSinkCaps = "video/x-raw,format=BGRx";
#else
constexpr const char* kSinkCaps = "video/x-raw,format=xRGB";
#endif

GstFlowReturn OnNewSample(GstAppSink* sink, gpointer data) {
    OstGst::TakeOver(data);
    struct Leave {
        gpointer data;
        ~Leave() { OstGst::HandOver(data); }
    } leave{data};
    GstSample* sample = gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_EOS;
    GstVideoInfo info;
    GstVideoFrame mapped;
    QImage frame;
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
        gst_video_frame_map(&mapped, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
        const int width = GST_VIDEO_FRAME_WIDTH(&mapped);
        const int height = GST_VIDEO_FRAME_HEIGHT(&mapped);
        const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(&mapped, 0);
        const auto* pixels = static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped, 0));
        frame = QImage(width, height, QImage::Format_RGB32);
        if (!frame.isNull()) {
            const auto rowBytes = static_cast<std::size_t>(width) * 4;
            for (int y = 0; y < height; ++y)
                std::memcpy(frame.scanLine(y), pixels + std::ptrdiff_t(y) * stride, rowBytes);
        }
        gst_video_frame_unmap(&mapped);
    }
    gst_sample_unref(sample);
    if (!frame.isNull())
        static_cast<OstVideoRenderer*>(data)->DeliverFrame(std::move(frame));
    return GST_FLOW_OK;
}

QRgb KeyToRgb(std::uint32_t colorKey) {
    return qRgb(int(colorKey & 0xFF), int((colorKey >> 8) & 0xFF), int((colorKey >> 16) & 0xFF)) &
           0xFFFFFF;
}

} // namespace

OstVideoRenderer::OstVideoRenderer() = default;
OstVideoRenderer::~OstVideoRenderer() = default;

void OstVideoRenderer::AttachSink(GstElement* appsink) {
    OstGst::CapsRef caps(gst_caps_from_string(kSinkCaps));
    g_object_set(appsink, "caps", caps.get(), "max-buffers", 1u, "drop", TRUE, "sync", FALSE,
                 "enable-last-sample", FALSE, "emit-signals", FALSE, nullptr);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = OnNewSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(appsink), &callbacks, this, nullptr);
}

void OstVideoRenderer::DetachSink(GstElement* appsink) {
    GstAppSinkCallbacks callbacks{};
    gst_app_sink_set_callbacks(GST_APP_SINK(appsink), &callbacks, nullptr, nullptr);
}

bool OstVideoRenderer::SetVideoClippingWindow(IOstVideoWindow* window) {
    std::lock_guard guard(lock_);
    if (window_ && window_ != window)
        window_->PresentFrame(QImage(), QRect());
    window_ = window;
    return window != nullptr;
}

bool OstVideoRenderer::SetVideoPosition(const QRect& target) {
    if (target.width() < 0 || target.height() < 0)
        return false;
    std::lock_guard guard(lock_);
    target_ = target;
    return true;
}

QRect OstVideoRenderer::VideoPosition() const {
    std::lock_guard guard(lock_);
    return target_;
}

void OstVideoRenderer::SetNativeVideoSize(const QSize& size) {
    std::lock_guard guard(lock_);
    nativeSize_ = size;
}

bool OstVideoRenderer::GetNativeVideoSize(QSize& size) const {
    std::lock_guard guard(lock_);
    size = nativeSize_;
    return nativeSize_.isValid() && !nativeSize_.isEmpty();
}

bool OstVideoRenderer::GetCurrentImage(QImage& image, std::chrono::milliseconds wait) {
    std::unique_lock guard(lock_);
    frameArrived_.wait_for(guard, wait, [this] { return !current_.isNull() || ended_; });
    image = current_;
    return !image.isNull();
}

void OstVideoRenderer::EndOfStream() {
    {
        std::lock_guard guard(lock_);
        ended_ = true;
    }
    frameArrived_.notify_all();
}

bool OstVideoRenderer::ValidPlacement(float left, float top, float right, float bottom,
                                      float alpha) {
    for (float v : {left, top, right, bottom})
        if (!std::isfinite(v))
            return false;
    // The negated comparison also refuses a NaN alpha.
    return left < right && top < bottom && alpha >= 0.0f && alpha <= 1.0f;
}

bool OstVideoRenderer::SetAlphaBitmap(const OstAlphaBitmap& record) {
    if (record.flags & OstAlphaBitmap::Disable) {
        std::lock_guard guard(lock_);
        overlay_.enabled = false;
        return true;
    }
    if (!(record.flags & OstAlphaBitmap::FromBitmap) || record.bitmap.isNull())
        return false;
    if (!ValidPlacement(record.left, record.top, record.right, record.bottom, record.alpha))
        return false;
    const QRect source = record.source;
    if (source.isEmpty() || !record.bitmap.rect().contains(source))
        return false;
    Overlay overlay;
    overlay.enabled = true;
    overlay.bitmap = record.bitmap.convertToFormat(QImage::Format_RGB32);
    overlay.source = source;
    overlay.left = record.left;
    overlay.top = record.top;
    overlay.right = record.right;
    overlay.bottom = record.bottom;
    overlay.alpha = record.alpha;
    overlay.useKey = (record.flags & OstAlphaBitmap::SrcColorKey) != 0;
    overlay.colorKey = record.colorKey;
    std::lock_guard guard(lock_);
    overlay_ = std::move(overlay);
    return true;
}

bool OstVideoRenderer::UpdateAlphaBitmapParameters(const OstAlphaBitmap& record) {
    std::lock_guard guard(lock_);
    if (record.flags & OstAlphaBitmap::Disable) {
        overlay_.enabled = false;
        return true;
    }
    if (overlay_.bitmap.isNull())
        return false;
    if (!ValidPlacement(record.left, record.top, record.right, record.bottom, record.alpha))
        return false;
    if ((record.flags & OstAlphaBitmap::SrcRect) &&
        (record.source.isEmpty() || !overlay_.bitmap.rect().contains(record.source)))
        return false;
    if (record.flags & OstAlphaBitmap::SrcRect)
        overlay_.source = record.source;
    if (record.flags & OstAlphaBitmap::SrcColorKey) {
        overlay_.useKey = true;
        overlay_.colorKey = record.colorKey;
    }
    overlay_.picture = QImage();
    overlay_.left = record.left;
    overlay_.top = record.top;
    overlay_.right = record.right;
    overlay_.bottom = record.bottom;
    overlay_.alpha = record.alpha;
    overlay_.enabled = true;
    overlay_.preparedFor = QSize();
    return true;
}

bool OstVideoRenderer::GetAlphaBitmapParameters(OstAlphaBitmap& record) const {
    std::lock_guard guard(lock_);
    record = OstAlphaBitmap{};
    record.flags = (overlay_.enabled ? 0u : std::uint32_t(OstAlphaBitmap::Disable)) |
                   (overlay_.useKey ? std::uint32_t(OstAlphaBitmap::SrcColorKey) : 0u) |
                   std::uint32_t(OstAlphaBitmap::SrcRect);
    record.source = overlay_.source;
    record.left = overlay_.left;
    record.top = overlay_.top;
    record.right = overlay_.right;
    record.bottom = overlay_.bottom;
    record.alpha = overlay_.alpha;
    record.colorKey = overlay_.colorKey;
    return true;
}

QRect OstVideoRenderer::OverlayRect(const QSize& frame, float left, float top, float right,
                                    float bottom) {
    const auto x0 = static_cast<int>(std::lround(double(left) * frame.width()));
    const auto x1 = static_cast<int>(std::lround(double(right) * frame.width()));
    const auto y0 = static_cast<int>(std::lround(double(top) * frame.height()));
    const auto y1 = static_cast<int>(std::lround(double(bottom) * frame.height()));
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void OstVideoRenderer::PrepareOverlay(const QSize& frameSize) {
    Overlay& o = overlay_;
    o.preparedFor = frameSize;
    o.rect = OverlayRect(frameSize, o.left, o.top, o.right, o.bottom);
    o.scaled = QImage();
    if (o.rect.isEmpty())
        return;
    // Nearest-neighbour scaling keeps key-coloured pixels exactly the key colour.
    o.scaled = QImage(o.rect.size(), QImage::Format_RGB32);
    if (o.scaled.isNull())
        return;
    const int sw = o.source.width();
    const int sh = o.source.height();
    for (int y = 0; y < o.rect.height(); ++y) {
        const int sy = o.source.top() + int(std::int64_t(y) * sh / o.rect.height());
        const auto* src = reinterpret_cast<const QRgb*>(o.bitmap.constScanLine(sy));
        auto* dst = reinterpret_cast<QRgb*>(o.scaled.scanLine(y));
        for (int x = 0; x < o.rect.width(); ++x)
            dst[x] = src[o.source.left() + int(std::int64_t(x) * sw / o.rect.width())];
    }
}

void OstVideoRenderer::BlendOverlay(QImage& frame) {
    if (!overlay_.enabled)
        return;
    if (overlay_.preparedFor != frame.size())
        PrepareOverlay(frame.size());
    const Overlay& o = overlay_;
    const QRect visible = o.rect.intersected(frame.rect());
    if (o.scaled.isNull() || visible.isEmpty())
        return;
    const auto a = static_cast<std::uint32_t>(std::lround(double(o.alpha) * 256.0));
    const QRgb key = KeyToRgb(o.colorKey);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(o.scaled.constScanLine(y - o.rect.top()));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const QRgb s = src[x - o.rect.left()];
            if (o.useKey && (s & 0xFFFFFF) == key)
                continue;
            const QRgb d = dst[x];
            auto mix = [a](std::uint32_t sc, std::uint32_t dc) {
                return (sc * a + dc * (256 - a) + 128) >> 8;
            };
            dst[x] = qRgb(int(mix(qRed(s), qRed(d))), int(mix(qGreen(s), qGreen(d))),
                          int(mix(qBlue(s), qBlue(d))));
        }
    }
}

void OstVideoRenderer::SetRotation(int quarterTurns) {
    quarterTurns_.store(((quarterTurns % 4) + 4) % 4, std::memory_order_relaxed);
}

const QImage& OstVideoRenderer::OverlayPicture() {
    Overlay& o = overlay_;
    if (o.picture.isNull() && !o.bitmap.isNull()) {
        o.picture = o.bitmap.copy(o.source).convertToFormat(QImage::Format_ARGB32);
        if (o.useKey) {
            const QRgb key = KeyToRgb(o.colorKey);
            for (int y = 0; y < o.picture.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(o.picture.scanLine(y));
                for (int x = 0; x < o.picture.width(); ++x)
                    if ((line[x] & 0xFFFFFF) == key)
                        line[x] = 0;
            }
        }
    }
    return o.picture;
}

void OstVideoRenderer::DeliverFrame(QImage frame) {
    if (frame.format() != QImage::Format_RGB32)
        frame = frame.convertToFormat(QImage::Format_RGB32);
    // Outside the lock: a turn costs a pass over the frame. Qt turns 32-bit images by
    // quarters without resampling.
    if (const int turns = quarterTurns_.load(std::memory_order_relaxed))
        frame = frame.transformed(QTransform().rotate(90.0 * turns));
    if (IOstFrameTap* tap = tap_.load(std::memory_order_acquire))
        tap->TakeFrame(frame);
    std::lock_guard guard(lock_);
    // The photo is the camera's picture: the overlay is laid into the shown copy only (which
    // detaches from the kept frame only while an overlay is on).
    current_ = frame;
    BlendOverlay(frame);
    ++frames_;
    if (window_) {
        window_->PresentFrame(frame, target_);
        window_->PresentLayers(current_, overlay_.enabled ? OverlayPicture() : QImage());
    }
    // Under the lock: the renderer may be destroyed as soon as the graph has seen it released.
    frameArrived_.notify_all();
}

std::uint64_t OstVideoRenderer::FramesDelivered() const {
    std::lock_guard guard(lock_);
    return frames_;
}
