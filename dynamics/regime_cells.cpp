// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/regime_cells.h"

#include <cmath>

namespace tarnis {

namespace {

// The edges on screen, rounded to whole pixels so that neighbouring cells meet exactly.
std::vector<int> pixelEdges(const QCPAxis* axis, const std::vector<double>& edges)
{
    std::vector<int> pixels(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
        pixels[i] = int(std::lround(std::clamp(axis->coordToPixel(edges[i]), -1e6, 1e6)));
    return pixels;
}

QCPRange rangeOf(const std::vector<double>& edges, bool& found)
{
    found = edges.size() >= 2;
    return found ? QCPRange(edges.front(), edges.back()) : QCPRange();
}

} // namespace

RegimeCells::RegimeCells(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(keyAxis, valueAxis)
{
    setAntialiasedFill(false);
}

void RegimeCells::setEdges(std::vector<double> lagEdges, std::vector<double> rateEdges)
{
    m_lagEdges = std::move(lagEdges);
    m_rateEdges = std::move(rateEdges);
    const std::size_t cells
        = m_lagEdges.empty() || m_rateEdges.empty() ? 0 : (m_lagEdges.size() - 1) * (m_rateEdges.size() - 1);
    m_regimes.assign(cells, -1);
}

void RegimeCells::setColours(std::vector<QColor> regimeColours, QColor notComputed)
{
    m_colours = std::move(regimeColours);
    m_notComputed = notComputed;
}

void RegimeCells::setCell(std::size_t cell, int regimeIndex)
{
    if (cell < m_regimes.size())
        m_regimes[cell] = regimeIndex;
}

void RegimeCells::clear() { setEdges({}, {}); }

QColor RegimeCells::colourOf(std::size_t cell) const
{
    const int index = m_regimes[cell];
    return index >= 0 && std::size_t(index) < m_colours.size() ? m_colours[std::size_t(index)] : m_notComputed;
}

QCPRange RegimeCells::getKeyRange(bool& foundRange, QCP::SignDomain) const { return rangeOf(m_lagEdges, foundRange); }

QCPRange RegimeCells::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const
{
    return rangeOf(m_rateEdges, foundRange);
}

// Column by column, a run of cells of one colour is one rectangle: the regimes lie in bands, so a map
// of 8200 cells takes a few hundred.
void RegimeCells::draw(QCPPainter* painter)
{
    if (m_regimes.empty())
        return;
    const std::vector<int> across = pixelEdges(keyAxis(), m_lagEdges);
    const std::vector<int> up = pixelEdges(valueAxis(), m_rateEdges);
    const std::size_t lags = across.size() - 1, rates = up.size() - 1;
    painter->setAntialiasing(false);
    painter->setPen(Qt::NoPen);
    for (std::size_t lag = 0; lag < lags; ++lag) {
        std::size_t first = 0;
        while (first < rates) {
            const QColor colour = colourOf(first * lags + lag);
            std::size_t last = first;
            while (last + 1 < rates && colourOf((last + 1) * lags + lag) == colour)
                ++last;
            const QRect cells(
                QPoint(std::min(across[lag], across[lag + 1]), std::min(up[first], up[last + 1])),
                QPoint(std::max(across[lag], across[lag + 1]) - 1, std::max(up[first], up[last + 1]) - 1));
            painter->fillRect(cells, colour);
            first = last + 1;
        }
    }
}

} // namespace tarnis
