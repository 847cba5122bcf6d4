// The whole-number reader of the command-line tools.

#include "integertext.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(IntegerText, ReadsSignedDecimalAndHex)
{
    struct Case {
        const char *text;
        long long value;
    } const cases[] = {
        {"0", 0},
        {"12", 12},
        {"007", 7},
        {"+5", 5},
        {"-15", -15},
        {"0x8A", 0x8A},
        {"0X8a", 0x8A},
        {"0xffff", 0xFFFF},
        {"-0x10", -16},
        {"+0x10", 16},
        {"0x0", 0},
        {"-0", 0},
        {"9223372036854775807", std::numeric_limits<long long>::max()},
        {"-9223372036854775808", std::numeric_limits<long long>::min()},
        {"0x7FFFFFFFFFFFFFFF", std::numeric_limits<long long>::max()},
        {"-0x8000000000000000", std::numeric_limits<long long>::min()},
    };
    for (const Case &c : cases) {
        const auto value = readInteger(c.text);
        ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
    }
}

TEST(IntegerText, RefusesAnythingElse)
{
    const char *const refused[] = {
        "", "+", "-", "0x", "-0x", "x10", "0x-10", "0x+10", "--5", "+-5", "1.5", "12abc",
        "0x1g", "1e3", " 5", "5 ", "5\n", "\t5", "1,000", "0b101", "٣", "１",
        "9223372036854775808", "-9223372036854775809", "0x8000000000000000",
        "99999999999999999999999",
    };
    for (const char *text : refused)
        EXPECT_FALSE(readInteger(text).has_value()) << '"' << text << '"';
}

TEST(IntegerText, RangeBoundsAreInclusive)
{
    struct Case {
        const char *text;
        long long low, high;
        bool accepted;
    } const cases[] = {
        {"1", 1, 256, true},      {"256", 1, 256, true},  {"0x100", 1, 256, true},
        {"0", 1, 256, false},     {"257", 1, 256, false}, {"-32768", -32768, 65535, true},
        {"-32769", -32768, 65535, false}, {"0xFFFF", -32768, 65535, true},
        {"0x10000", -32768, 65535, false}, {"abc", 0, 10, false},
    };
    for (const Case &c : cases) {
        const auto value = readIntegerInRange(c.text, c.low, c.high);
        EXPECT_EQ(value.has_value(), c.accepted) << c.text << " in " << c.low << ".." << c.high;
        if (c.accepted && value)
            EXPECT_EQ(*value, *readInteger(c.text)) << c.text;
    }
}

} // namespace
