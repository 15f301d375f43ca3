// Whole-process figures of the program (the end-to-end driver: the program with a command
// channel on standard input), on the simulated camera, attached to skype-peer on a private bus:
//   StartupToFirstPaint/warm  process start to the main dialog's first paint, files in cache
//   StartupToFirstPaint/cold  the same right after the kernel's page cache was dropped (root
//                             only, and only with ORBIT_BENCH_DROP_CACHES=1: it slows the
//                             whole machine for a while)
//   StartupToFirstPaint/slow_skype  warm, with Skype answering the attach and every command
//                             a second late: nothing on the way to the first paint waits
//   StartupToTray             "-startup" to the tray icon's first paint (X display + trayer)
//   Shutter                   Take Photo click to the new event row painted, Direct, 640x480;
//                             counters: floor_ms (that photo's frame encoded alone, quality 99)
//                             and goal_ms (2 x floor + one frame interval at 30 fps)
//   Memory                    resident kB after start, after 10 and after 100 photos taken and
//                             sent to a contact; per_photo_kB from the 10th to the 100th
//   StoredRows                heap in use and resident kB after start on a stored list of no
//                             rows and of 6,000 rows; per_row_B, what a kept row costs
// Under an X server (xvfb-run) the program draws through xcb, otherwise offscreen.
#include "EventListSamples.h"
#include "OrbitUiProcess.h"
#include "OstSettings.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

const QString kScenario = QStringLiteral(R"({"users": [
    {"handle": "me", "fullName": "Me", "friends": ["bob"]},
    {"handle": "bob", "fullName": "Bob", "status": "ONLINE", "friends": ["me"], "photoApp": true}
  ]})");
constexpr int kWaitMs = 60000;
constexpr double kFrameIntervalMs = 1000.0 / 30;

// One network and one bus for every benchmark, and homes that keep their files between runs.
struct World {
    World() {
        ok = dir.isValid() && bus.IsValid() && peer.Start(kScenario, {{QStringLiteral("me"), bus.Address()}});
    }
    ~World() { peer.Stop(); }
    QString Home(const char* name) const { return dir.path() + u'/' + QLatin1String(name); }

    QTemporaryDir dir;
    PrivateBus bus;
    SkypePeerProcess peer;
    bool ok = false;
};

World& TheWorld() {
    static World world;
    return world;
}

bool HasX() { return !qEnvironmentVariableIsEmpty("DISPLAY"); }

double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool DropPageCache() {
    ::sync();
    QFile control(QStringLiteral("/proc/sys/vm/drop_caches"));
    return control.open(QIODevice::WriteOnly) && control.write("3\n") == 2;
}

// Starts the program and returns the milliseconds from its start to the line `painted what`,
// or -1 when it never came; sinceMain gets the program's own count from main() on.
double TimeStart(const QString& home, const QStringList& arguments, const QString& what,
                 double* sinceMain = nullptr) {
    OrbitUiProcess orbit;
    QElapsedTimer timer;
    timer.start();
    if (!orbit.Start(TheWorld().bus.Address(), home, arguments))
        return -1;
    const int at = orbit.WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"painted" && f.value(1) == what; }, kWaitMs);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (sinceMain && at >= 0)
        *sinceMain = orbit.Lines()[at].value(2).toDouble();
    orbit.Quit();
    return at < 0 ? -1 : ms;
}

// Starts the program once per iteration; the first start ever (folders and files made) is
// not counted.
void TimeStarts(benchmark::State& state, const QString& home, const QStringList& arguments,
                const QString& what, bool cold) {
    if (TimeStart(home, arguments, what) < 0)
        return state.SkipWithError("the program did not start or never painted");
    std::vector<double> times;
    std::vector<double> inProcess;
    for (auto _ : state) {
        if (cold && !DropPageCache()) {
            state.SkipWithError("cannot drop the page cache (needs root)");
            break;
        }
        double sinceMain = 0;
        const double ms = TimeStart(home, arguments, what, &sinceMain);
        if (ms < 0) {
            state.SkipWithError("the program did not start or never painted");
            break;
        }
        times.push_back(ms);
        inProcess.push_back(sinceMain);
        state.SetIterationTime(ms / 1000);
    }
    state.counters["median_ms"] = Median(times);
    // The part after main() began: the rest is loading the executable and its libraries.
    state.counters["from_main_ms"] = Median(inProcess);
    state.counters["max_ms"] = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
}

enum class Start { Warm, Cold, SlowSkype };

void StartupToFirstPaint(benchmark::State& state, Start how) {
    World& world = TheWorld();
    if (!world.ok)
        return state.SkipWithError("no bus or skype-peer");
    if (how == Start::Cold && qEnvironmentVariable("ORBIT_BENCH_DROP_CACHES") != u"1")
        return state.SkipWithError("set ORBIT_BENCH_DROP_CACHES=1 (as root) for the cold start");
    // Skype answering every command a second late: the dialog must not wait for it.
    const int delay = how == Start::SlowSkype ? 1000 : 0;
    world.peer.SetReplyDelay(QStringLiteral("me"), delay);
    world.peer.SetAttachMode(QStringLiteral("me"), delay ? QStringLiteral("delay") : QStringLiteral("accept"), delay);
    TimeStarts(state, world.Home("startup"), {}, QStringLiteral("main"), how == Start::Cold);
    world.peer.SetReplyDelay(QStringLiteral("me"), 0);
    world.peer.SetAttachMode(QStringLiteral("me"), QStringLiteral("accept"), 0);
}
BENCHMARK_CAPTURE(StartupToFirstPaint, warm, Start::Warm)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupToFirstPaint, cold, Start::Cold)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupToFirstPaint, slow_skype, Start::SlowSkype)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void StartupToTray(benchmark::State& state) {
    if (!TheWorld().ok)
        return state.SkipWithError("no bus or skype-peer");
    if (!HasX() || QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
        return state.SkipWithError("needs an X display (xvfb-run) and trayer");
    QProcess tray;
    tray.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                          QStringLiteral("right"), QStringLiteral("--widthtype"),
                                          QStringLiteral("pixel"), QStringLiteral("--width"), QStringLiteral("120"),
                                          QStringLiteral("--height"), QStringLiteral("24")});
    if (!tray.waitForStarted(5000))
        return state.SkipWithError("trayer did not start");
    QThread::msleep(1000); // until it owns the tray selection
    TimeStarts(state, TheWorld().Home("tray"), {QStringLiteral("-startup")}, QStringLiteral("tray"), false);
    tray.terminate();
    tray.waitForFinished(3000);
}
BENCHMARK(StartupToTray)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// The program, started, with its contacts loaded and its first paint done.
bool StartReady(OrbitUiProcess& orbit, const QString& home) {
    if (!orbit.Start(TheWorld().bus.Address(), home))
        return false;
    return orbit.WaitUntil(
        [&] {
            const int from = orbit.LineCount();
            orbit.Command({QStringLiteral("items"), QStringLiteral("1002")});
            const int at = orbit.WaitForLine([](const QStringList& f) { return f.value(0) == u"items"; },
                                             5000, from);
            return at >= 0 && orbit.Lines()[at].contains(QStringLiteral("Bob"));
        },
        kWaitMs);
}

// Clicks Take Photo and waits for the new row's paint; milliseconds, or -1.
double Shoot(OrbitUiProcess& orbit) {
    if (!orbit.WaitUntil([&] { return orbit.Enabled(QStringLiteral("1016")); }, kWaitMs))
        return -1;
    const int from = orbit.LineCount();
    QElapsedTimer timer;
    timer.start();
    orbit.Command({QStringLiteral("click"), QStringLiteral("1016")});
    const int at =
        orbit.WaitForLine([](const QStringList& f) { return f.value(0) == u"row-shown"; }, kWaitMs, from);
    return at < 0 ? -1 : double(timer.nsecsElapsed()) / 1e6;
}

// Encoding the photo's frame alone, as the grab does last: quality 99 JPEG, in memory.
double EncodeFloorMs(const QString& photo) {
    const QImage frame = QImage(photo).convertToFormat(QImage::Format_RGB32);
    if (frame.isNull())
        return 0;
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QElapsedTimer timer;
        timer.start();
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(99);
        writer.write(frame);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

void Shutter(benchmark::State& state) {
    if (!TheWorld().ok)
        return state.SkipWithError("no bus or skype-peer");
    OrbitUiProcess orbit;
    if (!StartReady(orbit, TheWorld().Home("shutter")))
        return state.SkipWithError("the program did not start");
    Shoot(orbit); // the first photo also makes the folder
    std::vector<double> times;
    for (auto _ : state) {
        const double ms = Shoot(orbit);
        if (ms < 0) {
            state.SkipWithError("no row");
            break;
        }
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    const QStringList top = orbit.Rows().value(0);
    const double floor = EncodeFloorMs(orbit.PicturesFolder() + top.value(2));
    state.counters["median_ms"] = Median(times);
    state.counters["floor_ms"] = floor;
    state.counters["goal_ms"] = 2 * floor + kFrameIntervalMs;
    state.SetLabel(top.value(4).toStdString());
    orbit.Quit();
}
BENCHMARK(Shutter)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

// Takes a photo and sends it to Bob; true once Bob has it whole.
bool ShootAndSend(OrbitUiProcess& orbit, int sentBefore) {
    SkypePeerProcess& peer = TheWorld().peer;
    if (Shoot(orbit) < 0 || !orbit.Do({QStringLiteral("click-cell"), QStringLiteral("1000"), QStringLiteral("0"),
                                       QStringLiteral("2")}))
        return false;
    if (!orbit.Do({QStringLiteral("click"), QStringLiteral("1017")}))
        return false;
    return SkypePeerProcess::WaitUntil(
        [&] {
            int complete = 0;
            for (const auto& t : peer.Transfers(QStringLiteral("bob")))
                complete += t.direction == u"in" && t.state == u"complete" ? 1 : 0;
            return complete > sentBefore;
        },
        kWaitMs);
}

// One run: the figures as counters, or the reason it failed.
QString MeasureMemory(benchmark::State& state) {
    OrbitUiProcess orbit;
    if (!StartReady(orbit, TheWorld().Home("memory")) ||
        !orbit.Do({QStringLiteral("pick"), QStringLiteral("1002"), QStringLiteral("Bob")}))
        return QStringLiteral("the program did not start");
    int sent = 0;
    for (const auto& t : TheWorld().peer.Transfers(QStringLiteral("bob")))
        sent += t.direction == u"in" && t.state == u"complete" ? 1 : 0;
    const double atStart = orbit.MemoryKb(OrbitUiProcess::Memory::Resident);
    double atTen = 0;
    for (int i = 0; i < 100; ++i) {
        if (!ShootAndSend(orbit, sent + i))
            return QStringLiteral("photo %1 was not sent").arg(i + 1);
        if (i == 9)
            atTen = orbit.MemoryKb(OrbitUiProcess::Memory::Resident);
    }
    const double atHundred = orbit.MemoryKb(OrbitUiProcess::Memory::Resident);
    state.counters["start_kB"] = atStart;
    state.counters["after10_kB"] = atTen;
    state.counters["after100_kB"] = atHundred;
    state.counters["per_photo_kB"] = (atHundred - atTen) / 90;
    state.counters["rows"] = double(orbit.Rows().size());
    orbit.Quit();
    return {};
}

void Memory(benchmark::State& state) {
    if (!TheWorld().ok)
        return state.SkipWithError("no bus or skype-peer");
    for (auto _ : state) {
        const QString failure = MeasureMemory(state);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(Memory)->Iterations(1)->Unit(benchmark::kSecond);

// A home whose stored list has count sample rows, saved by the program's own store, each
// naming a photo that is there (hard links to one small picture).
bool StoredHome(const QString& home, int count) {
    OstSettings::Locations locations;
    locations.DataLocation = home + QStringLiteral("/.local/share");
    locations.PicturesLocation = home + QStringLiteral("/Pictures");
    const QString pictures = locations.PicturesLocation + QStringLiteral("/Orbit/");
    if (!QDir(home).removeRecursively() || !QDir().mkpath(pictures))
        return false;
    const QString photo = pictures + QStringLiteral("photo.jpg");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::gray);
    if (!image.save(photo))
        return false;
    QList<EventRecord> events = SampleEvents(count);
    for (EventRecord& event : events) {
        event.EventFolder = pictures;
        if (::link(QFile::encodeName(photo).constData(), QFile::encodeName(event.FullPath()).constData()) != 0)
            return false;
    }
    return OstSettings(locations).SaveEventList(events);
}

void StoredRows(benchmark::State& state) {
    if (!TheWorld().ok)
        return state.SkipWithError("no bus or skype-peer");
    constexpr int kRows = 6000;
    for (auto _ : state) {
        double heap[2] = {0, 0}, resident[2] = {0, 0};
        for (int i = 0; i < 2; ++i) {
            const QString home = TheWorld().Home(i ? "rows-many" : "rows-none");
            OrbitUiProcess orbit;
            if (!StoredHome(home, i ? kRows : 0) || !StartReady(orbit, home) ||
                orbit.Rows().size() != (i ? kRows : 0))
                return state.SkipWithError("the stored list was not shown whole");
            // Start-up's passing work (the first paints, the contacts' details) ends first.
            orbit.WaitUntil([] { return false; }, 3000);
            heap[i] = orbit.MemoryKb(OrbitUiProcess::Memory::HeapInUse);
            resident[i] = orbit.MemoryKb(OrbitUiProcess::Memory::Resident);
            orbit.Quit();
        }
        state.counters["heap_none_kB"] = heap[0];
        state.counters["heap_rows_kB"] = heap[1];
        state.counters["per_row_B"] = (heap[1] - heap[0]) * 1024 / kRows;
        state.counters["resident_per_row_B"] = (resident[1] - resident[0]) * 1024 / kRows;
    }
}
BENCHMARK(StoredRows)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    // Under an X server the program draws through it, as on a desktop.
    if (HasX() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
