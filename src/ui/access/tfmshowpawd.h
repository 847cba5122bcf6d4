#pragma once

// The screen lock chooser: lock the tiles at once, or go on to the unlock or the
// change-password window.

#include "tfmpassread.h"

#include <QDialog>

#include <memory>

class MessageBoxes;

namespace Ui {
class TFmshowpawd;
}

class TFmshowpawd : public QDialog {
    Q_OBJECT
public:
    // `unlockWindow` is fmpassread, `changeWindow` fmpaset.
    TFmshowpawd(MessageBoxes &boxes, TileLockSwitch lockTiles, QWidget *unlockWindow, QWidget *changeWindow,
                QWidget *parent = nullptr);
    ~TFmshowpawd() override;

public Q_SLOTS:
    void Button1Click(); // carries out the chosen item; nothing without a choice
    void Button2Click(); // closes

private:
    MessageBoxes &boxes_;
    TileLockSwitch lockTiles_;
    QWidget *unlockWindow_;
    QWidget *changeWindow_;
    std::unique_ptr<Ui::TFmshowpawd> ui;
};
