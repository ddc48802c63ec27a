// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_family.h"

#include "charts/chart_control.h"

namespace tarnis {

ChartFamily::ChartFamily(ChartControl& chart, const ResultStore& store) : m_chart(chart), m_store(store) {}

void ChartFamily::draw(ChartKind)
{
    m_chart.clearGraphs();
    QCPGraph* graph = m_chart.addGraph();
    const int rows = m_store.LastStep + 1;
    QVector<double> x(rows), y(rows);
    for (int t = 0; t < rows; ++t) {
        x[t] = t;
        y[t] = m_store.PopN[t];
    }
    graph->setData(x, y, true);
    m_chart.rescaleAxes();
    m_chart.replot();
}

} // namespace tarnis
