// The command line of tarnis-run: any arguments give either a command line whose runs all pass the
// model's checks (and the analyses' limit on the lag), or one line of error text that the terminal
// shows as one line. The input's bytes are split into arguments at NUL bytes, as the system hands
// them over.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"
#include "model/continuous/hutchinson.h"
#include "model/dynamics/linear_stability.h"
#include "tests/fuzz/fuzz_support.h"

using namespace tarnis;
using namespace tarnis::cli;
using namespace tarnis::fuzz;

namespace {

std::vector<std::string> argumentsOf(std::string_view input)
{
    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start <= input.size() && arguments.size() < 24) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        arguments.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

std::string shown(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const auto& argument : arguments)
        text += "[" + printable(argument) + "] ";
    return text;
}

void checkRange(const Range& range, RunParameters probe, double RunParameters::*swept, const std::string& detail)
{
    const long long count = range.count();
    FUZZ_CHECK(count >= 1 && count <= MaxSweepRuns, detail);
    for (const long long index : {0LL, count - 1}) {
        probe.*swept = range.at(index);
        FUZZ_CHECK(!checkRunParameters(probe), detail + ", value " + exact(probe.*swept));
    }
}

void checkSweep(const CommandLine& line, const std::string& detail)
{
    FUZZ_CHECK(line.rates.has_value() != line.lags.has_value(), detail);
    FUZZ_CHECK(line.discard >= 0 && line.keep >= 1 && line.discard + line.keep - 1 == line.parameters.steps, detail);
}

// The analyses look no further back than 9999 steps; a scan or the limits always have their ranges.
void checkAnalysis(const CommandLine& line, const std::string& detail)
{
    FUZZ_CHECK(!line.digits, detail);
    FUZZ_CHECK(line.rates.has_value() == (line.mode == Mode::Scan), detail);
    FUZZ_CHECK(line.lags.has_value() == (line.mode != Mode::Dynamics), detail);
    const double longest = line.lags ? line.lags->at(line.lags->count() - 1) : line.parameters.lag;
    FUZZ_CHECK(longest <= MaxAnalysedLag, detail + ", lag " + exact(longest));
    if (line.rates)
        FUZZ_CHECK(line.rates->count() * line.lags->count() <= MaxScanCells, detail);
}

// An ensemble within its stated limits, and a shard that is one of its slices.
void checkEnsemble(const CommandLine& line, const std::string& detail)
{
    const EnsembleOptions& e = line.ensemble;
    FUZZ_CHECK(e.runs >= 1 && e.runs <= MostEnsembleRuns, detail);
    FUZZ_CHECK(e.noise.sigma >= 0.0 && e.noise.sigma <= MaxSigma && e.threshold >= 0.0, detail);
    FUZZ_CHECK(e.shards >= 1 && e.shards <= e.runs && e.shard >= 1 && e.shard <= e.shards, detail);
    FUZZ_CHECK(!e.summary || (e.shards == 1 && e.runs * (line.parameters.steps + 1LL) <= MostSummaryValues), detail);
}

void checkAccepted(const CommandLine& line, const std::string& detail)
{
    if (line.mode == Mode::Help || line.mode == Mode::Version)
        return;
    FUZZ_CHECK(!checkRunParameters(line.parameters), detail);
    FUZZ_CHECK(!line.digits || (*line.digits >= 1 && *line.digits <= 17), detail);
    FUZZ_CHECK(!line.words || line.mode == Mode::Dynamics, detail);  // words are the dynamics' alone
    FUZZ_CHECK(!line.tidy || (!line.words && !line.digits), detail); // a tidy table is exact and no sentence
    FUZZ_CHECK(!line.continuous || line.mode == Mode::Dynamics, detail);
    if (line.mode == Mode::Run || line.mode == Mode::Continuous || line.mode == Mode::Ensemble)
        FUZZ_CHECK(!line.rates && !line.lags, detail);
    if (line.mode == Mode::Continuous) // an accepted continuous run is one the integrator takes
        FUZZ_CHECK(continuousGrid(line.parameters).has_value(), detail);
    if (line.mode == Mode::Ensemble)
        checkEnsemble(line, detail);
    if (line.mode == Mode::Run || line.mode == Mode::Continuous || line.mode == Mode::Ensemble)
        return;
    if (line.mode == Mode::Sweep)
        checkSweep(line, detail);
    else
        checkAnalysis(line, detail);
    if (line.rates)
        checkRange(*line.rates, line.parameters, &RunParameters::r, detail);
    if (line.lags)
        checkRange(*line.lags, line.parameters, &RunParameters::lag, detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto arguments = argumentsOf({reinterpret_cast<const char*>(data), size});
    const auto parsed = parseCommandLine(arguments);
    const std::string detail = "arguments " + shown(arguments);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        FUZZ_CHECK(!error->empty(), detail);
        for (unsigned char c : *error)
            FUZZ_CHECK(c >= 0x20 && c != 0x7f, detail + ", error '" + printable(*error) + "'");
        return 0;
    }
    checkAccepted(std::get<CommandLine>(parsed), detail);
    return 0;
}
