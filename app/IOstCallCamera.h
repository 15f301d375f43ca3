#pragma once

// The camera as a video call borrows it.
class IOstCallCamera {
public:
    virtual ~IOstCallCamera() = default;
    // The call sends video: the preview gives the camera up and says so.
    virtual void CallTakesCamera() = 0;
    // The call stopped sending or ended: the preview comes back where the user sees it.
    virtual void CallReleasesCamera() = 0;
    virtual bool InCall() const = 0;
};
