#pragma once

#include "IOstGraphNotify.h"

#include <QString>

class IOstVideoWindow;
class OstWebcam;

// The window that claimed a camera device (the controller). Every method is called on the UI
// thread (the thread the device was created on), never while a lock of the device is held, and
// never once this object is destroyed (owners register themselves while they live). As with the
// driver's registration, the owner that attached a device keeps getting its button presses
// after Detach (the controller opens the camera again on the snapshot button).
//
// The graph also reports its events here (OnGraphEvent, on a streaming thread); the program
// acts on none of them, hence the empty default.
class IOstWebcamOwner : public IOstGraphNotify {
public:
    IOstWebcamOwner();
    ~IOstWebcamOwner() override;
    IOstWebcamOwner(const IOstWebcamOwner&) = delete;
    IOstWebcamOwner& operator=(const IOstWebcamOwner&) = delete;

    // Whether `owner` is a live owner object (null is not).
    static bool IsAlive(const IOstWebcamOwner* owner);

    // "WM_OstWebcam_SnapShotKey": the camera's snapshot button was pressed.
    virtual void OnWebcamSnapShotKey(OstWebcam* device, IOstVideoWindow* videoWindow) = 0;
    // "WM_OstWebcam_SnapShotImage": a timed photo was written to `path`; an empty path when
    // the countdown ran out but the grab failed (a cancelled countdown sends nothing).
    virtual void OnWebcamSnapShotImage(OstWebcam* device, IOstVideoWindow* videoWindow,
                                       const QString& path) = 0;
    // "WM_OstWebcamOrbit_SendKey": the camera's second button was pressed and released.
    virtual void OnWebcamOrbitSendKey(OstWebcam* device, IOstVideoWindow* videoWindow) = 0;

    void OnGraphEvent(EventCode, const QString&) override {}
};
