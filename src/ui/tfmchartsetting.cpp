#include "tfmchartsetting.h"

TFmChartSetting::TFmChartSetting(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmChartSetting"));
    setWindowTitle(QStringLiteral("曲線圖設定"));
    setModal(false);
    resize(420, 360);
}
