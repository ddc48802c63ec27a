// What linear theory says about the equilibrium N = K for a lag T: below which r it is approached
// without overshoot, below which r it is stable at all, and for a given r the dominant root of the
// characteristic equation, which sets how a small deviation from K fades or grows.
//
// Near K the deviation u = N − K follows u(t+1) = u(t) − r·u(t − L(t)), where L(t) is the lag that the
// run's step from t uses (see LagSchedule). For a whole lag the characteristic equation is
// λ^(T+1) − λ^T + r = 0 (Levin & May 1976): r_c(T) = 2·sin(π / (2(2T+1))), r_m(T) = T^T / (T+1)^(T+1).
// A lag with a fraction of exactly one half alternates between two lags, and its limits follow from
// the map over two steps instead, in closed forms of their own. Every limit is the correctly rounded
// double of its closed form, the same on every platform.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tarnis {

// The longest lag analysed: a run of at most 9999 steps never reaches further back.
inline constexpr double MaxAnalysedLag = 9999.0;

// The lags that the run uses once it is under way. The step from t reads N(t − L) with
// L = t − round(t − T), halves rounded to even. A fraction of T below one half gives the whole part of T
// on every step, one above one half the next whole number; a fraction of exactly one half gives the two
// in turn: the even one on even steps, the odd one on odd steps, so that every step reads N at an even
// step. (A fraction within rounding of one half behaves as one half once t is large; the schedule is
// taken at t = 20 000, inside the stretch that the regime of a run looks at.)
struct LagSchedule {
    int onEvenSteps = 0;
    int onOddSteps = 0;
    bool alternates() const { return onEvenSteps != onOddSteps; }
};

LagSchedule lagSchedule(double lag);

struct StabilityLimits {
    double rMonotone = 0.0;   // r_m: for 0 < r <= r_m a small deviation fades without changing sign
    double rStable = 0.0;     // r_c: for 0 < r < r_c a small deviation fades; above r_c it grows
    double onsetPeriod = 0.0; // steps per oscillation at r = r_c, where sustained oscillations start
};

// Empty for a lag that is NaN, negative or above MaxAnalysedLag. At most a few microseconds for any lag.
std::optional<StabilityLimits> stabilityLimits(double lag);

// Whether the error bounds of the computation keep r_m and r_c of this lag clear of every midpoint
// between two doubles, which makes them the correctly rounded values; the tests ask it of every lag.
bool limitsRoundedCorrectly(double lag);

enum class LinearVerdict {
    SettlesSmoothly,    // 0 < r <= r_m
    DampedOscillations, // r_m < r < r_c
    Neutral,            // r = 0 (every N stays where it is) or r = r_c (an oscillation neither fades nor grows)
    UnstableAtK,        // r < 0 (a deviation grows without changing sign) or r > r_c (it grows, oscillating)
};

// The dominant root λ of the characteristic equation at r: the root of largest modulus, per step. For
// an alternating lag the root of the two-step map, μ = λ², gives the modulus and argument per step.
struct LinearResponse {
    StabilityLimits limits;
    LinearVerdict verdict = LinearVerdict::Neutral;
    double modulus = 1.0;               // |λ|: a small deviation is multiplied by about this at each step
    double argument = 0.0;              // arg λ in radians per step, 0 to π; 0 when the deviation keeps its sign
    std::optional<double> period;       // 2π / argument, steps per oscillation; empty when argument is 0
    std::optional<double> halvingSteps; // ln 2 / −ln |λ|, steps in which the amplitude halves; when |λ| < 1
};

// Empty for a non-finite r or a lag that stabilityLimits refuses. The root is refined in arithmetic that
// rounds alike everywhere, so its numbers are the same on every platform. Some tens of microseconds.
std::optional<LinearResponse> linearResponse(double r, double lag);

} // namespace tarnis
