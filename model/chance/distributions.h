// The draws a noisy run needs, from the project's own generator and functions so that every platform
// draws the same numbers: a standard normal (by the ziggurat), a lognormal factor of mean 1,
// and a Poisson count (by multiplying uniforms for a small mean, by Hörmann's transformed rejection
// with squeeze, PTRS, from a mean of 10).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/random_numbers.h"

namespace tarnis {

class RandomDraws {
public:
    RandomDraws(std::uint64_t seed, std::uint64_t stream)
        : m_generator(seed, stream)
    {
    }

    double uniform() { return m_generator.uniform(); }
    double standardNormal();
    // exp(σε − σ²/2), ε standard normal: a factor whose mean is 1. Exactly 1 for σ = 0, without a draw.
    double lognormalFactor(double sigma);
    // A whole number of mean `mean` (0 for a mean that is not above 0).
    double poisson(double mean);

private:
    double normalTail(bool negative);
    double smallPoisson(double mean);
    double largePoisson(double mean);

    Pcg32 m_generator;
};

// ln Γ(x) for x >= 1, to about 1e-14: the logarithms of the factorials that a Poisson draw weighs.
double logGamma(double x);

} // namespace tarnis
