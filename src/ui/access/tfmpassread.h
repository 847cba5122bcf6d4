#pragma once

// The unlock window of the screen lock: the password (or the window's own code)
// enables the tiles' station ID fields and setting buttons again.

#include <QDialog>

#include <functional>
#include <memory>

class MessageBoxes;
class SettingsStore;

namespace Ui {
class Tfmpassread;
}

// Locks (true) or unlocks the thirty tiles of the main window.
using TileLockSwitch = std::function<void(bool locked)>;

class Tfmpassread : public QDialog {
    Q_OBJECT
public:
    Tfmpassread(SettingsStore &store, MessageBoxes &boxes, TileLockSwitch lockTiles, QWidget *parent = nullptr);
    ~Tfmpassread() override;

public Q_SLOTS:
    void Button1Click(); // check the entry, unlock when it is right
    void Button2Click(); // closes; the entry stays

protected:
    void showEvent(QShowEvent *event) override;

private:
    SettingsStore &store_;
    MessageBoxes &boxes_;
    TileLockSwitch lockTiles_;
    std::unique_ptr<Ui::Tfmpassread> ui;
};
