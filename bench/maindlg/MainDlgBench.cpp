// CPU cost of the visible main dialog showing the simulated camera, against the floor of the
// bare pipeline, measured in the same process one after the other:
//   PipelineFloor   videotestsrc ! 640x480 at 30 ! videoconvert ! fakesink, nothing painted
//   MainDlgPreview  the dialog at 640 x 480 with the simulated camera's graph painting into it
// Both report cpu_ms_per_s (process CPU time per second of wall time), xserver_ms_per_s (the
// Xvfb's, which receives every painted frame) and fps. Run it on a
// real display server (xvfb-run -a ...) so that painting reaches the X server as it does for
// a user; the offscreen platform would leave the final copy out.
#include "COstUI_Orbit_MainDlg.h"
#include "OstDXShow.h"
#include "OstEventListModel.h"
#include "OstGst.h"
#include "OstMainDlgLayout.h"
#include "OstSimulatedCamera.h"
#include "OstVideoInputCategory.h"
#include "OstVideoWidget.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>

namespace {

const QString kPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#benchui#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;
constexpr int kSeconds = 5;

// The X server's CPU time, when it is an Xvfb serving our display: the last copy of every
// painted frame happens there.
double ServerCpuSeconds() {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return 0;
    QDir proc(u"/proc"_qs);
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(u"/proc/"_qs + pid + u"/cmdline"_qs);
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        if (args.size() < 2 || !args[0].endsWith("Xvfb") || args[1] != display)
            continue;
        QFile stat(u"/proc/"_qs + pid + u"/stat"_qs);
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13)
            return 0;
        return double(fields[11].toLongLong() + fields[12].toLongLong()) /
               double(sysconf(_SC_CLK_TCK));
    }
    return 0;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Spin(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop for the measured time and reports CPU per second and a rate.
template <typename Count> void Measure(benchmark::State& state, Count count) {
    const auto frames0 = count();
    const double cpu0 = CpuSeconds();
    const double server0 = ServerCpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    Spin(kSeconds * 1000);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.counters["cpu_ms_per_s"] = (CpuSeconds() - cpu0) * 1000.0 / wall;
    state.counters["xserver_ms_per_s"] = (ServerCpuSeconds() - server0) * 1000.0 / wall;
    state.counters["fps"] = double(count() - frames0) / wall;
}

GstPadProbeReturn CountBuffer(GstPad*, GstPadProbeInfo*, gpointer data) {
    static_cast<std::atomic<long>*>(data)->fetch_add(1);
    return GST_PAD_PROBE_OK;
}

void PipelineFloor(benchmark::State& state) {
    if (!OstGst::EnsureInitialized()) {
        state.SkipWithError("GStreamer does not start");
        return;
    }
    for (auto _ : state) {
        GError* error = nullptr;
        GstElement* pipeline = gst_parse_launch(
            "videotestsrc is-live=true ! video/x-raw,width=640,height=480,framerate=30/1 ! "
            "videoconvert ! fakesink name=sink sync=false",
            &error);
        if (!pipeline) {
            state.SkipWithError(error ? error->message : "no pipeline");
            g_clear_error(&error);
            return;
        }
        std::atomic<long> frames{0};
        GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
        GstPad* pad = gst_element_get_static_pad(sink, "sink");
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, CountBuffer, &frames, nullptr);
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
        Spin(1000);
        Measure(state, [&frames] { return frames.load(); });
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pad);
        gst_object_unref(sink);
        gst_object_unref(pipeline);
    }
}
BENCHMARK(PipelineFloor)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void MainDlgPreview(benchmark::State& state) {
    for (auto _ : state) {
        auto camera = std::make_shared<OstSimulatedCamera>(kPath);
        OstVideoInputCategory::GetInstance().Add(camera);
        {
            OstEventListModel events;
            COstUI_Orbit_MainDlg dialog(events);
            dialog.ApplyPreviewSize(int(state.range(0)));
            dialog.show();
            OstDXShow graph(kPath, dialog.VideoWindow(), nullptr);
            graph.ChangeResolution(24, 640, 480);
            graph.ChangeFrameRate(30);
            if (graph.Run() != GraphState::Running) {
                state.SkipWithError("the simulated camera does not run");
            } else {
                graph.SetVideoPosition();
                Spin(1000);
                Measure(state, [&dialog] { return dialog.VideoWindow()->FramesPainted(); });
            }
            graph.Disconnect();
        }
        OstVideoInputCategory::GetInstance().Remove(kPath);
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
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
