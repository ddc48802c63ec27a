// A clear frame around a widget while it holds the keyboard focus, for widgets that paint a picture of
// their own edge to edge (the charts and the plots), where the style's focus rectangle has no room. It
// is a layer of its own over the widget: it takes no clicks, and pictures that the widget draws of
// itself leave it out.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tarnis {

// The frame shows while `widget` has the focus and goes when it loses it; it lives as long as the widget.
void addFocusFrame(QWidget& widget);

// The width of the frame in pixels.
inline constexpr int FocusFrameWidth = 3;

} // namespace tarnis
