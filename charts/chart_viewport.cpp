// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_viewport.h"

#include "charts/chart_control.h"
#include "model/charts/chart_view_limits.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

bool isLogarithmic(const QCPAxis* axis) { return axis->scaleType() == QCPAxis::stLogarithmic; }

ViewRange rangeOf(const QCPRange& range) { return {range.lower, range.upper}; }
QCPRange rangeOf(ViewRange range) { return {range.lower, range.upper}; }

// A range the chart widget takes: it silently keeps its old one for any other.
bool usable(const QCPAxis* axis, const QCPRange& range)
{
    return QCPRange::validRange(range) && usableRange(rangeOf(range), isLogarithmic(axis));
}

double axisLength(const QCPAxis* axis)
{
    return axis->orientation() == Qt::Horizontal ? axis->axisRect()->width() : axis->axisRect()->height();
}

} // namespace

ChartViewport::ChartViewport(ChartControl& chart)
    : ChartViewport(ViewportHost{chart, [&chart](const QCPAxis* axis) { return chart.axes().fittedRange(axis); },
                                 [&chart](const QCPRange& x, const QCPRange& y) { chart.setUserView(x, y); }})
{
}

ChartViewport::ChartViewport(ViewportHost host)
    : m_host(std::move(host))
    , m_chart(m_host.plot)
{
}

void ChartViewport::press(const QMouseEvent& event)
{
    m_drag.reset();
    if (event.button() == Qt::LeftButton)
        m_drag = Drag{event.position(), m_chart.xAxis->range(), m_chart.yAxis->range()};
}

bool ChartViewport::move(const QMouseEvent& event)
{
    if (!m_drag || !(event.buttons() & Qt::LeftButton))
        return false;
    const QPointF moved = event.position() - m_drag->from;
    if (!m_drag->panning && moved.manhattanLength() <= QApplication::startDragDistance())
        return false;
    m_drag->panning = true;
    // The point under the pointer at the press stays under it.
    const QCPRange x = panned(m_chart.xAxis, m_drag->x, -moved.x());
    const QCPRange y = panned(m_chart.yAxis, m_drag->y, moved.y());
    if (usable(m_chart.xAxis, x) && usable(m_chart.yAxis, y))
        m_host.setView(x, y);
    return true;
}

void ChartViewport::release(const QMouseEvent&) { m_drag.reset(); }

QCPRange ChartViewport::panned(const QCPAxis* axis, const QCPRange& from, double pixels) const
{
    return rangeOf(
        pannedRange(rangeOf(from), rangeOf(m_host.fittedRange(axis)), pixels, axisLength(axis), isLogarithmic(axis)));
}

bool ChartViewport::wheel(const QWheelEvent& event)
{
    const double notches = event.angleDelta().y() / 120.0;
    if (notches == 0.0 || m_drag)
        return false;
    const QPointF at = event.position();
    const QRect plot = m_chart.axisRect()->rect();
    // Over the labels of one axis the wheel zooms that axis alone.
    const bool overYLabels = at.x() < plot.left() && at.y() <= plot.bottom();
    const bool overXLabels = at.y() > plot.bottom() && at.x() >= plot.left();
    const QCPRange x
        = !overYLabels ? zoomed(m_chart.xAxis, m_chart.xAxis->pixelToCoord(at.x()), notches) : m_chart.xAxis->range();
    const QCPRange y
        = !overXLabels ? zoomed(m_chart.yAxis, m_chart.yAxis->pixelToCoord(at.y()), notches) : m_chart.yAxis->range();
    if (!usable(m_chart.xAxis, x) || !usable(m_chart.yAxis, y))
        return false;
    if (x == m_chart.xAxis->range() && y == m_chart.yAxis->range())
        return false;
    m_host.setView(x, y);
    return true;
}

// The range zoomed by the wheel's notches around the coordinate `around`, within the zoom limits.
QCPRange ChartViewport::zoomed(const QCPAxis* axis, double around, double notches) const
{
    return rangeOf(
        zoomedRange(rangeOf(axis->range()), rangeOf(m_host.fittedRange(axis)), around, notches, isLogarithmic(axis)));
}

} // namespace tarnis
