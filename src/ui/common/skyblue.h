#pragma once

// The sky-blue ground of the main window and the about window.

class QWidget;

void paintSkyBlue(QWidget *window);
