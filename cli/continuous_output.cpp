// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/continuous_output.h"

#include "cli/table_text.h"
#include "model/continuous/continuous_regime.h"
#include "model/run/graphic_data.h"
#include "model/words/continuous_words.h"

#include <array>
#include <ostream>
#include <string>

namespace tarnis::cli {

namespace {

std::string optionalText(const std::optional<double>& value) { return value ? exactText(*value) : std::string(); }

std::string_view regimeKey(ContinuousRegime regime)
{
    static constexpr std::array<std::string_view, 7> keys{"settles smoothly", "damped oscillations", "cycle",
                                                          "stays put",        "declines towards 0",  "runs away",
                                                          "too steep"};
    return keys.at(std::size_t(regime));
}

std::string stopNote(const ContinuousRun& run)
{
    const std::string last = std::to_string(run.n.size() - 1);
    if (run.end == ContinuousEnd::LeftRange)
        return "the continuous run leaves the range of doubles after t = " + last + "; its rows end there";
    return "the continuous run grows too steep for the integrator's step after t = " + last + "; its rows end there";
}

} // namespace

void writeContinuous(std::ostream& out, const CommandLine& line, std::ostream& notes)
{
    const RunParameters& p = line.parameters;
    const ContinuousRun run = continuousRun(p); // the command line has checked that it is not refused
    const char* end = lineEnd(line);
    if (line.tidy) {
        out << "time,N,r,n0,K,lag,steps" << end;
        const std::string fixed = ',' + exactText(p.r) + ',' + exactText(p.n0) + ',' + exactText(p.K) + ','
            + exactText(p.lag) + ',' + std::to_string(p.steps) + end;
        for (std::size_t t = 0; t < run.n.size(); ++t)
            out << t << ',' << exactText(run.n[t]) << fixed;
    } else {
        const int digits = line.digits.value_or(15);
        const auto value = [&](double v) { return plainNumberText(line.digits ? v : roundToHundredths(v), digits); };
        out << "\"Continuous logistic growth with a delay, N(0)=" << signBlankText(p.n0, digits)
            << ", r=" << signBlankText(p.r, digits) << ", K=" << signBlankText(p.K, digits)
            << ", T=" << signBlankText(p.lag, digits) << '"' << end;
        out << R"csv("time","N(t)")csv" << end;
        for (std::size_t t = 0; t < run.n.size(); ++t)
            out << t << ',' << value(run.n[t]) << end;
    }
    if (run.end != ContinuousEnd::Completed)
        notes << "tarnis-run: " << stopNote(run) << '\n';
}

void writeContinuousDynamics(std::ostream& out, const CommandLine& line)
{
    const RunParameters& p = line.parameters;
    const std::optional<ContinuousReport> report = continuousRegime(p);
    if (line.words) {
        const RunWords words = continuousRunInWords(p, report, '.');
        out << words.headline << '\n' << words.sentences << '\n' << bridgeWords(p.lag, '.') << '\n';
        return;
    }
    const std::optional<ContinuousLimits> limits = continuousLimits(p.lag);
    const std::pair<const char*, std::string> lines[]{
        {"regime", report ? std::string(regimeKey(report->regime)) : std::string("beyond the integrator")},
        {"r_monotone", limits ? exactText(limits->rMonotone) : std::string()},
        {"r_stable", limits ? exactText(limits->rStable) : std::string()},
        {"onset_period", limits ? exactText(limits->onsetPeriod) : std::string()},
        {"period", report ? optionalText(report->period) : std::string()},
        {"half_life", report ? optionalText(report->halfLife) : std::string()},
        {"n_min", report ? optionalText(report->nMin) : std::string()},
        {"n_max", report ? optionalText(report->nMax) : std::string()},
        {"lowest", report ? optionalText(report->lowest) : std::string()},
        {"end_time", report ? optionalText(report->endTime) : std::string()},
    };
    if (line.tidy) {
        for (const auto& [key, value] : lines)
            out << key << ',';
        out << "r,lag,n0,K" << TidyLineEnd;
        for (const auto& [key, value] : lines)
            out << value << ',';
        out << exactText(p.r) << ',' << exactText(p.lag) << ',' << exactText(p.n0) << ',' << exactText(p.K)
            << TidyLineEnd;
        return;
    }
    for (const auto& [key, value] : lines)
        out << key << ':' << (value.empty() ? "" : " ") << value << '\n';
}

} // namespace tarnis::cli
