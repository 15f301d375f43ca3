#include "COstUI_Orbit_EventListCtrl.h"

#include "COstUI_Orbit_HeaderCtrl.h"
#include "OstEventListDelegate.h"
#include "OstEventListModel.h"
#include "OstPhotoFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr std::array<int, OstEventListModel::ColumnCount> kColumnWidths = {65,  80, 160,
                                                                           145, 90, 90};
// Rows are at least as high as the small-image list the list-view was given.
constexpr int kMinimumRowHeight = 18;
// The list-view's grid, in the light grey of a dialog's face.
constexpr QRgb kGrid = 0xFFF0F0F0;

} // namespace

COstUI_Orbit_EventListCtrl::COstUI_Orbit_EventListCtrl(QWidget* parent) : QTableView(parent) {
    setObjectName(QString::number(kControlId));

    // Tahoma at a cell height of 14 pixels has an em of about 11.6; rounding down keeps the
    // wider fonts that stand in for Tahoma on most desktops inside the column widths.
    QFont listFont = font();
    listFont.setFamily(u"Tahoma"_qs);
    listFont.setPixelSize(11);
    setFont(listFont);

    model_ = new OstEventListModel(this);
    delegate_ = new OstEventListDelegate(this);
    header_ = new COstUI_Orbit_HeaderCtrl(this);
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(delegate_);
    for (int column = 0; column < OstEventListModel::ColumnCount; ++column)
        setColumnWidth(column, kColumnWidths[static_cast<std::size_t>(column)]);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    FitRowHeight();

    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setMouseTracking(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);

    // The hot row is an index: it follows its row when rows come and go above it.
    connect(model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (hotRow_ >= first)
                    hotRow_ += last - first + 1;
            });
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (hotRow_ > last)
                    hotRow_ -= last - first + 1;
                else if (hotRow_ >= first)
                    hotRow_ = -1;
            });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { hotRow_ = -1; });
    // A divider double-click fits the column to its contents; the cells are repainted whole.
    connect(header_, &QHeaderView::sectionHandleDoubleClicked, viewport(),
            qOverload<>(&QWidget::update));
}

COstUI_Orbit_EventListCtrl::~COstUI_Orbit_EventListCtrl() = default;

void COstUI_Orbit_EventListCtrl::AddEvent(const EventRecord& record, std::uint32_t transferId) {
    auto row = std::make_unique<EventRow>();
    row->Record = record;
    if (transferId != 0) {
        row->TransferId = transferId;
        row->ButtonState = EventRow::CancelButton;
        row->Progress = EventRow::Connecting;
    }
    model_->InsertTop(std::move(row));
}

void COstUI_Orbit_EventListCtrl::LoadEvents(const QList<EventRecord>& records) {
    model_->InsertTop(records);
}

void COstUI_Orbit_EventListCtrl::SelectOnly(int index) {
    if (!model_->Row(index))
        return;
    const QModelIndex cell = model_->index(index, 0);
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    scrollTo(cell);
}

void COstUI_Orbit_EventListCtrl::SetProgress(std::uint32_t transferId, int value) {
    const int index = model_->FindByTransferId(transferId);
    EventRow* row = model_->Row(index);
    // A row that shows how its transfer ended keeps it: a report still on its way when the
    // user pressed Cancel must not turn "Canceled" back into a running bar.
    if (!row || row->Progress >= EventRow::Finished)
        return;
    row->Progress = value;
    if (value == EventRow::Finished) {
        row->ButtonState = EventRow::NoButton;
        row->Record.Status = EventRecord::Completed;
        if (hotRow_ == index)
            hotRow_ = -1;
        RedrawCell(index, OstEventListModel::StatusColumn);
    }
    RedrawCell(index, OstEventListModel::ProgressColumn);
}

int COstUI_Orbit_EventListCtrl::FindByTransferId(std::uint32_t transferId) const {
    return model_->FindByTransferId(transferId);
}

void COstUI_Orbit_EventListCtrl::EndTransfer(int index) {
    EventRow* row = model_->Row(index);
    if (!row || !row->HasButton())
        return;
    row->ButtonState = EventRow::NoButton;
    row->Record.Status = EventRecord::Ended;
    if (hotRow_ == index)
        hotRow_ = -1;
    RedrawCell(index, OstEventListModel::StatusColumn);
}

void COstUI_Orbit_EventListCtrl::RedrawCell(int index, int column) {
    if (!model_->Row(index))
        return;
    if (column >= 0 && column < OstEventListModel::ColumnCount) {
        model_->CellChanged(index, column);
        return;
    }
    const QRect row(0, rowViewportPosition(index), viewport()->width(), rowHeight(index));
    if (row.intersects(viewport()->rect()))
        viewport()->update(row);
}

bool COstUI_Orbit_EventListCtrl::GetRecord(int index, EventRecord& record) const {
    const EventRow* row = model_->Row(index);
    if (!row)
        return false;
    record = row->Record;
    return true;
}

void COstUI_Orbit_EventListCtrl::CollectRecords(QList<EventRecord>& records) {
    for (int index = 0; index < model_->Count(); ++index) {
        EventRow* row = model_->Row(index);
        if (row->Record.Status == EventRecord::Transferring)
            row->Record.Status = EventRecord::Ended;
    }
    SnapshotRecords(records);
}

void COstUI_Orbit_EventListCtrl::SetEventName(int index, const QString& name) {
    EventRow* row = model_->Row(index);
    if (!row)
        return;
    row->Record.EventName = name;
    RedrawCell(index, OstEventListModel::NameColumn);
}

void COstUI_Orbit_EventListCtrl::SnapshotRecords(QList<EventRecord>& records) const {
    const int count = model_->Count();
    records.reserve(records.size() + count);
    for (int index = 0; index < count; ++index) {
        EventRecord record = model_->Row(index)->Record;
        // As it would read after a crash: a transfer that has not ended did not complete.
        if (record.Status == EventRecord::Transferring)
            record.Status = EventRecord::Ended;
        records.append(record);
    }
}

QPersistentModelIndex COstUI_Orbit_EventListCtrl::RowHandle(int index) const {
    return model_->Row(index) ? QPersistentModelIndex(model_->index(index, 0)) : QPersistentModelIndex();
}

QList<QPersistentModelIndex> COstUI_Orbit_EventListCtrl::SelectedRowHandles() const {
    QList<QPersistentModelIndex> handles;
    for (int index : GetSelectedRows())
        handles.append(RowHandle(index));
    return handles;
}

int COstUI_Orbit_EventListCtrl::RowOf(const QPersistentModelIndex& handle) const {
    return handle.isValid() && handle.model() == model_ ? handle.row() : -1;
}

QString COstUI_Orbit_EventListCtrl::GetPeerName(int index) const {
    const EventRow* row = model_->Row(index);
    return row ? row->Record.FriendID : QString();
}

void COstUI_Orbit_EventListCtrl::DeleteRow(int index) {
    const EventRow* row = model_->Row(index);
    if (!row)
        return;
    // A sent photo's file belongs to the event it was sent from.
    if (row->Record.EventType != EventRecord::Sent)
        OstPhotoFiles::Discard(row->Record.FullPath());
    model_->Remove(index);
}

void COstUI_Orbit_EventListCtrl::DeleteAllRows() {
    model_->RemoveAll();
}

int COstUI_Orbit_EventListCtrl::GetItemCount() const {
    return model_->Count();
}

EventRow* COstUI_Orbit_EventListCtrl::GetRow(int index) {
    return model_->Row(index);
}

QList<int> COstUI_Orbit_EventListCtrl::GetSelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int COstUI_Orbit_EventListCtrl::GetSelectionMark() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void COstUI_Orbit_EventListCtrl::ApplyTexts() {
    model_->ApplyTexts();
    viewport()->update();
}

QRect COstUI_Orbit_EventListCtrl::CellRect(int index, int column) const {
    if (!model_->Row(index) || column < 0 || column >= OstEventListModel::ColumnCount)
        return {};
    return visualRect(model_->index(index, column));
}

void COstUI_Orbit_EventListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        const QModelIndex hit = indexAt(point);
        if (hit.isValid()) {
            const int index = hit.row();
            EventRow* row = model_->Row(index);
            if (hit.column() == OstEventListModel::StatusColumn && row && row->HasButton() &&
                OstEventListDelegate::ButtonHitRect(CellRect(index, hit.column()))
                    .contains(point)) {
                EndTransfer(index);
                emit buttonClicked(index);
            }
            emit rowPressed(index, hit.column());
        }
    }
    QTableView::mousePressEvent(event);
}

void COstUI_Orbit_EventListCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const QModelIndex hit = indexAt(point);
    if (hit.isValid() && hit.column() == OstEventListModel::StatusColumn) {
        const int index = hit.row();
        if (hotRow_ != index)
            CoolHotRow();
        EventRow* row = model_->Row(index);
        if (row && row->HasButton()) {
            const bool inside =
                OstEventListDelegate::ButtonHitRect(CellRect(index, hit.column())).contains(point);
            const std::int32_t state = inside ? EventRow::CancelButtonHot : EventRow::CancelButton;
            hotRow_ = inside ? index : -1;
            if (row->ButtonState != state) {
                row->ButtonState = state;
                RedrawCell(index, OstEventListModel::StatusColumn);
            }
        }
    } else {
        CoolHotRow();
    }
    QTableView::mouseMoveEvent(event);
}

void COstUI_Orbit_EventListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit listDoubleClicked();
    QTableView::mouseDoubleClickEvent(event);
}

bool COstUI_Orbit_EventListCtrl::viewportEvent(QEvent* event) {
    // Leaving the list ends the hover too, or a Cancel button would stay lit.
    if (event->type() == QEvent::Leave)
        CoolHotRow();
    return QTableView::viewportEvent(event);
}

void COstUI_Orbit_EventListCtrl::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitRowHeight();
}

void COstUI_Orbit_EventListCtrl::FitRowHeight() {
    verticalHeader()->setDefaultSectionSize(
        std::max(kMinimumRowHeight, fontMetrics().height() + 4));
}

void COstUI_Orbit_EventListCtrl::CoolHotRow() {
    EventRow* row = model_->Row(hotRow_);
    const int index = hotRow_;
    hotRow_ = -1;
    if (row && row->ButtonState == EventRow::CancelButtonHot) {
        row->ButtonState = EventRow::CancelButton;
        RedrawCell(index, OstEventListModel::StatusColumn);
    }
}

void COstUI_Orbit_EventListCtrl::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);

    // The grid, over the rows and on down the empty part of the list: a line along the bottom
    // of every row and one on the left of every column and after the last.
    const int columns = OstEventListModel::ColumnCount;
    const int end = columnViewportPosition(columns - 1) + columnWidth(columns - 1);
    const int rowHeight = verticalHeader()->defaultSectionSize();
    const QRect area = event->rect();
    if (rowHeight <= 0)
        return;
    QPainter painter(viewport());
    painter.setPen(QColor::fromRgb(kGrid));
    for (int column = 0; column < columns; ++column) {
        const int x = columnViewportPosition(column);
        if (x >= area.left() && x <= area.right())
            painter.drawLine(x, area.top(), x, area.bottom());
    }
    if (end >= area.left() && end <= area.right())
        painter.drawLine(end, area.top(), end, area.bottom());

    const int origin = model_->Count() > 0 ? rowViewportPosition(0) : 0;
    const int firstLine = std::max(0, (area.top() - origin) / rowHeight);
    for (int line = firstLine;; ++line) {
        const int y = origin + line * rowHeight + rowHeight - 1;
        if (y > area.bottom())
            break;
        if (y >= area.top())
            painter.drawLine(std::max(area.left(), columnViewportPosition(0)), y,
                             std::min(area.right(), end), y);
    }
}
