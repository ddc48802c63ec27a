// The sizes of a run chart's texts, in points, which its heading, its axes and its legend share.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarnis {

inline constexpr double ChartTitlePoints = 10.0; // the chart's title and the axes' titles
inline constexpr double TickLabelPoints = 8.0;
inline constexpr double LegendPoints = 7.0; // the legend, and the line of a picture's parameters

} // namespace tarnis
