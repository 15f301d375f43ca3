#pragma once

#include "IOstDeviceSource.h"
#include "OstObject.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

class IOstVideoWindow;
class IOstWebcamOwner;
class OstSimulatedCamera;
class OstWebcam;

// Knows which supported cameras are plugged in: one OstWebcamOrbit per camera whose USB
// identifiers pass the test, in the order of arrival, announced with "WEBCAM_PLUG_IN" (payload
// the class name) and "WEBCAM_PULL_OUT" (payload the lower-case device path), both as QString*.
// Lends a free device to one owner at a time and routes the messages of the devices' message
// windows. Lives on the UI thread; nothing here is locked.
//
// Arrivals and removals reported by the device source are not handled on the spot: each path
// waits in the arrival or removal queue for a message posted to the monitor itself, so a device
// is created or deleted from the event loop, one path per message, never from inside udev's
// report. Enumeration at start is handled at once.
//
// The simulated camera (the embedded default) is one more device of the maker's identifiers.
// In Auto mode it is present exactly while no supported real camera is; Always puts it first,
// beside any real camera; Never leaves it out. Tests plug and unplug it by hand as well.
class OstWebcamMonitor : public QObject, public OstObject {
public:
    enum class SimulatedCameraMode { Auto, Always, Never };

    // The environment variable and the command-line switches that choose the mode.
    static constexpr const char* kSimulatedCameraVariable = "ORBIT_SIMULATED_CAMERA";
    static inline const QString kSimulatedCameraSwitch = u"--simulated-camera"_qs;
    static inline const QString kNoSimulatedCameraSwitch = u"--no-simulated-camera"_qs;
    static inline const QString kSimulatedCameraPath =
        u"\\\\?\\usb#vid_6b2d&pid_0e41#simulated#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;
    static inline const QString kSimulatedCameraName = u"Orbit Simulated Camera"_qs;
    static inline const QString kOrbitClassName = u"OstWebcamOrbit"_qs;

    // The process-wide monitor on udev, built on the first call (on the UI thread, after the
    // application object) and destroyed with the application object. Its mode comes from the
    // program's arguments and the environment.
    static OstWebcamMonitor& GetInstance();

    // The last of the two switches in `arguments` wins; without either, `variable` decides:
    // "1", "yes", "on", "true", "always" mean Always, "0", "no", "off", "false", "never" Never,
    // anything else Auto.
    static SimulatedCameraMode SimulatedCameraModeFor(const QStringList& arguments,
                                                      const QString& variable);

    // Vendor and product as the path carries them: after the first '#' and five characters up
    // to the next '&', then after that '&' and five characters up to the next '&' or '#'.
    // False when the path is too short or has no such '#' or '&'.
    static bool ParseUsbIdentifiers(const QString& devicePath, QString& vendor, QString& product);
    // The identifier pair is one of the accepted pairs and the path is not a second interface
    // ("mi_01"); case does not matter.
    static bool IsSupported(const QString& devicePath);

    // Starts following the source at once; queued changes wait for the event loop.
    OstWebcamMonitor(std::unique_ptr<IOstDeviceSource> source, SimulatedCameraMode mode,
                     QObject* parent = nullptr);
    ~OstWebcamMonitor() override;
    OstWebcamMonitor(const OstWebcamMonitor&) = delete;
    OstWebcamMonitor& operator=(const OstWebcamMonitor&) = delete;

    // The cameras present now (called once, after construction).
    void EnumerateExisting();
    // The first free device of the maker's class, claimed for `owner` with `videoWindow` and
    // attached; null when there is none. A device whose Attach fails is given up again.
    OstWebcam* Acquire(IOstWebcamOwner* owner, IOstVideoWindow* videoWindow);
    // Appends every device's friendly name, in list order.
    void ListNames(QStringList& names) const;
    // Hands a message that reached a device's message window to that device; 0 when no
    // device has that window.
    qintptr RouteMessage(QObject* window, const QString& message, quintptr first, qintptr second);

    // A capture device arrived: creates its device object when the identifiers pass.
    void OnArrival(const QString& friendlyName, const QString& devicePath);
    // A capture device left: the first device of that path is announced and deleted.
    void OnRemoval(const QString& devicePath);

    // Queue the simulated camera's arrival or removal like a device change; false when it is
    // already in that state.
    bool PlugSimulatedCamera();
    bool UnplugSimulatedCamera();
    bool SimulatedCameraPlugged() const { return simulatedPlugged_; }
    // Null until the simulated camera was first plugged.
    const std::shared_ptr<OstSimulatedCamera>& SimulatedCamera() const { return simulated_; }
    SimulatedCameraMode Mode() const { return mode_; }

    std::size_t DeviceCount() const { return devices_.size(); }
    OstWebcam* DeviceAt(std::size_t index) const;
    // Whether the source follows changes (udev's monitor could be opened).
    bool IsWatching() const { return watching_; }
    std::size_t PendingArrivals() const { return arrivalQueue_.size(); }
    std::size_t PendingRemovals() const { return removalQueue_.size(); }

private:
    // What the device-change notification did: the path waits in a queue for its message.
    void DeviceArrived(const IOstDeviceSource::Device& device);
    void DeviceRemoved(const QString& devicePath);
    void HandleArrivalMessage();
    void HandleRemovalMessage();
    // The capture devices the graph finds its device among.
    void AddInput(const IOstDeviceSource::Device& device);
    void ForgetInput(const QString& devicePath);
    bool SetSimulatedPlugged(bool plugged, bool deferred);
    void UpdateSimulatedCamera(bool deferred);
    bool HasRealCamera() const;
    static bool IsSimulatedPath(const QString& devicePath);
    static qintptr RouteToLiveMonitors(QObject* window, const QString& message, quintptr first,
                                       qintptr second);

    std::unique_ptr<IOstDeviceSource> source_;
    SimulatedCameraMode mode_;
    bool watching_ = false;
    bool enumerated_ = false;
    std::vector<std::unique_ptr<OstWebcam>> devices_;
    std::deque<QString> arrivalQueue_;
    std::deque<QString> removalQueue_;
    // Paths this monitor put into the video input category, one per entry.
    std::vector<QString> inputPaths_;
    std::shared_ptr<OstSimulatedCamera> simulated_;
    bool simulatedPlugged_ = false;
};
