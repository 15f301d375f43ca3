#include "CComboBoxSuper.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QHash>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

// What an item carries besides its text; kept in the item's data, so it goes with the item.
struct ItemRecord {
    QColor colour;  // invalid: the default colour
    int image = -1;
    QHash<int, QString> columns;
    bool bold = false;
};

constexpr int kRecordRole = Qt::UserRole + 0x5c;
constexpr int kInitialColumns = 100;
constexpr int kInitialColumnWidth = 50;
const QColor kColumnLine(0xc0, 0xc0, 0xc0);

ItemRecord RecordAt(const QComboBox* box, int item) {
    return box->itemData(item, kRecordRole).value<ItemRecord>();
}

// Draws the list's rows with the combo's own item drawing.
class Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(CComboBoxSuper* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        box_->DrawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), 18));
        return size;
    }

private:
    CComboBoxSuper* box_;
};

}  // namespace

CComboBoxSuper::CComboBoxSuper(QWidget* parent) : QComboBox(parent) {
    for (int i = 0; i < kInitialColumns; ++i)
        columnWidths_ << kInitialColumnWidth;
    setItemDelegate(new Delegate(this));
}

void CComboBoxSuper::SetImageList(const QList<QPixmap>& images) {
    images_ = images;
    update();
}

void CComboBoxSuper::ShowImages(bool show) {
    showImages_ = show;
    update();
}

void CComboBoxSuper::SetItemColor(int item, const QColor& colour) {
    if (item < 0 || item >= count())
        return;
    ItemRecord record = RecordAt(this, item);
    record.colour = colour;
    setItemData(item, QVariant::fromValue(record), kRecordRole);
}

void CComboBoxSuper::SetItemImage(int item, int image) {
    if (item < 0 || item >= count())
        return;
    ItemRecord record = RecordAt(this, item);
    record.image = image;
    setItemData(item, QVariant::fromValue(record), kRecordRole);
}

void CComboBoxSuper::SetItemBold(int item, bool bold) {
    if (item < 0 || item >= count())
        return;
    ItemRecord record = RecordAt(this, item);
    record.bold = bold;
    setItemData(item, QVariant::fromValue(record), kRecordRole);
}

void CComboBoxSuper::SetItemText(int item, int column, const QString& text) {
    if (item < 0 || item >= count() || column < 0)
        return;
    if (column == 0) {
        setItemText(item, text);
        return;
    }
    ItemRecord record = RecordAt(this, item);
    record.columns.insert(column, text);
    setItemData(item, QVariant::fromValue(record), kRecordRole);
}

QString CComboBoxSuper::GetItemText(int item, int column) const {
    if (item < 0 || item >= count() || column < 0)
        return {};
    if (column == 0)
        return itemText(item);
    return RecordAt(this, item).columns.value(column);
}

QColor CComboBoxSuper::GetItemColor(int item) const {
    return item >= 0 && item < count() ? RecordAt(this, item).colour : QColor();
}

int CComboBoxSuper::GetItemImage(int item) const {
    return item >= 0 && item < count() ? RecordAt(this, item).image : -1;
}

bool CComboBoxSuper::GetItemBold(int item) const {
    return item >= 0 && item < count() && RecordAt(this, item).bold;
}

void CComboBoxSuper::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= columnWidths_.size() || width < 0)
        return;
    columnWidths_[column] = width;
    update();
}

int CComboBoxSuper::GetColumnWidth(int column) const {
    return column >= 0 && column < columnWidths_.size() ? columnWidths_[column] : 0;
}

void CComboBoxSuper::ResetColumns() {
    const int first = columnWidths_.isEmpty() ? kInitialColumnWidth : columnWidths_.first();
    columnWidths_ = {first};
    update();
    if (view())
        view()->viewport()->update();
}

void CComboBoxSuper::SetDroppedWidth(int width) {
    if (view())
        view()->setMinimumWidth(width);
}

void CComboBoxSuper::showPopup() {
    emit droppingDown();
    QComboBox::showPopup();
}

void CComboBoxSuper::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
}

void CComboBoxSuper::DrawItem(QPainter& painter, const QRect& rect, int item, bool selected) const {
    painter.save();
    const QPalette& pal = palette();
    if (selected) {
        painter.fillRect(rect, pal.color(QPalette::Highlight));
        // The white square at the left marks the chosen row.
        painter.fillRect(QRect(rect.left(), rect.top(), 16, rect.height()), Qt::white);
    } else {
        painter.fillRect(rect, pal.color(QPalette::Base));
    }
    if (item < 0 || item >= count()) {
        painter.restore();
        return;
    }
    const ItemRecord record = RecordAt(this, item);
    QRect textRect = rect.adjusted(2, 0, -2, 0);
    if (showImages_ && record.image >= 0 && record.image < images_.size()) {
        const QPixmap& image = images_[record.image];
        const QSize size = image.deviceIndependentSize().toSize();
        const int h = 16;
        const int w = size.height() > 0 ? size.width() * h / size.height() : 16;
        painter.drawPixmap(QRect(rect.left(), rect.top() + (rect.height() - h) / 2, w, h), image);
        textRect.setLeft(rect.left() + w + 7);
    }
    QFont f = font();
    if (record.bold)
        f.setWeight(QFont::Bold);
    painter.setFont(f);
    QColor colour = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
    if (record.colour.isValid() && !(record.colour == QColor(Qt::black) && selected))
        colour = record.colour;
    painter.setPen(colour);

    if (columnWidths_.size() <= 1) {
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(itemText(item), Qt::ElideRight, textRect.width()));
        painter.restore();
        return;
    }
    // Several columns: each shows its text, with a light grey line after it.
    int left = textRect.left();
    for (int column = 0; column < columnWidths_.size() && left < rect.right(); ++column) {
        const int width = columnWidths_[column];
        const QRect cell(left, rect.top(), width, rect.height());
        const QString text = column == 0 ? itemText(item) : record.columns.value(column);
        painter.setPen(colour);
        painter.drawText(cell.adjusted(1, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, width - 3)));
        left += width;
        painter.setPen(kColumnLine);
        painter.drawLine(left - 1, rect.top(), left - 1, rect.bottom());
    }
    painter.restore();
}

void CComboBoxSuper::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(painter, field, currentIndex(), hasFocus());
}
