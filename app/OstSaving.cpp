#include "OstSaving.h"

#include "OstEventListModel.h"
#include "OstSettings.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSaving, "orbit.saving", QtInfoMsg)

OstSaving::OstSaving(Parts parts, int intervalMs)
    : parts_(std::move(parts)), intervalMs_(intervalMs) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Now(); });
}

void OstSaving::Schedule() {
    if (timer_.isActive())
        return;
    const qint64 since = last_.isValid() ? last_.elapsed() : intervalMs_;
    timer_.start(static_cast<int>(std::clamp<qint64>(intervalMs_ - since, 0, intervalMs_)));
}

void OstSaving::Now() {
    last_.start();
    if (Write(false)) {
        failureTold_ = false;
        return;
    }
    if (!failureTold_) {
        failureTold_ = true;
        parts_.tellFailure();
    }
}

void OstSaving::WriteEvents() {
    parts_.beforeWrite();
    // The transfers still running go on: the stored copy alone ends them.
    QList<EventRecord> records;
    parts_.events.SnapshotRecords(records);
    if (!parts_.settings.SaveEventList(records))
        qCWarning(lcSaving) << "saving the event list failed";
}

void OstSaving::Final() {
    timer_.stop();
    Write(true);
}

bool OstSaving::Write(bool ending) {
    parts_.beforeWrite();
    const bool settingsSaved = parts_.sheetOpen() && !ending
                                   ? parts_.settings.SaveSettings()
                                   : parts_.settings.ApplySettings(parts_.working);
    QList<EventRecord> records;
    if (ending)
        parts_.events.CollectRecords(records);
    else
        parts_.events.SnapshotRecords(records);
    const bool eventsSaved = parts_.settings.SaveEventList(records);
    if (!settingsSaved || !eventsSaved)
        qCWarning(lcSaving) << "saving the settings or the event list failed";
    return settingsSaved && eventsSaved;
}
