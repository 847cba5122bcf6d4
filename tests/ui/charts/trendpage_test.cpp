// The trend page: the sliding window kept by sample number, the buttons that start,
// stop and clear sampling, the wait for the first scan, the panel pages and printing
// the chart in front.

#include "chartview.h"
#include "homefixture.h"
#include "tfmbarpage.h"
#include "trendpage.h"
#include "trendsampling.h"

#include <QAbstractButton>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

// PV and SV texts a slot reads until a step takes its link away.
QString pvText(int slot) { return QStringLiteral("%1.5").arg(100 + slot); }
QString svText(int slot) { return QStringLiteral("%1.0").arg(200 + slot); }

class TrendFixture : public HomeFixture {
public:
    TrendFixture()
    {
        clock.at = QDateTime(QDate(2024, 3, 1), QTime(14, 5, 0));
        for (int panel = 1; panel <= 3; ++panel)
            for (int slot = 1; slot <= 10; ++slot)
                link(panel, slot);
        home().show();
    }
    TrendPage &page() { return *home().trendPage(); }
    ChartView &chart(int panel) { return *page().chart(panel); }
    QAbstractButton *button(const char *name) { return control<QAbstractButton>(name); }
    void scanOver() { emit home().windows().barPage->scanWindowClosed(); }
    void link(int panel, int slot) { model.setReading(panel, slot, {pvText(slot), svText(slot), QStringLiteral("0")}); }
    void unlink(int panel, int slot) { model.setReading(panel, slot, {}); }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            clock.at = clock.at.addSecs(1);
            page().TmrChartTimer();
        }
    }
    void setLimit(int limit)
    {
        for (int panel = 1; panel <= 3; ++panel)
            page().setPointLimit(panel, limit);
    }
};

// Every series of every chart holds the points X = first .. last, `count` of them
// (0: empty).
void expectWindow(TrendFixture &f, int first, int last, int count, const std::string &where)
{
    for (int panel = 1; panel <= 3; ++panel) {
        for (int series = 0; series < kTrendSeriesCount; ++series) {
            const ChartView &chart = f.chart(panel);
            SCOPED_TRACE(where + " panel " + std::to_string(panel) + " series " + std::to_string(series));
            ASSERT_EQ(chart.pointCount(series), count);
            if (count == 0) {
                EXPECT_EQ(chart.largestX(series), 0);
                continue;
            }
            EXPECT_EQ(chart.pointX(series, 0), first);
            EXPECT_EQ(chart.largestX(series), last);
            for (int i = 1; i < count; ++i)
                ASSERT_EQ(chart.pointX(series, i), chart.pointX(series, i - 1) + 1) << "X values renumbered";
        }
    }
}

enum class Op { Limit, Ticks, Start, Stop, Clear, Unlink, Relink, HideSv, ShowSv, Expect, LastValues, Running };

struct Step {
    Op op;
    int a = 0; // Limit: limit; Ticks: count; Unlink/Relink/LastValues: slot; Expect: first X; Running: 0/1
    int b = 0; // Expect: last X; LastValues: PV
    int c = 0; // Expect: point count; LastValues: SV
};

struct WindowCase {
    const char *name;
    std::vector<Step> steps;
};

const WindowCase kWindowCases[] = {
    {"limit 3 on a cleared chart",
     {{Op::Limit, 3}, {Op::Ticks, 4}, {Op::Expect, 1, 4, 4}, {Op::Ticks, 1}, {Op::Expect, 2, 5, 4}}},
    {"limit lowered under 1001 points, then cleared",
     {{Op::Limit, 1000}, {Op::Ticks, 1001}, {Op::Expect, 1, 1001, 1001}, {Op::Limit, 100}, {Op::Ticks, 1},
      {Op::Expect, 2, 1002, 1001}, {Op::Ticks, 5}, {Op::Expect, 7, 1007, 1001}, {Op::Clear},
      {Op::Expect, 0, 0, 0}, {Op::Ticks, 101}, {Op::Expect, 1, 101, 101}, {Op::Ticks, 3},
      {Op::Expect, 4, 104, 101}}},
    {"limit raised to below the sample number",
     {{Op::Limit, 3}, {Op::Ticks, 10}, {Op::Expect, 7, 10, 4}, {Op::Limit, 8}, {Op::Ticks, 2},
      {Op::Expect, 9, 12, 4}}},
    {"limit raised to above the sample number",
     {{Op::Limit, 3}, {Op::Ticks, 10}, {Op::Expect, 7, 10, 4}, {Op::Limit, 20}, {Op::Ticks, 5},
      {Op::Expect, 7, 15, 9}, {Op::Ticks, 6}, {Op::Expect, 7, 21, 15}, {Op::Ticks, 1}, {Op::Expect, 8, 22, 15}}},
    {"stop, then start again from X = 1",
     {{Op::Limit, 1000}, {Op::Start}, {Op::Running, 1}, {Op::Ticks, 5}, {Op::Stop}, {Op::Running, 0},
      {Op::Expect, 0, 0, 0}, {Op::Start}, {Op::Ticks, 2}, {Op::Expect, 1, 2, 2}}},
    {"cleared while running",
     {{Op::Limit, 1000}, {Op::Start}, {Op::Ticks, 5}, {Op::Clear}, {Op::Running, 1}, {Op::Expect, 0, 0, 0},
      {Op::Ticks, 1}, {Op::Expect, 1, 1, 1}}},
    {"a slot losing its link draws 0 and comes back",
     {{Op::Limit, 1000}, {Op::Ticks, 1}, {Op::LastValues, 3, 103, 203}, {Op::Unlink, 3}, {Op::Ticks, 1},
      {Op::LastValues, 3, 0, 0}, {Op::LastValues, 4, 104, 204}, {Op::Relink, 3}, {Op::Ticks, 1},
      {Op::LastValues, 3, 103, 203}, {Op::Expect, 1, 3, 3}}},
    {"hidden SV series are still sampled",
     {{Op::Limit, 4}, {Op::HideSv}, {Op::Ticks, 8}, {Op::ShowSv}, {Op::Expect, 4, 8, 5}}},
};

TEST(TrendPage, SlidingWindowFollowsTheSampleNumber)
{
    for (const WindowCase &c : kWindowCases) {
        SCOPED_TRACE(c.name);
        TrendFixture f;
        f.scanOver();
        int stepNumber = 0;
        for (const Step &step : c.steps) {
            const std::string where = "step " + std::to_string(++stepNumber);
            switch (step.op) {
            case Op::Limit: f.setLimit(step.a); break;
            case Op::Ticks: f.ticks(step.a); break;
            case Op::Start: f.button("BtnChtStart")->click(); break;
            case Op::Stop: f.button("BtnChtStop")->click(); break;
            case Op::Clear: f.button("BtnChtClear")->click(); break;
            case Op::Unlink: f.unlink(2, step.a); break;
            case Op::Relink: f.link(2, step.a); break;
            case Op::HideSv:
            case Op::ShowSv:
                for (int slot = 1; slot <= 10; ++slot)
                    f.chart(2).setSeriesVisible(svSeries(slot), step.op == Op::ShowSv);
                break;
            case Op::Expect: expectWindow(f, step.a, step.b, step.c, where); break;
            case Op::LastValues: {
                const ChartView &chart = f.chart(2);
                const int pv = pvSeries(step.a);
                const int sv = svSeries(step.a);
                EXPECT_DOUBLE_EQ(chart.pointY(pv, chart.pointCount(pv) - 1), step.b == 0 ? 0 : step.b + 0.5) << where;
                EXPECT_DOUBLE_EQ(chart.pointY(sv, chart.pointCount(sv) - 1), step.c) << where;
                // The same slot of the other panels kept its link.
                EXPECT_DOUBLE_EQ(f.chart(1).pointY(pv, f.chart(1).pointCount(pv) - 1), 100 + step.a + 0.5) << where;
                break;
            }
            case Op::Running: EXPECT_EQ(f.home().TmrChart()->isActive(), step.a != 0) << where; break;
            }
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}

TEST(TrendPage, PointsCarryTheSampleTimeAndTheSeriesColour)
{
    TrendFixture f;
    f.scanOver();
    f.setLimit(1000);
    f.ticks(2);
    const QString second = f.locale.longTime(f.clock.at.time());
    EXPECT_EQ(second, QStringLiteral("下午 02:05:02"));
    for (int panel = 1; panel <= 3; ++panel) {
        const ChartView &chart = f.chart(panel);
        EXPECT_EQ(chart.title(), QStringLiteral("盤面%1-曲線圖").arg(panel));
        ASSERT_EQ(chart.seriesCount(), 20);
        for (int series = 0; series < 20; ++series) {
            EXPECT_EQ(chart.pointLabel(series, 0), QStringLiteral("下午 02:05:01"));
            EXPECT_EQ(chart.pointLabel(series, 1), second);
            EXPECT_EQ(chart.pointColour(series, 1), chart.seriesColour(series));
        }
    }
    // The horizontal axes name the samples by their times.
    f.home().ImgButton2Click();
    f.chart(1).redraw();
    const QStringList labels = f.chart(1).horizontalLabels();
    ASSERT_FALSE(labels.isEmpty());
    for (const QString &label : labels)
        EXPECT_TRUE(label == QStringLiteral("下午 02:05:01") || label == second) << label.toStdString();
}

TEST(TrendPage, SeriesStandInSlotOrderPvSolidSvDashDotDot)
{
    const QColor colours[] = {{255, 0, 0},     {0, 128, 0},   {128, 255, 0}, {0, 255, 255}, {0, 128, 192},
                              {128, 128, 192}, {255, 0, 255}, {128, 64, 64}, {255, 128, 64}, {0, 128, 128}};
    TrendFixture f;
    for (int panel = 1; panel <= 3; ++panel) {
        const ChartView &chart = f.chart(panel);
        for (int slot = 1; slot <= 10; ++slot) {
            const QString number = QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0'));
            EXPECT_EQ(chart.seriesTitle(2 * (slot - 1)), "PV" + number);
            EXPECT_EQ(chart.seriesTitle(2 * (slot - 1) + 1), "SV" + number);
            EXPECT_EQ(chart.seriesColour(pvSeries(slot)), colours[slot - 1]) << slot;
            EXPECT_EQ(chart.seriesColour(svSeries(slot)), colours[slot - 1]) << slot;
            EXPECT_EQ(chart.seriesPenStyle(pvSeries(slot)), Qt::SolidLine);
            EXPECT_EQ(chart.seriesPenStyle(svSeries(slot)), Qt::DashDotDotLine);
        }
    }
}

TEST(TrendPage, SamplesOnlyOnceTheFirstScanIsOver)
{
    TrendFixture f;
    f.setLimit(1000);
    QTimer *timer = f.home().TmrChart();
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(f.button("BtnChtStop")->font().bold());
    EXPECT_FALSE(f.button("BtnChtStart")->font().bold());

    timer->setInterval(5);
    f.button("BtnChtStart")->click();
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(f.button("BtnChtStart")->font().bold());
    EXPECT_FALSE(f.button("BtnChtStop")->font().bold());
    // The timer runs, but nothing is drawn before the scan window has closed.
    QSignalSpy ticked(timer, &QTimer::timeout);
    ASSERT_TRUE(waitUntil([&] { return ticked.count() >= 3; }));
    EXPECT_EQ(f.chart(1).pointCount(0), 0);

    f.scanOver();
    ASSERT_TRUE(waitUntil([&] { return f.chart(3).pointCount(19) >= 2; }));
    f.button("BtnChtStop")->click();
    EXPECT_FALSE(timer->isActive());
}

TEST(TrendPage, PanelButtonsBringOneChartToTheFront)
{
    TrendFixture f;
    f.home().ImgButton2Click();
    // At first all three pages are shown, panel 1's on top, and it is the one printed.
    for (const char *name : {"PnlChartA", "PnlChartB", "PnlChartC"})
        EXPECT_TRUE(f.control(name)->isVisible()) << name;
    EXPECT_EQ(f.page().chartToPrint(), &f.chart(1));
    EXPECT_TRUE(f.button("BtnChartA")->font().bold());
    EXPECT_FALSE(f.button("BtnChartA")->icon().isNull());

    const struct {
        const char *button;
        int panel;
    } presses[] = {{"BtnChartB", 2}, {"BtnChartC", 3}, {"BtnChartA", 1}};
    const char *buttons[] = {nullptr, "BtnChartA", "BtnChartB", "BtnChartC"};
    const char *pages[] = {nullptr, "PnlChartA", "PnlChartB", "PnlChartC"};
    for (const auto &press : presses) {
        SCOPED_TRACE(press.button);
        f.button(press.button)->click();
        for (int panel = 1; panel <= 3; ++panel) {
            const bool chosen = panel == press.panel;
            EXPECT_EQ(f.control(pages[panel])->isVisible(), chosen) << panel;
            EXPECT_EQ(f.button(buttons[panel])->font().bold(), chosen) << panel;
            EXPECT_EQ(f.button(buttons[panel])->icon().isNull(), !chosen) << panel;
            EXPECT_EQ(f.chart(panel).isInFront(), chosen) << panel;
        }
        EXPECT_EQ(f.page().chartToPrint(), &f.chart(press.panel));
    }
}

TEST(TrendPage, SettingButtonOpensTheChartDialogOverTheMainWindow)
{
    TrendFixture f;
    f.home().ImgButton2Click();
    f.button("BtnChartSetting")->click();
    QWidget *dialog = f.window("FmChartSetting");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    // Over the main window, not wherever the system puts a new window.
    const QPoint offset = dialog->geometry().center() - f.home().frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

// Pages of a PDF written by Qt, and whether the first one lies wide.
struct PdfPages {
    int count = 0;
    bool landscape = false;
};

PdfPages pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString pdf = QString::fromLatin1(file.readAll());
    PdfPages pages;
    pages.count = int(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)")).match(pdf);
    pages.landscape = box.hasMatch() && box.captured(1).toDouble() > box.captured(2).toDouble();
    return pages;
}

TEST(TrendPage, PrintsTheChartInFrontOnOneLandscapePage)
{
    TrendFixture f;
    f.scanOver();
    f.setLimit(1000);
    f.ticks(30);
    f.home().ImgButton2Click();
    f.button("BtnChartB")->click();
    const QString pdf = f.printer.outputFileName();
    ASSERT_EQ(f.printer.pageLayout().orientation(), QPageLayout::Portrait);

    f.printDialogs.accept = false;
    f.button("BtnChartPrint")->click();
    EXPECT_EQ(f.printDialogs.shown, 1);
    EXPECT_FALSE(QFile::exists(pdf)) << "a cancelled dialog prints nothing";

    f.printDialogs.accept = true;
    f.button("BtnChartPrint")->click();
    EXPECT_EQ(f.printDialogs.shown, 2);
    const PdfPages pages = pdfPages(pdf);
    EXPECT_EQ(pages.count, 1);
    EXPECT_TRUE(pages.landscape);
    // The printer is left as the operator had it.
    EXPECT_EQ(f.printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST(TrendPage, PrinterThatCannotBeOpenedIsTold)
{
    TrendFixture f;
    f.home().ImgButton2Click();
    f.printer.setOutputFileName(f.programFolder.filePath(QStringLiteral("no such folder/printed.pdf")));
    f.button("BtnChartPrint")->click();
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown[0].caption, QStringLiteral("錯誤"));
    EXPECT_EQ(f.printer.pageLayout().orientation(), QPageLayout::Portrait);
}

} // namespace
