// How each quantity is written in titles, words and hover texts, the same wherever it appears: a
// parameter as its box shows it, a population to about four significant digits at the size of K, a
// limit of linear theory to four, an exponent to three. No group separators, no trailing zeros after
// the decimal separator, which the caller passes in; nothing here reads the system's locale.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tarnis::quantity_text {

// r, N(0), K, T and the like, as the box that holds it shows it: every digit up to fifteen.
std::string parameter(double value, char separator);

// N: to the decimals that give about four significant digits at the size of K, trailing zeros
// dropped ("175.2", "500", "0.0413" when K is 1).
std::string population(double value, double K, char separator);

// r_m and r_c: four significant digits ("0.1845", "2").
std::string limit(double value, char separator);

// A Lyapunov exponent: three significant digits ("0.354", "-3.24E-05").
std::string exponent(double value, char separator);

// A period in steps: a whole one exactly, any other to a tenth ("4", "24.8", "35").
std::string period(double steps, char separator);

// A share in percent: two significant digits below 10, whole from 10 up ("0.68", "42").
std::string percent(double value, char separator);

// A count of steps: the digits alone ("20000").
std::string steps(long long count);

// The value rounded to `decimals` places with trailing zeros dropped; from 1E+15 up in the general
// form, as the boxes write such numbers.
std::string rounded(double value, int decimals, char separator);

// The shortest text that reads back as the same double, for data that must lose nothing.
std::string exact(double value, char separator);

} // namespace tarnis::quantity_text
