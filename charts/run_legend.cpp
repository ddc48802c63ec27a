// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/run_legend.h"

#include "charts/chart_fonts.h"
#include "charts/series_curve.h"
#include "model/words/chart_words.h"
#include "ui/design.h"

#include <algorithm>

namespace tarnis {

namespace {

constexpr int Gap = 4; // between an icon and its text, and after a quantity's name
constexpr int ColumnGap = 12;
constexpr int LegendRow = 2; // of the chart's layout: under the heading and the plot

} // namespace

RunLegendItem::RunLegendItem(QCPLegend* legend, std::vector<Series> series, QString label, QString toolTip)
    : QCPAbstractLegendItem(legend)
    , m_series(std::move(series))
    , m_label(std::move(label))
    , m_toolTip(std::move(toolTip))
{
    setSelectable(false);
}

QString RunLegendItem::text() const
{
    std::vector<std::string> quantities;
    for (const Series& series : m_series)
        quantities.push_back(series.quantity.toStdString());
    return QString::fromStdString(legendLineText(quantities, m_label.toStdString()));
}

QFontMetrics RunLegendItem::metrics() const { return QFontMetrics(mParentLegend->font()); }

int RunLegendItem::naturalWidth() const
{
    const QFontMetrics fonts = metrics();
    int width = 0;
    for (const Series& series : m_series) {
        width += mParentLegend->iconSize().width() + Gap;
        if (!series.quantity.isEmpty())
            width += fonts.horizontalAdvance(series.quantity) + 2 * Gap;
    }
    return width + fonts.horizontalAdvance(m_label) + mMargins.left() + mMargins.right();
}

QSize RunLegendItem::minimumOuterSizeHint() const
{
    // Never wider than the chart: a longer label is shortened where it is drawn.
    const int widest = std::max(1, mParentPlot->viewport().width() - 16);
    const int height = std::max(metrics().height(), mParentLegend->iconSize().height());
    return {std::min(naturalWidth(), widest), height + mMargins.top() + mMargins.bottom()};
}

void RunLegendItem::draw(QCPPainter* painter)
{
    const QFontMetrics fonts = metrics();
    const QRect area = mRect;
    const QSize icon = mParentLegend->iconSize();
    int x = area.left();
    const int middle = area.top() + area.height() / 2;
    painter->setFont(mParentLegend->font());
    for (const Series& series : m_series) {
        const QRect iconRect(x, middle - icon.height() / 2, icon.width(), icon.height());
        painter->save();
        painter->setClipRect(iconRect, Qt::IntersectClip);
        series.curve->drawIcon(painter, iconRect);
        painter->restore();
        x += icon.width() + Gap;
        if (!series.quantity.isEmpty()) {
            painter->setPen(Qt::black);
            painter->drawText(x, middle - fonts.height() / 2 + fonts.ascent(), series.quantity);
            x += fonts.horizontalAdvance(series.quantity) + 2 * Gap;
        }
    }
    painter->setPen(Qt::black);
    const QString shown = fonts.elidedText(m_label, Qt::ElideRight, std::max(0, area.right() - x));
    painter->drawText(x, middle - fonts.height() / 2 + fonts.ascent(), shown);
}

RunLegend::RunLegend(QCustomPlot& plot)
    : m_plot(plot)
    , m_legend(*plot.legend)
{
    m_plot.setAutoAddPlottableToLegend(false);
    m_plot.axisRect()->insetLayout()->take(&m_legend);
    m_legend.setVisible(false);
    m_legend.setFont(arialFont(LegendPoints));
    m_legend.setIconSize(16, 8);
    m_legend.setRowSpacing(0);
    m_legend.setColumnSpacing(ColumnGap);
    m_legend.setMargins(QMargins(4, 2, 4, 2));
    // A frame is drawn on the edge of its rectangle, whose right and bottom lines would fall just outside
    // the chart at its lower right corner: the layout keeps two pixels of room there.
    m_plot.plotLayout()->setMargins(QMargins(0, 0, 2, 2));
    m_legend.setBrush(Qt::white);
    m_legend.setBorderPen(QPen(QColor(160, 160, 160), 0));
    m_legend.setFillOrder(QCPLayoutGrid::foColumnsFirst);
}

void RunLegend::show(const ChartSeries& series)
{
    m_legend.clearItems();
    m_legend.simplify(); // no empty cells left from a grid of other columns
    place(legendShown(series.keptRunCount(), series.seriesCount()) || series.continuousCurve());
    if (!m_legend.visible())
        return;
    const std::vector<RunLegendItem*> lines = makeLines(series);
    m_legend.setWrap(columnsFor(lines));
    for (RunLegendItem* line : lines)
        m_legend.addItem(line);
}

// Without kept runs the line names only the quantities, and the run where the continuous trajectory
// has a line beside it; with them, each run has a line of its own. The continuous trajectory's comes
// last.
std::vector<RunLegendItem*> RunLegend::makeLines(const ChartSeries& series)
{
    std::vector<RunLegendItem*> lines;
    if (series.keptRuns().empty()) {
        const QString own = series.continuousCurve() ? QString::fromStdString(unnamedRunName()) : QString();
        lines.push_back(makeLine(series, series.ownRun(), own, QString()));
    } else {
        lines.push_back(
            makeLine(series, series.ownRun(), series.ownRun().names.legend, series.runName(ChartSeries::OwnRun)));
        for (const ChartSeries::RunSeries& run : series.keptRuns())
            lines.push_back(makeLine(series, run, run.names.legend, run.names.full));
    }
    if (const SeriesCurve* continuous = series.continuousCurve())
        lines.push_back(new RunLegendItem(&m_legend, {{continuous, QString()}}, series.continuousName(), QString()));
    return lines;
}

RunLegendItem* RunLegend::makeLine(const ChartSeries& series, const ChartSeries::RunSeries& run, const QString& label,
                                   const QString& toolTip)
{
    const bool named = series.seriesCount() == 2;
    std::vector<RunLegendItem::Series> icons;
    for (const SeriesCurve* curve : run.series) {
        if (curve)
            icons.push_back(
                {curve, named ? QString::fromStdString(quantityName(series.quantities(curve).second)) : QString()});
    }
    return new RunLegendItem(&m_legend, std::move(icons), label, toolTip);
}

// As many columns as the widest line leaves room for, each run still on one line.
int RunLegend::columnsFor(const std::vector<RunLegendItem*>& lines) const
{
    int widest = 1;
    for (const RunLegendItem* line : lines)
        widest = std::max(widest, line->naturalWidth());
    const int room = m_plot.width() - m_legend.margins().left() - m_legend.margins().right() - 8;
    return std::clamp((room + ColumnGap) / (widest + ColumnGap), 1, int(lines.size()));
}

void RunLegend::place(bool shown)
{
    m_legend.setVisible(shown);
    QCPLayoutGrid* layout = m_plot.plotLayout();
    const bool placed = layout->hasElement(LegendRow, 0) && layout->element(LegendRow, 0) == &m_legend;
    if (shown && !placed) {
        layout->addElement(LegendRow, 0, &m_legend);
        layout->setRowStretchFactor(LegendRow, 0.001);
    } else if (!shown && placed) {
        layout->take(&m_legend);
        layout->simplify();
    }
}

std::vector<const RunLegendItem*> RunLegend::lines() const
{
    std::vector<const RunLegendItem*> lines;
    for (int cell = 0; m_legend.visible() && cell < m_legend.elementCount(); ++cell)
        if (const auto* line = qobject_cast<const RunLegendItem*>(m_legend.elementAt(cell)))
            lines.push_back(line);
    return lines;
}

const RunLegendItem* RunLegend::toolTipLineAt(QPoint at) const
{
    for (const RunLegendItem* line : lines())
        if (line->outerRect().contains(at) && !line->toolTip().isEmpty())
            return line;
    return nullptr;
}

} // namespace tarnis
