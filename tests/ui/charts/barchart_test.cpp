// The bar page: ten bars per panel in their colours, following PvText of every panel
// on each display tick whatever page is in front, and the panel buttons.

#include "barchartpage.h"
#include "chartview.h"
#include "homefixture.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

const QColor kBarColours[] = {{255, 0, 0},   {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},
                              {128, 0, 128}, {0, 128, 128}, {255, 0, 255}, {0, 255, 255}, {192, 220, 192}};

TEST(BarChart, BarsAreMadeWithTheMainWindow)
{
    HomeFixture f;
    BarChartPage &page = *f.home().barChartPage();
    for (int panel = 1; panel <= 3; ++panel) {
        const ChartView &chart = *page.chart(panel);
        EXPECT_EQ(chart.title(), QStringLiteral("盤面%1-直條圖").arg(panel));
        ASSERT_EQ(chart.seriesCount(), 1);
        EXPECT_EQ(chart.seriesTitle(0), "PV");
        ASSERT_EQ(chart.pointCount(0), 10);
        for (int slot = 1; slot <= 10; ++slot) {
            EXPECT_EQ(chart.pointLabel(0, slot - 1), QStringLiteral("PV%1").arg(slot));
            EXPECT_EQ(chart.pointColour(0, slot - 1), kBarColours[slot - 1]) << slot;
            EXPECT_EQ(chart.pointY(0, slot - 1), 0);
            EXPECT_EQ(chart.pointMark(0, slot - 1), "0");
        }
    }
    // Panel 1's bars first, its button marked.
    EXPECT_EQ(page.shownPanel(), 1);
    EXPECT_TRUE(f.control<QAbstractButton>("BtnBar1")->font().bold());
    EXPECT_FALSE(f.control<QAbstractButton>("BtnBar1")->icon().isNull());
    EXPECT_TRUE(f.control<QAbstractButton>("BtnBar2")->icon().isNull());
}

TEST(BarChart, DisplayTickPutsEveryPanelsPvIntoItsBars)
{
    const struct {
        const char *name;
        int panel;
        int slot;
        const char *pv;
        double value;
        const char *mark;
    } cases[] = {
        {"panel 2 slot 7 as the operator reads it", 2, 7, "123.4", 123.4, "123.4"},
        {"panel 1 whole degrees", 1, 1, "250", 250, "250"},
        {"panel 3 below zero", 3, 10, "-12.75", -12.75, "-12.75"},
        {"a slot without link", 3, 4, "", 0, "0"},
        {"a large value in mantissa form", 1, 9, "1.235E+4", 12350, "12350"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HomeFixture f;
        f.home().show();
        // The trend page is in front; the bars follow regardless.
        f.home().ImgButton2Click();
        for (int panel = 1; panel <= 3; ++panel)
            for (int slot = 1; slot <= 10; ++slot)
                f.model.setReading(panel, slot, {QString::number(panel * 100 + slot), {}, {}});
        f.model.setReading(c.panel, c.slot, {QString::fromLatin1(c.pv), QStringLiteral("1.0"), {}});
        f.home().TmrHomeTimer();
        BarChartPage &page = *f.home().barChartPage();
        for (int panel = 1; panel <= 3; ++panel) {
            const ChartView &chart = *page.chart(panel);
            for (int slot = 1; slot <= 10; ++slot) {
                const bool changed = panel == c.panel && slot == c.slot;
                const double expected = changed ? c.value : panel * 100 + slot;
                EXPECT_DOUBLE_EQ(chart.pointY(0, slot - 1), expected) << panel << "/" << slot;
                EXPECT_EQ(chart.pointMark(0, slot - 1),
                          changed ? QString::fromLatin1(c.mark) : QString::number(panel * 100 + slot))
                    << panel << "/" << slot;
                EXPECT_EQ(chart.pointColour(0, slot - 1), kBarColours[slot - 1]);
                EXPECT_EQ(chart.pointLabel(0, slot - 1), QStringLiteral("PV%1").arg(slot));
            }
        }
    }
}

TEST(BarChart, PanelButtonsShowOneChartAndAllStayCurrent)
{
    HomeFixture f;
    f.home().show();
    f.home().ImgButton6Click();
    BarChartPage &page = *f.home().barChartPage();
    const char *buttons[] = {nullptr, "BtnBar1", "BtnBar2", "BtnBar3"};
    const char *pages[] = {nullptr, "BarPanel1", "BarPanel2", "BarPanel3"};
    int reading = 0;
    for (int chosen : {3, 1, 2}) {
        SCOPED_TRACE(chosen);
        f.control<QAbstractButton>(buttons[chosen])->click();
        EXPECT_EQ(page.shownPanel(), chosen);
        for (int panel = 1; panel <= 3; ++panel) {
            EXPECT_EQ(f.control(pages[panel])->isVisible(), panel == chosen);
            EXPECT_EQ(f.control<QAbstractButton>(buttons[panel])->font().bold(), panel == chosen);
            EXPECT_EQ(f.control<QAbstractButton>(buttons[panel])->icon().isNull(), panel != chosen);
        }
        ++reading;
        for (int panel = 1; panel <= 3; ++panel)
            f.model.setReading(panel, 5, {QString::number(reading * 10 + panel), {}, {}});
        f.home().TmrHomeTimer();
        for (int panel = 1; panel <= 3; ++panel)
            EXPECT_EQ(page.chart(panel)->pointY(0, 4), reading * 10 + panel) << panel;
    }
}

} // namespace
