#include "EventListSamples.h"
#include "OstSettings.h"

#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kEvents = 10000;

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
    OstSettings(LocationsIn(dir)).SaveEventList(SampleEvents(kEvents));
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
    const QList<EventRecord> events = SampleEvents(kEvents);
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
