#include "StoreTestSupport.h"

#include <QFileInfo>

namespace {

EventRecord Record(std::int32_t type, std::int32_t status, const QString& name,
                   const QString& friendId = {}) {
    EventRecord record;
    record.EventType = type;
    record.Status = status;
    record.EventFolder = u"/home/u/Pictures/Orbit/"_qs;
    record.EventName = name;
    record.FriendID = friendId;
    record.Resolution = u"640x480"_qs;
    record.PictureSize = u"1.50 KB"_qs;
    return record;
}

} // namespace

TEST_F(StoreTest, EventsComeBackInOrderWithEveryFieldAndUnderWayTransfersEnded) {
    const QList<EventRecord> saved = {
        Record(EventRecord::Received, EventRecord::Transferring, u"in(1).jpg"_qs, u"Ann Lee"_qs),
        Record(EventRecord::Sent, EventRecord::Completed, u"20090305-0002.jpg"_qs, u"bob"_qs),
        Record(EventRecord::Sent, EventRecord::Ended, u"20090305-0002.jpg"_qs, u"<b&b>"_qs),
        Record(EventRecord::Taken, EventRecord::NoTransfer, u"20090305-0001.jpg"_qs),
    };
    QList<EventRecord> expected = saved;
    expected[0].Status = EventRecord::Ended;
    {
        auto store = Open();
        store->SaveEventList(saved);
        EXPECT_EQ(store->GetEvents(), expected);
    }
    EXPECT_EQ(Open()->GetEvents(), expected);

    const QByteArray file = ReadFile(dataFolder + u"EventList.xml"_qs);
    EXPECT_TRUE(file.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<EventList><Event>"
                                "<EventType>2</EventType>"
                                "<EventFolder>/home/u/Pictures/Orbit/</EventFolder>"
                                "<EventName>in(1).jpg</EventName><FriendID>Ann Lee</FriendID>"
                                "<Resolution>640x480</Resolution><PictureSize>1.50 KB</PictureSize>"
                                "<Status>3</Status></Event><Event>"))
        << file.toStdString();
    EXPECT_TRUE(file.endsWith("</Event></EventList>\n"));
}

TEST_F(StoreTest, AnEmptyListIsSavedAsAnEmptyRootAndLoadsEmpty) {
    Open()->SaveEventList({Record(0, 0, u"a.jpg"_qs)});
    Open()->SaveEventList({});
    const QByteArray file = ReadFile(dataFolder + u"EventList.xml"_qs);
    EXPECT_TRUE(file.contains("<EventList/>") || file.contains("<EventList></EventList>"))
        << file.toStdString();
    EXPECT_TRUE(Open()->GetEvents().isEmpty());
}

TEST_F(StoreTest, EveryChildOfTheFirstEventListIsARecord) {
    WriteEvents("<?xml version=\"1.0\" encoding=\"utf-8\"?><Wrap><EventList>"
                "text between records"
                "<Event><EventType>1</EventType><EventName>a.jpg</EventName>"
                "<Status>2</Status><Extra>x</Extra><eventname>lower</eventname></Event>"
                "<Photo><EventName>b.jpg</EventName><EventName>c.jpg</EventName></Photo>"
                "<Event/>"
                "<Event><EventType> -2x</EventType><Status>99999999999</Status></Event>"
                "</EventList></Wrap>");
    const QList<EventRecord> events = Open()->GetEvents();
    ASSERT_EQ(events.size(), 4);
    EXPECT_EQ(events[0].EventType, 1);
    EXPECT_EQ(events[0].EventName, u"a.jpg"_qs);
    EXPECT_EQ(events[0].Status, 2);
    EXPECT_EQ(events[1].EventName, u"c.jpg"_qs);
    EXPECT_EQ(events[1].EventType, 0); // absent numbers are 0
    EXPECT_EQ(events[2], EventRecord{});
    EXPECT_EQ(events[3].EventType, -2);
    EXPECT_EQ(events[3].Status, std::numeric_limits<std::int32_t>::max());
}

TEST_F(StoreTest, BrokenEventListsGiveAnEmptyListAndLongOnesLoadWhole) {
    const QByteArray good = "<EventList><Event><EventName>a.jpg</EventName></Event></EventList>";
    for (const QByteArray& file :
         {good.left(good.size() - 3), QByteArray("\x00\x01\x02\xff\xfe", 5),
          QByteArray("<Events><Event><EventName>a.jpg</EventName></Event></Events>")}) {
        WriteEvents(file);
        EXPECT_TRUE(Open()->GetEvents().isEmpty());
    }

    const QString longName(100000, u'e');
    QByteArray big = "<EventList>";
    const QByteArray one = "<Event><EventType>0</EventType><EventName>x.jpg</EventName></Event>";
    const int count = 100000;
    big.reserve(count * one.size() + 200000);
    for (int i = 0; i < count; ++i)
        big.append(one);
    big.append("<Event><EventName>" + longName.toUtf8() + "</EventName></Event></EventList>");
    WriteEvents(big);
    const QList<EventRecord> events = Open()->GetEvents();
    ASSERT_EQ(events.size(), count + 1);
    EXPECT_EQ(events.last().EventName, longName);
}

TEST_F(StoreTest, SizeTextDividesBy1024WhileAboveIt) {
    EXPECT_EQ(EventRecord::SizeText(0), u"0.00 Bytes"_qs);
    EXPECT_EQ(EventRecord::SizeText(1024), u"1024.00 Bytes"_qs);
    EXPECT_EQ(EventRecord::SizeText(1025), u"1.00 KB"_qs);
    EXPECT_EQ(EventRecord::SizeText(1536), u"1.50 KB"_qs);
    EXPECT_EQ(EventRecord::SizeText(1048576), u"1024.00 KB"_qs);
    EXPECT_EQ(EventRecord::SizeText(3u * 1024 * 1024 * 1024), u"3.00 GB"_qs);
    EXPECT_EQ(EventRecord::SizeText(0xFFFFFFFFu), u"4.00 GB"_qs); // rounds up in single precision
}

TEST_F(StoreTest, ATakenPhotoRecordSplitsThePathAndMeasuresTheFile) {
    const QString path = temp.path() + u"/shots/20090305-0001.jpg"_qs;
    WriteFile(path, QByteArray(1536, 'j'));
    const EventRecord record = EventRecord::TakenPhoto(path, u"320x240"_qs);
    EXPECT_EQ(record.EventType, EventRecord::Taken);
    EXPECT_EQ(record.Status, EventRecord::NoTransfer);
    EXPECT_EQ(record.EventFolder, temp.path() + u"/shots/"_qs);
    EXPECT_EQ(record.EventName, u"20090305-0001.jpg"_qs);
    EXPECT_EQ(record.FullPath(), path);
    EXPECT_EQ(record.FriendID, QString());
    EXPECT_EQ(record.Resolution, u"320x240"_qs);
    EXPECT_EQ(record.PictureSize, u"1.50 KB"_qs);

    WriteFile(path, QByteArray());
    EXPECT_EQ(EventRecord::SizeTextOfFile(path), u"0.00 Bytes"_qs);
    EXPECT_EQ(EventRecord::SizeTextOfFile(temp.path() + u"/missing.jpg"_qs), QString());
    EXPECT_EQ(EventRecord::SizeTextOfFile(temp.path()), QString());
    EXPECT_EQ(EventRecord::TakenPhoto(u"bare.jpg"_qs, {}).EventFolder, QString());
}
