// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_readout.h"

#include "charts/chart_control.h"
#include "charts/series_curve.h"
#include "model/charts/chart_quantities.h"
#include "ui/design.h"
#include "ui/locale_numbers.h"

#include <cmath>
#include <limits>

namespace tarnis {

namespace {

constexpr double TextPoints = 8.0;
constexpr double MarkRadius = 5.0;
constexpr int Padding = 4;
constexpr int Offset = 10; // from the mark to the text's box

// A coordinate to its pixel. A linear axis is a straight line through two of its pixels, worked out
// here without a call into the chart widget for each of tens of thousands of points.
class PixelMap {
public:
    explicit PixelMap(const QCPAxis* axis)
        : m_axis(axis)
        , m_linear(axis->scaleType() == QCPAxis::stLinear)
        , m_origin(axis->coordToPixel(0.0))
        , m_slope(axis->coordToPixel(1.0) - m_origin)
    {
    }
    double operator()(double value) const
    {
        return m_linear ? m_origin + m_slope * value : m_axis->coordToPixel(value);
    }

private:
    const QCPAxis* m_axis;
    bool m_linear;
    double m_origin, m_slope;
};

} // namespace

// Draws the mark and the readout's box beside it, turned to whichever side of the mark has room.
class ReadoutMark : public QCPLayerable {
public:
    ReadoutMark(QCustomPlot* plot, const QString& layer)
        : QCPLayerable(plot, layer)
        , m_font(arialFont(TextPoints))
    {
    }

    void set(QPointF at, const QColor& colour, const QStringList& lines, const QRect& plot)
    {
        m_at = at;
        m_colour = colour;
        m_lines = lines;
        m_plot = plot;
        const QFontMetrics metrics(m_font);
        int width = 0;
        for (const QString& line : m_lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        m_box = m_lines.isEmpty()
            ? QRect()
            : placeBox(QSize(width + 2 * Padding, int(m_lines.size()) * metrics.lineSpacing() + 2 * Padding));
    }

    QRect box() const { return m_box; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override { painter->setAntialiasing(true); }

    void draw(QCPPainter* painter) override
    {
        if (m_lines.isEmpty())
            return;
        // A white ring under a black one stays visible on every colour of line and marker.
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Qt::white, 3.5));
        painter->drawEllipse(m_at, MarkRadius, MarkRadius);
        painter->setPen(QPen(Qt::black, 1.5));
        painter->drawEllipse(m_at, MarkRadius, MarkRadius);

        const QFontMetrics metrics(m_font);
        const QRect box = m_box;
        painter->setPen(QPen(m_colour, 1));
        painter->setBrush(Qt::white); // nothing behind it shows through its numbers
        painter->drawRect(box);
        painter->setFont(m_font);
        painter->setPen(Qt::black);
        for (qsizetype line = 0; line < m_lines.size(); ++line)
            painter->drawText(box.left() + Padding,
                              box.top() + Padding + int(line) * metrics.lineSpacing() + metrics.ascent(),
                              m_lines[line]);
    }

private:
    // Inside the plot, so that the axes' numbers stay readable: beside the mark on whichever side
    // has room (right and below first), or, where no side has, in the plot's corner away from it.
    QRect placeBox(QSize size) const
    {
        const QRect plot = m_plot.adjusted(1, 1, -1, -1);
        const QPoint at = m_at.toPoint();
        for (const int down : {1, -1}) {
            for (const int right : {1, -1}) {
                const QRect box(QPoint(right > 0 ? at.x() + Offset : at.x() - Offset - size.width(),
                                       down > 0 ? at.y() + Offset : at.y() - Offset - size.height()),
                                size);
                if (plot.contains(box))
                    return box;
            }
        }
        const int x = at.x() < plot.center().x() ? plot.right() - size.width() + 1 : plot.left();
        const int y = at.y() < plot.center().y() ? plot.bottom() - size.height() + 1 : plot.top();
        return {QPoint(std::max(plot.left(), x), std::max(plot.top(), y)), size};
    }

    QFont m_font;
    QPointF m_at;
    QColor m_colour;
    QStringList m_lines;
    QRect m_plot;
    QRect m_box;
};

ChartReadout::ChartReadout(ChartControl& chart)
    : m_chart(chart)
{
    const QString name = QStringLiteral("readout");
    chart.addLayer(name, chart.layer(QStringLiteral("overlay")), QCustomPlot::limAbove);
    m_layer = chart.layer(name);
    m_layer->setMode(QCPLayer::lmBuffered); // replotted alone as the pointer moves
    m_mark = new ReadoutMark(&chart, name); // owned by the chart
}

ChartReadout::~ChartReadout() = default;

void ChartReadout::hover(QPointF at)
{
    // A little beyond the plot as well, so that a point at an end of an axis is easy to reach.
    if (!QRectF(m_chart.axisRect()->rect()).adjusted(-MarkRadius, -MarkRadius, MarkRadius, MarkRadius).contains(at)) {
        hide();
        return;
    }
    const std::vector<ScreenPoint>& points = screenPoints();
    const ScreenPoint* nearest = nullptr;
    float best = std::numeric_limits<float>::infinity();
    const float x = float(at.x()), y = float(at.y());
    // Later series are drawn on top: on a tie the one the user sees wins.
    for (const ScreenPoint& point : points) {
        const float distance = (point.x - x) * (point.x - x) + (point.y - y) * (point.y - y);
        if (distance <= best) {
            best = distance;
            nearest = &point;
        }
    }
    if (nearest)
        show({nearest->series, nearest->row});
    else
        hide();
}

bool ChartReadout::step(int steps)
{
    if (!m_shown || steps == 0)
        return false;
    const auto drawn = m_chart.series().drawnSeries();
    const auto data = drawn[std::size_t(m_shown->series)].curve->data();
    const int direction = steps > 0 ? 1 : -1;
    int row = m_shown->row;
    for (int left = std::abs(steps); left > 0;) {
        row += direction;
        if (row < 0 || row >= data->size())
            return false;
        const QCPCurveData& point = *(data->constBegin() + row);
        if (std::isfinite(point.key) && std::isfinite(point.value))
            --left;
    }
    show({m_shown->series, row});
    return true;
}

void ChartReadout::show(Point point)
{
    const auto drawn = m_chart.series().drawnSeries();
    if (point.series < 0 || std::size_t(point.series) >= drawn.size() || point.row < 0
        || point.row >= drawn[std::size_t(point.series)].curve->dataCount()) {
        hide();
        return;
    }
    if (m_shown == point)
        return;
    m_shown = point;
    redraw();
}

void ChartReadout::hide()
{
    if (!m_shown)
        return;
    m_shown.reset();
    redraw();
}

void ChartReadout::forget()
{
    m_shown.reset();
    m_pointsKey.reset();
    m_mark->set({}, {}, {}, {});
}

QStringList ChartReadout::lines() const { return m_shown ? linesFor(*m_shown) : QStringList(); }

QRect ChartReadout::boxRect() const { return m_shown ? m_mark->box() : QRect(); }

QPointF ChartReadout::markedPixel() const
{
    if (!m_shown)
        return {};
    const SeriesCurve* curve = m_chart.series().drawnSeries()[std::size_t(m_shown->series)].curve;
    const QCPCurveData& point = *(curve->data()->constBegin() + m_shown->row);
    return {m_chart.xAxis->coordToPixel(point.key), m_chart.yAxis->coordToPixel(point.value)};
}

QStringList ChartReadout::linesFor(Point point) const
{
    const ChartSeries& series = m_chart.series();
    const ChartSeries::Drawn drawn = series.drawnSeries()[std::size_t(point.series)];
    QStringList lines{series.runName(drawn.run)};
    const auto values = series.stepValues(drawn.run, point.row);
    if (!values)
        return lines << QStringLiteral("t = %1").arg(point.row);
    const auto [x, y] = series.quantities(drawn.curve);
    for (const std::string& line : readoutLines(x, y, *values, localeDecimalSeparator()))
        lines << QString::fromStdString(line);
    return lines;
}

void ChartReadout::redraw()
{
    if (m_shown) {
        const auto drawn = m_chart.series().drawnSeries();
        m_mark->set(markedPixel(), drawn[std::size_t(m_shown->series)].curve->colours().line, linesFor(*m_shown),
                    m_chart.axisRect()->rect());
    } else {
        m_mark->set({}, {}, {}, {});
    }
    m_layer->replot();
}

ChartReadout::ScreenKey ChartReadout::screenKey() const
{
    const QCPRange x = m_chart.xAxis->range(), y = m_chart.yAxis->range();
    return {x.lower, x.upper, y.lower, y.upper, m_chart.axisRect()->rect()};
}

// The places on screen of every point on the plot, worked out once per view and kept while the
// pointer moves.
const std::vector<ChartReadout::ScreenPoint>& ChartReadout::screenPoints()
{
    const ScreenKey key = screenKey();
    if (m_pointsKey == key)
        return m_points;
    m_points.clear();
    // The chart widget maps the far end of an axis one pixel outside the plot.
    const QRectF plot = QRectF(key.plot).adjusted(-1, -1, 1, 1);
    const PixelMap x(m_chart.xAxis), y(m_chart.yAxis);
    const auto drawn = m_chart.series().drawnSeries();
    for (std::size_t series = 0; series < drawn.size(); ++series) {
        const auto data = drawn[series].curve->data();
        m_points.reserve(m_points.size() + std::size_t(data->size()));
        int row = 0;
        for (auto it = data->constBegin(); it != data->constEnd(); ++it, ++row) {
            if (!std::isfinite(it->key) || !std::isfinite(it->value))
                continue;
            const QPointF at(x(it->key), y(it->value));
            if (plot.contains(at))
                m_points.push_back({float(at.x()), float(at.y()), int(series), row});
        }
    }
    m_pointsKey = key;
    return m_points;
}

} // namespace tarnis
