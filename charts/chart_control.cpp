// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"

#include "charts/axis_fit.h"
#include "ui/click_tracker.h"
#include "ui/design.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

constexpr double TitlePoints = 10.0;
constexpr double TickLabelPoints = 8.0;
// Each series has a line colour of its own, so that N and dN (or N and K) tell apart.
const QColor FirstSeriesColour{0, 0, 192};
const QColor SecondSeriesColour{192, 0, 0};
// One pixel wide: Qt strokes a wider line of thousands of points a hundred times slower.
constexpr double LineWidth = 1.0;
// The marker of the points look: about 100 twips wide, outlined by the thinnest pen.
constexpr double MarkerPixels = 7.0;
// A line through a single point draws nothing, so the line look shows such a point as a dot.
constexpr double LonePointPixels = 5.0;
// About one labelled tick per this many pixels along an axis.
constexpr int PixelsPerXTick = 90;
constexpr int PixelsPerYTick = 50;

int seriesSlot(int series) { return series == ChartControl::SecondSeries ? 1 : 0; }

QVector<QCPCurveData> gridRows(const QVector<double>& x, const QVector<double>& y)
{
    const auto noInfinity
        = [](double value) { return std::isinf(value) ? std::numeric_limits<double>::quiet_NaN() : value; };
    const qsizetype rows = std::min(x.size(), y.size());
    QVector<QCPCurveData> data;
    data.reserve(rows);
    for (qsizetype row = 0; row < rows; ++row)
        data.append(QCPCurveData(double(row), noInfinity(x[row]), noInfinity(y[row])));
    return data;
}

// The lowest and highest finite value of one coordinate over all series; lowest > highest when
// there is none.
template <typename Coordinate>
std::pair<double, double> finiteSpan(const std::array<QCPCurve*, 2>& series, Coordinate coordinate)
{
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (const QCPCurve* curve : series) {
        if (!curve)
            continue;
        // data() hands out a shared pointer by value: held once, not copied for every row.
        const auto data = curve->data();
        for (auto row = data->constBegin(); row != data->constEnd(); ++row) {
            const double value = coordinate(*row);
            if (std::isfinite(value)) {
                lowest = std::min(lowest, value);
                highest = std::max(highest, value);
            }
        }
    }
    return {lowest, highest};
}

void applyFit(QCPAxis* axis, std::pair<double, double> span, int length, int pixelsPerTick)
{
    const AxisFit fit = fitAxis(span.first, span.second, std::max(3, length / pixelsPerTick));
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(fit.step);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    axis->setTicker(ticker);
    axis->setRange(fit.lower, fit.upper);
}

} // namespace

ChartControl::ChartControl(QWidget* parent)
    : QCustomPlot(parent)
{
    setBackground(Qt::white);
    m_title = new QCPTextElement(this, QString(), arialFont(TitlePoints));
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, m_title);
    setupAxis(xAxis);
    setupAxis(yAxis);
    // Solid black lines across the y axis carry the eye from a point to its value.
    xAxis->grid()->setVisible(false);
    yAxis->grid()->setPen(QPen(Qt::black, 0, Qt::SolidLine));
    yAxis->grid()->setZeroLinePen(QPen(Qt::black, 0, Qt::SolidLine));
    legend->setVisible(false);
    m_series[0] = makeSeries(FirstSeriesColour);
    // The chart widget keeps its own mouse handling.
    connect(new ClickTracker(*this, {.passOn = true}), &ClickTracker::clicked, this, &ChartControl::clicked);
}

void ChartControl::setupAxis(QCPAxis* axis)
{
    axis->setLabelFont(arialFont(TitlePoints));
    axis->setTickLabelFont(arialFont(TickLabelPoints));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
}

QCPCurve* ChartControl::makeSeries(const QColor& colour)
{
    // A curve keeps its points in row order; a line through dN against N follows the trajectory.
    auto* series = new QCPCurve(xAxis, yAxis);
    series->setPen(QPen(colour, LineWidth));
    series->setLineStyle(QCPCurve::lsLine);
    series->setScatterStyle(QCPScatterStyle::ssNone);
    return series;
}

QCPCurve* ChartControl::curve(int series) const
{
    Q_ASSERT(series == FirstSeries || series == SecondSeries);
    return m_series[std::size_t(seriesSlot(series))];
}

void ChartControl::setColumnCount(int columns)
{
    QCPCurve*& second = m_series[1];
    if (columns >= 4 && !second) {
        second = makeSeries(SecondSeriesColour);
    } else if (columns < 4 && second) {
        removePlottable(second);
        second = nullptr;
    }
}

void ChartControl::setSeriesData(int series, const QVector<double>& x, const QVector<double>& y)
{
    if (QCPCurve* target = curve(series))
        target->data()->set(gridRows(x, y), true);
}

void ChartControl::setSeriesLook(int series, SeriesLook look)
{
    QCPCurve* target = curve(series);
    if (!target)
        return;
    if (look == SeriesLook::Points) {
        target->setLineStyle(QCPCurve::lsNone);
        target->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssSquare, QPen(Qt::black, 0), QBrush(QColor(255, 0, 0)), MarkerPixels));
    } else {
        target->setLineStyle(QCPCurve::lsLine);
        target->setScatterStyle(QCPScatterStyle::ssNone);
    }
}

void ChartControl::setTitles(const QString& chart, const QString& yAxisTitle, const QString& xAxisTitle)
{
    m_title->setText(chart);
    yAxis->setLabel(yAxisTitle);
    xAxis->setLabel(xAxisTitle);
}

void ChartControl::showLonePoints()
{
    for (QCPCurve* series : m_series) {
        if (!series || series->lineStyle() != QCPCurve::lsLine)
            continue;
        const auto data = series->data();
        const auto finite = std::count_if(data->constBegin(), data->constEnd(), [](const QCPCurveData& row) {
            return std::isfinite(row.key) && std::isfinite(row.value);
        });
        const QColor colour = series->pen().color();
        series->setScatterStyle(finite == 1 ? QCPScatterStyle(QCPScatterStyle::ssDisc, colour, colour, LonePointPixels)
                                            : QCPScatterStyle(QCPScatterStyle::ssNone));
    }
}

void ChartControl::fitAxesAndReplot()
{
    showLonePoints();
    applyFit(xAxis, finiteSpan(m_series, [](const QCPCurveData& row) { return row.key; }), width(), PixelsPerXTick);
    applyFit(yAxis, finiteSpan(m_series, [](const QCPCurveData& row) { return row.value; }), height(), PixelsPerYTick);
    replot();
}

int ChartControl::columnCount() const { return m_series[1] ? 4 : 2; }

int ChartControl::rowCount() const { return m_series[0]->data()->size(); }

int ChartControl::seriesCount() const { return columnCount() / 2; }

template <typename Coordinate> QVector<double> ChartControl::seriesColumn(int series, Coordinate coordinate) const
{
    QVector<double> values;
    if (const QCPCurve* source = curve(series)) {
        const auto data = source->data();
        values.reserve(data->size());
        for (auto row = data->constBegin(); row != data->constEnd(); ++row)
            values.append(coordinate(*row));
    }
    return values;
}

QVector<double> ChartControl::xData(int series) const
{
    return seriesColumn(series, [](const QCPCurveData& row) { return row.key; });
}

QVector<double> ChartControl::yData(int series) const
{
    return seriesColumn(series, [](const QCPCurveData& row) { return row.value; });
}

SeriesLook ChartControl::seriesLook(int series) const
{
    const QCPCurve* source = curve(series);
    const bool points = source && source->lineStyle() == QCPCurve::lsNone
        && source->scatterStyle().shape() == QCPScatterStyle::ssSquare;
    return points ? SeriesLook::Points : SeriesLook::Line;
}

QString ChartControl::chartTitle() const { return m_title->text(); }

QString ChartControl::yAxisTitle() const { return yAxis->label(); }

QString ChartControl::xAxisTitle() const { return xAxis->label(); }

} // namespace tarnis
