#pragma once
// What every benchmark program does: start the application as the program starts, run the
// benchmarks the command line names, and then, where given, time LibreOffice at the same work
// as a reference.
#include "shell/memorypolicy.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

inline int runBenchmarks(int argc, char** argv, const std::function<void()>& reference = {})
{
    MemoryPolicy::apply();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (reference)
        reference();
    return 0;
}
