#include "tfmpassread.h"

#include "ui_tfmpassread.h"

#include "messageboxes.h"
#include "screenlock.h"

Tfmpassread::Tfmpassread(SettingsStore &store, MessageBoxes &boxes, TileLockSwitch lockTiles, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      store_(store),
      boxes_(boxes),
      lockTiles_(std::move(lockTiles)),
      ui(std::make_unique<Ui::Tfmpassread>())
{
    ui->setupUi(this);
    setModal(false);
    connect(ui->Button1, &QPushButton::clicked, this, &Tfmpassread::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &Tfmpassread::Button2Click);
}

Tfmpassread::~Tfmpassread() = default;

void Tfmpassread::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->Edit1->setFocus();
}

void Tfmpassread::Button1Click()
{
    const UnlockOutcome outcome = ScreenLock(store_).unlock(ui->Edit1->text());
    if (outcome == UnlockOutcome::Unlocked) {
        if (lockTiles_)
            lockTiles_(false);
        hide();
    }
    boxes_.show(isVisible() ? this : nullptr, kScreenLockCaption, unlockMessage(outcome),
                MessageBoxes::Icon::Warning);
    ui->Edit1->clear();
}

void Tfmpassread::Button2Click()
{
    hide();
}
