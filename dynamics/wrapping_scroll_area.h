// A scroll area for a text that wraps: as high as the text needs at the width it is given when the
// window has the room, lower where it has not, and then the text scrolls. A layout sizes a wrapped label
// by its height for a width only where that label stands in it directly, and then never below it. The
// area may ask for the room of the text's first part alone, the rest being there to scroll to.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

#include <functional>

namespace tarnis {

class WrappingScrollArea : public QScrollArea {
    Q_OBJECT
public:
    // The area shows `text`, which it takes over; at least `smallestLines` of it stay in sight.
    WrappingScrollArea(QWidget* text, int smallestLines);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // After the text changed: the height it asks for follows.
    void textChanged() { updateGeometry(); }
    // The height the area asks for at a width of the text; without it, the whole text's.
    void askFor(std::function<int(int width)> height) { m_asked = std::move(height); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_smallestLines;
    std::function<int(int)> m_asked;
};

} // namespace tarnis
