#include "tfmtitle.h"

TFmTitle::TFmTitle(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmTitle"));
    setWindowTitle(QStringLiteral("設定公司名稱"));
    setModal(false);
    resize(340, 140);
}
