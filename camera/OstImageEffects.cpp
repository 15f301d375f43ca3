#include "OstImageEffects.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

inline std::uint8_t Clamp8(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

inline std::uint8_t Clamp8(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// A repeatable pseudo-random number per position, so still pictures give still results.
inline std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed = 0) {
    std::uint32_t h = x * 73856093u ^ y * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

inline int Luma(const std::uint8_t* p) {
    return (p[0] * 77 + p[1] * 150 + p[2] * 29) >> 8;
}

// Copies `from` (same size and format) into `to`, whose pixels may belong to a video buffer.
void CopyInto(QImage& to, const QImage& from) {
    const qsizetype row = static_cast<qsizetype>(to.width()) * 3;
    for (int y = 0; y < to.height(); ++y)
        std::memcpy(to.scanLine(y), from.constScanLine(y), static_cast<size_t>(row));
}

inline const std::uint8_t* PixelAt(const QImage& image, int x, int y) {
    x = std::clamp(x, 0, image.width() - 1);
    y = std::clamp(y, 0, image.height() - 1);
    return image.constScanLine(y) + 3 * x;
}

// Each pixel from the source position `map` gives (clamped to the picture).
template <typename Map> void Remap(QImage& image, Map map) {
    const QImage src = image.copy();
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* out = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            int sx = x;
            int sy = y;
            map(x, y, sx, sy);
            std::memcpy(out + 3 * x, PixelAt(src, sx, sy), 3);
        }
    }
}

template <typename Op> void EachPixel(QImage& image, Op op) {
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* p = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 3)
            op(x, y, p);
    }
}

// Box blur of radius rx along rows and ry along columns, with running sums.
void BoxBlur(QImage& image, int rx, int ry) {
    const int w = image.width();
    const int h = image.height();
    const int n = 3 * w;
    if (rx > 0) {
        std::vector<std::uint8_t> line(static_cast<size_t>(n));
        const int span = 2 * rx + 1;
        for (int y = 0; y < h; ++y) {
            std::uint8_t* row = image.scanLine(y);
            std::memcpy(line.data(), row, line.size());
            for (int c = 0; c < 3; ++c) {
                auto at = [&](int x) {
                    return line[static_cast<size_t>(3 * std::clamp(x, 0, w - 1) + c)];
                };
                int acc = 0;
                for (int k = -rx; k <= rx; ++k)
                    acc += at(k);
                for (int x = 0; x < w; ++x) {
                    row[3 * x + c] = static_cast<std::uint8_t>(acc / span);
                    acc += at(x + rx + 1) - at(x - rx);
                }
            }
        }
    }
    if (ry > 0) {
        const QImage src = image.copy();
        const int span = 2 * ry + 1;
        std::vector<int> acc(static_cast<size_t>(n), 0);
        auto rowAt = [&](int y) { return src.constScanLine(std::clamp(y, 0, h - 1)); };
        for (int k = -ry; k <= ry; ++k) {
            const std::uint8_t* r = rowAt(k);
            for (int i = 0; i < n; ++i)
                acc[static_cast<size_t>(i)] += r[i];
        }
        for (int y = 0; y < h; ++y) {
            std::uint8_t* out = image.scanLine(y);
            const std::uint8_t* in = rowAt(y + ry + 1);
            const std::uint8_t* gone = rowAt(y - ry);
            for (int i = 0; i < n; ++i) {
                out[i] = static_cast<std::uint8_t>(acc[static_cast<size_t>(i)] / span);
                acc[static_cast<size_t>(i)] += in[i] - gone[i];
            }
        }
    }
}

// Calls op(x, y, out, above, here, below, left, right) with the rows around y (clamped at the
// edges) and the byte offsets of the neighbouring columns, reading from an untouched copy.
template <typename Op> void EachNeighbourhood(QImage& image, Op op) {
    const QImage src = image.copy();
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* above = src.constScanLine(std::max(y - 1, 0));
        const std::uint8_t* here = src.constScanLine(y);
        const std::uint8_t* below = src.constScanLine(std::min(y + 1, h - 1));
        std::uint8_t* out = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int left = 3 * std::max(x - 1, 0);
            const int right = 3 * std::min(x + 1, w - 1);
            op(3 * x, out, above, here, below, left, right);
        }
    }
}

void AgedPhoto(QImage& image) {
    const double cx = image.width() / 2.0;
    const double cy = image.height() / 2.0;
    const double reach = cx * cx + cy * cy;
    EachPixel(image, [&](int x, int y, std::uint8_t* p) {
        const double l = Luma(p);
        const double d = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / reach;
        const double fade = 1.0 - 0.55 * d;
        const bool scratch =
            Hash(static_cast<std::uint32_t>(x), 7) % 97 == 0 &&
            Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y / 8)) % 3;
        const double s = scratch ? 60 : 0;
        p[0] = Clamp8((l * 0.95 + 40) * fade + s);
        p[1] = Clamp8((l * 0.80 + 22) * fade + s);
        p[2] = Clamp8((l * 0.55 + 5) * fade + s);
    });
}

void Canvas(QImage& image) {
    EachPixel(image, [](int x, int y, std::uint8_t* p) {
        const bool warp = (x / 3 + y / 3) % 2 == 0;
        const double thread = warp ? (x % 3 == 1 ? 1.08 : 0.92) : (y % 3 == 1 ? 1.08 : 0.86);
        const double grain =
            0.94 +
            0.06 * ((Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 2) & 255) /
                    255.0);
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp8((p[c] * 0.8 + 40) * thread * grain);
    });
}

void Emboss(QImage& image) {
    EachNeighbourhood(image,
                      [](int at, std::uint8_t* out, const std::uint8_t* above, const std::uint8_t*,
                         const std::uint8_t* below, int left, int right) {
                          const int e = 128 + 2 * (Luma(below + right) - Luma(above + left));
                          out[at] = out[at + 1] = out[at + 2] = Clamp8(e);
                      });
}

void NeonLight(QImage& image) {
    EachNeighbourhood(image, [](int at, std::uint8_t* out, const std::uint8_t* above,
                                const std::uint8_t* here, const std::uint8_t* below, int left,
                                int right) {
        for (int c = 0; c < 3; ++c) {
            const int gx = above[right + c] + 2 * here[right + c] + below[right + c] -
                           above[left + c] - 2 * here[left + c] - below[left + c];
            const int gy = below[left + c] + 2 * below[at + c] + below[right + c] -
                           above[left + c] - 2 * above[at + c] - above[right + c];
            out[at + c] = Clamp8((std::abs(gx) + std::abs(gy)) * 5 / 4);
        }
        // Edges glow in the neon's own colour even where the picture is grey.
        out[at + 2] =
            std::max(out[at + 2], static_cast<std::uint8_t>(out[at] / 2 + out[at + 1] / 2));
    });
}

void Spread(QImage& image) {
    Remap(image, [](int x, int y, int& sx, int& sy) {
        const std::uint32_t h =
            Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 7);
        sx = x + static_cast<int>(h % 11) - 5;
        sy = y + static_cast<int>((h >> 8) % 11) - 5;
    });
}

void Shear(QImage& image) {
    const int w = image.width();
    const int h = image.height();
    Remap(image,
          [w, h](int x, int y, int& sx, int&) { sx = ((x + (h / 2 - y) * 3 / 10) % w + w) % w; });
}

void Monitor(QImage& image) {
    EachPixel(image, [](int, int y, std::uint8_t* p) {
        const double l = Luma(p) * (y % 3 == 2 ? 0.45 : 1.0);
        p[0] = Clamp8(l * 0.15);
        p[1] = Clamp8(l * 1.1 + 12);
        p[2] = Clamp8(l * 0.3);
    });
}

void Ellipse(QImage& image) {
    const double a = image.width() * 0.46;
    const double b = image.height() * 0.44;
    const double cx = image.width() / 2.0;
    const double cy = image.height() / 2.0;
    EachPixel(image, [&](int x, int y, std::uint8_t* p) {
        const double d = (x - cx) * (x - cx) / (a * a) + (y - cy) * (y - cy) / (b * b);
        if (d > 1.0)
            p[0] = p[1] = p[2] = 0;
        else if (d > 0.85)
            for (int c = 0; c < 3; ++c)
                p[c] = Clamp8(p[c] * (1.0 - d) / 0.15);
    });
}

void AlienMap(QImage& image) {
    std::array<std::array<std::uint8_t, 256>, 3> map{};
    for (int v = 0; v < 256; ++v) {
        const double t = v / 255.0 * 2 * kPi;
        map[0][static_cast<size_t>(v)] = Clamp8(127.5 * (1 + std::sin(t * 1.5 + 0.5)));
        map[1][static_cast<size_t>(v)] = Clamp8(127.5 * (1 + std::cos(t * 2.0)));
        map[2][static_cast<size_t>(v)] = Clamp8(127.5 * (1 + std::sin(t * 0.7 + 2.0)));
    }
    EachPixel(image, [&](int, int, std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = map[static_cast<size_t>(c)][p[c]];
    });
}

void GlassTile(QImage& image) {
    const int tile = std::max(8, image.width() / 24);
    Remap(image, [tile](int x, int y, int& sx, int& sy) {
        const int cx = x / tile * tile + tile / 2;
        const int cy = y / tile * tile + tile / 2;
        sx = 2 * cx - x;
        sy = 2 * cy - y;
    });
    EachPixel(image, [tile](int x, int y, std::uint8_t* p) {
        if (x % tile == 0 || y % tile == 0)
            for (int c = 0; c < 3; ++c)
                p[c] = Clamp8(p[c] * 0.6);
    });
}

void Wind(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* p = image.scanLine(y);
        std::array<double, 3> trail{0, 0, 0};
        for (int x = 0; x < image.width(); ++x, p += 3) {
            for (size_t c = 0; c < 3; ++c) {
                trail[c] = std::max(static_cast<double>(p[c]), trail[c] * 0.96);
                p[c] = Clamp8(trail[c]);
            }
        }
    }
}

void MagicMirror(QImage& image) {
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = (w + 1) / 2; x < w; ++x)
            std::memcpy(row + 3 * x, row + 3 * (w - 1 - x), 3);
    }
}

void Mosaic(QImage& image) {
    const int block = std::max(6, image.width() / 32);
    const int w = image.width();
    for (int by = 0; by < image.height(); by += block) {
        const int ey = std::min(by + block, image.height());
        for (int bx = 0; bx < w; bx += block) {
            const int ex = std::min(bx + block, w);
            std::array<int, 3> sum{0, 0, 0};
            for (int y = by; y < ey; ++y) {
                const std::uint8_t* p = image.constScanLine(y) + 3 * bx;
                for (int x = bx; x < ex; ++x, p += 3)
                    for (size_t c = 0; c < 3; ++c)
                        sum[c] += p[c];
            }
            const int n = (ex - bx) * (ey - by);
            const std::uint8_t mean[3] = {static_cast<std::uint8_t>(sum[0] / n),
                                          static_cast<std::uint8_t>(sum[1] / n),
                                          static_cast<std::uint8_t>(sum[2] / n)};
            for (int y = by; y < ey; ++y) {
                std::uint8_t* p = image.scanLine(y) + 3 * bx;
                for (int x = bx; x < ex; ++x, p += 3)
                    std::memcpy(p, mean, 3);
            }
        }
    }
}

void TvEffect(QImage& image, std::uint32_t frameIndex) {
    const QImage src = image.copy();
    EachPixel(image, [&](int x, int y, std::uint8_t* p) {
        const double line = y % 2 ? 0.6 : 1.0;
        const int noise = static_cast<int>(Hash(static_cast<std::uint32_t>(x),
                                                static_cast<std::uint32_t>(y), frameIndex) %
                                           49) -
                          24;
        // The red gun lags behind, as on a badly tuned set.
        p[0] = Clamp8(PixelAt(src, x - 3, y)[0] * line + noise);
        p[1] = Clamp8(p[1] * line + noise);
        p[2] = Clamp8(p[2] * line + noise);
    });
}

void WaterColor(QImage& image) {
    BoxBlur(image, 2, 2);
    EachNeighbourhood(image,
                      [](int at, std::uint8_t* out, const std::uint8_t* above,
                         const std::uint8_t* here, const std::uint8_t* below, int left, int right) {
                          const int edge = std::abs(Luma(here + right) - Luma(here + left)) +
                                           std::abs(Luma(below + at) - Luma(above + at));
                          for (int c = 0; c < 3; ++c)
                              out[at + c] = Clamp8((here[at + c] / 43) * 43 + 51 - edge);
                      });
}

// The lens of the magnifier frame: the middle of the picture twice as big.
void Magnify(QImage& image) {
    const double cx = image.width() / 2.0;
    const double cy = image.height() / 2.0;
    const double r = std::min(image.width(), image.height()) * 0.3;
    Remap(image, [&](int x, int y, int& sx, int& sy) {
        const double dx = x - cx;
        const double dy = y - cy;
        if (dx * dx + dy * dy > r * r)
            return;
        sx = static_cast<int>(cx + dx / 2);
        sy = static_cast<int>(cy + dy / 2);
    });
}

void DrawFlower(QPainter& painter, QPointF at, double size, QColor petal) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * kPi / 5;
        painter.drawEllipse(at + QPointF(std::cos(a), std::sin(a)) * size * 0.5, size * 0.35,
                            size * 0.35);
    }
    painter.setBrush(QColor(250, 210, 40));
    painter.drawEllipse(at, size * 0.25, size * 0.25);
}

void DrawLeaf(QPainter& painter, QPointF at, double size, double angle, QColor colour) {
    painter.save();
    painter.translate(at);
    painter.rotate(angle);
    painter.setPen(QPen(colour.darker(150), 1));
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(0, 0), size, size * 0.35);
    painter.drawLine(QPointF(-size, 0), QPointF(size, 0));
    painter.restore();
}

// Calls `at` for points spaced `step` apart around the edge of a w x h picture.
template <typename At> void AlongBorder(int w, int h, double step, At at) {
    for (double x = 0; x <= w; x += step) {
        at(QPointF(x, 0));
        at(QPointF(x, h));
    }
    for (double y = step; y < h; y += step) {
        at(QPointF(0, y));
        at(QPointF(w, y));
    }
}

} // namespace

bool OstImageEffects::IsEffect(int effect) {
    return (effect >= 0 && effect <= kLastFrame) || effect == kWaterColor;
}

void OstImageEffects::Zoom(QImage& image, std::int32_t zoom) {
    if (zoom <= 0 || image.isNull())
        return;
    zoom = std::min(zoom, 64);
    const int w = image.width();
    const int h = image.height();
    const int cw = std::max(1, static_cast<int>(std::lround(w * 64.0 / (64 + zoom))));
    const int ch = std::max(1, static_cast<int>(std::lround(h * 64.0 / (64 + zoom))));
    const QImage scaled = image.copy((w - cw) / 2, (h - ch) / 2, cw, ch)
                              .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB888);
    CopyInto(image, scaled);
}

void OstImageEffects::ApplySensor(QImage& image, const Sensor& sensor, std::uint32_t frameIndex) {
    std::array<double, 3> gain{1.0, 1.0, 1.0};
    if (!sensor.autoExposure)
        for (double& g : gain)
            g *= sensor.exposure / 1280000.0;
    if (!sensor.autoWhiteBalance) {
        gain[0] *= sensor.redGain / 10000.0;
        gain[1] *= sensor.greenGain / 10000.0;
        gain[2] *= sensor.blueGain / 10000.0;
    }
    if (!sensor.indoor) {
        gain[0] *= 1.08;
        gain[2] *= 0.90;
    }
    if (sensor.lowLight)
        for (double& g : gain)
            g *= 1.6;
    const int levels = sensor.autoBandwidth ? 256 : 1 << std::clamp(sensor.bandwidth, 1, 8);
    const bool curve =
        gain != std::array<double, 3>{1.0, 1.0, 1.0} || sensor.backlight || levels < 256;
    if (curve) {
        std::array<std::array<std::uint8_t, 256>, 3> lut{};
        for (size_t c = 0; c < 3; ++c) {
            for (int x = 0; x < 256; ++x) {
                double v = std::min(1.0, x / 255.0 * gain[c]);
                if (sensor.backlight)
                    v = std::pow(v, 0.6);
                if (levels < 256)
                    v = std::floor(v * (levels - 1) + 0.5) / (levels - 1);
                lut[c][static_cast<size_t>(x)] = Clamp8(v * 255.0);
            }
        }
        EachPixel(image, [&](int, int, std::uint8_t* p) {
            for (size_t c = 0; c < 3; ++c)
                p[c] = lut[c][p[c]];
        });
    }
    if (sensor.flicker60Hz) {
        // Lamps at 50 Hz beat against a 60 Hz exposure: slow bands roll through the picture.
        const double period = std::max(8, image.height() / 3);
        for (int y = 0; y < image.height(); ++y) {
            const int gain = static_cast<int>(
                256 * (1.0 + 0.18 * std::sin(2 * kPi * (y + 4.0 * frameIndex) / period)));
            std::uint8_t* p = image.scanLine(y);
            for (int i = 0; i < 3 * image.width(); ++i)
                p[i] = static_cast<std::uint8_t>(std::min(255, (p[i] * gain) >> 8));
        }
    }
    if (sensor.sharpness != 10000) {
        // Sharpening adds k times the detail (picture minus its blur); below 1.0 it blurs.
        const int k = (sensor.sharpness - 10000) * 256 / 10000;
        QImage soft = image.copy();
        BoxBlur(soft, 1, 1);
        for (int y = 0; y < image.height(); ++y) {
            std::uint8_t* p = image.scanLine(y);
            const std::uint8_t* b = soft.constScanLine(y);
            for (int i = 0; i < 3 * image.width(); ++i)
                p[i] = Clamp8(p[i] + ((k * (p[i] - b[i])) >> 8));
        }
    }
}

void OstImageEffects::ApplyEffect(QImage& image, int effect, std::uint32_t frameIndex) {
    if (image.isNull())
        return;
    switch (effect) {
    case 1:
        AgedPhoto(image);
        return;
    case 2:
        Canvas(image);
        return;
    case 3:
        Emboss(image);
        return;
    case 4:
        NeonLight(image);
        return;
    case 5:
        image.invertPixels();
        return;
    case 6:
        BoxBlur(image, std::max(2, image.width() / 40), 0);
        return;
    case 7:
        Spread(image);
        return;
    case 8:
        Shear(image);
        return;
    case 9:
        Monitor(image);
        return;
    case 10:
        Ellipse(image);
        return;
    case 11:
        AlienMap(image);
        return;
    case 12:
        GlassTile(image);
        return;
    case 13:
        Wind(image);
        return;
    case 14:
        MagicMirror(image);
        return;
    case 15:
        Mosaic(image);
        return;
    case 16:
        TvEffect(image, frameIndex);
        return;
    case kWaterColor:
        WaterColor(image);
        return;
    default:
        break;
    }
    if (effect < kFirstFrame || effect > kLastFrame)
        return;
    if (effect == kLastFrame)
        Magnify(image);
    // Pictures are drawn once per frame number and size on each thread that lays them.
    thread_local int cachedFrame = 0;
    thread_local QImage cachedPicture;
    if (cachedFrame != effect || cachedPicture.size() != image.size()) {
        cachedPicture = FramePicture(effect, image.size());
        cachedFrame = effect;
    }
    QPainter painter(&image);
    painter.drawImage(0, 0, cachedPicture);
}

QImage OstImageEffects::FramePicture(int frame, QSize size) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    if (size.isEmpty())
        return picture;
    const int w = size.width();
    const int h = size.height();
    const double unit = std::min(w, h) / 24.0;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole(0, 0, w, h);
    // Fills everything outside `hole` with `brush`.
    auto surround = [&](const QPainterPath& hole, const QBrush& brush) {
        QPainterPath outside;
        outside.addRect(whole);
        painter.fillPath(outside.subtracted(hole), brush);
    };
    switch (frame) {
    case 17: { // Post Card
        QPainterPath hole;
        hole.addRect(whole.adjusted(unit * 1.5, unit * 1.5, -unit * 1.5, -unit * 1.5));
        surround(hole, QColor(250, 246, 232));
        const QRectF stamp(w - unit * 6.5, unit * 2.5, unit * 4, unit * 5);
        painter.fillRect(stamp, QColor(250, 246, 232));
        painter.fillRect(stamp.adjusted(unit * 0.4, unit * 0.4, -unit * 0.4, -unit * 0.4),
                         QColor(200, 40, 50));
        painter.setPen(QPen(QColor(40, 60, 140), unit * 0.25));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(w - unit * 8, unit * 5), unit * 2.2, unit * 2.2);
        for (int i = 0; i < 4; ++i)
            painter.drawLine(QPointF(w - unit * 13, unit * (3.5 + i)),
                             QPointF(w - unit * 10.5, unit * (3.5 + i)));
        break;
    }
    case 18: { // Flower
        const QColor petals[] = {QColor(240, 90, 160), QColor(255, 255, 255), QColor(170, 90, 230)};
        int i = 0;
        AlongBorder(w, h, unit * 3,
                    [&](QPointF at) { DrawFlower(painter, at, unit * 3, petals[i++ % 3]); });
        break;
    }
    case 19: { // Jungle
        int i = 0;
        AlongBorder(w, h, unit * 2, [&](QPointF at) {
            const QColor colour = i % 2 ? QColor(30, 120, 40) : QColor(90, 170, 50);
            DrawLeaf(painter, at, unit * 2.5, (i * 47) % 180, colour);
            ++i;
        });
        for (double x = 0; x < w; x += unit * 1.5)
            DrawLeaf(painter, QPointF(x, h - unit), unit * 3, 70 + (static_cast<int>(x) % 40),
                     QColor(20, 100, 30));
        break;
    }
    case 20: { // Television
        QPainterPath hole;
        hole.addRoundedRect(whole.adjusted(unit * 2, unit * 2, -unit * 6, -unit * 2), unit * 3,
                            unit * 3);
        surround(hole, QColor(90, 60, 35));
        painter.setBrush(QColor(40, 40, 40));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(w - unit * 3, h * 0.3), unit * 1.3, unit * 1.3);
        painter.drawEllipse(QPointF(w - unit * 3, h * 0.55), unit * 1.3, unit * 1.3);
        painter.fillRect(QRectF(w - unit * 4.5, h * 0.75, unit * 3, unit * 0.5),
                         QColor(20, 20, 20));
        break;
    }
    case 21: { // Magazine
        painter.fillRect(QRectF(0, 0, w, unit * 4), QColor(200, 20, 30));
        painter.fillRect(QRectF(unit, unit, w * 0.55, unit * 2), Qt::white);
        painter.fillRect(QRectF(0, h - unit * 5, w, unit * 5), QColor(255, 255, 255, 220));
        for (int i = 0; i < 3; ++i)
            painter.fillRect(
                QRectF(unit, h - unit * (4.2 - 1.3 * i), w * (0.7 - 0.15 * i), unit * 0.7),
                QColor(30, 30, 30));
        painter.fillRect(QRectF(w - unit * 5, unit * 5, unit * 4, unit * 4), QColor(250, 200, 0));
        break;
    }
    case 22: { // Computer
        QPainterPath hole;
        hole.addRect(whole.adjusted(unit * 1.5, unit * 3.5, -unit * 1.5, -unit * 3));
        surround(hole, QColor(190, 190, 195));
        painter.fillRect(QRectF(unit * 1.5, unit * 1.5, w - unit * 3, unit * 2),
                         QColor(20, 70, 170));
        const QColor buttons[] = {QColor(220, 60, 50), QColor(240, 190, 40), QColor(60, 180, 70)};
        for (int i = 0; i < 3; ++i)
            painter.fillRect(QRectF(w - unit * (3.2 + 1.6 * i), unit * 1.8, unit * 1.2, unit * 1.4),
                             buttons[i]);
        painter.fillRect(QRectF(unit * 1.5, h - unit * 2.6, unit * 5, unit * 1.6),
                         QColor(40, 150, 60));
        break;
    }
    case 23: { // Aim
        const QPointF centre(w / 2.0, h / 2.0);
        const double r = std::min(w, h) * 0.42;
        QPainterPath hole;
        hole.addEllipse(centre, r, r);
        surround(hole, QColor(0, 0, 0));
        painter.setPen(QPen(QColor(220, 20, 20), unit * 0.25));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r * 0.5, r * 0.5);
        painter.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
        painter.drawLine(QPointF(centre.x(), centre.y() - r), QPointF(centre.x(), centre.y() + r));
        break;
    }
    case 24: { // Paper
        QPainterPath edge;
        const double depth = unit * 2;
        const int steps = 40;
        auto jag = [&](int i, int side) {
            return depth * (0.5 + (Hash(static_cast<std::uint32_t>(i),
                                        static_cast<std::uint32_t>(side), 24) %
                                   100) /
                                      100.0);
        };
        edge.moveTo(jag(0, 0), jag(0, 1));
        for (int i = 1; i <= steps; ++i)
            edge.lineTo(w * i / double(steps), jag(i, 1));
        for (int i = 1; i <= steps; ++i)
            edge.lineTo(w - jag(i, 2), h * i / double(steps));
        for (int i = steps - 1; i >= 0; --i)
            edge.lineTo(w * i / double(steps), h - jag(i, 3));
        for (int i = steps - 1; i > 0; --i)
            edge.lineTo(jag(i, 0), h * i / double(steps));
        edge.closeSubpath();
        surround(edge, QColor(245, 240, 225));
        break;
    }
    case 25: { // Snow
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 235));
        for (std::uint32_t i = 0; i < 160; ++i) {
            const std::uint32_t hsh = Hash(i, 25, 25);
            painter.drawEllipse(QPointF(hsh % static_cast<std::uint32_t>(w),
                                        (hsh >> 12) % static_cast<std::uint32_t>(h)),
                                unit * (0.2 + (hsh >> 24) % 4 * 0.15),
                                unit * (0.2 + (hsh >> 24) % 4 * 0.15));
        }
        QPainterPath drift;
        drift.moveTo(0, h);
        for (int i = 0; i <= 8; ++i)
            drift.lineTo(w * i / 8.0, h - unit * (1.5 + (i % 3)));
        drift.lineTo(w, h);
        drift.closeSubpath();
        painter.fillPath(drift, Qt::white);
        break;
    }
    case 26: { // Magnifier
        const QPointF centre(w / 2.0, h / 2.0);
        const double r = std::min(w, h) * 0.3;
        painter.setPen(QPen(QColor(60, 50, 40), unit * 0.8));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r, r);
        painter.setPen(QPen(QColor(90, 60, 30), unit * 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + QPointF(r * 0.72, r * 0.72), centre + QPointF(r * 1.4, r * 1.4));
        break;
    }
    default:
        break;
    }
    return picture;
}
