// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/dynamics_restart.h"

namespace tarnis {

namespace {

// The parameters that the regime of a run depends on: all but the steps.
bool sameDynamics(const RunParameters& a, const RunParameters& b)
{
    return a.r == b.r && a.K == b.K && a.n0 == b.n0 && a.lag == b.lag;
}

bool sameGrid(const ScanGrid& a, const ScanGrid& b)
{
    return a.rates == b.rates && a.lags == b.lags && a.n0 == b.n0 && a.K == b.K;
}

// The same columns: the run's own r (over r) or lag (over the lag) is only where its mark stands.
bool sameColumns(const BifurcationRequest& a, const BifurcationRequest& b)
{
    const RunParameters& p = a.parameters;
    const RunParameters& q = b.parameters;
    const bool sameFixed = a.axis == BifurcationAxis::Rate ? p.lag == q.lag : p.r == q.r;
    return a.axis == b.axis && sameFixed && p.n0 == q.n0 && p.K == q.K && a.discard == b.discard
        && a.keep == b.keep && a.values == b.values;
}

const BifurcationRequest& requestOver(const DynamicsPlan& plan, BifurcationAxis axis)
{
    return axis == BifurcationAxis::Rate ? plan.overRate : plan.overLag;
}

} // namespace

DynamicsRestart dynamicsRestart(const DynamicsPlan* shown, const DynamicsPlan& next, BifurcationAxis axis)
{
    if (!shown)
        return {};
    const bool pictures = shown->analysed && next.analysed;
    return {.regime = !sameDynamics(shown->run, next.run),
            .map = !(pictures && sameGrid(shown->map, next.map)),
            .diagram = !(pictures && sameColumns(requestOver(*shown, axis), requestOver(next, axis)))};
}

DynamicsPlan followingPlan(const DynamicsPlan* shown, const RunParameters& run)
{
    if (!shown || !sameDynamics(shown->run, run))
        return planDynamics(run);
    DynamicsPlan plan = *shown;
    for (RunParameters* parameters : {&plan.run, &plan.overRate.parameters, &plan.overLag.parameters})
        parameters->steps = run.steps;
    return plan;
}

} // namespace tarnis
