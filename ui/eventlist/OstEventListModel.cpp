#include "OstEventListModel.h"

#include "OstLanguageSelector.h"
#include "OstPhotoFiles.h"

namespace {

constexpr int kFirstTitleText = 335; // 335..340, one per column
constexpr int kConnectingText = 341;
constexpr int kFirstFinalText = 342; // 342..348 for the progress codes 100..106
constexpr int kOtherFinalText = 349;
constexpr int kFromText = 318;
constexpr int kToText = 319;
constexpr int kCancelText = 451;
constexpr int kSucceededText = 509;
constexpr int kNotCompletedText = 510;
constexpr int kCancelKeyText = 513;

QString Text(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

} // namespace

OstEventListModel::OstEventListModel(QObject* parent)
    : QAbstractTableModel(parent),
      // The titles the list starts with; the main dialog replaces them with the string
      // table's texts, centred, as soon as it applies its texts.
      titles_{u"Status"_qs,  u"Progress"_qs,   u"Event Name"_qs,
              u"From/To"_qs, u"Resolution"_qs, u"Size"_qs},
      alignments_{Qt::AlignLeft,    Qt::AlignHCenter, Qt::AlignHCenter,
                  Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter} {
    LoadDrawnTexts();
}

OstEventListModel::~OstEventListModel() = default;

int OstEventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int OstEventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OstEventListModel::data(const QModelIndex& index, int role) const {
    const EventRow* row = index.isValid() ? Row(index.row()) : nullptr;
    if (row && index.column() == StatusColumn && (role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole))
        return StatusForReaders(*row, role);
    if (!row || role != Qt::DisplayRole)
        return {};
    const EventRecord& record = row->Record;
    switch (index.column()) {
    case StatusColumn:
        return row->HasButton() ? cancelText_ : QString();
    case ProgressColumn:
        return ProgressText(row->Progress);
    case NameColumn:
        return record.EventName;
    case PeerColumn: {
        const QString word = PeerWord(record.EventType);
        return word.isEmpty() ? QString() : word + u' ' + record.FriendID;
    }
    case ResolutionColumn:
        return record.Resolution;
    case SizeColumn:
        return record.PictureSize;
    default:
        return {};
    }
}

QVariant OstEventListModel::StatusForReaders(const EventRow& row, int role) const {
    // The status is drawn as a button or an icon; a screen reader gets it in words.
    if (row.HasButton())
        return role == Qt::AccessibleTextRole ? cancelText_ : Text(kCancelKeyText);
    if (role == Qt::AccessibleDescriptionRole)
        return {};
    if (row.Record.Status == EventRecord::Completed)
        return Text(kSucceededText);
    if (row.Record.Status == EventRecord::Ended)
        return Text(kNotCompletedText);
    return QString();
}

QVariant OstEventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return titles_[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignments_[static_cast<std::size_t>(section)] |
                                   Qt::AlignVCenter);
    return {};
}

bool OstEventListModel::setHeaderData(int section, Qt::Orientation orientation,
                                      const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return false;
    const auto slot = static_cast<std::size_t>(section);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        titles_[slot] = value.toString();
    else if (role == Qt::TextAlignmentRole)
        alignments_[slot] = value.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
    else
        return false;
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags OstEventListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

EventRow* OstEventListModel::Row(int index) {
    return index >= 0 && index < Count() ? rows_[Slot(index)].get() : nullptr;
}

const EventRow* OstEventListModel::Row(int index) const {
    return index >= 0 && index < Count() ? rows_[Slot(index)].get() : nullptr;
}

void OstEventListModel::InsertTop(std::unique_ptr<EventRow> row) {
    if (!row)
        return;
    beginInsertRows(QModelIndex(), 0, 0);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void OstEventListModel::AddEvent(const EventRecord& record, std::uint32_t transferId) {
    auto row = std::make_unique<EventRow>();
    row->Record = record;
    if (transferId != 0) {
        row->TransferId = transferId;
        row->ButtonState = EventRow::CancelButton;
        row->Progress = EventRow::Connecting;
    }
    InsertTop(std::move(row));
}

void OstEventListModel::Load(const QList<EventRecord>& records) {
    if (records.isEmpty())
        return;
    beginInsertRows(QModelIndex(), 0, static_cast<int>(records.size()) - 1);
    rows_.reserve(rows_.size() + static_cast<std::size_t>(records.size()));
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        auto row = std::make_unique<EventRow>();
        row->Record = *it;
        rows_.push_back(std::move(row));
    }
    endInsertRows();
}

void OstEventListModel::SetProgress(std::uint32_t transferId, int value) {
    const int index = FindByTransferId(transferId);
    EventRow* row = Row(index);
    // A row that shows how its transfer ended keeps it: a report still on its way when the
    // user pressed Cancel must not turn "Canceled" back into a running bar.
    if (!row || row->Progress >= EventRow::Finished)
        return;
    row->Progress = value;
    if (value == EventRow::Finished) {
        row->ButtonState = EventRow::NoButton;
        row->Record.Status = EventRecord::Completed;
        CellChanged(index, StatusColumn);
    }
    CellChanged(index, ProgressColumn);
}

void OstEventListModel::EndTransfer(int index) {
    EventRow* row = Row(index);
    if (!row || !row->HasButton())
        return;
    row->ButtonState = EventRow::NoButton;
    row->Record.Status = EventRecord::Ended;
    CellChanged(index, StatusColumn);
}

bool OstEventListModel::GetRecord(int index, EventRecord& record) const {
    const EventRow* row = Row(index);
    if (!row)
        return false;
    record = row->Record;
    return true;
}

QString OstEventListModel::GetPeerName(int index) const {
    const EventRow* row = Row(index);
    return row ? row->Record.FriendID : QString();
}

void OstEventListModel::SetEventName(int index, const QString& name) {
    EventRow* row = Row(index);
    if (!row)
        return;
    row->Record.EventName = name;
    CellChanged(index, NameColumn);
}

void OstEventListModel::Delete(int index) {
    const EventRow* row = Row(index);
    if (!row)
        return;
    if (row->Record.EventType != EventRecord::Sent)
        OstPhotoFiles::Discard(row->Record.FullPath());
    beginRemoveRows(QModelIndex(), index, index);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(Slot(index)));
    endRemoveRows();
}

void OstEventListModel::Clear() {
    if (rows_.empty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void OstEventListModel::CollectRecords(QList<EventRecord>& records) {
    for (const auto& row : rows_)
        if (row->Record.Status == EventRecord::Transferring)
            row->Record.Status = EventRecord::Ended;
    SnapshotRecords(records);
}

void OstEventListModel::SnapshotRecords(QList<EventRecord>& records) const {
    records.reserve(records.size() + Count());
    for (int index = 0; index < Count(); ++index) {
        EventRecord record = Row(index)->Record;
        // As it would read after a crash: a transfer that has not ended did not complete.
        if (record.Status == EventRecord::Transferring)
            record.Status = EventRecord::Ended;
        records.append(record);
    }
}

int OstEventListModel::FindByTransferId(std::uint32_t id) const {
    // 0 is the id of rows without a transfer, never a transfer's own.
    if (id == 0)
        return -1;
    for (std::size_t slot = rows_.size(); slot-- > 0;) {
        if (rows_[slot]->TransferId == id)
            return static_cast<int>(rows_.size() - 1 - slot);
    }
    return -1;
}

void OstEventListModel::CellChanged(int index, int column) {
    if (index < 0 || index >= Count() || column < 0 || column >= ColumnCount)
        return;
    const QModelIndex cell = this->index(index, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void OstEventListModel::ApplyTexts() {
    for (int column = 0; column < ColumnCount; ++column) {
        titles_[static_cast<std::size_t>(column)] = Text(kFirstTitleText + column);
        alignments_[static_cast<std::size_t>(column)] = Qt::AlignHCenter;
    }
    LoadDrawnTexts();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void OstEventListModel::LoadDrawnTexts() {
    connectingText_ = Text(kConnectingText);
    for (int code = 0; code < 7; ++code)
        finalTexts_[static_cast<std::size_t>(code)] = Text(kFirstFinalText + code);
    finalTexts_[7] = Text(kOtherFinalText);
    cancelText_ = Text(kCancelText);
    toText_ = Text(kToText);
    fromText_ = Text(kFromText);
}

QString OstEventListModel::ProgressText(std::int32_t progress) const {
    if (progress < 0)
        return {};
    if (progress == 0)
        return connectingText_;
    if (progress < 100)
        return QString::number(progress) + u'%';
    if (progress <= 106)
        return finalTexts_[static_cast<std::size_t>(progress - 100)];
    return finalTexts_[7];
}

QString OstEventListModel::PeerWord(std::int32_t eventType) const {
    if (eventType == EventRecord::Sent)
        return toText_;
    if (eventType == EventRecord::Received)
        return fromText_;
    return {};
}
