// Numbers of about 106 bits, carried as the unevaluated sum hi + lo of two doubles, with hi the double
// nearest to the sum. They are built from nothing but the additions, multiplications, divisions and
// square roots of doubles, which IEEE 754 rounds alike on every platform, so they give the same
// results everywhere: unlike long double (80 bits on the desktop, 128 in WebAssembly) and the
// elementary functions of the C libraries, which differ in the last bit from one library to another.
// Rounded to double, such a number is the correctly rounded value of what it approximates unless that
// lies within its error of a midpoint between two doubles; decidedRounding tells.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tarnis::dd {

struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;

    constexpr DoubleDouble() = default;
    constexpr DoubleDouble(double value) // NOLINT: a double is a double-double, as an int is a double
        : hi(value)
    {
    }
    explicit constexpr operator double() const { return hi; } // the nearest double
    // hi must be the double nearest to hi + lo.
    static constexpr DoubleDouble fromParts(double hi, double lo)
    {
        DoubleDouble number(hi);
        number.lo = lo;
        return number;
    }
};

inline constexpr DoubleDouble pi = DoubleDouble::fromParts(3.141592653589793, 1.2246467991473532e-16);
inline constexpr DoubleDouble ln2 = DoubleDouble::fromParts(0.6931471805599453, 2.3190468138462996e-17);

// Each operation errs by at most a few units of 2^-106 relative to its result.
DoubleDouble operator+(DoubleDouble a, DoubleDouble b);
DoubleDouble operator-(DoubleDouble a, DoubleDouble b);
DoubleDouble operator*(DoubleDouble a, DoubleDouble b);
DoubleDouble operator/(DoubleDouble a, DoubleDouble b);
DoubleDouble operator*(DoubleDouble a, double b); // shorter ways for a double operand
DoubleDouble operator/(DoubleDouble a, double b);
inline DoubleDouble operator*(double a, DoubleDouble b) { return b * a; }
inline DoubleDouble operator-(DoubleDouble a) { return DoubleDouble::fromParts(-a.hi, -a.lo); }
inline DoubleDouble& operator+=(DoubleDouble& a, DoubleDouble b) { return a = a + b; }
inline DoubleDouble& operator-=(DoubleDouble& a, DoubleDouble b) { return a = a - b; }
inline DoubleDouble& operator*=(DoubleDouble& a, DoubleDouble b) { return a = a * b; }
inline DoubleDouble& operator/=(DoubleDouble& a, DoubleDouble b) { return a = a / b; }

inline bool operator==(DoubleDouble a, DoubleDouble b) { return a.hi == b.hi && a.lo == b.lo; }
inline bool operator<(DoubleDouble a, DoubleDouble b) { return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo); }
inline bool operator>(DoubleDouble a, DoubleDouble b) { return b < a; }
inline bool operator<=(DoubleDouble a, DoubleDouble b) { return a < b || a == b; }
inline bool operator>=(DoubleDouble a, DoubleDouble b) { return b <= a; }

// Named as the C library's functions, so that code written for double and for DoubleDouble alike
// calls them unqualified (after `using std::sin;` and the like).
DoubleDouble fabs(DoubleDouble a);
DoubleDouble ldexp(DoubleDouble a, int exponent); // exact unless the result leaves the normal range
DoubleDouble sqrt(DoubleDouble a);
DoubleDouble pow(DoubleDouble base, int exponent); // exponent >= 0; errs by about exponent times an operation
DoubleDouble sin(DoubleDouble a);                  // |a| up to a few hundred
DoubleDouble cos(DoubleDouble a);
DoubleDouble tan(DoubleDouble a);
DoubleDouble exp(DoubleDouble a);
DoubleDouble expm1(DoubleDouble a);
DoubleDouble log(DoubleDouble a); // a > 0
DoubleDouble log1p(DoubleDouble a); // a > −1

// The double nearest to `value` when every number within `relativeError` of it has that same nearest
// double; empty when a midpoint between two doubles lies that close.
std::optional<double> decidedRounding(DoubleDouble value, double relativeError);

} // namespace tarnis::dd
