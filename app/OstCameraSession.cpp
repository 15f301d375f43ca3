#include "OstCameraSession.h"

#include "CountdownRequest.h"
#include "IOstCameraView.h"
#include "OstCameraProperty.h"
#include "OstDXShow.h"
#include "OstText.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"
#include "SettingsRecord.h"

#include <QImage>

#include <algorithm>

namespace {

constexpr std::uint32_t kMirrorProperty = 0;
constexpr std::uint32_t kZoomProperty = 28;

// The countdown's digits, 5 down to 1.
const int kCountdownDigits[] = {244, 243, 242, 241, 240};

// The stored frame rate, read as the C library's wtoi reads; nothing below 0.
std::uint32_t FramesPerSecond(const SettingsRecord& settings) {
    return static_cast<std::uint32_t>(std::max<std::int32_t>(0, OstText::ToInt(settings.Frame)));
}

} // namespace

OstCameraSession::OstCameraSession(OstWebcamMonitor& webcams, IOstWebcamOwner& owner,
                                   IOstCameraView& view, const SettingsRecord& settings,
                                   std::function<QString()> nextPhotoName)
    : webcams_(webcams), owner_(owner), view_(view), settings_(settings),
      nextPhotoName_(std::move(nextPhotoName)) {}

OstCameraSession::~OstCameraSession() {
    Detach();
}

void OstCameraSession::Detach() {
    if (!camera_)
        return;
    camera_->Detach();
    camera_ = nullptr;
}

bool OstCameraSession::Open() {
    Detach();
    OstWebcam* device = webcams_.Acquire(&owner_, view_.PreviewWindow());
    if (!device) {
        view_.SetCameraState(false, kNoCameraText);
        return false;
    }
    device->CreateGraph();
    if (OstDXShow* graph = device->Graph()) {
        // Read as the C library's wtol reads: leading digits, anything else ends the number.
        const QStringView text(settings_.Resolution);
        const qsizetype x = text.indexOf(u'x');
        const std::int32_t width = OstText::ToInt(x < 0 ? text : text.left(x));
        const std::int32_t height = x < 0 ? 0 : OstText::ToInt(text.mid(x + 1));
        graph->ChangeResolution(24, width, height);
        graph->ChangeFrameRate(FramesPerSecond(settings_));
        graph->SetRotation(rotation_);
        graph->SetFrameTap(tap_);
    }
    if (device->Run() != GraphState::Running) {
        view_.SetCameraState(false, kCameraBusyText);
        device->Detach();
        return false;
    }
    camera_ = device;
    ShowMirrorState();
    view_.SetZoom(zoom_, settings_.Resolution == u"800x600");
    view_.SetCameraState(true, 0);
    return true;
}

bool OstCameraSession::StartPreview() {
    if (camera_)
        return true;
    // Skype holds the device for a call: opening it now would fight the call for it.
    if (inCall_) {
        view_.SetCameraState(false, kCameraBusyText);
        return false;
    }
    return Open();
}

QString OstCameraSession::TakePhoto() {
    if (!camera_) {
        // Nothing runs that would enable the button again.
        view_.EnableTakePhoto();
        return {};
    }
    const QString path = nextPhotoName_();
    if (settings_.SnapshotMode == 1) {
        CountdownRequest request;
        request.filePath = path;
        for (int digit : kCountdownDigits) {
            OverlayFrame frame;
            // The sharper picture: the full-screen view shows the digit many times its size.
            const QString name = QStringLiteral(":/bitmaps/") + QString::number(digit);
            frame.bitmap = QImage(name + QStringLiteral("@2x"));
            if (frame.bitmap.isNull())
                frame.bitmap = QImage(name);
            frame.alpha = 0.5f;
            frame.colorKey = 0xFFFFFF;
            request.frames.push_back(std::move(frame));
        }
        request.frameDelay = 1000;
        if (!camera_->GrabWithCountdown(request))
            view_.EnableTakePhoto();
        return {};
    }
    OstDXShow* graph = camera_->Graph();
    if (graph && graph->GrabImage(path))
        return path;
    // The graph has told the user why; the button must not stay dead until a restart.
    view_.EnableTakePhoto();
    return {};
}

void OstCameraSession::SetZoom(int percent) {
    if (percent == zoom_ || !camera_)
        return;
    zoom_ = percent;
    SetCameraProperty(camera_, kZoomProperty, ZoomValue(percent));
}

void OstCameraSession::ToggleMirror() {
    if (!camera_)
        return;
    std::int32_t mirrored = 0;
    GetCameraProperty(camera_, kMirrorProperty, mirrored);
    SetCameraProperty(camera_, kMirrorProperty, mirrored ? 0 : 1);
    ShowMirrorState();
}

void OstCameraSession::SetRotation(int quarterTurns) {
    rotation_ = ((quarterTurns % 4) + 4) % 4;
    if (camera_ && camera_->Graph())
        camera_->Graph()->SetRotation(rotation_);
}

void OstCameraSession::SetFrameTap(IOstFrameTap* tap) {
    tap_ = tap;
    if (camera_ && camera_->Graph())
        camera_->Graph()->SetFrameTap(tap);
}

QString OstCameraSession::PhotoResolution(const QString& stored) const {
    const qsizetype x = stored.indexOf(u'x');
    if (rotation_ % 2 == 0 || x < 0)
        return stored;
    return stored.mid(x + 1) + u'x' + stored.left(x);
}

void OstCameraSession::ShowMirrorState() {
    std::int32_t mirrored = 0;
    if (camera_ && GetCameraProperty(camera_, kMirrorProperty, mirrored))
        view_.SetMirrorButton(mirrored != 0);
}

void OstCameraSession::ApplyFrameRate() {
    if (camera_ && camera_->Graph())
        camera_->Graph()->ChangeFrameRate(FramesPerSecond(settings_));
}

void OstCameraSession::CallTakesCamera() {
    Detach();
    view_.SetCameraState(false, kCameraBusyText);
    inCall_ = true;
}

void OstCameraSession::CallReleasesCamera() {
    inCall_ = false;
    if (view_.PreviewSeen())
        Open();
}

bool OstCameraSession::Unplugged(const QString& devicePath) {
    if (!camera_ || camera_->DevicePath().compare(devicePath, Qt::CaseInsensitive) != 0)
        return false;
    Detach();
    return true;
}
