#pragma once

// The screen lock chooser: lock, unlock or set a new password.

#include <QDialog>

class TFmshowpawd : public QDialog {
    Q_OBJECT
public:
    explicit TFmshowpawd(QWidget *parent = nullptr);
};
