#include "OstDXShow.h"

#include "ConvertFileToJpeg.h"
#include "IOstGraphNotify.h"
#include "IOstGraphReporter.h"
#include "IOstVideoWindow.h"
#include "OstCapsStreamConfig.h"
#include "OstGst.h"
#include "OstNewFile.h"
#include "OstQueuedCall.h"
#include "OstSourceFilter.h"
#include "OstVideoInputCategory.h"
#include "OstVideoRenderer.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>

#include <gst/gst.h>

#include <chrono>
#include <cstdlib>

namespace {

constexpr int kConnectAttempts = 6;
constexpr std::int64_t kUnitsPerSecond = 10'000'000;
// How long Run waits for the camera to start streaming; a slow camera counts as running.
constexpr GstClockTime kStartTimeout = 5 * GST_SECOND;
constexpr GstClockTime kStartPoll = 20 * GST_MSECOND;
// How long a grab right after Run waits for the first frame.
constexpr std::chrono::milliseconds kFirstFrameWait{1000};

const QString kOverlayPrecondition = u"OutputWnd == NULL || IVMRWindowlessControl9 == NULL"_qs;

// Unlinks and removes every element fed by `element`, the farthest first.
void RemoveDownstream(GstBin* graph, GstElement* element) {
    std::vector<OstGst::Ref<GstElement>> next;
    GstIterator* pads = gst_element_iterate_src_pads(element);
    GValue item = G_VALUE_INIT;
    bool done = false;
    while (!done) {
        switch (gst_iterator_next(pads, &item)) {
        case GST_ITERATOR_OK: {
            auto* pad = GST_PAD(g_value_get_object(&item));
            if (OstGst::Ref<GstPad> peer{gst_pad_get_peer(pad)}) {
                if (GST_PAD_IS_SINK(peer.get())) {
                    if (auto* owner = gst_pad_get_parent_element(peer.get()))
                        next.emplace_back(owner);
                    gst_pad_unlink(pad, peer.get());
                }
            }
            g_value_reset(&item);
            break;
        }
        case GST_ITERATOR_RESYNC:
            gst_iterator_resync(pads);
            break;
        default:
            done = true;
            break;
        }
    }
    g_value_unset(&item);
    gst_iterator_free(pads);
    for (auto& owner : next) {
        RemoveDownstream(graph, owner.get());
        if (GST_OBJECT_PARENT(owner.get()) == GST_OBJECT(graph))
            gst_bin_remove(graph, owner.get());
    }
}

GstPad* FirstSourcePad(GstElement* element, bool& enumerated) {
    GstIterator* pads = gst_element_iterate_src_pads(element);
    enumerated = pads != nullptr;
    if (!pads)
        return nullptr;
    GstPad* first = nullptr;
    GValue item = G_VALUE_INIT;
    for (;;) {
        const GstIteratorResult result = gst_iterator_next(pads, &item);
        if (result == GST_ITERATOR_RESYNC) {
            gst_iterator_resync(pads);
            continue;
        }
        if (result == GST_ITERATOR_OK)
            first = GST_PAD(g_value_dup_object(&item));
        break;
    }
    g_value_unset(&item);
    gst_iterator_free(pads);
    return first;
}

bool AddToGraph(GstElement* graph, GstElement* element) {
    return element && gst_bin_add(GST_BIN(graph), element);
}

} // namespace

std::atomic<IOstGraphReporter*> OstDXShow::defaultReporter_{nullptr};

OstDXShow::OstDXShow(QString devicePath, IOstVideoWindow* videoWindow,
                     IOstGraphNotify* notifyWindow, IOstGraphReporter* reporter)
    : devicePath_(std::move(devicePath)), videoWindow_(videoWindow), notifyWindow_(notifyWindow),
      reporter_(reporter), alive_(std::make_shared<int>(0)) {
    OstGst::EnsureInitialized();
}

OstDXShow::~OstDXShow() {
    Disconnect();
}

void OstDXShow::SetDefaultReporter(IOstGraphReporter* reporter) {
    defaultReporter_ = reporter;
}

QString OstDXShow::FailureText(const QString& step, const QString& detail) {
    return u"OstDXShow::"_qs + step + u"() failed -> "_qs + detail + u'\n';
}

void OstDXShow::ReportFailure(const QString& step, const QString& detail) const {
    // Queued, never called in place: a countdown thread must not wait for a message box
    // while the owner's thread joins it, and on the owner's thread the box must not run its
    // event loop in the middle of a graph step. A report that outlives its graph (the camera
    // was closed meanwhile) goes to the default reporter.
    const QString text = FailureText(step, detail);
    auto* application = QCoreApplication::instance();
    if (!application) {
        qWarning().noquote() << text.trimmed();
        return;
    }
    OstQueuedCall::Post(application, [this, alive = std::weak_ptr<int>(alive_), text] {
        IOstGraphReporter* reporter = defaultReporter_.load();
        if (!alive.expired() && reporter_)
            reporter = reporter_;
        if (reporter)
            reporter->ReportFailure(text);
        else
            qWarning().noquote() << text.trimmed();
    });
}

GraphState OstDXShow::State() const {
    std::lock_guard guard(lock_);
    return state_;
}

void OstDXShow::SetState(GraphState state) {
    std::lock_guard guard(lock_);
    state_ = state;
}

bool OstDXShow::Connect() {
    if (State() != GraphState::NotBuilt)
        Disconnect();
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        if (!BuildGraphBuilder())
            return false;
        if (!BuildSourceFilter()) {
            ReleaseGraph();
            return false;
        }
        // These steps report their failures and the attempt goes on regardless.
        SetResolution();
        SetPreviewRate();
        BuildColorConverterFilter();
        BuildVMR9Filter();
        SetVideoPosition();
        if (!BuildInterfaces()) {
            ReleaseGraph();
            return false;
        }
        SetState(GraphState::Built);
        if (RenderStream()) {
            SetState(GraphState::Ready);
            return true;
        }
        ReportFailure(u"Connect"_qs, u"RenderStream"_qs);
        Disconnect();
    }
    return false;
}

bool OstDXShow::BuildGraphBuilder() {
    if (OstGst::EnsureInitialized())
        pipeline_ = gst_pipeline_new("OstDXShow");
    if (!pipeline_) {
        ReportFailure(u"BuildGraphBuilder"_qs, QString());
        return false;
    }
    gst_object_ref_sink(pipeline_);
    return true;
}

bool OstDXShow::BuildSourceFilter() {
    const QString step = u"BuildSourceFilter"_qs;
    const auto devices = OstVideoInputCategory::GetInstance().Devices();
    if (devices.empty()) {
        ReportFailure(step, u"CreateClassEnumerator VideoInputDeviceCategory"_qs);
        return false;
    }
    for (const auto& device : devices) {
        if (device->DevicePath() != devicePath_)
            continue;
        auto filter = device->BindToObject();
        if (!filter || !filter->Element()) {
            ReportFailure(step, u"BindToObject SourceFilter"_qs);
            continue;
        }
        sourceFilter_ = std::move(filter);
        break;
    }
    if (!sourceFilter_)
        return false; // not present: the caller says so in its own words
    GstElement* source = sourceFilter_->Element();
    if (!GST_OBJECT_PARENT(source))
        gst_element_set_name(source, "Video Capture");
    if (!AddToGraph(pipeline_, source)) {
        ReportFailure(step, u"AddFilter"_qs);
        return false;
    }
    bool enumerated = false;
    sourcePin_ = FirstSourcePad(source, enumerated);
    if (!enumerated) {
        ReportFailure(step, u"EnumPins"_qs);
        return false;
    }
    if (!sourcePin_) {
        ReportFailure(step, u"DeviceOutPin"_qs);
        return false;
    }
    formatFilter_ = gst_element_factory_make("capsfilter", "Video Capture Format");
    if (!AddToGraph(pipeline_, formatFilter_)) {
        if (formatFilter_)
            gst_object_unref(gst_object_ref_sink(formatFilter_));
        formatFilter_ = nullptr;
        ReportFailure(step, u"AddFilter"_qs);
        return false;
    }
    return true;
}

bool OstDXShow::SetResolution() {
    const QString step = u"SetResolution"_qs;
    IOstStreamConfig* config = sourceFilter_->StreamConfig();
    std::vector<OstMediaType> types;
    if (!config || !config->EnumMediaTypes(types)) {
        ReportFailure(step, u"EnumMediaTypes"_qs);
        return false;
    }
    const OstMediaType* match = FindCaptureType(types, bitCount_, width_, height_);
    if (!match) {
        ReportFailure(step,
                      u"Not found resolution %1 %2 %3 "_qs.arg(bitCount_).arg(width_).arg(height_));
        return false;
    }
    if (config->SetFormat(*match))
        return true;
    ReportFailure(step, u"SetFormat"_qs);
    OstMediaType delivered;
    if (config->GetFormat(delivered)) {
        bitCount_ = delivered.bitCount;
        width_ = delivered.width;
        height_ = delivered.height;
    } else {
        ReportFailure(step, u"GetFormat"_qs);
    }
    return false;
}

const OstMediaType* OstDXShow::FindCaptureType(const std::vector<OstMediaType>& types,
                                               std::int32_t bitCount, std::int32_t width,
                                               std::int32_t height) {
    auto sized = [&](const OstMediaType& type) {
        return type.width == width && type.height == height;
    };
    for (const OstMediaType& type : types)
        if (sized(type) && type.bitCount == static_cast<std::int16_t>(bitCount))
            return &type;
    // USB cameras deliver YUYV or MJPG (which counts as 24 bits already); the converter
    // behind the source turns YUYV into the 24 bits asked for, so such a size is offered.
    if (bitCount == 24)
        for (const OstMediaType& type : types)
            if (sized(type) && type.mediaType == "video/x-raw" && type.format == "YUY2")
                return &type;
    return nullptr;
}

std::uint32_t OstDXShow::UsableRate(std::uint32_t framesPerSecond) {
    // No rate at all is taken as the slowest the camera offers.
    return framesPerSecond == 0 ? 5 : framesPerSecond;
}

bool OstDXShow::SetPreviewRate() {
    const QString step = u"SetPreviewRate"_qs;
    IOstStreamConfig* config = sourceFilter_ ? sourceFilter_->StreamConfig() : nullptr;
    if (!config) {
        ReportFailure(step, u"QueryInterface IID_IAMStreamConfig"_qs);
        return false;
    }
    OstMediaType format;
    if (!config->GetFormat(format)) {
        ReportFailure(step, u"GetFormat"_qs);
        return false;
    }
    const std::int64_t kept = format.avgTimePerFrame;
    frameRate_ = UsableRate(frameRate_);
    format.avgTimePerFrame = kUnitsPerSecond / frameRate_;
    if (config->SetFormat(format))
        return true;
    if (kept != 0)
        frameRate_ = static_cast<std::uint32_t>(kUnitsPerSecond / kept);
    ReportFailure(step, u"SetFormat"_qs);
    return false;
}

bool OstDXShow::BuildColorConverterFilter() {
    const QString step = u"BuildColorConverterFilter"_qs;
    GstElement* converter = gst_element_factory_make("videoconvert", "Color Space Converter");
    if (!converter) {
        ReportFailure(step, u"CoCreateInstance ColorConverterFilter"_qs);
        return false;
    }
    if (!AddToGraph(pipeline_, converter)) {
        gst_object_unref(gst_object_ref_sink(converter));
        ReportFailure(step, u"AddFilter"_qs);
        return false;
    }
    colorConverter_ = converter;
    return true;
}

bool OstDXShow::BuildVMR9Filter() {
    const QString step = u"BuildVMR9Filter"_qs;
    GstElement* sink = gst_element_factory_make("appsink", "Video Mixing Renderer");
    if (!sink) {
        ReportFailure(step, u"Build VMR9Filter"_qs);
        return false;
    }
    if (!AddToGraph(pipeline_, sink)) {
        gst_object_unref(gst_object_ref_sink(sink));
        ReportFailure(step, u"AddFilter"_qs);
        return false;
    }
    renderer_ = sink;
    auto control = std::make_shared<OstVideoRenderer>();
    control->AttachSink(sink);
    {
        std::lock_guard guard(lock_);
        control->SetRotation(rotation_);
        control->SetFrameTap(tap_);
        windowlessControl_ = control;
    }
    if (!control->SetVideoClippingWindow(videoWindow_)) {
        ReportFailure(step, u"SetVideoClippingWindow"_qs);
        return false;
    }
    std::lock_guard guard(lock_);
    mixerBitmap_ = control;
    return true;
}

void OstDXShow::SetRotation(int quarterTurns) {
    std::lock_guard guard(lock_);
    rotation_ = quarterTurns;
    if (windowlessControl_)
        windowlessControl_->SetRotation(quarterTurns);
}

void OstDXShow::SetFrameTap(IOstFrameTap* tap) {
    std::lock_guard guard(lock_);
    tap_ = tap;
    if (windowlessControl_)
        windowlessControl_->SetFrameTap(tap);
}

bool OstDXShow::SetVideoPosition() {
    std::shared_ptr<OstVideoRenderer> control;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
    }
    if (!control)
        return false;
    const QString step = u"SetVideoPosition"_qs;
    QRect client;
    if (!videoWindow_ || !videoWindow_->GetClientRect(client)) {
        ReportFailure(step, u"GetClientRect"_qs);
        return false;
    }
    if (!control->SetVideoPosition(client)) {
        ReportFailure(step, u"SetVideoPosition"_qs);
        return false;
    }
    return true;
}

bool OstDXShow::BuildInterfaces() {
    const QString step = u"BuildInterfaces"_qs;
    if (!pipeline_) {
        ReportFailure(step, u"QueryInterface IMediaControl"_qs);
        return false;
    }
    bus_ = gst_pipeline_get_bus(GST_PIPELINE(pipeline_));
    if (!bus_) {
        ReportFailure(step, u"QueryInterface IMediaEventEx"_qs);
        return true;
    }
    {
        std::lock_guard guard(busLock_);
        eventTarget_ = notifyWindow_;
        streamFailed_ = false;
    }
    // Handled on the posting thread, so no main loop is needed and nothing piles up.
    {
        std::lock_guard guard(busTarget_->lock);
        busTarget_->graph = this;
    }
    // GStreamer keeps the handler's data until the last call in flight has returned.
    auto* token = new std::shared_ptr<BusTarget>(busTarget_);
    OstGst::HandOver(token);
    gst_bus_set_sync_handler(
        bus_,
        [](GstBus*, GstMessage* message, gpointer data) {
            OstGst::TakeOver(data);
            const auto& target = *static_cast<std::shared_ptr<BusTarget>*>(data);
            std::lock_guard guard(target->lock);
            if (OstDXShow* graph = target->graph) {
                OstGst::TakeOver(graph);
                graph->OnBusMessage(message);
                OstGst::HandOver(graph);
            }
            OstGst::HandOver(data);
            return GST_BUS_DROP;
        },
        token, [](gpointer data) {
            OstGst::TakeOver(data);
            delete static_cast<std::shared_ptr<BusTarget>*>(data);
        });
    return true;
}

void OstDXShow::OnBusMessage(GstMessage* message) {
    IOstGraphNotify::EventCode code;
    QString text;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        if (error) {
            text = QString::fromUtf8(error->message);
            g_error_free(error);
        }
        code = IOstGraphNotify::ErrorAbort;
        break;
    }
    case GST_MESSAGE_EOS:
        code = IOstGraphNotify::Complete;
        break;
    default:
        return;
    }
    std::lock_guard guard(busLock_);
    streamFailed_ = true;
    if (eventTarget_)
        eventTarget_->OnGraphEvent(code, text);
}

bool OstDXShow::StreamFailed() const {
    std::lock_guard guard(busLock_);
    return streamFailed_;
}

bool OstDXShow::ApplyFormat() {
    IOstStreamConfig* config = sourceFilter_ ? sourceFilter_->StreamConfig() : nullptr;
    OstMediaType format;
    if (!formatFilter_ || !config || !config->GetFormat(format))
        return false;
    OstGst::CapsRef caps(OstCapsStreamConfig::ToCaps(format));
    g_object_set(formatFilter_, "caps", caps.get(), nullptr);
    std::shared_ptr<OstVideoRenderer> control;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
    }
    if (control)
        control->SetNativeVideoSize(QSize(format.width, std::abs(format.height)));
    return true;
}

bool OstDXShow::RenderStream() {
    if (!sourcePin_ || !formatFilter_ || !renderer_)
        return false;
    ApplyFormat();
    OstGst::Ref<GstPad> formatIn(gst_element_get_static_pad(formatFilter_, "sink"));
    if (gst_pad_link(sourcePin_, formatIn.get()) != GST_PAD_LINK_OK)
        return false;
    GstElement* last = formatFilter_;
    // A compressed capture format needs its decoder before the converter can take it.
    GstStructure* wanted = nullptr;
    GstCaps* formatCaps = nullptr;
    g_object_get(formatFilter_, "caps", &formatCaps, nullptr);
    OstGst::CapsRef formatCapsRef(formatCaps);
    if (formatCaps && !gst_caps_is_empty(formatCaps) && !gst_caps_is_any(formatCaps))
        wanted = gst_caps_get_structure(formatCaps, 0);
    if (wanted && gst_structure_has_name(wanted, "image/jpeg")) {
        decoder_ = gst_element_factory_make("jpegdec", "MJPEG Decompressor");
        if (!AddToGraph(pipeline_, decoder_)) {
            if (decoder_)
                gst_object_unref(gst_object_ref_sink(decoder_));
            decoder_ = nullptr;
            return false;
        }
        if (!gst_element_link(last, decoder_))
            return false;
        last = decoder_;
    }
    if (colorConverter_) {
        if (!gst_element_link(last, colorConverter_))
            return false;
        last = colorConverter_;
    }
    return gst_element_link(last, renderer_);
}

GraphState OstDXShow::Run() {
    if (State() == GraphState::NotBuilt && !Connect())
        return State();
    const GraphState state = State();
    const bool resume = state == GraphState::Running && paused_;
    if (state != GraphState::Ready && !resume)
        return state;
    {
        std::lock_guard guard(busLock_);
        streamFailed_ = false;
    }
    std::shared_ptr<OstVideoRenderer> control;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
    }
    OstGst::HandOver(this);
    OstGst::HandOver(control.get());
    GstStateChangeReturn result = gst_element_set_state(pipeline_, GST_STATE_PLAYING);
    // The change completes with the first frame at the sink. A stream that cannot start (no
    // format agreed, device gone) fails on its streaming thread instead, so look for that too.
    for (GstClockTime waited = 0;
         result == GST_STATE_CHANGE_ASYNC && waited < kStartTimeout && !StreamFailed();
         waited += kStartPoll)
        result = gst_element_get_state(pipeline_, nullptr, nullptr, kStartPoll);
    if (result == GST_STATE_CHANGE_FAILURE || StreamFailed()) {
        Disconnect();
        return State();
    }
    paused_ = false;
    SetState(GraphState::Running);
    return GraphState::Running;
}

GraphState OstDXShow::Stop() {
    if (State() != GraphState::Running)
        return State();
    if (gst_element_set_state(pipeline_, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
        paused_ = false;
        SetState(GraphState::Ready);
    }
    return State();
}

GraphState OstDXShow::Pause() {
    if (State() != GraphState::Running)
        return State();
    if (gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        gst_element_set_state(pipeline_, GST_STATE_READY);
        paused_ = false;
        SetState(GraphState::Ready);
    } else {
        paused_ = true;
    }
    return State();
}

bool OstDXShow::Disconnect() {
    if (State() == GraphState::Running)
        Stop();
    SetState(GraphState::NotBuilt);
    ReleaseGraph();
    return true;
}

void OstDXShow::ReleaseGraph() {
    std::shared_ptr<OstVideoRenderer> control;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
    }
    {
        std::lock_guard guard(busLock_);
        eventTarget_ = nullptr;
    }
    // The window is let go first: no frame reaches it once this returns.
    if (control)
        control->SetVideoClippingWindow(nullptr);
    // NULL joins the streaming threads; the renderer's and the bus's locks are taken after it,
    // so whatever those threads did is ordered before the teardown.
    if (pipeline_)
        gst_element_set_state(pipeline_, GST_STATE_NULL);
    OstGst::TakeOver(this);
    OstGst::TakeOver(control.get());
    if (control)
        control->EndOfStream();
    if (renderer_)
        OstVideoRenderer::DetachSink(renderer_);
    if (pipeline_) {
        GstBin* graph = GST_BIN(pipeline_);
        // Held while removing: the chain's removal drops the graph's references.
        std::vector<OstGst::Ref<GstElement>> held;
        for (GstElement* e : {renderer_, colorConverter_, decoder_, formatFilter_,
                              sourceFilter_ ? sourceFilter_->Element() : nullptr})
            if (e)
                held.emplace_back(GST_ELEMENT(gst_object_ref(e)));
        if (sourceFilter_)
            RemoveDownstream(graph, sourceFilter_->Element());
        for (const auto& e : held)
            if (GST_OBJECT_PARENT(e.get()) == GST_OBJECT(graph))
                gst_bin_remove(graph, e.get());
    }
    renderer_ = colorConverter_ = decoder_ = formatFilter_ = nullptr;
    {
        // Waits for a message being handled; none reaches the graph afterwards.
        std::lock_guard guard(busTarget_->lock);
        busTarget_->graph = nullptr;
    }
    if (bus_) {
        gst_bus_set_sync_handler(bus_, nullptr, nullptr, nullptr);
        gst_object_unref(bus_);
        bus_ = nullptr;
        std::lock_guard guard(busLock_);
        streamFailed_ = false;
    }
    {
        std::lock_guard guard(lock_);
        windowlessControl_.reset();
        mixerBitmap_.reset();
    }
    if (sourcePin_) {
        gst_object_unref(sourcePin_);
        sourcePin_ = nullptr;
    }
    sourceFilter_.reset();
    if (pipeline_) {
        gst_object_unref(pipeline_);
        pipeline_ = nullptr;
    }
    paused_ = false;
}

void OstDXShow::ChangeResolution(std::int32_t bitCount, std::int32_t width, std::int32_t height) {
    const bool wasRunning = State() == GraphState::Running;
    if (wasRunning)
        Disconnect();
    bitCount_ = bitCount;
    width_ = width;
    height_ = height;
    if (wasRunning && Connect())
        Run();
}

bool OstDXShow::RateInEffect(std::uint32_t framesPerSecond) const {
    IOstStreamConfig* config = sourceFilter_ ? sourceFilter_->StreamConfig() : nullptr;
    OstMediaType format;
    return config && config->GetFormat(format) &&
           format.avgTimePerFrame == kUnitsPerSecond / UsableRate(framesPerSecond);
}

bool OstDXShow::ChangeFrameRate(std::uint32_t framesPerSecond) {
    // A stream already running at the rate is left alone: the settings sheet asks on every
    // close, and each restart blinked the preview and left GStreamer's state messages behind
    // (about 8 kB a restart, which a long day of sheets turned into megabytes).
    if (State() == GraphState::Running && RateInEffect(framesPerSecond)) {
        frameRate_ = UsableRate(framesPerSecond);
        return true;
    }
    const bool wasRunning = State() == GraphState::Running;
    if (wasRunning)
        Stop();
    frameRate_ = framesPerSecond;
    if (State() == GraphState::NotBuilt)
        return true;
    const bool applied = SetPreviewRate();
    ApplyFormat();
    if (wasRunning)
        Run();
    return applied;
}

bool OstDXShow::BlendApplicationImage(const OverlayFrame& frame) {
    const QString step = u"BlendApplicationImage"_qs;
    std::shared_ptr<OstVideoRenderer> control;
    std::shared_ptr<OstVideoRenderer> mixer;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
        mixer = mixerBitmap_;
    }
    if (!videoWindow_ || !control || !mixer) {
        ReportFailure(step, kOverlayPrecondition);
        return false;
    }
    QSize native;
    if (!control->GetNativeVideoSize(native)) {
        ReportFailure(step, u"GetNativeVideoSize"_qs);
        return false;
    }
    OstAlphaBitmap record;
    record.flags = OstAlphaBitmap::FromBitmap | OstAlphaBitmap::SrcColorKey;
    record.bitmap = frame.bitmap;
    record.source = QRect(QPoint(0, 0), frame.bitmap.size());
    record.left = 0.4f;
    record.top = 0.7f;
    record.right = 0.6f;
    record.bottom = 0.9f;
    record.alpha = frame.alpha;
    record.colorKey = frame.colorKey;
    if (!mixer->SetAlphaBitmap(record)) {
        ReportFailure(step, u"SetAlphaBitmap"_qs);
        return false;
    }
    // The mixer keeps its own copy; the record no longer needs the picture.
    record.bitmap = QImage();
    record.flags = OstAlphaBitmap::SrcColorKey | OstAlphaBitmap::SrcRect;
    if (!mixer->UpdateAlphaBitmapParameters(record)) {
        ReportFailure(step, u"UpdateAlphaBitmapParameters"_qs);
        return false;
    }
    return true;
}

bool OstDXShow::DisableBlendApplicationImage() {
    const QString step = u"DisableBlendApplicationImage"_qs;
    std::shared_ptr<OstVideoRenderer> control;
    std::shared_ptr<OstVideoRenderer> mixer;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
        mixer = mixerBitmap_;
    }
    if (!videoWindow_ || !control || !mixer) {
        ReportFailure(step, kOverlayPrecondition);
        return false;
    }
    OstAlphaBitmap record;
    if (!mixer->GetAlphaBitmapParameters(record)) {
        ReportFailure(step, u"GetAlphaBitmapParameters"_qs);
        return false;
    }
    record.flags = OstAlphaBitmap::Disable;
    if (!mixer->UpdateAlphaBitmapParameters(record)) {
        ReportFailure(step, u"UpdateAlphaBitmapParameters"_qs);
        return false;
    }
    return true;
}

bool OstDXShow::GrabImage(const QString& path) {
    const QString step = u"GrabImage"_qs;
    std::shared_ptr<OstVideoRenderer> control;
    GraphState state;
    {
        std::lock_guard guard(lock_);
        control = windowlessControl_;
        state = state_;
    }
    if (state != GraphState::Running || !control) {
        ReportFailure(step, u"DxShow isn't running || IVMRWindowlessControl9 == NULL"_qs);
        return false;
    }
    // A name already taken fails before the frame is encoded; the naming step below is what
    // keeps a file that appears meanwhile.
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink()) {
        ReportFailure(step, u"CreateFile"_qs);
        return false;
    }
    QImage image;
    if (!control->GetCurrentImage(image, kFirstFrameWait)) {
        ReportFailure(step, u"GetCurrentImage"_qs);
        return false;
    }
    QByteArray format;
    if (FindJpegEncoder(format) < 0) {
        ReportFailure(step, u"FindJpegEncoder"_qs);
        return false;
    }
    const QByteArray jpeg = EncodeJpeg(image, format);
    if (jpeg.isEmpty()) {
        ReportFailure(step, u"EncodeJpeg"_qs);
        return false;
    }
    switch (OstNewFile::Write(path, jpeg)) {
    case OstNewFile::Failure::None:
        return true;
    case OstNewFile::Failure::Create:
    case OstNewFile::Failure::NameTaken:
        ReportFailure(step, u"CreateFile"_qs);
        return false;
    case OstNewFile::Failure::Write:
        ReportFailure(step, u"WriteFile"_qs);
        return false;
    case OstNewFile::Failure::Flush:
        ReportFailure(step, u"FlushFileBuffers"_qs);
        return false;
    case OstNewFile::Failure::Name:
        ReportFailure(step, u"MoveFile"_qs);
        return false;
    }
    return false;
}
