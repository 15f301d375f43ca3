// CPU cost of the presenter view filling a screen with the simulated camera at its largest
// size (800 x 600, 30 frames a second), against the floor of the bare pipeline that converts
// and scales the same frames to the screen's size, measured in the same process one after the
// other:
//   PresenterFloor   videotestsrc ! 800x600 at 30 ! videoconvert ! videoscale ! 1920x1080 ! fakesink
//   PresenterView/1  the view, whole picture (800 x 600 scaled to 1440 x 1080, bars beside)
//   PresenterView/4  the view zoomed 4 times (every pixel of the screen painted from the frame)
// Both report cpu_ms_per_s (process CPU time per second of wall time), xserver_ms_per_s (the
// Xvfb's) and fps; the view also reports the longest time from a frame's arrival to the end of
// its paint (latest_ms) and the frames it skipped. Run it as
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/presenter/orbit_bench_presenter
#include "OstPresenterView.h"
#include "OstVideoWidget.h"
#include "ProcessCpu.h"
#include "SimulatedGraph.h"

#include <QApplication>
#include <QWheelEvent>

#include <cmath>

namespace {

const QString kPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#benchpresenter#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

void PresenterFloor(benchmark::State& state) {
    for (auto _ : state)
        bench::MeasurePipeline(state, "videotestsrc is-live=true pattern=smpte horizontal-speed=4 ! "
                                      "video/x-raw,width=800,height=600,framerate=30/1 ! videoconvert ! "
                                      "videoscale ! video/x-raw,width=1920,height=1080 ! fakesink name=sink sync=false");
}
BENCHMARK(PresenterFloor)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void PresenterView(benchmark::State& state) {
    for (auto _ : state) {
        // The preview the view takes its frames from, as in the dialog (not shown).
        OstVideoWidget preview;
        preview.resize(640, 480);
        OstPresenterView view(preview);
        view.Enter(nullptr);
        bench::SimulatedGraph camera(kPath, &preview, 800, 600);
        if (!camera.Running()) {
            state.SkipWithError("the simulated camera does not run");
            return;
        }
        bench::Spin(500);
        // The wheel zooms by 1.25 a notch: this many eighths of a notch make the zoom.
        const int delta = int(std::lround(120 * std::log(double(state.range(0))) / std::log(1.25)));
        const QPointF middle(view.width() / 2.0, view.height() / 2.0);
        QWheelEvent wheel(middle, view.mapToGlobal(middle), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        bench::Spin(1000);
        view.ResetFigures();
        bench::Measure(state, [&view] { return view.FramesPainted(); });
        state.counters["latest_ms"] = double(view.LongestLatencyNs()) / 1e6;
        state.counters["zoom"] = view.Placement().Zoom();
        state.counters["screen_w"] = view.width();
        state.counters["screen_h"] = view.height();
    }
}
BENCHMARK(PresenterView)->Arg(1)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithApplication(argc, argv);
}
