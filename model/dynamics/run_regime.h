// The regime of a run, read from its own trajectory: how the population behaves in the long run for
// given r, N(0), K and lag, in one of nine words, with its period, its largest Lyapunov exponent and
// the range of N once it has settled.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/trajectory.h"

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
    UnstableEquilibrium,   // stays on K exactly, where the smallest disturbance would grow (`disturbed`)
    DeclinesTowardsZero,   // falls towards 0 (r < 0) without ever reaching it
    DiesOut,               // N drops to 0 or below at `endStep`
    LeavesRange,           // N leaves the double range after `endStep`
};

// "settles smoothly", "damped oscillations", "periodic", "sustained oscillations", "chaotic",
// "rests on an unstable equilibrium", "declines towards 0", "dies out", "leaves the range". In English,
// as programs read it (tarnis-run, copied data); translate() gives the name people read.
std::string_view regimeText(Regime regime);

struct RegimeReport {
    Regime regime = Regime::SettlesSmoothly;
    // Periodic: the cycle's period. SustainedOscillations: the mean number of steps between upward
    // crossings of K. DampedOscillations: the period of the oscillation as K is approached (the dominant
    // root's; the mean spacing of upward crossings when that root is real). Else empty.
    std::optional<double> period;
    // Per step, natural logarithm, over the settled part; empty for an end and for a run still
    // approaching. Never at odds with the regime: above ChaosThreshold only for chaos and for an
    // unstable equilibrium, not above 0 for a run that comes to rest or declines.
    std::optional<double> lyapunov;
    std::optional<double>
        nMin; // smallest N of the settled part; empty for an end, a decline and a run still approaching
    std::optional<double> nMax; // largest N of the settled part; the same
    std::optional<int> endStep; // DiesOut: the step where N became 0; LeavesRange: the last step with a value
    int steps = 0;              // the steps computed: at least 20 000 unless the run ended sooner
    double lastN = 0.0;         // N at the last step computed (0 when it died out)
    // SettlesSmoothly: N is still on its way to K (more than 1 % away from it) at the last step, so
    // there is no settled part to measure yet. The long-run regime is still the one named.
    bool stillApproaching = false;
    // UnstableEquilibrium: what a disturbance grows into, the regime of the same run started a
    // millionth below K (with r < 0, one started above K grows out of range instead).
    std::optional<Regime> disturbed;
};

// Buffers that runRegime reuses from call to call: one per thread.
struct RegimeWorkspace {
    Trajectory trajectory;
    std::vector<double> tangent;
};

// The regime of the run with these parameters (their steps are ignored). The first steps are those of
// the run bit for bit, so an end within the run's steps is the run's end. The rules, in order:
// - The trajectory runs for max(20 000, 24·(4·⌈T⌉ + 2)) steps: a dozen turns of the slowest
//   oscillation of the lag in its second half, the settled part, which all measures below use. An end
//   on the way (N <= 0, or a value beyond the double range) is "dies out" or "leaves the range".
// - At rest: the distance from the fixed point (K; 0, which a negative r approaches; any N when r = 0)
//   is within 1e-12·|F| of it in the last quarter, or shrinks from quarter to quarter by at least half
//   towards 0. Then "damped oscillations" if N − K changes sign at least twice once within 1 % of K,
//   counting only deviations above 1e-12·K (rounding noise), else "settles smoothly". A settled part
//   that only rises or only falls, however slowly, settles smoothly too, and is still approaching
//   while it is more than 1 % away from K. Near 0 with r < 0 it "declines towards 0". Resting on K
//   where linear theory says a deviation grows (r < 0 or r > r_c) is "rests on an unstable
//   equilibrium", and the same run started a millionth below K tells what a disturbance grows into.
// - "periodic" with the smallest p, up to a sixth of the settled part, for which N(t) = N(t − p)
//   within 1e-9 of the largest N over the last quarter. A value that rounding no longer changes
//   (p = 1) settles smoothly.
// - "chaotic" when the Lyapunov exponent exceeds ChaosThreshold; else "sustained oscillations", with
//   the mean number of steps between upward crossings of K (of the middle of the range when N stays on
//   one side of K).
// Undecided cases are looked at again over twice the steps, up to eight times (at most 4 million): an
// approach to rest that has not halved, and a cycle still forming (within 5 % and closing in). On the
// last look the approach must extrapolate (Aitken) to rest, and a forming cycle counts as periodic.
// Empty for parameters the run refuses, for a lag above MaxAnalysedLag, or when cancelled (`cancel`
// is read every few thousand steps). Well under a millisecond for 20 000 steps.
std::optional<RegimeReport> runRegime(const RunParameters& parameters, RegimeWorkspace& workspace,
                                      const std::atomic<bool>* cancel = nullptr);
std::optional<RegimeReport> runRegime(const RunParameters& parameters);

namespace regime_rules {
inline constexpr int MinimumSteps = 20000;
// The steps computed first for a lag (undecided cases take more): a measure of a cell's work.
int firstSteps(double lag);
// A Lyapunov exponent above this is chaos. Quasi-periodic orbits measure within ±0.002 of 0 over the
// settled part (mostly within ±0.0003); the logistic map (T = 0) has 0.011 just past the onset of
// chaos at r = 2.57, 0.0062 in the band chaos at r = 2.85 after the period-3 window, 0.354 at r = 2.7
// and ln 2 at r = 3.
inline constexpr double ChaosThreshold = 0.005;
// How far below K the run that tells what a disturbance of an unstable equilibrium grows into starts,
// as a share of K: small enough to be a disturbance, large enough to grow within the steps looked at.
inline constexpr double Disturbance = 1e-6;
// A run more than this share of K away from K at its last step is still approaching it.
inline constexpr double NearEnd = 1e-2;
} // namespace regime_rules

} // namespace tarnis
