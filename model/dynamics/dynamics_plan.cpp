// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/dynamics_plan.h"

#include "model/dynamics/dynamics_labels.h"
#include "model/dynamics/run_regime.h"
#include "model/numbers/conversions.h"
#include "model/numbers/double_double.h"
#include "model/run/trajectory.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

using namespace dynamics_plan;

// The r axis reaches this factor past the r at which the population dies out, so that a band of
// dying out shows; and at least this factor beyond the run's r, so that the run never sits on an edge.
constexpr double PastDyingOut = 1.15;
constexpr double RunRoom = 1.25;
// The map's r axis starts this factor below the r_m of its longest lag.
constexpr double BelowMonotone = 4.0;

double upToHalf(double value) { return std::ceil(value * 2.0) / 2.0; }

// The onset period of the lag: the slowest oscillation it knows.
double onsetPeriod(double lag) { return 4.0 * std::ceil(lag) + 2.0; }

// 20, or the next multiple of 20 at or above the run's lag, up to the longest lag analysed.
double lagTopFor(double lag)
{
    if (!(lag > LinearLagLimit))
        return LinearLagLimit;
    return std::min(20.0 * std::ceil(lag / 20.0), MaxAnalysedLag);
}

// The furthest that a linear diagram over r reaches: past both the run's r and the r at which a run of
// its lag dies out, at least 1, rounded up to a half. `dying` is the run's dyingOutRate.
double linearRateTop(const RunParameters& run, std::optional<double> dying)
{
    double top = std::max(1.0, RunRoom * run.r);
    if (const auto limits = stabilityLimits(run.lag))
        top = std::max(top, 1.5 * limits->rStable);
    if (dying)
        top = std::max(top, PastDyingOut * *dying);
    return std::min(upToHalf(top), MaxRate);
}

// The diagram over r follows the dynamics of the run's own lag: past the r at which a run of that lag
// dies out (and past r_c and the run's r), not the map's range, which must reach the shortest lags'
// (at lag 20 everything happens below r = 0.15 of a map that runs to 3.5). The top is a round number:
// 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten.
double diagramRateTop(const RunParameters& run, std::optional<double> dying)
{
    double top = RunRoom * std::max(run.r, 0.0);
    if (const auto limits = stabilityLimits(run.lag))
        top = std::max(top, 1.5 * limits->rStable);
    if (dying)
        top = std::max(top, PastDyingOut * *dying);
    if (!(top > 0.0))
        return 1.0;
    constexpr double Steps[]{1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0};
    double decade = 1.0;
    while (decade > top)
        decade /= 10.0;
    while (decade * 10.0 <= top)
        decade *= 10.0;
    for (const double step : Steps)
        if (step * decade >= top)
            return std::min(step * decade, MaxRate);
    return std::min(10.0 * decade, MaxRate);
}

// count values from top/count up to top, each worked out from its own index so that none carries
// the rounding of the others (a click writes them into a box).
std::vector<double> upTo(double top, int count)
{
    std::vector<double> values(std::size_t(count), 0.0);
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = (i + 1) * top / count;
    return values;
}

std::vector<double> fromZero(double step, int count)
{
    std::vector<double> values(std::size_t(count), 0.0);
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = i * step;
    return values;
}

// base^exponent for a positive base, through double-double arithmetic rather than the C library's pow,
// whose last bits differ between platforms: every front end plans the same grid.
double power(double base, double exponent)
{
    return dd::exp(dd::log(dd::DoubleDouble(base)) * exponent).hi;
}

// count values at a constant ratio from low to high, each rounded to the fewest significant digits
// (from three) that keep them all apart: the numbers that a box holds as they are written.
std::vector<double> geometric(double low, double high, int count, int digits)
{
    // The logarithm of the ratio once, and each value once: every plan makes one such axis.
    const dd::DoubleDouble logRatio = dd::log(dd::DoubleDouble(high / low));
    std::vector<double> exact(std::size_t(count), 0.0);
    for (int i = 0; i < count; ++i)
        exact[std::size_t(i)] = low * dd::exp(logRatio * (double(i) / (count - 1))).hi;
    std::vector<double> values(std::size_t(count), 0.0);
    for (; digits <= 17; ++digits) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = readLenient(numberToText(exact[i], '.', digits)).value_or(exact[i]);
        if (std::adjacent_find(values.begin(), values.end(), std::greater_equal<>()) == values.end())
            break;
    }
    return values;
}

// The lags of a logarithmic map, from 1 to its longest at a constant ratio, in halves below 20 and
// whole above, each once: at the short end they are every half lag.
std::vector<double> logarithmicLags(double top)
{
    std::vector<double> lags;
    for (int i = 0; i < MapLags; ++i) {
        const double exact = power(top, double(i) / (MapLags - 1));
        const double lag = exact < LinearLagLimit ? std::round(2.0 * exact) / 2.0 : std::round(exact);
        if (lags.empty() || lag > lags.back())
            lags.push_back(lag);
    }
    lags.back() = top;
    return lags;
}

// r from below the r_m of the longest lag (and below the run's r) to past the r at which a run of the
// shortest lag dies out (and past the run's r).
// `shortestDying` is the dyingOutRate of the shortest lag.
std::pair<double, double> logarithmicRates(const RunParameters& run, const std::vector<double>& lags,
                                           std::optional<double> shortestDying)
{
    double low = 1e-3;
    if (const auto limits = stabilityLimits(lags.back()))
        low = limits->rMonotone / BelowMonotone;
    double high = 1.5 * stabilityLimits(lags.front())->rStable;
    if (shortestDying)
        high = std::max(high, PastDyingOut * *shortestDying);
    if (run.r > 0.0) {
        low = std::min(low, run.r / RunRoom);
        high = std::max(high, RunRoom * run.r);
    }
    return {low, std::min(high, MaxRate)};
}

// Enough steps left out that a dozen of the slowest oscillations of the lag have passed.
int discardFor(double lag)
{
    return int(std::clamp(10.0 * onsetPeriod(lag), double(Discard), double(MaxBifurcationSteps - Keep)));
}

BifurcationRequest bifurcationRequest(const RunParameters& run, BifurcationAxis axis, std::vector<double> values)
{
    BifurcationRequest request;
    request.parameters = run;
    request.axis = axis;
    request.discard = discardFor(axis == BifurcationAxis::Rate ? run.lag : values.back());
    request.keep = Keep;
    request.values = std::move(values);
    return request;
}

// r_c falls as the lag grows, so the first lag whose r_c lies below r is where N = K stops being stable.
std::optional<double> criticalLag(double r, const std::vector<double>& lags)
{
    for (const double lag : lags) {
        const auto limits = stabilityLimits(lag);
        if (limits && r > limits->rStable)
            return lag;
    }
    return std::nullopt;
}

} // namespace

std::vector<double> cellEdges(const std::vector<double>& values, bool logarithmic)
{
    const std::size_t count = values.size();
    if (count == 0)
        return {};
    const auto between = [logarithmic](double a, double b) { return logarithmic ? std::sqrt(a * b) : 0.5 * (a + b); };
    // The edge as far beyond `value` as `inner` lies on its other side.
    const auto mirrored = [logarithmic](double value, double inner) {
        return logarithmic ? value * value / inner : 2.0 * value - inner;
    };
    std::vector<double> edges(count + 1);
    for (std::size_t i = 1; i < count; ++i)
        edges[i] = between(values[i - 1], values[i]);
    if (count == 1) {
        edges = logarithmic ? std::vector{values[0] / 2.0, values[0] * 2.0}
                            : std::vector{values[0] - 0.5, values[0] + 0.5};
        return edges;
    }
    edges[0] = mirrored(values[0], edges[1]);
    edges[count] = mirrored(values[count - 1], edges[count - 1]);
    return edges;
}

std::vector<DiagramMark> diagramMarks(const RunParameters& run, BifurcationAxis axis,
                                      const std::optional<StabilityLimits>& runLimits,
                                      std::optional<double> criticalLag)
{
    using enum DiagramMarkKind;
    std::vector<DiagramMark> marks;
    if (axis == BifurcationAxis::Rate) {
        if (runLimits) {
            marks.push_back({Critical, runLimits->rStable, Labels.stableMark});
            marks.push_back({Monotone, runLimits->rMonotone, Labels.monotoneMark});
        }
        marks.push_back({Run, run.r, Labels.runMark});
    } else {
        if (criticalLag)
            marks.push_back({Critical, *criticalLag, Labels.criticalLagMark});
        marks.push_back({Run, run.lag, Labels.runMark});
    }
    return marks;
}

std::optional<double> dyingOutRate(double lag, double n0, double K)
{
    const auto limits = stabilityLimits(lag);
    if (!limits)
        return std::nullopt;
    RunParameters probe{.r = 0.0, .K = K, .steps = 0, .n0 = n0, .lag = lag};
    if (n0 == K)
        probe.n0 = K - regime_rules::Disturbance * K;
    // A dying run overshoots K within its first few oscillations, once N has grown to K.
    const int steps = int(std::min(2000.0 + 12.0 * onsetPeriod(lag), 1e6));
    Trajectory trajectory;
    const auto ends = [&](double r) {
        probe.r = r;
        computeTrajectory(trajectory, probe, steps);
        return trajectory.end == RunEnd::DiedOut || trajectory.end == RunEnd::LeftRange;
    };
    double survived = 0.0;
    for (double r = 0.5 * limits->rStable; r <= MaxRate; r *= 1.25) {
        if (!ends(r)) {
            survived = r;
            continue;
        }
        // Closer, between the last r that survived and this one: to a fiftieth of the ladder's step.
        for (int halving = 0; halving < 4 && survived > 0.0; ++halving) {
            const double middle = 0.5 * (survived + r);
            (ends(middle) ? r : survived) = middle;
        }
        return r;
    }
    return std::nullopt;
}

DynamicsPlan planDynamics(const RunParameters& run)
{
    DynamicsPlan plan;
    plan.run = run;
    if (!(run.lag <= MaxAnalysedLag)) {
        plan.analysed = false;
        plan.map.n0 = run.n0;
        plan.map.K = run.K;
        return plan;
    }
    const double lagTop = lagTopFor(run.lag);
    plan.logarithmicMapRates = true;
    plan.logarithmicMapLags = lagTop > LinearLagLimit;
    plan.logarithmicDiagramRates = plan.logarithmicMapLags;
    const std::vector<double> lags
        = plan.logarithmicMapLags ? logarithmicLags(lagTop) : fromZero(lagTop / (MapLags - 1), MapLags);
    // Each search for where a lag dies out takes many runs: a run at the map's shortest lag needs one.
    const auto shortestDying = dyingOutRate(lags.front(), run.n0, run.K);
    const auto dying = lags.front() == run.lag ? shortestDying : dyingOutRate(run.lag, run.n0, run.K);
    const auto [low, high] = logarithmicRates(run, lags, shortestDying);
    plan.map = {geometric(low, high, MapRates, 3), lags, run.n0, run.K};
    std::vector<double> rates;
    if (plan.logarithmicDiagramRates) {
        rates = geometric(low, std::max(std::min(high, diagramRateTop(run, dying)), 10.0 * low), BifurcationRates, 4);
    } else {
        rates = upTo(std::min(linearRateTop(run, dying), diagramRateTop(run, dying)), BifurcationRates);
        // A top such as 0.15 is no double: each value is the short decimal it stands for, as a box
        // holds it when a click writes it there.
        for (double& rate : rates)
            rate = readLenient(numberToText(rate, '.', 12)).value_or(rate);
    }
    plan.lagEdges = cellEdges(plan.map.lags, plan.logarithmicMapLags);
    plan.rateEdges = cellEdges(plan.map.rates, plan.logarithmicMapRates);
    for (const double lag : plan.map.lags)
        plan.limits.push_back(stabilityLimits(lag));
    plan.overRate = bifurcationRequest(run, BifurcationAxis::Rate, std::move(rates));
    const double lagStep = 0.5 * std::ceil(lagTop / ((MaxBifurcationLags - 1) * 0.5));
    plan.overLag
        = bifurcationRequest(run, BifurcationAxis::Lag, fromZero(lagStep, int(std::floor(lagTop / lagStep)) + 1));
    plan.runLimits = stabilityLimits(run.lag);
    plan.criticalLag = criticalLag(run.r, plan.overLag.values);
    return plan;
}

} // namespace tarnis
