#include "alarmpoints.h"

#include <QLocale>

#include <cmath>

namespace {

QString slotText(int slot) { return QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0')); }

void addPanel(std::vector<AlarmPointKey> &keys, const QString &panel)
{
    for (int slot = 1; slot <= 10; ++slot)
        keys.push_back({panel, slotText(slot)});
}

} // namespace

std::vector<AlarmPointKey> alarmPointKeys(AddAlarmChoice choice, const QString &panel, const QString &slot)
{
    std::vector<AlarmPointKey> keys;
    switch (choice) {
    case AddAlarmChoice::OneSlot:
        keys.push_back({panel, slot});
        break;
    case AddAlarmChoice::OnePanel:
        addPanel(keys, panel);
        break;
    case AddAlarmChoice::AllPanels:
        for (int p = 1; p <= 3; ++p)
            addPanel(keys, QString::number(p));
        break;
    }
    return keys;
}

std::optional<double> alarmLimitNumber(const QString &text, QChar decimalSeparator)
{
    QString plain = text.trimmed();
    if (decimalSeparator != QLatin1Char('.'))
        plain.replace(decimalSeparator, QLatin1Char('.'));
    // A group separator would make "1,5" read as fifteen.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString limitNotANumberMessage(const QString &fieldLabel, const QString &text)
{
    return QStringLiteral("%1「%2」不是數字，請輸入數字（例如 10 或 2.5）。").arg(fieldLabel, text);
}
