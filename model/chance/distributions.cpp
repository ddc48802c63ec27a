// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/distributions.h"

#include "model/chance/elementary.h"

#include <cmath>

namespace tarnis {

double logGamma(double x)
{
    // Shifted up to 10 and beyond, where Stirling's series with five terms is exact to rounding.
    double shift = 0.0;
    while (x < 10.0) {
        shift += elementary::log(x);
        x += 1.0;
    }
    const double inverse = 1.0 / x;
    const double inverse2 = inverse * inverse;
    const double series = inverse
        * (1.0 / 12.0
           - inverse2 * (1.0 / 360.0 - inverse2 * (1.0 / 1260.0 - inverse2 * (1.0 / 1680.0 - inverse2 / 1188.0))));
    constexpr double HalfLog2Pi = 0.91893853320467274178;
    return (x - 0.5) * elementary::log(x) - x + HalfLog2Pi + series - shift;
}

double RandomDraws::standardNormal()
{
    if (m_hasSpare) {
        m_hasSpare = false;
        return m_spareNormal;
    }
    double u = 0.0;
    double v = 0.0;
    double s = 0.0;
    do {
        u = 2.0 * uniform() - 1.0;
        v = 2.0 * uniform() - 1.0;
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double factor = std::sqrt(-2.0 * elementary::log(s) / s);
    m_spareNormal = v * factor;
    m_hasSpare = true;
    return u * factor;
}

double RandomDraws::lognormalFactor(double sigma)
{
    if (sigma == 0.0)
        return 1.0;
    return elementary::exp(sigma * standardNormal() - sigma * sigma / 2.0);
}

double RandomDraws::poisson(double mean)
{
    if (!(mean > 0.0))
        return 0.0;
    return mean < 10.0 ? smallPoisson(mean) : largePoisson(mean);
}

// The count of uniforms whose product stays above e^−mean.
double RandomDraws::smallPoisson(double mean)
{
    const double limit = elementary::exp(-mean);
    double count = 0.0;
    double product = uniform();
    while (product > limit) {
        count += 1.0;
        product *= uniform();
    }
    return count;
}

// PTRS: W. Hörmann, "The transformed rejection method for generating Poisson random variables",
// Insurance: Mathematics and Economics 12 (1993) 39–45.
double RandomDraws::largePoisson(double mean)
{
    const double rootMean = std::sqrt(mean);
    const double b = 0.931 + 2.53 * rootMean;
    const double a = -0.059 + 0.02483 * b;
    const double inverseAlpha = 1.1239 + 1.1328 / (b - 3.4);
    const double vr = 0.9277 - 3.6224 / (b - 2.0);
    for (;;) {
        const double u = uniform() - 0.5;
        const double v = uniform();
        const double us = 0.5 - std::fabs(u);
        const double k = std::floor((2.0 * a / us + b) * u + mean + 0.43);
        if (us >= 0.07 && v <= vr)
            return k;
        if (k < 0.0 || (us < 0.013 && v > us))
            continue;
        // The slow test, for the few draws the squeeze does not settle.
        if (elementary::log(v) + elementary::log(inverseAlpha) - elementary::log(a / (us * us) + b)
            <= -mean + k * elementary::log(mean) - logGamma(k + 1.0))
            return k;
    }
}

} // namespace tarnis
