// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/dynamics_plan.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

using namespace dynamics_plan;

// The longest lag of the map: a multiple of 20, so that its 41 lags are multiples of one half.
constexpr double LongestMapLag = 9980.0;

double upToHalf(double value) { return std::ceil(value * 2.0) / 2.0; }

double rateTopFor(const RunParameters& run)
{
    double top = std::max(1.0, 1.25 * run.r);
    if (const auto limits = stabilityLimits(run.lag))
        top = std::max(top, 1.5 * limits->rStable);
    return std::min(upToHalf(top), MaxRate);
}

double lagTopFor(double lag)
{
    if (!(lag > 20.0))
        return 20.0;
    return std::min(20.0 * std::ceil(lag / 20.0), LongestMapLag);
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

// Enough steps left out that a dozen of the slowest oscillations of the lag have passed.
int discardFor(double lag)
{
    const double slowest = 4.0 * std::ceil(lag) + 2.0;
    return int(std::clamp(10.0 * slowest, double(Discard), double(MaxBifurcationSteps - Keep)));
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

DynamicsPlan planDynamics(const RunParameters& run)
{
    DynamicsPlan plan;
    plan.run = run;
    plan.rateTop = rateTopFor(run);
    plan.lagTop = lagTopFor(run.lag);
    plan.map = {upTo(plan.rateTop, MapRates), fromZero(plan.lagTop / (MapLags - 1), MapLags), run.n0, run.K};
    for (const double lag : plan.map.lags)
        plan.limits.push_back(stabilityLimits(lag));
    plan.overRate = bifurcationRequest(run, BifurcationAxis::Rate, upTo(plan.rateTop, BifurcationRates));
    const double lagStep = 0.5 * std::ceil(plan.lagTop / ((MaxBifurcationLags - 1) * 0.5));
    plan.overLag
        = bifurcationRequest(run, BifurcationAxis::Lag, fromZero(lagStep, int(std::lround(plan.lagTop / lagStep)) + 1));
    plan.runLimits = stabilityLimits(run.lag);
    plan.criticalLag = criticalLag(run.r, plan.overLag.values);
    return plan;
}

} // namespace tarnis
