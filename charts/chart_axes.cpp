// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_axes.h"

#include "charts/axis_room.h"
#include "charts/chart_fonts.h"
#include "charts/series_curve.h"
#include "model/charts/axis_fit.h"
#include "model/charts/chart_kinds.h"
#include "ui/design.h"

#include <tuple>

namespace tarnis {

namespace {

bool isLogarithmic(const QCPAxis* axis) { return axis->scaleType() == QCPAxis::stLogarithmic; }

// Ticks at whole multiples of the step, or of a multiple of it where their labels would touch.
void setTickStep(QCPAxis* axis, double step) { axis->setTicker(QSharedPointer<RoomyStepTicker>::create(axis, step)); }

void setUpAxis(QCPAxis* axis)
{
    axis->setLabelFont(arialFont(ChartTitlePoints));
    axis->setTickLabelFont(arialFont(TickLabelPoints));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
}

SeriesExtent extentOf(const std::vector<const SeriesCurve*>& drawn)
{
    SeriesExtent all;
    for (const SeriesCurve* curve : drawn)
        all.include(curve->extent());
    return all;
}

} // namespace

ChartAxes::ChartAxes(QCustomPlot& plot, std::function<void()> layOut)
    : m_plot(plot)
    , m_layOut(std::move(layOut))
{
    setUpAxis(m_plot.xAxis);
    setUpAxis(m_plot.yAxis);
    // Solid black lines across the y axis carry the eye from a point to its value.
    m_plot.xAxis->grid()->setVisible(false);
    m_plot.yAxis->grid()->setPen(QPen(Qt::black, 0, Qt::SolidLine));
    m_plot.yAxis->grid()->setZeroLinePen(QPen(Qt::black, 0, Qt::SolidLine));
}

void ChartAxes::fitTo(const std::vector<const SeriesCurve*>& drawn)
{
    const SeriesExtent all = extentOf(drawn);
    fitOneAxis(m_plot.xAxis, all.xLow, all.xHigh);
    fitOneAxis(m_plot.yAxis, all.yLow, all.yHigh);
    leaveRoomForMarkers(drawn);
    m_fittedX = m_plot.xAxis->range();
    m_fittedY = m_plot.yAxis->range();
    m_userView = false;
}

void ChartAxes::fitOneAxis(QCPAxis* axis, double lowest, double highest)
{
    const bool horizontal = axis->orientation() == Qt::Horizontal;
    const bool logarithmic = axis == m_plot.yAxis && m_logarithmicY;
    const AxisFit fit = fitChartAxis(lowest, highest, horizontal ? m_plot.width() : m_plot.height(),
                                     horizontal ? AxisDirection::Horizontal : AxisDirection::Vertical, logarithmic);
    axis->setScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (logarithmic)
        axis->setTicker(QSharedPointer<RoomyDecadeTicker>::create(axis));
    else
        setTickStep(axis, fit.step);
    axis->setRange(fit.lower, fit.upper);
}

// An axis that ends on a tick where a marker sits would cut the marker in half; such an end moves out
// by just the marker's room, and the tick stays labelled inside.
void ChartAxes::leaveRoomForMarkers(const std::vector<const SeriesCurve*>& drawn)
{
    std::vector<const SeriesCurve*> marked;
    for (const SeriesCurve* curve : drawn)
        if (curve->look() == SeriesLook::Points)
            marked.push_back(curve);
    const SeriesExtent extent = extentOf(marked);
    if (extent.finiteRows == 0)
        return;
    m_layOut(); // the plot's size with the tick labels of the fitted ranges
    const auto widen = [](QCPAxis* axis, double lowest, double highest, int length) {
        const QCPRange range = axis->range();
        const AxisRange room
            = withMarkerRoom({range.lower, range.upper}, lowest, highest, length, MarkerRoom, isLogarithmic(axis));
        const QCPRange widened(room.lower, room.upper);
        if (QCPRange::validRange(widened) && (!isLogarithmic(axis) || widened.lower > 0.0))
            axis->setRange(widened);
    };
    widen(m_plot.xAxis, extent.xLow, extent.xHigh, m_plot.axisRect()->width());
    widen(m_plot.yAxis, extent.yLow, extent.yHigh, m_plot.axisRect()->height());
}

void ChartAxes::setUserView(const QCPRange& x, const QCPRange& y)
{
    for (const auto& [axis, range, direction] : {std::tuple{m_plot.xAxis, x, AxisDirection::Horizontal},
                                                 std::tuple{m_plot.yAxis, y, AxisDirection::Vertical}}) {
        axis->setRange(range);
        const int length = direction == AxisDirection::Horizontal ? m_plot.width() : m_plot.height();
        // Ticks as fine as the visible range asks, at whole multiples of their step.
        if (!isLogarithmic(axis))
            setTickStep(axis, fitChartAxis(range.lower, range.upper, length, direction, false).step);
    }
    m_userView = true;
}

QCPRange ChartAxes::fittedRange(const QCPAxis* axis) const { return axis == m_plot.xAxis ? m_fittedX : m_fittedY; }

bool ChartAxes::logarithmicY() const { return isLogarithmic(m_plot.yAxis); }

bool ChartAxes::chooseLogNAxis(bool chosen)
{
    if (chosen == m_logNAxisChosen)
        return false;
    m_logNAxisChosen = chosen;
    return true;
}

} // namespace tarnis
