// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/wrapping_scroll_area.h"

#include <QResizeEvent>
#include <QScrollBar>

namespace tarnis {

WrappingScrollArea::WrappingScrollArea(QWidget* text, int smallestLines)
    : m_smallestLines(smallestLines)
{
    setFrameShape(QFrame::NoFrame); // frameWidth() is 0
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(text);
    viewport()->setAutoFillBackground(false);
    text->setAutoFillBackground(false);
}

// The height of the whole text (or of the part asked for) at the area's width, even with the room of a
// scroll bar taken from it: at that height the whole text needs none.
QSize WrappingScrollArea::sizeHint() const
{
    const int textWidth = width() - verticalScrollBar()->sizeHint().width();
    const int height = m_asked ? m_asked(textWidth) : widget()->heightForWidth(textWidth);
    return {QScrollArea::sizeHint().width(), std::max(height, minimumSizeHint().height())};
}

QSize WrappingScrollArea::minimumSizeHint() const
{
    return {verticalScrollBar()->sizeHint().width(), m_smallestLines * fontMetrics().lineSpacing()};
}

// Narrower, the text needs more lines; the layout hears of it.
void WrappingScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        updateGeometry();
}

} // namespace tarnis
