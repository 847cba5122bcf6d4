#include "tfmalmdlg.h"

TFmAlmDlg::TFmAlmDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmAlmDlg"));
    setWindowTitle(QStringLiteral("警報訊息"));
    setModal(false);
    resize(420, 300);
}
