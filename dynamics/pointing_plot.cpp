// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/pointing_plot.h"

#include "ui/click_tracker.h"

#include <QApplication>

namespace tarnis {

PointingPlot::PointingPlot(QWidget* parent)
    : QCustomPlot(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(new ClickTracker(*this, {.passOn = true, .stayWithin = QApplication::startDragDistance()}),
            &ClickTracker::clicked, this, [this] {
                point(placeAt(m_pressedAt));
                choosePointed();
            });
}

void PointingPlot::point(std::optional<std::size_t> place)
{
    if (place == m_pointed)
        return;
    m_pointed = place;
    markPlace(place);
    emit pointed(place ? placeWords(*place) : QString());
}

void PointingPlot::choosePointed()
{
    if (m_pointed)
        choose(*m_pointed);
}

void PointingPlot::retellPointed()
{
    if (m_pointed)
        emit pointed(placeWords(*m_pointed));
}

void PointingPlot::mousePressEvent(QMouseEvent* event)
{
    m_pressedAt = event->pos();
    QCustomPlot::mousePressEvent(event);
}

void PointingPlot::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton)
        point(placeAt(event->position()));
    QCustomPlot::mouseMoveEvent(event);
}

void PointingPlot::leaveEvent(QEvent* event)
{
    // With the focus, the keys' place stays for Enter.
    if (!hasFocus())
        point(std::nullopt);
    QCustomPlot::leaveEvent(event);
}

void PointingPlot::focusInEvent(QFocusEvent* event)
{
    if (!m_pointed)
        point(runPlace());
    QCustomPlot::focusInEvent(event);
}

void PointingPlot::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return choosePointed();
    default:
        QCustomPlot::keyPressEvent(event);
    }
}

} // namespace tarnis
