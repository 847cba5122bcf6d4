#pragma once

// Shows a window of the program that is not modal (or brings it back up when it is
// already open, perhaps behind another) and gives it the focus.

#include <QWidget>

inline void bringToFront(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}
