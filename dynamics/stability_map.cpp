// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/stability_map.h"

#include "charts/chart_pictures.h"
#include "dynamics/plot_style.h"
#include "dynamics/regime_palette.h"
#include "model/regime_words.h"
#include "ui/locale_numbers.h"

#include <cmath>

namespace tarnis {

namespace {

constexpr int LegendColumnPixels = 150; // room for "sustained oscillations" beside its swatch
constexpr int PageCells = 10;           // Page Up and Page Down move this many values of r

QCPColorGradient regimeGradient()
{
    // One level per regime, each exactly its colour: the cells are categories, not a scale.
    QCPColorGradient gradient;
    gradient.clearColorStops();
    const int last = int(AllRegimes.size()) - 1;
    for (int index = 0; index <= last; ++index)
        gradient.setColorStopAt(double(index) / last, regimeColour(AllRegimes[std::size_t(index)]));
    gradient.setLevelCount(last + 1);
    gradient.setNanHandling(QCPColorGradient::nhNanColor);
    gradient.setNanColor(NotComputedColour);
    return gradient;
}

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

// A swatch of a regime's colour in the legend: a plottable with no data.
void addSwatch(QCustomPlot& plot, const QColor& colour, const QString& name)
{
    auto* swatch = new QCPBars(plot.xAxis, plot.yAxis);
    swatch->setPen(QPen(colour.darker(130)));
    swatch->setBrush(colour);
    swatch->setName(name);
    swatch->addToLegend();
}

} // namespace

StabilityMap::StabilityMap(QWidget* parent)
    : PointingPlot(parent)
    , m_title(addTitle(*this))
    , m_cells(new QCPColorMap(xAxis, yAxis))
{
    setBackground(Qt::white);
    setAutoAddPlottableToLegend(false);
    m_cells->removeFromLegend(); // made before the rule above; its colours have a legend of their own
    styleAxis(xAxis, QStringLiteral("Time lag T"));
    styleAxis(yAxis, QStringLiteral("Intrinsic rate r"));
    m_cells->setGradient(regimeGradient());
    m_cells->setDataRange(QCPRange(0, double(AllRegimes.size() - 1)));
    m_cells->setInterpolate(false);
    placeLegend();
    for (const Regime regime : AllRegimes)
        addSwatch(*this, regimeColour(regime), regimeName(regime));
    addSwatch(*this, NotComputedColour, QStringLiteral("still being computed"));
    m_stableHalo = haloGraph(*this);
    m_stable = curveGraph(*this, Qt::SolidLine, QStringLiteral("r_c: stable below"));
    m_monotoneHalo = haloGraph(*this);
    m_monotone = curveGraph(*this, Qt::DashLine, QStringLiteral("r_m: no overshoot below"));
    m_run = addGraph();
    m_run->setLineStyle(QCPGraph::lsNone);
    m_run->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCrossCircle, QPen(Qt::black, 2.0), Qt::white, 13));
    m_run->setName(QStringLiteral("the last run"));
    m_run->addToLegend();
    m_placeholder = addPlaceholder(*this, axisRect());
    m_pointerLayer = addPointerLayer(*this);
    m_pointer = new QCPItemRect(this);
    m_pointer->setLayer(m_pointerLayer);
    m_pointer->setPen(QPen(Qt::black, 2.0));
    m_pointer->setVisible(false);

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

// As many columns of the legend as the width holds, so that no name is cut.
void StabilityMap::resizeEvent(QResizeEvent* event)
{
    const int columns = std::clamp(event->size().width() / LegendColumnPixels, 1, 4);
    if (columns != legend->wrap()) {
        legend->setWrap(columns);
        legend->setFillOrder(QCPLegend::foColumnsFirst, true);
    }
    QCustomPlot::resizeEvent(event);
}

void StabilityMap::showNoRun()
{
    m_grid = {};
    m_limits.clear();
    m_reports.clear();
    m_computed = 0;
    point(std::nullopt);
    m_cells->setVisible(false);
    for (QCPGraph* graph : {m_stableHalo, m_stable, m_monotoneHalo, m_monotone, m_run})
        graph->data()->clear();
    m_placeholder->setVisible(true);
    m_title->setText(QString::fromStdString(mapTitle(std::nullopt, localeDecimalSeparator())));
    xAxis->setRange(0, 20);
    yAxis->setRange(0, 1);
    replot(rpQueuedReplot);
}

void StabilityMap::showPlan(const DynamicsPlan& plan)
{
    m_grid = plan.map;
    m_limits = plan.limits;
    m_runParameters = plan.run;
    m_reports.assign(m_grid.cellCount(), std::nullopt);
    m_computed = 0;
    const double lagStep = m_grid.lags[1] - m_grid.lags[0];
    const double rateStep = m_grid.rates[0];
    m_cells->data()->setSize(int(m_grid.lags.size()), int(m_grid.rates.size()));
    m_cells->data()->setRange(QCPRange(m_grid.lags.front(), m_grid.lags.back()),
                              QCPRange(m_grid.rates.front(), m_grid.rates.back()));
    m_cells->data()->fill(qQNaN());
    m_cells->setVisible(true);
    m_placeholder->setVisible(false);
    drawLimits(plan);
    m_run->data()->clear();
    m_run->addData(plan.run.lag, plan.run.r);
    m_title->setText(QString::fromStdString(mapTitle(plan.run, localeDecimalSeparator())));
    xAxis->setRange(m_grid.lags.front() - lagStep / 2, m_grid.lags.back() + lagStep / 2);
    yAxis->setRange(rateStep / 2, m_grid.rates.back() + rateStep / 2);
    point(std::nullopt);
    replot(rpQueuedReplot);
}

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
        m_cells->data()->setCell(int(cell.lagIndex), int(cell.rateIndex), regimeIndex(cell.report.regime));
    }
    retellPointed();
    replot(rpQueuedReplot);
}

std::optional<std::size_t> StabilityMap::cellAt(QPointF pixel) const
{
    if (m_reports.empty() || !axisRect()->rect().contains(pixel.toPoint()))
        return std::nullopt;
    const double lagStep = m_grid.lags[1] - m_grid.lags[0];
    const double rateStep = m_grid.rates[0];
    const long lagIndex = std::lround(xAxis->pixelToCoord(pixel.x()) / lagStep);
    const long rateIndex = std::lround(yAxis->pixelToCoord(pixel.y()) / rateStep) - 1;
    if (lagIndex < 0 || rateIndex < 0 || lagIndex >= long(m_grid.lags.size()) || rateIndex >= long(m_grid.rates.size()))
        return std::nullopt;
    return std::size_t(rateIndex) * m_grid.lags.size() + std::size_t(lagIndex);
}

double StabilityMap::cellRate(std::size_t cell) const { return m_grid.rates[cell / m_grid.lags.size()]; }
double StabilityMap::cellLag(std::size_t cell) const { return m_grid.lags[cell % m_grid.lags.size()]; }

QPointF StabilityMap::cellCentre(std::size_t cell) const
{
    return {xAxis->coordToPixel(cellLag(cell)), yAxis->coordToPixel(cellRate(cell))};
}

QString StabilityMap::placeWords(std::size_t cell) const
{
    const auto& report = m_reports[cell];
    return QString::fromStdString(
        cellInWords(cellRate(cell), cellLag(cell), report ? &*report : nullptr, m_grid.K, localeDecimalSeparator()));
}

void StabilityMap::markPlace(std::optional<std::size_t> cell)
{
    m_pointer->setVisible(bool(cell));
    if (cell) {
        const double lagStep = m_grid.lags[1] - m_grid.lags[0];
        const double rateStep = m_grid.rates[0];
        m_pointer->topLeft->setCoords(cellLag(*cell) - lagStep / 2, cellRate(*cell) + rateStep / 2);
        m_pointer->bottomRight->setCoords(cellLag(*cell) + lagStep / 2, cellRate(*cell) - rateStep / 2);
    }
    m_pointerLayer->replot();
}

void StabilityMap::choose(std::size_t cell) { emit chosen(cellRate(cell), cellLag(cell)); }

std::optional<std::size_t> StabilityMap::runPlace() const
{
    if (m_reports.empty())
        return std::nullopt;
    const auto nearest = [](const std::vector<double>& values, double value) {
        const auto closer = [value](double a, double b) { return std::abs(a - value) < std::abs(b - value); };
        return std::size_t(std::ranges::min_element(values, closer) - values.begin());
    };
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
    point(std::size_t(rate * lags + lag));
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

QString StabilityMap::title() const { return m_title->text(); }

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
                      QStringLiteral("Lyapunov exponent"), QStringLiteral("smallest N"), QStringLiteral("largest N"),
                      QStringLiteral("end step"), QStringLiteral("r_m"), QStringLiteral("r_c")},
                     rows);
}

} // namespace tarnis
