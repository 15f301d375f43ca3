#include "OstSharedCamera.h"

#include "OstGst.h"
#include "OstPipeWireReaders.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

namespace {

// A still picture stands in once no frame came for this long, and is sent this often.
constexpr auto kStillAfter = std::chrono::milliseconds(400);
constexpr int kStillEveryMs = 200;

#if G_BYTE_ORDER == G_LITTLE_ENDIAN
constexpr const char* kFrameFormat = "BGRx";
#else
constexpr const char* kFrameFormat = "xRGB";
#endif

QString PipelineText(OstSharedCamera::Target target, const QString& device) {
    // The appsrc holds one frame and drops the older one: a reader that is not there costs
    // no conversion, a slow one gets the newest picture.
    QString text = QStringLiteral("appsrc name=frames is-live=true do-timestamp=true format=time "
                                  "max-buffers=1 leaky-type=downstream block=false ! videoconvert dither=none chroma-mode=none ! ");
    if (target == OstSharedCamera::Target::PipeWire) {
        // I420 is what call programs and browsers take from a camera. The converter must not
        // write into the sink's own buffers: PipeWire 0.3.65 hands out empty ones before a
        // reader is linked, and the sink then crashes on them.
        text += QStringLiteral("video/x-raw,format=I420 ! identity drop-allocation=true ! "
                               "pipewiresink name=sink mode=provide sync=false "
                               "client-name=Orbit stream-properties=\"props,media.class=Video/Source,"
                               "node.name=%1,node.description=%1,media.type=Video,media.role=Camera\"")
                    .arg(OstSharedCamera::NodeName());
    } else {
        // YUYV is what programs that open /dev/video* read most widely.
        QString path = device;
        path.replace(u'"', QString());
        text += QStringLiteral("video/x-raw,format=YUY2 ! v4l2sink name=sink sync=false device=\"%1\"").arg(path);
    }
    return text;
}

void ReleaseImage(gpointer image) {
    delete static_cast<QImage*>(image);
}

} // namespace

const QString& OstSharedCamera::NodeName() {
    static const QString name = QStringLiteral("Orbit");
    return name;
}

OstSharedCamera::OstSharedCamera() {
    stillTimer_ = new QTimer(this);
    stillTimer_->setInterval(kStillEveryMs);
    connect(stillTimer_, &QTimer::timeout, this, &OstSharedCamera::OnStillTick);
}

OstSharedCamera::~OstSharedCamera() {
    Stop();
}

bool OstSharedCamera::PipeWireAvailable() {
    if (!OstGst::EnsureInitialized())
        return false;
    GstElementFactory* factory = gst_element_factory_find("pipewiresink");
    if (!factory)
        return false;
    gst_object_unref(factory);
    // The session's daemon listens on PIPEWIRE_REMOTE, or on pipewire-0 in the runtime folder.
    QString socket = qEnvironmentVariable("PIPEWIRE_REMOTE", QStringLiteral("pipewire-0"));
    if (QFileInfo(socket).isRelative()) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        socket = QDir(runtime).filePath(socket);
    }
    return QFileInfo(socket).exists();
}

bool OstSharedCamera::Start(Target target, const QString& device, QString& error) {
    Stop();
    if (!OstGst::EnsureInitialized()) {
        error = QStringLiteral("GStreamer does not start");
        return false;
    }
    GError* parseError = nullptr;
    GstElement* pipeline = gst_parse_launch(PipelineText(target, device).toUtf8().constData(), &parseError);
    if (!pipeline || parseError) {
        error = QString::fromUtf8(parseError ? parseError->message : "no pipeline");
        g_clear_error(&parseError);
        if (pipeline)
            gst_object_unref(pipeline);
        return false;
    }
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "frames");
    std::unique_ptr<OstPipeWireReaders> readers;
    if (target == Target::PipeWire) {
        readers = std::make_unique<OstPipeWireReaders>(NodeName());
        if (!readers->Start()) {
            error = QStringLiteral("PipeWire cannot be reached");
            gst_object_unref(source);
            gst_object_unref(pipeline);
            return false;
        }
    }
    // The sink connects to its target on the way to PAUSED; a target that is not there fails.
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstState state = GST_STATE_NULL;
    const GstStateChangeReturn result = gst_element_get_state(pipeline, &state, nullptr, 3 * GST_SECOND);
    if (result == GST_STATE_CHANGE_FAILURE) {
        error = target == Target::PipeWire ? QStringLiteral("PipeWire cannot be reached")
                                           : QStringLiteral("%1 cannot be written").arg(device);
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(source);
        gst_object_unref(pipeline);
        return false;
    }
    {
        std::lock_guard guard(lock_);
        pipeline_ = pipeline;
        source_ = source;
        readers_ = std::move(readers);
        caps_ = QSize();
        lastFrame_ = {};
    }
    stillTimer_->start();
    return true;
}

void OstSharedCamera::Stop() {
    stillTimer_->stop();
    GstElement* pipeline = nullptr;
    GstElement* source = nullptr;
    std::unique_ptr<OstPipeWireReaders> readers;
    {
        std::lock_guard guard(lock_);
        std::swap(pipeline, pipeline_);
        std::swap(source, source_);
        readers = std::move(readers_);
    }
    if (!pipeline)
        return;
    readers.reset();
    // Going to NULL removes the node: readers see the camera go.
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(source);
    gst_object_unref(pipeline);
}

bool OstSharedCamera::Running() const {
    std::lock_guard guard(lock_);
    return pipeline_ != nullptr;
}

void OstSharedCamera::SetFrameRate(int framesPerSecond) {
    std::lock_guard guard(lock_);
    framesPerSecond_ = framesPerSecond > 0 ? framesPerSecond : 30;
    caps_ = QSize();
}

void OstSharedCamera::TakeFrame(const QImage& frame) {
    std::lock_guard guard(lock_);
    if (!pipeline_)
        return;
    lastFrame_ = std::chrono::steady_clock::now();
    lastSize_ = frame.size();
    if (!Unread(frame.size()))
        PushLocked(frame);
}

bool OstSharedCamera::Unread(const QSize& size) const {
    // Nobody reads: the frame is not even handed on, so nothing is converted. A frame of a new
    // size still goes: its format is what makes the node appear for readers.
    return readers_ && !readers_->HasReaders() && caps_ == size;
}

void OstSharedCamera::PushLocked(const QImage& frame) {
    if (!source_ || frame.isNull() || frame.format() != QImage::Format_RGB32)
        return;
    if (caps_ != frame.size()) {
        // A new size (another resolution, a quarter turn) is a new format for the readers.
        GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, kFrameFormat, "width",
                                            G_TYPE_INT, frame.width(), "height", G_TYPE_INT, frame.height(),
                                            "framerate", GST_TYPE_FRACTION, framesPerSecond_, 1, nullptr);
        gst_app_src_set_caps(GST_APP_SRC(source_), caps);
        gst_caps_unref(caps);
        caps_ = frame.size();
    }
    // The buffer holds a reference to the frame's pixels: no copy is made here. The appsrc
    // never blocks, so this is quick under the lock.
    auto* held = new QImage(frame);
    GstBuffer* buffer = gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_READONLY, const_cast<uchar*>(held->constBits()),
                                                    gsize(held->sizeInBytes()), 0, gsize(held->sizeInBytes()), held,
                                                    ReleaseImage);
    if (gst_app_src_push_buffer(GST_APP_SRC(source_), buffer) == GST_FLOW_OK)
        pushed_.fetch_add(1);
}

void OstSharedCamera::SetStillText(const QString& text) {
    if (text == stillText_)
        return;
    stillText_ = text;
    still_ = QImage();
}

void OstSharedCamera::OnStillTick() {
    QSize size;
    {
        std::lock_guard guard(lock_);
        if (!pipeline_ || stillText_.isEmpty() || std::chrono::steady_clock::now() - lastFrame_ < kStillAfter ||
            Unread(lastSize_))
            return;
        size = lastSize_;
    }
    if (still_.size() != size) {
        still_ = QImage(size, QImage::Format_RGB32);
        still_.fill(QColor(32, 32, 36));
        QPainter painter(&still_);
        QFont font = painter.font();
        font.setPixelSize(std::max(10, size.height() / 16));
        painter.setFont(font);
        painter.setPen(QColor(230, 230, 230));
        painter.drawText(still_.rect().adjusted(size.width() / 12, 0, -size.width() / 12, 0),
                         Qt::AlignCenter | Qt::TextWordWrap, stillText_);
    }
    std::lock_guard guard(lock_);
    if (pipeline_)
        PushLocked(still_);
}
