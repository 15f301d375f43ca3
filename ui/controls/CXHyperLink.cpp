#include "CXHyperLink.h"

#include "OstBitmap.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CXHyperLink::CXHyperLink(QWidget* parent)
    : QLabel(parent),
      link_(OstBitmap::FromColorRef(0x00EE0000)),
      visited_(OstBitmap::FromColorRef(0x008B1A55)),
      hover_(OstBitmap::FromColorRef(0x000000FF)),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::PlainText);
    Restyle();
}

void CXHyperLink::SetURL(const QString& address) {
    address_ = address;
    setToolTip(address);
}

void CXHyperLink::SetColours(const QColor& link, const QColor& visited, const QColor& hover) {
    link_ = link;
    visited_ = visited;
    hover_ = hover;
    Restyle();
}

void CXHyperLink::SetVisited(bool visited) {
    visited_flag_ = visited;
    Restyle();
}

void CXHyperLink::SetUnderline(int mode) {
    underline_ = mode;
    Restyle();
}

QColor CXHyperLink::CurrentColour() const {
    if (hovering_)
        return hover_;
    return visited_flag_ ? visited_ : link_;
}

void CXHyperLink::Restyle() {
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        pal.setColor(group, QPalette::WindowText, CurrentColour());
    setPalette(pal);
    QFont f = font();
    f.setUnderline(underline_ == kUnderlineAlways || (underline_ == kUnderlineHover && hovering_));
    setFont(f);
    update();
}

void CXHyperLink::Open() {
    const QUrl url = QUrl::fromUserInput(address_.isEmpty() ? text() : address_);
    if (url.isValid() && opener_ && opener_(url)) {
        SetVisited(true);
    } else {
        QApplication::beep();
    }
    if (notify_)
        emit clicked(objectName().toInt());
}

void CXHyperLink::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(0, 0, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CXHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CXHyperLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        Open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CXHyperLink::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    Restyle();
    QLabel::enterEvent(event);
}

void CXHyperLink::leaveEvent(QEvent* event) {
    hovering_ = false;
    Restyle();
    QLabel::leaveEvent(event);
}
