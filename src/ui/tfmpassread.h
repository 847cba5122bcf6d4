#pragma once

// The unlock window of the screen lock.

#include <QDialog>

class Tfmpassread : public QDialog {
    Q_OBJECT
public:
    explicit Tfmpassread(QWidget *parent = nullptr);
};
