#include "chartseriesstore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Shown {
    bool bars;
    bool visible;
    std::vector<double> values; // at x = 1, 2, ...
};

ChartSeriesStore storeOf(const std::vector<Shown> &series)
{
    ChartSeriesStore store;
    for (const Shown &shown : series) {
        ChartSeries s;
        s.bars = shown.bars;
        s.visible = shown.visible;
        const int n = store.add(s);
        for (size_t i = 0; i < shown.values.size(); ++i)
            store.append(n, {double(i + 1), shown.values[i], QString::number(i + 1)});
    }
    return store;
}

struct RangeCase {
    const char *name;
    std::vector<Shown> series;
    AxisRange left;
    AxisRange horizontal;
};

} // namespace

TEST(ChartSeriesStore, AxesTakeTheirRangesFromTheShownSeries)
{
    const RangeCase cases[] = {
        {"nothing yet: the first automatic range", {}, {0, 100}, {0, 1}},
        {"one line", {{false, true, {20, 25, 22}}}, {20, 25}, {1, 3}},
        {"a flat line gets a unit either side", {{false, true, {30, 30}}}, {29, 31}, {1, 2}},
        {"a single point is widened on both axes", {{false, true, {30}}}, {29, 31}, {0, 2}},
        {"a hidden series counts for nothing", {{false, true, {20, 25}}, {false, false, {-500, 900}}}, {20, 25}, {1, 2}},
        // Bars stand on zero and leave 12 % above the highest for the value marks.
        {"bars", {{true, true, {50, 100}}}, {0, 112}, {0.5, 2.5}},
        {"negative bars reach below zero", {{true, true, {-50, 50}}}, {-50, 62}, {0.5, 2.5}},
    };
    for (const RangeCase &c : cases) {
        const ChartSeriesStore store = storeOf(c.series);
        const AxisRange left = store.automaticRange();
        const AxisRange horizontal = store.horizontalRange();
        EXPECT_DOUBLE_EQ(left.min, c.left.min) << c.name;
        EXPECT_DOUBLE_EQ(left.max, c.left.max) << c.name;
        EXPECT_DOUBLE_EQ(horizontal.min, c.horizontal.min) << c.name;
        EXPECT_DOUBLE_EQ(horizontal.max, c.horizontal.max) << c.name;
    }
}

TEST(ChartSeriesStore, HidingEverythingKeepsTheLastAutomaticRange)
{
    ChartSeriesStore store = storeOf({{false, true, {40, 60}}});
    EXPECT_DOUBLE_EQ(store.automaticRange().max, 60);
    store.at(0).visible = false;
    // The axis does not jump back to 0..100 while the operator switches lines.
    EXPECT_DOUBLE_EQ(store.automaticRange().min, 40);
    EXPECT_DOUBLE_EQ(store.automaticRange().max, 60);
}

TEST(ChartSeriesStore, LatePointTakesItsPlaceAndLabelsFollowTheirPoints)
{
    ChartSeriesStore store;
    const int s = store.add({});
    store.append(s, {1, 10, QStringLiteral("a")});
    store.append(s, {3, 30, QStringLiteral("c")});
    EXPECT_EQ(store.append(s, {2, 20, QStringLiteral("b")}), 1);
    EXPECT_EQ(store.labelAt(2), QStringLiteral("b"));
    EXPECT_EQ(store.labelAt(3), QStringLiteral("c"));
    EXPECT_EQ(store.indexOf(s, 2.5), -1);
    EXPECT_EQ(store.labelAt(2.5), QString());
    store.at(s).points.pop_front();
    // X values are never renumbered: the point at 2 keeps its label.
    EXPECT_EQ(store.labelAt(2), QStringLiteral("b"));
    EXPECT_EQ(store.labelAt(1), QString());
}
