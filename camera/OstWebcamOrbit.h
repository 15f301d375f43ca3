#pragma once

#include "OstWebcam.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

class IOstSnapshotButton;

// The maker's camera (class name "OstWebcamOrbit"): registers where its driver sends the
// snapshot button and, while running, polls the second button (property 33) on its own thread,
// posting "WM_OstWebcamOrbit_SendKey" once per press, on release.
//
// There is at most one button thread per device; Stop, Disconnect, Close and the destructor
// stop and join it.
class OstWebcamOrbit : public OstWebcam {
public:
    // Where the driver sends a press of the snapshot button.
    enum class SnapshotTarget {
        None,          // not at all
        MessageWindow, // the device's message window, forwarded to the owner once it has one
        Owner,         // the owner directly
    };

    // The interval at which the button thread reads the second button.
    static constexpr std::chrono::milliseconds kButtonPollInterval{20};

    explicit OstWebcamOrbit(std::shared_ptr<OstVideoInputDevice> source = nullptr);
    ~OstWebcamOrbit() override;

    int Close() override;
    GraphState Run() override;
    GraphState Stop() override;
    GraphState Disconnect() override;
    // Both buttons' messages go to the owner, whatever window received them.
    qintptr OnWindowMessage(QObject* window, const QString& message, quintptr first,
                            qintptr second) override;
    // Base, then an empty friendly name becomes "Orbit"; the snapshot button goes to the
    // message window.
    bool Init(const QString& devicePath, const QString& friendlyName) override;
    // The button messages go to the owner; false when the snapshot button cannot be registered.
    bool Attach() override;
    void ReleaseSnapshot() override;

    // Registers the snapshot target with the camera's driver; false without a driver (no
    // capture device behind the path). A camera without a snapshot button, or one whose button
    // cannot be watched, registers nothing and succeeds.
    bool SetSnapshotTarget(SnapshotTarget target);
    SnapshotTarget CurrentSnapshotTarget() const { return snapshotTarget_; }
    bool ButtonThreadRunning() const { return buttonThread_.joinable(); }

private:
    // Sets the stop flag and waits for the button thread.
    void StopButtonThread();
    void ButtonThread(std::shared_ptr<IOstCameraDriver> driver);
    void OnSnapshotPressed();
    // The button thread's post, handled on the UI thread.
    void OnSecondButtonReleased();

    // The button block shared with the button thread.
    std::atomic<bool> stop_{true};
    std::atomic<bool> pressed_{false};
    // Set by Attach: the owner then gets the second button directly (UI thread only).
    IOstWebcamOwner* postOwner_ = nullptr;
    std::thread buttonThread_;

    SnapshotTarget snapshotTarget_ = SnapshotTarget::None;
    // The owner registered as snapshot target.
    IOstWebcamOwner* snapshotOwner_ = nullptr;
    std::shared_ptr<IOstSnapshotButton> snapshotButton_;
};
