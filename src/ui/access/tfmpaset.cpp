#include "tfmpaset.h"

#include "ui_tfmpaset.h"

#include "messageboxes.h"
#include "screenlock.h"

Tfmpaset::Tfmpaset(SettingsStore &store, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      store_(store),
      boxes_(boxes),
      ui(std::make_unique<Ui::Tfmpaset>())
{
    ui->setupUi(this);
    setModal(false);
    connect(ui->Button1, &QPushButton::clicked, this, &Tfmpaset::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &Tfmpaset::Button2Click);
}

Tfmpaset::~Tfmpaset() = default;

void Tfmpaset::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->oldEdit->setFocus();
}

void Tfmpaset::Button1Click()
{
    const PasswordChange outcome = ScreenLock(store_).changePassword(ui->oldEdit->text(), ui->newEdit->text(),
                                                                     ui->aginNewEdit->text());
    if (outcome == PasswordChange::Changed)
        hide();
    boxes_.show(isVisible() ? this : nullptr, kScreenLockCaption, passwordChangeMessage(outcome),
                MessageBoxes::Icon::Warning);
    switch (outcome) {
    case PasswordChange::Changed:
        ui->oldEdit->clear();
        ui->newEdit->clear();
        ui->aginNewEdit->clear();
        break;
    case PasswordChange::WrongOldPassword:
        ui->oldEdit->clear();
        ui->oldEdit->setFocus();
        break;
    default: // the operator corrects what was typed
        break;
    }
}

void Tfmpaset::Button2Click()
{
    hide();
}
