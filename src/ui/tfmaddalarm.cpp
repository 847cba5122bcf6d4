#include "tfmaddalarm.h"

TFmAddAlarm::TFmAddAlarm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmAddAlarm"));
    setWindowTitle(QStringLiteral("增加警報點"));
    setModal(false);
    resize(360, 260);
}
