// CPU cost of the camera shared with other programs, against the preview alone, in the same
// process one after the other:
//   Preview         the preview at 640 x 480 with the simulated camera at 640x480, 30 frames a second
//   SharedUnread    the same, the camera shared through a private PipeWire, nobody reading
//   SharedRead      the same, read by another process (gst-launch-1.0 pipewiresrc ! fakesink)
// Each reports cpu_ms_per_s (this process's CPU time per second of wall time), fps (frames
// painted by the preview) and, shared, pushed_per_s (frames handed to the shared pipeline).
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/sharing/orbit_bench_sharing
#include "OstSharedCamera.h"
#include "OstVideoWidget.h"
#include "PrivatePipeWire.h"
#include "ProcessCpu.h"
#include "SimulatedGraph.h"

#include <QProcess>

namespace {

const QString kPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#benchsharing#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

enum Mode { kPreview, kUnread, kRead };

void Sharing(benchmark::State& state) {
    const auto mode = Mode(state.range(0));
    for (auto _ : state) {
        PrivatePipeWire pipewire;
        if (mode != kPreview && !pipewire.Start()) {
            state.SkipWithError("PipeWire or WirePlumber is not installed");
            return;
        }
        OstVideoWidget preview;
        preview.resize(640, 480);
        preview.show();
        bench::SimulatedGraph camera(kPath, &preview, 640, 480);
        if (!camera.Running()) {
            state.SkipWithError("the simulated camera does not run");
            return;
        }
        OstSharedCamera shared;
        QString error;
        if (mode != kPreview) {
            if (!shared.Start(OstSharedCamera::Target::PipeWire, QString(), error)) {
                state.SkipWithError(error.toStdString().c_str());
                return;
            }
            camera.Graph().SetFrameTap(&shared);
        }
        QProcess reader;
        if (mode == kRead) {
            reader.start(u"gst-launch-1.0"_qs,
                         {u"-q"_qs, u"pipewiresrc"_qs, u"target-object=Orbit"_qs,
                          u"stream-properties=props,media.type=Video,media.category=Capture,media.role=Camera"_qs,
                          u"!"_qs, u"fakesink"_qs, u"sync=false"_qs});
            reader.waitForStarted();
        }
        bench::Spin(1500);
        const std::uint64_t pushed0 = shared.FramesPushed();
        const auto wall0 = std::chrono::steady_clock::now();
        bench::Measure(state, [&preview] { return preview.FramesPainted(); });
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        state.counters["pushed_per_s"] = double(shared.FramesPushed() - pushed0) / wall;
        camera.Graph().SetFrameTap(nullptr);
        if (mode == kRead) {
            reader.terminate();
            reader.waitForFinished(3000);
        }
    }
}
BENCHMARK(Sharing)->Arg(kPreview)->Arg(kUnread)->Arg(kRead)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithApplication(argc, argv);
}
