#include "ConvertFileToJpeg.h"

#include <QBuffer>
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

QByteArray EncodeJpeg(const QImage& image, const QByteArray& format) {
    if (image.isNull())
        return {};
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        return {};
    return jpeg;
}

bool ConvertFileToJpeg(const QString& path) {
    QImage image;
    {
        // The name may end in .jpg while the file holds another format: trust the content.
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        if (!reader.read(&image))
            return false;
    }
    QByteArray format;
    if (FindJpegEncoder(format) < 0)
        return false;
    const QByteArray jpeg = EncodeJpeg(image, format);
    if (jpeg.isEmpty())
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size() && file.commit();
}
