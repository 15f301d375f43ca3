#pragma once

#include "IOstDeviceSource.h"
#include "OstUdevDeviceTracker.h"
#include "OstUdevNode.h"

#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// The capture devices of this machine, from libudev: enumeration of the video4linux subsystem,
// and its udev monitor watched by a socket notifier in the event loop of the thread that calls
// Watch (the UI thread). Without udev (no netlink socket) enumeration finds what sysfs holds
// and nothing is followed.
class OstUdevDeviceSource : public IOstDeviceSource {
public:
    explicit OstUdevDeviceSource(QString subsystem = u"video4linux"_qs);
    ~OstUdevDeviceSource() override;
    OstUdevDeviceSource(const OstUdevDeviceSource&) = delete;
    OstUdevDeviceSource& operator=(const OstUdevDeviceSource&) = delete;

    bool Watch(ArrivalHandler arrival, RemovalHandler removal) override;
    std::vector<Device> Enumerate() override;

    // Every node of the subsystem as udev describes it now, in udev's order.
    std::vector<OstUdevNode> ScanNodes() const;
    bool IsWatching() const { return monitor_ != nullptr; }

private:
    void OnReadable();

    QString subsystem_;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    OstUdevDeviceTracker tracker_;
    ArrivalHandler arrival_;
    RemovalHandler removal_;
};
