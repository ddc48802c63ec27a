// The chart widget of a window (MSChart1): an XY chart over a data grid of one row per point and an
// x and a y column per series, with a chart title, two axis titles and a plain click.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/series_look.h"
#include "ui/page_painted.h"

#include <qcustomplot.h>

#include <array>

namespace tarnis {

class ChartControl : public QCustomPlot, public PagePainted {
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);

    // The series are numbered by the grid column of their x values: series 1 (columns 1 and 2) and
    // series 3 (columns 3 and 4).
    static constexpr int FirstSeries = 1;
    static constexpr int SecondSeries = 3;

    // 2 columns hold one series, 4 hold two. A series that the grid loses is gone with its look;
    // when it comes back it is new.
    void setColumnCount(int columns);
    // Replaces a series' rows. An infinite value is stored as no value, like a NaN: the point is
    // left out and its line broken there.
    void setSeriesData(int series, const QVector<double>& x, const QVector<double>& y);
    void setSeriesLook(int series, SeriesLook look);
    void setTitles(const QString& chart, const QString& yAxis, const QString& xAxis);
    // Fits both axes to the data the chart holds and draws it; a chart routine calls it once, last.
    void fitAxesAndReplot();

    // What the chart holds.
    int columnCount() const;
    int seriesCount() const;
    int rowCount() const;
    QVector<double> xData(int series) const;
    QVector<double> yData(int series) const;
    SeriesLook seriesLook(int series) const;

    // On paper the chart is drawn in vectors, sharp at the printer's resolution.
    void paintOnPage(QPainter& painter) override;
    QString chartTitle() const;
    QString yAxisTitle() const;
    QString xAxisTitle() const;

signals:
    // A left press and its release on the chart; the right button opens the chart's menu instead.
    void clicked();

private:
    QCPCurve* curve(int series) const;
    template <typename Coordinate> QVector<double> seriesColumn(int series, Coordinate coordinate) const;
    QCPCurve* makeSeries(const QColor& colour);
    void setupAxis(QCPAxis* axis);
    void showLonePoints();

    std::array<QCPCurve*, 2> m_series{}; // series 1 and, while the grid has 4 columns, series 3
    QCPTextElement* m_title = nullptr;
};

} // namespace tarnis
