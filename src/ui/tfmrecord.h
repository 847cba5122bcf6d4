#pragma once

// The recording settings dialog.

#include <QDialog>

class TFmRecord : public QDialog {
    Q_OBJECT
public:
    explicit TFmRecord(QWidget *parent = nullptr);
};
