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

} // namespace tarnis
