// The cells of the stability map: a rectangle between given edges for each pair of lag and r, in the
// colour of its regime (pale grey while it is still being computed). The edges may lie at any
// distances, so the cells fit a linear and a logarithmic axis alike; neighbours share their edges to
// the pixel, so no seam shows between them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <vector>

namespace tarnis {

class RegimeCells : public QCPAbstractPlottable {
public:
    RegimeCells(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Every cell not computed; cells are numbered r-major, as the scan numbers them.
    void setEdges(std::vector<double> lagEdges, std::vector<double> rateEdges);
    // A colour for each regime, by the index that setCell takes, and one for a cell not computed.
    void setColours(std::vector<QColor> regimeColours, QColor notComputed);
    void setCell(std::size_t cell, int regimeIndex);
    void clear();

    double selectTest(const QPointF&, bool, QVariant* = nullptr) const override { return -1.0; }
    QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter*, const QRectF&) const override { }

private:
    QColor colourOf(std::size_t cell) const;

    std::vector<double> m_lagEdges;
    std::vector<double> m_rateEdges;
    std::vector<int> m_regimes; // -1: not computed
    std::vector<QColor> m_colours;
    QColor m_notComputed;
};

} // namespace tarnis
