// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_description.h"

#include "charts/chart_control.h"
#include "model/conversions.h"

#include <cmath>

namespace tarnis {

namespace {

QString number(double value, char separator) { return QString::fromStdString(numberToText(value, separator, 6)); }

QString axisText(const QCPAxis& axis, char separator)
{
    const QString scale
        = axis.scaleType() == QCPAxis::stLogarithmic ? QStringLiteral(" on a logarithmic scale") : QString();
    return QStringLiteral("%1 from %2 to %3%4")
        .arg(axis.label(), number(axis.range().lower, separator), number(axis.range().upper, separator), scale);
}

// The last row of the chart's first series that has a value, as "x = …, y = …".
QString lastPointText(const ChartControl& chart, char separator)
{
    const QVector<double> x = chart.xData(ChartControl::FirstSeries);
    const QVector<double> y = chart.yData(ChartControl::FirstSeries);
    for (qsizetype row = std::min(x.size(), y.size()) - 1; row >= 0; --row) {
        if (std::isfinite(x[row]) && std::isfinite(y[row]))
            return QStringLiteral("the last at %1 = %2, %3 = %4")
                .arg(chart.xAxisTitle(), number(x[row], separator), chart.yAxisTitle(), number(y[row], separator));
    }
    return QStringLiteral("none with a value");
}

} // namespace

QString chartDescription(const ChartControl& chart, char separator)
{
    if (chart.chartTitle().isEmpty())
        return QStringLiteral("No chart drawn yet.");
    QString text = QStringLiteral("%1. Vertical axis: %2. Horizontal axis: %3. %4 points, %5.")
                       .arg(chart.chartTitle(), axisText(*chart.yAxis, separator), axisText(*chart.xAxis, separator))
                       .arg(chart.rowCount())
                       .arg(lastPointText(chart, separator));
    if (chart.keptRunCount() > 0) {
        QStringList kept;
        for (int run = 0; run < chart.keptRunCount(); ++run)
            kept << chart.keptRunLabel(run);
        text += QStringLiteral(" Shown with %1 kept %2: %3.")
                    .arg(chart.keptRunCount())
                    .arg(chart.keptRunCount() == 1 ? QStringLiteral("run") : QStringLiteral("runs"),
                         kept.join(QStringLiteral("; ")));
    }
    return text;
}

} // namespace tarnis
