// Record file names, intervals and limits as the operator's settings give them.

#include "recordfiles.h"
#include "recordformat.h"

#include "localeformats.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QDate kDay(2018, 6, 14);

struct NameCase {
    const char *what;
    QDateTime at;
    int saveUnit;
    int fileType;
    const char *expected;
};

TEST(RecordFileName, HourAndDayNamesInTheTaiwanLocale)
{
    const PatternLocaleFormats locale = PatternLocaleFormats::taiwan();
    const NameCase cases[] = {
        {"midnight hour is 12 in the morning", {kDay, QTime(0, 0, 0)}, 0, 0, "2018_6_14_上午12時.txt"},
        {"morning hour", {kDay, QTime(9, 0, 4)}, 0, 0, "2018_6_14_上午9時.txt"},
        {"last morning hour", {kDay, QTime(11, 59, 59)}, 0, 0, "2018_6_14_上午11時.txt"},
        {"noon is 12 in the afternoon", {kDay, QTime(12, 0, 0)}, 0, 0, "2018_6_14_下午12時.txt"},
        {"afternoon hour without leading zero", {kDay, QTime(14, 5, 7)}, 0, 0, "2018_6_14_下午2時.txt"},
        {"last hour", {kDay, QTime(23, 0, 0)}, 0, 1, "2018_6_14_下午11時.xls"},
        {"two-digit month and day", {QDate(2018, 12, 31), QTime(10, 0, 0)}, 0, 0, "2018_12_31_上午10時.txt"},
        {"daily txt", {kDay, QTime(14, 5, 7)}, 1, 0, "2018_6_14.txt"},
        {"daily xls", {kDay, QTime(14, 5, 7)}, 1, 1, "2018_6_14.xls"},
        // A typed text in a list leaves no item chosen: daily files, .xls.
        {"no item chosen counts as the other item", {kDay, QTime(9, 0, 0)}, -1, -1, "2018_6_14.xls"},
    };
    for (const NameCase &c : cases)
        EXPECT_EQ(recordFileName(locale, c.at, c.saveUnit, c.fileType), QString::fromUtf8(c.expected)) << c.what;
}

TEST(RecordFileName, OnlySlashesOfTheShortDateAreReplaced)
{
    struct DateCase {
        const char *pattern;
        const char *expected;
    };
    const DateCase cases[] = {
        {"yyyy/M/d", "2018_6_14"},
        {"yyyy-MM-dd", "2018-06-14"},
        {"dd.MM.yyyy", "14.06.2018"},
        {"yyyy/MM-dd", "2018_06-14"},
    };
    for (const DateCase &c : cases) {
        const PatternLocaleFormats locale(QString::fromUtf8(c.pattern), QStringLiteral("HH:mm:ss"),
                                          QStringLiteral("AM"), QStringLiteral("PM"));
        EXPECT_EQ(recordDatePart(locale, kDay), QString::fromUtf8(c.expected)) << c.pattern;
    }
    const PatternLocaleFormats english(QStringLiteral("M/d/yyyy"), QStringLiteral("h:mm:ss tt"),
                                       QStringLiteral("AM"), QStringLiteral("PM"));
    EXPECT_EQ(recordFileName(english, {kDay, QTime(14, 0, 0)}, 0, 0), QStringLiteral("6_14_2018_PM2時.txt"));
}

TEST(RecordInterval, SampleTimeTimesItsUnit)
{
    struct IntervalCase {
        int sampleTime;
        int sampleUnit;
        int expectedMs;
    };
    const IntervalCase cases[] = {
        {10, 0, 10000},
        {1, 0, 1000},
        {15, 1, 900000},
        {2, 1, 120000},
        {3, -1, 180000},       // no item chosen: minutes
        {0, 0, 0},             // a timer that never ticks
        {-5, 1, 0},
        {35791, 1, 2147460000}, // the longest interval the timer holds in minutes
        {35792, 1, 0},          // beyond it
        {2147483, 0, 2147483000},
        {2147484, 0, 0},
    };
    for (const IntervalCase &c : cases)
        EXPECT_EQ(recordIntervalMs(c.sampleTime, c.sampleUnit), c.expectedMs) << c.sampleTime << " unit " << c.sampleUnit;
}

TEST(RecordInterval, ADayOfRecords)
{
    EXPECT_EQ(recordsPerDay(1000), 86400);
    EXPECT_EQ(recordsPerDay(10000), 8640);
    EXPECT_EQ(recordsPerDay(60000), 1440);
    EXPECT_EQ(recordsPerDay(7000), 12343); // a part record still counts
    EXPECT_EQ(recordsPerDay(2147460000), 1);
    EXPECT_EQ(recordsPerDay(0), 1);
}

TEST(RecordFolder, BlankTextNamesNoFolder)
{
    EXPECT_EQ(recordFolderPath(QString()), QString());
    EXPECT_EQ(recordFolderPath(QStringLiteral("   ")), QString());
    EXPECT_EQ(recordFolderPath(QStringLiteral("/srv/溫度資料")), QStringLiteral("/srv/溫度資料"));
#ifndef Q_OS_WIN
    EXPECT_EQ(recordFolderPath(QStringLiteral("~/Temperature Data")), QDir::home().filePath(QStringLiteral("Temperature Data")));
    EXPECT_EQ(recordFolderPath(QStringLiteral("~")), QDir::homePath());
    EXPECT_EQ(recordFolderPath(QStringLiteral("~other/x")), QStringLiteral("~other/x"));
#endif
}

TEST(RecordLine, EncodesEveryFieldInBig5)
{
    ReadingsSnapshot readings;
    readings.slotSnapshots[1] = slotTexts(QStringLiteral("-12.5"), QStringLiteral("600"));
    readings.slotSnapshots[10] = slotTexts(QString(), QStringLiteral("0.05"));
    const QByteArray noLink("\xB5\x4C\xB3\x73\xB1\xB5");
    QByteArray expected("\xA4\x55\xA4\xC8 02:05:07\t-12.5\t600\t");
    for (int slot = 2; slot <= 9; ++slot)
        expected += noLink + '\t' + noLink + '\t';
    expected += noLink + "\t0.05\t\r\n";
    EXPECT_EQ(recordLine(QStringLiteral("下午 02:05:07"), readings), expected);
}

} // namespace
