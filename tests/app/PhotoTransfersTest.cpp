// The transfers without the dialog: rows kept in a list, Skype without a bus.

#include "EventRow.h"
#include "FakeSkypeTransport.h"
#include "IOstEventRows.h"
#include "OstPhotoTransfers.h"
#include "OstSkypeController.h"
#include "TransferReport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Rows in a list, with the states the list control gives them.
class ListedRows : public IOstEventRows {
public:
    struct Row {
        EventRecord record;
        std::uint32_t id = 0;
        int progress = EventRow::NoProgress;
        bool button = false;
    };

    void AddEvent(const EventRecord& record, std::uint32_t id) override {
        rows.prepend({record, id, id ? EventRow::Connecting : EventRow::NoProgress, id != 0});
    }
    void SetProgress(std::uint32_t id, int value) override {
        const int index = FindByTransferId(id);
        if (index >= 0 && rows[index].progress < EventRow::Finished)
            rows[index].progress = value;
    }
    int FindByTransferId(std::uint32_t id) const override {
        for (int i = 0; i < rows.size(); ++i)
            if (id != 0 && rows[i].id == id)
                return i;
        return -1;
    }
    void EndTransfer(int index) override { rows[index].button = false; }
    bool GetRecord(int index, EventRecord& record) const override {
        if (index < 0 || index >= rows.size())
            return false;
        record = rows[index].record;
        return true;
    }
    QString GetPeerName(int index) const override { return rows.value(index).record.FriendID; }
    void SetEventName(int index, const QString& name) override {
        rows[index].record.EventName = name;
    }

    QList<Row> rows;
    int selected = -1;
};

TransferReport Report(TransferStatus status, std::uint32_t id, int done = 0, int total = 0,
                      const QString& name = u"p.jpg"_qs) {
    TransferReport report;
    report.peer = u"bob"_qs;
    report.transferId = id;
    report.status = status;
    report.details = TransferProgress{name, done, total};
    return report;
}

} // namespace

class PhotoTransfersTest : public ::testing::Test {
protected:
    PhotoTransfersTest() {
        transport->Accept();
        transport->Deliver(u"USERSTATUS ONLINE"_qs);
    }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    ListedRows rows;
    QStringList told;
    int changes = 0;
    int arrived = 0;
    OstPhotoTransfers transfers{
        skype, rows,
        OstPhotoTransfers::Hooks{
            [](int number) { return u"<%1>"_qs.arg(number); },
            [](const QString& handle) { return handle == u"bob" ? u"Bob"_qs : handle; },
            [] { return u"/photos/Receive/"_qs; }, [this](int index) { rows.selected = index; },
            [this] { ++arrived; },
            [this](const QString& text) { told << text; }, [this] { ++changes; }}};
};

TEST_F(PhotoTransfersTest, EveryReportLeadsItsRowToItsEnd) {
    TransferReport announce;
    announce.peer = u"bob"_qs;
    announce.transferId = 7;
    announce.status = TRANSFER_ANNOUNCED;
    announce.details = TransferAnnounce{u"p.jpg"_qs, u"640x480"_qs, u"47.75KB"_qs};
    transfers.OnSkypeAp2ApMessage(announce);
    ASSERT_EQ(rows.rows.size(), 1);
    EXPECT_EQ(rows.rows[0].record.FriendID, u"Bob"_qs);
    EXPECT_EQ(rows.rows[0].record.PictureSize, u"47.75"_qs);
    EXPECT_EQ(rows.rows[0].record.EventFolder, u"/photos/Receive/"_qs);
    EXPECT_EQ(changes, 1) << "a new row is stored";

    transfers.OnSkypeAp2ApMessage(Report(TRANSFER_PACKET_RECEIVED, 7, 1, 4));
    EXPECT_EQ(rows.rows[0].progress, 25);
    EXPECT_EQ(changes, 1) << "progress alone is not stored";
    // The name the file got (another photo had the announced one) goes into the row.
    transfers.OnSkypeAp2ApMessage(Report(TRANSFER_RECEIVED, 7, 4, 4, u"p(1).jpg"_qs));
    EXPECT_EQ(rows.rows[0].progress, EventRow::Finished);
    EXPECT_EQ(rows.rows[0].record.EventName, u"p(1).jpg"_qs);
    EXPECT_EQ(rows.selected, 0);
    EXPECT_EQ(arrived, 1);
    EXPECT_EQ(changes, 2);

    // Each way a transfer ends short, on a row of its own.
    const std::pair<TransferStatus, int> ends[] = {
        {TRANSFER_SEND_OVERTIME, EventRow::Overtime},
        {TRANSFER_RECEIVE_OVERTIME, EventRow::Overtime},
        {TRANSFER_OPEN_FAILED, EventRow::OpenFailed},
        {TRANSFER_WRITE_FAILED, EventRow::WriteFailed},
        {TRANSFER_CANCELLED_BY_PEER, EventRow::Rejected},
        {TRANSFER_CANCELLED, EventRow::Canceled},
        {TRANSFER_CONNECT_FAILED, EventRow::ConnectFail},
    };
    std::uint32_t id = 100;
    for (const auto& [status, progress] : ends) {
        EventRecord sent;
        sent.FriendID = u"Bob"_qs;
        rows.AddEvent(sent, ++id);
        transfers.OnSkypeAp2ApMessage(Report(status, id));
        EXPECT_EQ(rows.rows[0].progress, progress) << status;
        // A report still on its way changes nothing any more.
        transfers.OnSkypeAp2ApMessage(Report(TRANSFER_PACKET_SENT, id, 1, 2));
        EXPECT_EQ(rows.rows[0].progress, progress) << status;
    }
    EXPECT_FALSE(rows.rows[0].button);
    EXPECT_EQ(told, QStringList{u"<466>p.jpg<467>Bob<468>"_qs})
        << "only a failed connection is told";
}

TEST_F(PhotoTransfersTest, NothingIsSentBeforeTheApplicationAndOnlyExistingPhotosAfter) {
    QTemporaryDir folder;
    EventRecord photo;
    photo.EventFolder = folder.path() + u'/';
    photo.EventName = u"a.jpg"_qs;
    photo.PictureSize = u"1.5 KB"_qs;
    EventRecord missing = photo;
    missing.EventName = u"gone.jpg"_qs;
    EventRecord second = photo;
    second.EventName = u"b.jpg"_qs;
    for (const EventRecord& present : {photo, second}) {
        QFile file(present.FullPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("jpeg");
    }

    EXPECT_FALSE(transfers.Send({photo}, u"bob"_qs, u"Bob"_qs));
    EXPECT_TRUE(rows.rows.isEmpty());

    transport->Deliver(u"CURRENTUSERHANDLE alice"_qs);
    transfers.ContactsComplete();
    ASSERT_TRUE(transfers.Ready());
    // Three chosen, the middle one gone meanwhile: the other two go, each a row of its own,
    // the last on top and shown.
    ASSERT_TRUE(transfers.Send({photo, missing, second}, u"bob"_qs, u"Bob"_qs));
    ASSERT_EQ(rows.rows.size(), 2) << "a photo that is gone is not sent";
    EXPECT_EQ(rows.rows[0].record.EventName, u"b.jpg"_qs);
    EXPECT_EQ(rows.rows[1].record.EventName, u"a.jpg"_qs);
    for (const ListedRows::Row& row : rows.rows) {
        EXPECT_EQ(row.record.EventType, EventRecord::Sent);
        EXPECT_EQ(row.record.FriendID, u"Bob"_qs);
        EXPECT_EQ(row.record.Status, EventRecord::Transferring);
        EXPECT_NE(row.id, 0u);
    }
    EXPECT_NE(rows.rows[0].id, rows.rows[1].id);
    EXPECT_EQ(rows.selected, 0);
    EXPECT_EQ(changes, 1) << "the new rows are stored";

    transfers.Drop();
    EXPECT_FALSE(transfers.Ready());
}
