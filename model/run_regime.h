// The regime of a run, read from its own trajectory: how the population behaves in the long run for
// given r, N(0), K and lag, in one of seven words, with its period, its largest Lyapunov exponent and
// the range of N once it has settled.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/trajectory.h"

#include <atomic>
#include <optional>
#include <string_view>
#include <vector>

namespace tarnis {

enum class Regime {
    SettlesSmoothly,       // comes to rest without oscillating around K (or does not move at all)
    DampedOscillations,    // comes to rest at K, oscillating around it with a shrinking amplitude
    Periodic,              // repeats a cycle of `period` steps exactly
    SustainedOscillations, // keeps oscillating, bounded, without repeating and without chaos
    Chaotic,               // bounded and irregular, the Lyapunov exponent clearly above 0
    DiesOut,               // N drops to 0 or below at `endStep`
    LeavesRange,           // N leaves the double range after `endStep`
};

// "settles smoothly", "damped oscillations", "periodic", "sustained oscillations", "chaotic",
// "dies out", "leaves the range".
std::string_view regimeText(Regime regime);

struct RegimeReport {
    Regime regime = Regime::SettlesSmoothly;
    // Periodic: the cycle's period. SustainedOscillations: the mean number of steps between upward
    // crossings of K. DampedOscillations: the period of the oscillation as K is approached. Else empty.
    std::optional<double> period;
    std::optional<double> lyapunov; // per step, natural logarithm, over the settled part; empty for an end
    std::optional<double> nMin;     // smallest N of the settled part; empty for an end
    std::optional<double> nMax;     // largest N of the settled part; empty for an end
    std::optional<int> endStep;     // DiesOut: the step where N became 0; LeavesRange: the last step with a value
    int steps = 0;                  // the steps computed to decide: at least 20 000
};

// Buffers that runRegime reuses from call to call: one per thread.
struct RegimeWorkspace {
    Trajectory trajectory;
    std::vector<double> tangent;
};

// The regime of the run with these parameters (their steps are ignored): computed over at least
// 20 000 steps, and up to eight times more when the trajectory is still undecided (a slow approach,
// a cycle still forming). The settled part is the second half of the trajectory. The first steps are
// those of the run bit for bit, so an end within the run's steps is the run's end. Empty for parameters
// the run refuses, for a lag above MaxAnalysedLag, or when cancelled (`cancel` is read every few
// thousand steps). About a millisecond for lags up to 100.
std::optional<RegimeReport> runRegime(const RunParameters& parameters, RegimeWorkspace& workspace,
                                      const std::atomic<bool>* cancel = nullptr);
std::optional<RegimeReport> runRegime(const RunParameters& parameters);

// The rules, which the comments in run_regime.cpp explain.
namespace regime_rules {
inline constexpr int MinimumSteps = 20000;
inline constexpr double ChaosThreshold = 0.005; // a Lyapunov exponent above this is chaos
} // namespace regime_rules

} // namespace tarnis
