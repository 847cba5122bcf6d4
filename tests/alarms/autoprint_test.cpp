// When the alarm list prints itself: strictly after the interval, across midnight,
// and never while the interval field holds no whole number or no unit is chosen.

#include "autoprint.h"

#include <gtest/gtest.h>

namespace {

TEST(AutoPrintSchedule, DueStrictlyAfterTheIntervalOnDateAndTime)
{
    const QDateTime t0(QDate(2024, 5, 31), QTime(23, 55, 0));
    struct Case {
        const char *name;
        const char *interval;
        int unit;
        QDateTime now;
        bool due;
    };
    const Case cases[] = {
        {"not yet", "10", AutoPrintSchedule::Minutes, t0.addSecs(599), false},
        {"exactly the interval", "10", AutoPrintSchedule::Minutes, t0.addSecs(600), false},
        {"past the interval, across midnight", "10", AutoPrintSchedule::Minutes, t0.addSecs(600).addMSecs(500), true},
        {"an hour unit", "1", AutoPrintSchedule::Hours, t0.addSecs(3600), false},
        {"an hour unit, passed", "1", AutoPrintSchedule::Hours, t0.addSecs(3601), true},
        {"days later", "2", AutoPrintSchedule::Hours, t0.addDays(3), true},
        {"no unit chosen", "1", -1, t0.addDays(3), false},
        {"empty field", "", AutoPrintSchedule::Minutes, t0.addDays(3), false},
        {"not a number", "abc", AutoPrintSchedule::Minutes, t0.addDays(3), false},
        {"a fraction", "1.5", AutoPrintSchedule::Minutes, t0.addDays(3), false},
        {"zero", "0", AutoPrintSchedule::Minutes, t0.addDays(3), false},
    };
    AutoPrintSchedule schedule;
    schedule.restart(t0);
    for (const Case &c : cases)
        EXPECT_EQ(schedule.due(c.now, QString::fromUtf8(c.interval), c.unit), c.due) << c.name;
}

TEST(AutoPrintSchedule, RestartCountsFromTheNewReference)
{
    AutoPrintSchedule schedule;
    const QDateTime t0(QDate(2024, 1, 1), QTime(8, 0));
    EXPECT_TRUE(schedule.due(t0, "1", AutoPrintSchedule::Minutes)) << "never started: the first tick prints";
    schedule.restart(t0);
    EXPECT_TRUE(schedule.due(t0.addSecs(61), "1", AutoPrintSchedule::Minutes));
    schedule.restart(t0.addSecs(61));
    EXPECT_FALSE(schedule.due(t0.addSecs(61), "1", AutoPrintSchedule::Minutes));
    EXPECT_FALSE(schedule.due(t0.addSecs(121), "1", AutoPrintSchedule::Minutes));
    EXPECT_TRUE(schedule.due(t0.addSecs(122), "1", AutoPrintSchedule::Minutes));
}

} // namespace
