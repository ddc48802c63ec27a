// How a chart's axes fit its data, in every front end: the range widened outward to whole tick steps,
// so that each axis starts and ends on a labelled number; the room that markers at the data's ends
// need; and the ticks, at whole multiples of a step, as dense as the labels leave room for. The
// windows and the page measure their labels and their plots; the rule of what is fitted and where a
// tick stands is this one, so the fitted view (and the zoom limits measured from it) and the ticks
// are the same for the same size of plot.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace tarnis {

// About one labelled tick per this many pixels along a run chart's axis.
inline constexpr double PixelsPerXTick = 90.0;
inline constexpr double PixelsPerYTick = 50.0;
enum class AxisDirection { Horizontal, Vertical };

// The number of tick steps wanted on an axis `length` pixels long: at least 3.
int tickCount(double length, double pixelsPerTick);

struct AxisFit {
    double lower = 0.0;
    double upper = 1.0;
    double step = 0.2; // distance between labelled ticks; on a logarithmic axis the factor between them
};

// The range for data from `lowest` to `highest` (lowest > highest: no data at all) with about
// `tickCount` tick steps of 1, 2, 2.5 or 5 times a power of ten. A single value gets a range around
// it; values beyond what a chart can scale are cut to its limits, so that every result is a range
// that every front end's chart accepts.
AxisFit fitAxis(double lowest, double highest, int tickCount);

// The range of a logarithmic axis for positive data from `lowest` to `highest`: from the power of ten
// at or below the lowest to the one at or above the highest, at least one decade (step: the factor
// between labelled ticks, 10). No positive data: 1 to 10.
AxisFit fitLogAxis(double lowest, double highest);

// A run chart's axis `length` pixels long fitted to data from `lowest` to `highest`: fitLogAxis on a
// logarithmic axis, else fitAxis with a tick per PixelsPerXTick or PixelsPerYTick. A view the user
// chose takes its ticks' step from the same fit of its own range.
AxisFit fitChartAxis(double lowest, double highest, double length, AxisDirection direction, bool logarithmic);

struct AxisRange {
    double lower;
    double upper;
};

// A range widened just enough that markers `room` pixels from their centre to their edge, drawn at
// the data's extremes `lowest` and `highest`, lie whole on an axis `length` pixels long: an end that
// a marker would cross moves out, an end with room enough stays (on its tick). On a logarithmic axis
// the room is measured on the logarithms. An axis too short for the markers keeps its range.
AxisRange withMarkerRoom(AxisRange range, double lowest, double highest, double length, double room,
                         bool logarithmic = false);

// The ticks of a linear axis from `lower` to `upper`: the whole multiples of `step` within it (a
// hair's breadth outside counts as on the end). Empty for a step that cannot divide the range.
std::vector<double> ticksAt(double lower, double upper, double step);

// The ticks of a logarithmic axis: the powers of ten from `lower` to `upper` whose exponents are
// multiples of `stride` (every decade, every second, …).
std::vector<double> decadeTicks(double lower, double upper, int stride = 1);

// The multiples of a fitted step (the strides of decades) that ticks try, densest first, where the
// labels would touch: the ticks stay on the same multiples as a plot grows smaller.
inline constexpr int TickStepFactors[]{1, 2, 5, 10, 20, 50, 100};

// The ticks of a fitted axis at the given attempt (0: every step or decade; then the multiples of
// TickStepFactors): what a front end tries, densest first, until the labels stand apart.
std::vector<double> ticksTried(const AxisFit& fit, int attempt, bool logarithmic);

// A tick label's place along its axis in pixels: its centre, and its extent along the axis (its width
// on a horizontal axis, its height on a vertical one).
struct LabelPlace {
    double centre;
    double extent;
};

// The room between the edges of two neighbouring labels.
inline constexpr double LabelGapPixels = 6.0;

// Whether labels at these places (in the order of their ticks) stand apart: between the centres of
// neighbours there is room for half of each and the gap.
bool labelsApart(std::span<const LabelPlace> labels);

} // namespace tarnis
