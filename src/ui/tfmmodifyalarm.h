#pragma once

// The dialog that changes the limits of a watched slot.

#include <QDialog>

class TFmModifyAlarm : public QDialog {
    Q_OBJECT
public:
    explicit TFmModifyAlarm(QWidget *parent = nullptr);
};
