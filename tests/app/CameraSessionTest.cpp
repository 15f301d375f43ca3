// The camera session without the dialog: a recording view, the simulated camera.

#include "IOstCameraView.h"
#include "IOstVideoWindow.h"
#include "IOstWebcamOwner.h"
#include "OstCameraProperty.h"
#include "OstCameraSession.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"
#include "SettingsRecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kZoomProperty = 28;

class RecordingView : public IOstCameraView, public IOstVideoWindow {
public:
    IOstVideoWindow* PreviewWindow() const override { return const_cast<RecordingView*>(this); }
    void SetCameraState(bool ok, int messageId) override {
        running = ok;
        message = messageId;
    }
    void SetZoom(int percent, bool disable) override {
        zoom = percent;
        zoomDisabled = disable;
    }
    void SetMirrorButton(bool on) override { mirrored = on; }
    void EnableTakePhoto() override { ++enabled; }
    bool PreviewSeen() const override { return seen; }
    void PresentFrame(const QImage&, const QRect&) override {}
    bool GetClientRect(QRect& rect) const override {
        rect = QRect(0, 0, 320, 240);
        return true;
    }

    bool running = false;
    int message = -1;
    int zoom = -1;
    bool zoomDisabled = false;
    bool mirrored = false;
    int enabled = 0;
    bool seen = true;
};

class SilentOwner : public IOstWebcamOwner {
public:
    void OnWebcamSnapShotKey(OstWebcam*, IOstVideoWindow*) override {}
    void OnWebcamSnapShotImage(OstWebcam*, IOstVideoWindow*, const QString&) override {}
    void OnWebcamOrbitSendKey(OstWebcam*, IOstVideoWindow*) override {}
};

class CameraSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        OstWebcamMonitor::GetInstance().EnumerateExisting();
        ASSERT_GT(OstWebcamMonitor::GetInstance().DeviceCount(), 0u) << "no simulated camera";
        settings.Resolution = u"640x480"_qs;
        settings.Frame = u"30"_qs;
    }

    std::int32_t Zoom() {
        std::int32_t value = -1;
        EXPECT_TRUE(GetCameraProperty(session.Camera(), kZoomProperty, value));
        return value;
    }

    QTemporaryDir folder;
    int photos = 0;
    RecordingView view;
    SilentOwner owner;
    SettingsRecord settings;
    OstCameraSession session{OstWebcamMonitor::GetInstance(), owner, view, settings,
                             [this] { return folder.filePath(u"photo-%1.jpg"_qs.arg(++photos)); }};
};

} // namespace

TEST_F(CameraSessionTest, ZoomFollowsThePreviewAndNothingHappensWithoutACamera) {
    session.SetZoom(150);
    session.ToggleMirror();
    EXPECT_EQ(view.zoom, -1);
    EXPECT_TRUE(session.TakePhoto().isEmpty());
    EXPECT_EQ(view.enabled, 1) << "Take Photo must work again";

    ASSERT_TRUE(session.Open());
    EXPECT_TRUE(view.running);
    EXPECT_EQ(view.zoom, 100);
    EXPECT_FALSE(view.zoomDisabled);
    session.SetZoom(150);
    EXPECT_EQ(Zoom(), 32);
    session.SetZoom(200);
    EXPECT_EQ(Zoom(), 64);
    session.SetZoom(100);
    EXPECT_EQ(Zoom(), 0);

    // The largest size has no room to zoom: the view's zoom is disabled.
    settings.Resolution = u"800x600"_qs;
    ASSERT_TRUE(session.Open());
    EXPECT_TRUE(view.zoomDisabled);
}

TEST_F(CameraSessionTest, APhotoAtOnceIsAWholeJpegUnderANewName) {
    ASSERT_TRUE(session.Open());
    const QString first = session.TakePhoto();
    const QString second = session.TakePhoto();
    ASSERT_FALSE(first.isEmpty());
    ASSERT_NE(first, second);
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == QByteArray("\xff\xd8"));

    // A name that cannot be written: no path, Take Photo works again.
    const int enabled = view.enabled;
    ASSERT_TRUE(folder.remove());
    EXPECT_TRUE(session.TakePhoto().isEmpty());
    EXPECT_EQ(view.enabled, enabled + 1);
}

TEST_F(CameraSessionTest, ACallHoldsTheCameraUntilItLetsGoAndThePreviewComesBackWhereSeen) {
    ASSERT_TRUE(session.Open());
    session.CallTakesCamera();
    EXPECT_EQ(session.Camera(), nullptr);
    EXPECT_FALSE(view.running);
    EXPECT_EQ(view.message, OstCameraSession::kCameraBusyText);
    // Bringing the dialog up during the call does not fight the call for the device.
    EXPECT_FALSE(session.StartPreview());
    EXPECT_EQ(session.Camera(), nullptr);

    // Released while nobody looks: the camera stays off until the user brings the dialog up.
    view.seen = false;
    session.CallReleasesCamera();
    EXPECT_EQ(session.Camera(), nullptr);
    EXPECT_TRUE(session.StartPreview());
    EXPECT_NE(session.Camera(), nullptr);

    session.CallTakesCamera();
    view.seen = true;
    session.CallReleasesCamera();
    EXPECT_NE(session.Camera(), nullptr);
    EXPECT_TRUE(view.running);
}

TEST_F(CameraSessionTest, OnlyUnpluggingTheCameraInUseGivesItBack) {
    ASSERT_TRUE(session.Open());
    const QString path = session.Camera()->DevicePath();
    EXPECT_FALSE(session.Unplugged(u"/dev/another"_qs));
    EXPECT_NE(session.Camera(), nullptr);
    EXPECT_TRUE(session.Unplugged(path.toUpper()));
    EXPECT_EQ(session.Camera(), nullptr);
}
