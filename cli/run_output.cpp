// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_output.h"

#include "cli/table_text.h"
#include "model/run/graphic_data.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>

namespace tarnis::cli {

namespace {

// The saved file names N(0), r and K in its title line; a tidy table has none, so every line carries
// the run's parameters (the lag and the steps asked for as well, which the title leaves out).
void writeTidyRun(std::ostream& out, const ResultStore& store, const RunParameters& parameters)
{
    out << "time,N,dN,dN_per_N,r,n0,K,lag,steps" << TidyLineEnd;
    const std::string fixed = ',' + exactText(parameters.r) + ',' + exactText(parameters.n0) + ','
        + exactText(parameters.K) + ',' + exactText(parameters.lag) + ',' + std::to_string(parameters.steps)
        + TidyLineEnd;
    const int lastRow = std::min<int>(store.LastStep, MaxStoreIndex);
    for (int t = 0; t <= lastRow; ++t)
        out << t << ',' << exactStepText(store.PopN[t]) << ',' << exactStepText(store.PopDN[t]) << ','
            << exactStepText(store.PopDNperN[t]) << fixed;
}

} // namespace

void writeRun(std::ostream& out, const CommandLine& line)
{
    auto store = std::make_unique<ResultStore>();
    runModel(*store, line.parameters);
    if (line.tidy) {
        writeTidyRun(out, *store, line.parameters);
        return;
    }
    GraphicDataFormat format;
    if (line.digits) {
        format.roundToHundredths = false;
        format.significantDigits = *line.digits;
    }
    writeGraphicData(out, *store, format);
}

} // namespace tarnis::cli
