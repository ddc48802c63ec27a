// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/elementary.h"

#include <cmath>
#include <limits>

namespace tarnis::elementary {

namespace {

// ln 2 in two parts; the first has its last 32 bits zero, so k·Ln2High is exact for |k| < 2^21.
constexpr double Ln2High = 6.93147180369123816490e-01;
constexpr double Ln2Low = 1.90821492927058770002e-10;
constexpr double Sqrt2Half = 0.70710678118654752440;

} // namespace

double log(double x)
{
    if (!(x > 0.0))
        return x == 0.0 ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    if (std::isinf(x))
        return x;
    int exponent = 0;
    double m = std::frexp(x, &exponent); // x = m·2^exponent, m in [0.5, 1)
    if (m < Sqrt2Half) {
        m *= 2.0;
        --exponent;
    }
    // ln m = 2·atanh(s) = 2s·(1 + s²/3 + s⁴/5 + …) with s = (m − 1)/(m + 1), |s| < 0.1716: eleven terms
    // take the series below a unit in the last place.
    const double f = m - 1.0;
    const double s = f / (2.0 + f);
    const double s2 = s * s;
    double series = 1.0 / 23.0;
    for (int k = 10; k >= 0; --k)
        series = 1.0 / double(2 * k + 1) + s2 * series;
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
    // x = k·ln 2 + r with |r| <= ln 2 / 2, then e^r by its series to the 13th power.
    const double k = std::floor(x / 0.6931471805599453 + 0.5);
    const double r = (x - k * Ln2High) - k * Ln2Low;
    double series = 1.0;
    for (int n = 13; n >= 1; --n)
        series = 1.0 + r * series / double(n);
    return std::ldexp(series, int(k));
}

} // namespace tarnis::elementary
