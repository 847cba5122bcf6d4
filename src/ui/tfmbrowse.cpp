#include "tfmbrowse.h"

TFmBrowse::TFmBrowse(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmBrowse"));
    setWindowTitle(QStringLiteral("瀏覽"));
    setModal(false);
    resize(320, 340);
}
