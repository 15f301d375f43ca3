#pragma once

#include <QByteArray>
#include <QString>

// Rewrites the picture file at `path` in place as a JPEG of quality 99 with the same width
// and height. The file is replaced atomically; if anything fails it keeps what it had.
void ConvertFileToJpeg(const QString& path);

// The installed image encoder whose MIME type is "image/jpeg": its index among the encoders
// and, in `format`, the name to hand to QImageWriter. -1 when there is none.
int FindJpegEncoder(QByteArray& format);
