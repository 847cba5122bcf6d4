#include "tform2.h"

TForm2::TForm2(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("溫度監控系統 9.22"));
    setModal(false);
    resize(380, 260);
}
