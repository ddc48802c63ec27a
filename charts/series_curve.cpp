// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/series_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

// One pixel wide: Qt strokes a wider line of thousands of points a hundred times slower.
constexpr double LineWidth = 1.0;
// A line through a single point draws nothing, so the line look shows such a point as a dot.
constexpr double LonePointPixels = 5.0;

constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

} // namespace

void SeriesExtent::include(const SeriesExtent& other)
{
    xLow = std::min(xLow, other.xLow);
    xHigh = std::max(xHigh, other.xHigh);
    yLow = std::min(yLow, other.yLow);
    yHigh = std::max(yHigh, other.yHigh);
    finiteRows += other.finiteRows;
}

SeriesCurve::SeriesCurve(QCPAxis* x, QCPAxis* y, const SeriesColours& colours)
    : QCPCurve(x, y)
    , m_colours(colours)
{
    applyLook();
}

void SeriesCurve::setRows(const QVector<double>& x, const QVector<double>& y, bool positiveYOnly)
{
    const qsizetype count = std::min(x.size(), y.size());
    QVector<QCPCurveData> rows;
    rows.reserve(count);
    // The extent is taken on the way, so that fitting the axes needs no second pass over the rows.
    SeriesExtent extent;
    for (qsizetype row = 0; row < count; ++row) {
        const double key = chartHasValue(x[row], false) ? x[row] : NoValue;
        const double value = chartHasValue(y[row], positiveYOnly) ? y[row] : NoValue;
        rows.append(QCPCurveData(double(row), key, value));
        if (std::isfinite(key) && std::isfinite(value)) {
            extent.xLow = std::min(extent.xLow, key);
            extent.xHigh = std::max(extent.xHigh, key);
            extent.yLow = std::min(extent.yLow, value);
            extent.yHigh = std::max(extent.yHigh, value);
            ++extent.finiteRows;
        }
    }
    data()->set(rows, true);
    m_extent = extent;
    applyLook(); // a lone point shows as a dot
}

void SeriesCurve::setLook(SeriesLook look)
{
    m_look = look;
    applyLook();
}

void SeriesCurve::setColours(const SeriesColours& colours)
{
    m_colours = colours;
    applyLook();
}

void SeriesCurve::setDashes(const QVector<qreal>& dashes)
{
    m_dashes = dashes;
    applyLook();
}

void SeriesCurve::applyLook()
{
    if (m_look == SeriesLook::Points) {
        setPen(QPen(m_colours.line, LineWidth));
        setLineStyle(QCPCurve::lsNone);
        setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, QPen(m_colours.markerOutline, 0),
                                        QBrush(m_colours.markerFill), MarkerPixels));
        return;
    }
    QPen line(m_colours.line, LineWidth);
    if (!m_dashes.isEmpty())
        line.setDashPattern(m_dashes); // in pen widths, which are pixels here
    setPen(line);
    setLineStyle(QCPCurve::lsLine);
    setScatterStyle(m_extent.finiteRows == 1
                        ? QCPScatterStyle(QCPScatterStyle::ssDisc, m_colours.line, m_colours.line, LonePointPixels)
                        : QCPScatterStyle(QCPScatterStyle::ssNone));
}

} // namespace tarnis
