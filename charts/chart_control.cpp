// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"

#include "charts/axis_room.h"
#include "charts/chart_description.h"
#include "charts/chart_readout.h"
#include "charts/chart_viewport.h"
#include "charts/run_legend.h"
#include "charts/series_curve.h"
#include "model/charts/axis_fit.h"
#include "model/words/chart_words.h"
#include "ui/accessibility.h"
#include "ui/click_tracker.h"
#include "ui/design.h"
#include "ui/focus_frame.h"
#include "ui/locale_numbers.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPicture>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

constexpr double TitlePoints = 10.0;
constexpr double TickLabelPoints = 8.0;
constexpr double LegendPoints = 7.0;
constexpr int LegendColumnGap = 12;

int seriesSlot(int series) { return series == ChartControl::SecondSeries ? 1 : 0; }

// The model's colours of a series: the run on show's (run < 0) or a kept run's in its place.
SeriesColours coloursOf(int place, int slot)
{
    const SeriesRgb rgb = place < 0 ? ownSeriesColours(slot) : keptSeriesColours(place, slot);
    return {QColor::fromRgb(QRgb(rgb.line)), QColor::fromRgb(QRgb(rgb.markerOutline)),
            QColor::fromRgb(QRgb(rgb.markerFill))};
}

// Ticks at whole multiples of the step, or of a multiple of it where their labels would touch.
void setTickStep(QCPAxis* axis, double step) { axis->setTicker(QSharedPointer<RoomyStepTicker>::create(axis, step)); }

bool isLogarithmic(const QCPAxis* axis) { return axis->scaleType() == QCPAxis::stLogarithmic; }

template <typename Coordinate> QVector<double> column(const QCPCurve* source, Coordinate coordinate)
{
    QVector<double> values;
    if (!source)
        return values;
    const auto data = source->data(); // a shared pointer, held once and not copied for every row
    values.reserve(data->size());
    for (auto row = data->constBegin(); row != data->constEnd(); ++row)
        values.append(coordinate(*row));
    return values;
}

double keyOf(const QCPCurveData& row) { return row.key; }
double valueOf(const QCPCurveData& row) { return row.value; }

} // namespace

ChartControl::ChartControl(QWidget* parent)
    : QCustomPlot(parent)
{
    setAccessibleRole(*this, QAccessible::Chart);
    setAccessibleName(QStringLiteral("Chart"));
    setFocusPolicy(Qt::TabFocus); // reached by Tab; a click steps the cycle and leaves the focus where it was
    setBackground(Qt::white);
    m_title = new QCPTextElement(this, QString(), arialFont(TitlePoints));
    m_heading = new QCPLayoutGrid;
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, m_heading);
    m_heading->setRowSpacing(0);
    m_heading->addElement(0, 0, m_title);
    setupAxis(xAxis);
    setupAxis(yAxis);
    // Solid black lines across the y axis carry the eye from a point to its value.
    xAxis->grid()->setVisible(false);
    yAxis->grid()->setPen(QPen(Qt::black, 0, Qt::SolidLine));
    yAxis->grid()->setZeroLinePen(QPen(Qt::black, 0, Qt::SolidLine));
    // Kept runs are drawn behind the chart's own series, on a layer under theirs.
    addLayer(QStringLiteral("kept"), layer(QStringLiteral("main")), QCustomPlot::limBelow);
    // The legend stands below the plot, never over the data; the plot gives up the room it takes.
    setAutoAddPlottableToLegend(false);
    axisRect()->insetLayout()->take(legend);
    legend->setVisible(false);
    legend->setFont(arialFont(LegendPoints));
    legend->setIconSize(16, 8);
    legend->setRowSpacing(0);
    legend->setColumnSpacing(LegendColumnGap);
    legend->setMargins(QMargins(4, 2, 4, 2));
    // A frame is drawn on the edge of its rectangle, whose right and bottom lines would fall just outside
    // the chart at its lower right corner: the layout keeps two pixels of room there.
    plotLayout()->setMargins(QMargins(0, 0, 2, 2));
    legend->setBrush(Qt::white);
    legend->setBorderPen(QPen(QColor(160, 160, 160), 0));
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    m_series[0] = makeSeries(0, layer(QStringLiteral("main")));
    m_viewport = std::make_unique<ChartViewport>(*this);
    m_readout = std::make_unique<ChartReadout>(*this);
    setMouseTracking(true); // the readout follows the pointer with no button down
    addFocusFrame(*this);
    // The chart widget keeps its own mouse handling; a press that becomes a drag pans and is no click.
    connect(new ClickTracker(*this, {.passOn = true, .stayWithin = QApplication::startDragDistance()}),
            &ClickTracker::clicked, this, &ChartControl::clicked);
    describe();
}

ChartControl::~ChartControl() = default;

void ChartControl::setupAxis(QCPAxis* axis)
{
    axis->setLabelFont(arialFont(TitlePoints));
    axis->setTickLabelFont(arialFont(TickLabelPoints));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
}

SeriesCurve* ChartControl::makeSeries(int slot, QCPLayer* layer)
{
    // A curve keeps its points in row order; a line through dN against N follows the trajectory.
    auto* series = new SeriesCurve(xAxis, yAxis, coloursOf(-1, slot));
    series->setLayer(layer);
    return series;
}

SeriesCurve* ChartControl::curve(int series) const
{
    Q_ASSERT(series == FirstSeries || series == SecondSeries);
    return m_series[std::size_t(seriesSlot(series))];
}

SeriesCurve* ChartControl::keptCurve(int run, int series) const
{
    if (run < 0 || run >= keptRunCount())
        return nullptr;
    return m_kept[std::size_t(run)].series[std::size_t(seriesSlot(series))];
}

void ChartControl::setColumnCount(int columns)
{
    SeriesCurve*& second = m_series[1];
    if (columns >= 4 && !second) {
        second = makeSeries(1, layer(QStringLiteral("main")));
    } else if (columns < 4 && second) {
        removePlottable(second);
        second = nullptr;
    }
    for (KeptRunSeries& run : m_kept)
        matchKeptSeries(run);
}

void ChartControl::setSeriesData(int series, const QVector<double>& x, const QVector<double>& y)
{
    if (SeriesCurve* target = curve(series))
        target->setRows(x, y, m_logarithmicY);
}

void ChartControl::setSeriesLook(int series, SeriesLook look)
{
    if (SeriesCurve* target = curve(series))
        target->setLook(look);
}

void ChartControl::setPictureNote(const QString& note) { m_pictureNote = note; }

void ChartControl::showPictureNote(bool shown)
{
    if (shown && !m_noteLine && !m_pictureNote.isEmpty()) {
        m_noteLine = new QCPTextElement(this, m_pictureNote, arialFont(LegendPoints));
        m_noteLine->setMargins(QMargins(0, 0, 0, 4));
        m_heading->addElement(1, 0, m_noteLine);
    } else if (!shown && m_noteLine) {
        m_heading->remove(m_noteLine);
        m_heading->simplify();
        m_noteLine = nullptr;
    }
}

void ChartControl::setTitles(const QString& chart, const QString& yAxisTitle, const QString& xAxisTitle)
{
    m_title->setText(chart);
    yAxis->setLabel(yAxisTitle);
    xAxis->setLabel(xAxisTitle);
}

void ChartControl::setKeptRunCount(int runs)
{
    runs = std::max(runs, 0);
    while (keptRunCount() > runs) {
        for (SeriesCurve* series : m_kept.back().series)
            if (series)
                removePlottable(series);
        m_kept.pop_back();
    }
    m_kept.resize(std::size_t(runs));
    for (KeptRunSeries& run : m_kept)
        matchKeptSeries(run);
}

// A kept run has the series the chart's own has, in their looks.
void ChartControl::matchKeptSeries(KeptRunSeries& run)
{
    for (std::size_t slot = 0; slot < run.series.size(); ++slot) {
        SeriesCurve*& series = run.series[slot];
        if (m_series[slot] && !series) {
            series = makeSeries(int(slot), layer(QStringLiteral("kept")));
        } else if (!m_series[slot] && series) {
            removePlottable(series);
            series = nullptr;
        }
    }
    colourKeptRun(run);
}

void ChartControl::colourKeptRun(const KeptRunSeries& run)
{
    for (std::size_t slot = 0; slot < run.series.size(); ++slot) {
        if (SeriesCurve* series = run.series[slot]) {
            series->setColours(coloursOf(run.place, int(slot)));
            series->setLook(m_series[slot]->look());
        }
    }
}

void ChartControl::setKeptRun(int run, int place, const RunNames& names)
{
    if (run < 0 || run >= keptRunCount())
        return;
    KeptRunSeries& kept = m_kept[std::size_t(run)];
    kept.place = place;
    kept.names = names;
    colourKeptRun(kept);
}

void ChartControl::setKeptSeriesData(int run, int series, const QVector<double>& x, const QVector<double>& y)
{
    if (SeriesCurve* target = keptCurve(run, series))
        target->setRows(x, y, m_logarithmicY);
}

void ChartControl::setOwnRunNames(const RunNames& names) { m_ownNames = names; }

void ChartControl::setSeriesQuantities(int series, Quantity x, Quantity y)
{
    m_quantities[std::size_t(seriesSlot(series))] = {x, y};
}

std::pair<Quantity, Quantity> ChartControl::quantities(const SeriesCurve* curve) const
{
    for (const KeptRunSeries& run : m_kept)
        for (std::size_t slot = 0; slot < run.series.size(); ++slot)
            if (run.series[slot] == curve)
                return m_quantities[slot];
    return m_quantities[curve == m_series[1] ? 1 : 0];
}

void ChartControl::setStepValues(std::function<std::optional<StepReading>(int, int)> lookup)
{
    m_stepValues = std::move(lookup);
}

void ChartControl::setLogarithmicY(bool on) { m_logarithmicY = on; }

bool ChartControl::logarithmicY() const { return isLogarithmic(yAxis); }

void ChartControl::setLogNAxisChosen(bool chosen)
{
    if (chosen == m_logNAxisChosen)
        return;
    m_logNAxisChosen = chosen;
    emit logNAxisChoiceChanged();
}

void ChartControl::fitAxesAndReplot()
{
    m_readout->forget(); // the points it marked are gone
    for (const KeptRunSeries& run : m_kept)
        colourKeptRun(run); // in the looks the chart's own series have now
    showLegend();           // first: the plot's size depends on it
    fitAxes();
    replot();
    describe();
}

void ChartControl::replotInUserView()
{
    if (!m_userView) {
        fitAxesAndReplot();
        return;
    }
    m_readout->forget();
    for (const KeptRunSeries& run : m_kept)
        colourKeptRun(run);
    showLegend();
    replot();
    describe();
}

void ChartControl::replotInView()
{
    m_readout->forget();
    replot();
    describe();
}

void ChartControl::fitAxes()
{
    SeriesExtent all;
    for (const Drawn& drawn : drawnSeries())
        all.include(drawn.curve->extent());
    fitOneAxis(xAxis, all.xLow, all.xHigh);
    fitOneAxis(yAxis, all.yLow, all.yHigh);
    leaveRoomForMarkers();
    m_fittedX = xAxis->range();
    m_fittedY = yAxis->range();
    m_userView = false;
}

void ChartControl::fitOneAxis(QCPAxis* axis, double lowest, double highest)
{
    const bool horizontal = axis->orientation() == Qt::Horizontal;
    const bool logarithmic = axis == yAxis && m_logarithmicY;
    const AxisFit fit = fitChartAxis(lowest, highest, horizontal ? width() : height(),
                                     horizontal ? AxisDirection::Horizontal : AxisDirection::Vertical, logarithmic);
    axis->setScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (logarithmic)
        axis->setTicker(QSharedPointer<RoomyDecadeTicker>::create(axis));
    else
        setTickStep(axis, fit.step);
    axis->setRange(fit.lower, fit.upper);
}

// An axis that ends on a tick where a marker sits would cut the marker in half; such an end moves out
// by just the marker's room, and the tick stays labelled inside.
void ChartControl::leaveRoomForMarkers()
{
    SeriesExtent marked;
    for (const Drawn& drawn : drawnSeries())
        if (drawn.curve->look() == SeriesLook::Points)
            marked.include(drawn.curve->extent());
    if (marked.finiteRows == 0)
        return;
    updateLayout(); // the plot's size with the tick labels of the fitted ranges
    const auto widen = [](QCPAxis* axis, double lowest, double highest, int length) {
        const QCPRange range = axis->range();
        const AxisRange room =
            withMarkerRoom({range.lower, range.upper}, lowest, highest, length, MarkerRoom, isLogarithmic(axis));
        const QCPRange widened(room.lower, room.upper);
        if (QCPRange::validRange(widened) && (!isLogarithmic(axis) || widened.lower > 0.0))
            axis->setRange(widened);
    };
    widen(xAxis, marked.xLow, marked.xHigh, axisRect()->width());
    widen(yAxis, marked.yLow, marked.yHigh, axisRect()->height());
}

void ChartControl::showLegend()
{
    legend->clearItems();
    legend->simplify(); // no empty cells left from a grid of other columns
    placeLegend(legendShown(keptRunCount(), seriesCount()));
    if (!legend->visible())
        return;
    std::vector<RunLegendItem*> lines;
    if (m_kept.empty()) {
        lines.push_back(legendLine(m_series, QString(), QString()));
    } else {
        lines.push_back(legendLine(m_series, m_ownNames.legend, runName(OwnRun)));
        for (const KeptRunSeries& run : m_kept)
            lines.push_back(legendLine(run.series, run.names.legend, run.names.full));
    }
    // As many columns as the widest line leaves room for, each run still on one line.
    int widest = 1;
    for (const RunLegendItem* line : lines)
        widest = std::max(widest, line->naturalWidth());
    const int room = width() - legend->margins().left() - legend->margins().right() - 8;
    legend->setWrap(std::clamp((room + LegendColumnGap) / (widest + LegendColumnGap), 1, int(lines.size())));
    for (RunLegendItem* line : lines)
        legend->addItem(line);
}

RunLegendItem* ChartControl::legendLine(const std::array<SeriesCurve*, 2>& series, const QString& label,
                                        const QString& toolTip)
{
    const bool named = seriesCount() == 2;
    std::vector<RunLegendItem::Series> icons;
    for (std::size_t slot = 0; slot < series.size(); ++slot) {
        if (series[slot])
            icons.push_back(
                {series[slot], named ? QString::fromStdString(quantityName(m_quantities[slot].second)) : QString()});
    }
    return new RunLegendItem(legend, std::move(icons), label, toolTip);
}

std::vector<const RunLegendItem*> ChartControl::legendLines() const
{
    std::vector<const RunLegendItem*> lines;
    for (int cell = 0; legend->visible() && cell < legend->elementCount(); ++cell)
        if (const auto* line = qobject_cast<const RunLegendItem*>(legend->elementAt(cell)))
            lines.push_back(line);
    return lines;
}

// The legend takes a row of the layout under the plot only while it shows.
void ChartControl::placeLegend(bool shown)
{
    legend->setVisible(shown);
    const bool placed = plotLayout()->hasElement(2, 0) && plotLayout()->element(2, 0) == legend;
    if (shown && !placed) {
        plotLayout()->addElement(2, 0, legend);
        plotLayout()->setRowStretchFactor(2, 0.001);
    } else if (!shown && placed) {
        plotLayout()->take(legend);
        plotLayout()->simplify();
    }
}

void ChartControl::setUserView(const QCPRange& x, const QCPRange& y)
{
    for (const auto& [axis, range, direction] :
         {std::tuple{xAxis, x, AxisDirection::Horizontal}, std::tuple{yAxis, y, AxisDirection::Vertical}}) {
        axis->setRange(range);
        const int length = direction == AxisDirection::Horizontal ? width() : height();
        // Ticks as fine as the visible range asks, at whole multiples of their step.
        if (!isLogarithmic(axis))
            setTickStep(axis, fitChartAxis(range.lower, range.upper, length, direction, false).step);
    }
    m_userView = true;
    replot(rpQueuedReplot);
    describe(); // the ranges it names
}

QCPRange ChartControl::fittedRange(const QCPAxis* axis) const { return axis == xAxis ? m_fittedX : m_fittedY; }

int ChartControl::columnCount() const { return m_series[1] ? 4 : 2; }

int ChartControl::rowCount() const { return m_series[0]->data()->size(); }

int ChartControl::seriesCount() const { return columnCount() / 2; }

QVector<double> ChartControl::xData(int series) const { return column(curve(series), keyOf); }

QVector<double> ChartControl::yData(int series) const { return column(curve(series), valueOf); }

SeriesLook ChartControl::seriesLook(int series) const
{
    const SeriesCurve* source = curve(series);
    return source ? source->look() : SeriesLook::Line;
}

void ChartControl::paintOnPage(QPainter& painter)
{
    // The chart widget draws only through a painter of its own kind; a recording of what it draws
    // replays into any painter, at that painter's resolution.
    m_readout->hide(); // the mark under the pointer is no part of the page
    QPicture drawing;
    QCPPainter recorder;
    if (!recorder.begin(&drawing))
        return;
    recorder.setMode(QCPPainter::pmVectorized);
    toPainter(&recorder, width(), height());
    recorder.end();
    // A recording replays enlarged by the device's resolution over the screen's; the painter's
    // transform already carries the chart to its size on the page.
    if (const QPaintDevice* device = painter.device(); device && device->logicalDpiX() > 0) {
        painter.scale(double(drawing.logicalDpiX()) / device->logicalDpiX(),
                      double(drawing.logicalDpiY()) / device->logicalDpiY());
    }
    painter.drawPicture(0, 0, drawing);
}

QString ChartControl::chartTitle() const { return m_title->text(); }

QString ChartControl::yAxisTitle() const { return yAxis->label(); }

QString ChartControl::xAxisTitle() const { return xAxis->label(); }

QVector<double> ChartControl::keptXData(int run, int series) const { return column(keptCurve(run, series), keyOf); }

QVector<double> ChartControl::keptYData(int run, int series) const { return column(keptCurve(run, series), valueOf); }

QString ChartControl::keptRunLabel(int run) const
{
    return run >= 0 && run < keptRunCount() ? m_kept[std::size_t(run)].names.full : QString();
}

QColor ChartControl::keptRunColour(int run) const
{
    return run >= 0 && run < keptRunCount() ? coloursOf(m_kept[std::size_t(run)].place, 0).line : QColor();
}

QString ChartControl::runName(int run) const
{
    if (run == OwnRun)
        return m_ownNames.full.isEmpty() ? QString::fromStdString(unnamedRunName()) : m_ownNames.full;
    return keptRunLabel(run - 1);
}

std::vector<ChartControl::Drawn> ChartControl::drawnSeries() const
{
    std::vector<Drawn> drawn;
    for (int run = 0; run < keptRunCount(); ++run)
        for (const SeriesCurve* series : m_kept[std::size_t(run)].series)
            if (series)
                drawn.push_back({series, run + 1});
    for (const SeriesCurve* series : m_series)
        if (series)
            drawn.push_back({series, OwnRun});
    return drawn;
}

std::optional<StepReading> ChartControl::stepValues(int run, int t) const
{
    return m_stepValues ? m_stepValues(run, t) : std::nullopt;
}

void ChartControl::describe()
{
    const QStringList marked = hasFocus() && m_readout->shown() ? m_readout->lines() : QStringList();
    const QString description = chartDescription(*this, marked, localeDecimalSeparator());
    // Tells assistive technology that the description changed.
    setAccessibleDescription(description);
}

// The first of the chart's own series among those drawn.
std::optional<int> ChartControl::ownSeriesIndex() const
{
    const auto drawn = drawnSeries();
    const auto own = std::find_if(drawn.begin(), drawn.end(), [](const Drawn& d) { return d.run == OwnRun; });
    if (own == drawn.end() || rowCount() == 0)
        return std::nullopt;
    return int(own - drawn.begin());
}

// Marks a row, or the nearest one in the direction given (-1 or 1) with a value.
void ChartControl::markOwn(int row, int direction)
{
    const auto own = ownSeriesIndex();
    if (!own)
        return;
    m_readout->show({*own, std::clamp(row, 0, rowCount() - 1)});
    if (m_readout->shown() && !std::isfinite(yData(FirstSeries).value(m_readout->shown()->row, qQNaN())))
        m_readout->step(direction);
    describe();
}

void ChartControl::markOwnRow(int row) { markOwn(row, -1); }

void ChartControl::stepReadout(int steps)
{
    // The first key marks the chart's own run at its first or last step.
    if (!m_readout->shown())
        return markOwn(steps > 0 ? 0 : rowCount() - 1, steps);
    m_readout->step(steps);
    describe();
}

void ChartControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        stepReadout(event->key() == Qt::Key_Right ? 1 : -1);
        return;
    case Qt::Key_Menu:
    case Qt::Key_F10:
        // The menu key, or Shift+F10 where there is none, opens the chart's menu at the mark or in the
        // middle; the window system does not turn the key into a menu request by itself here.
        if (event->key() == Qt::Key_Menu || event->modifiers() == Qt::ShiftModifier) {
            const QPoint place = m_readout->shown() ? m_readout->markedPixel().toPoint() : rect().center();
            emit customContextMenuRequested(place);
            return;
        }
        break;
    case Qt::Key_Escape:
        if (m_readout->shown()) {
            m_readout->hide();
            describe();
            return;
        }
        break;
    default:
        break;
    }
    QCustomPlot::keyPressEvent(event);
}

bool ChartControl::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QCustomPlot::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    for (const RunLegendItem* line : legendLines()) {
        if (line->outerRect().contains(help->pos()) && !line->toolTip().isEmpty()) {
            QToolTip::showText(help->globalPos(), line->toolTip(), this, line->outerRect());
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void ChartControl::mousePressEvent(QMouseEvent* event)
{
    m_readout->hide();
    m_viewport->press(*event);
    QCustomPlot::mousePressEvent(event);
}

void ChartControl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_viewport->move(*event))
        m_readout->hide();
    else if (event->buttons() == Qt::NoButton)
        m_readout->hover(event->position());
    QCustomPlot::mouseMoveEvent(event);
}

void ChartControl::mouseReleaseEvent(QMouseEvent* event)
{
    m_viewport->release(*event);
    QCustomPlot::mouseReleaseEvent(event);
}

void ChartControl::wheelEvent(QWheelEvent* event)
{
    if (m_viewport->wheel(*event))
        m_readout->hover(event->position());
    event->accept();
}

void ChartControl::leaveEvent(QEvent* event)
{
    m_readout->hide();
    QCustomPlot::leaveEvent(event);
}

} // namespace tarnis
