// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_description.h"

#include "charts/chart_control.h"
#include "model/words/chart_words.h"

namespace tarnis {

namespace {

AxisInWords axisInWords(const QCPAxis& axis)
{
    return {axis.label().toStdString(), axis.range().lower, axis.range().upper,
            axis.scaleType() == QCPAxis::stLogarithmic};
}

std::vector<double> values(const QVector<double>& column) { return {column.begin(), column.end()}; }

} // namespace

QString chartDescription(const ChartControl& chart, const QStringList& marked, char decimalSeparator)
{
    const ChartSeries& series = chart.series();
    ChartInWords words{chart.chartTitle().toStdString(),
                       axisInWords(*chart.xAxis),
                       axisInWords(*chart.yAxis),
                       series.rowCount(),
                       values(series.xData(ChartSeries::FirstSeries)),
                       values(series.yData(ChartSeries::FirstSeries)),
                       {},
                       {}};
    for (int run = 0; run < series.keptRunCount(); ++run)
        words.keptRunNames.push_back(series.keptRunLabel(run).toStdString());
    for (const QString& line : marked)
        words.marked.push_back(line.toStdString());
    return QString::fromStdString(tarnis::chartDescription(words, decimalSeparator));
}

} // namespace tarnis
