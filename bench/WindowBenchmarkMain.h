#pragma once

// The main() of a benchmark that opens windows: offscreen unless a display is asked for.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

/// Runs the registered benchmarks inside a QApplication, after `prepare` (untimed set-up).
inline int runWindowBenchmarks(int argc, char **argv, const std::function<void()> &prepare = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (prepare)
        prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
