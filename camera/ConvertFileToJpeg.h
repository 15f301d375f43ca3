#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The installed image encoder whose MIME type is "image/jpeg": its index among the encoders
// and, in `format`, the name to hand to QImageWriter. -1 when there is none.
int FindJpegEncoder(QByteArray& format);

// `image` encoded by the encoder `format` (from FindJpegEncoder) as a JPEG of quality 99 with
// the same width and height. Empty when the image is null or the encoder fails.
QByteArray EncodeJpeg(const QImage& image, const QByteArray& format);

// Rewrites the picture file at `path` in place as a JPEG of quality 99 with the same width
// and height, replacing the file in one step. False when the file is no picture, there is no
// JPEG encoder or the new file could not be written; the file then keeps what it had.
bool ConvertFileToJpeg(const QString& path);
