#include "CColorStatic.h"

#include <QPainter>
#include <QPalette>

CColorStatic::CColorStatic(QWidget* parent)
    : QLabel(parent), textColour_(Qt::black), backColour_(palette().color(QPalette::Button)) {
    SetTextColor(textColour_);
}

void CColorStatic::SetTextColor(const QColor& colour) {
    textColour_ = colour;
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, colour);
    setPalette(pal);
    update();
}

void CColorStatic::SetBkColor(const QColor& colour) {
    backColour_ = colour;
    update();
}

void CColorStatic::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void CColorStatic::RedrawTransparent() {
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    update();
}

void CColorStatic::paintEvent(QPaintEvent* event) {
    if (!transparent_) {
        QPainter painter(this);
        painter.fillRect(rect(), backColour_);
    }
    QLabel::paintEvent(event);
}
