#include "writescaling.h"

namespace {
constexpr int kMaxDp = 3;
constexpr int kMinValue = -32768;
constexpr int kMaxValue = 32767;
// More significant digits than this cannot be in range, whatever follows.
constexpr int kMaxIntegerDigits = 6;
} // namespace

int scaleExponent(ScaleClass scale, int dp)
{
    switch (scale) {
    case ScaleClass::DecimalPoint:
        return dp < 0 ? 0 : (dp > kMaxDp ? kMaxDp : dp);
    case ScaleClass::Tenths:
        return 1;
    case ScaleClass::Thousandths:
        return 3;
    case ScaleClass::Raw:
        break;
    }
    return 0;
}

ScaledValue scaleWriteValue(const QString &text, ScaleClass scale, int dp)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    QString whole;
    QString fraction;
    bool seenPoint = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.') {
            if (seenPoint)
                return {WriteRejection::NotANumber, 0};
            seenPoint = true;
        } else if (c >= u'0' && c <= u'9') {
            (seenPoint ? fraction : whole) += c;
        } else {
            return {WriteRejection::NotANumber, 0};
        }
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return {WriteRejection::NotANumber, 0};

    // Move the decimal point right by the scale's exponent; the rest is truncated.
    const int shift = scaleExponent(scale, dp);
    QString digits = whole + fraction.left(shift).leftJustified(shift, u'0');
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > kMaxIntegerDigits)
        return {WriteRejection::OutOfRange, 0};
    long magnitude = digits.isEmpty() ? 0 : digits.toLong();
    const long value = negative ? -magnitude : magnitude;
    if (value < kMinValue || value > kMaxValue)
        return {WriteRejection::OutOfRange, 0};
    return {WriteRejection::None, static_cast<int>(value)};
}
