// The four conversions between the texts of the parameter boxes and numbers. They know nothing of
// locales beyond the decimal separator that the caller passes in.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnis {

namespace decimal {
enum class Path;
}

// Lenient reading: the longest leading number of the text (optional sign, digits with at most one
// decimal separator, optional exponent), ignoring spaces, tabs and line feeds wherever they stand
// and whatever follows the number. A text without a leading number reads as 0. The point is always
// a decimal separator; `localeSeparator` is accepted as well, so that "0,2" typed in a comma locale
// reads as 0.2 and not as 0. Empty only when the number lies beyond the double range.
std::optional<double> readLenient(std::string_view text, char localeSeparator = '.');

// Strict conversion: the whole text, apart from blanks at either end, must be one number written
// with the locale's decimal separator. Empty for any other text and beyond the double range.
std::optional<double> convertStrict(std::string_view text, char localeSeparator);

// Whether the text, blanks at either end aside, is one number written as convertStrict takes it but
// beyond the double range (about 1.8E+308 either way), and which way: refused for its size, not its form.
enum class BeyondRange { No, Above, Below };
BeyondRange beyondRange(std::string_view text, char localeSeparator);

// Rounding to the nearest integer, halves to the even neighbour; empty outside the target's range.
std::optional<std::int16_t> roundToInt16(double value);
std::optional<std::int32_t> roundToInt32(double value);

// The shortest general form with at most 15 significant digits, no trailing zeros and the given
// decimal separator; exponent form ("1E+20", "1E-05") below 1E-4 and from 1E+15 up. Other digit
// counts (1 to 17) serve where every bit of a value must survive the text. The few values that would
// round up beyond the double range have their last digit cut instead, so every text reads back.
std::string numberToText(double value, char decimalSeparator, int significantDigits = 15);

// The separator the conversions take for a locale's decimal point (UTF-8): the point itself when it is
// one ASCII character, otherwise the point ".", which every reading accepts. The windows ask the
// system's locale for it, the page the browser's language.
char decimalSeparatorFor(std::string_view localeDecimalPoint);

// The same conversions by a chosen way to the digits (see decimal_digits.h), for the tests that check
// that every way gives the same.
std::optional<double> readLenient(std::string_view text, char localeSeparator, decimal::Path path);
std::optional<double> convertStrict(std::string_view text, char localeSeparator, decimal::Path path);
std::string numberToText(double value, char decimalSeparator, int significantDigits, decimal::Path path);

} // namespace tarnis
