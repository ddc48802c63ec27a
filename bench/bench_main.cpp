// The benchmarks of Tarnis, offscreen: scripts/bench runs them and prints one table.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/test_main.h"

#include <benchmark/benchmark.h>

void registerChartBenchmarks();

int main(int argc, char** argv)
{
    tarnis::test::prepareTestEnvironment();
    qInstallMessageHandler(tarnis::test::quietOffscreenWarnings);
    QApplication application(argc, argv);
    tarnis::prepareApplication();
    registerChartBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
