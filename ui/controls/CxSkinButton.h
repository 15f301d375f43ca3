#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QKeySequence>
#include <QPushButton>
#include <QRegion>

// A button drawn from bitmaps by state (normal, down, over, disabled, focus), shaped by a
// mask bitmap: only the mask's non-white pixels belong to the button, so a press on a white
// corner reaches whatever lies below. Text, when it has one, is drawn over the bitmap.
class CxSkinButton : public QPushButton {
    Q_OBJECT
public:
    // Switch: an on/off button whose state its owner sets and its bitmaps show (never the
    // pressed face); a click only asks for the change. Screen readers read it as a toggle.
    enum class CheckMode { Push, Toggle, Radio, Switch };
    enum class DrawMode { Transparent = 0, Stretch = 1, Tile = 2 };

    explicit CxSkinButton(QWidget* parent = nullptr);
    CxSkinButton(const QString& text, QWidget* parent = nullptr);

    // Bitmap numbers, 0 for none. Shapes the button by the mask and sizes it to the mask,
    // keeping its position; draw mode becomes transparent (white), no border, no focus margin.
    void SetSkin(int normal, int down, int over, int disabled, int mask, int focus = 0);
    // Replaces only the normal bitmap (the mirror button's switched-on face).
    void SetNormalBitmap(int normal);
    int NormalBitmap() const { return ids_[kNormal]; }

    // The tooltip names the button and, when given, the keys that press it; a screen reader
    // reads the name alone and announces the keys with the press action.
    void SetToolTipText(const QString& text, const QKeySequence& keys = {});
    void SetTextColor(const QColor& colour);
    QColor TextColor() const { return textColour_; }
    void SetDrawMode(DrawMode mode);
    void SetBorder(bool border);
    void SetFocusMargin(int margin);
    void SetCheckMode(CheckMode mode);
    CheckMode GetCheckMode() const { return checkMode_; }
    bool IsMouseOver() const { return mouseOver_; }

    // The clickable region made from the mask (empty without a mask).
    QRegion ShapeRegion() const { return shape_; }
    // Every run of non-white pixels of each row, as one region.
    static QRegion RegionFromMask(const QImage& mask);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void nextCheckState() override;

private:
    enum Slot { kNormal, kDown, kOver, kDisabled, kFocus, kSlots };
    void LoadBitmaps();
    void UpdateAccessibleName();
    void DrawBitmap(QPainter& painter, const QPixmap& pixmap);

    int ids_[kSlots] = {};
    QPixmap bitmaps_[kSlots];
    qreal loadedRatio_ = 0;
    QRegion shape_;
    QColor textColour_;
    QString name_;
    DrawMode drawMode_ = DrawMode::Stretch;
    bool border_ = false;
    int focusMargin_ = 0;
    CheckMode checkMode_ = CheckMode::Push;
    bool mouseOver_ = false;
    bool keyboardFocus_ = false;
};
