#include "tform2.h"

#include "tempmonversion.h"

TForm2::TForm2(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("溫度監控系統 " TEMPMON_VERSION));
    setModal(false);
    resize(380, 260);
}
