// The two looks in which a chart draws a series.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarnis {

// A series keeps its look until it is given another one, so a chart that does not set the look
// shows its data the way the series was last drawn.
enum class SeriesLook {
    Line,   // the points joined in row order, no markers; the look of a new series
    Points, // unjoined filled squares with a red fill and a black outline
};

} // namespace tarnis
