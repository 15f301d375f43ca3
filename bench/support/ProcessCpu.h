#pragma once

// What the whole-window benchmarks share: the process's and the X server's CPU time, an event
// loop run for a while, the counters every such benchmark reports, and the bare GStreamer
// pipeline it is measured against.

#include "OstGst.h"

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

namespace bench {

constexpr int kSeconds = 5;

// The X server's CPU time, when it is an Xvfb serving our display: the last copy of every
// painted frame happens there.
inline double ServerCpuSeconds() {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return 0;
    QDir proc(QStringLiteral("/proc"));
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        if (args.size() < 2 || !args[0].endsWith("Xvfb") || args[1] != display)
            continue;
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13)
            return 0;
        return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
    }
    return 0;
}

inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline void Spin(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop for the measured time and reports CPU per second (the process's and the
// X server's) and the rate of what `count` counts.
template <typename Count> void Measure(benchmark::State& state, Count count) {
    const auto frames0 = count();
    const double cpu0 = CpuSeconds();
    const double server0 = ServerCpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    Spin(kSeconds * 1000);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.counters["cpu_ms_per_s"] = (CpuSeconds() - cpu0) * 1000.0 / wall;
    state.counters["xserver_ms_per_s"] = (ServerCpuSeconds() - server0) * 1000.0 / wall;
    state.counters["fps"] = double(count() - frames0) / wall;
}

inline GstPadProbeReturn CountBuffer(GstPad*, GstPadProbeInfo*, gpointer data) {
    static_cast<std::atomic<long>*>(data)->fetch_add(1);
    return GST_PAD_PROBE_OK;
}

// Measures a pipeline described as gst-launch does, whose sink is named "sink".
inline void MeasurePipeline(benchmark::State& state, const char* description) {
    if (!OstGst::EnsureInitialized()) {
        state.SkipWithError("GStreamer does not start");
        return;
    }
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description, &error);
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

// The main of a benchmark program that shows windows.
inline int RunWithApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
