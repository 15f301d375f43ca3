// orbit-picture-sheet: every picture of the program on one sheet, for a look by eye.
//
//   orbit-picture-sheet [--grab <file.png>]
//
// With --grab the sheet is saved (at the screen's scaling; run with QT_SCALE_FACTOR=2 for the
// 2x pictures) and the program ends; without it the sheet is shown in a window.

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// A picture by number, at the widget's device pixel ratio (the @2x file when there is one).
QPixmap Picture(const QString& prefix, int id, qreal dpr) {
    const QString base = u":/"_qs + prefix + u'/' + QString::number(id);
    if (dpr > 1.0 && QFile::exists(base + u"@2x"_qs)) {
        QPixmap pixmap(base + u"@2x"_qs);
        pixmap.setDevicePixelRatio(2.0);
        return pixmap;
    }
    return QPixmap(base);
}

struct ButtonRow {
    const char* name;
    int normal, down, over, disabled, mask;
    const char* text;
};

const ButtonRow kButtons[] = {
    {"1013 minimise", 151, 152, 153, 154, 156, nullptr},
    {"1014 size menu", 157, 158, 159, 160, 162, nullptr},
    {"1015 close", 163, 164, 165, 166, 168, nullptr},
    {"1016 Take Photo", 181, 182, 183, 184, 186, nullptr},
    {"1017 Send Photo", 175, 176, 177, 178, 180, nullptr},
    {"1018 View Photo", 169, 170, 171, 172, 174, nullptr},
    {"1019 / 7000", 187, 188, 189, 190, 192, "Open Folder"},
    {"1020 Setting / Cancel", 193, 194, 195, 196, 198, "Setting"},
    {"1021 Send Software", 199, 200, 201, 202, 204, "Send Software"},
    {"1022 list hidden", 205, 206, 207, 208, 210, nullptr},
    {"1022 list shown", 211, 212, 213, 214, 216, nullptr},
    {"1023 zoom reset", 217, 218, 219, 220, 222, nullptr},
    {"1024 Mirror (227 on)", 223, 224, 225, 226, 228, nullptr},
};

class Sheet : public QWidget {
public:
    Sheet() { resize(1520, 1160); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const qreal dpr = devicePixelRatioF();
        p.fillRect(rect(), QColor(0xe9, 0xe9, 0xe9));
        QFont small = font();
        small.setPixelSize(11);
        p.setFont(small);
        auto label = [&](int x, int y, const QString& text) {
            p.setPen(QColor(0x55, 0x55, 0x55));
            p.drawText(x, y, text);
        };
        auto pic = [&](int x, int y, const QString& prefix, int id) {
            const QPixmap pixmap = Picture(prefix, id, dpr);
            p.drawPixmap(x, y, pixmap);
            return pixmap.deviceIndependentSize().toSize();
        };

        // Buttons: normal, down, over, disabled, mask.
        int y = 24;
        label(16, y - 8, u"Buttons: normal, down (pressed), over, disabled, mask"_qs);
        for (const ButtonRow& row : kButtons) {
            label(16, y + 14, QString::fromLatin1(row.name));
            int x = 170;
            int rowHeight = 0;
            for (int id : {row.normal, row.down, row.over, row.disabled, row.mask}) {
                const QSize size = pic(x, y, u"bitmaps"_qs, id);
                if (row.text && id != row.mask) {
                    QFont f = small;
                    p.setFont(f);
                    const bool down = id == row.down;
                    const QRect r = QRect(x, y, size.width(), size.height()).translated(down ? 1 : 0, down ? 1 : 0);
                    if (id == row.disabled) {
                        p.setPen(Qt::white);
                        p.drawText(r.translated(1, 1), Qt::AlignCenter, QString::fromLatin1(row.text));
                        p.setPen(QColor(0x9a, 0x9a, 0x9a));
                    } else {
                        p.setPen(down ? Qt::white : Qt::black);
                    }
                    p.drawText(r, Qt::AlignCenter, QString::fromLatin1(row.text));
                }
                x += std::max(size.width(), 30) + 14;
                rowHeight = std::max(rowHeight, size.height());
            }
            if (row.normal == 223)
                pic(x, y, u"bitmaps"_qs, 227);
            y += rowHeight + 10;
        }

        // Slider, digits, strip, event icons, tray icons, frames, about.
        y += 14;
        label(16, y, u"Zoom slider 229 with thumbs 230 / 231"_qs);
        pic(16, y + 8, u"bitmaps"_qs, 229);
        pic(56, y + 8, u"bitmaps"_qs, 230);
        pic(76, y + 8, u"bitmaps"_qs, 231);
        label(120, y, u"Countdown 240..244 (green on white)"_qs);
        for (int i = 0; i < 5; ++i)
            pic(120 + i * 66, y + 8, u"bitmaps"_qs, 240 + i);
        y += 96;
        label(16, y, u"Contact states 245 (yellow is the mask colour)"_qs);
        pic(16, y + 8, u"bitmaps"_qs, 245);
        label(200, y, u"Event kinds 232..234, 235..237; results 238, 239"_qs);
        int x = 200;
        for (int id = 232; id <= 239; ++id) {
            const QSize size = pic(x, y + 8, u"bitmaps"_qs, id);
            x += size.width() + 10;
        }
        y += 44;
        label(16, y, u"Window icon 146; tray 147 connected, 148 disconnected, 149 monitor, 150 monitor offline"_qs);
        x = 16;
        for (int id = 146; id <= 150; ++id) {
            pic(x, y + 8, u"bitmaps"_qs, id);
            x += 26;
        }
        QPixmap big(u":/icons/146/64"_qs);
        p.drawPixmap(QRect(x + 10, y + 8, 64, 64), big);
        y += 84;
        label(16, y, u"Effect page frames 17..26"_qs);
        for (int i = 0; i < 10; ++i)
            pic(16 + i * 56, y + 8, u"frames"_qs, 17 + i);
        y += 58;
        label(16, y, u"About 260"_qs);
        pic(16, y + 8, u"JPG"_qs, 260);

        // Backgrounds: 263 (320 x 240, list shown) at full size with its buttons placed on it,
        // the other nine reduced.
        const int bx = 620;
        label(bx, 16, u"Background 263 (320 x 240, list shown) with the buttons in place"_qs);
        const int by = 24;
        pic(bx, by, u"JPG"_qs, 263);
        const struct { int id, x, y; } placed[] = {
            {151, 685, 8},  {157, 701, 8},  {163, 717, 8},   {181, 178, 331}, {175, 673, 331},
            {169, 706, 285}, {223, 12, 280}, {217, 12, 190}, {187, 413, 525}, {187, 485, 525},
            {193, 557, 525}, {199, 614, 525}, {211, 717, 525}, {229, 10, 118},
        };
        for (const auto& b : placed)
            pic(bx + b.x, by + b.y, u"bitmaps"_qs, b.id);
        pic(bx + 10 + 20, by + 118 + 50, u"bitmaps"_qs, 230);
        pic(bx + 390, by + 58, u"bitmaps"_qs, 233);
        int tx = bx;
        int ty = by + 590;
        for (int id = 261; id <= 270; ++id) {
            if (id == 263)
                continue;
            const QPixmap bg = Picture(u"JPG"_qs, id, dpr);
            const QSizeF size = bg.deviceIndependentSize() * 0.26;
            if (tx + size.width() > width() - 8) {
                tx = bx;
                ty += 240;
            }
            p.drawPixmap(QRectF(QPointF(tx, ty), size), bg, QRectF(bg.rect()));
            label(tx, ty + int(size.height()) + 12, QString::number(id));
            tx += int(size.width()) + 12;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"grab"_qs, u"Save the sheet to <file> and quit."_qs, u"file"_qs});
    parser.process(app);

    Sheet sheet;
    if (parser.isSet(u"grab"_qs)) {
        sheet.show();
        QTimer::singleShot(0, &app, [&] {
            const QString file = parser.value(u"grab"_qs);
            if (!sheet.grab().save(file)) {
                std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
                QCoreApplication::exit(1);
                return;
            }
            QCoreApplication::quit();
        });
        return app.exec();
    }
    QScrollArea area;
    area.setWidget(&sheet);
    area.resize(1280, 900);
    area.show();
    return app.exec();
}
