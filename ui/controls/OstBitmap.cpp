#include "OstBitmap.h"

#include "COstUI_Picture.h"

#include <QFile>

QImage OstBitmap::LoadImage(int id, qreal dpr, const QString& type) {
    const QString path = COstUI_Picture::ResourcePath(id, type);
    if (dpr > 1.0) {
        QImage image(path + u"@2x"_qs);
        if (!image.isNull()) {
            image.setDevicePixelRatio(2.0);
            return image;
        }
    }
    return QImage(path);
}

QPixmap OstBitmap::Load(int id, qreal dpr, const QString& type) {
    return QPixmap::fromImage(LoadImage(id, dpr, type));
}

QPixmap OstBitmap::WhiteTransparent(const QImage& image) {
    if (image.isNull())
        return {};
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0x00ffffffu) == 0x00ffffffu && qAlpha(line[x]) == 255)
                line[x] = 0;
        }
    }
    return QPixmap::fromImage(argb);
}

QList<QPixmap> OstBitmap::Strip(int id, int cellWidth, const QColor& maskColour, qreal dpr) {
    QList<QPixmap> cells;
    const QImage strip = LoadImage(id, dpr);
    if (strip.isNull() || cellWidth <= 0)
        return cells;
    const qreal ratio = strip.devicePixelRatio();
    const int cell = qRound(cellWidth * ratio);
    const QRgb key = maskColour.rgb() & 0x00ffffffu;
    for (int left = 0; left + cell <= strip.width(); left += cell) {
        QImage image = strip.copy(left, 0, cell, strip.height()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0x00ffffffu) == key)
                    line[x] = 0;
            }
        }
        image.setDevicePixelRatio(ratio);
        cells << QPixmap::fromImage(image);
    }
    return cells;
}

QColor OstBitmap::FromColorRef(quint32 colorRef) {
    return QColor(colorRef & 0xff, (colorRef >> 8) & 0xff, (colorRef >> 16) & 0xff);
}
