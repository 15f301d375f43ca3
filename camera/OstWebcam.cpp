#include "OstWebcam.h"

#include "IOstWebcamOwner.h"
#include "OstQueuedCall.h"
#include "OstDXShow.h"
#include "OstSourceFilter.h"
#include "OstVideoInputCategory.h"
#include "OstVideoInputDevice.h"

#include <chrono>

namespace {

// The pause between the removal of the last overlay frame and the grab.
constexpr std::int32_t kGrabDelayAfterOverlay = 200;

OstWebcam::MessageRoute& Route() {
    static OstWebcam::MessageRoute route;
    return route;
}

} // namespace

const QString& OstWebcam::MessageSnapShotKey() {
    static const QString name = u"WM_OstWebcam_SnapShotKey"_qs;
    return name;
}

const QString& OstWebcam::MessageSnapShotImage() {
    static const QString name = u"WM_OstWebcam_SnapShotImage"_qs;
    return name;
}

const QString& OstWebcam::MessageSendKey() {
    static const QString name = u"WM_OstWebcamOrbit_SendKey"_qs;
    return name;
}

void OstWebcam::SetMessageRoute(MessageRoute route) {
    Route() = std::move(route);
}

OstWebcam::OstWebcam(std::shared_ptr<OstVideoInputDevice> source) : source_(std::move(source)) {
    messageWindowClass_ =
        u"OstWebcam:0x"_qs + QString::number(reinterpret_cast<quintptr>(this), 16);
    messageWindow_.setObjectName(messageWindowClass_);
}

OstWebcam::~OstWebcam() {
    CancelCountdown();
    if (graph_)
        graph_->Disconnect();
    graph_.reset();
}

bool OstWebcam::IsDevice(const QString& path) const {
    return path.toLower() == devicePath_;
}

bool OstWebcam::CreateGraph() {
    if (!ownerWindow_ || !videoWindow_ || graph_)
        return false;
    graph_ = std::make_unique<OstDXShow>(devicePath_, videoWindow_, ownerWindow_);
    return true;
}

int OstWebcam::Close() {
    CancelCountdown();
    if (graph_) {
        graph_->Disconnect();
        graph_.reset();
    }
    return 1;
}

GraphState OstWebcam::Connect() {
    if (!graph_)
        return GraphState::NotBuilt;
    if (graph_->State() == GraphState::NotBuilt)
        graph_->Connect();
    return graph_->State();
}

GraphState OstWebcam::Run() {
    if (!graph_)
        return GraphState::NotBuilt;
    return graph_->Run();
}

GraphState OstWebcam::Stop() {
    CancelCountdown();
    if (!graph_)
        return GraphState::NotBuilt;
    return graph_->Stop();
}

GraphState OstWebcam::Pause() {
    if (!graph_)
        return GraphState::NotBuilt;
    return graph_->Pause();
}

GraphState OstWebcam::Disconnect() {
    CancelCountdown();
    if (!graph_)
        return GraphState::NotBuilt;
    graph_->Disconnect();
    return graph_->State();
}

qintptr OstWebcam::OnWindowMessage(QObject* window, const QString& message, quintptr, qintptr) {
    if (message == MessageSnapShotKey() && window == &messageWindow_ &&
        IOstWebcamOwner::IsAlive(ownerWindow_))
        ownerWindow_->OnWebcamSnapShotKey(this, videoWindow_);
    return 0;
}

bool OstWebcam::Init(const QString& devicePath, const QString& friendlyName) {
    devicePath_ = devicePath.toLower();
    if (!source_) {
        for (const auto& device : OstVideoInputCategory::GetInstance().Devices()) {
            if (device->DevicePath().toLower() == devicePath_) {
                source_ = device;
                break;
            }
        }
    }
    if (!ReadFriendlyName() || friendlyName_.isEmpty())
        friendlyName_ = friendlyName;
    return true;
}

bool OstWebcam::Attach() {
    return true;
}

bool OstWebcam::ReadFriendlyName() {
    // No per-device store keeps a name of its own here: a camera is called what the
    // enumeration that found it says, and a camera plugged in while the program runs
    // arrives without a name (OstWebcamOrbit then calls it "Orbit").
    return false;
}

void OstWebcam::ReleaseSnapshot() {}

QString OstWebcam::GetInfoText() const {
    return infoText_;
}

std::shared_ptr<IOstCameraDriver> OstWebcam::Driver() const {
    if (!graph_ || !graph_->SourceFilter())
        return nullptr;
    return graph_->SourceFilter()->Driver();
}

void OstWebcam::PostWindowMessage(const QString& message, quintptr first, qintptr second) {
    OstQueuedCall::Post(&messageWindow_, [this, message, first, second] {
        DispatchWindowMessage(message, first, second);
    });
}

qintptr OstWebcam::DispatchWindowMessage(const QString& message, quintptr first, qintptr second) {
    if (Route())
        return Route()(&messageWindow_, message, first, second);
    return OnWindowMessage(&messageWindow_, message, first, second);
}

bool OstWebcam::GrabWithCountdown(const CountdownRequest& request) {
    if (!graph_ || graph_->State() != GraphState::Running || countdownBusy_)
        return false;
    // A finished countdown's thread is only waiting to be joined.
    if (countdownThread_.joinable())
        countdownThread_.join();
    CountdownRequest copy = request;
    copy.device = this;
    {
        std::lock_guard guard(countdownLock_);
        countdownCancel_ = false;
    }
    countdownBusy_ = true;
    countdownThread_ =
        std::thread(&OstWebcam::CountdownThread, this, graph_.get(), std::move(copy), ownerWindow_);
    return true;
}

bool OstWebcam::CountdownInProgress() const {
    return countdownBusy_;
}

void OstWebcam::Detach() {
    Close();
    ownerWindow_ = nullptr;
    videoWindow_ = nullptr;
}

void OstWebcam::CancelCountdown() {
    {
        std::lock_guard guard(countdownLock_);
        countdownCancel_ = true;
    }
    countdownWake_.notify_all();
    if (countdownThread_.joinable())
        countdownThread_.join();
}

bool OstWebcam::CountdownWait(std::int32_t ms) {
    std::unique_lock guard(countdownLock_);
    return !countdownWake_.wait_for(guard, std::chrono::milliseconds(std::max(ms, 0)),
                                    [this] { return countdownCancel_; });
}

// The graph outlives this thread: everything that destroys it joins the thread first.
void OstWebcam::CountdownThread(OstDXShow* graph, CountdownRequest request,
                                IOstWebcamOwner* owner) {
    bool going = true;
    for (const OverlayFrame& frame : request.frames) {
        graph->BlendApplicationImage(frame);
        if (!CountdownWait(request.frameDelay)) {
            going = false;
            break;
        }
    }
    graph->DisableBlendApplicationImage();
    if (going && CountdownWait(kGrabDelayAfterOverlay)) {
        // A countdown that ran out always answers, so the owner can offer the photo again
        // after a failed grab; only a cancelled one (the camera going) stays silent.
        const QString path = graph->GrabImage(request.filePath) ? request.filePath : QString();
        // Free before the owner hears, so an owner that answers with the next countdown is
        // not refused.
        countdownBusy_ = false;
        // Queued to the message window, so a device destroyed meanwhile delivers nothing.
        OstQueuedCall::Post(&messageWindow_, [this, owner, path] {
            if (IOstWebcamOwner::IsAlive(owner))
                owner->OnWebcamSnapShotImage(this, videoWindow_, path);
        });
    }
    countdownBusy_ = false;
}
