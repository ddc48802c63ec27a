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

// Draws the widget into a painter at the widget's own size: a chart widget in its own vectors, any
// other widget as it paints itself on screen.
void paintWidget(QWidget& widget, QPainter& painter)
{
    if (auto* plot = qobject_cast<QCustomPlot*>(&widget)) {
        auto& chartPainter = static_cast<QCPPainter&>(painter);
        chartPainter.setMode(QCPPainter::pmVectorized);
        plot->toPainter(&chartPainter, widget.width(), widget.height());
    } else {
        widget.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

// Vector devices are given the widget's own resolution, so that a 10 point title takes the same
// share of the picture as it does on the screen.
void paintVectors(QWidget& widget, QPaintDevice& device)
{
    QCPPainter painter;
    if (!painter.begin(&device))
        return;
    paintWidget(widget, painter);
    painter.end();
}

QImage pixels(QWidget& widget)
{
    if (auto* plot = qobject_cast<QCustomPlot*>(&widget))
        return plot->toPixmap(widget.width(), widget.height(), PngScale).toImage();
    QImage picture(widget.size() * PngScale, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(PngScale, PngScale);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return picture;
}

QByteArray pngPicture(QWidget& widget)
{
    QImage picture = pixels(widget);
    // Printed or placed in a document at its own resolution, it comes out at the size it has on screen.
    const int dotsPerMetre = qRound(PngScale * widget.logicalDpiX() * InchesPerMetre);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray svgPicture(QWidget& widget, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(widget.logicalDpiX());
    svg.setSize(widget.size());
    svg.setViewBox(widget.rect());
    svg.setTitle(title);
    paintVectors(widget, svg);
    return bytes;
}

QByteArray pdfPicture(QWidget& widget, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        // One page the size of the widget on screen, with no margins.
        QPdfWriter pdf(&buffer);
        pdf.setResolution(widget.logicalDpiX());
        const QSizeF points = QSizeF(widget.size()) * 72.0 / widget.logicalDpiX();
        pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(title);
        paintVectors(widget, pdf);
    } // the writer finishes the document when it goes
    return bytes;
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

QByteArray widgetPicture(QWidget& widget, const QString& title, ChartPictureFormat format)
{
    if (widget.width() <= 0 || widget.height() <= 0)
        return {};
    switch (format) {
    case ChartPictureFormat::Png:
        return pngPicture(widget);
    case ChartPictureFormat::Svg:
        return svgPicture(widget, title);
    case ChartPictureFormat::Pdf:
        return pdfPicture(widget, title);
    }
    return {};
}

QByteArray chartPicture(ChartControl& chart, ChartPictureFormat format)
{
    chart.readout().hide(); // the mark under the pointer is no part of the chart
    return widgetPicture(chart, chart.chartTitle(), format);
}

QString exactNumberText(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return {};
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    QString text = QString::fromLatin1(digits, end - digits);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
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

    QList<QStringList> table;
    table.reserve(rows);
    for (qsizetype row = 0; row < rows; ++row) {
        QStringList cells;
        for (const auto& column : columns)
            cells << (row < column.size() ? exactNumberText(column[row], decimalSeparator) : QString());
        table << cells;
    }
    return tableText(titles, table);
}

QString tableText(const QStringList& header, const QList<QStringList>& rows)
{
    QString text = header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList& row : rows)
        text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

} // namespace tarnis
