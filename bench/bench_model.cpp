// The model run alone, and the text of the saved file of the longest run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/chart_data_sets.h"
#include "model/run/graphic_data.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace tarnis;
using namespace tarnis::bench;

namespace {

void modelRun(benchmark::State& state, DataSet set)
{
    auto store = std::make_unique<ResultStore>();
    const RunParameters parameters = parametersFor(set, int(state.range(0)));
    for (auto _ : state) {
        runModel(*store, parameters);
        benchmark::DoNotOptimize(store->PopN.data());
        benchmark::ClobberMemory();
    }
}

void graphicDataFile(benchmark::State& state)
{
    auto store = std::make_unique<ResultStore>();
    runModel(*store, parametersFor(DataSet::Defaults, 9999));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = graphicDataText(*store);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = double(bytes);
}

} // namespace

BENCHMARK_CAPTURE(modelRun, defaults, DataSet::Defaults)->Arg(200)->Arg(2000)->Arg(9999);
BENCHMARK_CAPTURE(modelRun, chaotic, DataSet::Chaotic)->Arg(200)->Arg(2000)->Arg(9999);
BENCHMARK(graphicDataFile)->Unit(benchmark::kMillisecond);
