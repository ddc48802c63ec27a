// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/quantity_text.h"

#include "model/conversions.h"

#include <algorithm>
#include <cmath>

namespace tarnis::quantity_text {

namespace {

// Whole units of the last place stay exact integers below this.
constexpr double ExactUnits = 1e15;

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
    const double units = std::nearbyint(value * std::pow(10.0, decimals));
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
    const int decimals = size > 0.0 && std::isfinite(size) ? 3 - int(std::floor(std::log10(size))) : 0;
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
