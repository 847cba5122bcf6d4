#pragma once

// Rows of the alarm settings table as the dialogs store them and as they read back,
// and the slots each choice of the add dialog covers.

#include "alarmtypes.h"

#include <QChar>
#include <QString>

#include <optional>
#include <vector>

// A row as it is stored: Panel "1".."3", ControllerNO "01".."10", the limits as
// numbers, FirstAlarm "YES" or "NO".
struct AlarmPointEntry {
    QString Panel;
    QString ControllerNO;
    double HAlarm = 0;
    double LAlarm = 0;
    QString FirstAlarm;
};

// A row as it reads back: every field as text, the limits in the table's text form
// (10 reads as "10").
struct AlarmPointRow {
    QString Panel;
    QString ControllerNO;
    QString HAlarm;
    QString LAlarm;
    QString FirstAlarm;

    // Panel and ControllerNO read as integers; 0 when the text holds none.
    int panel() const { return Panel.trimmed().toInt(); }
    int slot() const { return ControllerNO.trimmed().toInt(); }
    // What the engine keeps of the row.
    AlarmLimits limits() const { return {HAlarm, LAlarm, FirstAlarm == QLatin1String("YES")}; }
    bool sameKey(const AlarmPointRow &o) const { return Panel == o.Panel && ControllerNO == o.ControllerNO; }
};

struct AlarmPointKey {
    QString Panel;
    QString ControllerNO;
};

enum class AddAlarmChoice { OneSlot, OnePanel, AllPanels };

// The slots an add covers, in the order they are stored: one; the ten of `panel`;
// or all thirty, panel "1" slots "01" to "10" first.
std::vector<AlarmPointKey> alarmPointKeys(AddAlarmChoice choice, const QString &panel, const QString &slot);

// A limit typed by the operator, with the locale's decimal separator (a point is
// taken too); nothing for a text that is not a finite number.
std::optional<double> alarmLimitNumber(const QString &text, QChar decimalSeparator);

// "YES" or "NO".
inline QString firstAlarmText(bool announceFirst) { return announceFirst ? QStringLiteral("YES") : QStringLiteral("NO"); }

// The message for a limit field whose text is not a number.
QString limitNotANumberMessage(const QString &fieldLabel, const QString &text);
