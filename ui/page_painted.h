// A widget that draws itself onto a printed page in its own vectors instead of as the pixels it
// shows on screen. The charts do: pasted from their screen buffer, their lines and texts would be
// blurred on paper beside the sharp captions of the buttons.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;

namespace tarnis {

class PagePainted {
public:
    virtual ~PagePainted() = default;
    // Draws the whole widget into the painter, in the widget's own coordinates; the painter's
    // transform carries them to the widget's place on the page.
    virtual void paintOnPage(QPainter& painter) = 0;

protected:
    PagePainted() = default;
    PagePainted(const PagePainted&) = default;
    PagePainted& operator=(const PagePainted&) = default;
};

} // namespace tarnis
