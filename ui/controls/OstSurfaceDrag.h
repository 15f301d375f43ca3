#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Moves a frameless window when the user drags its own surface (a press that none of its
// controls took): by the window system where it can, which is the only way on Wayland, and
// otherwise by following the pointer.
class OstSurfaceDrag : public QObject {
public:
    explicit OstSurfaceDrag(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    bool following_ = false;
    QPoint offset_;
};
