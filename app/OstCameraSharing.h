#pragma once

#include <QString>

#include <functional>
#include <memory>

class OstCameraSession;
class OstSharedCamera;

// The camera offered to other programs: the user's wish (kept in the program's configuration
// file, never in "Settings.xml"), where the picture goes (a PipeWire video source named
// "Orbit", or a V4L2 loopback device where PipeWire is not on the session), the still picture
// readers see while a call holds the camera or none is plugged in, and the tray's note. It
// opens nothing of the camera's: the capture graph hands it its frames. UI thread only.
class OstCameraSharing {
public:
    // How the loopback device is found: its path, or empty. Tests replace it.
    using LoopbackFinder = std::function<QString()>;
    // note: the tray's second line (empty while nothing is shared). text: a string by number.
    OstCameraSharing(OstCameraSession& camera, std::function<void(const QString&)> note,
                     std::function<QString(int)> text, LoopbackFinder loopback = {});
    ~OstCameraSharing();
    OstCameraSharing(const OstCameraSharing&) = delete;
    OstCameraSharing& operator=(const OstCameraSharing&) = delete;

    // PipeWire is on the session, or a loopback device is there.
    bool Available() const;
    bool Wanted() const { return wanted_; }
    // The user's choice: stored, and the picture shared or not from now on.
    void SetWanted(bool on);
    bool Shared() const;
    // What the dialog shows of the camera: 0 while it runs, else the string it shows.
    void CameraState(int messageId);
    void SetFrameRate(int framesPerSecond);
    // The tray's note and the still picture's text in the current language.
    void ApplyTexts();

    static constexpr int kSharedNote = 499;
    static constexpr int kInCallText = 497;
    static constexpr int kNoCameraText = 498;

private:
    void Apply();

    OstCameraSession& camera_;
    std::function<void(const QString&)> note_;
    std::function<QString(int)> text_;
    LoopbackFinder loopback_;
    std::unique_ptr<OstSharedCamera> publisher_;
    bool wanted_ = false;
    int cameraMessage_ = 0;
    QString error_;
};
