// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/distributions.h"

#include "model/chance/elementary.h"

#include <array>
#include <cmath>
#include <vector>

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

namespace {

constexpr std::size_t ZigguratLayers = 128;
constexpr double ZigguratR = 3.442619855899; // where the tail begins

struct ZigguratTable {
    std::array<double, ZigguratLayers + 1> x{};
    std::array<double, ZigguratLayers> ratio{};
};

// ln k! for the counts that large Poisson draws near a population of a few thousand ask for, worked out
// once by logGamma itself, so that the table changes no draw.
constexpr int TabledFactorials = 4096;

double logFactorial(double k)
{
    static const std::vector<double> table = [] {
        std::vector<double> values(TabledFactorials);
        for (int i = 0; i < TabledFactorials; ++i)
            values[std::size_t(i)] = logGamma(double(i) + 1.0);
        return values;
    }();
    return k < double(TabledFactorials) ? table[std::size_t(k)] : logGamma(k + 1.0);
}

// The layers' right edges, x[0] the width of the lowest layer's rectangle of equal area (V / f(R))
// and x[128] = 0, and the share of each layer that lies wholly under the curve. Worked out once with
// the project's own functions and the exact square root, so every platform holds the same table.
const ZigguratTable& zigguratTable()
{
    static const ZigguratTable table = [] {
        constexpr double Area = 9.91256303526217e-3; // of each layer, for R = 3.442619855899
        ZigguratTable t;
        double f = elementary::exp(-0.5 * ZigguratR * ZigguratR);
        t.x[0] = Area / f;
        t.x[1] = ZigguratR;
        for (std::size_t i = 2; i < ZigguratLayers; ++i) {
            t.x[i] = std::sqrt(-2.0 * elementary::log(Area / t.x[i - 1] + f));
            f = elementary::exp(-0.5 * t.x[i] * t.x[i]);
        }
        t.x[ZigguratLayers] = 0.0;
        for (std::size_t i = 0; i < ZigguratLayers; ++i)
            t.ratio[i] = t.x[i + 1] / t.x[i];
        return t;
    }();
    return table;
}

} // namespace

// The ziggurat (Marsaglia and Tsang 2000, in the form of J. A. Doornik, "An improved ziggurat method
// to generate normal random samples", 2005): 128 layers of equal area under the half curve, the lowest
// with the tail beyond R. Nearly every draw is one uniform, its layer and a comparison; the wedges
// and the tail, about one draw in eighty, pay for logs and exps.
double RandomDraws::standardNormal()
{
    const ZigguratTable& table = zigguratTable();
    for (;;) {
        // One pair of the generator's draws: 53 bits for the uniform, 7 of the bits it leaves for the layer.
        const std::uint64_t first = m_generator.next();
        const std::uint64_t second = m_generator.next();
        const double u = 2.0 * double(((first >> 5U) << 26U) | (second >> 6U)) / 9007199254740992.0 - 1.0;
        const auto layer = std::size_t((second & 0x3FU) | ((first & 0x1U) << 6U));
        if (std::fabs(u) < table.ratio[layer])
            return u * table.x[layer];
        if (layer == 0)
            return normalTail(u < 0.0);
        const double x = u * table.x[layer];
        const double outer = elementary::exp(-0.5 * (table.x[layer] * table.x[layer] - x * x));
        const double inner = elementary::exp(-0.5 * (table.x[layer + 1] * table.x[layer + 1] - x * x));
        if (inner + uniform() * (outer - inner) < 1.0)
            return x;
    }
}

// Beyond R, by Marsaglia's exponential rejection (1964); 1 − U lies in (0, 1], so no log of 0.
double RandomDraws::normalTail(bool negative)
{
    double x = 0.0;
    double y = 0.0;
    do {
        x = elementary::log(1.0 - uniform()) / ZigguratR;
        y = elementary::log(1.0 - uniform());
    } while (-2.0 * y < x * x);
    return negative ? x - ZigguratR : ZigguratR - x;
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
        // The slow test, for the few draws the squeeze does not settle: log(v·α⁻¹ / (a/us² + b)) against
        // the log of the count's probability, one log on each side.
        if (elementary::log(v * inverseAlpha / (a / (us * us) + b))
            <= -mean + k * elementary::log(mean) - logFactorial(k))
            return k;
    }
}

} // namespace tarnis
