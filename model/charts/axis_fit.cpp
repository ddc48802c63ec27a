// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/axis_fit.h"

#include "model/numbers/decimal_digits.h"
#include "model/numbers/double_double.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tarnis {

namespace {

// Every front end's chart takes ranges within these: a range that reaches 1e250 or is narrower than
// 1e-280 is refused by the desktop's chart widget.
constexpr double Largest = 1e249;
constexpr double Narrowest = 1e-200;
// Guards the rounding against quotients such as 2.9999999999999996 for 3.
constexpr double Slack = 1e-9;
// Ticks beyond this many are no axis anyone reads; a step that would make more is refused.
constexpr double MostTicks = 10000.0;

// The powers of ten come from the model's correctly rounded decimal digits, not from std::pow and
// std::log10, whose last bits differ from one standard library to another: both front ends must fit
// the same ranges.

// The exponent of `value` (positive, finite) in scientific notation: floor(log10(value)).
int decimalExponent(double value)
{
    const std::string digits = decimal::scientificForm(decimal::buildPath(), value, 16);
    return std::stoi(digits.substr(digits.find('e') + 1));
}

double powerOfTen(int exponent)
{
    return decimal::readDigits(decimal::buildPath(), "1e" + std::to_string(exponent)).value_or(0.0);
}

// A step of 1, 2, 2.5 or 5 times a power of ten, at least span / tickCount.
double niceStep(double span, int tickCount)
{
    const double raw = span / std::max(tickCount, 1);
    const double magnitude = powerOfTen(decimalExponent(raw));
    for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
        if (raw <= mantissa * magnitude * (1.0 + Slack))
            return mantissa * magnitude;
    }
    return 10.0 * magnitude;
}

// log10 and its inverse in double-double, rounded once: the same on every platform.
const dd::DoubleDouble& lnTen()
{
    static const dd::DoubleDouble value = dd::log(dd::DoubleDouble(10.0));
    return value;
}
double toLogScale(double value) { return double(dd::log(dd::DoubleDouble(value)) / lnTen()); }
double fromLogScale(double value) { return double(dd::exp(dd::DoubleDouble(value) * lnTen())); }

} // namespace

int tickCount(double length, double pixelsPerTick) { return std::max(3, int(length / pixelsPerTick)); }

AxisFit fitChartAxis(double lowest, double highest, double length, AxisDirection direction, bool logarithmic)
{
    if (logarithmic)
        return fitLogAxis(lowest, highest);
    const double pixelsPerTick = direction == AxisDirection::Horizontal ? PixelsPerXTick : PixelsPerYTick;
    return fitAxis(lowest, highest, tickCount(length, pixelsPerTick));
}

AxisFit fitAxis(double lowest, double highest, int tickCount)
{
    if (!(lowest <= highest))
        return {};
    double lower = std::clamp(lowest, -Largest, Largest);
    double upper = std::clamp(highest, -Largest, Largest);
    const double size = std::max(std::abs(lower), std::abs(upper));
    if (upper - lower <= size * 1e-12 || upper - lower < Narrowest) {
        // One value (a single point, or K alone): show it in the middle of a range of its own size.
        const double half = std::abs(lower) < Narrowest ? 1.0 : std::abs(lower) * 0.1;
        lower -= half;
        upper += half;
    }
    const double step = niceStep(upper - lower, tickCount);
    return {std::floor(lower / step + Slack) * step, std::ceil(upper / step - Slack) * step, step};
}

AxisFit fitLogAxis(double lowest, double highest)
{
    if (!(lowest > 0.0 && lowest <= highest))
        return {1.0, 10.0, 10.0};
    const double low = std::max(lowest, 1.0 / Largest);
    const double high = std::min(highest, Largest);
    // A value a hair's breadth below a power of ten counts as that power, as one a hair above does.
    int lower = decimalExponent(low);
    if (low * (1.0 + Slack) >= powerOfTen(lower + 1))
        ++lower;
    int upper = decimalExponent(high);
    if (high > powerOfTen(upper) * (1.0 + Slack))
        ++upper;
    return {powerOfTen(lower), powerOfTen(std::max(upper, lower + 1)), 10.0};
}

AxisRange withMarkerRoom(AxisRange range, double lowest, double highest, double length, double room, bool logarithmic)
{
    if (logarithmic) {
        if (!(range.lower > 0.0 && lowest > 0.0 && lowest <= highest))
            return range;
        const AxisRange widened = withMarkerRoom({toLogScale(range.lower), toLogScale(range.upper)}, toLogScale(lowest),
                                                 toLogScale(highest), length, room);
        return {fromLogScale(widened.lower), fromLogScale(widened.upper)};
    }
    const double span = range.upper - range.lower;
    if (!(lowest <= highest) || !(span > 0.0) || !(length > 2.0 * room))
        return range;
    const double share = room / length; // of the range, that a marker's half takes
    const bool lowerMoves = (lowest - range.lower) / span < share;
    const bool upperMoves = (range.upper - highest) / span < share;
    // Each moving end is placed so that its extreme lies `share` of the new range inside it.
    if (lowerMoves && upperMoves) {
        const double widened = (highest - lowest) / (1.0 - 2.0 * share);
        return {lowest - share * widened, highest + share * widened};
    }
    if (lowerMoves)
        return {(lowest - share * range.upper) / (1.0 - share), range.upper};
    if (upperMoves)
        return {range.lower, (highest - share * range.lower) / (1.0 - share)};
    return range;
}

std::vector<double> ticksAt(double lower, double upper, double step)
{
    if (!(step > 0.0) || !(lower <= upper) || !((upper - lower) / step < MostTicks))
        return {};
    const double first = std::ceil(lower / step - Slack);
    const double last = std::floor(upper / step + Slack);
    std::vector<double> ticks;
    for (double multiple = first; multiple <= last; ++multiple)
        ticks.push_back(multiple * step);
    return ticks;
}

std::vector<double> decadeTicks(double lower, double upper, int stride)
{
    if (!(lower > 0.0 && lower <= upper) || stride < 1)
        return {};
    int exponent = decimalExponent(lower);
    if (powerOfTen(exponent) < lower * (1.0 - Slack))
        ++exponent;
    // The first multiple of the stride at or above it (exponents may be negative).
    if (const int past = (exponent % stride + stride) % stride; past != 0)
        exponent += stride - past;
    std::vector<double> ticks;
    for (double tick = powerOfTen(exponent); tick > 0.0 && tick <= upper * (1.0 + Slack);
         tick = powerOfTen(exponent += stride))
        ticks.push_back(tick);
    return ticks;
}

std::vector<double> ticksTried(const AxisFit& fit, int attempt, bool logarithmic)
{
    const int factor = TickStepFactors[std::clamp(attempt, 0, int(std::size(TickStepFactors)) - 1)];
    return logarithmic ? decadeTicks(fit.lower, fit.upper, factor) : ticksAt(fit.lower, fit.upper, fit.step * factor);
}

bool labelsApart(std::span<const LabelPlace> labels)
{
    for (std::size_t i = 1; i < labels.size(); ++i) {
        const LabelPlace& a = labels[i - 1];
        const LabelPlace& b = labels[i];
        if (std::fabs(b.centre - a.centre) < (a.extent + b.extent) / 2.0 + LabelGapPixels)
            return false;
    }
    return true;
}

} // namespace tarnis
