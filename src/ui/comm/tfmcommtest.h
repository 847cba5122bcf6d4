#pragma once

// A link-test window that nothing opens; it exists so that every window of the
// program is created at start-up.

#include <QDialog>

class TFmCommTest : public QDialog {
    Q_OBJECT
public:
    explicit TFmCommTest(QWidget *parent = nullptr);
};
