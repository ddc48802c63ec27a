// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/dynamics_output.h"

#include "cli/table_text.h"
#include "model/dynamics/linear_stability.h"
#include "model/dynamics/parameter_scan.h"
#include "model/words/regime_words.h"

#include <array>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace tarnis::cli {

namespace {

std::string optionalText(const std::optional<double>& value) { return value ? exactText(*value) : std::string(); }

// The columns that a regime fills, in the order of the scan's header and of the dynamics' keys.
std::array<std::string, 9> regimeFields(const RegimeReport& report)
{
    return {std::string(regimeText(report.regime)),
            optionalText(report.period),
            optionalText(report.lyapunov),
            optionalText(report.nMin),
            optionalText(report.nMax),
            report.endStep ? std::to_string(*report.endStep) : std::string(),
            report.stillApproaching ? exactText(report.lastN) : std::string(),
            std::to_string(report.steps),
            report.disturbed ? std::string(regimeText(*report.disturbed)) : std::string()};
}

using KeyedValue = std::pair<const char*, std::string>;

// The keys as the header and their values as the one row, the run's parameters after them: a file of
// one run's answers says which run that was, as a scan's rows do.
void writeTidyDynamics(std::ostream& out, std::span<const KeyedValue> values, const RunParameters& parameters)
{
    for (const auto& [key, value] : values)
        out << key << ',';
    out << "r,lag,n0,K" << TidyLineEnd;
    for (const auto& [key, value] : values)
        out << value << ',';
    out << exactText(parameters.r) << ',' << exactText(parameters.lag) << ',' << exactText(parameters.n0) << ','
        << exactText(parameters.K) << TidyLineEnd;
}

std::vector<double> valuesOf(const Range& range)
{
    std::vector<double> values(std::size_t(range.count()));
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = range.at((long long)i);
    return values;
}

} // namespace

void writeDynamics(std::ostream& out, const CommandLine& line)
{
    // The command line has checked every limit that these two look at.
    const RegimeReport report = *runRegime(line.parameters);
    if (line.words) {
        const RunWords words = runInWords(line.parameters, report, '.');
        out << words.headline << '\n' << words.sentences << '\n';
        return;
    }
    const StabilityLimits limits = *stabilityLimits(line.parameters.lag);
    const auto fields = regimeFields(report);
    const KeyedValue lines[]{
        {"regime", fields[0]},
        {"r_monotone", exactText(limits.rMonotone)},
        {"r_stable", exactText(limits.rStable)},
        {"period", fields[1]},
        {"lyapunov", fields[2]},
        {"n_min", fields[3]},
        {"n_max", fields[4]},
        {"end_step", fields[5]},
        {"still_approaching", fields[6]},
        {"steps", fields[7]},
        {"disturbed", fields[8]},
    };
    if (line.tidy) {
        writeTidyDynamics(out, lines, line.parameters);
        return;
    }
    for (const auto& [key, value] : lines)
        out << key << ':' << (value.empty() ? "" : " ") << value << '\n';
}

void writeStability(std::ostream& out, const CommandLine& line)
{
    const char* end = lineEnd(line);
    out << "lag,r_monotone,r_stable,onset_period" << end;
    for (const double lag : valuesOf(*line.lags)) {
        const StabilityLimits limits = *stabilityLimits(lag);
        out << exactText(lag) << ',' << exactText(limits.rMonotone) << ',' << exactText(limits.rStable) << ','
            << exactText(limits.onsetPeriod) << end;
    }
}

void writeScan(std::ostream& out, const CommandLine& line,
               const std::function<void(std::size_t done, std::size_t total)>& progress)
{
    const ScanGrid grid{valuesOf(*line.rates), valuesOf(*line.lags), line.parameters.n0, line.parameters.K};
    ScanControl control;
    control.progress = progress;
    const ScanResult result = scanGrid(grid, control);
    // N(0) and K, the same in every row, come last: the columns before them keep the places that
    // scripts written for earlier scans read them at.
    out << "r,lag,regime,period,lyapunov,n_min,n_max,end_step,still_approaching,steps,disturbed,n0,K" << lineEnd(line);
    const std::string fixed = ',' + exactText(grid.n0) + ',' + exactText(grid.K) + lineEnd(line);
    for (std::size_t index = 0; index < result.cells.size(); ++index) {
        out << exactText(grid.rates[index / grid.lags.size()]) << ',' << exactText(grid.lags[index % grid.lags.size()]);
        for (const std::string& field : regimeFields(*result.cells[index]))
            out << ',' << field;
        out << fixed;
    }
}

} // namespace tarnis::cli
