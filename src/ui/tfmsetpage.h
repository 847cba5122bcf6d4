#pragma once

// The setting page: writes one parameter at a time to the controller whose tile
// opened it. The header names that controller; the main window fills it from the
// tile's setting button.

#include <QDialog>

class QLabel;

class TFmSetPage : public QDialog {
    Q_OBJECT
public:
    explicit TFmSetPage(QWidget *parent = nullptr);

    QLabel *LbPanel = nullptr; // panel number "1".."3"
    QLabel *LbNO = nullptr;    // slot number "01".."10"
    QLabel *LbID = nullptr;    // station ID text of the tile
};
