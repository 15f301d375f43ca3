#include "MonitorTestSupport.h"

#include "IOstV4l2Io.h"
#include "OstLoopback.h"
#include "OstUdevDeviceSource.h"
#include "OstUdevDeviceTracker.h"
#include "OstV4l2Device.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"

#include <QDir>

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace {

const QString kGuid = u"{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

// The capture node of a UVC camera: two interfaces (control and streaming), the first one's.
OstUdevNode CaptureNode(const QString& sysName = u"video0"_qs) {
    OstUdevNode node;
    node.sysPath =
        u"/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/video4linux/"_qs + sysName;
    node.sysName = sysName;
    node.devNode = u"/dev/"_qs + sysName;
    node.properties = {
        {u"ID_VENDOR_ID"_qs, u"6b2d"_qs},           {u"ID_MODEL_ID"_qs, u"0e41"_qs},
        {u"ID_USB_INTERFACE_NUM"_qs, u"00"_qs},     {u"ID_V4L_CAPABILITIES"_qs, u":capture:"_qs},
        {u"ID_V4L_PRODUCT"_qs, u"Orbit Camera"_qs}, {u"ID_MODEL"_qs, u"Orbit_Camera_Model"_qs}};
    node.usbInterfaceCount = 2;
    return node;
}

// The same camera's metadata node: no capture capability.
OstUdevNode MetadataNode() {
    OstUdevNode node = CaptureNode(u"video1"_qs);
    node.properties[u"ID_V4L_CAPABILITIES"_qs] = u":"_qs;
    return node;
}

struct Events {
    std::vector<IOstDeviceSource::Device> arrivals;
    std::vector<QString> removals;
    IOstDeviceSource::ArrivalHandler Arrival() {
        return [this](const IOstDeviceSource::Device& d) { arrivals.push_back(d); };
    }
    IOstDeviceSource::RemovalHandler Removal() {
        return [this](const QString& path) { removals.push_back(path); };
    }
};

} // namespace

TEST(UdevDevicePath, BuiltInTheWindowsFormFromTheUsbIdentifiers) {
    OstUdevNode node = CaptureNode();
    const QString composite = OstUdevDeviceTracker::DevicePathOf(node);
    EXPECT_EQ(composite, u"\\\\?\\usb#vid_6b2d&pid_0e41&mi_00#video0#"_qs + kGuid);
    EXPECT_TRUE(OstWebcamMonitor::IsSupported(composite));

    node.usbInterfaceCount = 1;
    EXPECT_EQ(OstUdevDeviceTracker::DevicePathOf(node),
              u"\\\\?\\usb#vid_6b2d&pid_0e41#video0#"_qs + kGuid);
    node.usbInterfaceCount = 0;
    EXPECT_EQ(OstUdevDeviceTracker::DevicePathOf(node),
              u"\\\\?\\usb#vid_6b2d&pid_0e41#video0#"_qs + kGuid);

    // A camera function on the second interface gets the path the monitor turns down.
    node = CaptureNode();
    node.properties[u"ID_USB_INTERFACE_NUM"_qs] = u"01"_qs;
    node.properties[u"ID_VENDOR_ID"_qs] = u"6B2D"_qs;
    const QString second = OstUdevDeviceTracker::DevicePathOf(node);
    EXPECT_EQ(second, u"\\\\?\\usb#vid_6b2d&pid_0e41&mi_01#video0#"_qs + kGuid);
    EXPECT_FALSE(OstWebcamMonitor::IsSupported(second));

    // Malformed identifiers would shift what the monitor reads back: no path at all.
    for (const auto& [key, value] :
         std::vector<std::pair<QString, QString>>{{u"ID_VENDOR_ID"_qs, QString()},
                                                  {u"ID_VENDOR_ID"_qs, u"6b2d&"_qs},
                                                  {u"ID_VENDOR_ID"_qs, u"6b2g"_qs},
                                                  {u"ID_MODEL_ID"_qs, u"0e41#"_qs}}) {
        OstUdevNode bad = CaptureNode();
        bad.properties[key] = value;
        EXPECT_TRUE(OstUdevDeviceTracker::DevicePathOf(bad).isEmpty())
            << key.toStdString() << "=" << value.toStdString();
    }
    node = CaptureNode(u"video#0"_qs);
    EXPECT_TRUE(OstUdevDeviceTracker::DevicePathOf(node).isEmpty());
    // A malformed interface number only loses the interface part.
    node = CaptureNode();
    node.properties[u"ID_USB_INTERFACE_NUM"_qs] = u"0&"_qs;
    EXPECT_EQ(OstUdevDeviceTracker::DevicePathOf(node),
              u"\\\\?\\usb#vid_6b2d&pid_0e41#video0#"_qs + kGuid);
}

TEST(UdevDevicePath, CamerasAndTheirNames) {
    EXPECT_TRUE(OstUdevDeviceTracker::IsCamera(CaptureNode()));
    EXPECT_FALSE(OstUdevDeviceTracker::IsCamera(MetadataNode()));
    OstUdevNode node = CaptureNode();
    node.devNode.clear();
    EXPECT_FALSE(OstUdevDeviceTracker::IsCamera(node));

    node = CaptureNode();
    EXPECT_EQ(OstUdevDeviceTracker::FriendlyNameOf(node), u"Orbit Camera"_qs);
    node.properties.remove(u"ID_V4L_PRODUCT"_qs);
    EXPECT_EQ(OstUdevDeviceTracker::FriendlyNameOf(node), u"Orbit Camera Model"_qs);

    const std::optional<IOstDeviceSource::Device> device =
        OstUdevDeviceTracker::DeviceOf(CaptureNode());
    ASSERT_TRUE(device);
    auto* v4l2 = dynamic_cast<OstV4l2Device*>(device->input.get());
    ASSERT_NE(v4l2, nullptr);
    EXPECT_EQ(v4l2->Node(), u"/dev/video0"_qs);
    EXPECT_EQ(v4l2->DevicePath(), device->devicePath);
    EXPECT_EQ(v4l2->FriendlyName(), u"Orbit Camera"_qs);
}

TEST(UdevDeviceTracker, OneArrivalAndOneRemovalPerCameraNode) {
    OstUdevDeviceTracker tracker;
    Events events;
    tracker.Handle(u"add", MetadataNode(), events.Arrival(), events.Removal());
    tracker.Handle(u"add", CaptureNode(), events.Arrival(), events.Removal());
    tracker.Handle(u"add", CaptureNode(), events.Arrival(), events.Removal());
    tracker.Handle(u"change", CaptureNode(), events.Arrival(), events.Removal());
    tracker.Handle(u"bind", CaptureNode(u"video2"_qs), events.Arrival(), events.Removal());
    ASSERT_EQ(events.arrivals.size(), 1u);
    EXPECT_EQ(events.arrivals[0].devicePath, OstUdevDeviceTracker::DevicePathOf(CaptureNode()));
    EXPECT_TRUE(events.removals.empty());

    // udev's removal may come without the properties; the path is the one it arrived with.
    OstUdevNode gone;
    gone.sysPath = CaptureNode().sysPath;
    tracker.Handle(u"remove", MetadataNode(), events.Arrival(), events.Removal());
    tracker.Handle(u"remove", gone, events.Arrival(), events.Removal());
    tracker.Handle(u"remove", gone, events.Arrival(), events.Removal());
    ASSERT_EQ(events.removals.size(), 1u);
    EXPECT_EQ(events.removals[0], events.arrivals[0].devicePath);
    EXPECT_EQ(tracker.KnownCount(), 0u);
}

TEST(UdevDeviceTracker, EnumerationAndChangesDoNotDoubleACamera) {
    OstUdevDeviceTracker tracker;
    Events events;
    // Enumerated, then its own "add" read from the monitor afterwards.
    ASSERT_TRUE(tracker.Present(CaptureNode()));
    EXPECT_FALSE(tracker.Present(MetadataNode()));
    tracker.Handle(u"add", CaptureNode(), events.Arrival(), events.Removal());
    EXPECT_TRUE(events.arrivals.empty());

    // A node that loses its capture capability leaves; one that gains it arrives.
    tracker.Handle(u"change", MetadataNode(), events.Arrival(), events.Removal());
    OstUdevNode lost = CaptureNode();
    lost.properties[u"ID_V4L_CAPABILITIES"_qs] = u":"_qs;
    tracker.Handle(u"change", lost, events.Arrival(), events.Removal());
    ASSERT_EQ(events.removals.size(), 1u);
    tracker.Handle(u"change", CaptureNode(), events.Arrival(), events.Removal());
    ASSERT_EQ(events.arrivals.size(), 1u);
    EXPECT_EQ(tracker.KnownCount(), 1u);
}

TEST(UdevDeviceSource, ReadsTheNodesUdevKnows) {
    // Enumeration works wherever sysfs is; this machine's camera nodes, if any, must be sound.
    OstUdevDeviceSource cameras;
    for (const IOstDeviceSource::Device& device : cameras.Enumerate()) {
        EXPECT_TRUE(device.devicePath.startsWith(u"\\\\?\\usb#vid_"))
            << device.devicePath.toStdString();
        EXPECT_TRUE(device.devicePath.endsWith(kGuid));
        ASSERT_NE(device.input, nullptr);
    }

    if (!QDir(u"/sys/class/mem"_qs).exists())
        GTEST_SKIP() << "no /sys/class/mem";
    // Another subsystem shows what a node read from udev carries.
    OstUdevDeviceSource memory(u"mem"_qs);
    const std::vector<OstUdevNode> nodes = memory.ScanNodes();
    const auto null = std::find_if(nodes.begin(), nodes.end(),
                                   [](const OstUdevNode& n) { return n.sysName == u"null"; });
    ASSERT_NE(null, nodes.end());
    EXPECT_EQ(null->devNode, u"/dev/null"_qs);
    EXPECT_TRUE(null->sysPath.endsWith(u"/null"));
    EXPECT_EQ(null->properties.value(u"DEVNAME"_qs), u"/dev/null"_qs);
    EXPECT_FALSE(OstUdevDeviceTracker::IsCamera(*null));
    EXPECT_TRUE(memory.Enumerate().empty());
}

TEST(UdevDeviceSource, MonitorOnUdevOffersACamera) {
    OstWebcamMonitor monitor(std::make_unique<OstUdevDeviceSource>(),
                             OstWebcamMonitor::SimulatedCameraMode::Auto);
    monitor.EnumerateExisting();
    RunPostedMessages();
    // The simulated camera stands in exactly when no supported camera is plugged in.
    ASSERT_GE(monitor.DeviceCount(), 1u);
    bool real = false;
    for (std::size_t i = 0; i < monitor.DeviceCount(); ++i)
        real |= monitor.DeviceAt(i)->DevicePath() != OstWebcamMonitor::kSimulatedCameraPath;
    EXPECT_NE(real, monitor.SimulatedCameraPlugged());
}

namespace {

// Answers VIDIOC_QUERYCAP with a driver's name per device file; other files do not open.
class DriverNames : public IOstV4l2Io {
public:
    std::map<QByteArray, QByteArray> drivers;
    int Open(const QByteArray& path) override {
        const auto at = drivers.find(path);
        if (at == drivers.end())
            return -1;
        opened_.push_back(path);
        return int(opened_.size()) - 1 + 100;
    }
    void Close(int) override {}
    int Ioctl(int fd, unsigned long request, void* argument) override {
        if (request != VIDIOC_QUERYCAP || fd < 100)
            return -1;
        auto* caps = static_cast<v4l2_capability*>(argument);
        const QByteArray& name = drivers[opened_[std::size_t(fd - 100)]];
        // Filled to the end of the field without a terminator, as a driver may.
        std::memset(caps->driver, 0, sizeof(caps->driver));
        std::memcpy(caps->driver, name.constData(), std::min(sizeof(caps->driver), std::size_t(name.size())));
        return 0;
    }

private:
    std::vector<QByteArray> opened_;
};

} // namespace

TEST(LoopbackDevice, FoundByItsDriversNameAndNeverTakenForACamera) {
    DriverNames io;
    io.drivers["/dev/video0"] = "uvcvideo";
    io.drivers["/dev/video4"] = "v4l2 loopback";
    io.drivers["/dev/video5"] = "v4l2 loopback plus more than sixteen";
    EXPECT_EQ(OstLoopback::Find(io, {u"/dev/video0"_qs, u"/dev/video3"_qs, u"/dev/video4"_qs}), u"/dev/video4"_qs);
    EXPECT_TRUE(OstLoopback::Find(io, {u"/dev/video0"_qs, u"/dev/video3"_qs}).isEmpty());
    // Only the exact name: a driver whose name merely begins the same way is another driver.
    EXPECT_FALSE(OstLoopback::IsLoopback(io, "/dev/video5"));

    // A loopback device dressed as a USB camera (it may carry this program's own picture) is
    // no camera; the same node with a camera's driver is one.
    OstUdevNode node = CaptureNode(u"video4"_qs);
    EXPECT_FALSE(OstUdevDeviceTracker::DeviceOf(node, io).has_value());
    io.drivers["/dev/video4"] = "uvcvideo";
    EXPECT_TRUE(OstUdevDeviceTracker::DeviceOf(node, io).has_value());
}
