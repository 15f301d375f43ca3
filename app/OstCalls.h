#pragma once

#include <functional>

class IOstCallCamera;
class OstSkypeController;
struct CallMessage;

// Skype's calls as they touch the camera: a call that starts sending video takes the camera
// from the preview and gives it back when it stops sending or ends; Skype before 4.0 is put on
// hold and resumed once, which it needs before it sends the picture. Nothing happens without a
// camera. UI thread only.
class OstCalls {
public:
    OstCalls(OstSkypeController& skype, IOstCallCamera& camera, std::function<bool()> cameraPresent);

    void OnCallMessage(const CallMessage& message);

private:
    OstSkypeController& skype_;
    IOstCallCamera& camera_;
    std::function<bool()> cameraPresent_;
    // The hold and resume of this call went out.
    bool nudged_ = false;
};
