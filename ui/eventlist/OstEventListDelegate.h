#pragma once

#include <QAbstractItemDelegate>
#include <QImage>
#include <QPixmap>

#include <array>

class OstEventListModel;
struct EventRow;

// Paints every cell of the event list itself: the Cancel button, the status icons, the
// progress bar, the type icons and the From/To box. Rows come from an OstEventListModel.
class OstEventListDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    // Colours of the skin (the names say where they are used).
    static constexpr QRgb kStatusBackground = 0xFFEBEBEB;
    static constexpr QRgb kButtonFrame = 0xFFA4A4A4;
    static constexpr QRgb kBarFrame = 0xFFC2C2C2;
    static constexpr QRgb kBarTop = 0xFFC2F27C;    // (194, 242, 124)
    static constexpr QRgb kBarBottom = 0xFF579901; // (87, 153, 1)

    explicit OstEventListDelegate(QObject* parent = nullptr);
    ~OstEventListDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The progress bar's filled part for a cell of that rectangle: empty below 0 and above 100.
    static QRect BarRect(const QRect& cell, int progress);
    // The part of a Status cell that presses its Cancel button.
    static QRect ButtonHitRect(const QRect& cell) { return cell.adjusted(2, 2, -2, -2); }

private:
    enum Picture {
        CancelNormal,
        CancelHot,
        Check,
        Cross,
        TakenIcon,
        SentIcon,
        ReceivedIcon,
        PictureCount
    };

    const QPixmap& Bitmap(Picture picture, qreal ratio) const;
    void PaintStatus(QPainter* painter, const QRect& cell, const EventRow& row,
                     const OstEventListModel& model, qreal ratio) const;
    void PaintProgress(QPainter* painter, const QRect& cell, const EventRow& row,
                       const OstEventListModel& model) const;
    void PaintName(QPainter* painter, QRect cell, const EventRow& row, qreal ratio) const;
    void PaintPeer(QPainter* painter, QRect cell, const EventRow& row,
                   const OstEventListModel& model) const;

    // Loaded on first use for the screen's pixel ratio; a missing picture stays null.
    mutable std::array<QPixmap, PictureCount> bitmaps_;
    mutable qreal bitmapRatio_ = 0;
};
