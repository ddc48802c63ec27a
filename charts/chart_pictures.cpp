// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_pictures.h"

#include "charts/chart_control.h"
#include "charts/chart_readout.h"
#include "model/words/chart_words.h"
#include "model/words/continuous_words.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
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

QList<int> seriesNumbers(const ChartSeries& drawn)
{
    return drawn.seriesCount() == 2 ? QList<int>{ChartSeries::FirstSeries, ChartSeries::SecondSeries}
                                    : QList<int>{ChartSeries::FirstSeries};
}

std::vector<double> values(const QVector<double>& column) { return {column.begin(), column.end()}; }

// The series of one run as the model's table takes them.
ChartTable::Run runColumns(const ChartSeries& drawn, int run)
{
    ChartTable::Run columns{drawn.runDataName(run).toStdString(), {}};
    for (int series : seriesNumbers(drawn)) {
        if (run == ChartSeries::OwnRun)
            columns.series.push_back({values(drawn.xData(series)), values(drawn.yData(series))});
        else
            columns.series.push_back(
                {values(drawn.keptXData(run - 1, series)), values(drawn.keptYData(run - 1, series))});
    }
    return columns;
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
    chart.showPictureNote(true);
    QByteArray picture = widgetPicture(chart, chart.chartTitle(), format);
    chart.showPictureNote(false);
    chart.replot(QCustomPlot::rpRefreshHint); // the screen as it was, at once
    return picture;
}

QString exactNumberText(double value, QChar decimalSeparator)
{
    return QString::fromStdString(tarnis::exactNumberText(value, decimalSeparator.toLatin1()));
}

QString chartDataText(const ChartControl& chart, QChar decimalSeparator)
{
    ChartTable table{chart.xDataTitle().toStdString(), chart.yDataTitle().toStdString(), {}};
    for (int run = ChartSeries::OwnRun; run <= chart.series().keptRunCount(); ++run)
        table.runs.push_back(runColumns(chart.series(), run));
    // The continuous trajectory's N at t = 0, 1, … (the rows' t), where it is drawn.
    if (chart.series().continuousCurve())
        table.extraColumns.push_back(
            {continuousComparisonWords().dataColumn, values(chart.series().continuousYData())});
    return QString::fromStdString(tarnis::chartDataText(table, decimalSeparator.toLatin1()));
}

QString tableText(const QStringList& header, const QList<QStringList>& rows)
{
    const auto strings = [](const QStringList& cells) {
        std::vector<std::string> texts;
        for (const QString& cell : cells)
            texts.push_back(cell.toStdString());
        return texts;
    };
    std::vector<std::vector<std::string>> table;
    for (const QStringList& row : rows)
        table.push_back(strings(row));
    return QString::fromStdString(tarnis::tableText(strings(header), table));
}

} // namespace tarnis
