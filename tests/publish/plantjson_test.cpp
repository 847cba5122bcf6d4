// What the page receives: the tile texts as they are, the output as the tile's bar
// stands, the alarm list newest first, and an hour of trend.

#include "plantjson.h"
#include "trendhistory.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

TEST(PlantJsonTest, OutputPercentFollowsTheTileBar)
{
    struct Case {
        const char *outText;
        int bar;
        const char *percent;
    } cases[] = {
        {"537", 537, "53.7"}, {"0", 0, "0.0"},     {"1000", 1000, "100.0"}, {"1200", 1000, "100.0"},
        {"-5", 0, "0.0"},     {"", 0, ""},         {"abc", 0, "0.0"},       {" 42 ", 42, "4.2"},
        {"99.9", 99, "9.9"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(outputBarPosition(QString::fromUtf8(c.outText)), c.bar) << c.outText;
        EXPECT_EQ(outputPercentText(QString::fromUtf8(c.outText)), QString::fromUtf8(c.percent)) << c.outText;
    }
}

TEST(PlantJsonTest, SlotsCarryTheTextsLampsAndLinkAsShown)
{
    PlantView view;
    view.windowTitle = QStringLiteral(" 溫度監控系統 Ver9.22 ");
    view.tileTitles[2][3] = QStringLiteral("爐 <b>3</b>");
    SlotSnapshot &slot = view.panels[2].slotSnapshots[3];
    slot.pvText = QStringLiteral("250.5");
    slot.svText = QStringLiteral("1.235E+4");
    slot.outText = QStringLiteral("537");
    slot.lamps = TileLamps::fromStatus(0x11);
    view.panels[2].slotSnapshots[4].linked = false;

    const QJsonObject json = plantViewJson(view, true);
    EXPECT_EQ(json["title"].toString(), view.windowTitle);
    EXPECT_TRUE(json["started"].toBool());
    const QJsonArray slotList = json["panels"].toArray()[1].toObject()["slots"].toArray();
    ASSERT_EQ(slotList.size(), 10);
    const QJsonObject third = slotList[2].toObject();
    EXPECT_EQ(third["title"].toString(), QStringLiteral("爐 <b>3</b>"));
    EXPECT_EQ(third["pv"].toString(), "250.5");
    EXPECT_EQ(third["sv"].toString(), "1.235E+4");
    EXPECT_EQ(third["out"].toString(), "53.7");
    EXPECT_EQ(third["bar"].toInt(), 537);
    EXPECT_EQ(QJsonDocument(third["lamps"].toArray()).toJson(QJsonDocument::Compact), "[true,false,false,true]");
    EXPECT_TRUE(third["linked"].toBool());
    EXPECT_FALSE(slotList[3].toObject()["linked"].toBool());
}

TEST(PlantJsonTest, AlarmLinesComeNewestFirst)
{
    const QJsonArray lines = alarmLinesJson({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")});
    EXPECT_EQ(QJsonDocument(lines).toJson(QJsonDocument::Compact), "[\"third\",\"second\",\"first\"]");
}

TEST(TrendHistoryTest, KeepsOneHourOfTheChosenPanel)
{
    TrendHistory trend;
    PlantView view;
    const qint64 t0 = 1'700'000'000'000;
    const int samples = 3700; // one a second: a little more than an hour
    for (int k = 0; k < samples; ++k) {
        view.panels[1].slotSnapshots[1].pv = 100.0 + k;
        view.panels[1].slotSnapshots[2].pv.reset();
        view.panels[3].slotSnapshots[10].pv = -k;
        trend.add(t0 + k * 1000LL, view);
    }
    EXPECT_EQ(trend.size(), 3601u) << "samples exactly an hour old stay, older ones go";

    const QJsonObject one = trend.panelJson(1);
    EXPECT_EQ(one["start"].toInteger(), t0 + 99 * 1000LL);
    const QJsonArray times = one["times"].toArray();
    ASSERT_EQ(times.size(), 3601);
    EXPECT_EQ(times.last().toInteger(), TrendHistory::kSpanMs);
    const QJsonArray slotList = one["slots"].toArray();
    ASSERT_EQ(slotList.size(), 10);
    EXPECT_EQ(slotList[0].toArray().last().toDouble(), 100.0 + samples - 1);
    EXPECT_TRUE(slotList[1].toArray().first().isNull()) << "a missing reading is a gap, not 0";
    EXPECT_EQ(trend.panelJson(3)["slots"].toArray()[9].toArray().first().toDouble(), -99.0);
    EXPECT_TRUE(trend.panelJson(4)["times"].toArray().isEmpty());
}

} // namespace
