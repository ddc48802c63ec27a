// Where a window that works beside another opens: beside it where the screen has room, else over
// part of it but never over the controls the user works with there, which stay in sight.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace tarnis {

struct PlacementRequest {
    QRect available;   // the screen's available geometry
    QRect other;       // the frame of the window to open beside
    QRect keepInSight; // the part of the other window that must stay uncovered (global pixels)
    QSize preferred;   // the frame size the window would like
    QSize smallest;    // the smallest frame size it can take
};

// The frame rect of the new window: within the available geometry and at least its smallest size,
// preferring the room right of the other window, then left of it, then right of the part to keep,
// left of it, below and above it; as large as that room allows up to the preferred size, beside the
// other window's middle. Where no room is large enough, the room that leaves most of the part in sight.
QRect placeBeside(const PlacementRequest& request);

} // namespace tarnis
