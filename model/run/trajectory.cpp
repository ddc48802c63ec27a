// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/trajectory.h"

#include "model/run/model_step.h"

#include <cmath>

namespace tarnis {

void computeTrajectory(Trajectory& trajectory, const RunParameters& parameters, int steps,
                       const std::atomic<bool>* cancel)
{
    RunParameters checked = parameters;
    checked.steps = 0;
    trajectory.cancelled = false;
    trajectory.lastStep = 0;
    if (checkRunParameters(checked) || steps < 0) {
        trajectory.end = RunEnd::Refused;
        trajectory.N.clear();
        return;
    }
    trajectory.N.resize(std::size_t(steps) + 1);
    double* N = trajectory.N.data();
    const double r = parameters.r;
    const double K = parameters.K;
    const double lag = parameters.lag;
    N[0] = parameters.n0;
    double current = parameters.n0;
    for (int i = 1; i <= steps; ++i) {
        if (i % CancelCheckSteps == 0 && cancelRequested(cancel)) {
            trajectory.cancelled = true;
            trajectory.lastStep = i - 1;
            return;
        }
        const std::size_t index = laggedIndex(i, lag);
        const double lagged = index == std::size_t(i - 1) ? current : N[index];
        const auto [dN, dNperN, next] = modelStep(current, lagged, r, K);
        if (!std::isfinite(dN) || !std::isfinite(dNperN) || !std::isfinite(next)) {
            trajectory.end = RunEnd::LeftRange;
            trajectory.lastStep = i - 1;
            trajectory.N.resize(std::size_t(i));
            return;
        }
        if (!(next > 0.0)) {
            N[i] = 0.0;
            trajectory.end = RunEnd::DiedOut;
            trajectory.lastStep = i;
            trajectory.N.resize(std::size_t(i) + 1);
            return;
        }
        N[i] = next;
        current = next;
    }
    trajectory.end = RunEnd::Completed;
    trajectory.lastStep = steps;
}

} // namespace tarnis
