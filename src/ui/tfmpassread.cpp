#include "tfmpassread.h"

Tfmpassread::Tfmpassread(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fmpassread"));
    setWindowTitle(QStringLiteral("請輸入密碼"));
    setModal(false);
    resize(260, 130);
}
