// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/run_regime.h"

#include "model/dynamics/linear_stability.h"
#include "model/dynamics/lyapunov.h"
#include "model/language/catalog.h"
#include "model/numbers/double_double.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tarnis {

using namespace regime_rules;

std::string_view regimeText(Regime regime)
{
    // TRANSLATORS: the regimes' names, as a legend, a cell of the stability map and a headline name them.
    switch (regime) {
    case Regime::SettlesSmoothly:
        return catalogText("settles smoothly");
    case Regime::DampedOscillations:
        return catalogText("damped oscillations");
    case Regime::Periodic:
        return catalogText("periodic");
    case Regime::SustainedOscillations:
        return catalogText("sustained oscillations");
    case Regime::Chaotic:
        return catalogText("chaotic");
    case Regime::UnstableEquilibrium:
        return catalogText("rests on an unstable equilibrium");
    case Regime::DeclinesTowardsZero:
        return catalogText("declines towards 0");
    case Regime::DiesOut:
        return catalogText("dies out");
    case Regime::LeavesRange:
        return catalogText("leaves the range");
    }
    return "";
}

namespace {

// Values closer than this (relative to the fixed point) count as rounding noise: the step near K loses
// a few units in the last place, far below it.
constexpr double NoiseLevel = 1e-12;
// A deviation from K below this share of K is small enough for linear theory to describe it.
constexpr double LinearBand = 1e-2;
// A cycle repeats to this share of the largest N; what rounding leaves of a settled cycle is far
// smaller, and a quasi-periodic orbit does not come back this close within a few of its turns.
constexpr double RepeatTolerance = 1e-9;
// A cycle still forming repeats only to this share, but more closely from one half of the last quarter
// to the next, by at least this factor; a quasi-periodic or chaotic orbit does not.
constexpr double FormingTolerance = 0.05;
constexpr double FormingShrink = 0.8;
// The most steps computed for one regime, so that a lag near 9999 stays within 64 MB of buffers.
constexpr int MostSteps = 4'000'000;

// Long enough for a dozen oscillations at the onset period of the lag (4T + 2 steps) in the settled
// half, and at least MinimumSteps.
struct Horizon {
    int first;
    int last;
};

Horizon horizonFor(double lag)
{
    const int onsetPeriod = 4 * int(std::ceil(lag)) + 2;
    const int first = std::max(MinimumSteps, 24 * onsetPeriod);
    return {first, std::max(first, std::min(8 * first, MostSteps))};
}

// The second half of the trajectory, and its last quarter for the repetition test.
struct Settled {
    const double* N;
    int from;
    int to;

    int length() const { return to - from; }
};

RegimeReport ended(const Trajectory& trajectory)
{
    RegimeReport report;
    report.regime = trajectory.end == RunEnd::DiedOut ? Regime::DiesOut : Regime::LeavesRange;
    report.endStep = trajectory.lastStep;
    report.steps = trajectory.lastStep;
    report.lastN = trajectory.N[std::size_t(trajectory.lastStep)];
    return report;
}

// The fixed point that the trajectory ends nearest to: K, or 0 (which a negative r can approach). With
// r = 0 every N is a fixed point.
double fixedPointNear(double r, double K, double last)
{
    if (r == 0.0)
        return last;
    return std::fabs(last - K) <= std::fabs(last) ? K : 0.0;
}

// The largest distance from the fixed point in each quarter of the settled part.
std::array<double, 4> quarterDeviations(const Settled& settled, double fixedPoint)
{
    std::array<double, 4> deviations{};
    for (int q = 0; q < 4; ++q) {
        const int first = settled.from + q * settled.length() / 4;
        const int last = settled.from + (q + 1) * settled.length() / 4;
        for (int t = first; t <= last; ++t)
            deviations[std::size_t(q)] = std::max(deviations[std::size_t(q)], std::fabs(settled.N[t] - fixedPoint));
    }
    return deviations;
}

enum class Approach { None, Slow, Clear };

// A trajectory that comes to rest shrinks its distance from the fixed point from quarter to quarter.
// One that settles on a cycle also does at first, but towards the cycle's amplitude: the limit that
// Aitken's extrapolation finds from the last three quarters must be a small part of what is left. A
// slow approach is looked at again over a longer trajectory, where it is clear or turns out not to be
// one; only on the last look does the extrapolation alone decide.
Approach approachOf(const std::array<double, 4>& deviations, double noise, bool lastLook)
{
    if (deviations[3] <= noise)
        return Approach::Clear;
    const bool shrinking
        = deviations[0] > deviations[1] && deviations[1] > deviations[2] && deviations[2] > deviations[3];
    if (!shrinking)
        return Approach::None;
    const bool halved = deviations[3] <= 0.5 * deviations[0];
    if (!halved && !lastLook)
        return Approach::Slow;
    const double last = deviations[3] - deviations[2];
    const double before = deviations[2] - deviations[1];
    const double limit = deviations[3] - last * last / (last - before);
    return std::fabs(limit) <= 0.25 * deviations[3] ? Approach::Clear : Approach::None;
}

struct Crossings {
    int signChanges = 0;
    std::optional<double> meanUpwardSpacing;
};

// The sign changes of N − F once the deviation has stayed within the linear band, counting only values
// well above rounding noise: a few changes there are the oscillation that linear theory describes, not
// an overshoot of the start.
Crossings tailCrossings(const double* N, int last, double fixedPoint, double noise)
{
    const double band = LinearBand * std::fabs(fixedPoint);
    int start = 0;
    for (int t = last; t >= 0; --t) {
        if (std::fabs(N[t] - fixedPoint) > band) {
            start = t + 1;
            break;
        }
    }
    Crossings crossings;
    int sign = 0;
    int ups = 0;
    int firstUp = 0;
    int lastUp = 0;
    for (int t = start; t <= last; ++t) {
        const double deviation = N[t] - fixedPoint;
        if (std::fabs(deviation) <= noise)
            continue;
        const int now = deviation > 0.0 ? 1 : -1;
        if (sign != 0 && now != sign) {
            ++crossings.signChanges;
            if (now > 0) {
                firstUp = ups == 0 ? t : firstUp;
                lastUp = t;
                ++ups;
            }
        }
        sign = now;
    }
    if (ups >= 2)
        crossings.meanUpwardSpacing = double(lastUp - firstUp) / double(ups - 1);
    return crossings;
}

// The mean number of steps between upward crossings of a level within the settled part.
std::optional<double> meanUpwardCrossingSpacing(const Settled& settled, double level)
{
    int ups = 0;
    int firstUp = 0;
    int lastUp = 0;
    for (int t = settled.from + 1; t <= settled.to; ++t) {
        if (settled.N[t - 1] < level && settled.N[t] >= level) {
            firstUp = ups == 0 ? t : firstUp;
            lastUp = t;
            ++ups;
        }
    }
    if (ups < 2)
        return std::nullopt;
    return double(lastUp - firstUp) / double(ups - 1);
}

// The largest |N(t) − N(t − p)| over t in [first, last], or anything above the tolerance.
double mismatch(const double* N, int first, int last, int p, double tolerance)
{
    double largest = 0.0;
    for (int t = last; t >= first && largest <= tolerance; --t)
        largest = std::max(largest, std::fabs(N[t] - N[t - p]));
    return largest;
}

struct Repetition {
    std::optional<int> period;  // N(t) = N(t − p) within RepeatTolerance
    std::optional<int> forming; // a cycle of this period still forming
};

// The smallest p with which the last quarter of the trajectory repeats, up to three turns within it.
// A wrong p fails within a few steps, so the search costs little beyond one full check. A cycle still
// forming is looked for up to twice the onset period only: those are the cycles born near a limit, and
// a quasi-periodic orbit passes that looser test for a long stretch at every multiple of its turn. As
// each candidate that passes it costs a full check, only the first few are followed up.
Repetition repetitionOf(const Settled& settled, double scale, int onsetPeriod)
{
    const int longest = settled.length() / 6;
    const int longestForming = std::min(longest, 2 * onsetPeriod + 16);
    const int last = settled.to;
    const int first = last - settled.length() / 2;
    const int middle = last - settled.length() / 4;
    int formingChecks = 4;
    Repetition repetition;
    for (int p = 1; p <= longest; ++p) {
        if (mismatch(settled.N, first, last, p, RepeatTolerance * scale) <= RepeatTolerance * scale) {
            repetition.period = p;
            return repetition;
        }
        if (repetition.forming || formingChecks == 0 || p == 1 || p > longestForming)
            continue;
        const double older = mismatch(settled.N, first, middle - 1, p, FormingTolerance * scale);
        if (older > FormingTolerance * scale)
            continue;
        --formingChecks;
        if (mismatch(settled.N, middle, last, p, older) <= FormingShrink * older)
            repetition.forming = p;
    }
    return repetition;
}

// Only rising or only falling: on its way somewhere, however slowly, without oscillating.
bool monotone(const Settled& settled)
{
    bool rises = false;
    bool falls = false;
    for (int t = settled.from + 1; t <= settled.to && !(rises && falls); ++t) {
        rises = rises || settled.N[t] > settled.N[t - 1];
        falls = falls || settled.N[t] < settled.N[t - 1];
    }
    return !(rises && falls);
}

// Sitting on K (within rounding) where linear theory says that a deviation from it grows: how fast
// it grows per step, as the exponent of its dominant root. On K the tangent of the run is the linear
// deviation, but one started from N(0) alone can stay on a slower root for ever (at r = 2 and an even
// lag it swings as (−1)^t, exactly), so the root gives the exponent here, not the measure.
std::optional<double> unstableGrowth(const RunParameters& p, const std::array<double, 4>& deviations, double noise)
{
    if (deviations[3] > noise)
        return std::nullopt;
    const auto linear = linearResponse(p.r, p.lag);
    if (!linear || linear->verdict != LinearVerdict::UnstableAtK)
        return std::nullopt;
    return dd::log(dd::DoubleDouble(linear->modulus)).hi;
}

// At rest or on the way there: smooth unless N − K keeps changing sign within the linear band. Near 0
// (which N, staying positive, cannot oscillate around) a negative r declines towards it, and a
// positive one is still far below K.
RegimeReport cameToRest(const RunParameters& p, const Settled& settled, double fixedPoint,
                        const std::array<double, 4>& deviations, double noise)
{
    RegimeReport report;
    report.regime = Regime::SettlesSmoothly;
    if (p.r == 0.0)
        return report;
    if (fixedPoint != p.K) {
        report.regime = p.r < 0.0 ? Regime::DeclinesTowardsZero : Regime::SettlesSmoothly;
        return report;
    }
    if (const auto growth = unstableGrowth(p, deviations, noise)) {
        report.regime = Regime::UnstableEquilibrium;
        report.lyapunov = growth;
        return report;
    }
    const Crossings crossings = tailCrossings(settled.N, settled.to, fixedPoint, noise);
    if (crossings.signChanges < 2)
        return report;
    report.regime = Regime::DampedOscillations;
    const auto linear = linearResponse(p.r, p.lag);
    if (linear && linear->verdict == LinearVerdict::DampedOscillations)
        report.period = linear->period;
    else
        report.period = crossings.meanUpwardSpacing;
    return report;
}

RegimeReport oscillating(const RunParameters& p, const Settled& settled, double exponent, double nMin, double nMax)
{
    RegimeReport report;
    if (exponent > ChaosThreshold) {
        report.regime = Regime::Chaotic;
        return report;
    }
    report.regime = Regime::SustainedOscillations;
    report.period = meanUpwardCrossingSpacing(settled, p.K);
    if (!report.period) // an oscillation that stays on one side of K
        report.period = meanUpwardCrossingSpacing(settled, 0.5 * (nMin + nMax));
    return report;
}

void addMeasures(RegimeReport& report, const RunParameters& p, const Settled& settled, std::optional<double> exponent,
                 double low, double high);

// The regime of a trajectory that stayed within range up to its last step, or nothing when it needs a
// longer look (unless this is the last one allowed).
std::optional<RegimeReport> judge(const RunParameters& p, RegimeWorkspace& workspace, bool lastLook,
                                  const std::atomic<bool>* cancel)
{
    const Trajectory& trajectory = workspace.trajectory;
    const Settled settled{trajectory.N.data(), trajectory.lastStep / 2, trajectory.lastStep};
    // Empty only when cancelled, or when the perturbation had to start afresh at the very end.
    const auto measured = lyapunovExponent(trajectory, p, settled.from, settled.to, workspace.tangent, cancel);
    if (cancelRequested(cancel))
        return std::nullopt;
    const double exponent = measured.value_or(std::numeric_limits<double>::quiet_NaN());
    const auto [low, high] = std::minmax_element(settled.N + settled.from, settled.N + settled.to + 1);
    const double fixedPoint = fixedPointNear(p.r, p.K, settled.N[settled.to]);
    const double noise = NoiseLevel * std::fabs(fixedPoint);
    const auto deviations = quarterDeviations(settled, fixedPoint);
    const Approach approach = approachOf(deviations, noise, lastLook);
    if (approach == Approach::Slow)
        return std::nullopt;

    std::optional<RegimeReport> report;
    if (approach == Approach::Clear || monotone(settled)) {
        report = cameToRest(p, settled, fixedPoint, deviations, noise);
    } else {
        const double scale = std::max(std::fabs(*low), std::fabs(*high));
        const Repetition repetition = repetitionOf(settled, scale, 4 * int(std::ceil(p.lag)) + 2);
        const auto period = repetition.period ? repetition.period : lastLook ? repetition.forming : std::nullopt;
        if (period == 1)
            report = RegimeReport{}; // a value that rounding no longer changes
        else if (period)
            report = RegimeReport{.regime = Regime::Periodic, .period = double(*period)};
        else if (!repetition.forming || lastLook)
            report = oscillating(p, settled, exponent, *low, *high);
    }
    if (report)
        addMeasures(*report, p, settled, measured, *low, *high);
    return report;
}

// The numbers of the settled part, where there is one: a decline and a run still on its way to K
// have none (their smallest N would be rounding's last subnormal or a value passed on the way).
void addMeasures(RegimeReport& report, const RunParameters& p, const Settled& settled, std::optional<double> exponent,
                 double low, double high)
{
    report.steps = settled.to;
    report.lastN = settled.N[settled.to];
    report.stillApproaching = report.regime == Regime::SettlesSmoothly && p.r != 0.0
        && !(std::fabs(report.lastN - p.K) <= NearEnd * std::fabs(p.K));
    if (report.stillApproaching)
        return;
    if (!report.lyapunov)
        report.lyapunov = exponent;
    if (report.regime == Regime::DeclinesTowardsZero)
        return;
    report.nMin = low;
    report.nMax = high;
}

} // namespace

namespace {

std::optional<RegimeReport> longRun(const RunParameters& parameters, RegimeWorkspace& workspace,
                                    const std::atomic<bool>* cancel)
{
    const Horizon horizon = horizonFor(parameters.lag);
    for (int steps = horizon.first;; steps = std::min(2 * steps, horizon.last)) {
        computeTrajectory(workspace.trajectory, parameters, steps, cancel);
        const Trajectory& trajectory = workspace.trajectory;
        if (trajectory.cancelled || trajectory.end == RunEnd::Refused)
            return std::nullopt;
        if (trajectory.end != RunEnd::Completed)
            return ended(trajectory);
        const bool lastLook = steps >= horizon.last;
        if (auto report = judge(parameters, workspace, lastLook, cancel))
            return report;
        if (cancelRequested(cancel))
            return std::nullopt;
    }
}

} // namespace

std::optional<RegimeReport> runRegime(const RunParameters& parameters, RegimeWorkspace& workspace,
                                      const std::atomic<bool>* cancel)
{
    if (!(parameters.lag <= MaxAnalysedLag))
        return std::nullopt;
    auto report = longRun(parameters, workspace, cancel);
    if (!report || report->regime != Regime::UnstableEquilibrium)
        return report;
    RunParameters disturbed = parameters;
    disturbed.n0 = parameters.K - Disturbance * parameters.K;
    const auto grown = longRun(disturbed, workspace, cancel);
    if (!grown)
        return std::nullopt; // cancelled
    report->disturbed = grown->regime;
    return report;
}

std::optional<RegimeReport> runRegime(const RunParameters& parameters)
{
    RegimeWorkspace workspace;
    return runRegime(parameters, workspace);
}

int regime_rules::firstSteps(double lag) { return horizonFor(lag).first; }

} // namespace tarnis
