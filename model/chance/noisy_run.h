// A run with chance in it. Demographic noise: N(t+1) is a Poisson count whose mean is the model's
// next value, so the population is counted in whole animals. Environmental noise: the growth term
// r·N(t)·(1 − N(t−T)/K) is multiplied by exp(σε − σ²/2) each step, a factor of mean 1 (good and bad
// years). Either, both or none; with none the run is the model's run bit for bit. A population that
// falls below the quasi-extinction threshold counts as extinct there and stays at 0.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/distributions.h"
#include "model/run/run.h"

#include <optional>
#include <vector>

namespace tarnis {

struct Noise {
    bool demographic = false;
    double sigma = 0.0; // of the environmental factor's logarithm; 0 for none
};

// Below one animal, by default.
inline constexpr double DefaultExtinctionThreshold = 1.0;
// The largest σ any front end takes: beyond it a year's factor is 0 or enormous, and the noise says
// nothing more.
inline constexpr double MostSigma = 10.0;

struct ChanceRun {
    std::vector<double> n;             // N(0) … N(steps); 0 from the step of extinction on
    std::optional<int> extinctionTime; // the first t with N below the threshold
    bool leftRange = false;            // N left the double range; `n` ends before it
};

// Every draw comes from `draws`, in the order of the steps: one normal per step with environmental
// noise, then one Poisson count with demographic noise. The parameters must pass checkRunParameters.
ChanceRun noisyRun(const RunParameters& parameters, const Noise& noise, double threshold, RandomDraws& draws);

} // namespace tarnis
