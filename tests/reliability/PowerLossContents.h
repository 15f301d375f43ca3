#pragma once

#include "EventRecord.h"
#include "OstSettings.h"

#include <QDate>
#include <QList>
#include <QString>

// The two contents the save loop alternates between, so that whatever it left can be told
// whole (one of them) from mixed or cut.
namespace PowerLoss {

inline OstSettings::Locations Locations(const QString& data) {
    OstSettings::Locations locations;
    locations.DataLocation = data + QStringLiteral("/data");
    locations.PicturesLocation = data + QStringLiteral("/pictures");
    locations.Today = [] { return QDate(2026, 12, 8); };
    return locations;
}

// Long enough that a save takes more than one write.
inline QString DeviceName(bool first) {
    return QString(20000, first ? u'A' : u'B');
}

inline QList<EventRecord> Events(bool first) {
    QList<EventRecord> events;
    for (int i = 0; i < (first ? 300 : 400); ++i) {
        EventRecord record;
        record.EventType = first ? EventRecord::Taken : EventRecord::Received;
        record.EventFolder = QStringLiteral("/home/ann/Pictures/Orbit/");
        record.EventName = QStringLiteral("%1-%2.jpg").arg(first ? u'a' : u'b').arg(i);
        record.FriendID = first ? QString() : QStringLiteral("Bo Chen");
        record.Resolution = QStringLiteral("640x480");
        record.PictureSize = QStringLiteral("47.74 KB");
        events.append(record);
    }
    return events;
}

inline QString PhotoPath(const QString& data, int round) {
    return data + QStringLiteral("/pictures/photo-%1.jpg").arg(round);
}

} // namespace PowerLoss
