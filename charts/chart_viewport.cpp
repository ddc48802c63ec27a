// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_viewport.h"

#include "charts/chart_control.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

// Zoom and pan work on the axis' own scale: on a logarithmic axis, on the logarithms.
bool isLogarithmic(const QCPAxis* axis) { return axis->scaleType() == QCPAxis::stLogarithmic; }
double toScale(const QCPAxis* axis, double value) { return isLogarithmic(axis) ? std::log10(value) : value; }
double fromScale(const QCPAxis* axis, double value) { return isLogarithmic(axis) ? std::pow(10.0, value) : value; }

double spanOnScale(const QCPAxis* axis, const QCPRange& range)
{
    return toScale(axis, range.upper) - toScale(axis, range.lower);
}

QCPRange fromScale(const QCPAxis* axis, double lower, double upper)
{
    return {fromScale(axis, lower), fromScale(axis, upper)};
}

// A range the chart widget takes: it silently keeps its old one for any other.
bool usable(const QCPAxis* axis, const QCPRange& range)
{
    return QCPRange::validRange(range) && (!isLogarithmic(axis) || range.lower > 0.0);
}

double axisLength(const QCPAxis* axis)
{
    return axis->orientation() == Qt::Horizontal ? axis->axisRect()->width() : axis->axisRect()->height();
}

} // namespace

ChartViewport::ChartViewport(ChartControl& chart)
    : ChartViewport(ViewportHost{chart, [&chart](const QCPAxis* axis) { return chart.fittedRange(axis); },
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
    const double length = axisLength(axis);
    if (length <= 0.0)
        return from;
    const double shift = pixels * spanOnScale(axis, from) / length;
    return bounded(axis, toScale(axis, from.lower) + shift, toScale(axis, from.upper) + shift);
}

QCPRange ChartViewport::bounded(const QCPAxis* axis, double lower, double upper) const
{
    const QCPRange fitted = m_chart.fittedRange(axis);
    const double span = spanOnScale(axis, fitted);
    if (!(span > 0.0) || !std::isfinite(lower) || !std::isfinite(upper))
        return fromScale(axis, lower, upper);
    const double lowest = toScale(axis, fitted.lower) - Margin * span;
    const double highest = toScale(axis, fitted.upper) + Margin * span;
    if (upper - lower >= (highest - lowest) * (1.0 - 1e-12)) // rounding must not leave it just short
        return fromScale(axis, lowest, highest);
    const double shift = lower < lowest ? lowest - lower : upper > highest ? highest - upper : 0.0;
    return fromScale(axis, lower + shift, upper + shift);
}

bool ChartViewport::wheel(const QWheelEvent& event)
{
    const double notches = event.angleDelta().y() / 120.0;
    if (notches == 0.0 || m_drag)
        return false;
    const double factor = std::pow(ZoomPerNotch, notches);
    const QPointF at = event.position();
    const QRect plot = m_chart.axisRect()->rect();
    // Over the labels of one axis the wheel zooms that axis alone.
    const bool overYLabels = at.x() < plot.left() && at.y() <= plot.bottom();
    const bool overXLabels = at.y() > plot.bottom() && at.x() >= plot.left();
    const QCPRange x
        = !overYLabels ? zoomed(m_chart.xAxis, m_chart.xAxis->pixelToCoord(at.x()), factor) : m_chart.xAxis->range();
    const QCPRange y
        = !overXLabels ? zoomed(m_chart.yAxis, m_chart.yAxis->pixelToCoord(at.y()), factor) : m_chart.yAxis->range();
    if (!usable(m_chart.xAxis, x) || !usable(m_chart.yAxis, y))
        return false;
    if (x == m_chart.xAxis->range() && y == m_chart.yAxis->range())
        return false;
    m_host.setView(x, y);
    return true;
}

// The range scaled by `factor` around the coordinate `around`, within the zoom limits.
QCPRange ChartViewport::zoomed(const QCPAxis* axis, double around, double factor) const
{
    const QCPRange range = axis->range();
    const double span = spanOnScale(axis, range);
    const double fitted = spanOnScale(axis, m_host.fittedRange(axis));
    if (!(span > 0.0) || !(fitted > 0.0) || !std::isfinite(around))
        return range;
    const double wanted = std::clamp(span * factor, fitted * MostZoomIn, fitted * MostZoomOut);
    const double scale = wanted / span;
    const double centre = toScale(axis, around);
    return bounded(axis, centre + (toScale(axis, range.lower) - centre) * scale,
                   centre + (toScale(axis, range.upper) - centre) * scale);
}

} // namespace tarnis
