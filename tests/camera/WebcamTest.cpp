#include "WebcamTestSupport.h"

#include "OstCameraProperty.h"
#include "OstWebcamOrbit.h"

#include <QFile>

namespace P = OstCameraProperty;

class WebcamTest : public SimulatedCameraTest {
protected:
    // A device of the category's camera, claimed by `owner_` and previewing in `window_`.
    std::unique_ptr<OstWebcamOrbit> Claimed() {
        auto device = std::make_unique<OstWebcamOrbit>();
        EXPECT_TRUE(device->Init(path_, QString()));
        device->SetOwnerWindow(&owner_);
        device->SetVideoWindow(&window_);
        EXPECT_TRUE(device->Attach());
        return device;
    }
    std::unique_ptr<OstWebcamOrbit> Running() {
        auto device = Claimed();
        EXPECT_TRUE(device->CreateGraph());
        EXPECT_EQ(device->Run(), GraphState::Running);
        return device;
    }

    RecordingOwner owner_;
    RecordingWindow window_{QRect(0, 0, 640, 480)};
};

TEST_F(WebcamTest, InitKeepsTheLowerCasedPathAndNamesTheCamera) {
    OstWebcamOrbit device;
    EXPECT_EQ(device.ClassName(), u"OstWebcamOrbit"_qs);
    EXPECT_TRUE(device.MessageWindowClass().startsWith(u"OstWebcam:0x"_qs));
    EXPECT_TRUE(device.Init(path_.toUpper(), u"Desk camera"_qs));
    EXPECT_EQ(device.DevicePath(), path_);
    EXPECT_TRUE(device.IsDevice(path_.toUpper()));
    EXPECT_FALSE(device.IsDevice(path_ + u"x"_qs));
    EXPECT_EQ(device.FriendlyName(), u"Desk camera"_qs);
    EXPECT_TRUE(device.GetInfoText().isEmpty());
    EXPECT_EQ(device.Source(), camera_);

    OstWebcamOrbit unnamed;
    unnamed.Init(path_, QString());
    EXPECT_EQ(unnamed.FriendlyName(), u"Orbit"_qs);

    // The enumeration's name is the name, whatever the source calls itself.
    auto named = std::make_shared<OstSimulatedCamera>(path_, u"Ostrel Orbit"_qs);
    OstWebcamOrbit own(named);
    own.Init(path_, u"from the list"_qs);
    EXPECT_EQ(own.FriendlyName(), u"from the list"_qs);
}

TEST_F(WebcamTest, GraphNeedsOwnerAndWindowAndIsMadeOnce) {
    OstWebcamOrbit device;
    device.Init(path_, QString());
    EXPECT_EQ(device.Close(), 1);
    EXPECT_EQ(device.Connect(), GraphState::NotBuilt);
    EXPECT_EQ(device.Run(), GraphState::NotBuilt);
    EXPECT_EQ(device.Stop(), GraphState::NotBuilt);
    EXPECT_EQ(device.Pause(), GraphState::NotBuilt);
    EXPECT_EQ(device.Disconnect(), GraphState::NotBuilt);
    EXPECT_FALSE(device.CreateGraph());
    device.SetOwnerWindow(&owner_);
    EXPECT_FALSE(device.CreateGraph());
    EXPECT_EQ(device.Graph(), nullptr);
    device.SetVideoWindow(&window_);
    ASSERT_TRUE(device.CreateGraph());
    OstDXShow* graph = device.Graph();
    EXPECT_FALSE(device.CreateGraph());
    EXPECT_EQ(device.Graph(), graph);

    // No property before the stream is connected: the driver is reached through it.
    std::int32_t value = -1;
    EXPECT_FALSE(GetCameraProperty(&device, P::Mirror, value));
    EXPECT_EQ(device.Connect(), GraphState::Ready);
    EXPECT_TRUE(GetCameraProperty(&device, P::Mirror, value));
    EXPECT_EQ(device.Run(), GraphState::Running);
    EXPECT_TRUE(device.ButtonThreadRunning());
    EXPECT_EQ(device.Pause(), GraphState::Running);
    EXPECT_EQ(device.Stop(), GraphState::Ready);
    EXPECT_FALSE(device.ButtonThreadRunning());
    EXPECT_EQ(device.Run(), GraphState::Running);
    EXPECT_EQ(device.Disconnect(), GraphState::NotBuilt);
    EXPECT_FALSE(device.ButtonThreadRunning());
    device.Detach();
    EXPECT_EQ(device.Graph(), nullptr);
    EXPECT_EQ(device.OwnerWindow(), nullptr);
    EXPECT_EQ(device.VideoWindow(), nullptr);
    EXPECT_FALSE(GetCameraProperty(&device, P::Mirror, value));
    EXPECT_FALSE(GetCameraProperty(nullptr, P::Mirror, value));
    EXPECT_FALSE(SetCameraProperty(nullptr, P::Mirror, 1));
}

TEST_F(WebcamTest, PropertiesReachTheDriverOfTheOpenCamera) {
    auto device = Running();
    ASSERT_TRUE(SetCameraProperty(device.get(), P::Zoom, (150 - 100) * 64 / 100));
    std::int32_t zoom = 0;
    ASSERT_TRUE(GetCameraProperty(device.get(), P::Zoom, zoom));
    EXPECT_EQ(zoom, 32);
    EXPECT_FALSE(SetCameraProperty(device.get(), P::Zoom, 65));
    EXPECT_FALSE(SetCameraProperty(device.get(), P::SecondButton, 1));
    EXPECT_FALSE(SetCameraProperty(device.get(), 8, 0));
}

TEST_F(WebcamTest, SecondButtonPostsOnceOnReleaseWithOneThread) {
    auto device = Running();
    // A second Run keeps the one button thread.
    EXPECT_EQ(device->Run(), GraphState::Running);
    const auto reads = [&] { return Driver().SecondButtonReads(); };
    // The thread's first read is the idle value the presses are told from.
    ASSERT_TRUE(WaitUntil([&] { return reads() >= 1; }));
    for (int press = 1; press <= 2; ++press) {
        Driver().PressSecondButton();
        std::uint64_t seen = reads();
        ASSERT_TRUE(WaitUntil([&] { return reads() >= seen + 3; }));
        Drain();
        EXPECT_EQ(owner_.sendKeys, press - 1) << "nothing while held";
        Driver().ReleaseSecondButton();
        seen = reads();
        ASSERT_TRUE(WaitUntil([&] { return reads() >= seen + 3; }));
        ASSERT_TRUE(WaitUntil([&] { return owner_.sendKeys == press; })) << "press " << press;
        Drain();
        EXPECT_EQ(owner_.sendKeys, press);
    }
    EXPECT_EQ(owner_.lastWindow, &window_);
    EXPECT_EQ(owner_.snapShotKeys, 0);

    // A stopped camera reads its button no more.
    device->Stop();
    const std::uint64_t stopped = reads();
    Driver().PressSecondButton();
    Drain(std::chrono::milliseconds(100));
    Driver().ReleaseSecondButton();
    Drain(std::chrono::milliseconds(100));
    EXPECT_EQ(reads(), stopped);
    EXPECT_EQ(owner_.sendKeys, 2);
}

TEST_F(WebcamTest, AReleaseQueuedWhenTheDeviceGoesIsDropped) {
    auto device = Running();
    ASSERT_TRUE(SpinUntil([&] { return Driver().SecondButtonReads() >= 1; }));
    Driver().PressSecondButton();
    std::uint64_t seen = Driver().SecondButtonReads();
    ASSERT_TRUE(SpinUntil([&] { return Driver().SecondButtonReads() >= seen + 3; }));
    Driver().ReleaseSecondButton();
    seen = Driver().SecondButtonReads();
    ASSERT_TRUE(SpinUntil([&] { return Driver().SecondButtonReads() >= seen + 3; }));
    // The post is queued; the device goes before the event loop runs.
    device.reset();
    Drain();
    EXPECT_EQ(owner_.sendKeys, 0);
}

TEST_F(WebcamTest, SnapshotButtonGoesThroughTheMessageWindowUntilAttached) {
    OstWebcamOrbit device;
    device.Init(path_, QString());
    EXPECT_EQ(device.CurrentSnapshotTarget(), OstWebcamOrbit::SnapshotTarget::MessageWindow);
    Driver().PressSnapshotButton();
    Drain();
    EXPECT_EQ(owner_.snapShotKeys, 0) << "no owner yet";

    // Claimed but not yet attached: the message window forwards to the owner, through the
    // route when the monitor set one.
    device.SetOwnerWindow(&owner_);
    device.SetVideoWindow(&window_);
    QObject* routedWindow = nullptr;
    OstWebcam::SetMessageRoute(
        [&](QObject* window, const QString& message, quintptr first, qintptr second) -> qintptr {
            routedWindow = window;
            return device.OnWindowMessage(window, message, first, second);
        });
    Driver().PressSnapshotButton();
    ASSERT_TRUE(WaitUntil([&] { return owner_.snapShotKeys == 1; }));
    EXPECT_EQ(routedWindow, device.MessageWindow());
    EXPECT_EQ(owner_.lastWindow, &window_);
    OstWebcam::SetMessageRoute(nullptr);

    ASSERT_TRUE(device.Attach());
    EXPECT_EQ(device.CurrentSnapshotTarget(), OstWebcamOrbit::SnapshotTarget::Owner);
    Driver().PressSnapshotButton();
    ASSERT_TRUE(WaitUntil([&] { return owner_.snapShotKeys == 2; }));
    // The owner that attached still hears the button once the dialog closed.
    device.Detach();
    Driver().PressSnapshotButton();
    ASSERT_TRUE(WaitUntil([&] { return owner_.snapShotKeys == 3; }));
    EXPECT_EQ(owner_.lastWindow, nullptr);

    device.ReleaseSnapshot();
    Driver().PressSnapshotButton();
    Drain();
    EXPECT_EQ(owner_.snapShotKeys, 3);
}

TEST_F(WebcamTest, MessagesReachOnlyLiveOwnersAndOnlyTheRightWindow) {
    OstWebcam base;
    base.Init(path_, QString());
    auto owner = std::make_unique<RecordingOwner>();
    base.SetOwnerWindow(owner.get());
    QObject stranger;
    base.OnWindowMessage(&stranger, OstWebcam::MessageSnapShotKey(), 0, 0);
    base.OnWindowMessage(base.MessageWindow(), OstWebcam::MessageSendKey(), 0, 0);
    EXPECT_EQ(owner->snapShotKeys + owner->sendKeys, 0);
    base.PostWindowMessage(OstWebcam::MessageSnapShotKey(), 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return owner->snapShotKeys == 1; }));

    OstWebcamOrbit orbit;
    orbit.Init(path_, QString());
    orbit.SetOwnerWindow(owner.get());
    orbit.OnWindowMessage(&stranger, OstWebcam::MessageSendKey(), 0, 0);
    orbit.OnWindowMessage(&stranger, OstWebcam::MessageSnapShotKey(), 0, 0);
    orbit.OnWindowMessage(&stranger, u"WM_SOMETHING_ELSE"_qs, 0, 0);
    EXPECT_EQ(owner->sendKeys, 1);
    EXPECT_EQ(owner->snapShotKeys, 2);

    // An owner that forgot to detach is never called once destroyed.
    orbit.Attach();
    orbit.PostWindowMessage(OstWebcam::MessageSendKey(), 0, 0);
    owner.reset();
    Driver().PressSnapshotButton();
    Drain();
}
