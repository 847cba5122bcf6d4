#pragma once

// The texts an announced alarm leaves behind: the message, its line in the main
// window's alarm list and in the alarm window, and the two-character numbers the
// count table is addressed with.

#include "alarmtypes.h"

#include <QString>

// The decimal text of `value`, with a leading "0" below 10: 1 gives "01", 10 "10".
QString pad(int value);

// "盤面:1,第3台-->偏差高警報!   時間:下午 02:05:07"; panel and slot plain.
QString alarmMessage(AlarmSide side, int panel, int slot, const QString &timeText);
// The main window's list line: the side's word, three blanks, the message.
QString alarmListLine(AlarmSide side, const QString &message);
// The alarm window's line `number` (counted from 1 since it was last emptied).
QString alarmWindowLine(int number, const QString &message);

// The warning shown when an alarm point is stored a second time for one slot, from
// the Panel and ControllerNO texts of the refused row.
QString duplicateAlarmPointMessage(const QString &panelText, const QString &slotText);
inline QString duplicateAlarmPointCaption() { return QStringLiteral("警報點重複設定"); }
