#include "MonitorTestSupport.h"

#include "OstVideoInputCategory.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"

#include <gtest/gtest.h>

namespace {

using Mode = OstWebcamMonitor::SimulatedCameraMode;

const QString kOrbit = CameraPath("vid_6b2d&pid_0e41");

struct MonitorFixture {
    MonitorFixture(Mode mode = Mode::Never)
        : source(new FakeDeviceSource), monitor(std::unique_ptr<IOstDeviceSource>(source), mode) {}

    FakeDeviceSource* source;
    NotificationLog log;
    OstWebcamMonitor monitor;
};

std::size_t CategoryCount(const QString& path) {
    std::size_t count = 0;
    for (const auto& device : OstVideoInputCategory::GetInstance().Devices())
        count += device->DevicePath() == path;
    return count;
}

} // namespace

TEST(WebcamMonitorIdentifiers, AcceptedPairsCaseInterfacesAndMalformedPaths) {
    QString vendor;
    QString product;
    ASSERT_TRUE(OstWebcamMonitor::ParseUsbIdentifiers(kOrbit, vendor, product));
    EXPECT_EQ(vendor, u"6b2d"_qs);
    EXPECT_EQ(product, u"0e41"_qs);

    for (const char* ids :
         {"vid_6b2d&pid_0e41", "vid_0000&pid_0000", "vid_3fff&pid_ffff", "vid_1fff&pid_ffff",
          "vid_0000&pid_ffff", "vid_0000&pid_7fff", "vid_0000&pid_00ff", "vid_0000&pid_01ff",
          "vid_ffff&pid_ffff", "vid_001f&pid_0000", "VID_6B2D&PID_0E41", "vid_6b2d&pid_0e41&mi_00"})
        EXPECT_TRUE(OstWebcamMonitor::IsSupported(CameraPath(ids))) << ids;
    for (const char* ids : {"vid_6b2d&pid_0e42", "vid_0e41&pid_6b2d", "vid_6b2d&pid_0e41&mi_01",
                            "VID_6B2D&PID_0E41&MI_01", "vid_001f&pid_ffff", "vid_6b2d0&pid_0e41",
                            "vid_6b2d&pid_0e410"})
        EXPECT_FALSE(OstWebcamMonitor::IsSupported(CameraPath(ids))) << ids;
    // "mi_01" anywhere rules the path out, not only in the identifier part.
    EXPECT_FALSE(OstWebcamMonitor::IsSupported(CameraPath("vid_6b2d&pid_0e41", "7&mi_01&0")));

    // Too short or without the separators: no identifiers, nothing read out of bounds.
    for (const QString& path : {QString(), u"#"_qs, u"\\\\?\\usb#vid_6b2d"_qs, u"#vid&"_qs,
                                u"\\\\?\\usb#vid_6b2d&pid"_qs, u"\\\\?\\root#image#0000#{x}"_qs})
        EXPECT_FALSE(OstWebcamMonitor::IsSupported(path)) << path.toStdString();
    // The product runs to the end when nothing follows it.
    EXPECT_TRUE(OstWebcamMonitor::IsSupported(u"\\\\?\\usb#vid_0000&pid_0000"_qs));
}

TEST(WebcamMonitorArrival, DeferredUntilTheEventLoopAndOnlyForAcceptedIdentifiers) {
    MonitorFixture f;
    const QString first = CameraPath("vid_6b2d&pid_0e41&mi_00");
    const QString second = CameraPath("vid_0000&pid_0000");
    f.monitor.EnumerateExisting();
    f.source->Arrive(first);
    f.source->Arrive(CameraPath("vid_6b2d&pid_0e41&mi_01"));
    f.source->Arrive(CameraPath("vid_6b2d&pid_0e42"));
    f.source->Arrive(u"garbage"_qs);
    f.source->Arrive(second);
    EXPECT_EQ(f.monitor.DeviceCount(), 0u);
    EXPECT_EQ(f.monitor.PendingArrivals(), 5u);
    EXPECT_TRUE(f.log.entries.empty());

    // The device is in the list by the time observers hear of it.
    std::vector<std::size_t> seen;
    f.log.during = [&](const QString&, const QString&) { seen.push_back(f.monitor.DeviceCount()); };
    RunPostedMessages();
    EXPECT_EQ(f.monitor.PendingArrivals(), 0u);
    ASSERT_EQ(f.monitor.DeviceCount(), 2u);
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), first);
    EXPECT_EQ(f.monitor.DeviceAt(1)->DevicePath(), second);
    EXPECT_EQ(f.monitor.DeviceAt(0)->ClassName(), u"OstWebcamOrbit"_qs);
    ASSERT_EQ(f.log.entries.size(), 2u);
    EXPECT_EQ(f.log.entries[0], std::make_pair(u"WEBCAM_PLUG_IN"_qs, u"OstWebcamOrbit"_qs));

    // Removals of paths no device has change nothing.
    f.source->Remove(CameraPath("vid_6b2d&pid_0e41&mi_01"));
    f.source->Remove(u"garbage"_qs);
    RunPostedMessages();
    EXPECT_EQ(f.monitor.DeviceCount(), 2u);
    EXPECT_EQ(f.log.entries.size(), 2u);
}

TEST(WebcamMonitorRemoval, UpperCasePathIsKeptAndAnnouncedInLowerCase) {
    MonitorFixture f;
    const QString upper = kOrbit.toUpper();
    f.source->Arrive(upper);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), kOrbit);

    // Announced while still alive, but already out of the list.
    OstWebcam* device = f.monitor.DeviceAt(0);
    bool aliveAndUnlisted = false;
    f.log.during = [&](const QString& name, const QString&) {
        if (name == u"WEBCAM_PULL_OUT")
            aliveAndUnlisted = device->IsDevice(upper) && f.monitor.DeviceCount() == 0;
    };
    f.source->Remove(upper);
    EXPECT_EQ(f.monitor.PendingRemovals(), 1u);
    EXPECT_EQ(f.monitor.DeviceCount(), 1u);
    RunPostedMessages();
    EXPECT_EQ(f.monitor.DeviceCount(), 0u);
    EXPECT_TRUE(aliveAndUnlisted);
    ASSERT_EQ(f.log.entries.size(), 2u);
    EXPECT_EQ(f.log.entries[1], std::make_pair(u"WEBCAM_PULL_OUT"_qs, kOrbit));
}

TEST(WebcamMonitorRemoval, TwoArrivalsMakeTwoDevicesAndARemovalDeletesTheFirst) {
    MonitorFixture f;
    f.source->Arrive(kOrbit);
    f.source->Arrive(kOrbit);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 2u);
    OstWebcam* second = f.monitor.DeviceAt(1);

    f.source->Remove(kOrbit);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.DeviceAt(0), second);
    f.source->Remove(kOrbit);
    f.source->Remove(kOrbit);
    RunPostedMessages();
    EXPECT_EQ(f.monitor.DeviceCount(), 0u);
    EXPECT_EQ(f.log.entries.size(), 4u);
}

TEST(WebcamMonitorRemoval, ObserverThatRunsTheEventLoopSeesEachChangeOnce) {
    MonitorFixture f;
    // A message box shown by an observer runs the event loop inside the post.
    f.log.during = [](const QString&, const QString&) { RunPostedMessages(); };
    f.source->Arrive(kOrbit);
    f.source->Arrive(CameraPath("vid_0000&pid_0000"));
    f.source->Remove(kOrbit);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), CameraPath("vid_0000&pid_0000"));
    EXPECT_EQ(f.log.entries.size(), 3u);
}

TEST(WebcamMonitorAcquire, EachDeviceOnceUntilDetached) {
    MonitorFixture f;
    // A camera plugged in while the program runs is "Orbit", whatever its card is called.
    f.source->ArriveCamera(kOrbit, {}, u"UVC Camera (6b2d:0e41)"_qs);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    QStringList names;
    f.monitor.ListNames(names);
    EXPECT_EQ(names, QStringList{u"Orbit"_qs});
    CountingOwner owner;
    NullVideoWindow window;
    EXPECT_EQ(f.monitor.Acquire(nullptr, &window), nullptr);
    EXPECT_EQ(f.monitor.Acquire(&owner, nullptr), nullptr);
    EXPECT_EQ(f.monitor.DeviceAt(0)->OwnerWindow(), nullptr);

    OstWebcam* device = f.monitor.Acquire(&owner, &window);
    ASSERT_EQ(device, f.monitor.DeviceAt(0));
    EXPECT_EQ(device->OwnerWindow(), &owner);
    EXPECT_EQ(device->VideoWindow(), &window);
    EXPECT_EQ(f.monitor.Acquire(&owner, &window), nullptr);

    device->Detach();
    EXPECT_EQ(f.monitor.Acquire(&owner, &window), device);
}

TEST(WebcamMonitorAcquire, FailedAttachGivesTheDeviceUpAndTriesTheNext) {
    MonitorFixture f;
    // Nothing a graph could open stands behind the first path, so its Attach fails.
    f.source->Arrive(CameraPath("vid_0000&pid_0000"));
    f.source->ArriveCamera(kOrbit);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 2u);
    CountingOwner owner;
    NullVideoWindow window;
    EXPECT_EQ(f.monitor.Acquire(&owner, &window), f.monitor.DeviceAt(1));
    EXPECT_EQ(f.monitor.DeviceAt(0)->OwnerWindow(), nullptr);
    EXPECT_EQ(f.monitor.DeviceAt(0)->VideoWindow(), nullptr);
    EXPECT_EQ(f.monitor.Acquire(&owner, &window), nullptr);
}

TEST(WebcamMonitorEnumeration, PresentDevicesAreListedAtOnceWithTheirNames) {
    MonitorFixture f;
    const QString desk = CameraPath("vid_0000&pid_00ff");
    f.source->present.emplace_back(kOrbit, u"Desk camera"_qs,
                                   std::make_shared<OstSimulatedCamera>(kOrbit, u"Desk camera"_qs));
    f.source->present.emplace_back(CameraPath("vid_046d&pid_0825"), u"Other"_qs, nullptr);
    f.source->present.emplace_back(desk, QString(), nullptr);
    f.monitor.EnumerateExisting();
    ASSERT_EQ(f.monitor.DeviceCount(), 2u);
    EXPECT_EQ(f.log.entries.size(), 2u);
    EXPECT_EQ(CategoryCount(kOrbit), 1u);

    QStringList names{u"kept"_qs};
    f.monitor.ListNames(names);
    // A device without a name of its own is called after the camera.
    EXPECT_EQ(names, (QStringList{u"kept"_qs, u"Desk camera"_qs, u"Orbit"_qs}));
}

TEST(WebcamMonitorEnumeration, CategoryFollowsTheDevicesAndIsLeftClean) {
    const QString other = CameraPath("vid_046d&pid_0825");
    {
        MonitorFixture f;
        // The category lists every capture device, supported or not, under its lower-case path.
        f.source->ArriveCamera(kOrbit.toUpper(), kOrbit);
        f.source->ArriveCamera(other);
        EXPECT_EQ(CategoryCount(kOrbit), 1u);
        EXPECT_EQ(CategoryCount(other), 1u);
        RunPostedMessages();
        f.source->Remove(kOrbit.toUpper());
        RunPostedMessages();
        EXPECT_EQ(CategoryCount(kOrbit), 0u);
        EXPECT_EQ(CategoryCount(other), 1u);
        // Still queued when the monitor goes.
        f.source->ArriveCamera(kOrbit);
    }
    EXPECT_EQ(CategoryCount(kOrbit), 0u);
    EXPECT_EQ(CategoryCount(other), 0u);
    // Its posted messages went with it.
    RunPostedMessages();
}

TEST(WebcamMonitorRouting, MessagesReachTheDeviceOwningTheWindow) {
    MonitorFixture f;
    f.source->ArriveCamera(kOrbit);
    f.source->ArriveCamera(CameraPath("vid_0000&pid_0000"));
    RunPostedMessages();
    CountingOwner owner;
    NullVideoWindow window;
    OstWebcam* device = f.monitor.Acquire(&owner, &window);
    ASSERT_NE(device, nullptr);
    OstWebcam* free = f.monitor.DeviceAt(1);

    QObject stranger;
    EXPECT_EQ(f.monitor.RouteMessage(&stranger, OstWebcam::MessageSendKey(), 0, 0), 0);
    EXPECT_EQ(owner.sendKeys, 0);
    f.monitor.RouteMessage(device->MessageWindow(), OstWebcam::MessageSendKey(), 0, 0);
    EXPECT_EQ(owner.sendKeys, 1);
    // A free device has nobody to tell.
    f.monitor.RouteMessage(free->MessageWindow(), OstWebcam::MessageSendKey(), 0, 0);
    EXPECT_EQ(owner.sendKeys, 1);

    // A message queued at a device's window comes back through the monitor.
    device->PostWindowMessage(OstWebcam::MessageSnapShotKey(), 0, 0);
    RunPostedMessages();
    EXPECT_EQ(owner.snapShotKeys, 1);
    device->Detach();
}

TEST(WebcamMonitorSimulated, ModeFromSwitchesAndEnvironment) {
    using M = OstWebcamMonitor;
    EXPECT_EQ(M::SimulatedCameraModeFor({}, QString()), Mode::Auto);
    EXPECT_EQ(M::SimulatedCameraModeFor({u"orbit"_qs, u"-startup"_qs}, u"auto"_qs), Mode::Auto);
    EXPECT_EQ(M::SimulatedCameraModeFor({}, u"2"_qs), Mode::Auto);
    for (const QString& on : {u"1"_qs, u"YES"_qs, u" on "_qs})
        EXPECT_EQ(M::SimulatedCameraModeFor({}, on), Mode::Always) << on.toStdString();
    for (const QString& off : {u"0"_qs, u"Off"_qs, u"never"_qs})
        EXPECT_EQ(M::SimulatedCameraModeFor({}, off), Mode::Never) << off.toStdString();
    // The command line wins over the environment, its last switch over earlier ones.
    EXPECT_EQ(M::SimulatedCameraModeFor({u"orbit"_qs, u"--simulated-camera"_qs}, u"0"_qs),
              Mode::Always);
    EXPECT_EQ(M::SimulatedCameraModeFor(
                  {u"orbit"_qs, u"--simulated-camera"_qs, u"--no-simulated-camera"_qs}, u"1"_qs),
              Mode::Never);
}

TEST(WebcamMonitorSimulated, AutoOffersItExactlyWhileNoSupportedCameraIsPresent) {
    MonitorFixture f(Mode::Auto);
    const QString sim = OstWebcamMonitor::kSimulatedCameraPath;
    f.monitor.EnumerateExisting();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), sim);
    EXPECT_EQ(f.monitor.DeviceAt(0)->FriendlyName(), OstWebcamMonitor::kSimulatedCameraName);
    EXPECT_EQ(CategoryCount(sim), 1u);

    // A camera of another maker is no reason to take it away.
    f.source->ArriveCamera(CameraPath("vid_046d&pid_0825"));
    RunPostedMessages();
    EXPECT_TRUE(f.monitor.SimulatedCameraPlugged());

    // The real camera is announced before the simulated one goes, so a camera is always there.
    f.log.entries.clear();
    f.source->ArriveCamera(kOrbit);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), kOrbit);
    EXPECT_FALSE(f.monitor.SimulatedCameraPlugged());
    EXPECT_EQ(CategoryCount(sim), 0u);
    ASSERT_EQ(f.log.entries.size(), 2u);
    EXPECT_EQ(f.log.entries[0].first, u"WEBCAM_PLUG_IN"_qs);
    EXPECT_EQ(f.log.entries[1], std::make_pair(u"WEBCAM_PULL_OUT"_qs, sim));

    f.source->Remove(kOrbit);
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), sim);
    EXPECT_EQ(CategoryCount(sim), 1u);
}

TEST(WebcamMonitorSimulated, AlwaysPutsItFirstNeverLeavesItOutAutoYieldsToACamera) {
    {
        MonitorFixture f(Mode::Auto);
        f.source->present.emplace_back(kOrbit, QString(), nullptr);
        f.monitor.EnumerateExisting();
        EXPECT_EQ(f.monitor.DeviceCount(), 1u);
        EXPECT_EQ(f.monitor.SimulatedCamera(), nullptr);
    }
    {
        MonitorFixture f(Mode::Always);
        f.source->present.emplace_back(kOrbit, QString(), nullptr);
        f.monitor.EnumerateExisting();
        ASSERT_EQ(f.monitor.DeviceCount(), 2u);
        EXPECT_EQ(f.monitor.DeviceAt(0)->DevicePath(), OstWebcamMonitor::kSimulatedCameraPath);
        f.source->Remove(kOrbit);
        f.source->ArriveCamera(CameraPath("vid_0000&pid_0000"));
        RunPostedMessages();
        EXPECT_EQ(f.monitor.DeviceCount(), 2u);
        EXPECT_TRUE(f.monitor.SimulatedCameraPlugged());
    }
    MonitorFixture f(Mode::Never);
    f.monitor.EnumerateExisting();
    f.source->ArriveCamera(kOrbit);
    f.source->Remove(kOrbit);
    RunPostedMessages();
    EXPECT_EQ(f.monitor.DeviceCount(), 0u);
    EXPECT_FALSE(f.monitor.SimulatedCameraPlugged());
}

TEST(WebcamMonitorSimulated, PluggedAndUnpluggedByHandLikeAnyCamera) {
    MonitorFixture f(Mode::Auto);
    f.monitor.EnumerateExisting();
    ASSERT_TRUE(f.monitor.SimulatedCameraPlugged());
    const std::shared_ptr<OstSimulatedCamera> camera = f.monitor.SimulatedCamera();
    ASSERT_NE(camera, nullptr);

    CountingOwner owner;
    NullVideoWindow window;
    OstWebcam* device = f.monitor.Acquire(&owner, &window);
    ASSERT_NE(device, nullptr);
    // The device finds its camera in the category under its own path.
    ASSERT_TRUE(device->CreateGraph());
    EXPECT_EQ(device->Run(), GraphState::Running);

    f.log.during = [&](const QString& name, const QString& text) {
        if (name == u"WEBCAM_PULL_OUT" && text == device->DevicePath())
            device->Detach();
    };
    EXPECT_TRUE(f.monitor.UnplugSimulatedCamera());
    EXPECT_FALSE(f.monitor.UnplugSimulatedCamera());
    RunPostedMessages();
    EXPECT_EQ(f.monitor.DeviceCount(), 0u);
    // An unplug by hand stands until the next change of real cameras.
    RunPostedMessages();
    EXPECT_EQ(f.monitor.DeviceCount(), 0u);

    EXPECT_TRUE(f.monitor.PlugSimulatedCamera());
    EXPECT_FALSE(f.monitor.PlugSimulatedCamera());
    RunPostedMessages();
    ASSERT_EQ(f.monitor.DeviceCount(), 1u);
    EXPECT_EQ(f.monitor.SimulatedCamera(), camera);
    device = f.monitor.Acquire(&owner, &window);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->CreateGraph());
    EXPECT_EQ(device->Run(), GraphState::Running);
    device->Detach();
}

TEST(WebcamMonitorSimulated, TheProcessWideMonitorTakesItsModeFromTheEnvironment) {
    qputenv(OstWebcamMonitor::kSimulatedCameraVariable, "0");
    OstWebcamMonitor& monitor = OstWebcamMonitor::GetInstance();
    qunsetenv(OstWebcamMonitor::kSimulatedCameraVariable);
    EXPECT_EQ(&monitor, &OstWebcamMonitor::GetInstance());
    EXPECT_EQ(monitor.Mode(), Mode::Never);
    monitor.EnumerateExisting();
    EXPECT_FALSE(monitor.SimulatedCameraPlugged());
}
