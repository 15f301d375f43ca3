#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>

// The program's pictures by number, at the density of the screen they are shown on.
class OstBitmap {
public:
    // ":/<type>/<id>", or its "@2x" sibling (marked with device pixel ratio 2) when `dpr` is
    // above 1 and one exists. Null when there is no such picture.
    static QPixmap Load(int id, qreal dpr = 1.0, const QString& type = QStringLiteral("bitmaps"));
    static QImage LoadImage(int id, qreal dpr = 1.0, const QString& type = QStringLiteral("bitmaps"));

    // The picture with every pure white pixel (0xFFFFFF) made transparent, as the skin draws
    // bitmaps whose transparent colour is white.
    static QPixmap WhiteTransparent(const QImage& image);

    // The cells of a strip of `cellWidth`-wide images (at 1x), `maskColour` transparent.
    static QList<QPixmap> Strip(int id, int cellWidth, const QColor& maskColour, qreal dpr = 1.0);

    // A Windows COLORREF (0x00BBGGRR) as a colour.
    static QColor FromColorRef(quint32 colorRef);
};
