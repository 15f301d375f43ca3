// Renders every picture of the program from the glyph drawings in glyphs/ and the layout below,
// once at 1x and once at 2x, and writes the resource list that embeds them.
//
//   orbit-pictures <glyph folder> <output folder>
//
// Output: bitmaps/<n>.png and <n>@2x.png (":/bitmaps/<n>"), JPG/<n>.jpg and <n>@2x.jpg
// (":/JPG/<n>", ":/JPG/<n>@2x"), icons/<n>/<size>.png (":/icons/<n>/<size>"),
// frames/<n>.png (":/frames/<n>") and pictures.qrc. See docs/pictures.md.

#include "OstMainDlgLayout.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QSaveFile>
#include <QStringList>
#include <QSvgRenderer>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// The house style: one stroke width, one corner radius, light greys and one green.
constexpr qreal kStroke = 1.5;
constexpr qreal kRadius = 3.0;
const QColor kInk(0x4a, 0x4a, 0x4a);
const QColor kInkSoft(0x6e, 0x6e, 0x6e);
const QColor kInkDisabled(0xb8, 0xb8, 0xb8);
const QColor kPaper(0xfd, 0xfd, 0xfd);          // "white" inside art; pure white means transparent
const QColor kFrameLight(0xdb, 0xdb, 0xdb);
const QColor kFrame(0xb3, 0xb3, 0xb3);
const QColor kFrameDark(0x8c, 0x8c, 0x8c);
const QColor kLabelGrey(0xd9, 0xd9, 0xd9);
const QColor kPanel(0xf3, 0xf3, 0xf3);
const QColor kAccent(87, 153, 1);
const QColor kAccentLight(194, 242, 124);
const QColor kAccentDeep(62, 112, 0);
const QColor kAccentTint(0xe6, 0xf4, 0xd2);
const QColor kRed(0xc8, 0x3a, 0x30);
const QColor kAmber(0xe8, 0xa3, 0x17);
const QColor kOrange(0xdf, 0x76, 0x1c);
const QColor kGreyBadge(0x9a, 0x9a, 0x9a);

enum class State { Normal, Down, Over, Disabled };

// --- glyphs --------------------------------------------------------------------------------

QString g_glyphDir;
QHash<QString, QByteArray> g_glyphs;

// Draws glyphs/<name>.svg into `box` in `colour`. Every glyph is drawn with the house stroke
// (`stroke` logical pixels) whatever its size, so icons of different sizes match.
void Glyph(QPainter& p, const QString& name, const QRectF& box, const QColor& colour,
           qreal stroke = kStroke) {
    auto it = g_glyphs.find(name);
    if (it == g_glyphs.end()) {
        QFile file(g_glyphDir + u'/' + name + u".svg"_qs);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "orbit-pictures: missing glyph %s\n", qPrintable(name));
            std::exit(1);
        }
        it = g_glyphs.insert(name, file.readAll());
    }
    QByteArray svg = *it;
    const qreal width = stroke * 24.0 / box.width();
    svg.replace("stroke-width=\"2\"", "stroke-width=\"" + QByteArray::number(width, 'f', 3) + '"');
    svg.replace("\"#000\"", '"' + colour.name().toLatin1() + '"');
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "orbit-pictures: glyph %s is not valid SVG\n", qPrintable(name));
        std::exit(1);
    }
    renderer.render(&p, box);
}

QRectF Centred(const QRectF& outer, qreal w, qreal h) {
    return QRectF(outer.center().x() - w / 2, outer.center().y() - h / 2, w, h);
}

// --- output --------------------------------------------------------------------------------

enum class Keying {
    Alpha,       // transparent outside; opaque pure white inside is nudged off white
    WhiteKey,    // opaque, white where nothing is drawn (colour-keyed pictures)
    YellowKey,   // opaque, RGB(255,255,0) where nothing is drawn (the image-list strip)
    Mask,        // black where drawn at least half, white elsewhere
    Opaque,      // JPG
};

QString g_out;
QHash<QString, QStringList> g_entries;  // prefix -> "alias|file"

QImage Render(QSize size, int scale, const std::function<void(QPainter&)>& draw) {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return image;
}

QImage Finish(const QImage& drawn, Keying keying) {
    QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const QRgb yellow = qRgb(255, 255, 0);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            switch (keying) {
            case Keying::Alpha:
                if (a > 0 && qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255)
                    line[x] = qRgba(254, 254, 254, a);
                break;
            case Keying::WhiteKey:
            case Keying::YellowKey: {
                if (a < 96) {
                    line[x] = keying == Keying::WhiteKey ? qRgb(255, 255, 255) : yellow;
                    break;
                }
                // Edge pixels blend towards white so they never read as the key colour.
                const auto mix = [a](int v) { return (v * a + 254 * (255 - a)) / 255; };
                QRgb out = qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
                if (out == qRgb(255, 255, 255) || out == yellow)
                    out = qRgb(254, 254, 254);
                line[x] = out;
                break;
            }
            case Keying::Mask:
                line[x] = a >= 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                break;
            case Keying::Opaque:
                break;
            }
        }
    }
    if (keying != Keying::Alpha)
        image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

void Save(const QImage& image, const QString& folder, const QString& file, const char* format,
          int quality = -1) {
    QDir().mkpath(g_out + u'/' + folder);
    const QString path = g_out + u'/' + folder + u'/' + file;
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "orbit-pictures: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// One picture, at 1x and 2x, under ":/<prefix>/<name>" and ":/<prefix>/<name>@2x".
void Emit(const QString& prefix, const QString& name, QSize size, Keying keying,
          const std::function<void(QPainter&)>& draw) {
    const bool jpg = keying == Keying::Opaque;
    const QString ext = jpg ? u".jpg"_qs : u".png"_qs;
    for (int scale : {1, 2}) {
        const QString alias = scale == 1 ? name : name + u"@2x"_qs;
        QImage image = Finish(Render(size, scale, draw), keying);
        if (jpg)
            image = image.convertToFormat(QImage::Format_RGB32);
        Save(image, prefix, alias + ext, jpg ? "JPG" : "PNG", jpg ? 90 : -1);
        g_entries[prefix] << alias + u'|' + prefix + u'/' + alias + ext;
    }
}

void EmitBitmap(int id, QSize size, Keying keying, const std::function<void(QPainter&)>& draw) {
    Emit(u"bitmaps"_qs, QString::number(id), size, keying, draw);
}

// --- button bodies -------------------------------------------------------------------------

QPainterPath Body(const QRectF& r) {
    QPainterPath path;
    path.addRoundedRect(r, kRadius, kRadius);
    return path;
}

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// Light buttons (tools, small buttons): grey face, green while pointed at and pressed.
void LightBody(QPainter& p, const QRectF& r, State s, bool on = false) {
    const QRectF face = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor border = kFrame;
    QBrush fill;
    switch (s) {
    case State::Normal:
        fill = on ? QBrush(kAccentTint) : QBrush(Vertical(r, QColor(0xfa, 0xfa, 0xfa), QColor(0xe6, 0xe6, 0xe6)));
        border = on ? kAccent : kFrame;
        break;
    case State::Over:
        fill = Vertical(r, QColor(0xfd, 0xfd, 0xfd), QColor(0xee, 0xf6, 0xe2));
        border = kAccent;
        break;
    case State::Down:
        fill = Vertical(r, kAccentDeep, kAccent);
        border = kAccentDeep;
        break;
    case State::Disabled:
        fill = QColor(0xee, 0xee, 0xee);
        border = QColor(0xd6, 0xd6, 0xd6);
        break;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawPath(Body(face));
    if (s == State::Normal && !on) {
        // A lighter top edge: the face reads as raised.
        p.setPen(QPen(QColor(0xff, 0xff, 0xff, 200), 1));
        p.drawLine(QPointF(face.left() + kRadius, face.top() + 1), QPointF(face.right() - kRadius, face.top() + 1));
    }
}

QColor LightGlyph(State s, bool on = false) {
    switch (s) {
    case State::Normal: return on ? kAccentDeep : kInk;
    case State::Over: return kAccentDeep;
    case State::Down: return kPaper;
    case State::Disabled: return kInkDisabled;
    }
    return kInk;
}

// Green buttons (Take Photo, the text buttons).
void AccentBody(QPainter& p, const QRectF& r, State s) {
    const QRectF face = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QBrush fill;
    QColor border;
    switch (s) {
    case State::Normal:
        fill = Vertical(r, QColor(96, 158, 18), QColor(70, 126, 0));
        border = QColor(56, 102, 0);
        break;
    case State::Over:
        fill = Vertical(r, QColor(116, 178, 34), QColor(84, 144, 4));
        border = QColor(60, 110, 0);
        break;
    case State::Down:
        fill = Vertical(r, QColor(48, 90, 0), QColor(62, 110, 0));
        border = QColor(40, 76, 0);
        break;
    case State::Disabled:
        fill = QColor(0xdc, 0xdc, 0xdc);
        border = QColor(0xc8, 0xc8, 0xc8);
        break;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawPath(Body(face));
    if (s == State::Normal || s == State::Over) {
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.drawLine(QPointF(face.left() + kRadius, face.top() + 1), QPointF(face.right() - kRadius, face.top() + 1));
    }
}

// Caption buttons: bare glyph, a grey plate while pointed at, green while pressed.
void WindowBody(QPainter& p, const QRectF& r, State s) {
    if (s == State::Over || s == State::Down) {
        p.setPen(Qt::NoPen);
        p.setBrush(s == State::Over ? QColor(0xd2, 0xd2, 0xd2) : kAccent);
        p.drawPath(Body(r));
    }
}

QColor WindowGlyph(State s) {
    switch (s) {
    case State::Normal: return kInkSoft;
    case State::Over: return QColor(0x2e, 0x2e, 0x2e);
    case State::Down: return kPaper;
    case State::Disabled: return kInkDisabled;
    }
    return kInk;
}

enum class Style { Window, Accent, Light };

struct ButtonSet {
    OstSkinButton faces;
    QSize size;
    Style style;
    QString glyph;   // empty for text buttons
    qreal glyphSize; // logical pixels
};

void DrawButton(QPainter& p, const ButtonSet& set, State s, bool on = false) {
    const QRectF r(QPointF(0, 0), QSizeF(set.size));
    QColor ink;
    switch (set.style) {
    case Style::Window:
        WindowBody(p, r, s);
        ink = WindowGlyph(s);
        break;
    case Style::Accent:
        AccentBody(p, r, s);
        ink = s == State::Disabled ? QColor(0xa8, 0xa8, 0xa8) : kPaper;
        break;
    case Style::Light:
        LightBody(p, r, s, on);
        ink = LightGlyph(s, on);
        break;
    }
    if (set.glyph.isEmpty())
        return;
    QRectF box = Centred(r, set.glyphSize, set.glyphSize);
    if (s == State::Down)
        box.translate(0, 1);  // the pressed face sinks a little
    Glyph(p, set.glyph, box, ink);
}

void EmitButtons(const ButtonSet& set) {
    const std::pair<int, State> states[] = {{set.faces.normal, State::Normal},
                                            {set.faces.down, State::Down},
                                            {set.faces.over, State::Over},
                                            {set.faces.disabled, State::Disabled}};
    for (const auto& [id, state] : states)
        EmitBitmap(id, set.size, Keying::Alpha, [&, state = state](QPainter& p) { DrawButton(p, set, state); });
    // The clickable outline: the whole rounded face.
    EmitBitmap(set.faces.mask, set.size, Keying::Mask, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(Body(QRectF(QPointF(0, 0), QSizeF(set.size))));
    });
}

// --- small pictures ------------------------------------------------------------------------

// A rounded tile with a light glyph: the event kinds and the program's mark.
void Tile(QPainter& p, const QRectF& r, const QColor& colour, const QString& glyph, qreal glyphSize,
          qreal radius = kRadius, qreal stroke = kStroke) {
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(r, colour.lighter(112), colour));
    p.drawRoundedRect(r, radius, radius);
    Glyph(p, glyph, Centred(r, glyphSize, glyphSize), kPaper, stroke);
}

// A round status badge with a light glyph.
void Badge(QPainter& p, const QRectF& r, const QColor& colour, const QString& glyph, qreal glyphSize,
           qreal stroke = kStroke) {
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(r, colour.lighter(112), colour));
    p.drawEllipse(r);
    if (!glyph.isEmpty())
        Glyph(p, glyph, Centred(r, glyphSize, glyphSize), kPaper, stroke);
}

// The program's mark at any size: a green tile with a lens and the orbit around it.
void Mark(QPainter& p, const QRectF& r, const QColor& colour) {
    const qreal unit = r.width() / 16.0;
    const QRectF tile = r.adjusted(unit * 0.5, unit * 0.5, -unit * 0.5, -unit * 0.5);
    Tile(p, tile, colour, u"orbit"_qs, r.width() * 0.86, kRadius * unit, kStroke * unit * 0.7);
    // The lens, with a ring of the tile's colour so the orbit passes behind it.
    p.setPen(QPen(colour, unit * 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(tile.center(), unit * 3.2, unit * 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(125));
    p.drawEllipse(tile.center(), unit * 1.3, unit * 1.3);
}

// Tray states: the mark, and for the remote monitor a badge in the corner.
void TrayIcon(QPainter& p, const QRectF& r, int id) {
    const qreal unit = r.width() / 16.0;
    Mark(p, r, id == 148 ? kGreyBadge : kAccent);
    if (id == 149 || id == 150) {
        const QRectF badge(r.left() + unit * 8.5, r.top() + unit * 8.5, unit * 7.5, unit * 7.5);
        p.setPen(QPen(kPaper, unit));
        p.setBrush(id == 149 ? QColor(0x33, 0x33, 0x33) : kGreyBadge);
        p.drawEllipse(badge.adjusted(unit * 0.5, unit * 0.5, -unit * 0.5, -unit * 0.5));
        if (id == 149) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccentLight);
            p.drawEllipse(Centred(badge, unit * 3, unit * 3));
        } else {
            p.setPen(QPen(kPaper, unit * 1.2, Qt::SolidLine, Qt::RoundCap));
            const QRectF in = Centred(badge, unit * 3.2, unit * 3.2);
            p.drawLine(in.topLeft(), in.bottomRight());
        }
    }
}

// Countdown digits: thick rounded strokes in the green of the progress bar.
void Digit(QPainter& p, int digit) {
    QPainterPath path;
    switch (digit) {
    case 1:
        path.moveTo(22, 20); path.lineTo(33, 12); path.lineTo(33, 58);
        break;
    case 2:
        path.moveTo(17, 24);
        path.cubicTo(18, 15, 24, 11, 31, 11);
        path.cubicTo(39, 11, 44, 16, 44, 23);
        path.cubicTo(44, 31, 38, 35, 30, 42);
        path.lineTo(17, 58); path.lineTo(44, 58);
        break;
    case 3:
        path.moveTo(17, 14); path.lineTo(43, 14); path.lineTo(30, 30);
        path.cubicTo(39, 30, 45, 35, 45, 44);
        path.cubicTo(45, 53, 38, 59, 30, 59);
        path.cubicTo(23, 59, 18, 56, 16, 50);
        break;
    case 4:
        path.moveTo(37, 58); path.lineTo(37, 12); path.lineTo(15, 44); path.lineTo(46, 44);
        break;
    case 5:
        path.moveTo(43, 12); path.lineTo(21, 12); path.lineTo(18, 33);
        path.cubicTo(22, 30, 26, 29, 30, 29);
        path.cubicTo(39, 29, 45, 35, 45, 44);
        path.cubicTo(45, 53, 38, 59, 30, 59);
        path.cubicTo(23, 59, 18, 56, 16, 51);
        break;
    }
    QPen pen(QBrush(Vertical(QRectF(0, 8, 60, 56), QColor(120, 190, 30), kAccent)), 9, Qt::SolidLine,
             Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// The slider's channel: a scale that widens towards the larger zoom, and the groove.
void SliderChannel(QPainter& p) {
    QPainterPath wedge;
    wedge.moveTo(13, 5);
    wedge.lineTo(17, 5);
    wedge.lineTo(17, 66);
    wedge.lineTo(15.5, 66);
    wedge.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(QRectF(0, 5, 30, 61), kAccent, kFrameLight));
    p.drawPath(wedge);
    // Ticks every tenth of the range.
    p.setPen(QPen(kFrame, 1));
    for (int i = 0; i <= 10; ++i) {
        const qreal y = 6.5 + i * (59.0 / 10.0);
        p.drawLine(QPointF(i % 5 == 0 ? 5 : 8, y), QPointF(11, y));
    }
    const QRectF groove(23, 3, 4, 64);
    p.setPen(QPen(kFrame, 1));
    p.setBrush(QColor(0xe2, 0xe2, 0xe2));
    p.drawRoundedRect(groove.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
}

void SliderThumb(QPainter& p, bool active) {
    const QRectF r(0.5, 0.5, 9, 7);
    p.setPen(QPen(active ? kAccentDeep : kFrameDark, 1));
    p.setBrush(active ? QBrush(Vertical(r, QColor(116, 178, 34), kAccent))
                      : QBrush(Vertical(r, QColor(0xfa, 0xfa, 0xfa), QColor(0xdc, 0xdc, 0xdc))));
    p.drawRoundedRect(r, 2.5, 2.5);
    p.setPen(QPen(active ? kPaper : kFrameDark, 1));
    p.drawLine(QPointF(3, 4), QPointF(7, 4));
}

// --- the about picture ---------------------------------------------------------------------

void AboutPicture(QPainter& p, QSizeF size) {
    const QRectF r(QPointF(0, 0), size);
    p.fillRect(r, Vertical(r, QColor(0xf7, 0xf7, 0xf7), QColor(0xe4, 0xe4, 0xe4)));
    // Wide orbit rings behind everything.
    p.setPen(QPen(kFrameLight, 1.5));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(size.width() * 0.62, size.height() * 0.55);
    p.rotate(-14);
    p.drawEllipse(QPointF(0, 0), size.width() * 0.42, size.height() * 0.30);
    p.setPen(QPen(kAccentLight, 1.5));
    p.drawEllipse(QPointF(0, 0), size.width() * 0.32, size.height() * 0.20);
    p.restore();
    // The mark.
    Mark(p, QRectF(22, size.height() / 2 - 34, 68, 68), kAccent);
    // A document camera over a sheet: base, arm, head, and the sheet under its lens.
    const qreal baseX = size.width() * 0.55;
    const qreal floor = size.height() - 26;
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(baseX + 34, floor - 10, 84, 12), 2, 2);
    p.setPen(QPen(kFrame, 1));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath arm;
    arm.moveTo(baseX + 8, floor - 4);
    arm.lineTo(baseX + 20, floor - 70);
    arm.lineTo(baseX + 66, floor - 88);
    p.drawPath(arm);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(baseX - 8, floor - 6, 36, 8), kRadius, kRadius);
    p.drawRoundedRect(QRectF(baseX + 56, floor - 96, 34, 18), kRadius, kRadius);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(baseX + 73, floor - 78), 6, 6);
    // Light cone on the sheet.
    QPainterPath cone;
    cone.moveTo(baseX + 68, floor - 74);
    cone.lineTo(baseX + 40, floor - 10);
    cone.lineTo(baseX + 112, floor - 10);
    cone.lineTo(baseX + 78, floor - 74);
    cone.closeSubpath();
    QColor glow = kAccentLight;
    glow.setAlpha(90);
    p.setBrush(glow);
    p.drawPath(cone);
}

// --- backgrounds ---------------------------------------------------------------------------

// What a background needs of the dialog's layout table, which is the one source of the places.
struct Layout {
    int bgShown, bgHidden;
    QSize shown, hidden;
    QRect preview, picture, list;
    QPoint sendTo;
    QRect combo;
    QPoint kind;
    int locY, locW;
    QPoint mirror, mirrorLabel;
    int rowYShown;

    explicit Layout(const OstMainDlgLayout& l)
        : bgShown(l.backgroundShown), bgHidden(l.backgroundHidden), shown(l.backgroundShownSize),
          hidden(l.backgroundHiddenSize), preview(l.preview), picture(l.picture), list(l.eventList),
          sendTo(l.sendToLabel.topLeft()), combo(l.friendCombo), kind(l.kindIcon.topLeft()),
          locY(l.locationRow.y()), locW(l.locationRow.width()), mirror(l.mirror.topLeft()),
          mirrorLabel(l.mirrorLabel.topLeft()), rowYShown(l.openFolder.y()) {}
};

// A white well with a frame, where the video and the photo show.
void Well(QPainter& p, const QRect& area) {
    const QRectF r = QRectF(area).adjusted(-1.5, -1.5, 1.5, 1.5);
    p.setPen(QPen(kFrame, 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(r, kRadius, kRadius);
}

void Panel(QPainter& p, const QRectF& r, const QColor& fill = kPanel, const QColor& border = kFrameLight) {
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
}

void Background(QPainter& p, const Layout& l, bool listShown) {
    const QSize size = listShown ? l.shown : l.hidden;
    const QRectF whole(QPointF(0, 0), QSizeF(size));
    p.fillRect(whole, Vertical(whole, QColor(0xee, 0xee, 0xee), QColor(0xe3, 0xe3, 0xe3)));
    // Caption strip with the mark; the window's own buttons sit on its right.
    const QRectF caption(0, 0, size.width(), 34);
    p.fillRect(caption, Vertical(caption, QColor(0xf8, 0xf8, 0xf8), QColor(0xf0, 0xf0, 0xf0)));
    p.setPen(QPen(kFrameLight, 1));
    p.drawLine(QPointF(0, 34.5), QPointF(size.width(), 34.5));
    Mark(p, QRectF(16, 8, 18, 18), kAccent);

    // Preview: a camera glyph before the "Preview Window" label, then the well.
    Glyph(p, u"camera"_qs, QRectF(52, 62, 16, 16), kInkSoft);
    Well(p, l.preview);

    // The selected event: its heading (kind icon, From/To, file name) and the photo's well.
    const int headingRight = l.picture.right() + 1;
    Panel(p, QRectF(l.kind.x() - 6, 38, headingRight - (l.kind.x() - 6), 39));
    Well(p, l.picture);

    // Left rail: zoom (edit, slider, reset) and mirror (button and its label).
    Panel(p, QRectF(4, 97, 38, 116));
    const qreal mirrorTop = std::max<qreal>(l.mirror.y() - 4, 215);
    Panel(p, QRectF(4, mirrorTop, 38, l.mirrorLabel.y() + 19 - mirrorTop));

    // "Send To" row: a white field behind the label and the friend list; the dialog frames it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xfb, 0xfb, 0xfb));
    p.drawRect(QRectF(l.sendTo.x() - 1, l.combo.top() - 1, l.combo.right() + 2 - (l.sendTo.x() - 1),
                      l.combo.height() + 2));

    if (listShown) {
        // The list sits in a white field; a quiet rule sets the bottom row apart, where the
        // Location row is one grey pill. (Without the list the buttons move up beside the
        // Send To row, and there is no room for a rule.)
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(l.list).adjusted(-1, -1, 1, 1));
        p.setPen(QPen(QColor(0xd4, 0xd4, 0xd4), 1));
        p.drawLine(QPointF(16, l.rowYShown - 5.5), QPointF(size.width() - 16, l.rowYShown - 5.5));
        Panel(p, QRectF(40, l.locY - 3, l.locW + 8, 22), kLabelGrey, QColor(0xcc, 0xcc, 0xcc));
    }

    // The window's outline (its region is a rounded rectangle with 25 x 25 corners).
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(whole.adjusted(0.5, 0.5, -0.5, -0.5), 12.5, 12.5);
}

// --- frame thumbnails for the effect page --------------------------------------------------

void FrameThumb(QPainter& p, int frame) {
    const QRectF r(0.5, 0.5, 47, 35);
    // A small landscape stands for the video.
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(r, QColor(0xd8, 0xea, 0xf4), QColor(0xf2, 0xf2, 0xf2)));
    p.drawRoundedRect(r, kRadius, kRadius);
    QPainterPath hills;
    hills.moveTo(0.5, 30);
    hills.cubicTo(12, 20, 20, 24, 28, 27);
    hills.cubicTo(34, 22, 42, 21, 47.5, 25);
    hills.lineTo(47.5, 35.5);
    hills.lineTo(0.5, 35.5);
    hills.closeSubpath();
    p.setBrush(kAccentLight);
    p.drawPath(hills);
    auto border = [&](const QColor& c, qreal w) {
        QPainterPath outer, inner;
        outer.addRoundedRect(r, kRadius, kRadius);
        inner.addRect(r.adjusted(w, w, -w, -w));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(outer.subtracted(inner));
    };
    switch (frame) {
    case 17:  // post card: paper edge and a stamp
        border(QColor(250, 246, 232), 3);
        p.fillRect(QRectF(37, 5, 7, 8), QColor(200, 40, 50));
        break;
    case 18:  // flowers along the edge
        for (int i = 0; i < 8; ++i) {
            const QPointF c = i < 4 ? QPointF(5 + i * 12.5, 5) : QPointF(5 + (i - 4) * 12.5, 31);
            p.setBrush(i % 2 ? QColor(240, 90, 160) : QColor(170, 90, 230));
            p.drawEllipse(c, 3.2, 3.2);
            p.setBrush(QColor(250, 220, 80));
            p.drawEllipse(c, 1.2, 1.2);
        }
        break;
    case 19:  // jungle leaves
        for (int i = 0; i < 7; ++i) {
            p.setBrush(i % 2 ? QColor(30, 120, 40) : QColor(90, 170, 50));
            p.save();
            p.translate(3 + i * 7, 33);
            p.rotate(-40 + i * 13);
            p.drawEllipse(QPointF(0, -5), 2.5, 6);
            p.restore();
        }
        break;
    case 20:  // television cabinet
        border(QColor(90, 60, 35), 4);
        p.fillRect(QRectF(40, 4, 4, 28), QColor(90, 60, 35));
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(42, 12), 1.3, 1.3);
        p.drawEllipse(QPointF(42, 19), 1.3, 1.3);
        break;
    case 21:  // magazine cover
        p.fillRect(QRectF(0.5, 0.5, 47, 7), QColor(200, 20, 30));
        p.fillRect(QRectF(3, 2.5, 22, 3), kPaper);
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(3, 26 + i * 3, 30 - i * 6, 1.5), QColor(30, 30, 30));
        break;
    case 22:  // computer screen
        border(QColor(190, 190, 195), 4);
        p.fillRect(QRectF(0.5, 30, 47, 5.5), QColor(160, 160, 168));
        break;
    case 23:  // aim
        p.setPen(QPen(QColor(200, 30, 30), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(24, 18), 8, 8);
        p.drawLine(QPointF(24, 6), QPointF(24, 30));
        p.drawLine(QPointF(12, 18), QPointF(36, 18));
        break;
    case 24:  // paper
        border(QColor(236, 226, 200), 3.5);
        p.setPen(QPen(QColor(200, 186, 150), 0.8));
        p.drawLine(QPointF(4, 4), QPointF(44, 4));
        break;
    case 25:  // snow
        p.setBrush(kPaper);
        for (int i = 0; i < 18; ++i)
            p.drawEllipse(QPointF(3 + (i * 17) % 44, 3 + (i * 11) % 30), 1.2, 1.2);
        break;
    case 26: {  // magnifier
        p.setPen(QPen(QColor(60, 60, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QPointF(21, 16), 9, 9);
        p.drawLine(QPointF(28, 23), QPointF(36, 31));
        break;
    }
    }
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, kRadius, kRadius);
}

// --- resource list -------------------------------------------------------------------------

void WriteQrc() {
    QSaveFile file(g_out + u"/pictures.qrc"_qs);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "orbit-pictures: cannot write the resource list\n");
        std::exit(1);
    }
    QTextStream out(&file);
    out << "<RCC>\n";
    QStringList prefixes = g_entries.keys();
    prefixes.sort();
    for (const QString& prefix : prefixes) {
        out << "  <qresource prefix=\"/" << prefix << "\">\n";
        for (const QString& entry : g_entries.value(prefix)) {
            const QStringList parts = entry.split(u'|');
            out << "    <file alias=\"" << parts[0] << "\">" << parts[1] << "</file>\n";
        }
        out << "  </qresource>\n";
    }
    out << "</RCC>\n";
    out.flush();
    if (!file.commit()) {
        std::fprintf(stderr, "orbit-pictures: cannot write the resource list\n");
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbit-pictures <glyph folder> <output folder>\n");
        return 2;
    }
    g_glyphDir = QString::fromLocal8Bit(argv[1]);
    g_out = QString::fromLocal8Bit(argv[2]);

    // Button sets: normal, down, over, disabled, mask.
    const ButtonSet buttons[] = {
        {OstSkin::Minimise, {16, 18}, Style::Window, u"minimise"_qs, 12},
        {OstSkin::SizeMenu, {16, 18}, Style::Window, u"preview-size"_qs, 12},
        {OstSkin::Close, {16, 18}, Style::Window, u"close"_qs, 12},
        {OstSkin::TakePhoto, {62, 38}, Style::Accent, u"camera"_qs, 24},
        {OstSkin::SendPhoto, {32, 32}, Style::Light, u"send"_qs, 18},
        {OstSkin::ViewPhoto, {30, 32}, Style::Light, u"view"_qs, 18},
        {OstSkin::WideText, {72, 20}, Style::Accent, QString(), 0},
        {OstSkin::Setting, {52, 20}, Style::Accent, QString(), 0},
        {OstSkin::SendSoftware, {90, 20}, Style::Accent, QString(), 0},
        {OstSkin::ShowList, {14, 14}, Style::Light, u"chevron-down"_qs, 11},
        {OstSkin::HideList, {14, 14}, Style::Light, u"chevron-up"_qs, 11},
        {OstSkin::ZoomReset, {28, 18}, Style::Light, u"zoom-reset"_qs, 14},
        {OstSkin::Mirror, {28, 28}, Style::Light, u"mirror"_qs, 18},
    };
    for (const ButtonSet& set : buttons)
        EmitButtons(set);
    // Mirror while the picture is mirrored: the normal face, switched on.
    EmitBitmap(OstSkin::MirrorOn, {28, 28}, Keying::Alpha, [&](QPainter& p) { DrawButton(p, buttons[12], State::Normal, true); });

    // Zoom slider: channel, thumb, thumb while dragged.
    EmitBitmap(OstSkin::ZoomChannel, {30, 70}, Keying::Alpha, SliderChannel);
    EmitBitmap(OstSkin::ZoomThumb, {10, 8}, Keying::Alpha, [](QPainter& p) { SliderThumb(p, false); });
    EmitBitmap(OstSkin::ZoomThumbDragged, {10, 8}, Keying::Alpha, [](QPainter& p) { SliderThumb(p, true); });

    // Kinds of event: 18 x 18 beside the photo, 16 x 16 in the list.
    const struct { int big, small; QColor colour; const char* glyph; } kinds[] = {
        {OstSkin::KindTaken, 235, QColor(0x7a, 0x7a, 0x7a), "picture"},
        {OstSkin::KindSent, 236, kAccent, "arrow-up"},
        {OstSkin::KindReceived, 237, QColor(0x3d, 0x7a, 0x00), "arrow-down"},
    };
    for (const auto& k : kinds) {
        const QString glyph = QString::fromLatin1(k.glyph);
        EmitBitmap(k.big, {18, 18}, Keying::Alpha,
                   [&](QPainter& p) { Tile(p, QRectF(0, 0, 18, 18), k.colour, glyph, 14); });
        EmitBitmap(k.small, {16, 16}, Keying::Alpha,
                   [&](QPainter& p) { Tile(p, QRectF(0, 0, 16, 16), k.colour, glyph, 12); });
    }
    // Transfer finished and failed.
    EmitBitmap(238, {12, 12}, Keying::Alpha,
               [](QPainter& p) { Badge(p, QRectF(0, 0, 12, 12), kAccent, u"check"_qs, 10, 1.4); });
    EmitBitmap(239, {12, 12}, Keying::Alpha,
               [](QPainter& p) { Badge(p, QRectF(0, 0, 12, 12), kRed, u"cross"_qs, 9, 1.4); });

    // Countdown digits 1..5 as 240..244: 60 x 70, green on white, white the colour key.
    for (int digit = 1; digit <= 5; ++digit)
        EmitBitmap(239 + digit, {60, 70}, Keying::WhiteKey, [digit](QPainter& p) { Digit(p, digit); });

    // Contact states, seven 16 x 16 images on yellow: smiley, online, away, not available,
    // do not disturb, and the grey check and cross.
    EmitBitmap(OstSkin::ContactStates, {112, 16}, Keying::YellowKey, [](QPainter& p) {
        const struct { QColor colour; const char* glyph; qreal size; } states[] = {
            {kAccentLight.darker(135), "smiley", 14}, {kAccent, "check", 10},
            {kAmber, "clock", 12},                    {kOrange, "moon", 11},
            {kRed, "bar", 11},                        {kGreyBadge, "check", 10},
            {kGreyBadge, "cross", 9},
        };
        for (int i = 0; i < 7; ++i) {
            const QRectF cell(i * 16 + 1, 1, 14, 14);
            if (i == 0) {
                Badge(p, cell, states[i].colour, QString(), 0);
                Glyph(p, u"smiley"_qs, Centred(cell, 14, 14), QColor(0x2f, 0x4f, 0x00), 1.3);
            } else {
                Badge(p, cell, states[i].colour, QString::fromLatin1(states[i].glyph), states[i].size, 1.6);
            }
        }
    });

    // Window and tray icons, 16 x 16 (and @2x), and larger sizes for the desktop.
    for (int id = 146; id <= 150; ++id) {
        EmitBitmap(id, {16, 16}, Keying::Alpha, [id](QPainter& p) {
            if (id == 146)
                Mark(p, QRectF(0, 0, 16, 16), kAccent);
            else
                TrayIcon(p, QRectF(0, 0, 16, 16), id);
        });
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            if (id != 146 && size > 64)
                continue;
            const QImage icon = Finish(Render({size, size}, 1, [id, size](QPainter& p) {
                                           if (id == 146)
                                               Mark(p, QRectF(0, 0, size, size), kAccent);
                                           else
                                               TrayIcon(p, QRectF(0, 0, size, size), id);
                                       }),
                                       Keying::Alpha);
            const QString folder = u"icons/"_qs + QString::number(id);
            Save(icon, folder, QString::number(size) + u".png"_qs, "PNG");
            g_entries[u"icons"_qs] << QString::number(id) + u'/' + QString::number(size) + u'|' + folder +
                                           u'/' + QString::number(size) + u".png"_qs;
        }
    }

    // The about page's picture.
    Emit(u"JPG"_qs, u"260"_qs, {360, 150}, Keying::Opaque, [](QPainter& p) { AboutPicture(p, QSizeF(360, 150)); });

    // Main dialog backgrounds, list shown and hidden, for the five preview sizes.
    for (const int size : OstMainDlgLayout::Sizes()) {
        const Layout layout(*OstMainDlgLayout::ForSize(size));
        Emit(u"JPG"_qs, QString::number(layout.bgShown), layout.shown, Keying::Opaque,
             [&](QPainter& p) { Background(p, layout, true); });
        Emit(u"JPG"_qs, QString::number(layout.bgHidden), layout.hidden, Keying::Opaque,
             [&](QPainter& p) { Background(p, layout, false); });
    }

    // The effect page's frames 17..26, as small previews.
    for (int frame = 17; frame <= 26; ++frame)
        Emit(u"frames"_qs, QString::number(frame), {48, 36}, Keying::Alpha, [frame](QPainter& p) { FrameThumb(p, frame); });

    WriteQrc();
    return 0;
}
