// Shows the event list with a row in every state and saves a picture of it:
//   orbit_eventlist_preview <language id> <out.png>
#include "COstUI_Orbit_EventListCtrl.h"
#include "OstEventListModel.h"
#include "OstLanguageSelector.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

namespace {

EventRecord Event(std::int32_t type, std::int32_t status, const QString& name, const QString& peer,
                  const QString& size) {
    EventRecord record;
    record.EventType = type;
    record.Status = status;
    record.EventFolder = QStringLiteral("/home/user/Pictures/Orbit/");
    record.EventName = name;
    record.FriendID = peer;
    record.Resolution = QStringLiteral("640x480");
    record.PictureSize = size;
    return record;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <language id> <out.png>\n", argv[0]);
        return 2;
    }
    OstLanguageSelector::GetInstance().SetLanguage(
        static_cast<std::uint16_t>(QString::fromLocal8Bit(argv[1]).toUInt()));

    OstEventListModel events;
    COstUI_Orbit_EventListCtrl list(events);
    list.ApplyTexts();
    events.Load({
        Event(0, 0, QStringLiteral("20090305-0001.jpg"), {}, QStringLiteral("45.18 KB")),
        Event(1, 2, QStringLiteral("20090305-0001.jpg"), QStringLiteral("Ann Lee"),
              QStringLiteral("45.18 KB")),
        Event(2, 2, QStringLiteral("beach.jpg"), QStringLiteral("Mike Chen"),
              QStringLiteral("120.40 KB")),
        Event(1, 3, QStringLiteral("20090305-0002.jpg"), QStringLiteral("Jin-woo Park"),
              QStringLiteral("44.02 KB")),
    });
    events.AddEvent(Event(1, 1, QStringLiteral("20090305-0003.jpg"), QStringLiteral("Ann Lee"),
                        QStringLiteral("46.75 KB")),
                  11);
    events.AddEvent(Event(2, 1, QStringLiteral("garden-with-a-rather-long-name.jpg"),
                        QStringLiteral("Mike Chen"), QStringLiteral("98.11 KB")),
                  12);
    events.AddEvent(Event(1, 1, QStringLiteral("20090305-0004.jpg"), QStringLiteral("Jin-woo Park"),
                        QStringLiteral("45.90 KB")),
                  13);
    events.SetProgress(11, 37);
    events.SetProgress(12, 82);
    // Stored rows carry no progress; these show what the finished transfers looked like.
    events.Row(6)->Progress = 103;
    events.Row(5)->Progress = 100;
    events.Row(4)->Progress = 100;
    events.Row(1)->ButtonState = EventRow::CancelButtonHot;
    list.SelectOnly(3);
    list.resize(636, 190);
    list.show();
    QApplication::processEvents();
    if (!list.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
