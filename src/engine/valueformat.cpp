#include "valueformat.h"

#include <cstdlib>

// Works on the integer digits, not on a double: the register value is exact and the
// rounding to four significant digits must be too (half away from zero).

namespace {
constexpr int kSignificant = 4;

int digitCount(long long v)
{
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

long long powerOfTen(int n)
{
    long long p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}
} // namespace

QString formatReading(int value, int dp)
{
    if (dp < 0 || dp > 9)
        dp = 0;
    const bool negative = value < 0;
    long long magnitude = std::llabs(static_cast<long long>(value));
    int digits = digitCount(magnitude);

    // Round to four significant digits; `rounded` keeps the dropped places as zeros.
    long long mantissa = magnitude; // the significant digits, at most four of them
    int dropped = 0;
    if (digits > kSignificant) {
        dropped = digits - kSignificant;
        const long long unit = powerOfTen(dropped);
        mantissa = (magnitude + unit / 2) / unit;
        if (mantissa >= powerOfTen(kSignificant)) { // 9999.5 -> 1.000E+4
            mantissa /= 10;
            ++dropped;
            ++digits;
        }
    }

    QString text = negative ? QStringLiteral("-") : QString();
    const int integerDigits = digits - dp;
    if (integerDigits > kSignificant) {
        // Pad a short mantissa (never needed above four digits, kept for safety).
        const QString m = QString::number(mantissa).leftJustified(kSignificant, u'0');
        const int exponent = digits - 1 - dp;
        text += m.left(1) + u'.' + m.mid(1) + u'E' + (exponent < 0 ? u'-' : u'+')
                + QString::number(std::abs(exponent));
        return text;
    }

    const long long rounded = mantissa * powerOfTen(dropped);
    const long long scale = powerOfTen(dp);
    text += QString::number(rounded / scale);
    if (dp > 0)
        text += u'.' + QString::number(rounded % scale).rightJustified(dp, u'0');
    return text;
}
