#include "tfmpaset.h"

Tfmpaset::Tfmpaset(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fmpaset"));
    setWindowTitle(QStringLiteral("密碼設定"));
    setModal(false);
    resize(300, 200);
}
