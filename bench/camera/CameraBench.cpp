// Photo and preview costs of the capture graph on the simulated camera:
//   GrabToJpeg       GrabImage from the running graph to the JPEG on disk
//   EncodeFrameOnly  the floor: the same frame written as a quality-99 JPEG by QImageWriter
//   PreviewCpu       process CPU time per second of a running 640x480 preview at 30 fps
//   DeliverFrame     the renderer's share of one frame (overlay laid in, handed to the window)
#include "IOstVideoWindow.h"
#include "OstAlphaBitmap.h"
#include "OstDXShow.h"
#include "OstSimulatedCamera.h"
#include "OstVideoInputCategory.h"
#include "OstVideoRenderer.h"

#include <QCoreApplication>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString kPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#bench#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

class CountingWindow : public IOstVideoWindow {
public:
    CountingWindow() = default;
    void PresentFrame(const QImage& frame, const QRect&) override {
        if (!frame.isNull())
            ++frames;
    }
    bool GetClientRect(QRect& rect) const override {
        rect = QRect(0, 0, 640, 480);
        return true;
    }
    std::atomic<long> frames{0};
};

// A running graph on the simulated camera at the given size.
struct RunningGraph {
    RunningGraph(int width, int height, unsigned rate = 30) {
        camera = std::make_shared<OstSimulatedCamera>(kPath);
        OstVideoInputCategory::GetInstance().Add(camera);
        graph = std::make_unique<OstDXShow>(kPath, &window, nullptr);
        graph->ChangeResolution(24, width, height);
        graph->ChangeFrameRate(rate);
        ok = graph->Run() == GraphState::Running;
        while (ok && window.frames < 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~RunningGraph() {
        graph.reset();
        OstVideoInputCategory::GetInstance().Remove(kPath);
    }
    CountingWindow window;
    std::shared_ptr<OstSimulatedCamera> camera;
    std::unique_ptr<OstDXShow> graph;
    bool ok = false;
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void GrabToJpeg(benchmark::State& state) {
    RunningGraph running(int(state.range(0)), int(state.range(1)));
    QTemporaryDir dir;
    if (!running.ok || !dir.isValid()) {
        state.SkipWithError("the simulated camera does not run");
        return;
    }
    const QString path = dir.filePath(u"photo.jpg"_qs);
    for (auto _ : state) {
        if (!running.graph->GrabImage(path))
            state.SkipWithError("GrabImage failed");
    }
}
BENCHMARK(GrabToJpeg)
    ->Args({640, 480})
    ->Args({800, 600})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void EncodeFrameOnly(benchmark::State& state) {
    QImage frame;
    {
        RunningGraph running(int(state.range(0)), int(state.range(1)));
        QTemporaryDir grabDir;
        const QString grabbed = grabDir.filePath(u"frame.jpg"_qs);
        // The same kind of picture as the grab encodes: a frame of the running camera.
        if (!running.ok || !running.graph->GrabImage(grabbed)) {
            state.SkipWithError("the simulated camera does not run");
            return;
        }
        frame = QImage(grabbed).convertToFormat(QImage::Format_RGB32);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"photo.jpg"_qs);
    for (auto _ : state) {
        QImageWriter writer(path, "jpeg");
        writer.setQuality(99);
        if (!writer.write(frame))
            state.SkipWithError("QImageWriter failed");
    }
}
BENCHMARK(EncodeFrameOnly)
    ->Args({640, 480})
    ->Args({800, 600})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void PreviewCpu(benchmark::State& state) {
    for (auto _ : state) {
        RunningGraph running(640, 480, 30);
        if (!running.ok) {
            state.SkipWithError("the simulated camera does not run");
            return;
        }
        const long frames0 = running.window.frames;
        const double cpu0 = CpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(4));
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        state.counters["cpu_ms_per_s"] = (CpuSeconds() - cpu0) * 1000.0 / wall;
        state.counters["fps"] = double(running.window.frames - frames0) / wall;
    }
}
BENCHMARK(PreviewCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void DeliverFrame(benchmark::State& state) {
    OstVideoRenderer renderer;
    CountingWindow window;
    renderer.SetVideoClippingWindow(&window);
    QImage frame(640, 480, QImage::Format_RGB32);
    frame.fill(0x336699);
    if (state.range(0)) {
        OstAlphaBitmap digit;
        digit.flags = OstAlphaBitmap::FromBitmap | OstAlphaBitmap::SrcColorKey;
        digit.bitmap = QImage(60, 70, QImage::Format_RGB32);
        digit.bitmap.fill(Qt::white);
        digit.source = digit.bitmap.rect();
        digit.left = 0.4f;
        digit.top = 0.7f;
        digit.right = 0.6f;
        digit.bottom = 0.9f;
        digit.alpha = 0.5f;
        digit.colorKey = 0xFFFFFF;
        for (int y = 10; y < 60; ++y)
            for (int x = 15; x < 45; ++x)
                digit.bitmap.setPixel(x, y, qRgb(0, 200, 0));
        renderer.SetAlphaBitmap(digit);
    }
    for (auto _ : state)
        renderer.DeliverFrame(frame.copy());
    renderer.SetVideoClippingWindow(nullptr);
}
BENCHMARK(DeliverFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
