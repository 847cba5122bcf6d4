// Main-window figures. Run: build/bin/bench_ui (offscreen unless a display is set).
//   BM_DisplayTick          one 500 ms display tick with all ten tiles changing
//   BM_DisplayTickPainted   the same tick plus the repaint it causes
//   BM_StartupToShown       the seventeen windows created, settings loaded and the
//                           main window shown and exposed

#include "homefixture.h"
#include "qtbenchmain.h"
#include "tcontroller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void fillReadings(PlantModel &model, int round)
{
    for (int slot = 1; slot <= 10; ++slot) {
        const int pv = 200 + slot * 10 + round % 7;
        model.setReading(1, slot, {QStringLiteral("%1.%2").arg(pv).arg(round % 10), QString::number(250 + slot),
                                   QString::number((round * 37 + slot * 53) % 1001)});
    }
}

void BM_DisplayTick(benchmark::State &state)
{
    HomeFixture f;
    f.home().show();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillReadings(f.model, ++round);
        state.ResumeTiming();
        f.home().TmrHomeTimer();
    }
}
BENCHMARK(BM_DisplayTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DisplayTickPainted(benchmark::State &state)
{
    HomeFixture f;
    f.home().show();
    if (!QTest::qWaitForWindowExposed(&f.home()))
        state.SkipWithError("main window was not exposed");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillReadings(f.model, ++round);
        state.ResumeTiming();
        f.home().TmrHomeTimer();
        f.home().repaint();
    }
}
BENCHMARK(BM_DisplayTickPainted)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_StartupToShown(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto f = std::make_unique<HomeFixture>();
        f->home().show();
        const bool exposed = QTest::qWaitForWindowExposed(&f->home());
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (!exposed)
            state.SkipWithError("main window was not exposed");
        f.reset();
    }
}
BENCHMARK(BM_StartupToShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
