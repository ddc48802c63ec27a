// Axis ranges for a chart fitted to its data: the range widened outward to whole tick steps, so
// that each axis starts and ends on a labelled number.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarnis {

struct AxisFit {
    double lower = 0.0;
    double upper = 1.0;
    double step = 0.2; // distance between labelled ticks
};

// The range for data from `lowest` to `highest` (lowest > highest: no data at all) with about
// `tickCount` tick steps. A single value gets a range around it; values beyond what the chart widget
// can scale are cut to its limits, so that every result is a range it accepts.
AxisFit fitAxis(double lowest, double highest, int tickCount);

// The range of a logarithmic axis for positive data from `lowest` to `highest`: from the power of ten
// at or below the lowest to the one at or above the highest, at least one decade (step: the factor
// between labelled ticks, 10). No positive data: 1 to 10.
AxisFit fitLogAxis(double lowest, double highest);

// A range widened just enough that markers `room` pixels from their centre to their edge, drawn at
// the data's extremes `lowest` and `highest`, lie whole on an axis `length` pixels long: an end that
// a marker would cross moves out, an end with room enough stays (on its tick). For a logarithmic axis
// every value is given as its logarithm.
struct AxisRange {
    double lower;
    double upper;
};
AxisRange withMarkerRoom(AxisRange range, double lowest, double highest, double length, double room);

} // namespace tarnis
