#pragma once

#include <QColor>
#include <QLabel>

// A label with its own text and background colours, or drawn transparently over the window's
// skin.
class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour);
    void SetBkColor(const QColor& colour);
    // Transparent: no background; the parent's skin shows through.
    void SetTransparent(bool transparent);
    QColor TextColor() const { return textColour_; }
    QColor BkColor() const { return backColour_; }
    bool IsTransparent() const { return transparent_; }

    // Repaints the part of the parent under the label and the label, so that a transparent
    // label's new text is drawn over fresh skin.
    void RedrawTransparent();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor textColour_;
    QColor backColour_;
    bool transparent_ = false;
};
