#include "entryvalue.h"

#include <optional>

namespace {

constexpr double kLowerLimit = -200.0;
constexpr double kUpperLimit = 2500.0;

// The numbers the write path reads: optional sign, digits, at most one ".", at
// least one digit, surrounding blanks ignored. Exponents and separators are not
// numbers here, so what passes is what the controller will be sent.
std::optional<double> plainNumber(const QString &text)
{
    const QString t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    bool digit = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] == u'.' && !point)
            point = true;
        else if (t[i] >= u'0' && t[i] <= u'9')
            digit = true;
        else
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    return t.toDouble();
}

} // namespace

int bitDigitsValue(int digit4, int digit3, int digit2, int digit1)
{
    return digit1 + 16 * digit2 + 256 * digit3 + 4096 * digit4;
}

int minSecSeconds(int tensOfMinutes, int minutes, int tensOfSeconds, int seconds)
{
    return 600 * tensOfMinutes + 60 * minutes + 10 * tensOfSeconds + seconds;
}

QString entryValueText(EntryKind kind, const EntryInput &input)
{
    const auto &i = input.indexes;
    switch (kind) {
    case EntryKind::Keypad:
        return input.fieldText;
    case EntryKind::YesNo:
    case EntryKind::Choice:
        return QString::number(i[0]);
    case EntryKind::BitDigits:
        return QString::number(bitDigitsValue(i[0], i[1], i[2], i[3]));
    case EntryKind::MinSec:
        return QString::number(minSecSeconds(i[0], i[1], i[2], i[3]));
    }
    return input.fieldText;
}

LimitVerdict checkLimitedEntry(const QString &fieldText, bool typedValue)
{
    if (fieldText.count(u'.') >= 2)
        return LimitVerdict::TwoPoints;
    if (!typedValue)
        return LimitVerdict::Accepted;
    if (fieldText.isEmpty())
        return LimitVerdict::Empty;
    const std::optional<double> value = plainNumber(fieldText);
    if (!value)
        return LimitVerdict::NotANumber;
    if (*value >= kUpperLimit || *value <= kLowerLimit)
        return LimitVerdict::OutOfRange;
    return LimitVerdict::Accepted;
}
