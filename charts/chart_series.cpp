// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_series.h"

#include "charts/series_curve.h"
#include "model/words/chart_words.h"
#include "ui/localized.h"

#include <algorithm>

namespace tarnis {

namespace {

std::size_t seriesSlot(int series) { return series == ChartSeries::SecondSeries ? 1 : 0; }

// The model's colours of a series: the run on show's (place < 0) or a kept run's in its place.
SeriesColours coloursOf(int place, std::size_t slot)
{
    const SeriesRgb rgb = place < 0 ? ownSeriesColours(int(slot)) : keptSeriesColours(place, int(slot));
    return {QColor::fromRgb(QRgb(rgb.line)), QColor::fromRgb(QRgb(rgb.markerOutline)),
            QColor::fromRgb(QRgb(rgb.markerFill))};
}

template <typename Coordinate> QVector<double> column(const QCPCurve* source, Coordinate coordinate)
{
    QVector<double> values;
    if (!source)
        return values;
    const auto data = source->data(); // a shared pointer, held once and not copied for every row
    values.reserve(data->size());
    for (auto row = data->constBegin(); row != data->constEnd(); ++row)
        values.append(coordinate(*row));
    return values;
}

double keyOf(const QCPCurveData& row) { return row.key; }
double valueOf(const QCPCurveData& row) { return row.value; }

} // namespace

ChartSeries::ChartSeries(QCustomPlot& plot)
    : m_plot(plot)
{
    // Kept runs are drawn behind the chart's own series, on a layer under theirs.
    m_plot.addLayer(QStringLiteral("kept"), m_plot.layer(QStringLiteral("main")), QCustomPlot::limBelow);
    m_keptLayer = m_plot.layer(QStringLiteral("kept"));
    // The continuous trajectory over the kept runs, under the run it is compared with.
    m_plot.addLayer(QStringLiteral("continuous"), m_plot.layer(QStringLiteral("main")), QCustomPlot::limBelow);
    m_continuousLayer = m_plot.layer(QStringLiteral("continuous"));
    m_own.series[0] = makeSeries(0, m_plot.layer(QStringLiteral("main")));
}

SeriesCurve* ChartSeries::makeSeries(std::size_t slot, QCPLayer* layer)
{
    // A curve keeps its points in row order; a line through dN against N follows the trajectory.
    auto* series = new SeriesCurve(m_plot.xAxis, m_plot.yAxis, coloursOf(-1, slot));
    series->setLayer(layer);
    return series;
}

SeriesCurve* ChartSeries::curve(int series) const
{
    Q_ASSERT(series == FirstSeries || series == SecondSeries);
    return m_own.series[seriesSlot(series)];
}

SeriesCurve* ChartSeries::keptCurve(int run, int series) const
{
    if (run < 0 || run >= keptRunCount())
        return nullptr;
    return m_kept[std::size_t(run)].series[seriesSlot(series)];
}

void ChartSeries::setColumnCount(int columns)
{
    SeriesCurve*& second = m_own.series[1];
    if (columns >= 4 && !second) {
        second = makeSeries(1, m_plot.layer(QStringLiteral("main")));
    } else if (columns < 4 && second) {
        m_plot.removePlottable(second);
        second = nullptr;
    }
    for (RunSeries& run : m_kept)
        matchKeptSeries(run);
}

void ChartSeries::setSeriesData(int series, const QVector<double>& x, const QVector<double>& y)
{
    if (SeriesCurve* target = curve(series))
        target->setRows(x, y, m_positiveYOnly);
}

void ChartSeries::setSeriesLook(int series, SeriesLook look)
{
    if (SeriesCurve* target = curve(series))
        target->setLook(look);
}

void ChartSeries::setSeriesQuantities(int series, Quantity x, Quantity y) { m_quantities[seriesSlot(series)] = {x, y}; }

void ChartSeries::setKeptRunCount(int runs)
{
    runs = std::max(runs, 0);
    while (keptRunCount() > runs) {
        for (SeriesCurve* series : m_kept.back().series)
            if (series)
                m_plot.removePlottable(series);
        m_kept.pop_back();
    }
    m_kept.resize(std::size_t(runs), RunSeries{.place = 0});
    for (RunSeries& run : m_kept)
        matchKeptSeries(run);
}

// A kept run has the series the chart's own has, in their looks.
void ChartSeries::matchKeptSeries(RunSeries& run)
{
    for (std::size_t slot = 0; slot < run.series.size(); ++slot) {
        SeriesCurve*& series = run.series[slot];
        if (m_own.series[slot] && !series) {
            series = makeSeries(slot, m_keptLayer);
        } else if (!m_own.series[slot] && series) {
            m_plot.removePlottable(series);
            series = nullptr;
        }
    }
    colourKeptRun(run);
}

void ChartSeries::colourKeptRun(const RunSeries& run)
{
    for (std::size_t slot = 0; slot < run.series.size(); ++slot) {
        if (SeriesCurve* series = run.series[slot]) {
            series->setColours(coloursOf(run.place, slot));
            series->setLook(m_own.series[slot]->look());
        }
    }
}

void ChartSeries::matchKeptLooks()
{
    for (const RunSeries& run : m_kept)
        colourKeptRun(run);
}

void ChartSeries::setKeptRun(int run, int place, const RunNames& names)
{
    if (run < 0 || run >= keptRunCount())
        return;
    RunSeries& kept = m_kept[std::size_t(run)];
    kept.place = place;
    kept.names = names;
    colourKeptRun(kept);
}

void ChartSeries::setKeptSeriesData(int run, int series, const QVector<double>& x, const QVector<double>& y)
{
    if (SeriesCurve* target = keptCurve(run, series))
        target->setRows(x, y, m_positiveYOnly);
}

void ChartSeries::setContinuous(const QVector<double>& x, const QVector<double>& y, const QString& name)
{
    if (!m_continuous) {
        const SeriesRgb rgb = continuousSeriesColours();
        m_continuous = new SeriesCurve(m_plot.xAxis, m_plot.yAxis,
                                       {QColor::fromRgb(QRgb(rgb.line)), QColor::fromRgb(QRgb(rgb.markerOutline)),
                                        QColor::fromRgb(QRgb(rgb.markerFill))});
        m_continuous->setLayer(m_continuousLayer);
        m_continuous->setDashes({ContinuousDashPixels[0], ContinuousDashPixels[1]});
    }
    m_continuous->setRows(x, y, m_positiveYOnly);
    m_continuousName = name;
}

void ChartSeries::clearContinuous()
{
    if (!m_continuous)
        return;
    m_plot.removePlottable(m_continuous);
    m_continuous = nullptr;
    m_continuousName.clear();
}

QVector<double> ChartSeries::continuousYData() const { return column(m_continuous, valueOf); }

void ChartSeries::setStepValues(std::function<std::optional<StepReading>(int, int)> lookup)
{
    m_stepValues = std::move(lookup);
}

int ChartSeries::columnCount() const { return m_own.series[1] ? 4 : 2; }

int ChartSeries::seriesCount() const { return columnCount() / 2; }

int ChartSeries::rowCount() const { return m_own.series[0]->data()->size(); }

QVector<double> ChartSeries::xData(int series) const { return column(curve(series), keyOf); }

QVector<double> ChartSeries::yData(int series) const { return column(curve(series), valueOf); }

SeriesLook ChartSeries::seriesLook(int series) const
{
    const SeriesCurve* source = curve(series);
    return source ? source->look() : SeriesLook::Line;
}

QVector<double> ChartSeries::keptXData(int run, int series) const { return column(keptCurve(run, series), keyOf); }

QVector<double> ChartSeries::keptYData(int run, int series) const { return column(keptCurve(run, series), valueOf); }

QString ChartSeries::keptRunLabel(int run) const
{
    return run >= 0 && run < keptRunCount() ? m_kept[std::size_t(run)].names.full : QString();
}

QColor ChartSeries::keptRunColour(int run) const
{
    return run >= 0 && run < keptRunCount() ? coloursOf(m_kept[std::size_t(run)].place, 0).line : QColor();
}

QString ChartSeries::runDataName(int run) const
{
    const RunNames* names = run == OwnRun          ? &m_own.names
        : run - 1 >= 0 && run - 1 < keptRunCount() ? &m_kept[std::size_t(run - 1)].names
                                                   : nullptr;
    if (!names)
        return {};
    return names->data.isEmpty() && run == OwnRun ? QString::fromStdString(unnamedRunName()) : names->data;
}

QString ChartSeries::runName(int run) const
{
    if (run == OwnRun)
        return m_own.names.full.isEmpty() ? localized(unnamedRunName()) : m_own.names.full;
    return keptRunLabel(run - 1);
}

std::vector<ChartSeries::Drawn> ChartSeries::drawnSeries() const
{
    std::vector<Drawn> drawn;
    for (int run = 0; run < keptRunCount(); ++run)
        for (const SeriesCurve* series : m_kept[std::size_t(run)].series)
            if (series)
                drawn.push_back({series, run + 1});
    for (const SeriesCurve* series : m_own.series)
        if (series)
            drawn.push_back({series, OwnRun});
    return drawn;
}

std::vector<const SeriesCurve*> ChartSeries::drawnCurves() const
{
    std::vector<const SeriesCurve*> curves;
    for (const Drawn& drawn : drawnSeries())
        curves.push_back(drawn.curve);
    if (m_continuous)
        curves.push_back(m_continuous);
    return curves;
}

std::optional<StepReading> ChartSeries::stepValues(int run, int t) const
{
    return m_stepValues ? m_stepValues(run, t) : std::nullopt;
}

std::pair<Quantity, Quantity> ChartSeries::quantities(const SeriesCurve* curve) const
{
    for (const RunSeries& run : m_kept)
        for (std::size_t slot = 0; slot < run.series.size(); ++slot)
            if (run.series[slot] == curve)
                return m_quantities[slot];
    return m_quantities[curve == m_own.series[1] ? 1 : 0];
}

} // namespace tarnis
