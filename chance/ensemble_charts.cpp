// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/ensemble_charts.h"

#include "charts/chart_pictures.h"
#include "dynamics/plot_style.h"
#include "model/words/chance_words.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

QString text(const std::string& words) { return QString::fromStdString(words); }

// The graphs of the fan chart, in the order they are added: the bands' lower and upper edges, the
// median and the run without chance, which is drawn last so that it lies over the bands.
enum FanGraph { OuterLow, OuterHigh, InnerLow, InnerHigh, Median, Deterministic, FanGraphs };
constexpr int FanNames = 4; // in the legend: the two bands, the median and the run without chance

const QColor BandColour(0, 114, 178); // blue, the inner band darker where it lies over the outer

QCustomPlot* makeChart(const char* objectName, const std::string& title, const std::string& yAxis)
{
    auto* chart = new QCustomPlot;
    chart->setObjectName(QLatin1String(objectName));
    chart->setAccessibleName(text(title));
    chart->setMinimumSize(240, 180);
    plainNumbers(*chart);
    setTitle(*addTitle(*chart), text(title));
    styleAxis(chart->xAxis, text(chanceWords().timeAxis));
    styleAxis(chart->yAxis, text(yAxis));
    chart->legend->setFont(legendFont());
    return chart;
}

QCPGraph* addGraph(QCustomPlot& chart, const QString& name, const QPen& pen, const QBrush& brush = {})
{
    QCPGraph* graph = chart.addGraph();
    graph->setName(name);
    graph->setPen(pen);
    graph->setBrush(brush);
    return graph;
}

// A band: the lower edge without a legend entry, the upper edge filled down to it and named.
void addBand(QCustomPlot& chart, const std::string& name, int alpha)
{
    QColor fill = BandColour;
    fill.setAlpha(alpha);
    QCPGraph* low = addGraph(chart, {}, Qt::NoPen);
    QCPGraph* high = addGraph(chart, text(name), Qt::NoPen, fill);
    high->setChannelFillGraph(low);
    chart.legend->removeItem(chart.legend->itemCount() - 2); // the lower edge's
}

QVector<double> steps(std::size_t count)
{
    QVector<double> t(qsizetype(count), 0.0);
    for (std::size_t i = 0; i < count; ++i)
        t[qsizetype(i)] = double(i);
    return t;
}

// A band's values, +inf (runs that left the range of doubles) as `infinity`.
QVector<double> band(const std::vector<std::array<double, 5>>& bands, std::size_t share, double infinity)
{
    QVector<double> values;
    values.reserve(qsizetype(bands.size()));
    for (const auto& at : bands)
        values << (std::isinf(at[share]) ? infinity : at[share]);
    return values;
}

bool anyInfinite(const std::vector<std::array<double, 5>>& bands)
{
    return std::any_of(bands.begin(), bands.end(), [](const auto& at) {
        return std::any_of(at.begin(), at.end(), [](double v) { return std::isinf(v); });
    });
}

QVector<double> values(const std::vector<double>& from) { return {from.begin(), from.end()}; }

// The line under the fan chart's title, in the layout's second row while there is something to say.
void showNote(QCustomPlot& chart, const std::string& note)
{
    QCPLayoutGrid* layout = chart.plotLayout();
    if (auto* shown = qobject_cast<QCPTextElement*>(layout->element(1, 0))) {
        layout->remove(shown);
        layout->simplify();
    }
    if (note.empty())
        return;
    layout->insertRow(1);
    auto* line = new QCPTextElement(&chart, text(note), legendFont());
    line->setObjectName(QStringLiteral("bandsNote"));
    layout->addElement(1, 0, line);
}

void fit(QCustomPlot& chart, bool hasData)
{
    chart.legend->setVisible(hasData);
    if (hasData)
        chart.rescaleAxes();
    chart.replot();
}

} // namespace

QCustomPlot* makeFanChart()
{
    const ChanceWords words = chanceWords();
    QCustomPlot* chart = makeChart("fanChart", words.fanTitle, words.populationAxis);
    addBand(*chart, words.outerBand, 70);
    addBand(*chart, words.innerBand, 110);
    addGraph(*chart, text(words.median), QPen(BandColour.darker(150), 2));
    addGraph(*chart, text(words.deterministic), QPen(Qt::black, 1.5, Qt::DashLine));
    // In a row of its own under the axes, clear of the bands wherever they lie.
    chart->axisRect()->insetLayout()->take(chart->legend);
    chart->plotLayout()->addElement(chart->plotLayout()->rowCount(), 0, chart->legend);
    chart->plotLayout()->setRowStretchFactor(chart->plotLayout()->rowCount() - 1, 0.001);
    chart->legend->setBorderPen(Qt::NoPen);
    // On one row where the chart is wide enough, else on as many as its names need.
    keepLegendFitted(*chart, FanNames);
    return chart;
}

QCustomPlot* makeSurvivalChart()
{
    const ChanceWords words = chanceWords();
    QCustomPlot* chart = makeChart("survivalChart", words.survivalTitle, words.shareAxis);
    addGraph(*chart, text(words.survivalTitle), QPen(QColor(213, 94, 0), 2));
    chart->legend->setVisible(false); // one curve, named by the title
    return chart;
}

void showFan(QCustomPlot& chart, const EnsembleCurves* curves)
{
    showNote(chart, curves ? curves->bandsNote : std::string());
    if (!curves) {
        for (int graph = 0; graph < FanGraphs; ++graph)
            chart.graph(graph)->data()->clear();
        return fit(chart, false);
    }
    const QVector<double> t = steps(curves->bands.size());
    const auto setBands = [&](double infinity) {
        for (int share = 0; share < 5; ++share) {
            static constexpr std::array<FanGraph, 5> Edge{OuterLow, InnerLow, Median, InnerHigh, OuterHigh};
            chart.graph(Edge[std::size_t(share)])->setData(t, band(curves->bands, std::size_t(share), infinity), true);
        }
    };
    // The axes fit the finite values; a band at +inf is then drawn a plot's height above the top, so
    // that it fills up to the top edge and is clipped there, instead of vanishing or stretching the axis.
    setBands(std::numeric_limits<double>::quiet_NaN());
    chart.graph(Deterministic)->setData(steps(curves->deterministic.size()), values(curves->deterministic), true);
    fit(chart, true);
    if (anyInfinite(curves->bands)) {
        const QCPRange shown = chart.yAxis->range();
        setBands(shown.upper + shown.size());
        chart.replot();
    }
}

void showSurvival(QCustomPlot& chart, const EnsembleCurves* curves)
{
    if (!curves) {
        chart.graph(0)->data()->clear();
        return fit(chart, false);
    }
    chart.graph(0)->setData(steps(curves->survival.size()), values(curves->survival), true);
    chart.xAxis->rescale();
    chart.yAxis->setRange(0.0, 1.0); // a share: the whole of it, so that curves of two ensembles compare
    chart.replot();
}

QString ensembleDataText(const EnsembleCurves* curves, QChar decimalSeparator)
{
    if (!curves)
        return {};
    QStringList header;
    for (const std::string& column : ensembleDataColumns())
        header << text(column);
    QList<QStringList> rows;
    for (std::size_t t = 0; t < curves->survival.size() && t < curves->bands.size(); ++t) {
        QStringList row{QString::number(t), exactNumberText(curves->survival[t], decimalSeparator)};
        for (double value : curves->bands[t])
            row << exactNumberText(value, decimalSeparator);
        rows << row;
    }
    return tableText(header, rows);
}

} // namespace tarnis
