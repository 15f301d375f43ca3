#pragma once

#include "IOstCallCamera.h"

#include <QString>
#include <cstdint>
#include <functional>

class IOstCameraView;
class IOstFrameTap;
class IOstWebcamOwner;
class OstWebcam;
class OstWebcamMonitor;
struct SettingsRecord;

// The camera as the user meets it: the preview opened and given back, photos at once or after
// the countdown, zoom and mirror, and the camera lent to Skype during a video call. It never
// opens the camera by itself: the controller asks when the user brings the dialog up. UI thread
// only.
class OstCameraSession : public IOstCallCamera {
public:
    static constexpr int kNoCameraText = 351;
    static constexpr int kCameraBusyText = 350;

    // settings: the working copy (resolution, frame rate, photo mode), read when used.
    // nextPhotoName: a new, unused photo path each call.
    OstCameraSession(OstWebcamMonitor& webcams, IOstWebcamOwner& owner, IOstCameraView& view,
                     const SettingsRecord& settings, std::function<QString()> nextPhotoName);
    ~OstCameraSession();
    OstCameraSession(const OstCameraSession&) = delete;
    OstCameraSession& operator=(const OstCameraSession&) = delete;

    // Claims the first camera, applies the stored format and runs it; the view says why not.
    bool Open();
    // Gives the camera back (it is lent, never owned).
    void Detach();
    // Open, unless it is open already or a call holds the camera (the view then says so).
    bool StartPreview();
    OstWebcam* Camera() const { return camera_; }

    // A photo: at once (its path is returned once written) or after the countdown (the owner
    // hears of it; empty is returned). Whatever failed, Take Photo works again.
    QString TakePhoto();
    // Percent of the preview, 100..200; the camera's zoom property follows.
    void SetZoom(int percent);
    void ToggleMirror();
    // Quarter turns clockwise of the picture, for a camera mounted sideways: the preview and
    // the photos are turned, now and whenever the camera opens again.
    void SetRotation(int quarterTurns);
    int Rotation() const { return rotation_; }
    // Every frame also goes to the tap (null: none), whenever the camera opens; the tap must
    // outlive the session's camera.
    void SetFrameTap(IOstFrameTap* tap);
    // The size text of a photo taken now, from the stored "<width>x<height>": swapped while
    // the picture is turned sideways.
    QString PhotoResolution(const QString& stored) const;
    void ShowMirrorState();
    // The stored frame rate, applied to the running camera.
    void ApplyFrameRate();

    // Skype starts sending video: the camera is its own until the call lets it go.
    void CallTakesCamera() override;
    // The call gave the camera back: the preview comes back where the user sees it.
    void CallReleasesCamera() override;
    bool InCall() const override { return inCall_; }
    // A camera was unplugged: true when it was the one in use (then given back).
    bool Unplugged(const QString& devicePath);

    // The zoom property's value for a preview percentage.
    static std::int32_t ZoomValue(int percent) { return (percent - 100) * 64 / 100; }

private:
    OstWebcamMonitor& webcams_;
    IOstWebcamOwner& owner_;
    IOstCameraView& view_;
    const SettingsRecord& settings_;
    std::function<QString()> nextPhotoName_;
    OstWebcam* camera_ = nullptr;
    int zoom_ = 100;
    int rotation_ = 0;
    IOstFrameTap* tap_ = nullptr;
    bool inCall_ = false;
};
