// The continuous-time run in words, as the discrete run has them: what the population does in the long
// run with its numbers, what the delay allows (no overshoot up to r = 1/(eτ), a cycle above π/(2τ)),
// and how the two models meet. Numbers are written as quantity_text has them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/continuous/continuous_regime.h"
#include "model/words/regime_words.h"

#include <optional>
#include <string>

namespace tarnis {

// The legend's line of the continuous trajectory: "Continuous time (Hutchinson)".
std::string continuousLegend();

// What the front ends show of the comparison with continuous time: the chart menu's entry (the page's
// checkbox), the legend, the label of the curve r = π/(2T) on the stability map, the column that
// "Copy data" adds, and the line under a chart whose continuous trajectory stops early.
struct ContinuousComparisonWords {
    std::string caption; // "Compare with continuous time"
    std::string toolTip;
    std::string legend;     // "Continuous time (Hutchinson)"
    std::string mapLabel;   // "continuous r_c"
    std::string dataColumn; // "N(t) continuous"
};
ContinuousComparisonWords continuousComparisonWords();

// Empty for a trajectory that reaches the last step; else why it stops where it does: "The continuous
// trajectory stops after t = 8: its swings grow too steep for the integrator's step."
std::string continuousStopWords(const ContinuousRun& run);

// The headline ("A stable cycle") and the sentences. `report` empty: beyond what the integrator takes.
RunWords continuousRunInWords(const RunParameters& run, const std::optional<ContinuousReport>& report, char separator);

// How the discrete and the continuous model of one lag meet: the discrete r_c(T)·(T + ½) approaches
// π/2 as the lag grows, and at short lags the discrete model oscillates where the continuous does not.
std::string bridgeWords(double lag, char separator);

} // namespace tarnis
