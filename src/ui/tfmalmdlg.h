#pragma once

// The alarm window that pops up with the alarms since it was last confirmed.

#include <QDialog>

class TFmAlmDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFmAlmDlg(QWidget *parent = nullptr);
};
