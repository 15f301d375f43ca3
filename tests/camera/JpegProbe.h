#pragma once

#include <QByteArray>
#include <QImage>

#include <array>
#include <cstdlib>

// True when `jpeg` is a JPEG file whose luminance quantisation table is the standard one
// scaled for quality 99 (libjpeg's scaling: 2 % of the base values, rounded, at least 1).
inline bool IsQuality99Jpeg(const QByteArray& jpeg) {
    static constexpr std::array<int, 64> kLuminance{
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    static constexpr std::array<int, 64> kZigzagToNatural{
        0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
        41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
        30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(jpeg[i]); };
    if (jpeg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return false;
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && byte(pos) == 0xFF) {
        const int marker = byte(pos + 1);
        const qsizetype length = (byte(pos + 2) << 8) | byte(pos + 3);
        if (marker == 0xDA || pos + 2 + length > jpeg.size())
            return false;
        if (marker == 0xDB) {
            for (qsizetype t = pos + 4; t + 65 <= pos + 2 + length;) {
                const int precision = byte(t) >> 4;
                const int id = byte(t) & 0x0F;
                if (precision != 0)
                    return false;
                if (id == 0) {
                    for (int i = 0; i < 64; ++i) {
                        int q = (kLuminance[kZigzagToNatural[i]] * 2 + 50) / 100;
                        q = q < 1 ? 1 : q;
                        if (byte(t + 1 + i) != q)
                            return false;
                    }
                    return true;
                }
                t += 65;
            }
        }
        pos += 2 + length;
    }
    return false;
}

// Mean absolute difference of the colour channels of two pictures of the same size.
inline double MeanAbsoluteDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}
