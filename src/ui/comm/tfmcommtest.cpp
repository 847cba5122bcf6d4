#include "tfmcommtest.h"

TFmCommTest::TFmCommTest(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmCommTest"));
    setWindowTitle(QStringLiteral("通訊測試"));
    setModal(false);
    resize(360, 240);
}
