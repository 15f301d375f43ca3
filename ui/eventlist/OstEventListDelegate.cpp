#include "OstEventListDelegate.h"

#include "EventRow.h"
#include "OstBitmap.h"
#include "OstEventListModel.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace {

// Edges as the list-view reports them: right and bottom are one past the last pixel, which
// keeps the skin's pixel arithmetic readable.
struct Edges {
    int left, top, right, bottom;

    explicit Edges(const QRect& r)
        : left(r.x()), top(r.y()), right(r.x() + r.width()), bottom(r.y() + r.height()) {}
    Edges(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    QRect Rect() const { return {left, top, std::max(0, Width()), std::max(0, Height())}; }
};

// The part of a cell that is painted: the bottom row belongs to the grid line, and so does the
// left column of every cell but the Status one.
Edges Painted(const QRect& cell, int column) {
    Edges edges(cell);
    edges.bottom -= 1;
    if (column != OstEventListModel::StatusColumn)
        edges.left += 1;
    return edges;
}

// A one-pixel frame on the inside of the edges.
void Frame(QPainter* painter, const Edges& edges, QRgb colour) {
    if (edges.Width() <= 0 || edges.Height() <= 0)
        return;
    painter->setPen(QColor::fromRgb(colour));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(edges.left, edges.top, edges.Width() - 1, edges.Height() - 1);
}

void Text(QPainter* painter, const Edges& edges, const QString& text,
          Qt::Alignment alignment = Qt::AlignCenter) {
    if (text.isEmpty() || edges.Width() <= 0 || edges.Height() <= 0)
        return;
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, edges.Width());
    painter->drawText(edges.Rect(),
                      static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

// White is the transparent colour of the skin's pictures, whether or not they carry alpha.
QPixmap LoadBitmap(int number, qreal ratio) {
    return OstBitmap::WhiteTransparent(OstBitmap::LoadImage(number, ratio));
}

constexpr int kBitmapNumbers[] = {193, 195, 238, 239, 235, 236, 237};
constexpr int kTypeIconSize = 16;
constexpr int kNameIndent = 20;
constexpr int kPeerGap = 4;

} // namespace

OstEventListDelegate::OstEventListDelegate(QObject* parent) : QAbstractItemDelegate(parent) {}

OstEventListDelegate::~OstEventListDelegate() = default;

const QPixmap& OstEventListDelegate::Bitmap(Picture picture, qreal ratio) const {
    const qreal wanted = ratio > 1.0 ? 2.0 : 1.0;
    if (bitmapRatio_ != wanted) {
        for (int i = 0; i < PictureCount; ++i)
            bitmaps_[static_cast<std::size_t>(i)] = LoadBitmap(kBitmapNumbers[i], wanted);
        bitmapRatio_ = wanted;
    }
    return bitmaps_[static_cast<std::size_t>(picture)];
}

QRect OstEventListDelegate::BarRect(const QRect& cell, int progress) {
    if (progress < 0 || progress > 100)
        return {};
    const Edges painted = Painted(cell, OstEventListModel::ProgressColumn);
    const Edges inner(painted.left + 1, painted.top + 1, painted.right - 1, painted.bottom - 1);
    const int length = (inner.Width() - 2) * progress / 100;
    return Edges(inner.left + 1, inner.top + 1, inner.left + 1 + length, inner.bottom - 1).Rect();
}

void OstEventListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const auto* model = qobject_cast<const OstEventListModel*>(index.model());
    const EventRow* row = model ? model->Row(index.row()) : nullptr;
    if (!row)
        return;
    const int column = index.column();
    const Edges painted = Painted(option.rect, column);
    if (painted.Width() <= 0 || painted.Height() <= 0)
        return;

    painter->save();
    painter->setClipRect(painted.Rect());
    if (column == OstEventListModel::StatusColumn) {
        painter->fillRect(
            Edges(painted.left + 1, painted.top, painted.right, painted.bottom).Rect(),
            QColor::fromRgb(kStatusBackground));
    } else {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(painted.Rect(),
                          selected ? option.palette.color(QPalette::Active, QPalette::Highlight)
                                   : QColor(Qt::white));
    }
    painter->setFont(option.font);
    painter->setPen(Qt::black);
    painter->setBackgroundMode(Qt::TransparentMode);

    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const EventRecord& record = row->Record;
    switch (column) {
    case OstEventListModel::StatusColumn:
        PaintStatus(painter, option.rect, *row, *model, ratio);
        break;
    case OstEventListModel::ProgressColumn:
        PaintProgress(painter, option.rect, *row, *model);
        break;
    case OstEventListModel::NameColumn:
        PaintName(painter, painted.Rect(), *row, ratio);
        break;
    case OstEventListModel::PeerColumn:
        PaintPeer(painter, painted.Rect(), *row, *model);
        break;
    case OstEventListModel::ResolutionColumn:
        Text(painter, painted, record.Resolution);
        break;
    case OstEventListModel::SizeColumn:
        Text(painter, painted, record.PictureSize);
        break;
    default:
        break;
    }
    painter->restore();
}

void OstEventListDelegate::PaintStatus(QPainter* painter, const QRect& cell, const EventRow& row,
                                       const OstEventListModel& model, qreal ratio) const {
    const Edges edges = Painted(cell, OstEventListModel::StatusColumn);
    if (row.HasButton()) {
        const QPixmap& button =
            Bitmap(row.ButtonState == EventRow::CancelButtonHot ? CancelHot : CancelNormal, ratio);
        const Edges target(edges.left + 1, edges.top + 1, edges.right, edges.bottom);
        if (!button.isNull() && target.Width() > 0 && target.Height() > 0) {
            // Three slices, so the button's rounded ends keep their shape at any cell width.
            const qreal scale = button.devicePixelRatio();
            const int sourceWidth = qRound(button.width() / scale);
            const int end = std::min(3, sourceWidth / 2);
            const auto source = [&](int x, int width) {
                return QRectF(x * scale, 0, width * scale, button.height());
            };
            painter->drawPixmap(QRectF(target.left, target.top, end, target.Height()), button,
                                source(0, end));
            if (target.Width() > 2 * end)
                painter->drawPixmap(QRectF(target.left + end, target.top, target.Width() - 2 * end,
                                           target.Height()),
                                    button, source(sourceWidth / 2, 1));
            painter->drawPixmap(QRectF(target.right - end, target.top, end, target.Height()),
                                button, source(sourceWidth - end, end));
        }
        Frame(painter, Edges(edges.left + 1, edges.top + 1, edges.right - 2, edges.bottom - 2),
              kButtonFrame);
        painter->setPen(Qt::white);
        Text(painter, edges, model.CancelText());
        return;
    }
    const Picture picture = row.Record.Status == EventRecord::Completed ? Check : Cross;
    if (row.Record.Status != EventRecord::Completed && row.Record.Status != EventRecord::Ended)
        return;
    const QPixmap& icon = Bitmap(picture, ratio);
    if (icon.isNull())
        return;
    const QSize size = icon.deviceIndependentSize().toSize();
    painter->drawPixmap(edges.left + (edges.Width() - size.width()) / 2,
                        edges.top + (edges.Height() - size.height()) / 2, icon);
}

void OstEventListDelegate::PaintProgress(QPainter* painter, const QRect& cell, const EventRow& row,
                                         const OstEventListModel& model) const {
    const Edges edges = Painted(cell, OstEventListModel::ProgressColumn);
    if (row.Progress < 0 || edges.Width() <= 4)
        return;
    if (row.Progress <= 100) {
        const Edges inner(edges.left + 1, edges.top + 1, edges.right - 1, edges.bottom - 1);
        painter->fillRect(inner.Rect(), Qt::white);
        Frame(painter, inner, kBarFrame);
        const QRect bar = BarRect(cell, row.Progress);
        if (!bar.isEmpty()) {
            QLinearGradient gradient(0, bar.top(), 0, bar.bottom());
            gradient.setColorAt(0, QColor::fromRgb(kBarTop));
            gradient.setColorAt(1, QColor::fromRgb(kBarBottom));
            painter->fillRect(bar, gradient);
        }
        painter->setPen(Qt::black);
    }
    Text(painter, edges, model.ProgressText(row.Progress));
}

void OstEventListDelegate::PaintName(QPainter* painter, QRect cell, const EventRow& row,
                                     qreal ratio) const {
    cell.adjust(1, 1, 0, 0);
    const int type = row.Record.EventType;
    if (type >= EventRecord::Taken && type <= EventRecord::Received) {
        const QPixmap& icon = Bitmap(static_cast<Picture>(TakenIcon + type), ratio);
        if (!icon.isNull())
            painter->drawPixmap(
                QRect(cell.left(), cell.top(), std::min(kTypeIconSize, cell.width()),
                      kTypeIconSize),
                icon,
                QRectF(0, 0, std::min(kTypeIconSize, cell.width()) * icon.devicePixelRatio(),
                       kTypeIconSize * icon.devicePixelRatio()));
    }
    cell.setLeft(cell.left() + kNameIndent);
    Text(painter, Edges(cell), row.Record.EventName, Qt::AlignLeft);
}

void OstEventListDelegate::PaintPeer(QPainter* painter, QRect cell, const EventRow& row,
                                     const OstEventListModel& model) const {
    const QString word = model.PeerWord(row.Record.EventType);
    if (word.isEmpty())
        return;
    const QFontMetrics metrics = painter->fontMetrics();
    const int box = std::max(metrics.horizontalAdvance(model.ToText()),
                             metrics.horizontalAdvance(model.FromText()));
    const Edges all(cell);
    const Edges wordBox(all.left, all.top, std::min(all.left + box, all.right), all.bottom);
    if (wordBox.Width() > 0)
        painter->drawText(wordBox.Rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          word);
    const int rest = std::min(wordBox.right + kPeerGap, all.right);
    Text(painter, Edges(rest, all.top, all.right, all.bottom), row.Record.FriendID);
}

QSize OstEventListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const auto* model = qobject_cast<const OstEventListModel*>(index.model());
    const EventRow* row = model ? model->Row(index.row()) : nullptr;
    if (!row)
        return {};
    const QFontMetrics metrics(option.font);
    const EventRecord& record = row->Record;
    int width = 0;
    switch (index.column()) {
    case OstEventListModel::StatusColumn:
        width = row->HasButton() ? metrics.horizontalAdvance(model->CancelText()) + 16 : 20;
        break;
    case OstEventListModel::ProgressColumn:
        width = metrics.horizontalAdvance(model->ProgressText(row->Progress)) + 12;
        break;
    case OstEventListModel::NameColumn:
        width = kNameIndent + metrics.horizontalAdvance(record.EventName) + 6;
        break;
    case OstEventListModel::PeerColumn:
        if (!model->PeerWord(record.EventType).isEmpty())
            width = std::max(metrics.horizontalAdvance(model->ToText()),
                             metrics.horizontalAdvance(model->FromText())) +
                    kPeerGap + metrics.horizontalAdvance(record.FriendID) + 6;
        break;
    case OstEventListModel::ResolutionColumn:
        width = metrics.horizontalAdvance(record.Resolution) + 8;
        break;
    case OstEventListModel::SizeColumn:
        width = metrics.horizontalAdvance(record.PictureSize) + 8;
        break;
    default:
        break;
    }
    return {width, option.rect.height()};
}
