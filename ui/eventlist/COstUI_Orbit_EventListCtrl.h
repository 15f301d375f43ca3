#pragma once

#include "EventRecord.h"
#include "EventRow.h"
#include "IOstEventRows.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QTableView>

#include <cstdint>

class COstUI_Orbit_HeaderCtrl;
class OstEventListDelegate;
class OstEventListModel;

// The event list of the main dialog: one row per photo taken, sent or received, newest on top,
// with a progress bar and a Cancel button for transfers. It is the live list of events
// between loading and saving "EventList.xml". Rows are addressed by their index from the top;
// an index outside the list does nothing.
class COstUI_Orbit_EventListCtrl : public QTableView, public IOstEventRows {
    Q_OBJECT
public:
    static constexpr int kControlId = 1000;

    explicit COstUI_Orbit_EventListCtrl(QWidget* parent = nullptr);
    ~COstUI_Orbit_EventListCtrl() override;

    // A new top row with a copy of the record; with a transfer id the row shows a Cancel
    // button and "Connecting...".
    void AddEvent(const EventRecord& record, std::uint32_t transferId = 0) override;
    // Records in list order: the first one ends on top.
    void LoadEvents(const QList<EventRecord>& records);
    // The row becomes the only selected one, the current one and the selection mark, in view.
    void SelectOnly(int index) override;
    // For the first row carrying the transfer id; 100 also finishes the row. A row that shows
    // a final state (finished, failed, cancelled) keeps it.
    void SetProgress(std::uint32_t transferId, int value) override;
    int FindByTransferId(std::uint32_t transferId) const override;
    // A transfer that ended without completing: the button goes and the row is marked so.
    void EndTransfer(int index) override;
    // Repaints one cell, or the whole row when column is not a column of the list.
    void RedrawCell(int index, int column);
    bool GetRecord(int index, EventRecord& record) const override;
    void SetEventName(int index, const QString& name) override;
    // Every row's record, top first; rows still transferring are marked ended, in the list too.
    void CollectRecords(QList<EventRecord>& records);
    // Every row's record as it would be stored now, without ending the transfers still running.
    void SnapshotRecords(QList<EventRecord>& records) const;
    QString GetPeerName(int index) const override;
    // A row's identity, which follows the row while rows above it come and go: what a modal
    // question or dialog acts on when it closes. RowOf gives its index now, -1 once it is gone.
    QPersistentModelIndex RowHandle(int index) const;
    QList<QPersistentModelIndex> SelectedRowHandles() const;
    int RowOf(const QPersistentModelIndex& handle) const;
    // The row goes; its picture file goes to the desktop's trash unless the row is a sent
    // photo, whose file belongs to the event it was sent from.
    void DeleteRow(int index);
    void DeleteAllRows();

    int GetItemCount() const;
    // The row itself, for changes the caller then repaints with RedrawCell; nullptr outside.
    EventRow* GetRow(int index);
    // Selected rows, ascending.
    QList<int> GetSelectedRows() const;
    // The row the keyboard and the last click act from; -1 when none.
    int GetSelectionMark() const;
    // The column titles and every drawn text in the current language.
    void ApplyTexts();

    // The cell's rectangle in viewport coordinates, empty outside the list.
    QRect CellRect(int index, int column) const;

signals:
    // A press on a row's Cancel button; the row has already been marked cancelled.
    // Emitted before rowPressed for the same press.
    void buttonClicked(int index);
    // Every left-button press on a row, before the selection changes.
    void rowPressed(int index, int column);
    // A double-click anywhere in the list.
    void listDoubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitRowHeight();
    void CoolHotRow();

    OstEventListModel* model_ = nullptr;
    OstEventListDelegate* delegate_ = nullptr;
    COstUI_Orbit_HeaderCtrl* header_ = nullptr;
    // The row whose Cancel button is under the mouse; -1 for none.
    int hotRow_ = -1;
};
