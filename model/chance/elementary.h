// The natural logarithm and the exponential in plain double arithmetic, for the draws of random
// numbers: fast (a few dozen operations), within about two units in the last place, and the same bits
// on every platform, since they use nothing but additions, multiplications, divisions and the exact
// splitting and scaling of doubles by powers of two. The C library's log and exp differ in the last
// bit between libraries, and the double-double functions are exact but ten times slower than a noisy
// step can afford.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarnis::elementary {

double log(double x); // x > 0; −inf at 0, no number below 0
double exp(double x); // 0 below about −745, +inf above about 709.78

} // namespace tarnis::elementary
