// What the continuous-time model does in the long run. Near K the deviation u = N − K follows
// du/dt = −r·u(t−τ), whose roots λ of λ + r·e^(−λτ) = 0 set the response: for rτ ≤ 1/e the dominant
// root is real and N approaches K without passing it; for 1/e < rτ < π/2 it is complex, and N oscillates
// around K with swings that shrink; above π/2 the equilibrium is unstable and N settles onto a stable
// cycle, whose period is 4τ at the onset. Unlike the discrete model, N never reaches 0: it only comes
// down close to it, which a real population of that size would not survive.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/continuous/hutchinson.h"

#include <optional>

namespace tarnis {

struct ContinuousLimits {
    double rMonotone = 0.0;   // 1/(eτ): up to it N approaches K without oscillating
    double rStable = 0.0;     // π/(2τ): below it the oscillations die down; above it a cycle persists
    double onsetPeriod = 0.0; // 4τ: the cycle's period where it starts, in time units
};

// For a lag above 0 and finite; each is the double nearest to its closed form. Without a lag there is
// no limit: every r > 0 settles smoothly.
std::optional<ContinuousLimits> continuousLimits(double lag);

enum class ContinuousRegime {
    SettlesSmoothly,     // approaches K without oscillating around it
    DampedOscillations,  // oscillates around K with shrinking swings
    Cycle,               // settles onto a cycle around K
    StaysPut,            // r = 0, or N starts at K: nothing moves
    DeclinesTowardsZero, // r < 0 from below K: N falls towards 0 without reaching it
    RunsAway,            // r < 0 from above K: N grows beyond every bound within finite time
    TooSteep,            // the swings grow too steep for the integrator to follow
};

struct ContinuousReport {
    ContinuousRegime regime = ContinuousRegime::SettlesSmoothly;
    // DampedOscillations: from the dominant root, in time units; Cycle: the mean time between upward
    // crossings of K once the cycle has settled.
    std::optional<double> period;
    std::optional<double> halfLife; // DampedOscillations: the time in which the swings halve; empty at rτ = π/2
    std::optional<double> nMin;     // Cycle: the lowest and highest N of the settled cycle
    std::optional<double> nMax;
    std::optional<double> lowest;  // the lowest N after N first passed K, over the time the cycle took to settle
    std::optional<double> endTime; // RunsAway, TooSteep: the last whole time with a value
};

// Empty for parameters the run refuses, a lag beyond MaxAnalysedLag, or a trajectory longer than the
// integrator takes. The cycle is measured over the second half of max(2000, 200τ) time units, at most
// the longest run (about 10 ms natively for τ = 5).
std::optional<ContinuousReport> continuousRegime(const RunParameters& parameters);

} // namespace tarnis
