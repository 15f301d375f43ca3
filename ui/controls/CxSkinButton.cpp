#include "CxSkinButton.h"

#include "OstBitmap.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

CxSkinButton::CxSkinButton(QWidget* parent) : CxSkinButton(QString(), parent) {}

CxSkinButton::CxSkinButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), textColour_(palette().color(QPalette::ButtonText)) {
    setAttribute(Qt::WA_Hover);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

QRegion CxSkinButton::RegionFromMask(const QImage& mask) {
    QRegion region;
    if (mask.isNull())
        return region;
    const QImage image = mask.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (line[x] & 0x00ffffffu) == 0x00ffffffu)
                ++x;
            const int start = x;
            while (x < image.width() && (line[x] & 0x00ffffffu) != 0x00ffffffu)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

void CxSkinButton::SetSkin(int normal, int down, int over, int disabled, int mask, int focus) {
    ids_[kNormal] = normal;
    ids_[kDown] = down;
    ids_[kOver] = over;
    ids_[kDisabled] = disabled;
    ids_[kFocus] = focus;
    drawMode_ = DrawMode::Transparent;
    border_ = false;
    focusMargin_ = 0;
    loadedRatio_ = 0;
    LoadBitmaps();

    // The mask is read at 1x: the region is in device-independent pixels.
    const QImage maskImage = mask ? OstBitmap::LoadImage(mask) : QImage();
    shape_ = RegionFromMask(maskImage);
    if (!maskImage.isNull()) {
        resize(maskImage.size());
        setMask(shape_);
    } else {
        clearMask();
    }
    UpdateAccessibleName();
    update();
}

void CxSkinButton::SetNormalBitmap(int normal) {
    ids_[kNormal] = normal;
    loadedRatio_ = 0;
    LoadBitmaps();
    update();
}

void CxSkinButton::LoadBitmaps() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == loadedRatio_)
        return;
    loadedRatio_ = ratio;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (ids_[slot] == 0) {
            bitmaps_[slot] = QPixmap();
            continue;
        }
        const QImage image = OstBitmap::LoadImage(ids_[slot], ratio);
        QPixmap pixmap = OstBitmap::WhiteTransparent(image);
        pixmap.setDevicePixelRatio(image.devicePixelRatio());
        bitmaps_[slot] = pixmap;
    }
}

void CxSkinButton::SetToolTipText(const QString& text, const QKeySequence& keys) {
    name_ = text;
    setToolTip(keys.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
    UpdateAccessibleName();
}

void CxSkinButton::UpdateAccessibleName() {
    // An image button is named as its tooltip names it; a text button by its text (Qt's default).
    const QString wanted = !text().isEmpty() ? QString() : name_.isEmpty() ? toolTip() : name_;
    if (accessibleName() != wanted)
        setAccessibleName(wanted);
}

void CxSkinButton::SetTextColor(const QColor& colour) {
    textColour_ = colour;
    update();
}

void CxSkinButton::SetDrawMode(DrawMode mode) {
    drawMode_ = mode;
    update();
}

void CxSkinButton::SetBorder(bool border) {
    border_ = border;
    update();
}

void CxSkinButton::SetFocusMargin(int margin) {
    focusMargin_ = margin;
    update();
}

void CxSkinButton::SetCheckMode(CheckMode mode) {
    checkMode_ = mode;
    setCheckable(mode != CheckMode::Push);
    // Radio buttons among the same parent clear each other when one is checked.
    setAutoExclusive(mode == CheckMode::Radio);
    if (mode == CheckMode::Push)
        setChecked(false);
}

void CxSkinButton::nextCheckState() {
    if (checkMode_ != CheckMode::Switch)
        QPushButton::nextCheckState();
}

bool CxSkinButton::hitButton(const QPoint& pos) const {
    return shape_.isEmpty() ? rect().contains(pos) : shape_.contains(pos);
}

void CxSkinButton::enterEvent(QEnterEvent* event) {
    mouseOver_ = true;
    update();
    QPushButton::enterEvent(event);
}

void CxSkinButton::leaveEvent(QEvent* event) {
    mouseOver_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void CxSkinButton::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
                     event->reason() == Qt::ShortcutFocusReason;
    QPushButton::focusInEvent(event);
}

void CxSkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QPushButton::changeEvent(event);
}

void CxSkinButton::DrawBitmap(QPainter& painter, const QPixmap& pixmap) {
    switch (drawMode_) {
    case DrawMode::Transparent:
        painter.drawPixmap(0, 0, pixmap);
        break;
    case DrawMode::Stretch:
        painter.drawPixmap(rect(), pixmap);
        break;
    case DrawMode::Tile:
        painter.drawTiledPixmap(rect(), pixmap);
        break;
    }
}

void CxSkinButton::paintEvent(QPaintEvent*) {
    LoadBitmaps();
    UpdateAccessibleName();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect textRect = rect().adjusted(focusMargin_ + 2, 0, -(focusMargin_ + 2), 0);
    const QString caption = text();
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const bool pressed = isDown() || (isChecked() && checkMode_ != CheckMode::Switch);

    if (!isEnabled()) {
        if (!bitmaps_[kDisabled].isNull())
            DrawBitmap(painter, bitmaps_[kDisabled]);
        else
            painter.fillRect(rect(), palette().color(QPalette::Button));
        if (!caption.isEmpty()) {
            painter.setPen(palette().color(QPalette::Light));
            painter.drawText(textRect, flags, caption);
            painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
            painter.drawText(textRect.translated(-1, -1), flags, caption);
        }
    } else if (pressed) {
        const QPixmap& face = !bitmaps_[kDown].isNull() ? bitmaps_[kDown] : bitmaps_[kOver];
        if (!face.isNull())
            DrawBitmap(painter, face);
        else
            painter.fillRect(rect(), palette().color(QPalette::Button));
        painter.setPen(Qt::white);
        painter.drawText(textRect.translated(1, 1), flags, caption);
    } else {
        const QPixmap* face = &bitmaps_[kNormal];
        if (mouseOver_ && !bitmaps_[kOver].isNull())
            face = &bitmaps_[kOver];
        else if (hasFocus() && !bitmaps_[kFocus].isNull())
            face = &bitmaps_[kFocus];
        if (!face->isNull())
            DrawBitmap(painter, *face);
        else
            painter.fillRect(rect(), palette().color(QPalette::Button));
        painter.setPen(textColour_);
        painter.drawText(textRect, flags, caption);
    }

    if (border_)
        qDrawShadePanel(&painter, rect(), palette(), pressed, 1);
    if (hasFocus() && (focusMargin_ > 0 || keyboardFocus_)) {
        // Keyboard users get a ring even without a focus margin, so they can see where Tab has
        // taken them: the highlight colour over a white line shows on light and dark skins alike.
        const qreal inset = focusMargin_ > 0 ? focusMargin_ + 0.5 : 1.5;
        const QRectF ring = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 3));
        painter.drawRoundedRect(ring, 3, 3);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 1.5));
        painter.drawRoundedRect(ring, 3, 3);
    }
}
