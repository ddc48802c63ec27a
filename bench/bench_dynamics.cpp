// The dynamics: the linear analysis of a lag, the regime of one run, a scan of regimes over r and lag
// on one thread and on every core (and in slices, as a page's worker takes it), and the data of a
// bifurcation diagram; the continuous-time trajectory and its regime. Plain C++, no windows.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/ensemble_threads.h"
#include "model/continuous/continuous_regime.h"
#include "model/dynamics/dynamics_plan.h"
#include "model/dynamics/linear_stability.h"
#include "model/dynamics/parameter_scan.h"
#include "model/dynamics/run_regime.h"

#include <benchmark/benchmark.h>

using namespace tarnis;

namespace {

std::vector<double> steps(double from, double step, int count)
{
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = from + step * i;
    return values;
}

// Between r_m and r_c, where the dominant root is complex: the longest search.
void linearAnalysis(benchmark::State& state, double lag)
{
    const StabilityLimits limits = *stabilityLimits(lag);
    const double r = 0.5 * (limits.rMonotone + limits.rStable);
    for (auto _ : state) {
        auto response = linearResponse(r, lag);
        benchmark::DoNotOptimize(response);
    }
}

void regimeOfOneRun(benchmark::State& state, double r, double lag)
{
    RegimeWorkspace workspace;
    const RunParameters parameters{r, 500.0, 0, 1.0, lag};
    int steps = 0;
    for (auto _ : state) {
        auto report = runRegime(parameters, workspace);
        steps = report->steps;
        benchmark::DoNotOptimize(report);
    }
    state.counters["steps"] = steps;
}

// 400 values of r by 41 lags (0 to 20 in halves), the regime map of a whole window and more.
void scan(benchmark::State& state, double highestR)
{
    const ScanGrid grid{steps(highestR / 400, highestR / 400, 400), steps(0.0, 0.5, 41), 1.0, 500.0};
    ScanControl control;
    control.threads = unsigned(state.range(0));
    for (auto _ : state) {
        auto result = scanGrid(grid, control);
        benchmark::DoNotOptimize(result);
    }
    state.counters["cells"] = double(grid.cellCount());
}

// The map that the dynamics window draws: 200 values of r by 41 lags.
void windowMap(benchmark::State& state)
{
    const ScanGrid grid{steps(0.005, 0.005, 200), steps(0.0, 0.5, 41), 1.0, 500.0};
    for (auto _ : state) {
        auto result = scanGrid(grid);
        benchmark::DoNotOptimize(result);
    }
}

// The plan of a run's dynamics, as each new lag makes it: most of it the search for the r at which
// runs of the lags shown die out.
void plan(benchmark::State& state, double r, double lag)
{
    const RunParameters run{.r = r, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = lag};
    for (auto _ : state) {
        auto planned = planDynamics(run);
        benchmark::DoNotOptimize(planned.map.rates.data());
    }
}

// The map that a run's plan asks for, on every core: its r axis sets how many cells settle slowly.
void plannedMap(benchmark::State& state, double r, double lag)
{
    const ScanGrid grid = planDynamics({.r = r, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = lag}).map;
    for (auto _ : state) {
        auto result = scanGrid(grid);
        benchmark::DoNotOptimize(result);
    }
    state.counters["cells"] = double(grid.cellCount());
}

// The same map as a page's worker computes it: in slices of a row of cells, on one thread; what the
// WebAssembly module's benchmark (bench_module.mjs) measures against.
void windowMapInSlices(benchmark::State& state)
{
    const ScanGrid grid{steps(0.005, 0.005, 200), steps(0.0, 0.5, 41), 1.0, 500.0};
    RegimeWorkspace workspace;
    for (auto _ : state) {
        for (std::size_t first = 0; first < grid.cellCount(); first += grid.lags.size()) {
            auto slice = scanSlice(grid, first, grid.lags.size(), workspace);
            benchmark::DoNotOptimize(slice);
        }
    }
    state.counters["cells"] = double(grid.cellCount());
}

// 800 values of r over the logistic map's cascade, 1000 steps left out and 200 kept.
void bifurcation(benchmark::State& state)
{
    BifurcationRequest request;
    request.parameters = {0.0, 500.0, 0, 1.0, 0.0};
    request.values = steps(1.5, 1.5 / 800, 800);
    request.discard = 1000;
    request.keep = 200;
    ScanControl control;
    control.threads = unsigned(state.range(0));
    for (auto _ : state) {
        auto result = bifurcationData(request, control);
        benchmark::DoNotOptimize(result);
    }
}

// The continuous twin over 2000 time units, as a chart compares it with the run.
void continuousTrajectory(benchmark::State& state, double r, double lag)
{
    const RunParameters parameters{.r = r, .K = 500.0, .steps = 2000, .n0 = 1.0, .lag = lag};
    for (auto _ : state) {
        auto run = continuousRun(parameters);
        benchmark::DoNotOptimize(run.n.data());
    }
}

void continuousDynamics(benchmark::State& state, double r, double lag)
{
    const RunParameters parameters{.r = r, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = lag};
    for (auto _ : state) {
        auto report = continuousRegime(parameters);
        benchmark::DoNotOptimize(report);
    }
}

// 10 000 runs of 2000 steps that survive (N stays near K = 500), on every core.
void ensemble(benchmark::State& state, bool demographic, double sigma)
{
    EnsembleRequest request;
    request.parameters = {.r = 0.2, .K = 500.0, .steps = 2000, .n0 = 500.0, .lag = 3.0};
    request.noise = {demographic, sigma};
    request.runs = 10000;
    for (auto _ : state) {
        auto result = ensembleRuns(request, 1, request.runs);
        benchmark::DoNotOptimize(result.outcomes.data());
    }
}

} // namespace

BENCHMARK_CAPTURE(linearAnalysis, lag0, 0.0);
BENCHMARK_CAPTURE(linearAnalysis, lag7 .5, 7.5);
BENCHMARK_CAPTURE(linearAnalysis, lag100, 100.0);
BENCHMARK_CAPTURE(linearAnalysis, lag4999 .5, 4999.5);
BENCHMARK_CAPTURE(linearAnalysis, lag9999, 9999.0);
BENCHMARK_CAPTURE(regimeOfOneRun, chaotic_lag0, 2.7, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regimeOfOneRun, preset_lag8, 0.2, 8.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regimeOfOneRun, preset_lag5, 0.2, 5.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regimeOfOneRun, preset_lag3, 0.2, 3.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regimeOfOneRun, half_lag7 .5, 0.2, 7.5)->Unit(benchmark::kMillisecond);
// The longest lag, by whose steps a scan expects its time (scan_estimate.cpp).
BENCHMARK_CAPTURE(regimeOfOneRun, slow_lag9999, 0.0001, 9999.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scan, r_to_1, 1.0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(scan, r_to_2, 2.0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(plan, lag0, 2.7, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plan, lag8, 0.2, 8.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plan, lag20, 0.08, 20.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plan, lag400, 0.004, 400.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plannedMap, lag8, 0.2, 8.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(windowMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
// One map a repetition: bench_module.mjs runs it once a round beside the module's map.
BENCHMARK(windowMapInSlices)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(bifurcation)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(continuousTrajectory, lag5, 0.3, 5.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(continuousTrajectory, lag2 .7, 0.3, 2.7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(continuousDynamics, cycle_lag5, 0.4, 5.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(continuousDynamics, cycle_lag20, 0.1, 20.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ensemble, demographic, true, 0.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ensemble, environmental, false, 0.2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ensemble, both, true, 0.2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
