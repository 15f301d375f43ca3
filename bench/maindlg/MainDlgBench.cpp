// CPU cost of the visible main dialog showing the simulated camera, against the floor of the
// bare pipeline, measured in the same process one after the other:
//   PipelineFloor   videotestsrc ! 640x480 at 30 ! videoconvert ! fakesink, nothing painted
//   MainDlgPreview  the dialog at 640 x 480 with the simulated camera's graph painting into it
// Both report cpu_ms_per_s (process CPU time per second of wall time), xserver_ms_per_s (the
// Xvfb's, which receives every painted frame) and fps. Run it on a
// real display server (xvfb-run -a ...) so that painting reaches the X server as it does for
// a user; the offscreen platform would leave the final copy out.
#include "COstUI_Orbit_MainDlg.h"
#include "OstEventListModel.h"
#include "OstMainDlgLayout.h"
#include "OstVideoWidget.h"
#include "ProcessCpu.h"
#include "SimulatedGraph.h"


namespace {

const QString kPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#benchui#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

void PipelineFloor(benchmark::State& state) {
    for (auto _ : state)
        bench::MeasurePipeline(state, "videotestsrc is-live=true ! video/x-raw,width=640,height=480,framerate=30/1 ! "
                                      "videoconvert ! fakesink name=sink sync=false");
}
BENCHMARK(PipelineFloor)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void MainDlgPreview(benchmark::State& state) {
    for (auto _ : state) {
        OstEventListModel events;
        COstUI_Orbit_MainDlg dialog(events);
        dialog.ApplyPreviewSize(int(state.range(0)));
        dialog.show();
        bench::SimulatedGraph camera(kPath, dialog.VideoWindow(), 640, 480);
        if (!camera.Running()) {
            state.SkipWithError("the simulated camera does not run");
            return;
        }
        bench::Spin(1000);
        bench::Measure(state, [&dialog] { return dialog.VideoWindow()->FramesPainted(); });
    }
}
BENCHMARK(MainDlgPreview)
    ->Arg(OstMainDlgLayout::Size640)
    ->Arg(OstMainDlgLayout::Size320)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithApplication(argc, argv);
}
