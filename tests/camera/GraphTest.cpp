#include "CameraTestSupport.h"
#include "IOstGraphNotify.h"
#include "OstDXShow.h"
#include "OstSimulatedCamera.h"
#include "OstV4l2Device.h"
#include "OstVideoInputCategory.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class EventRecorder : public IOstGraphNotify {
public:
    EventRecorder() = default;
    void OnGraphEvent(EventCode code, const QString&) override {
        std::lock_guard guard(lock);
        codes.push_back(code);
    }
    std::vector<int> Codes() {
        std::lock_guard guard(lock);
        return codes;
    }
    std::mutex lock;
    std::vector<int> codes;
};

} // namespace

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        camera = std::make_shared<OstSimulatedCamera>(kSimulatedPath);
        OstVideoInputCategory::GetInstance().Add(camera);
    }
    void TearDown() override {
        while (OstVideoInputCategory::GetInstance().Remove(kSimulatedPath)) {
        }
    }
    std::unique_ptr<OstDXShow> MakeGraph() {
        return std::make_unique<OstDXShow>(kSimulatedPath, &window, nullptr, &reporter);
    }
    QSize FrameSize() {
        const QImage frame = window.WaitForFrames();
        return frame.size();
    }

    std::shared_ptr<OstSimulatedCamera> camera;
    RecordingReporter reporter;
    RecordingWindow window;
};

TEST_F(GraphTest, WalksEveryStateAndFramesReachTheWindowOnlyWhileRunning) {
    auto graph = MakeGraph();
    EXPECT_EQ(graph->State(), GraphState::NotBuilt);
    EXPECT_EQ(graph->BitCount(), 24);
    EXPECT_EQ(graph->Width(), 640);
    EXPECT_EQ(graph->Height(), 480);
    EXPECT_EQ(graph->FrameRate(), 30u);

    ASSERT_TRUE(graph->Connect());
    EXPECT_EQ(graph->State(), GraphState::Ready);
    EXPECT_EQ(graph->Run(), GraphState::Running);
    const QImage first = window.WaitForFrames();
    ASSERT_EQ(first.size(), QSize(640, 480));
    // The default pattern moves, so a preview visibly runs.
    EXPECT_NE(window.WaitForFrames(), first);

    EXPECT_EQ(graph->Stop(), GraphState::Ready);
    const auto stoppedAt = window.Count();
    EXPECT_TRUE(window.WaitForFrames(1, std::chrono::milliseconds(300)).isNull());
    EXPECT_EQ(window.Count(), stoppedAt);

    EXPECT_EQ(graph->Run(), GraphState::Running);
    EXPECT_FALSE(window.WaitForFrames().isNull());
    EXPECT_EQ(graph->Pause(), GraphState::Running);
    const auto pausedAt = window.Count();
    EXPECT_TRUE(window.WaitForFrames(1, std::chrono::milliseconds(300)).isNull());
    EXPECT_EQ(window.Count(), pausedAt);
    EXPECT_EQ(graph->Run(), GraphState::Running);
    EXPECT_FALSE(window.WaitForFrames().isNull());

    EXPECT_TRUE(graph->Disconnect());
    EXPECT_EQ(graph->State(), GraphState::NotBuilt);
    EXPECT_TRUE(window.Released());
    EXPECT_EQ(graph->Stop(), GraphState::NotBuilt);
    EXPECT_TRUE(reporter.Texts().isEmpty()) << reporter.Texts().join(u""_qs).toStdString();

    // Run on an empty graph connects first.
    EXPECT_EQ(graph->Run(), GraphState::Running);
    EXPECT_FALSE(window.WaitForFrames().isNull());
}

TEST_F(GraphTest, DeliversEveryOfferedSizeAndRate) {
    auto graph = MakeGraph();
    for (const auto& size : OstSimulatedCamera::FrameSizes()) {
        graph->ChangeResolution(24, size.width, size.height);
        ASSERT_EQ(graph->Run(), GraphState::Running);
        EXPECT_EQ(FrameSize(), QSize(size.width, size.height));
        for (unsigned rate : OstSimulatedCamera::FrameRates()) {
            EXPECT_TRUE(graph->ChangeFrameRate(rate));
            EXPECT_EQ(graph->State(), GraphState::Running);
            EXPECT_EQ(camera->CurrentFormat().avgTimePerFrame, 10'000'000 / rate);
        }
        graph->Disconnect();
    }
    EXPECT_TRUE(reporter.Texts().isEmpty()) << reporter.Texts().join(u""_qs).toStdString();
}

TEST_F(GraphTest, UnofferedResolutionIsReportedAndTheCameraKeepsItsFormat) {
    auto graph = MakeGraph();
    graph->ChangeResolution(24, 1280, 1024);
    ASSERT_TRUE(graph->Connect());
    EXPECT_EQ(reporter.Texts(),
              QStringList{Failure("SetResolution", "Not found resolution 24 1280 1024 ")});
    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_EQ(FrameSize(), QSize(640, 480));
    graph->Disconnect();

    reporter.Clear();
    graph->ChangeResolution(32, 640, 480);
    graph->Connect();
    EXPECT_EQ(reporter.Texts(),
              QStringList{Failure("SetResolution", "Not found resolution 32 640 480 ")});
    graph->Disconnect();

    // The bit count is compared in 16 bits, and the height's sign counts.
    reporter.Clear();
    graph->ChangeResolution(0x10000 + 24, 320, 240);
    graph->Connect();
    EXPECT_TRUE(reporter.Texts().isEmpty());
    EXPECT_EQ(camera->CurrentFormat().width, 320);
    graph->Disconnect();
    graph->ChangeResolution(24, 320, -240);
    graph->Connect();
    EXPECT_EQ(reporter.Texts(),
              QStringList{Failure("SetResolution", "Not found resolution 24 320 -240 ")});
}

TEST_F(GraphTest, RefusedFormatTakesOnWhatTheCameraDelivers) {
    camera->RefuseFormat(320, 240);
    auto graph = MakeGraph();
    graph->ChangeResolution(24, 320, 240);
    ASSERT_TRUE(graph->Connect());
    EXPECT_EQ(reporter.Texts(), QStringList{Failure("SetResolution", "SetFormat")});
    EXPECT_EQ(graph->Width(), 640);
    EXPECT_EQ(graph->Height(), 480);
    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_EQ(FrameSize(), QSize(640, 480));
}

TEST_F(GraphTest, FrameRateRules) {
    auto graph = MakeGraph();
    // Without a graph the rate is only stored; the camera is not touched.
    EXPECT_TRUE(graph->ChangeFrameRate(0));
    EXPECT_EQ(graph->FrameRate(), 0u);
    EXPECT_EQ(camera->CurrentFormat().avgTimePerFrame, 333333);

    ASSERT_TRUE(graph->Connect());
    EXPECT_EQ(graph->FrameRate(), 5u);
    EXPECT_EQ(camera->CurrentFormat().avgTimePerFrame, 2'000'000);

    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_TRUE(graph->ChangeFrameRate(30));
    EXPECT_TRUE(graph->ChangeFrameRate(0));
    EXPECT_EQ(graph->FrameRate(), 5u);
    EXPECT_EQ(graph->State(), GraphState::Running);

    // The rate it already runs at leaves the stream alone: not even a camera that would
    // refuse it now is asked again, and nothing is reported.
    camera->RefuseFrameRate(5);
    EXPECT_TRUE(graph->ChangeFrameRate(5));
    EXPECT_EQ(graph->State(), GraphState::Running);
    EXPECT_TRUE(reporter.Texts().isEmpty()) << reporter.Texts().join(u""_qs).toStdString();
    camera->RefuseFrameRate(5, false);

    // A refused rate, and one the camera does not offer, fall back to the camera's rate.
    camera->RefuseFrameRate(15);
    EXPECT_FALSE(graph->ChangeFrameRate(15));
    EXPECT_EQ(graph->FrameRate(), 5u);
    EXPECT_EQ(graph->State(), GraphState::Running);
    EXPECT_FALSE(window.WaitForFrames().isNull());
    EXPECT_TRUE(graph->ChangeFrameRate(10));
    EXPECT_FALSE(graph->ChangeFrameRate(29));
    EXPECT_EQ(graph->FrameRate(), 10u);
    EXPECT_EQ(reporter.Texts(), QStringList(2, Failure("SetPreviewRate", "SetFormat")));

    // Stopped: applied at once, the graph stays stopped.
    EXPECT_EQ(graph->Stop(), GraphState::Ready);
    EXPECT_TRUE(graph->ChangeFrameRate(30));
    EXPECT_EQ(graph->State(), GraphState::Ready);
    EXPECT_EQ(camera->CurrentFormat().avgTimePerFrame, 333333);

    // A refused rate at connection time.
    graph->Disconnect();
    reporter.Clear();
    graph->ChangeFrameRate(15);
    ASSERT_TRUE(graph->Connect());
    EXPECT_EQ(reporter.Texts(), QStringList{Failure("SetPreviewRate", "SetFormat")});
    EXPECT_EQ(graph->FrameRate(), 30u);
}

TEST_F(GraphTest, ResolutionChangeWhileStoppedWaitsForTheNextConnect) {
    auto graph = MakeGraph();
    ASSERT_TRUE(graph->Connect());
    graph->ChangeResolution(24, 320, 240);
    EXPECT_EQ(graph->State(), GraphState::Ready);
    EXPECT_EQ(graph->Width(), 320);
    EXPECT_EQ(camera->CurrentFormat().width, 640);
    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_EQ(FrameSize(), QSize(640, 480));

    // While running it reconnects at once.
    graph->ChangeResolution(24, 800, 600);
    EXPECT_EQ(graph->State(), GraphState::Running);
    EXPECT_EQ(window.WaitForFrames(2).size(), QSize(800, 600));
    EXPECT_TRUE(reporter.Texts().isEmpty());
}

TEST_F(GraphTest, DeviceIsFoundOnlyByItsExactPath) {
    EventRecorder notify;
    OstDXShow other(u"\\\\?\\usb#vid_6b2d&pid_0e41#other"_qs, &window, &notify, &reporter);
    EXPECT_FALSE(other.Connect());
    OstDXShow upper(kSimulatedPath.toUpper(), &window, &notify, &reporter);
    EXPECT_FALSE(upper.Connect());
    EXPECT_EQ(upper.State(), GraphState::NotBuilt);
    EXPECT_TRUE(reporter.Texts().isEmpty());

    OstVideoInputCategory::GetInstance().Remove(kSimulatedPath);
    const auto lost = MakeGraph();
    EXPECT_FALSE(lost->Connect());
    EXPECT_EQ(reporter.Texts(),
              QStringList{
                  Failure("BuildSourceFilter", "CreateClassEnumerator VideoInputDeviceCategory")});
}

TEST_F(GraphTest, DeviceThatCannotBeOpenedIsReportedAndTheNextOfThatPathIsTried) {
    auto busy = std::make_shared<OstSimulatedCamera>(kSimulatedPath);
    busy->SetBindFails(true);
    auto& category = OstVideoInputCategory::GetInstance();
    category.Remove(kSimulatedPath);
    category.Add(busy);
    // A real camera whose node is gone cannot be opened either.
    category.Add(std::make_shared<OstV4l2Device>(kSimulatedPath, u"Orbit"_qs,
                                                 u"/dev/orbit-test-no-such-node"_qs));
    category.Add(camera);
    auto graph = MakeGraph();
    EXPECT_TRUE(graph->Connect());
    EXPECT_EQ(reporter.Texts(),
              QStringList(2, Failure("BuildSourceFilter", "BindToObject SourceFilter")));
}

TEST_F(GraphTest, StreamThatCannotRenderIsTriedSixTimes) {
    camera->SetUnrenderable(true);
    auto graph = MakeGraph();
    EXPECT_FALSE(graph->Connect());
    EXPECT_EQ(graph->State(), GraphState::NotBuilt);
    const QStringList texts = reporter.Texts();
    EXPECT_EQ(texts.count(Failure("Connect", "RenderStream")), 6);
    // Raw Bayer frames are 8-bit, so every attempt also misses the 24-bit format.
    EXPECT_EQ(texts.count(Failure("SetResolution", "Not found resolution 24 640 480 ")), 6);
    EXPECT_EQ(texts.size(), 12);
    EXPECT_EQ(graph->Run(), GraphState::NotBuilt);
}

TEST_F(GraphTest, WithoutVideoWindowTheStreamRunsButNothingIsLaidOver) {
    OstDXShow graph(kSimulatedPath, nullptr, nullptr, &reporter);
    ASSERT_TRUE(graph.Connect());
    EXPECT_EQ(reporter.Texts(), (QStringList{Failure("BuildVMR9Filter", "SetVideoClippingWindow"),
                                             Failure("SetVideoPosition", "GetClientRect")}));
    reporter.Clear();
    ASSERT_EQ(graph.Run(), GraphState::Running);
    OverlayFrame frame{QImage(10, 10, QImage::Format_RGB32), 0.5f, 0xFFFFFF};
    EXPECT_FALSE(graph.BlendApplicationImage(frame));
    EXPECT_FALSE(graph.DisableBlendApplicationImage());
    EXPECT_EQ(reporter.Texts(),
              (QStringList{Failure("BlendApplicationImage",
                                   "OutputWnd == NULL || IVMRWindowlessControl9 == NULL"),
                           Failure("DisableBlendApplicationImage",
                                   "OutputWnd == NULL || IVMRWindowlessControl9 == NULL")}));
}

TEST_F(GraphTest, VideoPositionFollowsTheClientRectangle) {
    window.SetClient(QRect(0, 0, 400, 300));
    auto graph = MakeGraph();
    EXPECT_FALSE(graph->SetVideoPosition()); // no graph: nothing to fit, nothing reported
    ASSERT_EQ(graph->Run(), GraphState::Running);
    window.WaitForFrames();
    EXPECT_EQ(window.Target(), QRect(0, 0, 400, 300));

    window.SetClient(QRect(0, 0, 200, 150));
    EXPECT_TRUE(graph->SetVideoPosition());
    window.WaitForFrames(2);
    EXPECT_EQ(window.Target(), QRect(0, 0, 200, 150));

    window.SetClient(QRect(), false);
    EXPECT_FALSE(graph->SetVideoPosition());
    EXPECT_EQ(reporter.Texts(), QStringList{Failure("SetVideoPosition", "GetClientRect")});
}

TEST_F(GraphTest, PulledCameraStopsTheStreamWithAGraphEvent) {
    EventRecorder notify;
    OstDXShow graph(kSimulatedPath, &window, &notify, &reporter);
    ASSERT_EQ(graph.Run(), GraphState::Running);
    window.WaitForFrames();
    camera->Unplug();
    // The error comes from the streaming thread.
    for (int i = 0; i < 500 && notify.Codes().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_FALSE(notify.Codes().empty());
    EXPECT_EQ(notify.Codes().front(), IOstGraphNotify::ErrorAbort);
    EXPECT_TRUE(window.WaitForFrames(1, std::chrono::milliseconds(300)).isNull());
    graph.Disconnect();

    EXPECT_FALSE(graph.Connect());
    EXPECT_EQ(reporter.Texts(),
              QStringList{Failure("BuildSourceFilter", "BindToObject SourceFilter")});
    camera->Plug();
    EXPECT_EQ(graph.Run(), GraphState::Running);
    graph.Disconnect();
}

TEST_F(GraphTest, StreamThatFailsToStartMakesRunTearTheGraphDown) {
    auto graph = MakeGraph();
    ASSERT_TRUE(graph->Connect());
    camera->Unplug();
    EXPECT_EQ(graph->Run(), GraphState::NotBuilt);
    EXPECT_EQ(window.Count(), 0u);
    EXPECT_TRUE(reporter.Texts().isEmpty());
}

TEST_F(GraphTest, FailuresGoToTheDefaultReporterWhenNoneIsGiven) {
    RecordingReporter fallback;
    OstDXShow::SetDefaultReporter(&fallback);
    OstDXShow graph(kSimulatedPath, &window, nullptr);
    EXPECT_FALSE(graph.GrabImage(u"/tmp/never.jpg"_qs));
    EXPECT_EQ(fallback.Texts(),
              QStringList{
                  Failure("GrabImage", "DxShow isn't running || IVMRWindowlessControl9 == NULL")});
    OstDXShow::SetDefaultReporter(nullptr);
    EXPECT_EQ(OstDXShow::FailureText(u"BuildGraphBuilder"_qs, QString()),
              u"OstDXShow::BuildGraphBuilder() failed -> \n"_qs);
}

TEST_F(GraphTest, DestroyingARunningGraphStopsDeliveryBeforeItReturns) {
    auto graph = MakeGraph();
    ASSERT_EQ(graph->Run(), GraphState::Running);
    window.WaitForFrames();
    graph.reset();
    const auto count = window.Count();
    EXPECT_TRUE(window.Released());
    EXPECT_TRUE(window.WaitForFrames(1, std::chrono::milliseconds(200)).isNull());
    EXPECT_EQ(window.Count(), count);
}
