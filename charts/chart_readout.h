// The value under the pointer. Hovering over a chart marks the point of any series on show that lies
// nearest the pointer on screen, so that phase plots (x no time) work as well as plots over time, and
// tells which run it belongs to, the chart's own x and y of that point, then the other values of its
// step (t, N(t), dN(t), dN(t)/N(t)), to 15 significant digits with the user's decimal separator, in
// an opaque box within the plot that leaves the axes' numbers free. Mark and box live on a layer of
// their own: moving the pointer redraws that layer alone, never the data.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QStringList>

#include <optional>
#include <vector>

class QCPLayer;

namespace tarnis {

class ChartControl;
class ReadoutMark;

class ChartReadout {
public:
    explicit ChartReadout(ChartControl& chart);
    ~ChartReadout();
    ChartReadout(const ChartReadout&) = delete;
    ChartReadout& operator=(const ChartReadout&) = delete;

    // A point by the place of its series among the chart's drawn series and its row, which is its t.
    struct Point {
        int series = -1;
        int row = -1;
        bool operator==(const Point&) const = default;
    };

    // Marks the point nearest to `at` when `at` lies on the plot; hides the readout elsewhere.
    void hover(QPointF at);
    // Moves the mark `steps` rows along its series, over rows without a value; false, and nothing
    // moves, without a mark or past an end of the series. One step is one time step.
    bool step(int steps);
    void show(Point point);
    void hide();
    // The chart's data changed: hidden, and the points' places on screen are worked out anew.
    void forget();

    std::optional<Point> shown() const { return m_shown; }
    // The lines the readout shows: the run's name, then the values (readoutLines); empty when hidden.
    QStringList lines() const;
    // Where the box of lines stands on the chart, in pixels; empty when hidden.
    QRect boxRect() const;
    // Where the mark sits on the chart, in pixels.
    QPointF markedPixel() const;

private:
    struct ScreenPoint {
        float x, y;
        int series, row;
    };
    struct ScreenKey {
        double xLower, xUpper, yLower, yUpper;
        QRect plot;
        bool operator==(const ScreenKey&) const = default;
    };

    ScreenKey screenKey() const;
    const std::vector<ScreenPoint>& screenPoints();
    QStringList linesFor(Point point) const;
    void redraw();

    ChartControl& m_chart;
    QCPLayer* m_layer;
    ReadoutMark* m_mark;
    std::optional<Point> m_shown;
    std::vector<ScreenPoint> m_points;
    std::optional<ScreenKey> m_pointsKey; // the view the places were worked out for
};

} // namespace tarnis
