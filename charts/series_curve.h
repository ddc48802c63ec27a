// One series as the chart draws it: its rows, the extent of its values and its look in its colours.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_kinds.h"

#include <qcustomplot.h>

namespace tarnis {

// The lowest and highest finite x and y of a series; lowest > highest where there is none.
struct SeriesExtent {
    double xLow = qInf(), xHigh = -qInf();
    double yLow = qInf(), yHigh = -qInf();
    qsizetype finiteRows = 0;

    void include(const SeriesExtent& other);
};

struct SeriesColours {
    QColor line;
    QColor markerOutline;
    QColor markerFill;
};

class SeriesCurve : public QCPCurve {
public:
    SeriesCurve(QCPAxis* x, QCPAxis* y, const SeriesColours& colours);

    // Replaces the rows. An infinite value is stored as no value, like a NaN: the point is left out
    // and its line broken there; with `positiveYOnly` (a logarithmic axis) so is a y of 0 or below.
    void setRows(const QVector<double>& x, const QVector<double>& y, bool positiveYOnly);
    const SeriesExtent& extent() const { return m_extent; }

    void setLook(SeriesLook look);
    SeriesLook look() const { return m_look; }
    void setColours(const SeriesColours& colours);
    const SeriesColours& colours() const { return m_colours; }
    // The line in dashes of so many pixels drawn and left out, in turn; none: a solid line.
    void setDashes(const QVector<qreal>& dashes);
    const QVector<qreal>& dashes() const { return m_dashes; }

    // The series' icon for a legend of the chart's own.
    void drawIcon(QCPPainter* painter, const QRectF& rect) const { drawLegendIcon(painter, rect); }

    // The chart never selects a series; the default test measured the distance to every row at each
    // press of a button.
    double selectTest(const QPointF&, bool, QVariant* = nullptr) const override { return -1.0; }

private:
    void applyLook();

    SeriesLook m_look = SeriesLook::Line;
    SeriesColours m_colours;
    QVector<qreal> m_dashes;
    SeriesExtent m_extent;
};

} // namespace tarnis
