#pragma once

#include "EventRow.h"
#include "IOstEventRows.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The program's events, newest on top, never sorted: the live copy of "EventList.xml" between
// loading and saving, changed only through the operations below; the event list is one view of
// it. Each row owns its EventRow for as long as it exists. The display texts are the texts the
// list draws, in the current language. Rows are addressed by their index from the top; an
// index outside the rows does nothing.
class OstEventListModel : public QAbstractTableModel, public IOstEventRows {
    Q_OBJECT
public:
    enum Column {
        StatusColumn,
        ProgressColumn,
        NameColumn,
        PeerColumn,
        ResolutionColumn,
        SizeColumn,
        ColumnCount
    };

    explicit OstEventListModel(QObject* parent = nullptr);
    ~OstEventListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int Count() const { return static_cast<int>(rows_.size()); }
    // nullptr outside the list. A view may change the row's button state (its hover) and then
    // calls CellChanged; everything else changes through the operations.
    EventRow* Row(int index);
    const EventRow* Row(int index) const;

    // A taken photo, or with a transfer id a transfer: its row shows a Cancel button and
    // "Connecting...".
    void AddEvent(const EventRecord& record, std::uint32_t transferId = 0) override;
    // The stored events in list order: records[0] ends on top.
    void Load(const QList<EventRecord>& records);
    // A transfer's report: for the first row carrying the id; 100 also finishes the row. A row
    // that shows a final state (finished, failed, cancelled) keeps it.
    void SetProgress(std::uint32_t transferId, int value) override;
    // First row from the top carrying the id; -1 when none does, and always for 0.
    int FindByTransferId(std::uint32_t id) const override;
    // A transfer that ended without completing: the button goes and the row is marked so.
    void EndTransfer(int index) override;
    bool GetRecord(int index, EventRecord& record) const override;
    QString GetPeerName(int index) const override;
    // The photo of the row is now called name (in the row's folder).
    void SetEventName(int index, const QString& name) override;
    // The row goes; its picture file goes to the desktop's trash unless the row is a sent
    // photo, whose file belongs to the event it was sent from.
    void Delete(int index);
    // Every row goes, and no file.
    void Clear();
    // Every row's record, top first; rows still transferring are marked ended, in the rows too:
    // the program ends.
    void CollectRecords(QList<EventRecord>& records);
    // Every row's record as it would be stored now, without ending the transfers still running.
    void SnapshotRecords(QList<EventRecord>& records) const;

    // The views repaint that one cell.
    void CellChanged(int index, int column);

    // Reloads the drawn texts and the column titles in the current language.
    void ApplyTexts();
    QString ProgressText(std::int32_t progress) const;
    const QString& CancelText() const { return cancelText_; }
    // "To" for a sent photo, "From" for a received one, empty for the others.
    QString PeerWord(std::int32_t eventType) const;
    const QString& ToText() const { return toText_; }
    const QString& FromText() const { return fromText_; }

private:
    // The status column in words, for screen readers (Qt::AccessibleTextRole and its description).
    QVariant StatusForReaders(const EventRow& row, int role) const;
    void LoadDrawnTexts();
    void InsertTop(std::unique_ptr<EventRow> row);

    // Rows are kept oldest first, so that a new top row is a push_back.
    std::size_t Slot(int index) const { return rows_.size() - 1 - static_cast<std::size_t>(index); }

    std::vector<std::unique_ptr<EventRow>> rows_;
    std::array<QString, ColumnCount> titles_;
    std::array<Qt::Alignment, ColumnCount> alignments_;
    // Indexed by progress - 100 for the final codes 100..106; [7] for any other code above.
    std::array<QString, 8> finalTexts_;
    QString connectingText_;
    QString cancelText_;
    QString toText_;
    QString fromText_;
};
