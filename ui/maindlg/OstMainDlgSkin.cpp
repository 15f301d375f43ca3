#include "OstMainDlgSkin.h"

#include "COstUI_StaticPicture.h"
#include "OstMainDlgLayout.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// Frames are one pixel wide on exactly the border pixels of `rect`.
void Frame(QPainter& painter, const QRect& rect, QRgb colour) {
    painter.setPen(QPen(QColor(colour), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace

namespace OstMainDlgSkin {

QPixmap Background(const OstMainDlgLayout& l, bool listShown, qreal dpr, const QColor& fill) {
    const int pictureId = listShown ? l.backgroundShown : l.backgroundHidden;
    COstUI_Picture picture;
    const bool loaded = picture.LoadFromResource(pictureId, QStringLiteral("JPG"));
    const QSize size = loaded      ? picture.Picture().size()
                       : listShown ? l.backgroundShownSize
                                   : l.backgroundHiddenSize;

    QPixmap background(size * dpr);
    background.setDevicePixelRatio(dpr);
    background.fill(fill);
    QPainter painter(&background);
    if (loaded) {
        // Sizes stay those of the 1x picture.
        const QImage sharp =
            dpr > 1 ? QImage(COstUI_Picture::ResourcePath(pictureId, QStringLiteral("JPG")) +
                             QStringLiteral("@2x"))
                    : QImage();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size), sharp.isNull() ? picture.Picture() : sharp);
    }
    Frame(painter,
          QRect(QPoint(l.sendToLabel.left() - 2, l.friendCombo.top() - 2),
                QPoint(l.friendCombo.right() + 2, l.friendCombo.bottom() + 2)),
          0xDBDBDB);
    if (listShown)
        Frame(painter, l.eventList.adjusted(-1, -1, 1, 1), 0xB3B3B3);
    Frame(painter, OstMainDlgLayout::ZoomEdit.adjusted(-1, -1, 1, 1), 0x8C8C8C);
    return background;
}

void PaintLight(QPainter& painter, const QRect& area) {
    painter.fillRect(QRect(area.left(), area.top(), area.width(), area.height() / 2), Qt::white);
}

QPainterPath OutlinePath(const QSize& size) {
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, size.width(), size.height()), 12.5, 12.5);
    return rounded;
}

void PaintWithin(QPainter& painter, const QSize& size) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(OutlinePath(size));
}

QRegion Outline(const QSize& size) {
    return QRegion(OutlinePath(size).toFillPolygon().toPolygon());
}

QRect TextPlaceIn(const QRect& area) {
    const int left = area.left();
    const int right = area.left() + area.width(); // exclusive, as the skin measures
    const int top = area.top();
    const int bottom = area.top() + area.height();
    const int l = left + (right - left) / 7;
    const int r = right - (right - l) / 7;
    const int t = (top + bottom) / 2;
    const int b = bottom - 8;
    return QRect(l, t, std::max(0, r - l), std::max(0, b - t));
}

} // namespace OstMainDlgSkin
