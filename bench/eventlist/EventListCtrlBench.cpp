#include "COstUI_Orbit_EventListCtrl.h"
#include "OstEventListModel.h"
#include "EventListSamples.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kEvents = 10000;
constexpr int kTransfers = 5;

// A list as the main dialog shows it, on screen and painted once.
std::unique_ptr<COstUI_Orbit_EventListCtrl> ShownList(OstEventListModel& rows) {
    auto list = std::make_unique<COstUI_Orbit_EventListCtrl>(rows);
    list->resize(632, 220);
    list->show();
    QApplication::processEvents();
    return list;
}

// Counts and times the list's own paint events.
class PaintMeter : public QObject {
public:
    explicit PaintMeter(QWidget* viewport) { viewport->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// The cost of one frame: whatever the step changed, painted and handed to the window system.
// Wall time includes the waits of a busy machine; the thread's processor time does not.
struct Frame {
    double wallMs = 0;
    double cpuMs = 0;
};

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Step> Frame MeasureFrame(Step&& step) {
    QElapsedTimer timer;
    const double cpu = ThreadCpuMs();
    timer.start();
    step();
    QApplication::processEvents();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, ThreadCpuMs() - cpu};
}

// Longest and 99th-percentile frames, by wall clock and by processor time.
class FrameStats {
public:
    void Add(const Frame& frame) {
        wall_.push_back(frame.wallMs);
        cpu_.push_back(frame.cpuMs);
    }
    void Report(benchmark::State& state) {
        state.counters["wall_max_ms"] = Max(wall_);
        state.counters["wall_p99_ms"] = Percentile(wall_, 0.99);
        state.counters["cpu_max_ms"] = Max(cpu_);
        state.counters["cpu_p99_ms"] = Percentile(cpu_, 0.99);
    }

private:
    static double Max(const std::vector<double>& values) {
        return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    }
    static double Percentile(std::vector<double> values, double share) {
        if (values.empty())
            return 0;
        const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                         values.end());
        return values[at];
    }

    std::vector<double> wall_;
    std::vector<double> cpu_;
};

// Start-up: 10,000 stored events into the list and its first paint.
void BM_LoadEvents(benchmark::State& state) {
    const QList<EventRecord> events = SampleEvents(kEvents);
    OstEventListModel rows;
    auto list = ShownList(rows);
    for (auto _ : state) {
        rows.Load(events);
        // The view lays the rows out and paints them on its next turn of the event loop.
        QApplication::processEvents();
        state.PauseTiming();
        rows.Clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kEvents);
}
BENCHMARK(BM_LoadEvents)->Unit(benchmark::kMillisecond);

// The same events added one at a time, as new photos arrive.
void BM_AddEventOneByOne(benchmark::State& state) {
    const QList<EventRecord> events = SampleEvents(kEvents);
    OstEventListModel rows;
    auto list = ShownList(rows);
    for (auto _ : state) {
        for (auto it = events.crbegin(); it != events.crend(); ++it)
            rows.AddEvent(*it);
        QApplication::processEvents();
        state.PauseTiming();
        rows.Clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kEvents);
}
BENCHMARK(BM_AddEventOneByOne)->Unit(benchmark::kMillisecond);

// Scrolling through 10,000 rows one row per frame while five transfers near the top report
// progress at 20 reports a second each (one report every 10 ms of a 16 ms frame budget).
// Arg 0: scrolling only; 1: scrolling with the reports.
void BM_ScrollFrame(benchmark::State& state) {
    const bool reporting = state.range(0) != 0;
    OstEventListModel rows;
    auto list = ShownList(rows);
    rows.Load(SampleEvents(kEvents));
    for (std::uint32_t id = 1; id <= kTransfers; ++id)
        rows.AddEvent(SampleEvents(1).front(), id);
    // The scroll range follows the new rows only once the view has laid them out.
    QApplication::processEvents();
    QScrollBar* bar = list->verticalScrollBar();
    FrameStats stats;
    int frames = 0;
    int report = 0;
    for (auto _ : state) {
        const Frame frame = MeasureFrame([&] {
            if (bar->value() >= bar->maximum())
                bar->setValue(0);
            bar->setValue(bar->value() + 1);
            if (reporting) {
                // 100 reports a second in all: about 1.6 per 16 ms frame.
                for (int k = 0; k < 2 - (frames % 3 == 0); ++k, ++report)
                    rows.SetProgress(static_cast<std::uint32_t>(report % kTransfers + 1),
                                      report / kTransfers % 100);
            }
        });
        state.SetIterationTime(frame.wallMs / 1000);
        stats.Add(frame);
        ++frames;
    }
    stats.Report(state);
}
BENCHMARK(BM_ScrollFrame)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Five transfers reporting while the list stands still: each report repaints one cell.
// Arg 0: the rows are in view; 1: they are scrolled out of view, so nothing is painted.
void BM_ProgressReportFrame(benchmark::State& state) {
    const bool outOfView = state.range(0) != 0;
    OstEventListModel rows;
    auto list = ShownList(rows);
    rows.Load(SampleEvents(kEvents));
    for (std::uint32_t id = 1; id <= kTransfers; ++id)
        rows.AddEvent(SampleEvents(1).front(), id);
    // The scroll range follows the new rows only once the view has laid them out.
    QApplication::processEvents();
    if (outOfView)
        list->verticalScrollBar()->setValue(kEvents / 2);
    QApplication::processEvents();
    if (outOfView && list->verticalScrollBar()->value() != kEvents / 2)
        state.SkipWithError("the list did not scroll");
    PaintMeter meter(list->viewport());
    FrameStats stats;
    int report = 0;
    for (auto _ : state) {
        const Frame frame = MeasureFrame([&] {
            rows.SetProgress(static_cast<std::uint32_t>(report % kTransfers + 1),
                              report / kTransfers % 100);
            ++report;
        });
        state.SetIterationTime(frame.wallMs / 1000);
        stats.Add(frame);
    }
    stats.Report(state);
    state.counters["paints_per_report"] =
        static_cast<double>(meter.paints) / std::max<std::int64_t>(1, state.iterations());
}
BENCHMARK(BM_ProgressReportFrame)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
