// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/sweep.h"

#include "cli/table_text.h"
#include "model/numbers/conversions.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>

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

// The titles that files of earlier sweeps have, or plain names for --tidy. The parameters that no
// column varies close every line, after the columns that those files and their scripts know by their
// places, so that a file read later still says what made it.
const char* header(const CommandLine& line)
{
    return line.tidy ? "r,lag,t,N,end,n0,K,discard,keep"
                     : R"csv("r","lag","t","N(t)","end","N(0)","K","discard","keep")csv";
}

} // namespace

void writeSweep(std::ostream& out, const CommandLine& line)
{
    const int digits = line.digits.value_or(15);
    const auto text
        = [&line, digits](double value) { return line.tidy ? exactText(value) : numberToText(value, '.', digits); };
    const Range& range = line.rates ? *line.rates : *line.lags;
    auto store = std::make_unique<ResultStore>();
    out << header(line) << lineEnd(line);
    const std::string fixed = ',' + text(line.parameters.n0) + ',' + text(line.parameters.K) + ','
        + std::to_string(line.discard) + ',' + std::to_string(line.keep) + lineEnd(line);
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
            out << prefix << t << ',' << text(store->PopN[std::size_t(t)]) << ',' << endText(outcome.end) << fixed;
    }
}

} // namespace tarnis::cli
