#include "deviation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// A reading or limit as an exact decimal: digits / 10^decimals. Binary doubles would
// put 30.1 - 0.2 a hair above 29.9 and raise an alarm on the limit itself.
struct Decimal {
    std::int64_t digits = 0;
    int decimals = 0;
};

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max() / 10;

bool timesTen(std::int64_t &value)
{
    if (value > kMax || value < -kMax)
        return false;
    value *= 10;
    return true;
}

// The forms a reading takes: an optional sign, digits with an optional point, an
// optional exponent ("12.5", "-0.25", ".5", "1.235E+4"). Nothing for any other text
// or for a value too long to hold exactly.
std::optional<Decimal> decimal(const QString &text)
{
    const QString s = text.trimmed();
    int i = 0;
    const auto at = [&s](int index) { return index < s.size() ? s.at(index) : QChar(); };
    bool negative = false;
    if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
        negative = s.at(i++) == QLatin1Char('-');

    Decimal d;
    bool anyDigit = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        anyDigit = true;
        if (!timesTen(d.digits))
            return std::nullopt;
        d.digits += c.unicode() - '0';
        if (point)
            ++d.decimals;
    }
    if (!anyDigit)
        return std::nullopt;

    if (at(i) == QLatin1Char('e') || at(i) == QLatin1Char('E')) {
        ++i;
        bool negativeExponent = false;
        if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
            negativeExponent = s.at(i++) == QLatin1Char('-');
        int exponent = 0;
        bool exponentDigit = false;
        for (; at(i) >= QLatin1Char('0') && at(i) <= QLatin1Char('9'); ++i) {
            exponentDigit = true;
            exponent = exponent * 10 + (s.at(i).unicode() - '0');
            if (exponent > 36)
                return std::nullopt;
        }
        if (!exponentDigit)
            return std::nullopt;
        if (negativeExponent) {
            d.decimals += exponent;
        } else {
            for (; exponent > 0 && d.decimals > 0; --exponent)
                --d.decimals;
            for (; exponent > 0; --exponent)
                if (!timesTen(d.digits))
                    return std::nullopt;
        }
    }
    if (i != s.size())
        return std::nullopt;
    if (negative)
        d.digits = -d.digits;
    return d;
}

// `value` as a whole number of 10^-decimals, small enough that the sum or
// difference of two of them cannot overflow.
std::optional<std::int64_t> scaled(const Decimal &value, int decimals)
{
    std::int64_t digits = value.digits;
    for (int i = value.decimals; i < decimals; ++i)
        if (!timesTen(digits))
            return std::nullopt;
    if (digits > kMax || digits < -kMax)
        return std::nullopt;
    return digits;
}

// One side's step. Returns the number to announce, or 0 for none.
int step(bool beyond, bool &active, AlarmState &state, bool firstAlarm)
{
    if (!beyond) {
        active = false;
        return 0;
    }
    if (active)
        return 0;
    active = true;
    ++state.EventCount;
    // Without FirstAlarm the first excursion after a reset is counted silently and
    // the announcements are numbered from the second one.
    return firstAlarm ? state.EventCount : state.EventCount - 1;
}

} // namespace

std::vector<AlarmNotice> evaluateDeviation(const AlarmLimits &limits, AlarmState &state,
                                           const QString &pvText, const QString &svText)
{
    if (pvText.isEmpty() || svText.isEmpty() || limits.HAlarm.isEmpty())
        return {};
    const std::array<std::optional<Decimal>, 4> texts{decimal(pvText), decimal(svText), decimal(limits.LAlarm),
                                                      decimal(limits.HAlarm)};
    int decimals = 0;
    for (const std::optional<Decimal> &text : texts) {
        if (!text)
            return {};
        decimals = std::max(decimals, text->decimals);
    }
    std::array<std::int64_t, 4> whole{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<std::int64_t> value = scaled(*texts[i], decimals);
        if (!value)
            return {};
        whole[i] = *value;
    }
    const auto [pv, sv, low, high] = whole;
    std::vector<AlarmNotice> due;
    if (const int n = step(pv < sv - low, state.LowActive, state, limits.FirstAlarm); n > 0)
        due.push_back({AlarmSide::Low, n});
    if (const int n = step(pv > sv + high, state.HighActive, state, limits.FirstAlarm); n > 0)
        due.push_back({AlarmSide::High, n});
    return due;
}
