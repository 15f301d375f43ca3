#include "OstSettings.h"

#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kEvents = 10000;

QList<EventRecord> MakeEvents() {
    QList<EventRecord> events;
    events.reserve(kEvents);
    for (int i = 0; i < kEvents; ++i) {
        EventRecord record;
        record.EventType = i % 3;
        record.Status = record.EventType == EventRecord::Taken ? 0 : 2 + i % 2;
        record.EventFolder = QStringLiteral("/home/user/Pictures/Orbit/");
        record.EventName = QStringLiteral("20090305-%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0'));
        record.FriendID =
            record.EventType == EventRecord::Taken ? QString() : QStringLiteral("Ann Lee");
        record.Resolution = QStringLiteral("640x480");
        record.PictureSize = EventRecord::SizeText(40000u + static_cast<unsigned>(i) * 37u);
        events.append(record);
    }
    return events;
}

OstSettings::Locations LocationsIn(const QTemporaryDir& dir) {
    OstSettings::Locations locations;
    locations.DataLocation = dir.path() + QStringLiteral("/data");
    locations.PicturesLocation = dir.path() + QStringLiteral("/pictures");
    locations.Today = [] { return QDate(2009, 3, 5); };
    return locations;
}

// Start-up cost of a store whose event list holds 10,000 events.
void BM_LoadEventList(benchmark::State& state) {
    QTemporaryDir dir;
    OstSettings(LocationsIn(dir)).SaveEventList(MakeEvents());
    for (auto _ : state) {
        OstSettings store(LocationsIn(dir));
        if (store.GetEvents().size() != kEvents)
            state.SkipWithError("event list did not load");
        benchmark::DoNotOptimize(store);
    }
    state.SetItemsProcessed(state.iterations() * kEvents);
}
BENCHMARK(BM_LoadEventList)->Unit(benchmark::kMillisecond);

// Saving 10,000 events, as the program does when the main dialog closes and at exit.
void BM_SaveEventList(benchmark::State& state) {
    QTemporaryDir dir;
    OstSettings store(LocationsIn(dir));
    const QList<EventRecord> events = MakeEvents();
    for (auto _ : state) {
        if (!store.SaveEventList(events))
            state.SkipWithError("event list was not saved");
    }
    state.SetItemsProcessed(state.iterations() * kEvents);
}
BENCHMARK(BM_SaveEventList)->Unit(benchmark::kMillisecond);

void BM_MakePhotoFileName(benchmark::State& state) {
    QTemporaryDir dir;
    OstSettings store(LocationsIn(dir));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.MakePhotoFileName());
}
BENCHMARK(BM_MakePhotoFileName);

} // namespace

BENCHMARK_MAIN();
