#include "alarmtext.h"

QString pad(int value)
{
    const QString digits = QString::number(value);
    return value < 10 ? QStringLiteral("0") + digits : digits;
}

QString alarmMessage(AlarmSide side, int panel, int slot, const QString &timeText)
{
    const QString kind = side == AlarmSide::Low ? QStringLiteral("台-->偏差低警報!") : QStringLiteral("台-->偏差高警報!");
    return QStringLiteral("盤面:") + QString::number(panel) + QStringLiteral(",第") + QString::number(slot) + kind
           + QStringLiteral("   時間:") + timeText;
}

QString alarmListLine(AlarmSide side, const QString &message)
{
    const QString word = side == AlarmSide::Low ? QStringLiteral("偏差低警報!   ") : QStringLiteral("偏差高警報!   ");
    return word + message;
}

QString alarmWindowLine(int number, const QString &message)
{
    return QStringLiteral("訊息") + QString::number(number) + QStringLiteral(",") + message;
}

QString duplicateAlarmPointMessage(const QString &panelText, const QString &slotText)
{
    return QStringLiteral("盤面:") + panelText + QStringLiteral(",") + QStringLiteral("溫控點:") + slotText;
}
