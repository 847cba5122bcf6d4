#include "chartview.h"

#include <gtest/gtest.h>

TEST(ChartView, LinePointsKeepTheirXAndLabelsWhateverOrderTheyCameIn)
{
    ChartView chart;
    const int line = chart.addLineSeries(QStringLiteral("溫控點 01"), Qt::red, Qt::SolidLine);
    chart.appendPoint(line, 1, 20, QStringLiteral("08:00:01"));
    chart.appendPoint(line, 3, 22, QStringLiteral("08:00:03"));
    chart.appendPoint(line, 2, 21, QStringLiteral("08:00:02")); // late
    ASSERT_EQ(chart.pointCount(line), 3);
    EXPECT_EQ(chart.pointLabel(line, 1), QStringLiteral("08:00:02"));
    EXPECT_EQ(chart.pointY(line, 1), 21);

    chart.deleteFirstPoint(line);
    // The sliding window drops the oldest point; the others keep their X values.
    EXPECT_EQ(chart.pointX(line, 0), 2);
    EXPECT_EQ(chart.pointLabel(line, 0), QStringLiteral("08:00:02"));
    EXPECT_EQ(chart.largestX(line), 3);
    EXPECT_EQ(chart.pointColour(line, 0), QColor(Qt::red));
}

TEST(ChartView, BarsHaveTheirOwnColoursAndValueMarks)
{
    ChartView chart;
    const int marked = chart.addBarSeries(QStringLiteral("PV"), true);
    const int plain = chart.addBarSeries(QStringLiteral("SV"), false);
    chart.appendPoint(marked, 1, 12.5, QStringLiteral("1"), Qt::blue);
    chart.appendPoint(marked, 2, -3, QStringLiteral("2"));
    chart.appendPoint(plain, 1, 40, QStringLiteral("1"));
    EXPECT_EQ(chart.pointColour(marked, 0), QColor(Qt::blue));
    EXPECT_EQ(chart.pointColour(marked, 1), chart.seriesColour(marked)); // none given: the series'
    EXPECT_EQ(chart.pointMark(marked, 0), QStringLiteral("12.5"));
    EXPECT_EQ(chart.pointMark(marked, 1), QStringLiteral("-3"));
    EXPECT_EQ(chart.pointMark(plain, 0), QString());

    chart.setPointValue(marked, 0, 7.25);
    EXPECT_EQ(chart.pointY(marked, 0), 7.25);
    EXPECT_EQ(chart.pointMark(marked, 0), QStringLiteral("7.25"));
    chart.clearSeries(marked);
    EXPECT_EQ(chart.pointCount(marked), 0);
    EXPECT_EQ(chart.pointCount(plain), 1);
}

TEST(ChartView, LeftAxisFollowsTheShownSeriesUnlessFixed)
{
    ChartView chart;
    const int a = chart.addLineSeries(QStringLiteral("A"), Qt::red, Qt::SolidLine);
    const int b = chart.addLineSeries(QStringLiteral("B"), Qt::blue, Qt::DashLine);
    chart.appendPoint(a, 1, 20, QStringLiteral("1"));
    chart.appendPoint(a, 2, 30, QStringLiteral("2"));
    chart.appendPoint(b, 1, 500, QStringLiteral("1"));
    EXPECT_EQ(chart.leftAxisRange().max, 500);

    chart.setSeriesVisible(b, false);
    chart.appendPoint(b, 2, 900, QStringLiteral("2")); // a hidden series goes on receiving points
    EXPECT_EQ(chart.pointCount(b), 2);
    EXPECT_EQ(chart.leftAxisRange().min, 20);
    EXPECT_EQ(chart.leftAxisRange().max, 30);

    chart.setLeftAxisFixed(0, 100);
    chart.setLeftAxisFixed(50, 50); // refused: the last good range stands
    EXPECT_FALSE(chart.leftAxisAutomatic());
    EXPECT_EQ(chart.leftAxisRange().min, 0);
    EXPECT_EQ(chart.leftAxisRange().max, 100);
    chart.setLeftAxisAutomatic();
    EXPECT_EQ(chart.leftAxisRange().max, 30);
}

TEST(ChartView, HorizontalAxisIsLabelledWithThePointsLabels)
{
    ChartView chart;
    chart.resize(600, 300);
    chart.setLabelCount(0); // every point
    const int line = chart.addLineSeries(QStringLiteral("A"), Qt::red, Qt::SolidLine);
    for (int x = 1; x <= 4; ++x)
        chart.appendPoint(line, x, x * 10, QStringLiteral("08:00:0%1").arg(x));
    chart.redraw();
    EXPECT_EQ(chart.horizontalLabels(),
              QStringList({"08:00:01", "08:00:02", "08:00:03", "08:00:04"}));
}
