// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_family.h"

#include "charts/chart_control.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

bool readsNextN(const SeriesSource& series) { return series.x == Quantity::NextN || series.y == Quantity::NextN; }

double valueAt(const ResultStore& store, Quantity quantity, int t)
{
    const auto at = std::size_t(t);
    switch (quantity) {
    case Quantity::Time:
        return t;
    case Quantity::N:
        return store.PopN[at];
    case Quantity::NextN:
        return store.PopN[at + 1];
    case Quantity::DN:
        return store.PopDN[at];
    case Quantity::DNperN:
        return store.PopDNperN[at];
    case Quantity::LogN:
        // After an extinction ln 0 is minus infinity; the chart keeps that row without a value.
        return std::log(store.PopN[at]);
    case Quantity::K:
        return store.ParamK;
    }
    return 0.0;
}

QVector<double> column(const ResultStore& store, Quantity quantity, int rows)
{
    QVector<double> values(rows);
    for (int t = 0; t < rows; ++t)
        values[t] = valueAt(store, quantity, t);
    return values;
}

} // namespace

int chartRowCount(const ResultStore& store, const ChartKindEntry& entry)
{
    const bool next = readsNextN(entry.first) || (entry.second && readsNextN(*entry.second));
    const int lastIndex = next ? MaxStoreIndex - 1 : MaxStoreIndex;
    return std::clamp(int(store.LastStep), -1, lastIndex) + 1;
}

ChartFamily::ChartFamily(ChartControl& chart, const ResultStore& store, ChartWindow window)
    : m_chart(chart)
    , m_store(store)
    , m_window(window)
{
}

void ChartFamily::draw(ChartKind kind) { draw(chartKindEntry(kind, m_window)); }

void ChartFamily::drawKeepingLook(ChartKind kind)
{
    ChartKindEntry entry = chartKindEntry(kind, m_window);
    entry.first.look.reset();
    if (entry.second)
        entry.second->look.reset();
    draw(entry);
}

void ChartFamily::draw(const ChartKindEntry& entry)
{
    m_chart.setColumnCount(entry.second ? 4 : 2);
    m_chart.setTitles(QString::fromLatin1(entry.title), QString::fromLatin1(entry.yAxisTitle),
                      QString::fromLatin1(entry.xAxisTitle));
    const int rows = chartRowCount(m_store, entry);
    const auto fill = [&](int series, const SeriesSource& source) {
        if (source.look)
            m_chart.setSeriesLook(series, *source.look);
        m_chart.setSeriesData(series, column(m_store, source.x, rows), column(m_store, source.y, rows));
    };
    fill(ChartControl::FirstSeries, entry.first);
    if (entry.second)
        fill(ChartControl::SecondSeries, *entry.second);
    m_chart.fitAxesAndReplot();
}

} // namespace tarnis
