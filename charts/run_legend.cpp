// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/run_legend.h"

#include "charts/series_curve.h"
#include "model/words/chart_words.h"

namespace tarnis {

namespace {

constexpr int Gap = 4; // between an icon and its text, and after a quantity's name

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

} // namespace tarnis
