// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/stability_map.h"

#include "charts/chart_pictures.h"
#include "dynamics/plot_style.h"
#include "dynamics/regime_cells.h"
#include "dynamics/regime_palette.h"
#include "model/charts/axis_fit.h"
#include "model/continuous/continuous_regime.h"
#include "model/dynamics/dynamics_labels.h"
#include "model/words/continuous_words.h"
#include "model/words/regime_words.h"
#include "ui/locale_numbers.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tarnis {

namespace {

constexpr int MostLegendColumns = 4;
constexpr int LeastLegendColumns = 2;
constexpr int PageCells = 10; // Page Up and Page Down move this many values of r
constexpr double RunMarkSize = 13.0;

// A line with a white halo under it, which keeps it visible on every colour of the cells.
QCPGraph* haloGraph(QCustomPlot& plot)
{
    auto* halo = plot.addGraph();
    halo->setPen(QPen(Qt::white, 4.0));
    return halo;
}

QCPGraph* curveGraph(QCustomPlot& plot, Qt::PenStyle style, const QString& name)
{
    auto* curve = plot.addGraph();
    curve->setPen(QPen(Qt::black, 1.5, style));
    curve->setName(name);
    curve->addToLegend();
    return curve;
}

// The name of a line beside it: dark on white, so that it reads on any cell.
QCPItemText* lineLabel(QCustomPlot& plot, const QString& text)
{
    auto* label = new QCPItemText(&plot);
    label->setText(text);
    label->setFont(legendFont());
    label->setColor(Qt::black);
    label->setBrush(Qt::white);
    label->setPen(QPen(QColor(90, 90, 90), 0.0));
    label->setPadding(QMargins(2, 0, 2, 0));
    label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label->setClipToAxisRect(true);
    label->setVisible(false);
    return label;
}

// A swatch of a regime's colour in the legend: a plottable with no data.
void addSwatch(QCustomPlot& plot, const QColor& colour, const QString& name)
{
    auto* swatch = new QCPBars(plot.xAxis, plot.yAxis);
    swatch->setPen(QPen(colour.darker(130)));
    swatch->setBrush(colour);
    swatch->setName(name);
    swatch->addToLegend();
}

QString text(std::string_view label) { return QString::fromUtf8(label.data(), qsizetype(label.size())); }

// The index of the cell between edges that holds `value`; none outside them.
std::optional<std::size_t> between(const std::vector<double>& edges, double value)
{
    if (edges.size() < 2 || !(value >= edges.front()) || !(value < edges.back()))
        return std::nullopt;
    return std::size_t(std::ranges::upper_bound(edges, value) - edges.begin()) - 1;
}

// Where along a curve of `count` points its name goes: the first place that `fits`, trying a quarter of
// the way across first, then further places in an order that keeps the names of the curves apart, then
// every point; a quarter of the way across where none fits.
qsizetype labelPlace(qsizetype count, const std::function<bool(qsizetype)>& fits)
{
    for (const double share : {0.25, 0.375, 0.125, 0.5, 0.625, 0.75, 0.0625, 0.875})
        if (const qsizetype at = std::min(count - 1, qsizetype(double(count) * share)); fits(at))
            return at;
    for (qsizetype at = 0; at < count; ++at)
        if (fits(at))
            return at;
    return count / 4;
}

std::size_t nearest(const std::vector<double>& values, double value)
{
    const auto closer = [value](double a, double b) { return std::abs(a - value) < std::abs(b - value); };
    return std::size_t(std::ranges::min_element(values, closer) - values.begin());
}

} // namespace

StabilityMap::StabilityMap(QWidget* parent)
    : PointingPlot(parent)
    , m_title(addTitle(*this))
{
    setBackground(Qt::white);
    plainNumbers(*this);
    setAutoAddPlottableToLegend(false);
    styleAxis(xAxis, text(Labels.lagAxis));
    styleAxis(yAxis, text(Labels.rateAxis));
    m_cells = new RegimeCells(xAxis, yAxis);
    std::vector<QColor> colours;
    for (const Regime regime : AllRegimes)
        colours.push_back(regimeColour(regime));
    m_cells->setColours(colours, NotComputedColour);
    placeLegend();
    for (const Regime regime : AllRegimes)
        addSwatch(*this, regimeColour(regime), text(legendName(regime)));
    addSwatch(*this, NotComputedColour, text(Labels.notComputed));
    m_stableHalo = haloGraph(*this);
    m_stable = curveGraph(*this, Qt::SolidLine, text(Labels.stableCurve));
    m_monotoneHalo = haloGraph(*this);
    m_monotone = curveGraph(*this, Qt::DashLine, text(Labels.monotoneCurve));
    // The continuous-time model's limit, where the discrete r_c tends to as the lag grows.
    const QString continuousName = QString::fromStdString(continuousComparisonWords().mapLabel);
    m_continuousHalo = haloGraph(*this);
    m_continuous = curveGraph(*this, Qt::DashDotLine, continuousName);
    m_stableLabel = lineLabel(*this, text(Labels.stableMark));
    m_monotoneLabel = lineLabel(*this, text(Labels.monotoneMark));
    m_continuousLabel = lineLabel(*this, continuousName);
    m_run = addGraph();
    m_run->setLineStyle(QCPGraph::lsNone);
    m_run->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCrossCircle, QPen(Qt::black, 2.0), Qt::white, RunMarkSize));
    m_run->setName(text(Labels.runOnMap));
    m_run->addToLegend();
    m_placeholder = addPlaceholder(*this, axisRect());
    QCPLayer* pointerLayer = addPointerLayer(*this);
    m_pointer = new PlaceMark(*this, {axisRect()}, false);
    m_pointer->setLayer(pointerLayer);

    connect(this, &QCustomPlot::beforeReplot, this, &StabilityMap::placeLimitLabels);
    showNoRun();
}

// The legend in a row of its own under the map, filled row by row as the items are added.
void StabilityMap::placeLegend()
{
    legend->setVisible(true);
    legend->setFont(legendFont());
    legend->setIconSize(18, 10);
    legend->setRowSpacing(0);
    legend->setColumnSpacing(8);
    legend->setBorderPen(Qt::NoPen);
    legend->setWrap(3);
    legend->setFillOrder(QCPLegend::foColumnsFirst);
    axisRect()->insetLayout()->take(legend);
    plotLayout()->addElement(2, 0, legend);
    plotLayout()->setRowStretchFactor(2, 0.001);
}

int StabilityMap::leastLegendWidth()
{
    const int columns = legend->wrap();
    arrangeLegend(*legend, LeastLegendColumns);
    const int width = legend->minimumOuterSizeHint().width();
    arrangeLegend(*legend, columns);
    return width;
}

// As many columns of the legend as the width holds with every name whole, in the language on show;
// the window keeps the map wide enough for two (leastLegendWidth), so that one long column never
// squeezes the map itself.
void StabilityMap::resizeEvent(QResizeEvent* event)
{
    fitLegendColumns(*legend, event->size().width(), MostLegendColumns, LeastLegendColumns);
    PointingPlot::resizeEvent(event);
}

void StabilityMap::showNoRun()
{
    m_grid = {};
    m_lagEdges.clear();
    m_rateEdges.clear();
    m_limits.clear();
    m_limitLags.clear();
    m_stableRates.clear();
    m_monotoneRates.clear();
    m_continuousLags.clear();
    m_continuousRates.clear();
    m_reports.clear();
    m_computed = 0;
    point(std::nullopt);
    m_cells->clear();
    for (QCPGraph* graph : {m_stableHalo, m_stable, m_monotoneHalo, m_monotone, m_continuousHalo, m_continuous, m_run})
        graph->data()->clear();
    for (QCPItemText* label : {m_stableLabel, m_monotoneLabel, m_continuousLabel})
        label->setVisible(false);
    m_placeholder->setText(QString::fromStdString(noRunPictureWords()));
    m_placeholder->setVisible(true);
    setTitle(*m_title, QString::fromStdString(mapTitle(std::nullopt, localeDecimalSeparator())));
    setScale(xAxis, false, AxisNumbers::General);
    setScale(yAxis, false, AxisNumbers::General);
    fitView(true);
}

void StabilityMap::showPlan(const DynamicsPlan& plan)
{
    if (!plan.analysed) {
        showNoRun();
        m_placeholder->setText(QString::fromStdString(beyondAnalysisPictureWords(localeDecimalSeparator())));
        setTitle(*m_title, QString::fromStdString(mapTitle(plan.run, localeDecimalSeparator())));
        return;
    }
    m_grid = plan.map;
    m_lagEdges = plan.lagEdges;
    m_rateEdges = plan.rateEdges;
    m_limits = plan.limits;
    m_runParameters = plan.run;
    m_reports.assign(m_grid.cellCount(), std::nullopt);
    m_computed = 0;
    point(std::nullopt);
    m_cells->setEdges(m_lagEdges, m_rateEdges);
    m_placeholder->setVisible(false);
    setScale(xAxis, plan.logarithmicMapLags, AxisNumbers::General);
    setScale(yAxis, plan.logarithmicMapRates, AxisNumbers::PowersOfTen);
    drawLimits(plan);
    markRun();
    setTitle(*m_title, QString::fromStdString(mapTitle(plan.run, localeDecimalSeparator())));
    fitView(true);
}

void StabilityMap::moveRun(const RunParameters& run)
{
    m_runParameters = run;
    markRun();
    fitView(false); // the mark keeps its room, unless the user chose a view
    replot(rpQueuedReplot);
}

void StabilityMap::markRun()
{
    m_run->data()->clear();
    if (runOnMap())
        m_run->addData(m_runParameters.lag, m_runParameters.r);
}

bool StabilityMap::runOnMap() const
{
    return !m_lagEdges.empty() && m_runParameters.lag >= m_lagEdges.front() && m_runParameters.lag <= m_lagEdges.back()
        && m_runParameters.r >= m_rateEdges.front() && m_runParameters.r <= m_rateEdges.back();
}

// The cells' edges, and as much more as the run's mark needs to lie whole inside.
std::pair<QCPRange, QCPRange> StabilityMap::fittedView()
{
    if (m_lagEdges.empty())
        return {QCPRange(0, 20), QCPRange(0, 1)};
    QCPRange x(m_lagEdges.front(), m_lagEdges.back());
    QCPRange y(m_rateEdges.front(), m_rateEdges.back());
    if (!runOnMap())
        return {x, y};
    // The plot's size with the tick labels of these ranges, whatever the view was.
    xAxis->setRange(x);
    yAxis->setRange(y);
    updateLayout();
    const auto room = [](QCPAxis* axis, const QCPRange& range, double at, int length) {
        const AxisRange widened = withMarkerRoom({toAxisScale(axis, range.lower), toAxisScale(axis, range.upper)},
                                                 toAxisScale(axis, at), toAxisScale(axis, at), length, RunMarkRadius);
        return QCPRange(fromAxisScale(axis, widened.lower), fromAxisScale(axis, widened.upper));
    };
    return {room(xAxis, x, m_runParameters.lag, axisRect()->width()),
            room(yAxis, y, m_runParameters.r, axisRect()->height())};
}

// Each limit's curve along the lags, and its name beside it a quarter of the way across, where the two
// lie furthest apart for their labels.
void StabilityMap::drawLimits(const DynamicsPlan& plan)
{
    QVector<double> lags, stable, monotone;
    for (std::size_t index = 0; index < plan.limits.size(); ++index) {
        if (const auto& limits = plan.limits[index]) {
            lags << plan.map.lags[index];
            stable << limits->rStable;
            monotone << limits->rMonotone;
        }
    }
    m_stableHalo->setData(lags, stable, true);
    m_stable->setData(lags, stable, true);
    m_monotoneHalo->setData(lags, monotone, true);
    m_monotone->setData(lags, monotone, true);
    m_limitLags = lags;
    m_stableRates = stable;
    m_monotoneRates = monotone;
    m_stableLabel->setVisible(!lags.isEmpty());
    m_monotoneLabel->setVisible(!lags.isEmpty());
    // π/(2T) from the model, at every lag of the map above 0, where it has one.
    m_continuousLags.clear();
    m_continuousRates.clear();
    for (const double lag : plan.map.lags) {
        if (const auto limits = continuousLimits(lag)) {
            m_continuousLags << lag;
            m_continuousRates << limits->rStable;
        }
    }
    m_continuousHalo->setData(m_continuousLags, m_continuousRates, true);
    m_continuous->setData(m_continuousLags, m_continuousRates, true);
    m_continuousLabel->setVisible(!m_continuousLags.isEmpty());
    placeLimitLabels();
}

// Each limit's name beside its curve, a quarter of the way across where the curves lie furthest apart,
// or as near there as it stands whole inside the plot, clear of the run's mark and of the other names;
// failing that, at the first place along its curve that is. Placed anew before every drawing, as zoom
// and pan move the curves under the names.
void StabilityMap::placeLimitLabels()
{
    const QRectF plot = axisRect()->rect();
    const auto mark = runMarkCentre();
    const double markRoom = RunMarkRadius + 2.0;
    std::vector<QRectF> taken;
    if (mark)
        taken.emplace_back(*mark - QPointF(markRoom, markRoom), QSizeF(2 * markRoom, 2 * markRoom));
    // A pixel of air around a name: the text item rounds its box outwards, by up to a pixel.
    const auto clear = [&](const QRectF& rect) {
        const QRectF aired = rect.adjusted(-1.0, -1.0, 1.0, 1.0);
        return plot.contains(rect)
            && std::ranges::none_of(taken, [&](const QRectF& other) { return aired.intersects(other); });
    };
    for (const auto& [label, lags, rates] : {std::tuple{m_stableLabel, &m_limitLags, &m_stableRates},
                                             std::tuple{m_monotoneLabel, &m_limitLags, &m_monotoneRates},
                                             std::tuple{m_continuousLabel, &m_continuousLags, &m_continuousRates}}) {
        if (lags->isEmpty())
            continue;
        const auto rectAt = [&](qsizetype at) {
            return textItemRect(*label, QPointF(xAxis->coordToPixel((*lags)[at]), yAxis->coordToPixel((*rates)[at])));
        };
        const qsizetype at = labelPlace(lags->size(), [&](qsizetype at) { return clear(rectAt(at)); });
        taken.push_back(rectAt(at));
        label->position->setCoords((*lags)[at], (*rates)[at]);
    }
}

void StabilityMap::addCells(const std::vector<ScanCell>& cells)
{
    if (cells.empty())
        return;
    for (const ScanCell& cell : cells) {
        const std::size_t index = cell.rateIndex * m_grid.lags.size() + cell.lagIndex;
        if (index >= m_reports.size())
            continue;
        if (!m_reports[index])
            ++m_computed;
        m_reports[index] = cell.report;
        m_cells->setCell(index, regimeIndex(cell.report.regime));
    }
    retellPointed();
    replot(rpQueuedReplot);
}

std::optional<std::size_t> StabilityMap::cellAt(QPointF pixel) const
{
    if (m_reports.empty() || !axisRect()->rect().contains(pixel.toPoint()))
        return std::nullopt;
    const auto lag = between(m_lagEdges, xAxis->pixelToCoord(pixel.x()));
    const auto rate = between(m_rateEdges, yAxis->pixelToCoord(pixel.y()));
    if (!lag || !rate)
        return std::nullopt;
    return *rate * m_grid.lags.size() + *lag;
}

double StabilityMap::cellRate(std::size_t cell) const { return m_grid.rates[cell / m_grid.lags.size()]; }
double StabilityMap::cellLag(std::size_t cell) const { return m_grid.lags[cell % m_grid.lags.size()]; }

// The middle of the cell on screen, between its edges.
QPointF StabilityMap::cellCentre(std::size_t cell) const
{
    const std::size_t lag = cell % m_grid.lags.size(), rate = cell / m_grid.lags.size();
    return {(xAxis->coordToPixel(m_lagEdges[lag]) + xAxis->coordToPixel(m_lagEdges[lag + 1])) / 2.0,
            (yAxis->coordToPixel(m_rateEdges[rate]) + yAxis->coordToPixel(m_rateEdges[rate + 1])) / 2.0};
}

std::optional<QPointF> StabilityMap::runMarkCentre() const
{
    if (m_run->data()->isEmpty())
        return std::nullopt;
    return QPointF(xAxis->coordToPixel(m_runParameters.lag), yAxis->coordToPixel(m_runParameters.r));
}

QList<QCPItemText*> StabilityMap::shownLabels() const
{
    QList<QCPItemText*> labels;
    for (QCPItemText* label : {m_stableLabel, m_monotoneLabel, m_continuousLabel})
        if (label->visible())
            labels << label;
    return labels;
}

QString StabilityMap::placeWords(std::size_t cell) const
{
    const auto& report = m_reports[cell];
    return QString::fromStdString(
        cellInWords(cellRate(cell), cellLag(cell), report ? &*report : nullptr, m_grid.K, localeDecimalSeparator()));
}

RunParameters StabilityMap::placeRun(std::size_t cell) const
{
    RunParameters run = m_runParameters;
    run.r = cellRate(cell);
    run.lag = cellLag(cell);
    return run;
}

void StabilityMap::markPlace(std::optional<std::size_t> cell)
{
    m_pointer->setVisible(bool(cell));
    if (!cell)
        return;
    const std::size_t lag = *cell % m_grid.lags.size(), rate = *cell / m_grid.lags.size();
    m_pointer->place({m_lagEdges[lag], m_lagEdges[lag + 1]}, {m_rateEdges[rate], m_rateEdges[rate + 1]});
}

void StabilityMap::choose(std::size_t cell) { emit chosen(cellRate(cell), cellLag(cell)); }

std::optional<std::size_t> StabilityMap::runPlace() const
{
    if (m_reports.empty())
        return std::nullopt;
    return nearest(m_grid.rates, m_runParameters.r) * m_grid.lags.size() + nearest(m_grid.lags, m_runParameters.lag);
}

void StabilityMap::movePointer(int lagSteps, int rateSteps)
{
    const auto from = keyStart();
    if (!from)
        return;
    const long lags = long(m_grid.lags.size()), rates = long(m_grid.rates.size());
    const long lag = std::clamp(long(*from % m_grid.lags.size()) + lagSteps, 0L, lags - 1);
    const long rate = std::clamp(long(*from / m_grid.lags.size()) + rateSteps, 0L, rates - 1);
    pointByKeys(std::size_t(rate * lags + lag));
}

void StabilityMap::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        return movePointer(-1, 0);
    case Qt::Key_Right:
        return movePointer(1, 0);
    case Qt::Key_Up:
        return movePointer(0, 1);
    case Qt::Key_Down:
        return movePointer(0, -1);
    case Qt::Key_PageUp:
        return movePointer(0, PageCells);
    case Qt::Key_PageDown:
        return movePointer(0, -PageCells);
    default:
        PointingPlot::keyPressEvent(event); // Enter and Space choose
    }
}

QString StabilityMap::title() const { return titleText(*m_title); }

QString StabilityMap::placeholderText() const { return m_placeholder->visible() ? m_placeholder->text() : QString(); }

QString StabilityMap::dataText(QChar decimalSeparator) const
{
    const auto number = [decimalSeparator](std::optional<double> value) {
        return value ? exactNumberText(*value, decimalSeparator) : QString();
    };
    QList<QStringList> rows;
    rows.reserve(qsizetype(m_reports.size()));
    for (std::size_t cell = 0; cell < m_reports.size(); ++cell) {
        const auto& report = m_reports[cell];
        const auto& limits = m_limits[cell % m_grid.lags.size()];
        const RegimeReport none;
        const RegimeReport& shown = report ? *report : none;
        rows << QStringList{number(cellRate(cell)),
                            number(cellLag(cell)),
                            report ? regimeName(report->regime) : QString(),
                            number(shown.period),
                            number(shown.lyapunov),
                            number(shown.nMin),
                            number(shown.nMax),
                            shown.endStep ? QString::number(*shown.endStep) : QString(),
                            number(limits ? std::optional(limits->rMonotone) : std::nullopt),
                            number(limits ? std::optional(limits->rStable) : std::nullopt)};
    }
    return tableText({QStringLiteral("r"), QStringLiteral("T"), QStringLiteral("regime"), QStringLiteral("period"),
                      text(Labels.exponentAxis.english), QStringLiteral("smallest N"), QStringLiteral("largest N"),
                      QStringLiteral("end step"), text(Labels.monotoneMark), text(Labels.stableMark)},
                     rows);
}

} // namespace tarnis
