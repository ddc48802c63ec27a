// A scroll area for a text that wraps: as high as the text needs at the width it is given when the
// window has the room, lower where it has not, and then the text scrolls. A layout sizes a wrapped label
// by its height for a width only where that label stands in it directly, and then never below it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_smallestLines;
};

} // namespace tarnis
