// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/axis_fit.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

// The chart widget refuses ranges that reach 1e250 or that are narrower than 1e-280.
constexpr double Largest = 1e249;
constexpr double Narrowest = 1e-200;
// Guards the rounding against quotients such as 2.9999999999999996 for 3.
constexpr double Slack = 1e-9;

// A step of 1, 2, 2.5 or 5 times a power of ten, at least span / tickCount.
double niceStep(double span, int tickCount)
{
    const double raw = span / std::max(tickCount, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
        if (raw <= mantissa * magnitude * (1.0 + Slack))
            return mantissa * magnitude;
    }
    return 10.0 * magnitude;
}

} // namespace

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
    const double lower = std::floor(std::log10(std::max(lowest, 1.0 / Largest)) + Slack);
    const double upper = std::max(std::ceil(std::log10(std::min(highest, Largest)) - Slack), lower + 1.0);
    return {std::pow(10.0, lower), std::pow(10.0, upper), 10.0};
}

AxisRange withMarkerRoom(AxisRange range, double lowest, double highest, double length, double room)
{
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

} // namespace tarnis
