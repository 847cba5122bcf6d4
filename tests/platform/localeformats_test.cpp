#include "localeformats.h"

#include <gtest/gtest.h>

namespace {

struct TimeCase {
    QTime time;
    const char *text;
};

TEST(TaiwanLocale, LongTimeUsesTheDayHalfWordAndTwelveHourClock)
{
    const PatternLocaleFormats taiwan = PatternLocaleFormats::taiwan();
    const TimeCase cases[] = {
        {QTime(14, 5, 7), "下午 02:05:07"},
        {QTime(0, 30, 0), "上午 12:30:00"},
        {QTime(12, 0, 59), "下午 12:00:59"},
        {QTime(9, 0, 4), "上午 09:00:04"},
        {QTime(23, 59, 59), "下午 11:59:59"},
    };
    for (const TimeCase &c : cases)
        EXPECT_EQ(taiwan.longTime(c.time), QString::fromUtf8(c.text)) << c.time.toString().toStdString();
}

TEST(TaiwanLocale, ShortDateHasNoLeadingZeros)
{
    const PatternLocaleFormats taiwan = PatternLocaleFormats::taiwan();
    EXPECT_EQ(taiwan.shortDate(QDate(2018, 6, 14)), QStringLiteral("2018/6/14"));
    EXPECT_EQ(taiwan.shortDate(QDate(2026, 12, 1)), QStringLiteral("2026/12/1"));
    EXPECT_EQ(taiwan.dayHalfWord(QTime(11, 59)), QStringLiteral("上午"));
    EXPECT_EQ(taiwan.dayHalfWord(QTime(12, 0)), QStringLiteral("下午"));
}

TEST(PatternLocale, OtherPatternsAndQuotedText)
{
    const PatternLocaleFormats iso(QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss' Uhr'"),
                                   QStringLiteral("AM"), QStringLiteral("PM"), QLatin1Char(','));
    EXPECT_EQ(iso.shortDate(QDate(2018, 6, 4)), QStringLiteral("2018-06-04"));
    EXPECT_EQ(iso.longTime(QTime(7, 8, 9)), QStringLiteral("07:08:09 Uhr"));
    EXPECT_EQ(iso.decimalSeparator(), QLatin1Char(','));

    const PatternLocaleFormats shortYear(QStringLiteral("d.M.yy"), QStringLiteral("h:m:s tt"),
                                         QStringLiteral("AM"), QStringLiteral("PM"));
    EXPECT_EQ(shortYear.shortDate(QDate(2009, 1, 2)), QStringLiteral("2.1.09"));
    EXPECT_EQ(shortYear.longTime(QTime(13, 4, 5)), QStringLiteral("1:4:5 PM"));
}

} // namespace
