#include "autoprint.h"

std::optional<int> printIntervalNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool AutoPrintSchedule::due(const QDateTime &now, const QString &intervalText, int unitIndex) const
{
    const std::optional<int> n = printIntervalNumber(intervalText);
    if (!n || *n < 1)
        return false;
    qint64 seconds = 0;
    switch (unitIndex) {
    case Minutes:
        seconds = qint64(*n) * 60;
        break;
    case Hours:
        seconds = qint64(*n) * 3600;
        break;
    default:
        return false;
    }
    if (!reference_.isValid())
        return true;
    return now > reference_.addSecs(seconds);
}
