#include "valueformat.h"

#include <gtest/gtest.h>

namespace {
struct FormatCase {
    int value;
    int dp;
    const char *text;
};

const FormatCase kCases[] = {
    // Worked examples of the display.
    {2505, 1, "250.5"},
    {12347, 1, "1235.0"},
    {12346, 2, "123.50"},
    {-2000, 1, "-200.0"},
    {9999, 0, "9999"},
    // Rounding to four significant digits is half away from zero, also for negatives.
    {12344, 1, "1234.0"},
    {12345, 1, "1235.0"},
    {-12345, 1, "-1235.0"},
    {32767, 1, "3277.0"},
    {-32768, 2, "-327.70"},
    // Three decimals: leading zero before the point, zeros padded after rounding.
    {1234, 3, "1.234"},
    {5, 3, "0.005"},
    {-5, 3, "-0.005"},
    {12345, 3, "12.350"},
    {32767, 3, "32.770"},
    {0, 2, "0.00"},
    {0, 0, "0"},
    // More than four integer digits: exponent form.
    {12347, 0, "1.235E+4"},
    {-32768, 0, "-3.277E+4"},
    {10000, 0, "1.000E+4"},
    {32767, 0, "3.277E+4"},
    // Rounding can carry into a fifth integer digit: 9999.5 becomes 1.000E+4.
    {99995, 1, "1.000E+4"},
    {99994, 1, "9999.0"},
    // A decimal-place count the display cannot use never shifts the other way.
    {250, -1, "250"},
};

TEST(ValueFormat, FormatsEveryCase)
{
    for (const FormatCase &c : kCases) {
        EXPECT_EQ(formatReading(c.value, c.dp), QString::fromUtf8(c.text))
            << "value " << c.value << " dp " << c.dp;
    }
}
} // namespace
