#include "EventListSamples.h"

QList<EventRecord> SampleEvents(int count) {
    QList<EventRecord> events;
    events.reserve(count);
    for (int i = 0; i < count; ++i) {
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
