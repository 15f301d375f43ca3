#include "CHMXEdit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

CHMXEdit::CHMXEdit(QWidget* parent) : QLineEdit(parent) {
    text_ = focusText_ = palette().color(QPalette::Text);
    back_ = focusBack_ = palette().color(QPalette::Base);
    ApplyColours();
}

void CHMXEdit::SetTextColor(const QColor& colour) {
    text_ = colour;
    ApplyColours();
}

void CHMXEdit::SetBkColor(const QColor& colour) {
    back_ = colour;
    ApplyColours();
}

void CHMXEdit::SetTextFocusColor(const QColor& colour) {
    focusText_ = colour;
    ApplyColours();
}

void CHMXEdit::SetBkFocusColor(const QColor& colour) {
    focusBack_ = colour;
    ApplyColours();
}

void CHMXEdit::ApplyColours() {
    const bool focused = hasFocus();
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, focused ? focusText_ : text_);
        pal.setColor(group, QPalette::Base, focused ? focusBack_ : back_);
    }
    setPalette(pal);
}

void CHMXEdit::SetEditable(bool editable) {
    editable_ = editable;
    // Read-only refuses typing, paste and drops, and keeps selection and copying.
    setReadOnly(!editable);
}

void CHMXEdit::SetToolTipText(const QString& text) {
    toolTipText_ = text;
    setToolTip(toolTipActive_ ? text : QString());
}

void CHMXEdit::ActivateToolTip(bool active) {
    toolTipActive_ = active;
    setToolTip(active ? toolTipText_ : QString());
}

void CHMXEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    ApplyColours();
}

void CHMXEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    ApplyColours();
}

void CHMXEdit::keyPressEvent(QKeyEvent* event) {
    if (!editable_) {
        // Keys that only select or copy still work; everything else is swallowed.
        const int key = event->key();
        const bool moves = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
                           key == Qt::Key_End;
        if (moves || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CHMXEdit::mousePressEvent(QMouseEvent* event) {
    if (!editable_ && event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CHMXEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (!editable_) {
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}
