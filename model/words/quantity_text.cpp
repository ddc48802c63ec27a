// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/quantity_text.h"

#include "model/numbers/conversions.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnis::quantity_text {

namespace {

// Whole units of the last place stay exact integers below this.
constexpr double ExactUnits = 1e15;

// The powers of ten from 10^0 to 10^15, each exact in a double: a table rather than the C library's pow
// and log10, whose last bits may differ between platforms, so that every front end rounds alike.
constexpr std::array<double, 16> PowersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The powers of ten below 1, each the double nearest to it, as a literal writes it.
constexpr std::array<double, 12> NegativePowersOfTen{1e-1, 1e-2, 1e-3, 1e-4, 1e-5,  1e-6,
                                                     1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12};

// ⌊log10(size)⌋ for a positive size, counting the double nearest to a power of ten as that power;
// within −12 to 15, since the callers clamp beyond.
int decimalExponent(double size)
{
    if (size >= 1.0) {
        int exponent = 0;
        while (exponent < 15 && size >= PowersOfTen[std::size_t(exponent + 1)])
            ++exponent;
        return exponent;
    }
    int exponent = -1;
    while (exponent > -12 && size < NegativePowersOfTen[std::size_t(-exponent - 1)])
        --exponent;
    return exponent;
}

void dropTrailingZeros(std::string& text, char separator)
{
    if (text.find(separator) == std::string::npos)
        return;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == separator)
        text.pop_back();
}

} // namespace

std::string parameter(double value, char separator) { return numberToText(value, separator); }

std::string rounded(double value, int decimals, char separator)
{
    decimals = std::clamp(decimals, 0, 15);
    const double units = std::nearbyint(value * PowersOfTen[std::size_t(decimals)]);
    if (!std::isfinite(value) || std::fabs(value) >= ExactUnits || !(std::fabs(units) < ExactUnits))
        return numberToText(value, separator);
    std::string digits = std::to_string((long long)std::fabs(units));
    if (digits.size() <= std::size_t(decimals))
        digits.insert(0, std::size_t(decimals) + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - std::size_t(decimals), 1, separator);
    dropTrailingZeros(digits, separator);
    return units < 0.0 ? '-' + digits : digits;
}

std::string population(double value, double K, char separator)
{
    const double size = std::fabs(K);
    const int decimals = size > 0.0 && std::isfinite(size) ? 3 - decimalExponent(size) : 0;
    return rounded(value, std::clamp(decimals, 0, 12), separator);
}

std::string limit(double value, char separator) { return numberToText(value, separator, 4); }

std::string exponent(double value, char separator) { return numberToText(value, separator, 3); }

std::string period(double steps, char separator)
{
    if (std::fabs(steps - std::round(steps)) < 1e-9)
        return rounded(std::round(steps), 0, separator);
    return rounded(steps, 1, separator);
}

std::string percent(double value, char separator)
{
    return std::fabs(value) < 10.0 ? numberToText(value, separator, 2) : rounded(value, 0, separator);
}

std::string steps(long long count) { return std::to_string(count); }

std::string exact(double value, char separator)
{
    std::string text;
    for (int digits = 15; digits <= 17; ++digits) {
        text = numberToText(value, separator, digits);
        const auto back = convertStrict(text, separator);
        if (back && *back == value)
            break;
    }
    return text;
}

} // namespace tarnis::quantity_text
