// How a run chart is drawn, on screen and in its pictures alike: the widths of its lines, ticks and
// grid, and the sizes of its numbers and titles. The markers' size is the model's (axisRules), since
// the fit leaves room for them.
// SPDX-License-Identifier: GPL-3.0-or-later

// A series' line 1 pixel wide, as the desktop's charts draw it (a browser without a graphics processor
// draws such a hairline twice as fast as a wider line).
export const LinePixels = 1;
// The run's continuous-time twin, dashed, so that it reads apart from the runs' solid lines in any
// colour vision and in greyscale. As thin as theirs: a browser without a graphics processor takes about
// twice as long to raster a dashed line 2 pixels wide at every frame of a slider's drag.
// Its dashes are the model's (ChartTwin.dash), the desktop's too.
export const ContinuousLinePixels = 1;
export const TickPixels = 5; // a tick's length outside the plot
export const GridPixels = 0.5;
export const TickLabelPixels = 12; // the font size of the axes' numbers
export const AxisTitlePixels = 13; // bold

/** The canvas font of the axes' numbers on screen, by which their labels are measured. */
export const TickLabelFont = `${TickLabelPixels}px system-ui, sans-serif`;
export const AxisTitleFont = `bold ${AxisTitlePixels}px system-ui, sans-serif`;
