#include "CameraTestSupport.h"

#include "IOstV4l2Io.h"
#include "OstCapsStreamConfig.h"
#include "OstDXShow.h"
#include "OstGst.h"
#include "OstSourceFilter.h"
#include "OstV4l2Device.h"
#include "OstVideoInputCategory.h"
#include "OstVideoInputDevice.h"

#include <gst/gst.h>
#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <cstring>

namespace {

// A camera's node as VIDIOC_G_FMT and VIDIOC_G_PARM see it.
class ScriptedNode : public IOstV4l2Io {
public:
    ScriptedNode(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height,
                 std::uint32_t framesPerSecond)
        : fourcc_(fourcc), width_(width), height_(height), rate_(framesPerSecond) {}
    int Open(const QByteArray& path) override { return path == "/dev/video3" ? 7 : -1; }
    void Close(int) override {}
    int Ioctl(int fd, unsigned long request, void* argument) override {
        if (fd != 7)
            return -1;
        if (request == VIDIOC_G_FMT) {
            auto* format = static_cast<v4l2_format*>(argument);
            if (format->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
                return -1;
            format->fmt.pix.pixelformat = fourcc_;
            format->fmt.pix.width = width_;
            format->fmt.pix.height = height_;
            return 0;
        }
        if (request == VIDIOC_G_PARM && rate_ != 0) {
            auto* parm = static_cast<v4l2_streamparm*>(argument);
            parm->parm.capture.timeperframe = v4l2_fract{1, rate_};
            return 0;
        }
        return -1;
    }

private:
    std::uint32_t fourcc_, width_, height_, rate_;
};

const QString kScriptedPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#scripted#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

// A camera whose formats are the caps v4l2src would read from it and whose current format
// comes from its node; the picture itself is a test pattern in whatever raw format is asked.
class ScriptedCamera : public OstVideoInputDevice {
public:
    ScriptedCamera(const char* caps, ScriptedNode node) : caps_(caps), node_(std::move(node)) {}
    QString DevicePath() const override { return kScriptedPath; }
    QString FriendlyName() const override { return u"Scripted"_qs; }
    std::unique_ptr<OstSourceFilter> BindToObject() override {
        OstGst::EnsureInitialized();
        GstElement* source = gst_element_factory_make("videotestsrc", nullptr);
        if (!source)
            return nullptr;
        auto config = std::make_shared<OstCapsStreamConfig>();
        config->SetOffers(OstGst::CapsRef(gst_caps_from_string(caps_)).get());
        OstMediaType current;
        if (OstV4l2Device::ReadCurrentFormat(node_, u"/dev/video3"_qs, current))
            config->SetInitialFormat(current);
        auto filter = std::make_unique<OstSourceFilter>(source, config);
        gst_element_set_state(source, GST_STATE_READY);
        return filter;
    }

private:
    const char* caps_;
    ScriptedNode node_;
};

} // namespace

class CaptureFormatTest : public ::testing::Test {
protected:
    void Plug(const char* caps, ScriptedNode node) {
        OstVideoInputCategory::GetInstance().Add(std::make_shared<ScriptedCamera>(caps, node));
        graph = std::make_unique<OstDXShow>(kScriptedPath, &window, nullptr, &reporter);
    }
    void TearDown() override {
        graph.reset();
        OstVideoInputCategory::GetInstance().Remove(kScriptedPath);
    }
    // Connects at the size asked for and returns the format the camera was set to.
    OstMediaType Open(int width, int height) {
        reporter.Clear();
        graph->Disconnect();
        graph->ChangeResolution(24, width, height);
        graph->ChangeFrameRate(30);
        EXPECT_TRUE(graph->Connect());
        OstMediaType format;
        EXPECT_TRUE(graph->SourceFilter()->StreamConfig()->GetFormat(format));
        return format;
    }
    QString NotFound(int width, int height) {
        return OstDXShow::FailureText(u"SetResolution"_qs,
                                      u"Not found resolution 24 %1 %2 "_qs.arg(width).arg(height));
    }

    RecordingWindow window{QRect(0, 0, 640, 480)};
    RecordingReporter reporter;
    std::unique_ptr<OstDXShow> graph;
};

// A camera of YUYV only: its sizes are offered at 24 bits through the converter, and a size it
// lacks leaves it in its current format, not in the first one it lists (the largest, at 5
// frames per second).
TEST_F(CaptureFormatTest, YuyvOnlyCameraKeepsItsCurrentFormatForASizeItLacks) {
    Plug("video/x-raw, format=YUY2, width=1920, height=1080, framerate=5/1; "
         "video/x-raw, format=YUY2, width=1280, height=720, framerate=10/1; "
         "video/x-raw, format=YUY2, width=640, height=480, framerate={ 30/1, 15/1 }",
         ScriptedNode(V4L2_PIX_FMT_YUYV, 640, 480, 15));
    OstMediaType format = Open(1280, 720);
    EXPECT_TRUE(reporter.Texts().filter(u"Not found"_qs).isEmpty());
    EXPECT_EQ(format.format, "YUY2");
    EXPECT_EQ(format.width, 1280);

    format = Open(800, 600);
    EXPECT_TRUE(reporter.Texts().contains(NotFound(800, 600)));
    EXPECT_EQ(format.width, 640);
    EXPECT_EQ(format.height, 480);
    EXPECT_EQ(format.rateNumerator, 30); // the rate asked for, which it offers there
    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_EQ(window.WaitForFrames(2).size(), QSize(640, 480));
}

// Where one size comes as MJPG and as YUYV, MJPG is already 24 bits; YUYV serves the rest, and
// the camera starts out in the MJPG format its node reports.
TEST(CaptureFormat, YuyvAndMjpgCameraOffersEverySizeAt24Bits) {
    OstGst::EnsureInitialized();
    OstCapsStreamConfig config;
    config.SetOffers(
        OstGst::CapsRef(gst_caps_from_string("video/x-raw, format=YUY2, width=1280, height=720, "
                                             "framerate=10/1; "
                                             "image/jpeg, width=1280, height=720, framerate=30/1; "
                                             "video/x-raw, format=YUY2, width=640, height=480, "
                                             "framerate=30/1"))
            .get());
    ScriptedNode node(V4L2_PIX_FMT_MJPEG, 1280, 720, 30);
    OstMediaType current;
    ASSERT_TRUE(OstV4l2Device::ReadCurrentFormat(node, u"/dev/video3"_qs, current));
    ASSERT_TRUE(config.SetInitialFormat(current));
    OstMediaType format;
    ASSERT_TRUE(config.GetFormat(format));
    EXPECT_EQ(format.mediaType, "image/jpeg");
    EXPECT_EQ(format.rateNumerator, 30);

    std::vector<OstMediaType> types;
    ASSERT_TRUE(config.EnumMediaTypes(types));
    const OstMediaType* hd = OstDXShow::FindCaptureType(types, 24, 1280, 720);
    ASSERT_NE(hd, nullptr);
    EXPECT_EQ(hd->mediaType, "image/jpeg");
    const OstMediaType* vga = OstDXShow::FindCaptureType(types, 24, 640, 480);
    ASSERT_NE(vga, nullptr);
    EXPECT_EQ(vga->format, "YUY2");
    EXPECT_EQ(OstDXShow::FindCaptureType(types, 16, 1280, 720)->format, "YUY2");
    EXPECT_EQ(OstDXShow::FindCaptureType(types, 24, 320, 240), nullptr);
    EXPECT_EQ(OstDXShow::FindCaptureType(types, 32, 640, 480), nullptr);

    // A node that cannot tell, or a pixel format without a counterpart, says nothing.
    EXPECT_FALSE(OstV4l2Device::ReadCurrentFormat(node, u"/dev/video9"_qs, current));
    ScriptedNode odd(v4l2_fourcc('Z', 'Z', 'Z', 'Z'), 640, 480, 30);
    EXPECT_FALSE(OstV4l2Device::ReadCurrentFormat(odd, u"/dev/video3"_qs, current));
}

// A camera that states its sizes as a stepwise range offers each size on a step.
TEST_F(CaptureFormatTest, StepwiseCameraOffersTheSizesOnItsSteps) {
    Plug("video/x-raw, format=YUY2, width=[ 16, 1920, 16 ], height=[ 16, 1080, 8 ], "
         "framerate=[ 1/1, 30/1 ]",
         ScriptedNode(V4L2_PIX_FMT_YUYV, 1280, 720, 0));
    const OstMediaType svga = Open(800, 600);
    EXPECT_EQ(svga.width, 800);
    EXPECT_EQ(svga.rateNumerator, 30); // the top of the camera's rate range
    EXPECT_EQ(Open(176, 144).height, 144);
    EXPECT_TRUE(reporter.Texts().filter(u"Not found"_qs).isEmpty());
    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_EQ(window.WaitForFrames(2).size(), QSize(176, 144));

    // 1600 is past the range's end: the current format, 1280x720, stays.
    const OstMediaType format = Open(1600, 1200);
    EXPECT_TRUE(reporter.Texts().contains(NotFound(1600, 1200)));
    EXPECT_EQ(format.width, 1280);
    EXPECT_EQ(format.height, 720);
}
