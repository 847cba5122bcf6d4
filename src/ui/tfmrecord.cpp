#include "tfmrecord.h"

TFmRecord::TFmRecord(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmRecord"));
    setWindowTitle(QStringLiteral("紀錄存檔"));
    setModal(false);
    resize(400, 320);
}
