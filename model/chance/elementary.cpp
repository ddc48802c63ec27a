// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/elementary.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tarnis::elementary {

namespace {

// ln 2 in two parts; the first has its last 32 bits zero, so k·Ln2High is exact for |k| < 2^21.
constexpr double Ln2High = 6.93147180369123816490e-01;
constexpr double Ln2Low = 1.90821492927058770002e-10;
constexpr double InverseLn2 = 1.44269504088896338700;
constexpr double Sqrt2Half = 0.70710678118654752440;
constexpr std::uint64_t MantissaBits = (std::uint64_t(1) << 52U) - 1U;
constexpr std::uint64_t HalfExponent = std::uint64_t(1022) << 52U; // the exponent of [0.5, 1)

// A double's bits and back (std::bit_cast, which the WebAssembly build's library lacks).
std::uint64_t bitsOf(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits)
{
    double x = 0.0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// x·2^k, exactly. The power of two is built from its bits where it is a normal double (every step of a
// noisy run passes here, and the library's scaling is a call); at the ends, the library's exact one.
double timesPowerOfTwo(double x, int k)
{
    if (k < -1022 || k > 1023)
        return std::ldexp(x, k);
    return x * fromBits(std::uint64_t(k + 1023) << 52U);
}

// x = m·2^exponent with m in [0.5, 1), for x > 0 and finite: frexp without the call.
double splitExponent(double x, int& exponent)
{
    int shift = 0;
    if (x < std::numeric_limits<double>::min()) { // subnormal: made normal first
        x *= 18014398509481984.0;                 // 2^54
        shift = 54;
    }
    const auto bits = bitsOf(x);
    exponent = int(bits >> 52U) - 1022 - shift;
    return fromBits((bits & MantissaBits) | HalfExponent);
}

} // namespace

double log(double x)
{
    if (!(x > 0.0))
        return x == 0.0 ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    if (std::isinf(x))
        return x;
    int exponent = 0;
    double m = splitExponent(x, exponent);
    if (m < Sqrt2Half) {
        m *= 2.0;
        --exponent;
    }
    // ln m = 2·atanh(s) = 2s·(1 + z/3 + z²/5 + … + z¹¹/23) with s = (m − 1)/(m + 1), z = s² < 0.0295: the
    // terms left out are below a unit in the last place. The first three by Horner's rule, which keeps
    // the rounding of the large terms small; the small rest in pairs (Estrin's scheme), which shortens
    // the chain of dependent operations that a step waits for.
    const double f = m - 1.0;
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double z2 = z * z;
    const double z4 = z2 * z2;
    const double rest = ((1.0 / 7.0 + z * (1.0 / 9.0)) + z2 * (1.0 / 11.0 + z * (1.0 / 13.0)))
        + z4 * ((1.0 / 15.0 + z * (1.0 / 17.0)) + z2 * (1.0 / 19.0 + z * (1.0 / 21.0)) + z4 * (1.0 / 23.0));
    const double series = 1.0 + z * (1.0 / 3.0 + z * (1.0 / 5.0 + z * rest));
    const double lnM = 2.0 * s * series;
    const double e = double(exponent);
    return e * Ln2High + (lnM + e * Ln2Low);
}

double exp(double x)
{
    if (x != x)
        return x;
    if (x > 709.782712893384)
        return std::numeric_limits<double>::infinity();
    if (x < -745.1332191019412)
        return 0.0;
    // x = k·ln 2 + r with |r| <= ln 2 / 2 (and a hair), then e^r by its Taylor series to r¹³/13!, whose
    // coefficients are constants: the first four terms by Horner's rule, the rest in pairs.
    const double k = std::floor(x * InverseLn2 + 0.5);
    const double r = (x - k * Ln2High) - k * Ln2Low;
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double rest = ((1.0 / 24.0 + r * (1.0 / 120.0)) + r2 * (1.0 / 720.0 + r * (1.0 / 5040.0)))
        + r4
            * ((1.0 / 40320.0 + r * (1.0 / 362880.0)) + r2 * (1.0 / 3628800.0 + r * (1.0 / 39916800.0))
               + r4 * (1.0 / 479001600.0 + r * (1.0 / 6227020800.0)));
    const double series = 1.0 + r * (1.0 + r * (0.5 + r * (1.0 / 6.0 + r * rest)));
    return timesPowerOfTwo(series, int(k));
}

} // namespace tarnis::elementary
