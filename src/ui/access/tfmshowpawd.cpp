#include "tfmshowpawd.h"

#include "ui_tfmshowpawd.h"

#include "bringtofront.h"
#include "messageboxes.h"
#include "screenlock.h"

namespace {

enum Choice { Lock = 0, Unlock = 1, NewPassword = 2 };

} // namespace

TFmshowpawd::TFmshowpawd(MessageBoxes &boxes, TileLockSwitch lockTiles, QWidget *unlockWindow,
                         QWidget *changeWindow, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      boxes_(boxes),
      lockTiles_(std::move(lockTiles)),
      unlockWindow_(unlockWindow),
      changeWindow_(changeWindow),
      ui(std::make_unique<Ui::TFmshowpawd>())
{
    ui->setupUi(this);
    setModal(false);
    ui->Label1->setText(QStringLiteral("原始密碼為") + kDefaultPassword);
    connect(ui->Button1, &QPushButton::clicked, this, &TFmshowpawd::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TFmshowpawd::Button2Click);
}

TFmshowpawd::~TFmshowpawd() = default;

void TFmshowpawd::Button1Click()
{
    switch (ui->RadioGroup1->itemIndex()) {
    case Lock:
        if (lockTiles_)
            lockTiles_(true);
        hide();
        boxes_.show(nullptr, kScreenLockCaption, lockedMessage(), MessageBoxes::Icon::Warning);
        break;
    case Unlock:
        bringToFront(unlockWindow_);
        hide();
        break;
    case NewPassword:
        bringToFront(changeWindow_);
        hide();
        break;
    default:
        break;
    }
}

void TFmshowpawd::Button2Click()
{
    hide();
}
