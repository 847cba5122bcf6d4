#pragma once

// The entry of the window benchmarks: a QApplication (offscreen when there is no
// display) around Google Benchmark's own run.

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <functional>

inline int runWindowBenchmarks(int argc, char **argv, const std::function<void()> &prepare = {})
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
