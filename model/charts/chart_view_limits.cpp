// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/chart_view_limits.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

double toScale(double value, bool logarithmic) { return logarithmic ? std::log10(value) : value; }
double fromScale(double value, bool logarithmic) { return logarithmic ? std::pow(10.0, value) : value; }

double spanOnScale(ViewRange range, bool logarithmic)
{
    return toScale(range.upper, logarithmic) - toScale(range.lower, logarithmic);
}

// The range, given on the axis' scale, moved (and, where it is wider, shrunk) into the fitted view and
// its margins.
ViewRange bounded(double lower, double upper, ViewRange fitted, bool logarithmic)
{
    const auto back = [logarithmic](double low, double high) {
        return ViewRange{fromScale(low, logarithmic), fromScale(high, logarithmic)};
    };
    const double span = spanOnScale(fitted, logarithmic);
    if (!(span > 0.0) || !std::isfinite(lower) || !std::isfinite(upper))
        return back(lower, upper);
    const double lowest = toScale(fitted.lower, logarithmic) - ViewMargin * span;
    const double highest = toScale(fitted.upper, logarithmic) + ViewMargin * span;
    if (upper - lower >= (highest - lowest) * (1.0 - 1e-12)) // rounding must not leave it just short
        return back(lowest, highest);
    const double shift = lower < lowest ? lowest - lower : upper > highest ? highest - upper : 0.0;
    return back(lower + shift, upper + shift);
}

} // namespace

ViewRange zoomedRange(ViewRange range, ViewRange fitted, double around, double notches, bool logarithmic)
{
    const double span = spanOnScale(range, logarithmic);
    const double fittedSpan = spanOnScale(fitted, logarithmic);
    if (!(span > 0.0) || !(fittedSpan > 0.0) || !std::isfinite(around))
        return range;
    const double factor = std::pow(ZoomPerNotch, notches);
    const double wanted = std::clamp(span * factor, fittedSpan * MostZoomIn, fittedSpan * MostZoomOut);
    const double scale = wanted / span;
    const double centre = toScale(around, logarithmic);
    return bounded(centre + (toScale(range.lower, logarithmic) - centre) * scale,
                   centre + (toScale(range.upper, logarithmic) - centre) * scale, fitted, logarithmic);
}

ViewRange pannedRange(ViewRange range, ViewRange fitted, double pixels, double length, bool logarithmic)
{
    if (!(length > 0.0))
        return range;
    const double shift = pixels * spanOnScale(range, logarithmic) / length;
    return bounded(toScale(range.lower, logarithmic) + shift, toScale(range.upper, logarithmic) + shift, fitted,
                   logarithmic);
}

bool usableRange(ViewRange range, bool logarithmic)
{
    return std::isfinite(range.lower) && std::isfinite(range.upper) && range.lower < range.upper
        && (!logarithmic || range.lower > 0.0);
}

} // namespace tarnis
