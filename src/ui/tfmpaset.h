#pragma once

// The change-password window of the screen lock.

#include <QDialog>

class Tfmpaset : public QDialog {
    Q_OBJECT
public:
    explicit Tfmpaset(QWidget *parent = nullptr);
};
