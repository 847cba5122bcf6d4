#include "skyblue.h"

#include <QPalette>
#include <QWidget>

void paintSkyBlue(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, skyBlue());
    window->setPalette(palette);
}
