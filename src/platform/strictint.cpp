#include "strictint.h"

#include <limits>

std::optional<int> strToInt(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    int pos = 0;
    bool negative = false;
    if (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')) {
        negative = text[0] == QLatin1Char('-');
        pos = 1;
    }
    if (pos == text.size())
        return std::nullopt;
    // Accumulate towards the negative side, which holds one more value than the positive.
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<int> stationIdFromText(const QString &text)
{
    if (text.isEmpty() || text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-'))
        return std::nullopt;
    return strToInt(text);
}

QString notAnIntegerMessage(const QString &text)
{
    return QStringLiteral("「%1」不是有效的整數").arg(text);
}
