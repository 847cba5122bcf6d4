#include "tfmwriting.h"

TFmWriting::TFmWriting(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FmWriting"));
    setWindowTitle(QStringLiteral("Write Recipe"));
    setModal(false);
    resize(320, 150);
}
