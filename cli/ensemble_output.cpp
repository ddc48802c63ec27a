// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ensemble_output.h"

#include "cli/table_text.h"
#include "model/chance/ensemble_threads.h"
#include "model/words/ensemble_table.h"

#include <algorithm>
#include <ostream>

namespace tarnis::cli {

namespace {

// Runs are computed and written this many at a time, so that memory stays small however many there are.
constexpr long long RunsAtOnce = 1 << 16;

EnsembleRequest requestOf(const CommandLine& line)
{
    const EnsembleOptions& options = line.ensemble;
    return {line.parameters, options.noise, options.threshold, options.seed, options.runs};
}

void writeRows(std::ostream& out, const CommandLine& line)
{
    const EnsembleOptions& options = line.ensemble;
    const char* end = lineEnd(line);
    if (options.shard == 1)
        out << "run,extinction_time,last_N" << end;
    const RunSlice slice = shardSlice(options.runs, options.shard, options.shards);
    const EnsembleRequest request = requestOf(line);
    for (long long first = slice.first; first <= slice.last; first += RunsAtOnce) {
        const EnsembleResult result = ensembleRuns(request, first, std::min(slice.last, first + RunsAtOnce - 1));
        for (const MemberOutcome& outcome : result.outcomes)
            out << outcome.run << ',' << (outcome.extinctionTime ? std::to_string(*outcome.extinctionTime) : "") << ','
                << exactText(outcome.lastN) << end;
    }
}

void writeSummary(std::ostream& out, const CommandLine& line)
{
    EnsembleControl control;
    control.keepTrajectories = true;
    const EnsembleRequest request = requestOf(line);
    const EnsembleResult result = ensembleRuns(request, 1, request.runs, control);
    const int steps = line.parameters.steps;
    const ExtinctionSummary summary = extinctionSummary(result.outcomes);
    const std::vector<double> survival = survivalCurve(result.outcomes, steps);
    const auto bands = percentileBands(result.members, steps);
    out << ensembleTableText({summary, steps, survival, bands}, !line.tidy, lineEnd(line));
}

} // namespace

RunSlice shardSlice(long long runs, long long shard, long long shards)
{
    // The products stay far below 2^63: runs and shards are at most 10^8 and 10^9.
    return {(shard - 1) * runs / shards + 1, shard * runs / shards};
}

void writeEnsemble(std::ostream& out, const CommandLine& line)
{
    if (line.ensemble.summary)
        writeSummary(out, line);
    else
        writeRows(out, line);
}

} // namespace tarnis::cli
