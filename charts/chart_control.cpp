// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"

namespace tarnis {

ChartControl::ChartControl(QWidget* parent) : QCustomPlot(parent) {}

void ChartControl::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QCustomPlot::mousePressEvent(event);
}

void ChartControl::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = std::exchange(m_pressed, false);
    QCustomPlot::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace tarnis
