#include "OstPackedBitmap.h"

#include <QtEndian>

#include <limits>

namespace OstPackedBitmap {

namespace {

constexpr quint32 kInfoHeaderSize = 40;

quint32 ReadU32(const QByteArray& data, int offset) {
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

} // namespace

QByteArray FromImage(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qint64 width = rgb.width();
    const qint64 height = rgb.height();
    const qint64 stride = (width * 3 + 3) & ~qint64(3);
    const qint64 imageSize = stride * height;
    if (imageSize > std::numeric_limits<qint32>::max() - kInfoHeaderSize)
        return {};
    QByteArray packed(static_cast<qsizetype>(kInfoHeaderSize + imageSize), '\0');
    char* h = packed.data();
    qToLittleEndian<quint32>(kInfoHeaderSize, h + 0);
    qToLittleEndian<qint32>(static_cast<qint32>(width), h + 4);
    qToLittleEndian<qint32>(static_cast<qint32>(height), h + 8); // positive: bottom-up
    qToLittleEndian<quint16>(1, h + 12);                         // planes
    qToLittleEndian<quint16>(24, h + 14);                        // bits per pixel
    qToLittleEndian<quint32>(0, h + 16);                         // BI_RGB
    qToLittleEndian<quint32>(static_cast<quint32>(imageSize), h + 20);
    qToLittleEndian<qint32>(3780, h + 24); // 96 dots per inch
    qToLittleEndian<qint32>(3780, h + 28);
    // Colours used and important stay 0: a 24-bit bitmap has no colour table.
    auto* row = reinterpret_cast<uchar*>(h + kInfoHeaderSize);
    for (qint64 y = height - 1; y >= 0; --y, row += stride) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(static_cast<int>(y)));
        for (qint64 x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<uchar>(qBlue(src[x]));
            row[x * 3 + 1] = static_cast<uchar>(qGreen(src[x]));
            row[x * 3 + 2] = static_cast<uchar>(qRed(src[x]));
        }
    }
    return packed;
}

bool FileHeader(const QByteArray& packed, QByteArray& header, qint64& bodySize) {
    if (packed.size() < qsizetype(kInfoHeaderSize))
        return false;
    const quint32 headerSize = ReadU32(packed, 0);
    const quint16 bitCount = qFromLittleEndian<quint16>(packed.constData() + 14);
    const quint32 imageSize = ReadU32(packed, 20);
    const quint32 usedColors = ReadU32(packed, 32);
    if (headerSize < kInfoHeaderSize)
        return false;
    quint64 paletteEntries = usedColors;
    if (paletteEntries == 0 && bitCount <= 8)
        paletteEntries = quint64(1) << bitCount;
    // The colour table counts in the body as in the offset, so that a bitmap of 8 bits or
    // fewer with an implied table is written whole.
    const quint64 body = quint64(headerSize) + 4 * paletteEntries + imageSize;
    const quint64 fileSize = 14 + body;
    const quint64 offset = 14 + quint64(headerSize) + 4 * paletteEntries;
    if (body > quint64(packed.size()) || fileSize > std::numeric_limits<quint32>::max())
        return false;
    header = QByteArray(14, '\0');
    char* h = header.data();
    qToLittleEndian<quint16>(0x4D42, h + 0);
    qToLittleEndian<quint32>(static_cast<quint32>(fileSize), h + 2);
    qToLittleEndian<quint32>(static_cast<quint32>(offset), h + 10);
    bodySize = static_cast<qint64>(body);
    return true;
}

} // namespace OstPackedBitmap
