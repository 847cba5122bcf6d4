#pragma once

// The change-password window of the screen lock: the old password (or the window's
// own code) and the new one twice.

#include <QDialog>

#include <memory>

class MessageBoxes;
class SettingsStore;

namespace Ui {
class Tfmpaset;
}

class Tfmpaset : public QDialog {
    Q_OBJECT
public:
    Tfmpaset(SettingsStore &store, MessageBoxes &boxes, QWidget *parent = nullptr);
    ~Tfmpaset() override;

public Q_SLOTS:
    void Button1Click(); // check and store the new password
    void Button2Click(); // closes; the fields stay

protected:
    void showEvent(QShowEvent *event) override;

private:
    SettingsStore &store_;
    MessageBoxes &boxes_;
    std::unique_ptr<Ui::Tfmpaset> ui;
};
