#pragma once

// The window that takes the company name shown at the top of the main window.

#include <QDialog>

class TFmTitle : public QDialog {
    Q_OBJECT
public:
    explicit TFmTitle(QWidget *parent = nullptr);
};
