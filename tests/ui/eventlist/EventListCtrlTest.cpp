#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_HeaderCtrl.h"
#include "OstEventListDelegate.h"
#include "OstEventListModel.h"
#include "OstLanguageSelector.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

EventRecord Record(std::int32_t type, const QString& name, std::int32_t status = 0,
                   const QString& folder = QString()) {
    EventRecord record;
    record.EventType = type;
    record.Status = status;
    record.EventFolder = folder;
    record.EventName = name;
    record.FriendID = type == EventRecord::Taken ? QString() : u"Ann Lee"_qs;
    record.Resolution = u"640x480"_qs;
    record.PictureSize = u"45.10 KB"_qs;
    return record;
}

bool IsBarGreen(QRgb pixel) {
    return qGreen(pixel) > qRed(pixel) + 30 && qGreen(pixel) > qBlue(pixel) + 30;
}

// Length of the run of bar pixels on the line y of the rectangle, and where it starts.
std::pair<int, int> GreenRun(const QImage& image, const QRect& cell, int y) {
    int start = -1;
    int length = 0;
    for (int x = cell.left(); x <= cell.right(); ++x) {
        if (IsBarGreen(image.pixel(x, y))) {
            if (start < 0)
                start = x;
            ++length;
        }
    }
    return {start, length};
}

} // namespace

class EventListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        list = std::make_unique<COstUI_Orbit_EventListCtrl>(events);
        list->resize(700, 260);
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    }

    QString Shown(int row, int column) const {
        return list->model()->index(row, column).data().toString();
    }
    QImage Grab() const { return list->viewport()->grab().toImage(); }

    OstEventListModel events;
    std::unique_ptr<COstUI_Orbit_EventListCtrl> list;
};

TEST_F(EventListCtrlTest, TransferRowGoesFromConnectingThroughItsBarToItsFinalText) {
    events.AddEvent(Record(EventRecord::Taken, u"IMG-0001.jpg"_qs));
    events.AddEvent(Record(EventRecord::Sent, u"IMG-0001.jpg"_qs, EventRecord::Transferring), 42);
    EXPECT_EQ(Shown(0, 0), u"Cancel"_qs);
    EXPECT_EQ(Shown(0, 1), u"Connecting..."_qs);
    EXPECT_EQ(Shown(1, 1), QString());

    const QRect cell = list->CellRect(0, 1);
    const int barTop = cell.top() + 2; // above the centred text
    EXPECT_EQ(GreenRun(Grab(), cell, barTop).second, 0);

    // The bar's inner rectangle lies two pixels inside the left edge (grid line and frame)
    // and one inside the right one.
    const int innerWidth = cell.width() - 3;
    events.SetProgress(42, 37);
    EXPECT_EQ(Shown(0, 1), u"37%"_qs);
    QImage image = Grab();
    EXPECT_EQ(GreenRun(image, cell, barTop),
              std::make_pair(cell.left() + 3, (innerWidth - 2) * 37 / 100));
    EXPECT_EQ(image.pixel(cell.left() + 2, barTop), OstEventListDelegate::kBarFrame);
    EXPECT_EQ(image.pixel(cell.left() + 3 + (innerWidth - 2) * 37 / 100, barTop),
              qRgb(255, 255, 255));
    EXPECT_EQ(OstEventListDelegate::BarRect(cell, 37).width(), (innerWidth - 2) * 37 / 100);

    // Neither a transfer no row carries nor the id of rows without one changes anything.
    events.SetProgress(999, 50);
    events.SetProgress(0, 50);
    EXPECT_EQ(Shown(0, 1), u"37%"_qs);
    EXPECT_EQ(Shown(1, 1), QString());

    events.SetProgress(42, 100);
    EventRecord record;
    ASSERT_TRUE(events.GetRecord(0, record));
    EXPECT_EQ(record.Status, EventRecord::Completed);
    EXPECT_FALSE(events.Row(0)->HasButton());
    EXPECT_EQ(Shown(0, 1), u"Finish"_qs);
    EXPECT_EQ(GreenRun(Grab(), cell, barTop).second, innerWidth - 2);

    const std::pair<int, QString> finals[] = {{101, u"Connect fail"_qs},
                                              {102, u"Overtime"_qs},
                                              {103, u"Rejected"_qs},
                                              {104, u"Canceled"_qs},
                                              {105, u"?"_qs},
                                              {106, u"?"_qs},
                                              {250, u"?"_qs}};
    std::uint32_t id = 42;
    for (const auto& [code, text] : finals) {
        events.AddEvent(Record(EventRecord::Sent, u"IMG-0001.jpg"_qs, EventRecord::Transferring), ++id);
        events.SetProgress(id, 10);
        events.SetProgress(id, code);
        EXPECT_EQ(Shown(0, 1), text) << code;
        EXPECT_EQ(GreenRun(Grab(), cell, barTop).second, 0) << code;
        // A report still on its way when the row ended never turns it back into a bar.
        events.SetProgress(id, 60);
        EXPECT_EQ(Shown(0, 1), text) << code;
    }
    events.SetProgress(42, EventRow::Canceled);
    EXPECT_EQ(Shown(int(std::size(finals)), 1), u"Finish"_qs) << "a finished row stays finished";
}

TEST_F(EventListCtrlTest, EscPressesTheCurrentRowsCancelAndTheStatusReadsInWords) {
    events.AddEvent(Record(EventRecord::Sent, u"a.jpg"_qs, EventRecord::Transferring), 7);
    events.AddEvent(Record(EventRecord::Taken, u"b.jpg"_qs));
    QList<int> cancelled;
    QObject::connect(list.get(), &COstUI_Orbit_EventListCtrl::buttonClicked, [&](int row) { cancelled << row; });
    const auto spoken = [&](int row) {
        return events.data(events.index(row, OstEventListModel::StatusColumn), Qt::AccessibleTextRole).toString();
    };
    EXPECT_EQ(spoken(1), events.CancelText());
    EXPECT_FALSE(events.data(events.index(1, 0), Qt::AccessibleDescriptionRole).toString().isEmpty());

    // On a row without a transfer Esc does nothing; on the transfer's row it cancels it.
    list->SelectOnly(0);
    QTest::keyClick(list.get(), Qt::Key_Escape);
    EXPECT_TRUE(cancelled.isEmpty());
    list->SelectOnly(1);
    QTest::keyClick(list.get(), Qt::Key_Escape);
    EXPECT_EQ(cancelled, QList<int>({1}));
    EXPECT_FALSE(events.Row(1)->HasButton());
    // The cancelled transfer shows the cross, and says "Not completed"; a finished one says "Succeeded".
    EXPECT_EQ(spoken(1), OstLanguageSelector::GetInstance().GetString(510));
    events.AddEvent(Record(EventRecord::Received, u"c.jpg"_qs, EventRecord::Completed));
    EXPECT_EQ(spoken(0), OstLanguageSelector::GetInstance().GetString(509));
    EXPECT_EQ(spoken(2), OstLanguageSelector::GetInstance().GetString(510));
    EXPECT_TRUE(spoken(1).isEmpty());
}

TEST_F(EventListCtrlTest, RowHandlesFollowTheirRowsAndASnapshotEndsNoTransfer) {
    events.Load({Record(EventRecord::Taken, u"a.jpg"_qs), Record(EventRecord::Taken, u"b.jpg"_qs)});
    const QPersistentModelIndex b = list->RowHandle(1);
    const QPersistentModelIndex a = list->RowHandle(0);
    EXPECT_EQ(list->RowOf(list->RowHandle(7)), -1);

    // Rows arriving on top move the chosen rows down; a deleted row is gone, not another one.
    events.AddEvent(Record(EventRecord::Received, u"c.jpg"_qs, EventRecord::Transferring), 9);
    EXPECT_EQ(list->RowOf(b), 2);
    EXPECT_EQ(list->RowOf(a), 1);
    events.Delete(1);
    EXPECT_EQ(list->RowOf(a), -1);
    EXPECT_EQ(list->RowOf(b), 1);
    events.Clear();
    EXPECT_EQ(list->RowOf(b), -1);

    events.AddEvent(Record(EventRecord::Received, u"d.jpg"_qs, EventRecord::Transferring), 10);
    QList<EventRecord> stored;
    events.SnapshotRecords(stored);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].Status, EventRecord::Ended) << "as the stored list would read after a crash";
    EXPECT_EQ(events.Row(0)->Record.Status, EventRecord::Transferring) << "the transfer goes on";
    EXPECT_TRUE(events.Row(0)->HasButton());
    events.SetProgress(10, 40);
    EXPECT_EQ(Shown(0, 1), u"40%"_qs);
}

TEST_F(EventListCtrlTest, CancelButtonAnswersInsideItsTwoPixelMarginOnlyAndSignalsFirst) {
    events.AddEvent(Record(EventRecord::Sent, u"a.jpg"_qs, EventRecord::Transferring), 7);
    events.AddEvent(Record(EventRecord::Received, u"b.jpg"_qs, EventRecord::Transferring), 8);
    QStringList heard;
    QObject::connect(list.get(), &COstUI_Orbit_EventListCtrl::buttonClicked,
                     [&](int row) { heard << u"button %1"_qs.arg(row); });
    QObject::connect(list.get(), &COstUI_Orbit_EventListCtrl::rowPressed,
                     [&](int row, int column) { heard << u"row %1 %2"_qs.arg(row).arg(column); });
    QWidget* viewport = list->viewport();
    const QRect cell = list->CellRect(0, 0);

    // Hovering lights the button only inside the margin; moving away or leaving puts it out.
    QTest::mouseMove(viewport, cell.center());
    EXPECT_EQ(events.Row(0)->ButtonState, EventRow::CancelButtonHot);
    QTest::mouseMove(viewport, QPoint(cell.left() + 1, cell.center().y()));
    EXPECT_EQ(events.Row(0)->ButtonState, EventRow::CancelButton);
    QTest::mouseMove(viewport, cell.center());
    QTest::mouseMove(viewport, list->CellRect(0, 3).center());
    EXPECT_EQ(events.Row(0)->ButtonState, EventRow::CancelButton);
    QTest::mouseMove(viewport, cell.center());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(viewport, &leave);
    EXPECT_EQ(events.Row(0)->ButtonState, EventRow::CancelButton);
    // A row arriving on top while a button is lit: the lit row is still the one put out.
    QTest::mouseMove(viewport, cell.center() + QPoint(1, 0));
    ASSERT_EQ(events.Row(0)->ButtonState, EventRow::CancelButtonHot);
    events.AddEvent(Record(EventRecord::Taken, u"c.jpg"_qs));
    QTest::mouseMove(viewport, list->CellRect(0, 3).center());
    EXPECT_EQ(events.Row(1)->ButtonState, EventRow::CancelButton);
    events.Delete(0);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(cell.left() + 1, cell.center().y()));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(cell.center().x(), cell.bottom() - 1));
    EXPECT_EQ(heard, QStringList({u"row 0 0"_qs, u"row 0 0"_qs}));
    EXPECT_TRUE(events.Row(0)->HasButton());
    EXPECT_EQ(events.Row(0)->Record.Status, EventRecord::Transferring);

    heard.clear();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(cell.left() + 2, cell.top() + 2));
    EXPECT_EQ(heard, QStringList({u"button 0"_qs, u"row 0 0"_qs}));
    EXPECT_FALSE(events.Row(0)->HasButton());
    EXPECT_EQ(events.Row(0)->Record.Status, EventRecord::Ended);
    EXPECT_EQ(list->GetSelectedRows(), QList<int>({0}));
    EXPECT_TRUE(events.Row(1)->HasButton());

    // A click on another column of a transfer row never cancels.
    heard.clear();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, list->CellRect(1, 1).center());
    EXPECT_EQ(heard, QStringList({u"row 1 1"_qs}));
    EXPECT_TRUE(events.Row(1)->HasButton());
}

TEST_F(EventListCtrlTest, DeletingRowsTrashesOnlyTheFilesTheirRowsOwn) {
    const QString folder = QDir::homePath() + u"/Pictures/Orbit/"_qs;
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto write = [&](const QString& name) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("jpeg");
    };
    write(u"shared.jpg"_qs);
    write(u"received.jpg"_qs);
    // A record without a name names its folder: deleting it must leave the folder alone.
    events.Load({Record(EventRecord::Sent, u"shared.jpg"_qs, 2, folder),
                      Record(EventRecord::Taken, u"shared.jpg"_qs, 0, folder),
                      Record(EventRecord::Taken, QString(), 0, folder),
                      Record(EventRecord::Received, u"received.jpg"_qs, 2, folder)});

    events.Delete(0);
    EXPECT_TRUE(QFile::exists(folder + u"shared.jpg"_qs));
    events.Delete(0);
    EXPECT_FALSE(QFile::exists(folder + u"shared.jpg"_qs));
    EXPECT_TRUE(
        QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") + u"/Trash/files/shared.jpg"_qs));
    events.Delete(0);
    EXPECT_TRUE(QFile::exists(folder + u"received.jpg"_qs));

    // Without a usable trash the photo is removed all the same.
    // Qt may then fall back to a trash in the working folder: keep that inside the test's own.
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(folder);
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder + u"received.jpg/share"_qs));
    events.Delete(0);
    qputenv("XDG_DATA_HOME", dataHome);
    QDir::setCurrent(workingFolder);
    EXPECT_FALSE(QFile::exists(folder + u"received.jpg"_qs));
    EXPECT_EQ(events.Count(), 0);
    events.Delete(0);
}

TEST_F(EventListCtrlTest, CollectingKeepsTheOrderAndEndsTransfersStillRunning) {
    events.Load(
        {Record(EventRecord::Taken, u"a.jpg"_qs), Record(EventRecord::Taken, u"b.jpg"_qs)});
    events.AddEvent(Record(EventRecord::Sent, u"a.jpg"_qs, EventRecord::Transferring), 5);
    events.AddEvent(Record(EventRecord::Received, u"c.jpg"_qs, EventRecord::Transferring), 6);
    events.SetProgress(6, 100);
    EXPECT_EQ(events.FindByTransferId(5), 1);
    EXPECT_EQ(events.GetPeerName(1), u"Ann Lee"_qs);

    QList<EventRecord> saved;
    events.CollectRecords(saved);
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved[0].EventName, u"c.jpg"_qs);
    EXPECT_EQ(saved[0].Status, EventRecord::Completed);
    EXPECT_EQ(saved[1].Status, EventRecord::Ended);
    EXPECT_EQ(saved[2].EventName, u"a.jpg"_qs);
    EXPECT_EQ(saved[3].EventName, u"b.jpg"_qs);
    EventRecord row;
    ASSERT_TRUE(events.GetRecord(1, row));
    EXPECT_EQ(row.Status, EventRecord::Ended);
    EXPECT_FALSE(events.GetRecord(4, row));

    // A row still running ends properly when its transfer fails later.
    events.EndTransfer(1);
    events.SetProgress(5, EventRow::Overtime);
    EXPECT_FALSE(events.Row(1)->HasButton());
    EXPECT_EQ(Shown(1, 1), u"Overtime"_qs);
}

TEST_F(EventListCtrlTest, ApplyingTextsRetitlesTheColumnsInTheCurrentLanguage) {
    events.AddEvent(Record(EventRecord::Received, u"a.jpg"_qs, EventRecord::Transferring), 3);
    QAbstractItemModel* model = list->model();
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), u"Event Name"_qs);

    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::TraditionalChinese);
    list->ApplyTexts();
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), u"狀態"_qs);
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), u"相片名稱"_qs);
    EXPECT_EQ(model->headerData(5, Qt::Horizontal).toString(), u"大小"_qs);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(Shown(0, 0), u"取消"_qs);
    EXPECT_EQ(Shown(0, 1), u"連線中..."_qs);
    EXPECT_EQ(Shown(0, 3), u"來自 Ann Lee"_qs);
}

TEST_F(EventListCtrlTest, SkinColoursArePaintedAsGiven) {
    events.AddEvent(Record(EventRecord::Taken, u"a.jpg"_qs));
    events.AddEvent(Record(EventRecord::Taken, u"b.jpg"_qs));
    list->SelectOnly(0);
    const QImage cells = Grab();
    const QRect status = list->CellRect(0, 0);
    EXPECT_EQ(cells.pixel(status.left() + 1, status.top()),
              OstEventListDelegate::kStatusBackground);
    EXPECT_EQ(cells.pixel(list->CellRect(0, 4).topRight()),
              list->palette().color(QPalette::Active, QPalette::Highlight).rgb());
    EXPECT_EQ(cells.pixel(list->CellRect(1, 4).topRight()), qRgb(255, 255, 255));

    QHeaderView* header = list->horizontalHeader();
    const QImage title = header->viewport()->grab().toImage();
    const int edge = header->sectionViewportPosition(1);
    const int middle = title.height() / 2;
    EXPECT_EQ(title.pixel(edge + 20, 0), qRgb(255, 255, 255));
    EXPECT_EQ(title.pixel(edge + 20, 1), COstUI_Orbit_HeaderCtrl::kLight);
    EXPECT_EQ(title.pixel(edge + 2, middle), COstUI_Orbit_HeaderCtrl::kFace);
    EXPECT_EQ(title.pixel(edge - 1, middle), COstUI_Orbit_HeaderCtrl::kLight);
    EXPECT_EQ(title.pixel(edge, middle), qRgb(255, 255, 255));
    EXPECT_EQ(title.pixel(edge + 1, middle), COstUI_Orbit_HeaderCtrl::kLight);
}
