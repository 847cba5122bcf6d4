#include "skyblue.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void paintSkyBlue(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor(166, 202, 240));
    window->setPalette(palette);
}
