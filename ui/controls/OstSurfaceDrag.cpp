#include "OstSurfaceDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

OstSurfaceDrag::OstSurfaceDrag(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

bool OstSurfaceDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            break;
        QWindow* handle = window_.windowHandle();
        if (!handle || !handle->startSystemMove()) {
            following_ = true;
            offset_ = press->globalPosition().toPoint() - window_.frameGeometry().topLeft();
        }
        return true;
    }
    case QEvent::MouseMove:
        if (!following_)
            break;
        window_.move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - offset_);
        return true;
    case QEvent::MouseButtonRelease:
        if (!following_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            break;
        following_ = false;
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
