#include "OstCalls.h"

#include "CallMessage.h"
#include "IOstCallCamera.h"
#include "OstCall.h"
#include "OstSkypeController.h"

namespace {
// Skype below 4.0 needs its video call put on hold and resumed before it sends video.
constexpr std::uint64_t kVersionHoldNeeded = 0x4000000;
} // namespace

OstCalls::OstCalls(OstSkypeController& skype, IOstCallCamera& camera,
                   std::function<bool()> cameraPresent)
    : skype_(skype), camera_(camera), cameraPresent_(std::move(cameraPresent)) {}

void OstCalls::OnCallMessage(const CallMessage& message) {
    if (!cameraPresent_() || !message.call)
        return;
    const OstCall& call = *message.call;
    if (message.change == CALL_CHANGE_VIDEO_SEND_STATUS) {
        switch (call.GetVideoSendStatus()) {
        case VIDEO_STARTING:
            camera_.CallTakesCamera();
            nudged_ = false;
            break;
        case VIDEO_AVAILABLE:
            camera_.CallReleasesCamera();
            break;
        case VIDEO_RUNNING:
            if (camera_.InCall() && !nudged_ && skype_.GetSkypeVersion() < kVersionHoldNeeded) {
                nudged_ = true;
                skype_.SendCommand(u"SET CALL "_qs + call.GetId() + u" STATUS ONHOLD"_qs);
                skype_.SendCommand(u"SET CALL "_qs + call.GetId() + u" STATUS INPROGRESS"_qs);
            }
            break;
        default:
            break;
        }
    } else if (message.change == CALL_CHANGE_STATUS && camera_.InCall() &&
               (call.GetStatus() == CALL_STATUS_FINISHED || call.GetStatus() == CALL_STATUS_FAILED)) {
        camera_.CallReleasesCamera();
    }
}
