// Chart figures. Run: build/bin/bench_charts (offscreen unless a display is set).
//   BM_TrendTickFull          one TmrChart tick with all three trend charts at the
//                             largest window (20 x 3601 points each), points only
//   BM_TrendTickFullRedrawn   the same tick and the redraw of the chart in front;
//                             /0 readings as processes give them, /1 every PV
//                             jumping from sample to sample (the worst to draw)
//   BM_TrendChartsMemory      memory the three full charts take: heap bytes in use
//                             (counter heapMB) and resident growth (counter rssMB)
//   BM_BarPageRefresh         the bar page's part of a display tick alone: thirty
//                             bars set from the readings
//   BM_BarRefresh             one display tick with the bar page in front and every
//                             panel's readings changing, bars updated
//   BM_BarRefreshRedrawn      the same tick and the redraw of the bar chart in front

#include "barchartpage.h"
#include "chartview.h"
#include "homefixture.h"
#include "programfonts.h"
#include "qtbenchmain.h"
#include "tfmbarpage.h"
#include "trendpage.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cmath>

#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kLargestLimit = 3600;

// Readings as controlled processes give them: PV wandering slowly around SV with a
// little jitter. `noisy` makes every PV jump by up to 17 degrees from one sample to
// the next instead, the worst a line can be to draw.
void fillReadings(PlantModel &model, int round, bool noisy = false)
{
    for (int panel = 1; panel <= 3; ++panel) {
        for (int slot = 1; slot <= 10; ++slot) {
            const double sv = 100 + slot * 20;
            const double pv = noisy ? sv + (round * (slot + panel)) % 17
                                    : sv + 8 * std::sin((round + 37 * slot) / 60.0) + 0.1 * ((round * slot) % 3);
            model.setReading(panel, slot, {QString::number(pv, 'f', 1), QString::number(sv, 'f', 1),
                                           QStringLiteral("50")});
        }
    }
}

// The main window with the trend page in front, sampling allowed, every chart
// holding the largest window with all twenty lines shown.
struct FullTrends {
    FullTrends()
    {
        f.home().show();
        f.home().ImgButton2Click();
        emit f.home().windows().barPage->scanWindowClosed();
        exposed = QTest::qWaitForWindowExposed(&f.home());
        for (int panel = 1; panel <= 3; ++panel) {
            page().setPointLimit(panel, kLargestLimit);
            for (int series = 0; series < 20; ++series)
                page().chart(panel)->setSeriesVisible(series, true);
        }
    }
    TrendPage &page() { return *f.home().trendPage(); }
    void fill(bool noisy = false)
    {
        for (int i = 0; i <= kLargestLimit; ++i) {
            fillReadings(f.model, ++round, noisy);
            page().TmrChartTimer();
        }
        QCoreApplication::processEvents();
    }
    HomeFixture f;
    bool exposed = false;
    int round = 0;
};

void trendTick(benchmark::State &state, bool redrawn)
{
    const bool noisy = state.range(0) != 0;
    FullTrends trends;
    if (!trends.exposed)
        state.SkipWithError("main window was not exposed");
    trends.fill(noisy);
    for (auto _ : state) {
        state.PauseTiming();
        fillReadings(trends.f.model, ++trends.round, noisy);
        state.ResumeTiming();
        trends.page().TmrChartTimer();
        if (redrawn)
            QCoreApplication::processEvents();
    }
    ChartView &front = *trends.page().chart(1);
    if (front.pointCount(0) != kLargestLimit + 1)
        state.SkipWithError("the window did not stay at its largest size");
}

void BM_TrendTickFull(benchmark::State &state) { trendTick(state, false); }
BENCHMARK(BM_TrendTickFull)->Arg(0)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TrendTickFullRedrawn(benchmark::State &state) { trendTick(state, true); }
BENCHMARK(BM_TrendTickFullRedrawn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

double heapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

void BM_TrendChartsMemory(benchmark::State &state)
{
    for (auto _ : state) {
        FullTrends trends;
        QCoreApplication::processEvents();
        const double heapBefore = heapMegabytes();
        const double residentBefore = residentMegabytes();
        trends.fill();
        state.counters["heapMB"] = heapMegabytes() - heapBefore;
        state.counters["rssMB"] = residentMegabytes() - residentBefore;
    }
}
BENCHMARK(BM_TrendChartsMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void barRefresh(benchmark::State &state, bool redrawn)
{
    HomeFixture f;
    f.home().show();
    f.home().ImgButton6Click();
    if (!QTest::qWaitForWindowExposed(&f.home()))
        state.SkipWithError("main window was not exposed");
    QCoreApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillReadings(f.model, ++round, true);
        state.ResumeTiming();
        f.home().TmrHomeTimer();
        if (redrawn)
            QCoreApplication::processEvents();
    }
}

void BM_BarPageRefresh(benchmark::State &state)
{
    HomeFixture f;
    f.home().show();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillReadings(f.model, ++round, true);
        state.ResumeTiming();
        // As the display tick does: one snapshot per panel, then the bars.
        std::array<ReadingsSnapshot, kPanelCount + 1> readings;
        for (int panel = 1; panel <= kPanelCount; ++panel)
            readings[panel] = f.model.readingsSnapshot(panel);
        f.home().barChartPage()->refresh(readings);
    }
}
BENCHMARK(BM_BarPageRefresh)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_BarRefresh(benchmark::State &state) { barRefresh(state, false); }
BENCHMARK(BM_BarRefresh)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_BarRefreshRedrawn(benchmark::State &state) { barRefresh(state, true); }
BENCHMARK(BM_BarRefreshRedrawn)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv, installProgramFonts);
}
