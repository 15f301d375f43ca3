#include "OstCameraSharing.h"

#include "IOstV4l2Io.h"
#include "OstCameraSession.h"
#include "OstLoopback.h"
#include "OstPrivateSettings.h"
#include "OstSharedCamera.h"

#include <QLoggingCategory>
#include <QSettings>

namespace {

Q_LOGGING_CATEGORY(lcSharing, "orbit.sharing")

const QString kWantedKey = QStringLiteral("Sharing/Camera");
// The message the session shows while a call holds the camera.
constexpr int kCameraBusy = 350;

QString FindLoopback() {
    return OstLoopback::Find(*IOstV4l2Io::System(), OstLoopback::DevicePaths());
}

} // namespace

OstCameraSharing::OstCameraSharing(OstCameraSession& camera, std::function<void(const QString&)> note,
                                   std::function<QString(int)> text, LoopbackFinder loopback)
    : camera_(camera), note_(std::move(note)), text_(std::move(text)),
      loopback_(loopback ? std::move(loopback) : LoopbackFinder(FindLoopback)),
      publisher_(std::make_unique<OstSharedCamera>()) {
    wanted_ = QSettings(QStringLiteral("Ostrel"), QStringLiteral("Orbit")).value(kWantedKey, false).toBool();
    Apply();
}

OstCameraSharing::~OstCameraSharing() {
    // No frame may reach the publisher once it is gone.
    camera_.SetFrameTap(nullptr);
    publisher_->Stop();
}

bool OstCameraSharing::Available() const {
    return OstSharedCamera::PipeWireAvailable() || !loopback_().isEmpty();
}

bool OstCameraSharing::Shared() const {
    return publisher_->Running();
}

void OstCameraSharing::SetWanted(bool on) {
    if (on != wanted_ && OstPrivateSettings::Protect(true)) {
        QSettings settings(QStringLiteral("Ostrel"), QStringLiteral("Orbit"));
        settings.setValue(kWantedKey, on);
        settings.sync();
    }
    wanted_ = on;
    Apply();
}

void OstCameraSharing::Apply() {
    if (!wanted_) {
        camera_.SetFrameTap(nullptr);
        publisher_->Stop();
    } else if (!publisher_->Running()) {
        error_.clear();
        bool started = false;
        if (OstSharedCamera::PipeWireAvailable()) {
            started = publisher_->Start(OstSharedCamera::Target::PipeWire, QString(), error_);
        } else if (const QString device = loopback_(); !device.isEmpty()) {
            started = publisher_->Start(OstSharedCamera::Target::Loopback, device, error_);
        } else {
            error_ = QStringLiteral("no PipeWire on the session and no loopback device");
        }
        if (started)
            camera_.SetFrameTap(publisher_.get());
        else
            qCWarning(lcSharing) << "the camera cannot be shared:" << error_;
    }
    ApplyTexts();
}

void OstCameraSharing::CameraState(int messageId) {
    cameraMessage_ = messageId;
    ApplyTexts();
}

void OstCameraSharing::SetFrameRate(int framesPerSecond) {
    publisher_->SetFrameRate(framesPerSecond);
}

void OstCameraSharing::ApplyTexts() {
    note_(Shared() ? text_(kSharedNote) : QString());
    publisher_->SetStillText(cameraMessage_ == 0             ? QString()
                             : cameraMessage_ == kCameraBusy ? text_(kInCallText)
                                                             : text_(kNoCameraText));
}
