// The continuous-time twin of the run: the delayed logistic equation
//     dN/dt = r·N(t)·(1 − N(t−τ)/K),   N(t) = N(0) for −τ ≤ t ≤ 0,
// integrated by the classical fourth-order Runge–Kutta method with a fixed step h = τ/m for a whole m of
// at least 32 (and a whole number of steps per time unit where the lag is whole), so that the history's break points t
// = kτ, where the solution's derivatives jump, fall on the grid and no step straddles one. A delayed value between grid
// points (the stages at half a step) comes from the cubic Hermite interpolant of the stored N and dN/dt, which keeps
// the method's fourth order. τ = 0 is the ordinary logistic equation. The stepping uses only additions, multiplications
// and divisions in a fixed order, so every platform computes the same bits. SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"

#include <optional>
#include <vector>

namespace tarnis {

namespace continuous_rules {
// The least number of steps per lag.
inline constexpr double StepsPerLag = 32.0;
// At most h = 1/(StepsPerRate·|r|·max(1, N(0)/K)): the step follows the rate per animal, which sets how
// fast N changes, so that the error is alike at every r (without a lag, a relative 1e-9 or less over
// 200 time units, whether N grows towards K, falls to it from above or declines towards 0).
inline constexpr double StepsPerRate = 160.0;
// The most that N may change in one step, relative to N, as h·r·(1 − N(t−τ)/K): beyond it the
// method's error is no longer small, and far beyond it (about 2.8) the steps amplify what the equation
// damps. A run whose swings grow that steep stops there rather than show numbers it cannot vouch for.
inline constexpr double SteepestStep = 0.5;
// The most integrator steps one trajectory may take (about a tenth of a second natively); a lag far
// shorter than a time unit or a huge r over many steps needs more, and is refused rather than left to
// take minutes and gigabytes.
inline constexpr double MostSteps = 8388608.0; // 2^23
} // namespace continuous_rules

// The grid of a trajectory: h, and how many steps make one lag (0 for no lag).
struct ContinuousGrid {
    double step = 0.0;
    double stepsPerLag = 0.0;
    double stepsPerUnit = 0.0; // 1/h, a whole number when whole time units fall on the grid
};

// Empty when the parameters are not finite or the trajectory would take more than MostSteps steps.
// `refinement` divides h (by 2, 4, …) for measuring the method's order.
std::optional<ContinuousGrid> continuousGrid(const RunParameters& parameters, int refinement = 1);

enum class ContinuousEnd {
    Completed,    // every whole time unit up to the steps has its N
    LeftRange,    // N left the double range after the last time in `n`
    LostAccuracy, // the swings grew too steep for the step (SteepestStep) at this r and lag; `n`
                  // ends at the last whole time before it
    Refused,      // see `refusal`, or, without one, more steps than the integrator takes
};

struct ContinuousRun {
    ContinuousEnd end = ContinuousEnd::Completed;
    std::optional<RunRefusal> refusal;
    std::vector<double> n; // N at t = 0, 1, 2, …: the steps + 1 values unless the run ended sooner
    ContinuousGrid grid;
};

// The trajectory at whole time units, for the same parameters and steps as the discrete run, refused
// by the same rules (checkRunParameters).
ContinuousRun continuousRun(const RunParameters& parameters, int refinement = 1);

} // namespace tarnis
