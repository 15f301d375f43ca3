#pragma once

#include "EventRow.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The rows of the event list, newest on top, never sorted. Each row owns its EventRow for as
// long as it exists. The display texts are the texts the list draws, in the current language.
class OstEventListModel : public QAbstractTableModel {
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
    // nullptr outside the list.
    EventRow* Row(int index);
    const EventRow* Row(int index) const;

    void InsertTop(std::unique_ptr<EventRow> row);
    // records[0] ends on top, as if each had been inserted from the last to the first.
    void InsertTop(const QList<EventRecord>& records);
    std::unique_ptr<EventRow> Remove(int index);
    void RemoveAll();

    // First row from the top carrying the id; -1 when none does, and always for 0.
    int FindByTransferId(std::uint32_t id) const;
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
    void LoadDrawnTexts();

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
