// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/sweep.h"

#include "model/conversions.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace tarnis::cli {

namespace {

const char* endText(RunEnd end)
{
    switch (end) {
    case RunEnd::Completed:
        return "completed";
    case RunEnd::DiedOut:
        return "died out";
    case RunEnd::LeftRange:
        return "left range";
    case RunEnd::Refused:
        return "refused";
    }
    return "";
}

} // namespace

void writeSweep(std::ostream& out, const CommandLine& line)
{
    const int digits = line.digits.value_or(15);
    const auto text = [digits](double value) { return numberToText(value, '.', digits); };
    const Range& range = line.rates ? *line.rates : *line.lags;
    auto store = std::make_unique<ResultStore>();
    out << R"csv("r","lag","t","N(t)","end")csv"
        << "\r\n";
    for (long long index = 0; index < range.count(); ++index) {
        RunParameters parameters = line.parameters;
        (line.rates ? parameters.r : parameters.lag) = range.at(index);
        const RunOutcome outcome = runModel(*store, parameters);
        const int last = outcome.lastStep;
        // A run that ended before the kept steps still shows its last step.
        const int first = std::min(line.discard, last);
        const int stop = std::min(line.discard + line.keep - 1, last);
        const std::string prefix = text(parameters.r) + ',' + text(parameters.lag) + ',';
        for (int t = first; t <= stop; ++t)
            out << prefix << t << ',' << text(store->PopN[std::size_t(t)]) << ',' << endText(outcome.end) << "\r\n";
    }
}

} // namespace tarnis::cli
