// The texts of an announced alarm byte for byte, the padded numbers of the count
// table, the slots each add choice covers and the limits an operator may type.

#include "alarmpoints.h"
#include "alarmtext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(AlarmText, PadGivesTwoCharactersBelowTen)
{
    const std::pair<int, const char *> cases[] = {{0, "00"}, {1, "01"}, {9, "09"}, {10, "10"}, {99, "99"}, {123, "123"}};
    for (const auto &[value, padded] : cases)
        EXPECT_EQ(pad(value), QString::fromUtf8(padded)) << value;
}

TEST(AlarmText, MessagesAndLinesByteForByte)
{
    struct Case {
        AlarmSide side;
        int panel;
        int slot;
        const char *time;
        const char *list;
        const char *window3;
    };
    const Case cases[] = {
        {AlarmSide::Low, 1, 3, "上午 09:05:07", "偏差低警報!   盤面:1,第3台-->偏差低警報!   時間:上午 09:05:07",
         "訊息3,盤面:1,第3台-->偏差低警報!   時間:上午 09:05:07"},
        {AlarmSide::High, 3, 10, "下午 02:05:07", "偏差高警報!   盤面:3,第10台-->偏差高警報!   時間:下午 02:05:07",
         "訊息3,盤面:3,第10台-->偏差高警報!   時間:下午 02:05:07"},
    };
    for (const Case &c : cases) {
        const QString message = alarmMessage(c.side, c.panel, c.slot, QString::fromUtf8(c.time));
        EXPECT_EQ(alarmListLine(c.side, message).toUtf8(), QByteArray(c.list));
        EXPECT_EQ(alarmWindowLine(3, message).toUtf8(), QByteArray(c.window3));
    }
    EXPECT_EQ(duplicateAlarmPointMessage("2", "07").toUtf8(), QByteArray("盤面:2,溫控點:07"));
}

TEST(AlarmPoints, EachAddChoiceCoversItsSlotsInStoringOrder)
{
    const auto one = alarmPointKeys(AddAlarmChoice::OneSlot, "3", "07");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Panel, "3");
    EXPECT_EQ(one[0].ControllerNO, "07");

    const auto panel = alarmPointKeys(AddAlarmChoice::OnePanel, "2", "07");
    ASSERT_EQ(panel.size(), 10u);
    EXPECT_EQ(panel.front().ControllerNO, "01");
    EXPECT_EQ(panel[8].ControllerNO, "09");
    EXPECT_EQ(panel.back().ControllerNO, "10");
    for (const AlarmPointKey &key : panel)
        EXPECT_EQ(key.Panel, "2");

    const auto all = alarmPointKeys(AddAlarmChoice::AllPanels, "2", "07");
    ASSERT_EQ(all.size(), 30u);
    EXPECT_EQ(all[0].Panel + "/" + all[0].ControllerNO, "1/01");
    EXPECT_EQ(all[9].Panel + "/" + all[9].ControllerNO, "1/10");
    EXPECT_EQ(all[10].Panel + "/" + all[10].ControllerNO, "2/01");
    EXPECT_EQ(all[29].Panel + "/" + all[29].ControllerNO, "3/10");
}

TEST(AlarmPoints, LimitsAreNumbersInTheLocalesNotation)
{
    struct Case {
        const char *text;
        char separator;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"10", '.', 10},      {" 2.5 ", '.', 2.5}, {"-3", '.', -3},     {"1e1", '.', 10},
        {"1,5", ',', 1.5},    {"1.5", ',', 1.5},   {"1,000", '.', {}},  {"", '.', {}},
        {"abc", '.', {}},     {"10度", '.', {}},   {"inf", '.', {}},    {"nan", '.', {}},
    };
    for (const Case &c : cases) {
        const std::optional<double> read = alarmLimitNumber(QString::fromUtf8(c.text), QLatin1Char(c.separator));
        EXPECT_EQ(read.has_value(), c.value.has_value()) << c.text;
        if (read && c.value) {
            EXPECT_DOUBLE_EQ(*read, *c.value) << c.text;
        }
    }
}

TEST(AlarmPoints, RowReadsBackAsTheEngineKeepsIt)
{
    const AlarmPointRow row{"2", "07", "10", "-2.5", "YES"};
    EXPECT_EQ(row.panel(), 2);
    EXPECT_EQ(row.slot(), 7);
    const AlarmLimits limits = row.limits();
    EXPECT_EQ(limits.HAlarm, "10");
    EXPECT_EQ(limits.LAlarm, "-2.5");
    EXPECT_TRUE(limits.FirstAlarm);
    EXPECT_FALSE((AlarmPointRow{"2", "07", "10", "10", "yes"}.limits().FirstAlarm)) << "only YES announces the first";
}

} // namespace
