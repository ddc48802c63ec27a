// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/noisy_run.h"

#include "model/run/model_step.h"

#include <cmath>

namespace tarnis {

ChanceRun noisyRun(const RunParameters& p, const Noise& noise, double threshold, RandomDraws& draws)
{
    ChanceRun run;
    run.n.reserve(std::size_t(p.steps) + 1);
    run.n.push_back(p.n0);
    if (p.n0 < threshold) {
        run.extinctionTime = 0;
        run.n.resize(std::size_t(p.steps) + 1, 0.0);
        return run;
    }
    for (int i = 1; i <= p.steps; ++i) {
        const double current = run.n[std::size_t(i - 1)];
        const double lagged = run.n[laggedIndex(i, p.lag)];
        const StepValues step = modelStep(current, lagged, p.r, p.K);
        // Environmental noise scales the step's growth term; a factor of exactly 1 leaves it as it is.
        double next = noise.sigma == 0.0 ? step.next : step.dN * draws.lognormalFactor(noise.sigma) + current;
        // A mean beyond the doubles (or none, ∞·0) has left the range: a Poisson draw would make it 0.
        if (noise.demographic && std::isfinite(next))
            next = draws.poisson(next);
        if (!std::isfinite(next)) {
            run.leftRange = true;
            return run;
        }
        if (next < threshold || next <= 0.0) {
            run.extinctionTime = i;
            run.n.resize(std::size_t(p.steps) + 1, 0.0);
            return run;
        }
        run.n.push_back(next);
    }
    return run;
}

} // namespace tarnis
