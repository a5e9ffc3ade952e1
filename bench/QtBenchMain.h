// The main function of a benchmark of windows or painting: offscreen, no high-DPI scaling,
// the repository's pinned fonts (ROVE_FONTS_CONF, defined by the bench target).
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <functional>

#include "platform/ui/Forms.h"

// Makes the application, runs the benchmarks named on the command line, then Teardown
// (windows a benchmark keeps go before the application does).
inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& Teardown = {}) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    if (!std::getenv("FONTCONFIG_FILE")) setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 1);
    QApplication app(argc, argv);
    Application->Initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (Teardown) Teardown();
    return 0;
}
