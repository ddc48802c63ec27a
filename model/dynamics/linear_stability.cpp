// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/linear_stability.h"

#include "model/numbers/double_double.h"
#include "model/run/model_step.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tarnis {

namespace {

// Every result is worked out in double-double arithmetic (double_double.h), which rounds alike on
// every platform, and then rounded to double once: the limits from closed forms, the dominant root by
// refining a root found in double.
using Real = dd::DoubleDouble;
using std::exp, std::expm1, std::fabs, std::log, std::log1p, std::sin, std::sqrt, std::tan;
constexpr int ScheduleStep = 20000; // even

int lagUsedAt(int t, double lag) { return t - int(laggedIndex(t + 1, lag)); }

// The characteristic equation of the deviation from K in the multiplier z over `stepsPerMultiplier`
// steps: z^n·(z − 1) = −s·(1 + z)^e with s = rFactor·r.
//
// A constant lag L gives n = L, e = 0, s = r. With alternating lags every step reads an even index, so
// the deviations at even steps, v(j) = u(2j), follow a recurrence of their own: the map over two
// steps. With the even lag 2n,
// - and the odd lag 2n + 1: u(2j+1) = v(j) − r·v(j−n) and u(2j+2) = u(2j+1) − r·v(j−n), so
//   v(j+1) = v(j) − 2r·v(j−n): the whole-lag equation in μ = λ² with lag n and rate 2r;
// - and the odd lag 2n − 1: u(2j+2) = u(2j+1) − r·v(j−n+1), so v(j+1) = v(j) − r·v(j−n) − r·v(j−n+1),
//   a different equation: μ^n·(μ − 1) = −r·(1 + μ).
// The odd steps follow from the even ones and share their growth.
struct Characteristic {
    int n = 0;
    int e = 0;
    double rFactor = 1.0;
    int stepsPerMultiplier = 1;
};

Characteristic characteristicOf(LagSchedule lags)
{
    if (!lags.alternates())
        return {lags.onEvenSteps, 0, 1.0, 1};
    const int n = lags.onEvenSteps / 2;
    if (lags.onOddSteps > lags.onEvenSteps)
        return {n, 0, 2.0, 2};
    return {n, 1, 1.0, 2};
}

// The limits in closed form. The real roots in (0, 1) solve s = g(x) = x^n·(1 − x) / (1 + x)^e; g peaks
// at x* (below), and s_m = g(x*) is the largest s with a root there, the last without overshoot. On the
// unit circle z = e^(iφ), |z − 1| = 2·sin(φ/2) and |z + 1| = 2·cos(φ/2), and the argument condition
// n·φ + arg(z − 1) − e·arg(z + 1) = π, with arg(z − 1) = π/2 + φ/2 and arg(z + 1) = φ/2, gives
// - for e = 0: φ = π / (2n + 1) and s_c = 2·sin(π / (2(2n + 1))), an onset of 2(2n + 1) multipliers;
// - for e = 1: φ = π / (2n) and s_c = tan(π / (4n)), an onset of 4n multipliers.
// For e = 0, x* = n / (n + 1) and s_m = n^n / (n + 1)^(n + 1); for e = 1, x* = n / (√(1 + n²) + 1).
struct ClosedForms {
    Real rMonotone;
    Real rStable;
    double onsetPeriod = 0.0; // a whole number of steps
};

ClosedForms closedForms(const Characteristic& c)
{
    const double steps = c.stepsPerMultiplier;
    if (c.n == 0) // z = 1 − s: no overshoot up to s = 1, stable up to s = 2, where z = −1 alternates
        return {1.0 / c.rFactor, 2.0 / c.rFactor, 2.0 * steps};
    const double n = c.n;
    if (c.e == 0) {
        const Real peakRate = pow(1.0 - Real(1.0) / (n + 1.0), c.n) / (n + 1.0);
        const Real criticalRate = ldexp(sin(dd::pi / (2.0 * (2.0 * n + 1.0))), 1);
        return {peakRate / c.rFactor, criticalRate / c.rFactor, 2.0 * (2.0 * n + 1.0) * steps};
    }
    // With q = √(1 + n²) (1 + n² is exact for every lag analysed): x* = n / (q + 1) and, since
    // q − n = 1 / (q + n), 1 − x* = (1 + 1 / (q + n)) / (q + 1) without cancellation.
    const Real q = sqrt(Real(1.0 + n * n));
    const Real peak = n / (q + 1.0);
    const Real belowOne = (1.0 + Real(1.0) / (q + n)) / (q + 1.0);
    return {pow(peak, c.n) * belowOne / (peak + 1.0), tan(dd::pi / (4.0 * n)), 4.0 * n * steps};
}

// Bounds on the relative error of the closed forms, with a wide margin over the few units of 2^-106
// that each operation may err by (the series of sin and tan take a few dozen); a power multiplies the
// error of its base by the exponent, and its squarings add about twice the exponent's worth.
constexpr double StableRateError = 0x1p-96;
double monotoneRateError(int n) { return (64.0 * n + 1024.0) * 0x1p-106; }

// Where the increasing function f crosses 0 in (low, high): bisection to the last bit of a double,
// then secant steps in double-double from the two doubles a few units either side, kept if they stay
// near. The bisection uses the C library's functions, whose last bits differ between libraries; the
// secant steps use none and take any such start to the same root to about 30 digits, so the root
// rounds to the same double everywhere. f must take double and Real alike.
template <typename F> Real crossing(double low, double high, F f)
{
    for (int i = 0; i < 2200; ++i) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high)
            break;
        (f(middle) < 0.0 ? low : high) = middle;
    }
    const double found = 0.5 * (low + high);
    const double width = 4.0 * std::max(high - low, std::fabs(found) * std::numeric_limits<double>::epsilon());
    Real x0 = Real(found) - width;
    Real x1 = Real(found) + width;
    Real f0 = f(x0);
    Real f1 = f(x1);
    for (int i = 0; i < 4 && f1 != f0; ++i) {
        const Real x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
        const bool converged = fabs(x2 - x1) <= Real(1e-31 * std::fabs(found)); // as far as the arithmetic goes
        x0 = x1;
        f0 = f1;
        x1 = x2;
        if (converged)
            break;
        f1 = f(x1);
    }
    // The bisection's double may lie several units off where f has rounding noise of its own; a step
    // that lands this far away, though, has gone off to another root.
    return fabs(x1 - found) <= width * 0x1p24 ? x1 : Real(found);
}

// ln|z − 1| and ln|z + 1| for z = ρ·e^(iφ), written so that z near 1 loses nothing.
template <typename T> T logDistanceFromOne(T rho, T phi)
{
    const T halfSine = sin(phi / 2.0);
    return log((rho - 1.0) * (rho - 1.0) + 4.0 * rho * halfSine * halfSine) / 2.0;
}

template <typename T> T logDistanceFromMinusOne(T rho, T phi)
{
    const T halfSine = sin(phi / 2.0);
    return log((rho + 1.0) * (rho + 1.0) - 4.0 * rho * halfSine * halfSine) / 2.0;
}

// The real roots in (0, 1): s = g(x); the larger root, on [x*, 1), is the dominant one while
// s <= g(x*).
Real peakOfRealBranch(const Characteristic& c)
{
    if (c.n == 0)
        return 0.0;
    if (c.e == 0)
        return Real(c.n) / double(c.n + 1);
    // d/dx ln g = n/x − 2/(1 − x²) = 0
    return (sqrt(1.0 + Real(c.n) * double(c.n)) - 1.0) / double(c.n);
}

// ln g at x = 1 − w, from ln w, so that roots within 1e-300 of 1 keep their distance from 1.
template <typename T> T logRealBranch(const Characteristic& c, T logW)
{
    const T w = exp(logW);
    return double(c.n) * log1p(-w) + logW - double(c.e) * log1p(1.0 - w);
}

// The complex roots z = ρ·e^(iφ), 0 < φ < φmax, of the principal branch: the dominant ones once
// s > g(x*). The argument condition n·φ + arg(z − 1) − e·arg(z + 1) = π fixes ρ for each φ. For e = 0
// the triangle 0, 1, z has the angle φ at 0 and n·φ at 1, so ρ = sin(nφ) / sin((n+1)φ) by the law of
// sines. For e = 1 the segment from −1 to 1 is seen from z under the angle π − nφ: z lies on the circle
// through ±1 with centre −i·cot(nφ), which gives ρ² + 2ρ·cot(nφ)·sin φ − 1 = 0.
double maxPrincipalArgument(const Characteristic& c) { return std::numbers::pi / double(c.n + 1 - c.e); }

template <typename T> T principalModulus(const Characteristic& c, T phi)
{
    if (c.e == 0)
        return sin(double(c.n) * phi) / sin(double(c.n + 1) * phi);
    const T q = sin(phi) / tan(double(c.n) * phi);
    const T root = sqrt(q * q + 1.0);
    return q > T(0.0) ? 1.0 / (q + root) : root - q; // the first form spares a cancellation
}

// ln s along the principal branch, rising from ln g(x*) at φ = 0 to infinity at φmax.
template <typename T> T logPrincipalRate(const Characteristic& c, T phi)
{
    const T rho = principalModulus(c, phi);
    return double(c.n) * log(rho) + logDistanceFromOne(rho, phi) - double(c.e) * logDistanceFromMinusOne(rho, phi);
}

struct Root {
    Real logModulus; // of the multiplier z
    Real argument;   // of z, 0 to π
};

// For s < 0 the only root outside the unit disc, and the dominant one: x > 1 with
// n·ln x + ln(x − 1) − e·ln(x + 1) = ln|s|, found in y = ln x so that no value overflows.
Root rootAboveOne(const Characteristic& c, Real logS)
{
    const auto f = [&](auto y) {
        using T = decltype(y);
        const T logExcess = y < T(1.0) ? log(expm1(y)) : y + log1p(-exp(-y));
        return double(c.n) * y + logExcess - double(c.e) * (y + log1p(exp(-y))) - T(logS);
    };
    double high = 1.0;
    while (f(high) < 0.0)
        high *= 2.0;
    return {crossing(0.0, high, f), 0.0};
}

// For n = 1 and e = 1 (a lag of 1.5) the principal branch does not run off to infinity: as φ nears π
// its roots meet on the negative axis at s = 3 + 2√2 and part into two negative roots. The larger,
// μ = −x with x² − (s − 1)·x + s = 0, is then the dominant one.
Root beyondThePrincipalBranch(Real logS)
{
    const Real s = exp(logS);
    const Real half = (s - 1.0) / 2.0;
    return {log(half) + log1p(sqrt(1.0 - s / half / half)), dd::pi};
}

Root dominantRoot(const Characteristic& c, double r)
{
    const Real logS = log(Real(c.rFactor)) + log(Real(std::fabs(r)));
    if (r < 0.0)
        return rootAboveOne(c, logS);
    if (c.n == 0) {
        // z = 1 − s, and ln|1 − s| kept exact for a huge s.
        const Real s = Real(c.rFactor) * r;
        if (s <= Real(1.0))
            return {log1p(-s), 0.0};
        return {log(Real(c.rFactor)) + log(Real(r) - 1.0 / c.rFactor), dd::pi};
    }
    if (c.e == 1 && c.n == 1 && logS > log(3.0 + 2.0 * sqrt(Real(2.0))))
        return beyondThePrincipalBranch(logS);
    const Real peak = peakOfRealBranch(c);
    const double logPeakW = double(log1p(-peak));
    if (logS <= logRealBranch(c, Real(logPeakW))) {
        const Real logW = crossing(-800.0, logPeakW, [&](auto v) { return logRealBranch(c, v) - decltype(v)(logS); });
        return {log1p(-exp(logW)), 0.0};
    }
    const Real phi
        = crossing(0.0, maxPrincipalArgument(c), [&](auto p) { return logPrincipalRate(c, p) - decltype(p)(logS); });
    return {log(principalModulus(c, phi)), phi};
}

bool analysable(double lag) { return lag >= 0.0 && lag <= MaxAnalysedLag; }

double roundedLimit(Real value, double relativeError)
{
    // Undecided never happens for a lag analysed (the tests try every one); the nearest double stays
    // the same on every platform all the same.
    return dd::decidedRounding(value, relativeError).value_or(value.hi);
}

} // namespace

LagSchedule lagSchedule(double lag)
{
    const int even = lagUsedAt(ScheduleStep, lag);
    const int odd = lagUsedAt(ScheduleStep + 1, lag);
    // Alternation comes from halves rounded to even, which always read an even index; anything else
    // is a fraction that rounding has put right on one half at one step only.
    if (even != odd && even % 2 != 0)
        return {even, even};
    return {even, odd};
}

std::optional<StabilityLimits> stabilityLimits(double lag)
{
    if (!analysable(lag))
        return std::nullopt;
    const Characteristic c = characteristicOf(lagSchedule(lag));
    const ClosedForms forms = closedForms(c);
    return StabilityLimits{roundedLimit(forms.rMonotone, monotoneRateError(c.n)),
                           roundedLimit(forms.rStable, StableRateError), forms.onsetPeriod};
}

bool limitsRoundedCorrectly(double lag)
{
    if (!analysable(lag))
        return false;
    const Characteristic c = characteristicOf(lagSchedule(lag));
    const ClosedForms forms = closedForms(c);
    return dd::decidedRounding(forms.rMonotone, monotoneRateError(c.n))
        && dd::decidedRounding(forms.rStable, StableRateError);
}

std::optional<LinearResponse> linearResponse(double r, double lag)
{
    const auto limits = stabilityLimits(lag);
    if (!limits || !std::isfinite(r))
        return std::nullopt;
    LinearResponse response;
    response.limits = *limits;
    if (r < 0.0 || r > limits->rStable)
        response.verdict = LinearVerdict::UnstableAtK;
    else if (r == 0.0 || r == limits->rStable)
        response.verdict = LinearVerdict::Neutral;
    else
        response.verdict = r <= limits->rMonotone ? LinearVerdict::SettlesSmoothly : LinearVerdict::DampedOscillations;
    if (r == 0.0)
        return response; // λ = 1: nothing moves
    const Characteristic c = characteristicOf(lagSchedule(lag));
    const Root root = dominantRoot(c, r);
    const double steps = c.stepsPerMultiplier;
    const Real logModulus = root.logModulus / steps;
    response.modulus = double(exp(logModulus));
    response.argument = double(root.argument / steps);
    if (root.argument > Real(0.0))
        response.period = double(2.0 * dd::pi * steps / root.argument);
    if (logModulus < Real(0.0))
        response.halvingSteps = double(dd::ln2 / -logModulus);
    return response;
}

} // namespace tarnis
