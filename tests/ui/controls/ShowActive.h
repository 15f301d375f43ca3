#pragma once

#include <QTest>
#include <QWidget>

// Shows a top-level widget and waits until it is exposed and active, so that focus moves as
// it does for a user (also on an X server without a window manager).
inline bool ShowActive(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
