#include "tfmmodifyalarm.h"

TFmModifyAlarm::TFmModifyAlarm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmModifyAlarm"));
    setWindowTitle(QStringLiteral("變更警報設定"));
    setModal(false);
    resize(360, 260);
}
