// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"

#include "model/numbers/decimal_digits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number found at the start of a text, taken apart so that it can be converted exactly.
struct NumberPrefix {
    std::size_t length = 0; // characters consumed; 0 when the text holds no number there
    bool negative = false;
    std::string mantissa;      // integer digits, '.', fraction digits
    std::int64_t exponent = 0; // saturated far beyond any double
    bool hasDigits() const { return length > 0; }
};

// Reads [sign] (digits [sep digits] | sep digits) [(e|E) [sign] digits] from the start of `text`.
// An exponent marker without digits is not part of the number.
NumberPrefix scanNumber(std::string_view text, char separator, char otherSeparator)
{
    NumberPrefix number;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        number.mantissa += text[pos++];
        ++digits;
    }
    if (pos < text.size() && (text[pos] == separator || text[pos] == otherSeparator)) {
        std::size_t afterSeparator = pos + 1;
        std::string fraction;
        while (afterSeparator < text.size() && isDigit(text[afterSeparator]))
            fraction += text[afterSeparator++];
        if (digits > 0 || !fraction.empty()) {
            number.mantissa += '.';
            number.mantissa += fraction;
            digits += fraction.size();
            pos = afterSeparator;
        }
    }
    if (digits == 0)
        return {};
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t p = pos + 1;
        bool negativeExponent = false;
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
            negativeExponent = text[p] == '-';
            ++p;
        }
        if (p < text.size() && isDigit(text[p])) {
            constexpr std::int64_t saturation = 1'000'000'000;
            std::int64_t exponent = 0;
            while (p < text.size() && isDigit(text[p])) {
                exponent = std::min(saturation, exponent * 10 + (text[p] - '0'));
                ++p;
            }
            number.exponent = negativeExponent ? -exponent : exponent;
            pos = p;
        }
    }
    number.length = pos;
    return number;
}

// Power of ten of the leading non-zero digit of the mantissa, or nullopt for a mantissa of zeros.
std::optional<std::int64_t> leadingMagnitude(const std::string& mantissa)
{
    const auto point = mantissa.find('.');
    const std::int64_t integerDigits = point == std::string::npos ? std::int64_t(mantissa.size()) : std::int64_t(point);
    std::int64_t index = 0;
    for (char c : mantissa) {
        if (c == '.')
            continue;
        if (c != '0')
            return integerDigits - index - 1;
        ++index;
    }
    return std::nullopt;
}

// Correctly rounded value of the number; empty when it lies beyond the double range.
std::optional<double> toDouble(const NumberPrefix& number, decimal::Path path)
{
    const double sign = number.negative ? -1.0 : 1.0;
    const auto magnitude = leadingMagnitude(number.mantissa);
    if (!magnitude)
        return sign * 0.0;
    std::string normalized = number.mantissa;
    if (normalized.back() == '.')
        normalized.pop_back();
    normalized += 'e';
    normalized += std::to_string(number.exponent);
    const auto value = decimal::readDigits(path, normalized);
    if (!value) {
        if (*magnitude + number.exponent < 0)
            return sign * 0.0; // too small for a double: it reads as zero
        return std::nullopt;
    }
    return sign * *value;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

} // namespace

std::optional<double> readLenient(std::string_view text, char localeSeparator)
{
    return readLenient(text, localeSeparator, decimal::buildPath());
}

std::optional<double> readLenient(std::string_view text, char localeSeparator, decimal::Path path)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
    const NumberPrefix number = scanNumber(compact, '.', localeSeparator);
    if (!number.hasDigits())
        return 0.0;
    return toDouble(number, path);
}

std::optional<double> convertStrict(std::string_view text, char localeSeparator)
{
    return convertStrict(text, localeSeparator, decimal::buildPath());
}

namespace {

// The whole text as one number with the locale's separator, blanks at either end aside; no digits
// when it holds anything else.
NumberPrefix wholeNumber(std::string_view text, char localeSeparator)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    const NumberPrefix number = scanNumber(text, localeSeparator, localeSeparator);
    return number.length == text.size() ? number : NumberPrefix{};
}

} // namespace

std::optional<double> convertStrict(std::string_view text, char localeSeparator, decimal::Path path)
{
    const NumberPrefix number = wholeNumber(text, localeSeparator);
    if (!number.hasDigits())
        return std::nullopt;
    return toDouble(number, path);
}

BeyondRange beyondRange(std::string_view text, char localeSeparator)
{
    const NumberPrefix number = wholeNumber(text, localeSeparator);
    if (!number.hasDigits() || toDouble(number, decimal::buildPath()))
        return BeyondRange::No;
    return number.negative ? BeyondRange::Below : BeyondRange::Above;
}

namespace {

template <typename Int> std::optional<Int> roundToInteger(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<Int>::min()) || rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> roundToInt16(double value) { return roundToInteger<std::int16_t>(value); }

std::optional<std::int32_t> roundToInt32(double value) { return roundToInteger<std::int32_t>(value); }

namespace {

// Rounded to fewer than 17 digits, the largest doubles (DBL_MAX is 1.7976931348623157E+308) give a
// number beyond the double range, which no reading takes back. Their digits are cut instead:
// 1.79769313486231E+308 is the largest 15-digit number that is still a double.
std::string cutToDigits(double value, int significantDigits, decimal::Path path)
{
    const std::string text = decimal::scientificForm(path, value, 16); // [-]D.DDDDDDDDDDDDDDDDe+XXX
    const std::size_t point = text.find('.');
    const std::size_t exponent = text.find('e');
    std::string mantissa = text.substr(0, point + std::size_t(significantDigits));
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return mantissa + text.substr(exponent);
}

// Only asked of texts of numbers from 1e308 up, so an empty reading means infinity.
bool beyondDoubleRange(const std::string& text, decimal::Path path) { return !decimal::readDigits(path, text); }

} // namespace

std::string numberToText(double value, char decimalSeparator, int significantDigits)
{
    return numberToText(value, decimalSeparator, significantDigits, decimal::buildPath());
}

std::string numberToText(double value, char decimalSeparator, int significantDigits, decimal::Path path)
{
    if (value == 0.0)
        return "0"; // also for -0, which would otherwise show a lone minus sign
    std::string text = decimal::generalForm(path, value, significantDigits);
    if (std::isfinite(value) && std::fabs(value) >= 1e308 && beyondDoubleRange(text, path))
        text = cutToDigits(value, significantDigits, path);
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

char decimalSeparatorFor(std::string_view localeDecimalPoint)
{
    if (localeDecimalPoint.size() == 1 && static_cast<unsigned char>(localeDecimalPoint.front()) < 128)
        return localeDecimalPoint.front();
    return '.';
}

} // namespace tarnis
