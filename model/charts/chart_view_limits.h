// How far a user may zoom and pan a chart: within the fitted view and a margin around it. The wheel
// zooms around a value, a drag moves the view by a share of its span; both work on the axis' own
// scale (on a logarithmic axis, on the logarithms). The windows' charts and the page keep to these.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarnis {

struct ViewRange {
    double lower = 0.0;
    double upper = 0.0;
    bool operator==(const ViewRange&) const = default;
};

// How far from the fitted view the user may go: in to a millionth of its span (far below what a chart
// of 10 000 steps needs to tell single steps apart); out and across, never further than this share of
// its span beyond either end, so that the data are never lost from sight.
inline constexpr double MostZoomIn = 1e-6;
inline constexpr double ViewMargin = 0.1;
inline constexpr double MostZoomOut = 1.0 + 2 * ViewMargin;
// The factor of the visible span per notch of the wheel turned away from the user.
inline constexpr double ZoomPerNotch = 0.8;

// The range after `notches` of the wheel (away from the user: in) around the value `around`, within
// the limits of the fitted range; the range as it is where it cannot be zoomed. The caller checks that
// it can show the result (usableRange).
ViewRange zoomedRange(ViewRange range, ViewRange fitted, double around, double notches, bool logarithmic);

// The range moved as a drag of `pixels` along an axis `length` pixels long moves it, within the limits
// of the fitted range.
ViewRange pannedRange(ViewRange range, ViewRange fitted, double pixels, double length, bool logarithmic);

// Whether a chart can show the range: its ends finite and in order, above 0 on a logarithmic axis.
bool usableRange(ViewRange range, bool logarithmic);

} // namespace tarnis
