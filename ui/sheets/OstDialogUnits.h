#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Turns the dialog units the page layouts are drawn in into device-independent pixels, the way
// dialog templates always scaled with their font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height, so a layout keeps its
// proportions under any font.
class OstDialogUnits {
public:
    // Measures `font`: the average width of the 52 Latin letters, rounded, and the line height.
    explicit OstDialogUnits(const QFont& font);
    // Given base units, for callers that already know them.
    OstDialogUnits(int baseX, int baseY);

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int left, int top, int width, int height) const;
    QSize Size(int width, int height) const;

private:
    int baseX_;
    int baseY_;
};
