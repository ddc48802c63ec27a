// One line of a chart's legend: a run, with the icon of each of its series (named by its quantity
// where the chart has two, "N(t)" and "dN(t)") and the run's short label, which gives way to "…" when
// the line is wider than the chart; the tool tip names the run in full.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

} // namespace tarnis
