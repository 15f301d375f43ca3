// orbit-picture-sheet: every picture of the program on one sheet, for a look by eye.
//
//   orbit-picture-sheet [--grab <file.png>]
//
// With --grab the sheet is saved (at the screen's scaling; run with QT_SCALE_FACTOR=2 for the
// 2x pictures) and the program ends; without it the sheet is shown in a window.

#include "CBitmapSlider.h"
#include "CColorStatic.h"
#include "CComboBoxSuper.h"
#include "CHMXEdit.h"
#include "CxSkinButton.h"
#include "OstBitmap.h"
#include "OstMainDlgLayout.h"

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
    OstSkinButton faces;
    const char* text;
};

const ButtonRow kButtons[] = {
    {"1013 minimise", OstSkin::Minimise, nullptr},
    {"1014 size menu", OstSkin::SizeMenu, nullptr},
    {"1015 close", OstSkin::Close, nullptr},
    {"1016 Take Photo", OstSkin::TakePhoto, nullptr},
    {"1017 Send Photo", OstSkin::SendPhoto, nullptr},
    {"1018 View Photo", OstSkin::ViewPhoto, nullptr},
    {"1019 / 7000", OstSkin::WideText, "Open Folder"},
    {"1020 Setting / Cancel", OstSkin::Setting, "Setting"},
    {"1021 Send Software", OstSkin::SendSoftware, "Send Software"},
    {"1022 list hidden", OstSkin::ShowList, nullptr},
    {"1022 list shown", OstSkin::HideList, nullptr},
    {"1023 zoom reset", OstSkin::ZoomReset, nullptr},
    {"1024 Mirror (227 on)", OstSkin::Mirror, nullptr},
};

constexpr int kPreviewX = 620;
constexpr int kPreviewY = 24;

// The 320 x 240 background with the controls the main dialog puts on it, at its places.
class SkinPreview : public QWidget {
public:
    explicit SkinPreview(QWidget* parent) : QWidget(parent) {
        const OstMainDlgLayout& l = *OstMainDlgLayout::ForSize(OstMainDlgLayout::Size320);
        background_ = OstBitmap::Load(l.backgroundShown, devicePixelRatioF(), u"JPG"_qs);
        setFixedSize(l.backgroundShownSize);
        QFont tahoma = font();
        tahoma.setFamily(u"Tahoma"_qs);
        tahoma.setPixelSize(11);
        setFont(tahoma);

        auto button = [this](const QRect& place, const OstSkinButton& skin, const QString& text,
                             const QString& tip) {
            auto* b = new CxSkinButton(text, this);
            b->move(place.topLeft());
            b->SetSkin(skin.normal, skin.down, skin.over, skin.disabled, skin.mask);
            if (!tip.isEmpty())
                b->SetToolTipText(tip);
            return b;
        };
        button(l.minimise, OstSkin::Minimise, {}, u"Minimise"_qs);
        button(l.sizeMenu, OstSkin::SizeMenu, {}, u"Preview Window Size"_qs);
        button(l.close, OstSkin::Close, {}, u"Close"_qs);
        button(l.takePhoto, OstSkin::TakePhoto, {}, u"Take Photo"_qs);
        button(l.sendPhoto, OstSkin::SendPhoto, {}, u"Send Photo"_qs);
        button(l.viewPhoto, OstSkin::ViewPhoto, {}, u"View Photo"_qs);
        OstSkinButton mirrored = OstSkin::Mirror;
        mirrored.normal = OstSkin::MirrorOn;
        button(l.mirror, mirrored, {}, u"Mirror"_qs);
        button(OstMainDlgLayout::ZoomReset, OstSkin::ZoomReset, {}, {});
        button(l.openFolder, OstSkin::WideText, u"Open Folder"_qs, {});
        button(l.intro, OstSkin::WideText, u"Intro."_qs, {});
        button(l.settingShown, OstSkin::Setting, u"Setting"_qs, {});
        button(l.sendSoftwareShown, OstSkin::SendSoftware, u"Send Software"_qs, {})->setEnabled(false);
        button(l.listToggleShown, OstSkin::HideList, {}, u"Hide the list"_qs);

        auto text = [this](const QRect& place, const QString& t, bool grey = false) {
            auto* label = new CColorStatic(this);
            label->setGeometry(place);
            label->setText(t);
            label->SetTransparent(!grey);
            label->SetBkColor(QColor(0xd9, 0xd9, 0xd9));
            return label;
        };
        text(OstMainDlgLayout::PreviewLabel, u"Preview Window"_qs);
        text(l.mirrorLabel, u"Mirror"_qs)->setAlignment(Qt::AlignCenter);
        text(l.fromTo, u"To  Ann Lee"_qs);
        text(l.fileName, u"20261208-0001.jpg"_qs);
        text(l.sendToLabel, u"Send To"_qs);
        const QRect row = l.locationRow;
        text(QRect(row.x(), row.y(), 52, row.height()), u"Location:"_qs, true);
        text(QRect(row.x() + 52, row.y(), row.width() - 52, row.height()),
             u"/home/user/Pictures/Orbit"_qs, true);
        auto* kind = new QLabel(this);
        kind->setGeometry(l.kindIcon);
        kind->setPixmap(OstBitmap::Load(OstSkin::KindSent, devicePixelRatioF()));

        auto* edit = new CHMXEdit(this);
        edit->setGeometry(OstMainDlgLayout::ZoomEdit);
        edit->setFrame(false);
        edit->setTextMargins(1, 0, 1, 0);
        edit->setText(u"120%"_qs);
        auto* slider = new CBitmapSlider(this);
        slider->move(OstMainDlgLayout::ZoomSlider.topLeft());
        slider->SetBitmapChannel(OstSkin::ZoomChannel);
        slider->SetBitmapThumb(OstSkin::ZoomThumb, OstSkin::ZoomThumbDragged);
        slider->SetVertical(true);
        slider->SetRange(100, 200);
        slider->SetMargin(20, 2, 30, 1);
        slider->SetPos(180);

        auto* combo = new CComboBoxSuper(this);
        combo->setGeometry(l.friendCombo);
        combo->SetImageList(OstBitmap::Strip(OstSkin::ContactStates, 16, QColor(255, 255, 0), devicePixelRatioF()));
        combo->ResetColumns();
        combo->addItem(u"Ann Lee"_qs);
        combo->SetItemImage(0, 1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawPixmap(0, 0, background_);
        // The frames the dialog draws itself, and the white upper halves of its two areas.
        p.fillRect(QRect(45, 82, 318, 120), Qt::white);
        p.setPen(QColor(0xdb, 0xdb, 0xdb));
        p.drawRect(QRect(389, 336, 668 + 2 - 389 - 1, 24 + 4 - 1));
        p.setPen(QColor(0xb3, 0xb3, 0xb3));
        p.drawRect(QRect(45, 371, 657 + 1, 141 + 1));
        p.setPen(QColor(0x8c, 0x8c, 0x8c));
        p.drawRect(QRect(10, 101, 31, 14));
        p.fillRect(QRect(46, 372, 657, 141), Qt::white);
    }

private:
    QPixmap background_;
};

class Sheet : public QWidget {
public:
    Sheet() {
        resize(1520, 1160);
        new SkinPreview(this);
        findChild<SkinPreview*>()->move(kPreviewX, kPreviewY);
    }

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
            const OstSkinButton& faces = row.faces;
            for (int id : {faces.normal, faces.down, faces.over, faces.disabled, faces.mask}) {
                const QSize size = pic(x, y, u"bitmaps"_qs, id);
                if (row.text && id != faces.mask) {
                    QFont f = small;
                    p.setFont(f);
                    const bool down = id == faces.down;
                    const QRect r = QRect(x, y, size.width(), size.height()).translated(down ? 1 : 0, down ? 1 : 0);
                    if (id == faces.disabled) {
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
            if (faces.normal == OstSkin::Mirror.normal)
                pic(x, y, u"bitmaps"_qs, OstSkin::MirrorOn);
            y += rowHeight + 10;
        }

        // Slider, digits, strip, event icons, tray icons, frames, about.
        y += 14;
        label(16, y, u"Slider 229, thumbs 230 / 231"_qs);
        pic(16, y + 8, u"bitmaps"_qs, OstSkin::ZoomChannel);
        pic(56, y + 8, u"bitmaps"_qs, OstSkin::ZoomThumb);
        pic(76, y + 8, u"bitmaps"_qs, OstSkin::ZoomThumbDragged);
        label(250, y, u"Countdown 240..244 (green on white)"_qs);
        for (int i = 0; i < 5; ++i)
            pic(250 + i * 66, y + 8, u"bitmaps"_qs, 240 + i);
        y += 96;
        label(16, y, u"Contact states 245 (yellow is the mask colour)"_qs);
        pic(16, y + 8, u"bitmaps"_qs, OstSkin::ContactStates);
        label(300, y, u"Event kinds 232..234, 235..237; results 238, 239"_qs);
        int x = 300;
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
        QPixmap big(dpr > 1.0 ? u":/icons/146/128"_qs : u":/icons/146/64"_qs);
        p.drawPixmap(QRect(x + 10, y + 8, 64, 64), big);
        y += 84;
        label(16, y, u"Effect page frames 17..26"_qs);
        for (int i = 0; i < 10; ++i)
            pic(16 + i * 56, y + 8, u"frames"_qs, 17 + i);
        y += 58;
        label(16, y, u"About 260"_qs);
        pic(16, y + 8, u"JPG"_qs, 260);

        // The event list's Cancel: 193 (normal) and 195 (pointed at) stretched by three slices
        // into Status cells of two widths, framed, with the white text.
        label(400, y, u"List Cancel: 193 / 195 by slices"_qs);
        int cy = y + 12;
        for (int id : {193, 195}) {
            const QImage face = QImage(u":/bitmaps/"_qs + QString::number(id));
            int cx = 400;
            for (int w : {46, 60, 80}) {
                const QRect cell(cx, cy, w, 19);
                const QRect r = cell.adjusted(1, 1, 0, 0);
                p.fillRect(cell, QColor(0xeb, 0xeb, 0xeb));
                p.drawImage(QRect(r.left(), r.top(), 3, r.height()), face, QRect(0, 0, 3, face.height()));
                p.drawImage(QRect(r.left() + 3, r.top(), r.width() - 6, r.height()), face,
                            QRect(face.width() / 2, 0, 1, face.height()));
                p.drawImage(QRect(r.right() - 2, r.top(), 3, r.height()), face,
                            QRect(face.width() - 3, 0, 3, face.height()));
                p.setPen(QColor(0xa4, 0xa4, 0xa4));
                p.drawRect(QRect(cell.left() + 1, cell.top() + 1, cell.width() - 3, cell.height() - 3));
                p.setPen(Qt::white);
                p.drawText(cell, Qt::AlignCenter, u"Cancel"_qs);
                cx += w + 8;
            }
            cy += 26;
        }

        // Background 263 with the real controls on it is a child widget (SkinPreview); the
        // other nine backgrounds reduced below it.
        label(kPreviewX, 16, u"Background 263 (320 x 240, list shown) with the skinned controls in place"_qs);
        const int bx = kPreviewX;
        const int by = kPreviewY;
        int tx = bx;
        int ty = by + 590;
        int rowHeight = 0;
        for (int id : {269, 270, 267, 268, 265, 266, 264, 261, 262}) {
            const QPixmap bg = Picture(u"JPG"_qs, id, dpr);
            const QSizeF size = bg.deviceIndependentSize() * 0.2;
            if (tx + size.width() > width() - 8) {
                tx = bx;
                ty += rowHeight + 22;
                rowHeight = 0;
            }
            p.drawPixmap(QRectF(QPointF(tx, ty), size), bg, QRectF(bg.rect()));
            label(tx, ty + int(size.height()) + 13, QString::number(id));
            tx += int(size.width()) + 12;
            rowHeight = std::max(rowHeight, int(size.height()));
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
