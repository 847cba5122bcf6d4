#pragma once

// The dialog that adds a watched slot to the alarm settings table.

#include <QDialog>

class TFmAddAlarm : public QDialog {
    Q_OBJECT
public:
    explicit TFmAddAlarm(QWidget *parent = nullptr);
};
