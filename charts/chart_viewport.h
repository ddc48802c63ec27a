// Zoom and pan of a chart by the user, within the fitted view and a margin around it. The wheel zooms
// around the point under the pointer (over an axis' labels, along that axis alone); a drag of the
// left button pans once the pointer has gone
// further than the drag distance, the distance within which a press and its release still make the
// click that steps the chart. "Fit to data" and every chart routine fit the axes again. The run charts
// and the plots of the Dynamics window move the same way.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_view_limits.h"

#include <qcustomplot.h>

#include <functional>
#include <optional>

namespace tarnis {

class ChartControl;

// What a viewport moves: the x and y axes of a plot's main axis rect, the view that fits the plot's
// data (which sets the zoom limits), and how the plot takes a view the user chose.
struct ViewportHost {
    QCustomPlot& plot;
    std::function<QCPRange(const QCPAxis*)> fittedRange;
    std::function<void(const QCPRange& x, const QCPRange& y)> setView;
};

class ChartViewport {
public:
    explicit ChartViewport(ChartControl& chart);
    explicit ChartViewport(ViewportHost host);

    // The model's limits (model/chart_view_limits.h), which the page keeps to as well.
    static constexpr double MostZoomIn = tarnis::MostZoomIn;
    static constexpr double Margin = ViewMargin;
    static constexpr double MostZoomOut = tarnis::MostZoomOut;
    static constexpr double ZoomPerNotch = tarnis::ZoomPerNotch;

    void press(const QMouseEvent& event);
    // True while the press has become a drag that pans.
    bool move(const QMouseEvent& event);
    void release(const QMouseEvent& event);
    // True when the view changed.
    bool wheel(const QWheelEvent& event);

private:
    struct Drag {
        QPointF from;
        QCPRange x, y; // the view when the button went down
        bool panning = false;
    };

    QCPRange zoomed(const QCPAxis* axis, double around, double notches) const;
    QCPRange panned(const QCPAxis* axis, const QCPRange& from, double pixels) const;

    ViewportHost m_host;
    QCustomPlot& m_chart;
    std::optional<Drag> m_drag;
};

} // namespace tarnis
