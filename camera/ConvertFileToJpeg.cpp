#include "ConvertFileToJpeg.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {
constexpr int kJpegQuality = 99;
}

int FindJpegEncoder(QByteArray& format) {
    const QList<QByteArray> mimeTypes = QImageWriter::supportedMimeTypes();
    for (qsizetype i = 0; i < mimeTypes.size(); ++i) {
        if (mimeTypes[i] != "image/jpeg")
            continue;
        const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mimeTypes[i]);
        if (formats.isEmpty())
            return -1;
        format = formats.front();
        return static_cast<int>(i);
    }
    return -1;
}

void ConvertFileToJpeg(const QString& path) {
    QImage image;
    {
        // The photo's name ends in .jpg while it still holds a bitmap: trust the content.
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        if (!reader.read(&image))
            return;
    }
    QByteArray format;
    if (FindJpegEncoder(format) < 0)
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QImageWriter writer(&file, format);
    writer.setQuality(kJpegQuality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return;
    }
    file.commit();
}
