#include "WebcamTestSupport.h"

#include "OstCameraProperty.h"
#include "OstEvdevSnapshotButton.h"
#include "OstSimulatedButtonControl.h"
#include "OstSimulatedCameraDriver.h"
#include "OstV4l2ControlDriver.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/videodev2.h>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace P = OstCameraProperty;

// ---- the simulated camera's driver

class SimulatedDriverTest : public ::testing::Test {
protected:
    SimulatedDriverTest() { QSettings(u"Ostrel"_qs, u"Orbit"_qs).remove(kGroup); }
    ~SimulatedDriverTest() override { QSettings(u"Ostrel"_qs, u"Orbit"_qs).remove(kGroup); }
    static inline const QString kGroup = u"DriverTest"_qs;
};

TEST_F(SimulatedDriverTest, TableRangesAndRefusals) {
    OstSimulatedCameraDriver driver(kGroup);
    std::int32_t value = -1;
    // Every id the camera has reads its factory value at first.
    const std::set<std::uint32_t> writeOnly{P::RestoreFactory, P::SaveCurrent, P::RestoreSaved};
    for (std::uint32_t id = 0; id < 40; ++id) {
        OstSimulatedCameraDriver::Range range;
        if (!OstSimulatedCameraDriver::RangeOf(id, range)) {
            EXPECT_FALSE(driver.GetProperty(id, value)) << id;
            EXPECT_FALSE(driver.SetProperty(id, 0)) << id;
            continue;
        }
        EXPECT_EQ(driver.GetProperty(id, value), !writeOnly.count(id)) << id;
        if (range.readable) {
            EXPECT_EQ(value, range.factory) << id;
        }
        if (range.writable && !writeOnly.count(id)) {
            EXPECT_FALSE(driver.SetProperty(id, range.min - 1)) << id;
            EXPECT_FALSE(driver.SetProperty(id, range.max + 1)) << id;
            EXPECT_TRUE(driver.SetProperty(id, range.max)) << id;
        }
    }
    OstSimulatedCameraDriver::Range range;
    ASSERT_TRUE(OstSimulatedCameraDriver::RangeOf(P::Hue, range));
    EXPECT_EQ(range.max, 3600000);
    ASSERT_TRUE(OstSimulatedCameraDriver::RangeOf(P::Exposure, range));
    EXPECT_EQ(range.max, 2550000);

    // The second button is read only; only the known effects and frames exist.
    EXPECT_FALSE(driver.SetProperty(P::SecondButton, 1));
    for (int effect : {0, 1, 16, 17, 26, 48, 255})
        EXPECT_TRUE(driver.SetProperty(P::Effect, effect)) << effect;
    for (int effect : {27, 47, 49, 254, -1, 256})
        EXPECT_FALSE(driver.SetProperty(P::Effect, effect)) << effect;
    EXPECT_TRUE(driver.GetProperty(P::Effect, value));
    EXPECT_EQ(value, 255);
}

TEST_F(SimulatedDriverTest, FactorySavedAndRestoredSetsSurviveARestart) {
    {
        OstSimulatedCameraDriver driver(kGroup);
        ASSERT_TRUE(driver.SetProperty(P::Brightness, 50));
        ASSERT_TRUE(driver.SetProperty(P::Effect, 3));
        ASSERT_TRUE(driver.SetProperty(P::SaveCurrent, 0));
        ASSERT_TRUE(driver.SetProperty(P::Brightness, 10));
        const std::uint64_t before = driver.Version();
        ASSERT_TRUE(driver.SetProperty(P::RestoreSaved, 0));
        EXPECT_GT(driver.Version(), before);
        std::int32_t value = 0;
        driver.GetProperty(P::Brightness, value);
        EXPECT_EQ(value, 50);
        ASSERT_TRUE(driver.SetProperty(P::RestoreFactory, 0));
        driver.GetProperty(P::Brightness, value);
        EXPECT_EQ(value, 32);
        driver.GetProperty(P::Effect, value);
        EXPECT_EQ(value, 0);
    }
    // The next start begins with the saved set, and restoring it still gives it.
    OstSimulatedCameraDriver restarted(kGroup);
    std::int32_t value = 0;
    restarted.GetProperty(P::Brightness, value);
    EXPECT_EQ(value, 50);
    restarted.GetProperty(P::Effect, value);
    EXPECT_EQ(value, 3);
    restarted.SetProperty(P::RestoreFactory, 0);
    restarted.SetProperty(P::RestoreSaved, 0);
    restarted.GetProperty(P::Brightness, value);
    EXPECT_EQ(value, 50);
}

TEST_F(SimulatedDriverTest, DamagedSavedValuesFallBackToFactory) {
    {
        QSettings settings(u"Ostrel"_qs, u"Orbit"_qs);
        settings.setValue(kGroup + u"/Saved/P2"_qs, 99);      // out of range
        settings.setValue(kGroup + u"/Saved/P35"_qs, 40);     // no such effect
        settings.setValue(kGroup + u"/Saved/P3"_qs, u"x"_qs); // not a number
        settings.setValue(kGroup + u"/Saved/P5"_qs, 0);
        settings.setValue(kGroup + u"/Saved/P33"_qs, 1); // the button is not kept
    }
    OstSimulatedCameraDriver driver(kGroup);
    const OstSimulatedCameraDriver::Values v = driver.Current();
    const OstSimulatedCameraDriver::Values factory = OstSimulatedCameraDriver::FactoryValues();
    EXPECT_EQ(v[P::Brightness], factory[P::Brightness]);
    EXPECT_EQ(v[P::Effect], factory[P::Effect]);
    EXPECT_EQ(v[P::Contrast], factory[P::Contrast]);
    EXPECT_EQ(v[P::Hue], 0);
    EXPECT_EQ(v[P::SecondButton], 0);
}

TEST_F(SimulatedDriverTest, AutomaticChangeWalksEveryEffectAndFrame) {
    OstSimulatedCameraDriver driver(kGroup);
    driver.SetAutoChangePeriod(std::chrono::milliseconds(1000));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(driver.SetProperty(P::Effect, 255));
    std::vector<int> shown;
    for (int turn = 0; turn < 27; ++turn)
        shown.push_back(driver.EffectShown(start + std::chrono::milliseconds(1000 * turn + 500)));
    std::vector<int> expected;
    for (int n = 1; n <= 26; ++n)
        expected.push_back(n);
    expected.push_back(1);
    EXPECT_EQ(shown, expected);
    ASSERT_TRUE(driver.SetProperty(P::Effect, 9));
    EXPECT_EQ(driver.EffectShown(start + std::chrono::hours(1)), 9);
}

TEST_F(SimulatedDriverTest, ButtonsFromAnyThread) {
    OstSimulatedCameraDriver driver(kGroup);
    int presses = 0;
    int other = 0;
    driver.SetTarget(&presses, [&] { ++presses; });
    std::thread([&] { driver.PressSnapshotButton(); }).join();
    ASSERT_TRUE(WaitUntil([&] { return presses == 1; }));
    // Another registrant's clear leaves the target alone; the latest registration wins.
    driver.ClearTarget(&other);
    driver.PressSnapshotButton();
    ASSERT_TRUE(WaitUntil([&] { return presses == 2; }));
    driver.SetTarget(&other, [&] { ++other; });
    driver.PressSnapshotButton();
    ASSERT_TRUE(WaitUntil([&] { return other == 1; }));
    driver.ClearTarget(&other);
    driver.PressSnapshotButton();
    Drain();
    EXPECT_EQ(presses + other, 3);

    std::int32_t value = -1;
    driver.PressSecondButton();
    EXPECT_TRUE(driver.GetProperty(P::SecondButton, value));
    EXPECT_EQ(value, 1);
    driver.ReleaseSecondButton();
    EXPECT_TRUE(driver.GetProperty(P::SecondButton, value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(driver.SecondButtonReads(), 2u);
}

// ---- V4L2 controls

namespace {

// A camera's controls as its node answers the control ioctls.
class FakeV4l2 : public IOstV4l2Io {
public:
    struct Control {
        v4l2_queryctrl query{};
        std::int32_t value = 0;
        std::set<std::uint32_t> menu;
    };
    FakeV4l2() = default;

    void Add(std::uint32_t id, std::int32_t min, std::int32_t max, std::int32_t step,
             std::int32_t value, std::uint32_t type = V4L2_CTRL_TYPE_INTEGER,
             std::uint32_t flags = 0) {
        Control c;
        c.query.id = id;
        c.query.type = type;
        c.query.minimum = min;
        c.query.maximum = max;
        c.query.step = step;
        c.query.flags = flags;
        c.value = value;
        controls[id] = c;
    }

    int Open(const QByteArray& path) override {
        opened.push_back(path);
        return openFails ? -1 : 7;
    }
    void Close(int) override { ++closes; }
    int Ioctl(int fd, unsigned long request, void* argument) override {
        EXPECT_EQ(fd, 7);
        if (gone) {
            errno = ENODEV;
            return -1;
        }
        if (request == VIDIOC_QUERYCTRL) {
            auto* q = static_cast<v4l2_queryctrl*>(argument);
            auto it = controls.find(q->id);
            if (it == controls.end())
                return Fail(EINVAL);
            *q = it->second.query;
            return 0;
        }
        if (request == VIDIOC_QUERYMENU) {
            auto* m = static_cast<v4l2_querymenu*>(argument);
            auto it = controls.find(m->id);
            return it != controls.end() && it->second.menu.count(m->index) ? 0 : Fail(EINVAL);
        }
        auto* c = static_cast<v4l2_control*>(argument);
        auto it = controls.find(c->id);
        if (it == controls.end())
            return Fail(EINVAL);
        if (request == VIDIOC_G_CTRL) {
            c->value = it->second.value;
            return 0;
        }
        if (request == VIDIOC_S_CTRL) {
            const v4l2_queryctrl& q = it->second.query;
            if (c->value < q.minimum || c->value > q.maximum ||
                (c->value - q.minimum) % std::max(1, q.step) != 0)
                return Fail(ERANGE);
            it->second.value = c->value;
            writes.push_back({c->id, c->value});
            return 0;
        }
        return Fail(ENOTTY);
    }

    std::map<std::uint32_t, Control> controls;
    std::vector<std::pair<std::uint32_t, std::int32_t>> writes;
    std::vector<QByteArray> opened;
    int closes = 0;
    bool openFails = false;
    bool gone = false;

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }
};

} // namespace

TEST(V4l2ControlDriver, ScalingRoundsToTheNearestStepInsideTheRange) {
    EXPECT_EQ(OstV4l2ControlDriver::Scale(0, 0, 63, -64, 64), -64);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(63, 0, 63, -64, 64), 64);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(32, 0, 63, 0, 255), 130); // 32 * 255 / 63 = 129.5
    EXPECT_EQ(OstV4l2ControlDriver::Scale(31, 0, 63, 0, 255), 125);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(1800000, 0, 3600000, -180, 180), 0);
    // Onto the step grid counted from the minimum, never beyond the maximum.
    EXPECT_EQ(OstV4l2ControlDriver::Scale(5, 0, 10, 1, 100, 10), 51);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(10, 0, 10, 0, 95, 10), 90);
    // Degenerate ranges and values outside the source range.
    EXPECT_EQ(OstV4l2ControlDriver::Scale(7, 0, 10, 5, 5), 5);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(7, 3, 3, 0, 9), 0);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(-50, 0, 10, 0, 100), 0);
    EXPECT_EQ(OstV4l2ControlDriver::Scale(2550000, 0, 2550000, 3, 2047), 2047);
}

TEST(V4l2ControlDriver, PropertiesGoToTheirControlsScaled) {
    auto io = std::make_shared<FakeV4l2>();
    io->Add(V4L2_CID_HFLIP, 0, 1, 1, 0, V4L2_CTRL_TYPE_BOOLEAN);
    io->Add(V4L2_CID_BRIGHTNESS, -64, 64, 1, 0);
    io->Add(V4L2_CID_CONTRAST, 0, 95, 1, 32);
    io->Add(V4L2_CID_HUE, -180, 180, 1, 90);
    io->Add(V4L2_CID_ZOOM_ABSOLUTE, 100, 500, 10, 100);
    io->Add(V4L2_CID_POWER_LINE_FREQUENCY, 0, 2, 1, 1, V4L2_CTRL_TYPE_MENU);
    io->Add(V4L2_CID_BACKLIGHT_COMPENSATION, 0, 2, 1, 0);
    io->Add(V4L2_CID_EXPOSURE_AUTO, 0, 3, 1, 3, V4L2_CTRL_TYPE_MENU);
    io->controls[V4L2_CID_EXPOSURE_AUTO].menu = {1, 3};
    io->Add(V4L2_CID_EXPOSURE_ABSOLUTE, 3, 2047, 1, 250, V4L2_CTRL_TYPE_INTEGER,
            V4L2_CTRL_FLAG_INACTIVE);
    io->Add(V4L2_CID_SHARPNESS, 0, 7, 1, 3, V4L2_CTRL_TYPE_INTEGER, V4L2_CTRL_FLAG_READ_ONLY);
    io->Add(V4L2_CID_GAMMA, 72, 500, 1, 100, V4L2_CTRL_TYPE_INTEGER, V4L2_CTRL_FLAG_DISABLED);
    OstV4l2ControlDriver driver(u"/dev/video4"_qs, io);

    std::int32_t value = -1;
    EXPECT_TRUE(driver.SetProperty(P::Mirror, 1));
    EXPECT_TRUE(driver.GetProperty(P::Mirror, value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(driver.SetProperty(P::Brightness, 63));
    EXPECT_EQ(io->controls[V4L2_CID_BRIGHTNESS].value, 64);
    EXPECT_TRUE(driver.SetProperty(P::Brightness, 0));
    EXPECT_EQ(io->controls[V4L2_CID_BRIGHTNESS].value, -64);
    EXPECT_TRUE(driver.GetProperty(P::Contrast, value));
    EXPECT_EQ(value, 10000 + (32 * 10000 + 47) / 95);
    EXPECT_TRUE(driver.GetProperty(P::Hue, value));
    EXPECT_EQ(value, 2700000);
    // Zoom 150 % (32) lands on the control's step.
    EXPECT_TRUE(driver.SetProperty(P::Zoom, 32));
    EXPECT_EQ(io->controls[V4L2_CID_ZOOM_ABSOLUTE].value, 300);
    EXPECT_TRUE(driver.GetProperty(P::Zoom, value));
    EXPECT_EQ(value, 32);

    EXPECT_TRUE(driver.GetProperty(P::Flicker60Hz, value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(driver.SetProperty(P::Flicker60Hz, 1));
    EXPECT_EQ(io->controls[V4L2_CID_POWER_LINE_FREQUENCY].value,
              V4L2_CID_POWER_LINE_FREQUENCY_60HZ);
    EXPECT_TRUE(driver.SetProperty(P::BacklightCompensation, 1));
    EXPECT_EQ(io->controls[V4L2_CID_BACKLIGHT_COMPENSATION].value, 2);
    EXPECT_TRUE(driver.GetProperty(P::BacklightCompensation, value));
    EXPECT_EQ(value, 1);

    // Aperture priority stands for automatic exposure when the menu has no plain auto.
    EXPECT_TRUE(driver.GetProperty(P::AutoExposure, value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(driver.SetProperty(P::AutoExposure, 0));
    EXPECT_EQ(io->controls[V4L2_CID_EXPOSURE_AUTO].value, V4L2_EXPOSURE_MANUAL);
    EXPECT_TRUE(driver.SetProperty(P::AutoExposure, 1));
    EXPECT_EQ(io->controls[V4L2_CID_EXPOSURE_AUTO].value, V4L2_EXPOSURE_APERTURE_PRIORITY);
    io->controls[V4L2_CID_EXPOSURE_AUTO].menu = {1};
    EXPECT_FALSE(driver.SetProperty(P::AutoExposure, 1));
    EXPECT_TRUE(driver.SetProperty(P::Exposure, 2550000));
    EXPECT_EQ(io->controls[V4L2_CID_EXPOSURE_ABSOLUTE].value, 2047);

    // Read-only and disabled controls, values outside the program's range.
    EXPECT_TRUE(driver.GetProperty(P::Sharpness, value));
    EXPECT_FALSE(driver.SetProperty(P::Sharpness, 10000));
    EXPECT_FALSE(driver.GetProperty(P::Gamma, value));
    EXPECT_FALSE(driver.SetProperty(P::Gamma, 5000));
    EXPECT_FALSE(driver.SetProperty(P::Brightness, 64));
    EXPECT_FALSE(driver.SetProperty(P::Zoom, -1));
    EXPECT_EQ(io->opened, std::vector<QByteArray>{"/dev/video4"});
}

TEST(V4l2ControlDriver, PropertiesWithoutAControlFailLikeNoDriver) {
    auto io = std::make_shared<FakeV4l2>();
    io->Add(V4L2_CID_BRIGHTNESS, 0, 255, 1, 128);
    OstV4l2ControlDriver driver(u"/dev/video0"_qs, io);
    std::int32_t value = -1;
    // Controls the camera lacks, and properties no control stands for.
    for (std::uint32_t id : {P::Contrast, P::Saturation, P::RedGain, P::Zoom, P::Mirror})
        EXPECT_FALSE(driver.GetProperty(id, value)) << id;
    for (std::uint32_t id : {P::AutoBandwidth, P::Bandwidth, P::GreenGain, P::Indoor,
                             P::SnapshotSize, P::LowLight, P::RestoreFactory, P::SaveCurrent,
                             P::RestoreSaved, P::BlackAndWhite, P::SecondButton, P::Effect}) {
        EXPECT_EQ(OstV4l2ControlDriver::ControlOf(id), 0u) << id;
        EXPECT_FALSE(driver.GetProperty(id, value)) << id;
        EXPECT_FALSE(driver.SetProperty(id, 0)) << id;
    }
    EXPECT_TRUE(io->writes.empty());

    // A node that cannot be opened, or vanished, fails; the next call opens it again.
    EXPECT_TRUE(driver.GetProperty(P::Brightness, value));
    io->gone = true;
    EXPECT_FALSE(driver.GetProperty(P::Brightness, value));
    EXPECT_EQ(io->closes, 1);
    io->gone = false;
    io->openFails = true;
    EXPECT_FALSE(driver.GetProperty(P::Brightness, value));
    io->openFails = false;
    EXPECT_TRUE(driver.GetProperty(P::Brightness, value));
    EXPECT_EQ(value, 32);
    EXPECT_EQ(io->opened.size(), 3u);
}

// ---- a real camera's snapshot button

TEST(EvdevSnapshotButton, FindsTheInputNodeOfTheSameUsbDevice) {
    QTemporaryDir root;
    const QString sys = root.filePath(u"sys"_qs);
    const QString usb = sys + u"/devices/pci0000:00/usb1/1-3"_qs;
    ASSERT_TRUE(QDir().mkpath(usb + u"/1-3:1.0/video4linux/video2"_qs));
    ASSERT_TRUE(QDir().mkpath(usb + u"/1-3:1.0/input/input17/event9"_qs));
    ASSERT_TRUE(QDir().mkpath(usb + u"/1-3:1.1/sound"_qs));
    ASSERT_TRUE(
        QDir().mkpath(sys + u"/devices/pci0000:00/usb1/1-4/1-4:1.0/input/input3/event1"_qs));
    ASSERT_TRUE(QDir().mkpath(sys + u"/class/video4linux/video2"_qs));
    ASSERT_TRUE(QDir().mkpath(sys + u"/class/video4linux/video5"_qs));
    ASSERT_TRUE(QFile::link(usb + u"/1-3:1.0"_qs, sys + u"/class/video4linux/video2/device"_qs));
    ASSERT_TRUE(QFile::link(sys + u"/devices/pci0000:00/usb1/1-4/1-4:1.0"_qs,
                            sys + u"/class/video4linux/video5/device"_qs));
    EXPECT_EQ(OstEvdevSnapshotButton::FindEventNode(u"/dev/video2"_qs, sys, u"/d"_qs),
              u"/d/input/event9"_qs);
    EXPECT_EQ(OstEvdevSnapshotButton::FindEventNode(u"/dev/video5"_qs, sys, u"/d"_qs),
              u"/d/input/event1"_qs);
    EXPECT_TRUE(OstEvdevSnapshotButton::FindEventNode(u"/dev/video7"_qs, sys, u"/d"_qs).isEmpty());
    EXPECT_TRUE(OstEvdevSnapshotButton::FindEventNode(QString(), sys, u"/d"_qs).isEmpty());
}

TEST(EvdevSnapshotButton, EachCameraKeyPressReachesTheTarget) {
    QTemporaryDir folder;
    const QByteArray node = folder.filePath(u"event9"_qs).toLocal8Bit();
    ASSERT_EQ(::mkfifo(node.constData(), 0600), 0);
    OstEvdevSnapshotButton button(QString::fromLocal8Bit(node));
    int presses = 0;
    int owner = 0;
    // The writer comes first: a pipe without one reads as ended, which closes the button.
    const int writer = ::open(node.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_TRUE(button.SetTarget(&owner, [&] { ++presses; }));
    auto send = [&](std::uint16_t type, std::uint16_t code, std::int32_t value) {
        input_event event{};
        event.type = type;
        event.code = code;
        event.value = value;
        ASSERT_EQ(::write(writer, &event, sizeof event), static_cast<ssize_t>(sizeof event));
    };
    send(EV_KEY, KEY_CAMERA, 1);
    send(EV_SYN, SYN_REPORT, 0);
    send(EV_KEY, KEY_CAMERA, 2); // auto-repeat while held
    send(EV_KEY, KEY_CAMERA, 0);
    send(EV_KEY, KEY_ENTER, 1);
    ASSERT_TRUE(WaitUntil([&] { return presses == 1; }));
    send(EV_KEY, KEY_CAMERA, 1);
    ASSERT_TRUE(WaitUntil([&] { return presses == 2; }));
    Drain();
    EXPECT_EQ(presses, 2);
    button.ClearTarget(&owner);
    send(EV_KEY, KEY_CAMERA, 1);
    Drain();
    EXPECT_EQ(presses, 2);
    ::close(writer);

    OstEvdevSnapshotButton missing(folder.filePath(u"event10"_qs));
    EXPECT_FALSE(missing.SetTarget(&owner, [&] { ++presses; }));
}

TEST(SimulatedButtonControl, LinesOfThePipePressTheButtons) {
    QTemporaryDir folder;
    const QString pipe = folder.filePath(u"buttons"_qs);
    qputenv(OstSimulatedButtonControl::kEnvironment, pipe.toLocal8Bit());
    OstSimulatedCameraDriver driver(u"ButtonControlTest"_qs);
    qunsetenv(OstSimulatedButtonControl::kEnvironment);
    int presses = 0;
    driver.SetTarget(&presses, [&] { ++presses; });
    const int writer = ::open(pipe.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    auto write = [&](const char* text) {
        ASSERT_EQ(::write(writer, text, std::strlen(text)),
                  static_cast<ssize_t>(std::strlen(text)));
    };
    std::int32_t value = -1;
    write("snapshot\nsend-do");
    ASSERT_TRUE(WaitUntil([&] { return presses == 1; }));
    write("wn\n");
    ASSERT_TRUE(
        WaitUntil([&] { return driver.GetProperty(P::SecondButton, value) && value == 1; }));
    write("nonsense\nsend-up\n");
    ASSERT_TRUE(
        WaitUntil([&] { return driver.GetProperty(P::SecondButton, value) && value == 0; }));
    // A writer that goes away leaves the pipe working for the next one.
    ::close(writer);
    const int next = ::open(pipe.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(next, 0);
    ASSERT_EQ(::write(next, "send\n", 5), 5);
    ASSERT_TRUE(
        WaitUntil([&] { return driver.GetProperty(P::SecondButton, value) && value == 1; }));
    ASSERT_TRUE(
        WaitUntil([&] { return driver.GetProperty(P::SecondButton, value) && value == 0; }));
    ::close(next);
    EXPECT_EQ(presses, 1);
}
