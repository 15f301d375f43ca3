#include "OstWebcamOrbit.h"

#include "IOstCameraDriver.h"
#include "IOstSnapshotButton.h"
#include "IOstWebcamOwner.h"
#include "OstCameraProperty.h"
#include "OstQueuedCall.h"
#include "OstVideoInputDevice.h"

OstWebcamOrbit::OstWebcamOrbit(std::shared_ptr<OstVideoInputDevice> source)
    : OstWebcam(std::move(source)) {
    SetClassName(u"OstWebcamOrbit"_qs);
}

OstWebcamOrbit::~OstWebcamOrbit() {
    StopButtonThread();
    SetSnapshotTarget(SnapshotTarget::None);
}

int OstWebcamOrbit::Close() {
    StopButtonThread();
    return OstWebcam::Close();
}

GraphState OstWebcamOrbit::Run() {
    const GraphState state = OstWebcam::Run();
    // A Run on a running device keeps its one button thread.
    if (state == GraphState::Running && !buttonThread_.joinable()) {
        if (std::shared_ptr<IOstCameraDriver> driver = Driver()) {
            stop_ = false;
            pressed_ = false;
            buttonThread_ = std::thread(&OstWebcamOrbit::ButtonThread, this, std::move(driver));
        }
    }
    return state;
}

GraphState OstWebcamOrbit::Stop() {
    StopButtonThread();
    return OstWebcam::Stop();
}

GraphState OstWebcamOrbit::Disconnect() {
    StopButtonThread();
    return OstWebcam::Disconnect();
}

qintptr OstWebcamOrbit::OnWindowMessage(QObject*, const QString& message, quintptr, qintptr) {
    IOstWebcamOwner* owner = OwnerWindow();
    if (!IOstWebcamOwner::IsAlive(owner))
        return 0;
    if (message == MessageSnapShotKey())
        owner->OnWebcamSnapShotKey(this, VideoWindow());
    else if (message == MessageSendKey())
        owner->OnWebcamOrbitSendKey(this, VideoWindow());
    return 0;
}

bool OstWebcamOrbit::Init(const QString& devicePath, const QString& friendlyName) {
    const bool result = OstWebcam::Init(devicePath, friendlyName);
    if (FriendlyName().isEmpty())
        SetFriendlyName(u"Orbit"_qs);
    SetSnapshotTarget(SnapshotTarget::MessageWindow);
    return result;
}

bool OstWebcamOrbit::Attach() {
    postOwner_ = OwnerWindow();
    return SetSnapshotTarget(SnapshotTarget::Owner);
}

void OstWebcamOrbit::ReleaseSnapshot() {
    SetSnapshotTarget(SnapshotTarget::None);
}

bool OstWebcamOrbit::SetSnapshotTarget(SnapshotTarget target) {
    if (!Source())
        return false;
    if (!snapshotButton_)
        snapshotButton_ = Source()->SnapshotButton();
    snapshotTarget_ = target;
    snapshotOwner_ = target == SnapshotTarget::Owner ? OwnerWindow() : nullptr;
    if (!snapshotButton_)
        return true;
    if (target == SnapshotTarget::None) {
        snapshotButton_->ClearTarget(this);
        return true;
    }
    // A button that cannot be watched (no permission on its input node) leaves the camera
    // usable; only its presses are lost.
    snapshotButton_->SetTarget(this, [this] { OnSnapshotPressed(); });
    return true;
}

void OstWebcamOrbit::OnSnapshotPressed() {
    switch (snapshotTarget_) {
    case SnapshotTarget::None:
        break;
    case SnapshotTarget::MessageWindow:
        DispatchWindowMessage(MessageSnapShotKey(), 0, 0);
        break;
    case SnapshotTarget::Owner:
        if (IOstWebcamOwner::IsAlive(snapshotOwner_))
            snapshotOwner_->OnWebcamSnapShotKey(this, VideoWindow());
        break;
    }
}

void OstWebcamOrbit::OnSecondButtonReleased() {
    if (!postOwner_) {
        DispatchWindowMessage(MessageSendKey(), reinterpret_cast<quintptr>(this), 0);
        return;
    }
    if (IOstWebcamOwner::IsAlive(postOwner_))
        postOwner_->OnWebcamOrbitSendKey(this, VideoWindow());
}

void OstWebcamOrbit::StopButtonThread() {
    stop_ = true;
    if (buttonThread_.joinable())
        buttonThread_.join();
}

void OstWebcamOrbit::ButtonThread(std::shared_ptr<IOstCameraDriver> driver) {
    std::int32_t baseline = 0;
    if (!driver->GetProperty(OstCameraProperty::SecondButton, baseline))
        baseline = 0;
    while (!stop_) {
        std::int32_t value = baseline;
        if (!driver->GetProperty(OstCameraProperty::SecondButton, value))
            value = baseline;
        if (value != baseline) {
            pressed_ = true;
        } else if (pressed_) {
            pressed_ = false;
            // Queued to the message window, so a device destroyed meanwhile delivers nothing.
            OstQueuedCall::Post(MessageWindow(), [this] { OnSecondButtonReleased(); });
        }
        // A yield without a pause would keep a whole core busy while the camera runs.
        std::this_thread::sleep_for(kButtonPollInterval);
    }
}
