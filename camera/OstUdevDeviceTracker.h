#pragma once

#include "IOstDeviceSource.h"
#include "OstUdevNode.h"

class IOstV4l2Io;

#include <QString>
#include <QStringView>

#include <map>
#include <optional>

// Turns udev's video4linux nodes into capture devices: which nodes are cameras, the device path
// of the Windows form each one gets, and which arrivals and removals the monitor hears of. udev
// reports a node more than once (enumeration racing its own "add", "change" events), so every
// camera node is remembered by its sysfs path from its first report to its removal.
class OstUdevDeviceTracker {
public:
    // The capture interface class, the last part of every device path.
    static const QString& CaptureInterfaceClass();

    // A node that can capture video and has a device file; a UVC camera's metadata node cannot.
    static bool IsCamera(const OstUdevNode& node);
    // "\\?\usb#vid_vvvv&pid_pppp[&mi_ii]#<sysname>#{65e8773d-...}" in lower case, the interface
    // part only for a device of more than one interface; empty without valid USB identifiers.
    static QString DevicePathOf(const OstUdevNode& node);
    // The driver's name of the card, else the USB model name; may be empty.
    static QString FriendlyNameOf(const OstUdevNode& node);
    // The device a camera node stands for, opened through its device file. A V4L2 loopback
    // device (asked through `io`) is no camera: it may carry this program's own picture.
    static std::optional<IOstDeviceSource::Device> DeviceOf(const OstUdevNode& node);
    static std::optional<IOstDeviceSource::Device> DeviceOf(const OstUdevNode& node, IOstV4l2Io& io);

    // A node found by enumeration: its device when it is a camera.
    std::optional<IOstDeviceSource::Device> Present(const OstUdevNode& node);
    // One event of the udev monitor ("add", "remove", "change"); calls at most one handler.
    void Handle(QStringView action, const OstUdevNode& node,
                const IOstDeviceSource::ArrivalHandler& arrival,
                const IOstDeviceSource::RemovalHandler& removal);

    std::size_t KnownCount() const { return known_.size(); }

private:
    // sysfs path -> the device path it arrived with.
    std::map<QString, QString> known_;
};
