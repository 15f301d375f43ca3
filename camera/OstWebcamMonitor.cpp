#include "OstWebcamMonitor.h"

#include "OstNotificationCenter.h"
#include "OstSimulatedCamera.h"
#include "OstUdevDeviceSource.h"
#include "OstVideoInputCategory.h"
#include "OstWebcamOrbit.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <array>
#include <utility>

namespace {

OstWebcamMonitor* g_instance = nullptr;

// Monitors alive now, the newest last; the devices' message windows route through them.
std::vector<OstWebcamMonitor*>& LiveMonitors() {
    static std::vector<OstWebcamMonitor*> monitors;
    return monitors;
}

struct UsbIdentifiers {
    const char16_t* vendor;
    const char16_t* product;
};

// The maker's camera first; the other pairs are accepted the same way.
constexpr std::array<UsbIdentifiers, 10> kAccepted{{
    {u"6b2d", u"0e41"},
    {u"0000", u"0000"},
    {u"3fff", u"ffff"},
    {u"1fff", u"ffff"},
    {u"0000", u"ffff"},
    {u"0000", u"7fff"},
    {u"0000", u"00ff"},
    {u"0000", u"01ff"},
    {u"ffff", u"ffff"},
    {u"001f", u"0000"},
}};

void Post(const QString& name, QString payload) {
    OstNotificationCenter::GetInstance().PostNotification(name, &payload);
}

} // namespace

OstWebcamMonitor& OstWebcamMonitor::GetInstance() {
    if (!g_instance) {
        g_instance = new OstWebcamMonitor(
            std::make_unique<OstUdevDeviceSource>(),
            SimulatedCameraModeFor(QCoreApplication::arguments(),
                                   qEnvironmentVariable(kSimulatedCameraVariable)));
        // Destroyed with the application object, in the reverse order of first use.
        qAddPostRoutine([] {
            delete g_instance;
            g_instance = nullptr;
        });
    }
    return *g_instance;
}

OstWebcamMonitor::SimulatedCameraMode
OstWebcamMonitor::SimulatedCameraModeFor(const QStringList& arguments, const QString& variable) {
    for (qsizetype i = arguments.size() - 1; i >= 0; --i) {
        if (arguments[i] == kSimulatedCameraSwitch)
            return SimulatedCameraMode::Always;
        if (arguments[i] == kNoSimulatedCameraSwitch)
            return SimulatedCameraMode::Never;
    }
    const QString value = variable.trimmed().toLower();
    for (const char16_t* on : {u"1", u"yes", u"on", u"true", u"always"}) {
        if (value == on)
            return SimulatedCameraMode::Always;
    }
    for (const char16_t* off : {u"0", u"no", u"off", u"false", u"never"}) {
        if (value == off)
            return SimulatedCameraMode::Never;
    }
    return SimulatedCameraMode::Auto;
}

bool OstWebcamMonitor::ParseUsbIdentifiers(const QString& devicePath, QString& vendor,
                                           QString& product) {
    vendor.clear();
    product.clear();
    const QString path = devicePath.toLower();
    const qsizetype hash = path.indexOf(u'#');
    if (hash < 0 || hash + 5 > path.size())
        return false;
    const qsizetype vendorStart = hash + 5;
    const qsizetype ampersand = path.indexOf(u'&', vendorStart);
    if (ampersand < 0 || ampersand + 5 > path.size())
        return false;
    const qsizetype productStart = ampersand + 5;
    qsizetype productEnd = path.size();
    for (QChar stop : {u'&', u'#'}) {
        const qsizetype at = path.indexOf(stop, productStart);
        if (at >= 0)
            productEnd = std::min(productEnd, at);
    }
    vendor = path.mid(vendorStart, ampersand - vendorStart);
    product = path.mid(productStart, productEnd - productStart);
    return true;
}

bool OstWebcamMonitor::IsSupported(const QString& devicePath) {
    QString vendor;
    QString product;
    if (!ParseUsbIdentifiers(devicePath, vendor, product))
        return false;
    const bool accepted = std::any_of(kAccepted.begin(), kAccepted.end(), [&](const auto& pair) {
        return vendor == pair.vendor && product == pair.product;
    });
    return accepted && !devicePath.toLower().contains(u"mi_01");
}

OstWebcamMonitor::OstWebcamMonitor(std::unique_ptr<IOstDeviceSource> source,
                                   SimulatedCameraMode mode, QObject* parent)
    : QObject(parent), source_(std::move(source)), mode_(mode) {
    setObjectName(u"OstWebcamMonitor"_qs);
    if (LiveMonitors().empty())
        OstWebcam::SetMessageRoute(&OstWebcamMonitor::RouteToLiveMonitors);
    LiveMonitors().push_back(this);
    if (source_) {
        watching_ = source_->Watch([this](const IOstDeviceSource::Device& d) { DeviceArrived(d); },
                                   [this](const QString& path) { DeviceRemoved(path); });
    }
}

OstWebcamMonitor::~OstWebcamMonitor() {
    // No more device changes, then the devices in list order.
    source_.reset();
    auto& live = LiveMonitors();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (live.empty())
        OstWebcam::SetMessageRoute({});
    for (auto& device : devices_)
        device.reset();
    devices_.clear();
    arrivalQueue_.clear();
    removalQueue_.clear();
    for (const QString& path : inputPaths_)
        OstVideoInputCategory::GetInstance().Remove(path);
    inputPaths_.clear();
}

void OstWebcamMonitor::EnumerateExisting() {
    if (mode_ == SimulatedCameraMode::Always)
        SetSimulatedPlugged(true, false);
    if (source_) {
        for (const IOstDeviceSource::Device& device : source_->Enumerate()) {
            AddInput(device);
            OnArrival(device.friendlyName, device.devicePath);
        }
    }
    enumerated_ = true;
    UpdateSimulatedCamera(false);
}

OstWebcam* OstWebcamMonitor::Acquire(IOstWebcamOwner* owner, IOstVideoWindow* videoWindow) {
    if (!owner || !videoWindow)
        return nullptr;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        OstWebcam* device = devices_[i].get();
        if (device->OwnerWindow() || device->VideoWindow() ||
            device->ClassName() != kOrbitClassName)
            continue;
        device->SetOwnerWindow(owner);
        device->SetVideoWindow(videoWindow);
        if (device->Attach())
            return device;
        // Keeping the claim would leave the device sending its buttons to an owner that never
        // got it, and unavailable until it is unplugged.
        device->Detach();
    }
    return nullptr;
}

void OstWebcamMonitor::ListNames(QStringList& names) const {
    for (const auto& device : devices_)
        names.append(device->FriendlyName());
}

qintptr OstWebcamMonitor::RouteMessage(QObject* window, const QString& message, quintptr first,
                                       qintptr second) {
    for (const auto& device : devices_) {
        if (device->MessageWindow() == window)
            return device->OnWindowMessage(window, message, first, second);
    }
    return 0;
}

void OstWebcamMonitor::OnArrival(const QString& friendlyName, const QString& devicePath) {
    const QString path = devicePath.toLower();
    if (!IsSupported(path))
        return;
    auto device = std::make_unique<OstWebcamOrbit>();
    if (!device->Init(path, friendlyName))
        return;
    const QString className = device->ClassName();
    devices_.push_back(std::move(device));
    Post(u"WEBCAM_PLUG_IN"_qs, className);
}

void OstWebcamMonitor::OnRemoval(const QString& devicePath) {
    const auto it = std::find_if(devices_.begin(), devices_.end(),
                                 [&](const auto& device) { return device->IsDevice(devicePath); });
    if (it == devices_.end())
        return;
    // Unlinked first, so observers that acquire a camera while it is announced never get it.
    std::unique_ptr<OstWebcam> device = std::move(*it);
    devices_.erase(it);
    Post(u"WEBCAM_PULL_OUT"_qs, device->DevicePath());
}

bool OstWebcamMonitor::PlugSimulatedCamera() {
    return SetSimulatedPlugged(true, true);
}

bool OstWebcamMonitor::UnplugSimulatedCamera() {
    return SetSimulatedPlugged(false, true);
}

OstWebcam* OstWebcamMonitor::DeviceAt(std::size_t index) const {
    return index < devices_.size() ? devices_[index].get() : nullptr;
}

void OstWebcamMonitor::DeviceArrived(const IOstDeviceSource::Device& device) {
    AddInput(device);
    arrivalQueue_.push_back(device.devicePath);
    QMetaObject::invokeMethod(
        this, [this] { HandleArrivalMessage(); }, Qt::QueuedConnection);
}

void OstWebcamMonitor::DeviceRemoved(const QString& devicePath) {
    removalQueue_.push_back(devicePath);
    QMetaObject::invokeMethod(
        this, [this] { HandleRemovalMessage(); }, Qt::QueuedConnection);
}

// The path leaves its queue before it is handled: an observer that runs the event loop (a
// message box) would otherwise handle the same path a second time.
void OstWebcamMonitor::HandleArrivalMessage() {
    if (arrivalQueue_.empty())
        return;
    const QString path = arrivalQueue_.front();
    arrivalQueue_.pop_front();
    OnArrival(QString(), path);
    if (!IsSimulatedPath(path))
        UpdateSimulatedCamera(true);
}

void OstWebcamMonitor::HandleRemovalMessage() {
    if (removalQueue_.empty())
        return;
    const QString path = removalQueue_.front();
    removalQueue_.pop_front();
    OnRemoval(path);
    ForgetInput(path);
    if (!IsSimulatedPath(path))
        UpdateSimulatedCamera(true);
}

void OstWebcamMonitor::AddInput(const IOstDeviceSource::Device& device) {
    if (!device.input)
        return;
    OstVideoInputCategory::GetInstance().Add(device.input);
    inputPaths_.push_back(device.input->DevicePath());
}

void OstWebcamMonitor::ForgetInput(const QString& devicePath) {
    const auto it = std::find_if(inputPaths_.begin(), inputPaths_.end(), [&](const QString& p) {
        return p.compare(devicePath, Qt::CaseInsensitive) == 0;
    });
    if (it == inputPaths_.end())
        return;
    OstVideoInputCategory::GetInstance().Remove(*it);
    inputPaths_.erase(it);
}

bool OstWebcamMonitor::SetSimulatedPlugged(bool plugged, bool deferred) {
    if (plugged == simulatedPlugged_)
        return false;
    simulatedPlugged_ = plugged;
    if (!plugged) {
        // Its open streams fail as a pulled camera's do.
        simulated_->Unplug();
        DeviceRemoved(kSimulatedCameraPath);
        return true;
    }
    if (!simulated_)
        simulated_ =
            std::make_shared<OstSimulatedCamera>(kSimulatedCameraPath, kSimulatedCameraName);
    simulated_->Plug();
    IOstDeviceSource::Device device(kSimulatedCameraPath, kSimulatedCameraName, simulated_);
    if (deferred) {
        DeviceArrived(device);
    } else {
        AddInput(device);
        OnArrival(device.friendlyName, device.devicePath);
    }
    return true;
}

void OstWebcamMonitor::UpdateSimulatedCamera(bool deferred) {
    if (mode_ != SimulatedCameraMode::Auto || !enumerated_)
        return;
    const bool real = HasRealCamera();
    if (real == simulatedPlugged_)
        SetSimulatedPlugged(!real, deferred);
}

bool OstWebcamMonitor::HasRealCamera() const {
    return std::any_of(devices_.begin(), devices_.end(),
                       [](const auto& device) { return !IsSimulatedPath(device->DevicePath()); });
}

bool OstWebcamMonitor::IsSimulatedPath(const QString& devicePath) {
    return devicePath.compare(kSimulatedCameraPath, Qt::CaseInsensitive) == 0;
}

qintptr OstWebcamMonitor::RouteToLiveMonitors(QObject* window, const QString& message,
                                              quintptr first, qintptr second) {
    for (auto it = LiveMonitors().rbegin(); it != LiveMonitors().rend(); ++it) {
        for (std::size_t i = 0; i < (*it)->DeviceCount(); ++i) {
            if ((*it)->DeviceAt(i)->MessageWindow() == window)
                return (*it)->RouteMessage(window, message, first, second);
        }
    }
    return 0;
}
