// The axes of a chart and the view on them: the fit to the data (the model's fitChartAxis, widened
// where markers at the data's ends need room), the ticks, the view the user zoomed or panned to and
// the fitted ranges that bound it, and the window's choice of a logarithmic N axis.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <functional>
#include <vector>

namespace tarnis {

class SeriesCurve;

class ChartAxes {
public:
    // Sets up the fonts, the numbers and the grid of both axes. `layOut` lays the plot out anew, a step
    // that the chart widget keeps to itself and a fit needs before it measures the plot.
    ChartAxes(QCustomPlot& plot, std::function<void()> layOut);

    // Fits both axes to the drawn series; the view the user chose is gone.
    void fitTo(const std::vector<const SeriesCurve*>& drawn);
    // A view the user chose: the ranges are kept as given and the ticks follow them.
    void setUserView(const QCPRange& x, const QCPRange& y);
    bool hasUserView() const { return m_userView; }
    QCPRange fittedRange(const QCPAxis* axis) const;

    // The y axis on a logarithmic scale, from the next fit on.
    void setLogarithmicY(bool on) { m_logarithmicY = on; }
    // Whether the y axis on show is logarithmic.
    bool logarithmicY() const;
    // The window's choice of a logarithmic N axis, which the chart routines honour where y is N; false
    // when the choice stays as it was.
    bool chooseLogNAxis(bool chosen);
    bool logNAxisChosen() const { return m_logNAxisChosen; }

private:
    void fitOneAxis(QCPAxis* axis, double lowest, double highest);
    void leaveRoomForMarkers(const std::vector<const SeriesCurve*>& drawn);

    QCustomPlot& m_plot;
    std::function<void()> m_layOut;
    bool m_logarithmicY = false;
    bool m_logNAxisChosen = false;
    bool m_userView = false;
    QCPRange m_fittedX, m_fittedY;
};

} // namespace tarnis
