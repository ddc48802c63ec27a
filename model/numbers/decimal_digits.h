// The two ways between decimal digits and doubles that the conversions can take, both correctly
// rounded, so that they give the same numbers and the same texts:
// - CharConv: std::from_chars and std::to_chars, where the standard library has them for double;
// - CLibrary: strtod and snprintf under the C locale, for a standard library without them (that of
//   the WebAssembly build).
// A build uses the first it has; the tests run every conversion both ways over the same tables.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnis::decimal {

enum class Path { CharConv, CLibrary };

// The path that the conversions take in this build.
Path buildPath();

// Every path this build has: both natively, CLibrary alone in WebAssembly.
std::vector<Path> availablePaths();

// The correctly rounded double of `digits`, a decimal number of the form [-][D...][.D...][e[+|-]D...]
// with at least one digit other than 0 in its mantissa. Empty when it rounds to infinity or to 0.
std::optional<double> readDigits(Path path, const std::string& digits);

// printf's "%.*g" of a finite double: `significantDigits` (1 to 17) digits, trailing zeros dropped,
// exponent form ("1e+20", "1e-05") below 1e-4 and from 10^significantDigits up.
std::string generalForm(Path path, double value, int significantDigits);

// printf's "%.*e" of a finite double: one digit, the point, `fractionDigits` digits, the exponent.
std::string scientificForm(Path path, double value, int fractionDigits);

// The shortest text that reads back to a finite double, as std::to_chars writes it without a format:
// the fewest significant digits that round-trip, in fixed or scientific form, whichever is shorter
// (fixed on a tie): "0.1", "1234567", "1e-05", "1.2345678901234568e+20".
std::string shortestForm(Path path, double value);

} // namespace tarnis::decimal
