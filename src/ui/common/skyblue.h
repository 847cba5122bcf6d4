#pragma once

// The sky blue of the main window, the about and alarm windows, and the bar charts.

#include <QColor>

class QWidget;

inline QColor skyBlue() { return QColor(166, 202, 240); }
// Gives a window the sky-blue ground.
void paintSkyBlue(QWidget *window);
