#pragma once

#include "CountdownRequest.h"
#include "GraphState.h"
#include "OstObject.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class IOstCameraDriver;
class IOstVideoWindow;
class IOstWebcamOwner;
class OstDXShow;
class OstVideoInputDevice;

// One plugged-in camera. The device monitor creates it (then Init), the controller claims it
// (owner and video window set by the monitor's Acquire, then Attach) and drives it: CreateGraph,
// the resolution and rate on Graph(), Run, Stop, Close; Detach gives it up.
//
// Threads: everything runs on the thread that created the device (the UI thread) except the
// countdown thread started by GrabWithCountdown (and, in OstWebcamOrbit, the button thread).
// Stop, Disconnect, Close, Detach and the destructor cancel and join the countdown first, so no
// photo is grabbed and no overlay laid once they return; a photo finished before that is still
// handed to the owner that started the countdown, if that owner still exists.
//
// Registered window messages are named by their texts (the Message* functions); they reach a
// device through its message window (MessageWindow(), a QObject living on the UI thread):
// PostWindowMessage queues one there, and the message window hands it to the message route
// (the device monitor's RouteMessage once the monitor sets it), which calls OnWindowMessage of
// the device owning that window. Without a route the device takes its own messages.
class OstWebcam : public OstObject {
public:
    // "WM_OstWebcam_SnapShotKey"
    static const QString& MessageSnapShotKey();
    // "WM_OstWebcam_SnapShotImage"
    static const QString& MessageSnapShotImage();
    // "WM_OstWebcamOrbit_SendKey"
    static const QString& MessageSendKey();

    // What the message window does with every message that reaches it: the device monitor's
    // RouteMessage. Set and read on the UI thread; an empty route restores the default.
    using MessageRoute = std::function<qintptr(QObject* window, const QString& message,
                                               quintptr first, qintptr second)>;
    static void SetMessageRoute(MessageRoute route);

    // `source` is the capture device this object stands for (its driver's snapshot button is
    // used); null makes Init look it up in OstVideoInputCategory by device path.
    explicit OstWebcam(std::shared_ptr<OstVideoInputDevice> source = nullptr);
    ~OstWebcam() override;
    OstWebcam(const OstWebcam&) = delete;
    OstWebcam& operator=(const OstWebcam&) = delete;

    // True when the lower-cased path equals the device path.
    virtual bool IsDevice(const QString& path) const;
    // Only with owner and video window set and no graph yet: creates the graph on the device
    // path (which must be the exact path of the OstVideoInputCategory entry).
    virtual bool CreateGraph();
    // Disconnects and destroys the graph if there is one; always 1.
    virtual int Close();
    // No graph: NotBuilt. NotBuilt: connects. Returns the graph's state.
    virtual GraphState Connect();
    // Connects first when NotBuilt, runs a Ready graph; a failed run disconnects.
    virtual GraphState Run();
    virtual GraphState Stop();
    // A paused graph stays Running; a failed pause leaves it Ready.
    virtual GraphState Pause();
    virtual GraphState Disconnect();
    // The device's part of a registered message that reached a message window (UI thread).
    // The base forwards "WM_OstWebcam_SnapShotKey" that reached its own window to the owner.
    virtual qintptr OnWindowMessage(QObject* window, const QString& message, quintptr first,
                                    qintptr second);
    // Stores the lower-cased path; the friendly name is ReadFriendlyName's when that gives one,
    // else `friendlyName`. True.
    virtual bool Init(const QString& devicePath, const QString& friendlyName);
    // Called by the monitor's Acquire after it set owner and video window; false makes the
    // device unavailable.
    virtual bool Attach();
    // The name the system keeps for the device apart from its enumeration; there is none, so
    // false (the caller's name stays).
    virtual bool ReadFriendlyName();
    virtual void ReleaseSnapshot();
    // Always empty.
    virtual QString GetInfoText() const;

    // Only while the graph is Running and no other countdown is in progress: starts the
    // countdown thread on a copy of the request and returns true at once. The owner later gets
    // OnWebcamSnapShotImage with the path, or with an empty path when the grab fails; nothing
    // when the countdown is cancelled.
    // Without an owner the photo is still taken and reported to nobody.
    bool GrabWithCountdown(const CountdownRequest& request);
    bool CountdownInProgress() const;
    // Close, then owner and video window cleared.
    void Detach();

    // Set by the monitor's Acquire; the owner and the window must outlive their claim.
    void SetOwnerWindow(IOstWebcamOwner* owner) { ownerWindow_ = owner; }
    void SetVideoWindow(IOstVideoWindow* window) { videoWindow_ = window; }
    IOstWebcamOwner* OwnerWindow() const { return ownerWindow_; }
    IOstVideoWindow* VideoWindow() const { return videoWindow_; }

    const QString& FriendlyName() const { return friendlyName_; }
    const QString& ClassName() const { return className_; }
    const QString& DevicePath() const { return devicePath_; }
    // The hidden message window and its unique class name "OstWebcam:0x<address>".
    QObject* MessageWindow() { return &messageWindow_; }
    const QString& MessageWindowClass() const { return messageWindowClass_; }
    // Null outside CreateGraph .. Close.
    OstDXShow* Graph() const { return graph_.get(); }
    const std::shared_ptr<OstVideoInputDevice>& Source() const { return source_; }
    // The driver of the open camera: null without a graph or before it connected (UI thread).
    std::shared_ptr<IOstCameraDriver> Driver() const;

    // Queues a registered message to the message window from any thread; it is handled on the
    // UI thread unless the device is destroyed first.
    void PostWindowMessage(const QString& message, quintptr first, qintptr second);

protected:
    void SetClassName(const QString& name) { className_ = name; }
    void SetFriendlyName(const QString& name) { friendlyName_ = name; }
    // Cancels a running countdown and waits for its thread.
    void CancelCountdown();
    // The message window's procedure: hands the message to the route.
    qintptr DispatchWindowMessage(const QString& message, quintptr first, qintptr second);

private:
    void CountdownThread(OstDXShow* graph, CountdownRequest request, IOstWebcamOwner* owner);
    // Sleeps up to `ms`; false when the countdown was cancelled meanwhile.
    bool CountdownWait(std::int32_t ms);

    QString friendlyName_;
    QString className_;
    QString devicePath_;
    QString infoText_;
    IOstWebcamOwner* ownerWindow_ = nullptr;
    IOstVideoWindow* videoWindow_ = nullptr;
    std::unique_ptr<OstDXShow> graph_;
    QString messageWindowClass_;
    QObject messageWindow_;
    std::shared_ptr<OstVideoInputDevice> source_;

    // The countdown thread and its cancellation.
    mutable std::mutex countdownLock_;
    std::condition_variable countdownWake_;
    bool countdownCancel_ = false;
    std::atomic<bool> countdownBusy_{false};
    std::thread countdownThread_;
};
