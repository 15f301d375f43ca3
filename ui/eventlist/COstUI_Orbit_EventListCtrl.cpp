#include "COstUI_Orbit_EventListCtrl.h"

#include "COstUI_Orbit_HeaderCtrl.h"
#include "OstEventListDelegate.h"
#include "OstEventListModel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, OstEventListModel::ColumnCount> kColumnWidths = {65,  80, 160,
                                                                           145, 90, 90};
// Rows are at least as high as the small-image list the list-view was given.
constexpr int kMinimumRowHeight = 18;
// The list-view's grid, in the light grey of a dialog's face.
constexpr QRgb kGrid = 0xFFF0F0F0;

} // namespace

COstUI_Orbit_EventListCtrl::COstUI_Orbit_EventListCtrl(OstEventListModel& events, QWidget* parent)
    : QTableView(parent), events_(events) {
    setObjectName(QString::number(kControlId));

    // Tahoma at a cell height of 14 pixels has an em of about 11.6; rounding down keeps the
    // wider fonts that stand in for Tahoma on most desktops inside the column widths.
    QFont listFont = font();
    listFont.setFamily(u"Tahoma"_qs);
    listFont.setPixelSize(11);
    setFont(listFont);

    delegate_ = new OstEventListDelegate(this);
    header_ = new COstUI_Orbit_HeaderCtrl(this);
    setHorizontalHeader(header_);
    setModel(&events_);
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
    connect(&events_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (hotRow_ >= first)
                    hotRow_ += last - first + 1;
            });
    connect(&events_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (hotRow_ > last)
                    hotRow_ -= last - first + 1;
                else if (hotRow_ >= first)
                    hotRow_ = -1;
            });
    connect(&events_, &QAbstractItemModel::modelReset, this, [this] { hotRow_ = -1; });
    // A divider double-click fits the column to its contents; the cells are repainted whole.
    connect(header_, &QHeaderView::sectionHandleDoubleClicked, viewport(),
            qOverload<>(&QWidget::update));
}

COstUI_Orbit_EventListCtrl::~COstUI_Orbit_EventListCtrl() = default;

void COstUI_Orbit_EventListCtrl::SelectOnly(int index) {
    if (!events_.Row(index))
        return;
    const QModelIndex cell = events_.index(index, 0);
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    scrollTo(cell);
}

QPersistentModelIndex COstUI_Orbit_EventListCtrl::RowHandle(int index) const {
    return events_.Row(index) ? QPersistentModelIndex(events_.index(index, 0)) : QPersistentModelIndex();
}

QList<QPersistentModelIndex> COstUI_Orbit_EventListCtrl::SelectedRowHandles() const {
    QList<QPersistentModelIndex> handles;
    for (int index : GetSelectedRows())
        handles.append(RowHandle(index));
    return handles;
}

int COstUI_Orbit_EventListCtrl::RowOf(const QPersistentModelIndex& handle) const {
    return handle.isValid() && handle.model() == &events_ ? handle.row() : -1;
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
    events_.ApplyTexts();
    viewport()->update();
}

QRect COstUI_Orbit_EventListCtrl::CellRect(int index, int column) const {
    if (!events_.Row(index) || column < 0 || column >= OstEventListModel::ColumnCount)
        return {};
    return visualRect(events_.index(index, column));
}

bool COstUI_Orbit_EventListCtrl::event(QEvent* event) {
    // The menu key opens the row menu at the current row, not wherever the pointer rests.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard && OpenMenuAtCurrentRow()) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

bool COstUI_Orbit_EventListCtrl::OpenMenuAtCurrentRow() {
    if (!currentIndex().isValid())
        return false;
    emit customContextMenuRequested(visualRect(currentIndex()).center());
    return true;
}

void COstUI_Orbit_EventListCtrl::keyPressEvent(QKeyEvent* event) {
    // Shift+F10 opens the row menu, as the menu key does (X11 turns only the latter into a
    // context-menu request).
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier && OpenMenuAtCurrentRow()) {
        event->accept();
        return;
    }
    // Esc presses the current row's Cancel button: the keyboard's way to stop a transfer.
    const int index = GetSelectionMark();
    EventRow* row = events_.Row(index);
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && row && row->HasButton()) {
        events_.EndTransfer(index);
        emit buttonClicked(index);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void COstUI_Orbit_EventListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        const QModelIndex hit = indexAt(point);
        if (hit.isValid()) {
            const int index = hit.row();
            EventRow* row = events_.Row(index);
            if (hit.column() == OstEventListModel::StatusColumn && row && row->HasButton() &&
                OstEventListDelegate::ButtonHitRect(CellRect(index, hit.column()))
                    .contains(point)) {
                events_.EndTransfer(index);
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
        EventRow* row = events_.Row(index);
        if (row && row->HasButton()) {
            const bool inside =
                OstEventListDelegate::ButtonHitRect(CellRect(index, hit.column())).contains(point);
            const std::int32_t state = inside ? EventRow::CancelButtonHot : EventRow::CancelButton;
            hotRow_ = inside ? index : -1;
            if (row->ButtonState != state) {
                row->ButtonState = state;
                events_.CellChanged(index, OstEventListModel::StatusColumn);
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
    EventRow* row = events_.Row(hotRow_);
    const int index = hotRow_;
    hotRow_ = -1;
    if (row && row->ButtonState == EventRow::CancelButtonHot) {
        row->ButtonState = EventRow::CancelButton;
        events_.CellChanged(index, OstEventListModel::StatusColumn);
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

    const int origin = events_.Count() > 0 ? rowViewportPosition(0) : 0;
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
