#pragma once

// The folder picker of the recording settings.

#include <QDialog>

class TFmBrowse : public QDialog {
    Q_OBJECT
public:
    explicit TFmBrowse(QWidget *parent = nullptr);
};
