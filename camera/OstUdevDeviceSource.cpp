#include "OstUdevDeviceSource.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <libudev.h>

namespace {

QString Text(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

OstUdevNode NodeOf(udev_device* device) {
    OstUdevNode node;
    node.sysPath = Text(udev_device_get_syspath(device));
    node.sysName = Text(udev_device_get_sysname(device));
    node.devNode = Text(udev_device_get_devnode(device));
    for (udev_list_entry* entry = udev_device_get_properties_list_entry(device); entry;
         entry = udev_list_entry_get_next(entry))
        node.properties.insert(Text(udev_list_entry_get_name(entry)),
                               Text(udev_list_entry_get_value(entry)));
    // The parent belongs to the device and is freed with it.
    if (udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device")) {
        if (const char* count = udev_device_get_sysattr_value(usb, "bNumInterfaces"))
            node.usbInterfaceCount = QByteArray(count).trimmed().toInt();
    }
    return node;
}

} // namespace

OstUdevDeviceSource::OstUdevDeviceSource(QString subsystem)
    : subsystem_(std::move(subsystem)), udev_(udev_new()) {}

OstUdevDeviceSource::~OstUdevDeviceSource() {
    notifier_.reset();
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

bool OstUdevDeviceSource::Watch(ArrivalHandler arrival, RemovalHandler removal) {
    arrival_ = std::move(arrival);
    removal_ = std::move(removal);
    if (monitor_)
        return true;
    if (!udev_)
        return false;
    // "udev" events come after the rules ran, so they carry ID_V4L_CAPABILITIES and the USB ids.
    udev_monitor* monitor = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor)
        return false;
    const QByteArray subsystem = subsystem_.toUtf8();
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor, subsystem.constData(), nullptr) <
            0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        return false;
    }
    const int fd = udev_monitor_get_fd(monitor);
    if (fd < 0) {
        udev_monitor_unref(monitor);
        return false;
    }
    monitor_ = monitor;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { OnReadable(); });
    return true;
}

std::vector<OstUdevDeviceSource::Device> OstUdevDeviceSource::Enumerate() {
    std::vector<Device> devices;
    for (const OstUdevNode& node : ScanNodes()) {
        if (std::optional<Device> device = tracker_.Present(node))
            devices.push_back(std::move(*device));
    }
    return devices;
}

std::vector<OstUdevNode> OstUdevDeviceSource::ScanNodes() const {
    std::vector<OstUdevNode> nodes;
    if (!udev_)
        return nodes;
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (!enumerate)
        return nodes;
    const QByteArray subsystem = subsystem_.toUtf8();
    if (udev_enumerate_add_match_subsystem(enumerate, subsystem.constData()) >= 0 &&
        udev_enumerate_scan_devices(enumerate) >= 0) {
        for (udev_list_entry* entry = udev_enumerate_get_list_entry(enumerate); entry;
             entry = udev_list_entry_get_next(entry)) {
            udev_device* device =
                udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
            // A node that went away since the scan is simply not there.
            if (!device)
                continue;
            nodes.push_back(NodeOf(device));
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(enumerate);
    return nodes;
}

void OstUdevDeviceSource::OnReadable() {
    // The socket is non-blocking: drain what is there, one event per device.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const QString action = Text(udev_device_get_action(device));
        const OstUdevNode node = NodeOf(device);
        udev_device_unref(device);
        tracker_.Handle(action, node, arrival_, removal_);
    }
}
