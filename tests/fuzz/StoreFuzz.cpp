// Feeds arbitrary bytes to the program's reader of one stored file ("Settings.xml" or
// "EventList.xml", chosen at build time) and checks what it read survives its own save: read,
// save, read again, and the two readings must agree. Everything happens in a private folder.
#include "FuzzSandbox.h"
#include "OstSettings.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#ifndef ORBIT_FUZZ_FILE
#error "ORBIT_FUZZ_FILE names the stored file under test"
#endif

namespace {
const QTemporaryDir* g_root = nullptr;

OstSettings::Locations Locations() {
    OstSettings::Locations locations;
    locations.DataLocation = g_root->filePath(QStringLiteral("data"));
    locations.PicturesLocation = g_root->filePath(QStringLiteral("pictures"));
    locations.Today = [] { return QDate(2026, 12, 8); };
    return locations;
}

[[noreturn]] void Disagree(const char* what) {
    std::fprintf(stderr, "the stored file read back differently after its own save: %s\n", what);
    std::abort();
}

void CheckRoundTrip(const OstSettings& first) {
    OstSettings second(Locations());
    if (QLatin1String(ORBIT_FUZZ_FILE) == QLatin1String("Settings.xml")) {
        if (!(second.GetSettings() == first.GetSettings()))
            Disagree("settings");
        if (second.GetLastSystemTime() != first.GetLastSystemTime() ||
            second.GetTimeSerialNumber() != first.GetTimeSerialNumber() ||
            second.GetCustomSerialNumber() != first.GetCustomSerialNumber())
            Disagree("counters");
        return;
    }
    QList<EventRecord> expected = first.GetEvents();
    for (EventRecord& record : expected)
        if (record.Status == EventRecord::Transferring)
            record.Status = EventRecord::Ended;
    if (second.GetEvents() != expected)
        Disagree("events");
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    g_root = &FuzzSandbox::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString folder = g_root->filePath(QStringLiteral("data/Ostrel/Orbit/"));
    QDir(g_root->path()).removeRecursively();
    QDir().mkpath(folder);
    QFile stored(folder + QStringLiteral(ORBIT_FUZZ_FILE));
    if (!stored.open(QIODevice::WriteOnly))
        std::abort();
    stored.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    stored.close();

    OstSettings first(Locations());
    // The save writes what was read; a failed save (a folder refused) has nothing to compare.
    const bool saved = QLatin1String(ORBIT_FUZZ_FILE) == QLatin1String("Settings.xml")
                           ? first.SaveSettings()
                           : first.SaveEventList(first.GetEvents());
    if (saved)
        CheckRoundTrip(first);
    return 0;
}
