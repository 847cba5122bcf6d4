#pragma once

// The recipe write progress window; it stays above the main window.

#include <QDialog>

class TFmWriting : public QDialog {
    Q_OBJECT
public:
    explicit TFmWriting(QWidget *parent = nullptr);
};
