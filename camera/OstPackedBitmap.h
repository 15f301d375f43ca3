#pragma once

#include <QByteArray>
#include <QImage>

// Device-independent bitmaps as the renderer hands out its current image: a 40-byte
// BITMAPINFOHEADER, the colour table, then the pixel rows, bottom row first.
namespace OstPackedBitmap {

// A 24-bit packed bitmap of the image (rows padded to four bytes); empty for a null image.
QByteArray FromImage(const QImage& image);

// The 14-byte "BM" file header for a packed bitmap, little-endian, and how many bytes of the
// packed bitmap make up the file after it. False when the packed bitmap is shorter than its
// header says.
bool FileHeader(const QByteArray& packed, QByteArray& header, qint64& bodySize);

} // namespace OstPackedBitmap
