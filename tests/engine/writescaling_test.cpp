#include "writescaling.h"

#include <gtest/gtest.h>

namespace {
struct ScaleCase {
    const char *text;
    ScaleClass scale;
    int dp;
    int value;
    std::uint16_t wire;
};

const ScaleCase kAccepted[] = {
    // Worked values: SV with one decimal, OUTL in tenths, SOFT in thousandths, I1 raw.
    {"25.3", ScaleClass::DecimalPoint, 1, 253, 253},
    {"-5", ScaleClass::DecimalPoint, 1, -50, 0xFFCE},
    {"100", ScaleClass::Tenths, 1, 1000, 1000},
    {"0.5", ScaleClass::Thousandths, 1, 500, 500},
    {"25.37", ScaleClass::DecimalPoint, 1, 253, 253},
    {"-25.37", ScaleClass::DecimalPoint, 1, -253, 0xFF03},
    {"12.9", ScaleClass::Raw, 1, 12, 12},
    {"25.3", ScaleClass::DecimalPoint, 0, 25, 25},
    {"4369", ScaleClass::Raw, 0, 4369, 0x1111},
    {"1", ScaleClass::Raw, 0, 1, 1},
    // Decimal shifting where a double product would land just below the integer.
    {"0.29", ScaleClass::DecimalPoint, 2, 29, 29},
    {"1.005", ScaleClass::Thousandths, 0, 1005, 1005},
    {"4.35", ScaleClass::DecimalPoint, 2, 435, 435},
    // Truncation toward zero, sign forms, blanks, and missing digits on one side.
    {"-0.5", ScaleClass::DecimalPoint, 0, 0, 0},
    {"+7", ScaleClass::Raw, 0, 7, 7},
    {" 12 ", ScaleClass::Raw, 0, 12, 12},
    {".5", ScaleClass::DecimalPoint, 1, 5, 5},
    {"5.", ScaleClass::DecimalPoint, 1, 50, 50},
    {"0000000000012", ScaleClass::Raw, 0, 12, 12},
    {"1.5", ScaleClass::DecimalPoint, 3, 1500, 1500},
    // The 16-bit limits themselves.
    {"32767", ScaleClass::Raw, 0, 32767, 0x7FFF},
    {"-32768", ScaleClass::Raw, 0, -32768, 0x8000},
    {"3276.7", ScaleClass::DecimalPoint, 1, 32767, 0x7FFF},
};

TEST(WriteScaling, ScalesAndTruncates)
{
    for (const ScaleCase &c : kAccepted) {
        const ScaledValue v = scaleWriteValue(QString::fromUtf8(c.text), c.scale, c.dp);
        ASSERT_TRUE(v.accepted()) << c.text;
        EXPECT_EQ(v.value, c.value) << c.text;
        EXPECT_EQ(v.wireValue(), c.wire) << c.text;
    }
}

struct RejectCase {
    const char *text;
    ScaleClass scale;
    int dp;
    WriteRejection reason;
};

const RejectCase kRejected[] = {
    {"", ScaleClass::DecimalPoint, 1, WriteRejection::NotANumber},
    {"   ", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {".", ScaleClass::DecimalPoint, 1, WriteRejection::NotANumber},
    {"-", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"-.", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"1.2.3", ScaleClass::DecimalPoint, 1, WriteRejection::NotANumber},
    {"abc", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"1e5", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"1,5", ScaleClass::DecimalPoint, 1, WriteRejection::NotANumber},
    {"--1", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"1-", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"1 2", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    {"0x10", ScaleClass::Raw, 0, WriteRejection::NotANumber},
    // SV 2000 on a slot with two decimals would be 200000.
    {"2000", ScaleClass::DecimalPoint, 2, WriteRejection::OutOfRange},
    {"3276.8", ScaleClass::DecimalPoint, 1, WriteRejection::OutOfRange},
    {"-32769", ScaleClass::Raw, 0, WriteRejection::OutOfRange},
    {"33", ScaleClass::Thousandths, 0, WriteRejection::OutOfRange},
    {"99999999999999999999", ScaleClass::Raw, 0, WriteRejection::OutOfRange},
};

TEST(WriteScaling, RefusesTextsThatAreNotPlainNumbersOrDoNotFit)
{
    for (const RejectCase &c : kRejected) {
        const ScaledValue v = scaleWriteValue(QString::fromUtf8(c.text), c.scale, c.dp);
        EXPECT_EQ(v.rejection, c.reason) << '"' << c.text << '"';
    }
}

TEST(WriteScaling, ExponentFollowsTheScaleClass)
{
    EXPECT_EQ(scaleExponent(ScaleClass::DecimalPoint, 0), 0);
    EXPECT_EQ(scaleExponent(ScaleClass::DecimalPoint, 3), 3);
    EXPECT_EQ(scaleExponent(ScaleClass::Tenths, 3), 1);
    EXPECT_EQ(scaleExponent(ScaleClass::Thousandths, 0), 3);
    EXPECT_EQ(scaleExponent(ScaleClass::Raw, 2), 0);
    // A decimal-place count outside 0..3 is held to the range rather than shifting wildly.
    EXPECT_EQ(scaleExponent(ScaleClass::DecimalPoint, -2), 0);
    EXPECT_EQ(scaleExponent(ScaleClass::DecimalPoint, 9), 3);
}
} // namespace
