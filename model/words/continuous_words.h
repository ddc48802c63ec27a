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

// The headline ("A stable cycle") and the sentences. `report` empty: beyond what the integrator takes.
RunWords continuousRunInWords(const RunParameters& run, const std::optional<ContinuousReport>& report, char separator);

// How the discrete and the continuous model of one lag meet: the discrete r_c(T)·(T + ½) approaches
// π/2 as the lag grows, and at short lags the discrete model oscillates where the continuous does not.
std::string bridgeWords(double lag, char separator);

} // namespace tarnis
