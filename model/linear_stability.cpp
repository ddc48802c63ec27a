// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/linear_stability.h"

#include "model/model_step.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tarnis {

namespace {

// The roots are found in double precision and then refined in extended precision, so that the limits
// come out as the nearest doubles (r_c(1) = 1, an onset period of 6) rather than a few units off in
// the last place.
using Real = long double;
template <typename T> constexpr T pi = std::numbers::pi_v<T>;
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

// Where the increasing function f crosses 0 in (low, high): bisection to the last bit of a double, then
// two secant steps in extended precision, kept only if they stay within a few units of that double.
// f must take double and Real alike.
template <typename F> Real crossing(double low, double high, F f)
{
    for (int i = 0; i < 2200; ++i) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high)
            break;
        (f(middle) < 0.0 ? low : high) = middle;
    }
    const double found = 0.5 * (low + high);
    const Real width = 4 * std::max(Real(high - low), Real(std::fabs(found)) * std::numeric_limits<double>::epsilon());
    Real x0 = found - width;
    Real x1 = found + width;
    Real f0 = f(x0);
    Real f1 = f(x1);
    for (int i = 0; i < 3 && f1 != f0; ++i) {
        const Real x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
        x0 = x1;
        f0 = f1;
        x1 = x2;
        f1 = f(x1);
    }
    return std::fabs(x1 - found) <= width ? x1 : Real(found);
}

// ln|z − 1| and ln|z + 1| for z = ρ·e^(iφ), written so that z near 1 loses nothing.
template <typename T> T logDistanceFromOne(T rho, T phi)
{
    const T halfSine = std::sin(phi / 2);
    return std::log((rho - 1) * (rho - 1) + 4 * rho * halfSine * halfSine) / 2;
}

template <typename T> T logDistanceFromMinusOne(T rho, T phi)
{
    const T halfSine = std::sin(phi / 2);
    return std::log((rho + 1) * (rho + 1) - 4 * rho * halfSine * halfSine) / 2;
}

// The real roots in (0, 1): s = g(x) = x^n·(1 − x) / (1 + x)^e. g rises from 0 to its peak at x* and
// falls to 0 at x = 1; the larger root, on [x*, 1), is the dominant one while s <= g(x*).
Real peakOfRealBranch(const Characteristic& c)
{
    if (c.n == 0)
        return 0;
    if (c.e == 0)
        return Real(c.n) / Real(c.n + 1);
    // d/dx ln g = n/x − 2/(1 − x²) = 0
    return (std::sqrt(1 + Real(c.n) * Real(c.n)) - 1) / Real(c.n);
}

// ln g at x = 1 − w, from ln w, so that roots within 1e-300 of 1 keep their distance from 1.
template <typename T> T logRealBranch(const Characteristic& c, T logW)
{
    const T w = std::exp(logW);
    return T(c.n) * std::log1p(-w) + logW - T(c.e) * std::log1p(1 - w);
}

// The complex roots z = ρ·e^(iφ), 0 < φ < φmax, of the principal branch: the dominant ones once
// s > g(x*). The argument condition n·φ + arg(z − 1) − e·arg(z + 1) = π fixes ρ for each φ. For e = 0
// the triangle 0, 1, z has the angle φ at 0 and n·φ at 1, so ρ = sin(nφ) / sin((n+1)φ) by the law of
// sines. For e = 1 the segment from −1 to 1 is seen from z under the angle π − nφ: z lies on the circle
// through ±1 with centre −i·cot(nφ), which gives ρ² + 2ρ·cot(nφ)·sin φ − 1 = 0.
double maxPrincipalArgument(const Characteristic& c) { return pi<double> / double(c.n + 1 - c.e); }

template <typename T> T principalModulus(const Characteristic& c, T phi)
{
    if (c.e == 0)
        return std::sin(T(c.n) * phi) / std::sin(T(c.n + 1) * phi);
    const T q = std::sin(phi) / std::tan(T(c.n) * phi);
    const T root = std::sqrt(q * q + 1);
    return q > 0 ? 1 / (q + root) : root - q; // the first form spares a cancellation
}

// ln s along the principal branch, rising from ln g(x*) at φ = 0 to infinity at φmax.
template <typename T> T logPrincipalRate(const Characteristic& c, T phi)
{
    const T rho = principalModulus(c, phi);
    return T(c.n) * std::log(rho) + logDistanceFromOne(rho, phi) - T(c.e) * logDistanceFromMinusOne(rho, phi);
}

// The argument at which the principal branch crosses the unit circle.
Real criticalArgument(const Characteristic& c)
{
    if (c.n == 0)
        return pi<Real>; // z = 1 − s reaches −1 at s = 2
    return crossing(0.0, maxPrincipalArgument(c), [&](auto phi) { return principalModulus(c, phi) - 1; });
}

struct Root {
    Real logModulus = 0; // of the multiplier z
    Real argument = 0;   // of z, 0 to π
};

// For s < 0 the only root outside the unit disc, and the dominant one: x > 1 with
// n·ln x + ln(x − 1) − e·ln(x + 1) = ln|s|, found in y = ln x so that no value overflows.
Root rootAboveOne(const Characteristic& c, Real logS)
{
    const auto f = [&](auto y) {
        using T = decltype(y);
        const T logExcess = y < 1 ? std::log(std::expm1(y)) : y + std::log1p(-std::exp(-y));
        return T(c.n) * y + logExcess - T(c.e) * (y + std::log1p(std::exp(-y))) - T(logS);
    };
    double high = 1.0;
    while (f(high) < 0.0)
        high *= 2.0;
    return {crossing(0.0, high, f), 0};
}

// For n = 1 and e = 1 (a lag of 1.5) the principal branch does not run off to infinity: as φ nears π
// its roots meet on the negative axis at s = 3 + 2√2 and part into two negative roots. The larger,
// μ = −x with x² − (s − 1)·x + s = 0, is then the dominant one.
Root beyondThePrincipalBranch(Real logS)
{
    const Real s = std::exp(logS);
    const Real half = (s - 1) / 2;
    return {std::log(half) + std::log1p(std::sqrt(1 - s / (half * half))), pi<Real>};
}

Root dominantRoot(const Characteristic& c, double r)
{
    const Real logS = std::log(Real(c.rFactor)) + std::log(std::fabs(Real(r)));
    if (r < 0.0)
        return rootAboveOne(c, logS);
    if (c.n == 0) {
        // z = 1 − s, and ln|1 − s| kept exact for a huge s.
        const Real s = c.rFactor * Real(r);
        if (s <= 1)
            return {std::log1p(-s), 0};
        return {std::log(Real(c.rFactor)) + std::log(Real(r) - 1 / Real(c.rFactor)), pi<Real>};
    }
    if (c.e == 1 && c.n == 1 && logS > std::log(3 + 2 * std::sqrt(Real(2))))
        return beyondThePrincipalBranch(logS);
    const Real peak = peakOfRealBranch(c);
    const double logPeakW = double(std::log1p(-peak));
    if (logS <= logRealBranch(c, Real(logPeakW))) {
        const Real logW = crossing(-800.0, logPeakW, [&](auto v) { return logRealBranch(c, v) - decltype(v)(logS); });
        return {std::log1p(-std::exp(logW)), 0};
    }
    const Real phi
        = crossing(0.0, maxPrincipalArgument(c), [&](auto p) { return logPrincipalRate(c, p) - decltype(p)(logS); });
    return {std::log(principalModulus(c, phi)), phi};
}

bool analysable(double lag) { return lag >= 0.0 && lag <= MaxAnalysedLag; }

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
    const Real phi = criticalArgument(c);
    StabilityLimits limits;
    // With n = 0, g(x) = 1 − x peaks at x = 0.
    const Real peakRate = c.n == 0 ? 1 : std::exp(logRealBranch(c, std::log1p(-peakOfRealBranch(c))));
    limits.rMonotone = double(peakRate / c.rFactor);
    limits.rStable = double((c.n == 0 ? 2 : std::exp(logPrincipalRate(c, phi))) / c.rFactor);
    limits.onsetPeriod = double(2 * pi<Real> * c.stepsPerMultiplier / phi);
    return limits;
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
    const Real logModulus = root.logModulus / c.stepsPerMultiplier;
    response.modulus = double(std::exp(logModulus));
    response.argument = double(root.argument / c.stepsPerMultiplier);
    if (root.argument > 0.0L)
        response.period = double(2 * pi<Real> * c.stepsPerMultiplier / root.argument);
    if (logModulus < 0.0L)
        response.halvingSteps = double(std::log(Real(2)) / -logModulus);
    return response;
}

} // namespace tarnis
