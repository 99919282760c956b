// Bringing a test window to the front on any platform: the offscreen platform activates
// a shown window at once, while a real X display without a window manager (the xvfb run)
// only does when the window asks for the input focus once it is mapped.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

inline bool ActivateWindow(QWidget *W)
{
    W->show();
    if (!QTest::qWaitForWindowExposed(W))
        return false;
    W->activateWindow();
    QApplication::setActiveWindow(W);
    return QTest::qWaitForWindowActive(W);
}
