#include "tfmshowpawd.h"

TFmshowpawd::TFmshowpawd(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Fmshowpawd"));
    setWindowTitle(QStringLiteral("密碼設定"));
    setModal(false);
    resize(280, 220);
}
