// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_pictures.h"

#include "charts/chart_control.h"
#include "charts/chart_readout.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarnis {

namespace {

constexpr double PngScale = 2.0;
constexpr double InchesPerMetre = 1.0 / 0.0254;

// Vector devices are given the chart's own resolution, so that a 10 point title takes the same
// share of the picture as it does on the screen.
void paintVectors(ChartControl& chart, QPaintDevice& device)
{
    QCPPainter painter;
    if (!painter.begin(&device))
        return;
    painter.setMode(QCPPainter::pmVectorized);
    chart.toPainter(&painter, chart.width(), chart.height());
    painter.end();
}

QByteArray pngPicture(ChartControl& chart)
{
    QImage picture = chart.toPixmap(chart.width(), chart.height(), PngScale).toImage();
    // Printed or placed in a document at its own resolution, it comes out at the size it has on screen.
    const int dotsPerMetre = qRound(PngScale * chart.logicalDpiX() * InchesPerMetre);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray svgPicture(ChartControl& chart)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(chart.logicalDpiX());
    svg.setSize(chart.size());
    svg.setViewBox(chart.rect());
    svg.setTitle(chart.chartTitle());
    paintVectors(chart, svg);
    return bytes;
}

QByteArray pdfPicture(ChartControl& chart)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        // One page the size of the chart on screen, with no margins.
        QPdfWriter pdf(&buffer);
        pdf.setResolution(chart.logicalDpiX());
        const QSizeF points = QSizeF(chart.size()) * 72.0 / chart.logicalDpiX();
        pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(chart.chartTitle());
        paintVectors(chart, pdf);
    } // the writer finishes the document when it goes
    return bytes;
}

// Shortest text that reads back as the same double.
QString valueText(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return {};
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    QString text = QString::fromLatin1(digits, end - digits);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

// The x and y titles of each series. Where two series share the y axis its title names both, "N and
// dN", and each column takes its own part.
QStringList columnTitles(const ChartControl& chart)
{
    const QString x = chart.xAxisTitle();
    const QString y = chart.yAxisTitle();
    if (chart.seriesCount() == 1)
        return {x, y};
    QStringList parts = y.split(QStringLiteral(" and "));
    if (parts.size() != 2)
        parts = {y + QStringLiteral(" (1)"), y + QStringLiteral(" (2)")};
    return {x, parts[0], x, parts[1]};
}

QList<int> seriesNumbers(const ChartControl& chart)
{
    return chart.seriesCount() == 2 ? QList<int>{ChartControl::FirstSeries, ChartControl::SecondSeries}
                                    : QList<int>{ChartControl::FirstSeries};
}

// The columns of one run, its titles named after the run while there are kept runs beside it.
void addRunColumns(const ChartControl& chart, int run, QStringList& titles, QList<QVector<double>>& columns)
{
    QStringList own = columnTitles(chart);
    if (chart.keptRunCount() > 0) {
        for (QString& title : own)
            title += QStringLiteral(" (%1)").arg(chart.runName(run));
    }
    titles += own;
    for (int series : seriesNumbers(chart)) {
        if (run == ChartControl::OwnRun)
            columns << chart.xData(series) << chart.yData(series);
        else
            columns << chart.keptXData(run - 1, series) << chart.keptYData(run - 1, series);
    }
}

} // namespace

QByteArray chartPicture(ChartControl& chart, ChartPictureFormat format)
{
    if (chart.width() <= 0 || chart.height() <= 0)
        return {};
    chart.readout().hide(); // the mark under the pointer is no part of the chart
    switch (format) {
    case ChartPictureFormat::Png:
        return pngPicture(chart);
    case ChartPictureFormat::Svg:
        return svgPicture(chart);
    case ChartPictureFormat::Pdf:
        return pdfPicture(chart);
    }
    return {};
}

QString chartDataText(const ChartControl& chart, QChar decimalSeparator)
{
    QStringList titles;
    QList<QVector<double>> columns;
    addRunColumns(chart, ChartControl::OwnRun, titles, columns);
    for (int run = 1; run <= chart.keptRunCount(); ++run)
        addRunColumns(chart, run, titles, columns);
    qsizetype rows = 0;
    for (const auto& column : columns)
        rows = std::max(rows, column.size());

    QString text = titles.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (qsizetype row = 0; row < rows; ++row) {
        QStringList cells;
        for (const auto& column : columns)
            cells << (row < column.size() ? valueText(column[row], decimalSeparator) : QString());
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

} // namespace tarnis
