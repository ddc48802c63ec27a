// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/double_double.h"

#include <cmath>
#include <limits>

// The exact error terms below hold only if every product is rounded on its own: the model's builds
// compile with -ffp-contract=off, so that no compiler fuses a product and a sum into one rounding.

namespace tarnis::dd {

namespace {

struct Sum {
    double value;
    double error; // value + error is exact
};

Sum twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// |a| >= |b|, or a = 0.
Sum quickTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// Dekker's split into two halves of 26 bits, whose products are exact; far up the range the
// splitter's product would overflow, so the value is scaled down first.
Sum split(double a)
{
    if (std::fabs(a) > 0x1p995) {
        const Sum scaled = split(a * 0x1p-28);
        return {scaled.value * 0x1p28, scaled.error * 0x1p28};
    }
    constexpr double splitter = 134217729.0; // 2^27 + 1
    const double t = splitter * a;
    const double high = t - (t - a);
    return {high, a - high};
}

Sum twoProduct(double a, double b)
{
    const double p = a * b;
    const Sum x = split(a);
    const Sum y = split(b);
    return {p, ((x.value * y.value - p) + x.value * y.error + x.error * y.value) + x.error * y.error};
}

DoubleDouble fromSum(Sum sum) { return DoubleDouble::fromParts(sum.value, sum.error); }

constexpr double Negligible = 1e-34; // a term of a series below this part of the sum changes nothing

// Σ first·(factor(1)·factor(2)·…) until the terms no longer count.
template <typename Factor> DoubleDouble series(DoubleDouble first, Factor factor)
{
    DoubleDouble sum = first;
    DoubleDouble term = first;
    for (int k = 1; k < 200 && term.hi != 0.0; ++k) {
        term = term * factor(k);
        sum += term;
        if (std::fabs(term.hi) < Negligible * std::fabs(sum.hi))
            break;
    }
    return sum;
}

// sin and cos of |x| <= π/4.
DoubleDouble sinTaylor(DoubleDouble x)
{
    const DoubleDouble square = x * x;
    return series(x, [&](int k) { return -square / double((2 * k) * (2 * k + 1)); });
}

DoubleDouble cosTaylor(DoubleDouble x)
{
    const DoubleDouble square = x * x;
    return series(1.0, [&](int k) { return -square / double((2 * k - 1) * (2 * k)); });
}

// x = q·π/2 + r with |r| <= π/4; q taken modulo 4.
struct Reduced {
    int quadrant;
    DoubleDouble rest;
};

Reduced reduced(DoubleDouble x)
{
    if (!std::isfinite(x.hi))
        return {0, x}; // NaN or an infinity: no quadrant, and the sine or cosine of it is NaN
    const DoubleDouble halfPi = ldexp(pi, -1);
    const double q = std::nearbyint(x.hi / halfPi.hi);
    const int quadrant = int(std::fmod(q, 4.0)); // exact, and defined for any q
    return {quadrant < 0 ? quadrant + 4 : quadrant, x - halfPi * q};
}

// sin(r + q·π/2) for |r| <= π/4.
DoubleDouble sinOfQuadrant(DoubleDouble r, int quadrant)
{
    switch (quadrant % 4) {
    case 0:
        return sinTaylor(r);
    case 1:
        return cosTaylor(r);
    case 2:
        return -sinTaylor(r);
    default:
        return -cosTaylor(r);
    }
}

// e^x − 1 for |x| <= 0.35: the Taylor series of x/1024, then (1 + s)² − 1 = s·(s + 2) ten times, which
// keeps the accuracy relative to a small result.
DoubleDouble expm1Small(DoubleDouble x)
{
    const DoubleDouble scaled = ldexp(x, -10);
    DoubleDouble s = series(scaled, [&](int k) { return scaled / double(k + 1); });
    for (int i = 0; i < 10; ++i)
        s = s * (s + 2.0);
    return s;
}

// ln(1 + v) = 2·atanh(v / (2 + v)), for v from about −0.4 to 0.45, where the ratio stays below 0.25.
DoubleDouble log1pSeries(DoubleDouble v)
{
    const DoubleDouble t = v / (v + 2.0);
    const DoubleDouble square = t * t;
    DoubleDouble sum = t;
    DoubleDouble power = t;
    for (int k = 1; k < 200; ++k) {
        power = power * square;
        const DoubleDouble term = power / double(2 * k + 1);
        sum += term;
        if (term.hi == 0.0 || std::fabs(term.hi) < Negligible * std::fabs(sum.hi))
            break;
    }
    return ldexp(sum, 1);
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

} // namespace

DoubleDouble operator+(DoubleDouble a, DoubleDouble b)
{
    const Sum high = twoSum(a.hi, b.hi);
    if (!std::isfinite(high.value))
        return high.value;
    const Sum low = twoSum(a.lo, b.lo);
    const Sum first = quickTwoSum(high.value, high.error + low.value);
    return fromSum(quickTwoSum(first.value, first.error + low.error));
}

DoubleDouble operator-(DoubleDouble a, DoubleDouble b) { return a + -b; }

DoubleDouble operator*(DoubleDouble a, DoubleDouble b)
{
    const Sum product = twoProduct(a.hi, b.hi);
    if (!std::isfinite(product.value))
        return product.value;
    return fromSum(quickTwoSum(product.value, product.error + (a.hi * b.lo + a.lo * b.hi)));
}

DoubleDouble operator/(DoubleDouble a, DoubleDouble b)
{
    const double q1 = a.hi / b.hi;
    if (!std::isfinite(q1) || q1 == 0.0)
        return q1;
    DoubleDouble rest = a - b * q1;
    const double q2 = rest.hi / b.hi;
    rest -= b * q2;
    const double q3 = rest.hi / b.hi;
    return fromSum(quickTwoSum(q1, q2)) + q3;
}

DoubleDouble operator*(DoubleDouble a, double b)
{
    const Sum product = twoProduct(a.hi, b);
    if (!std::isfinite(product.value))
        return product.value;
    return fromSum(quickTwoSum(product.value, product.error + a.lo * b));
}

DoubleDouble operator/(DoubleDouble a, double b)
{
    const double q1 = a.hi / b;
    if (!std::isfinite(q1) || q1 == 0.0)
        return q1;
    const Sum product = twoProduct(q1, b);
    const Sum rest = twoSum(a.hi, -product.value);
    const double q2 = (rest.value + (rest.error - product.error + a.lo)) / b;
    return fromSum(quickTwoSum(q1, q2));
}

DoubleDouble fabs(DoubleDouble a) { return a.hi < 0.0 ? -a : a; }

DoubleDouble ldexp(DoubleDouble a, int exponent)
{
    return DoubleDouble::fromParts(std::ldexp(a.hi, exponent), std::ldexp(a.lo, exponent));
}

DoubleDouble sqrt(DoubleDouble a)
{
    if (!(a.hi > 0.0) || std::isinf(a.hi))
        return std::sqrt(a.hi);
    const double root = std::sqrt(a.hi);
    const DoubleDouble rest = a - DoubleDouble(root) * root;
    return fromSum(quickTwoSum(root, rest.hi / (2.0 * root)));
}

DoubleDouble pow(DoubleDouble base, int exponent)
{
    DoubleDouble result = 1.0;
    while (exponent > 0) {
        if (exponent % 2 == 1)
            result *= base;
        exponent /= 2;
        if (exponent > 0)
            base *= base;
    }
    return result;
}

DoubleDouble sin(DoubleDouble a)
{
    const Reduced x = reduced(a);
    return sinOfQuadrant(x.rest, x.quadrant);
}

// cos y = sin(y + π/2)
DoubleDouble cos(DoubleDouble a)
{
    const Reduced x = reduced(a);
    return sinOfQuadrant(x.rest, x.quadrant + 1);
}

DoubleDouble tan(DoubleDouble a) { return sin(a) / cos(a); }

DoubleDouble exp(DoubleDouble a)
{
    if (std::isnan(a.hi))
        return a.hi;
    if (a.hi > 709.8)
        return Infinity;
    if (a.hi < -745.2)
        return 0.0;
    const double k = std::nearbyint(a.hi / ln2.hi);
    return ldexp(expm1Small(a - ln2 * k) + 1.0, int(k));
}

DoubleDouble expm1(DoubleDouble a)
{
    if (std::fabs(a.hi) <= 0.35)
        return expm1Small(a);
    return exp(a) - 1.0;
}

DoubleDouble log(DoubleDouble a)
{
    if (!(a.hi > 0.0) || std::isinf(a.hi))
        return a.hi == 0.0 ? -Infinity : std::log(a.hi); // −∞, NaN or +∞
    int exponent = 0;
    std::frexp(a.hi, &exponent);
    DoubleDouble mantissa = ldexp(a, -exponent); // from 1/2 to 1
    if (mantissa.hi < 0.7071067811865476) {
        mantissa = ldexp(mantissa, 1);
        --exponent;
    }
    return log1pSeries(mantissa - 1.0) + ln2 * double(exponent);
}

DoubleDouble log1p(DoubleDouble a)
{
    if (std::fabs(a.hi) <= 0.4)
        return log1pSeries(a);
    return log(a + 1.0);
}

std::optional<double> decidedRounding(DoubleDouble value, double relativeError)
{
    if (!std::isfinite(value.hi))
        return std::nullopt;
    // hi is the double nearest to hi + lo; the midpoint on the side of lo lies half the gap to the
    // neighbour away from hi (a gap that halves below a power of two).
    const double neighbour = std::nextafter(value.hi, value.lo > 0.0 ? Infinity : -Infinity);
    const double halfGap = std::fabs(neighbour - value.hi) / 2.0;
    if (std::fabs(value.lo) + relativeError * std::fabs(value.hi) < halfGap)
        return value.hi;
    return std::nullopt;
}

} // namespace tarnis::dd
