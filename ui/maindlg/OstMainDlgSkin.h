#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPixmap>
#include <QRect>
#include <QRegion>
#include <QSize>

class QPainter;
struct OstMainDlgLayout;

// How the main dialog's skin is painted, apart from the dialog: its background pictures with
// the frames drawn over them, its rounded outline, and where texts sit on it.
namespace OstMainDlgSkin {

// The background of one layout with the list shown or hidden: the picture (the sharper one on
// a dense screen) with the frames around the Send To row, the list and the zoom field. Filled
// with fill, at the table's size, while the picture is missing.
QPixmap Background(const OstMainDlgLayout& layout, bool listShown, qreal dpr, const QColor& fill);

// The upper halves of the picture areas are white: the skin's light behind them.
void PaintLight(QPainter& painter, const QRect& area);

// The dialog's rounded outline at a size, as a mask and as a path to paint within.
QRegion Outline(const QSize& size);
QPainterPath OutlinePath(const QSize& size);
// On a translucent window: everything clear, and what is painted next stays inside the outline.
void PaintWithin(QPainter& painter, const QSize& size);

// Where a text is laid inside an area of the skin: a seventh in from each side (the right
// inset measured from the new left edge), from the middle down to 8 pixels above the bottom.
QRect TextPlaceIn(const QRect& area);

} // namespace OstMainDlgSkin
