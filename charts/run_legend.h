// A chart's legend, below the plot: one line a run, with the icon of each of its series (named by its
// quantity where the chart has two, "N(t)" and "dN(t)") and the run's short label, which gives way to
// "…" when the line is wider than the chart; the tool tip names the run in full.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_series.h"

#include <qcustomplot.h>

#include <vector>

namespace tarnis {

class SeriesCurve;

class RunLegendItem : public QCPAbstractLegendItem {
    Q_OBJECT
public:
    struct Series {
        const SeriesCurve* curve;
        QString quantity; // empty: the icon alone
    };

    RunLegendItem(QCPLegend* legend, std::vector<Series> series, QString label, QString toolTip);

    // What the line says, icons left out: "N(t), dN(t), This run: T=8".
    QString text() const;
    QString toolTip() const { return m_toolTip; }
    // The width the line takes without shortening.
    int naturalWidth() const;

protected:
    void draw(QCPPainter* painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    QFontMetrics metrics() const;

    std::vector<Series> m_series;
    QString m_label;
    QString m_toolTip;
};

// The legend of a chart: a line for each run while there are kept runs, the names of the two
// quantities where the chart has two series, and a line for the continuous trajectory while it is
// drawn; hidden otherwise. It takes a row of the layout under the plot only while it shows, so that
// the plot gives up the room it takes rather than hide data.
class RunLegend {
public:
    // Takes the chart's legend out of the plot and hides it until there are lines to show.
    explicit RunLegend(QCustomPlot& plot);

    // The lines anew for the series of a chart, in as many columns as the widest line leaves room for.
    void show(const ChartSeries& series);
    // In the order of the runs, the chart's own first; none while hidden.
    std::vector<const RunLegendItem*> lines() const;
    // The line at a place on the chart that names its run in a tool tip; none elsewhere.
    const RunLegendItem* toolTipLineAt(QPoint at) const;

private:
    std::vector<RunLegendItem*> makeLines(const ChartSeries& series);
    RunLegendItem* makeLine(const ChartSeries& series, const ChartSeries::RunSeries& run, const QString& label,
                            const QString& toolTip);
    int columnsFor(const std::vector<RunLegendItem*>& lines) const;
    void place(bool shown);

    QCustomPlot& m_plot;
    QCPLegend& m_legend;
};

} // namespace tarnis
