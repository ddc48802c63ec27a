// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/bifurcation_plot.h"

#include "charts/chart_pictures.h"
#include "dynamics/plot_style.h"
#include "model/dynamics/dynamics_labels.h"
#include "model/words/regime_words.h"
#include "ui/design.h"
#include "ui/locale_numbers.h"
#include "ui/localized.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

constexpr int PageColumns = 10;
const QColor PointColour(0, 0, 160);
const QColor CriticalColour(213, 94, 0); // vermilion: apart from the black run and the blue points
const QColor MonotoneColour(90, 90, 90); // dark grey, dotted
// A column whose kept values lie this close together (as a share of K) has settled on one value.
constexpr double SettledSpread = 1e-6;
// Pixels between the names of the marks, which stand one under the other from the top of the plot of N.
constexpr double LabelGap = 3.0;

QString text(std::string_view label) { return QString::fromUtf8(label.data(), qsizetype(label.size())); }

QString axisName(BifurcationAxis axis)
{
    return text(axis == BifurcationAxis::Rate ? Labels.rateAxis : Labels.lagAxis);
}

void placeIn(QCPAbstractItem* item, QCPAxisRect* rect)
{
    item->setClipAxisRect(rect);
    for (QCPItemPosition* position : item->positions()) {
        position->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
        position->setAxisRect(rect);
    }
}

QCPRange paddedRange(double low, double high)
{
    if (!(high > low))
        return {low - 1.0, high + 1.0};
    const double pad = 0.05 * (high - low);
    return {low - pad, high + pad};
}

// The kept values of a column that went through them, and whether they all lie on one value.
bool settled(const BifurcationColumn& column, double K)
{
    if (column.end != RunEnd::Completed || column.N.empty())
        return false;
    const auto [low, high] = std::ranges::minmax_element(column.N);
    return *high - *low <= SettledSpread * std::max(std::abs(K), std::abs(*high));
}

} // namespace

BifurcationPlot::BifurcationPlot(QWidget* parent)
    : PointingPlot(parent)
    , m_title(addTitle(*this))
    , m_exponentRect(new QCPAxisRect(this))
{
    setBackground(Qt::white);
    plainNumbers(*this);
    setAutoAddPlottableToLegend(false);
    plotLayout()->addElement(2, 0, m_exponentRect);
    plotLayout()->setRowStretchFactor(1, 2.0);
    plotLayout()->setRowStretchFactor(2, 1.0);
    auto* margins = new QCPMarginGroup(this);
    axisRect()->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    m_exponentRect->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    for (QCPAxis* axis : m_exponentRect->axes())
        axis->setLayer(QStringLiteral("axes"));
    styleAxis(xAxis, QString());
    xAxis->setTickLabels(false); // the exponent's axis below names the values for both
    styleAxis(yAxis, localized("N once settled"));
    styleAxis(m_exponentRect->axis(QCPAxis::atBottom), axisName(m_axis));
    styleAxis(m_exponentRect->axis(QCPAxis::atLeft), text(Labels.exponentAxis));

    // Where a run settles on one value, a line through its columns, whole at any width; elsewhere a
    // crisp pixel for each of many thousand values.
    m_settled = addGraph(xAxis, yAxis);
    m_settled->setPen(QPen(PointColour, 1.5));
    m_points = addGraph(xAxis, yAxis);
    m_points->setLineStyle(QCPGraph::lsNone);
    m_points->setAntialiasedScatters(false);
    m_exponent = addGraph(m_exponentRect->axis(QCPAxis::atBottom), m_exponentRect->axis(QCPAxis::atLeft));
    m_exponent->setPen(QPen(PointColour, 1.2));
    m_zero = new QCPItemStraightLine(this);
    placeIn(m_zero, m_exponentRect);
    m_zero->point1->setCoords(1, 0); // positive, for a logarithmic axis too
    m_zero->point2->setCoords(2, 0);
    m_zero->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    m_placeholder = addPlaceholder(*this, axisRect());
    // The names of the marks over all their lines.
    addLayer(QStringLiteral("names"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    m_criticalMark = addMark(QPen(CriticalColour, 1.5, Qt::DashLine));
    m_monotoneMark = addMark(QPen(MonotoneColour, 1.5, Qt::DotLine));
    m_runMark = addMark(QPen(Qt::black, 1.5)); // its line over theirs
    stackLabels();
    QCPLayer* pointerLayer = addPointerLayer(*this);
    moveLayer(layer(QStringLiteral("names")), layer(QStringLiteral("main")),
              QCustomPlot::limAbove); // under the pointer's
    m_pointer = new PlaceMark(*this, {axisRect(), m_exponentRect}, true);
    m_pointer->setLayer(pointerLayer);
    connect(this, &QCustomPlot::beforeReplot, this, &BifurcationPlot::keepLabelsInside);

    showNoRun();
}

// A line through both plots and its name beside it at the top of the plot of N: dark text on white,
// edged in the line's colour, clear of the axis and its ticks.
BifurcationPlot::Mark BifurcationPlot::addMark(const QPen& pen)
{
    Mark mark{new QCPItemStraightLine(this), new QCPItemStraightLine(this), new QCPItemText(this)};
    placeIn(mark.overN, axisRect());
    placeIn(mark.overExponent, m_exponentRect);
    placeIn(mark.label, axisRect());
    mark.label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    mark.label->setPadding(QMargins(3, 1, 3, 1));
    mark.label->setFont(legendFont());
    mark.label->setColor(pen.color() == Qt::black ? Qt::black : pen.color().darker(150));
    mark.label->setBrush(Qt::white);
    mark.label->setPen(QPen(pen.color(), 1.0));
    for (QCPAbstractItem* item : {(QCPAbstractItem*)mark.overN, (QCPAbstractItem*)mark.overExponent})
        item->setLayer(layer(QStringLiteral("main")));
    mark.label->setLayer(layer(QStringLiteral("names")));
    for (QCPAbstractItem* item :
         {(QCPAbstractItem*)mark.overN, (QCPAbstractItem*)mark.overExponent, (QCPAbstractItem*)mark.label})
        item->setVisible(false);
    mark.overN->setPen(pen);
    mark.overExponent->setPen(pen);
    return mark;
}

// "this run" at the top of the plot of N, each name after it a few pixels under the one before, however
// low the plot: they never cover each other.
void BifurcationPlot::stackLabels()
{
    QCPItemText* above = nullptr;
    for (const Mark* mark : {&m_runMark, &m_criticalMark, &m_monotoneMark}) {
        QCPItemPosition* position = mark->label->position;
        if (above) {
            position->setTypeY(QCPItemPosition::ptAbsolute);
            position->setParentAnchorY(above->bottom);
            position->setCoords(position->coords().x(), LabelGap);
        } else {
            position->setTypeY(QCPItemPosition::ptAxisRectRatio);
            position->setCoords(position->coords().x(), 0.0);
        }
        above = mark->label;
    }
}

// A mark's name stands right of its line, or left of it where it would run out of the plot (a mark at
// the right end of the axis); decided anew before every drawing, as zoom and pan move the lines.
void BifurcationPlot::keepLabelsInside()
{
    // The two titles on the left stand one above the other: neither may run into the other.
    fitAxisTitle(yAxis);
    fitAxisTitle(m_exponentRect->axis(QCPAxis::atLeft));
    const QRect plot = axisRect()->rect();
    for (const Mark* mark : {&m_runMark, &m_criticalMark, &m_monotoneMark}) {
        QCPItemText& label = *mark->label;
        label.setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QPointF anchor(xAxis->coordToPixel(label.position->coords().x()), plot.top());
        if (textItemRect(label, anchor).right() > plot.right())
            label.setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    }
}

void BifurcationPlot::placeMark(const Mark& mark, std::optional<double> at, const QString& label)
{
    for (QCPItemStraightLine* line : {mark.overN, mark.overExponent}) {
        line->setVisible(bool(at));
        line->point1->setCoords(at.value_or(1.0), 0.0);
        line->point2->setCoords(at.value_or(1.0), 1.0);
    }
    mark.label->setVisible(at && !label.isEmpty());
    mark.label->position->setCoords(at.value_or(1.0), mark.label->position->coords().y());
    mark.label->setText(label);
}

void BifurcationPlot::showNoRun()
{
    m_values.clear();
    m_columns.clear();
    m_computed = 0;
    point(std::nullopt);
    m_settled->data()->clear();
    m_points->data()->clear();
    m_exponent->data()->clear();
    for (const Mark* mark : {&m_criticalMark, &m_monotoneMark, &m_runMark})
        placeMark(*mark, std::nullopt, {});
    m_placeholder->setText(QString::fromStdString(noRunPictureWords()));
    m_placeholder->setVisible(true);
    setTitle(*m_title, QString::fromStdString(bifurcationTitle(std::nullopt, m_axis, localeDecimalSeparator())));
    m_logarithmic = false;
    setScale(xAxis, false, AxisNumbers::General);
    setScale(m_exponentRect->axis(QCPAxis::atBottom), false, AxisNumbers::General);
    fitView(true);
}

void BifurcationPlot::showPlan(const DynamicsPlan& plan, BifurcationAxis axis)
{
    if (!plan.analysed) {
        showNoRun();
        m_placeholder->setText(QString::fromStdString(beyondAnalysisPictureWords(localeDecimalSeparator())));
        setTitle(*m_title, QString::fromStdString(bifurcationTitle(plan.run, axis, localeDecimalSeparator())));
        return;
    }
    const BifurcationRequest& request = axis == BifurcationAxis::Rate ? plan.overRate : plan.overLag;
    m_axis = axis;
    m_run = plan.run;
    m_discard = request.discard;
    m_keep = request.keep;
    m_values = request.values;
    m_columns.assign(m_values.size(), std::nullopt);
    m_computed = 0;
    point(std::nullopt);
    m_placeholder->setVisible(false);
    setTitle(*m_title, QString::fromStdString(bifurcationTitle(plan.run, axis, localeDecimalSeparator())));
    yAxis->setLabel(QString::fromStdString(keptValuesAxis(m_discard, m_keep)));
    const bool overRate = axis == BifurcationAxis::Rate;
    m_logarithmic = overRate && plan.logarithmicDiagramRates;
    const AxisNumbers numbers = overRate ? AxisNumbers::PowersOfTen : AxisNumbers::General;
    setScale(xAxis, m_logarithmic, numbers);
    setScale(m_exponentRect->axis(QCPAxis::atBottom), m_logarithmic, numbers);
    m_exponentRect->axis(QCPAxis::atBottom)->setLabel(axisName(axis));
    // Points for the many columns over r; discs that show apart for the few half lags.
    m_points->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, PointColour, PointColour, overRate ? 1.5 : 3.0));
    showMarks(plan);
    drawColumns();
    fitView(true);
}

void BifurcationPlot::moveMarks(const DynamicsPlan& plan)
{
    m_run = plan.run;
    showMarks(plan);
    replot(rpQueuedReplot);
}

void BifurcationPlot::showMarks(const DynamicsPlan& plan)
{
    // The model says which lines the diagram carries; each kind has its look here.
    for (const Mark* mark : {&m_criticalMark, &m_monotoneMark, &m_runMark})
        placeMark(*mark, std::nullopt, {});
    for (const DiagramMark& mark : diagramMarks(plan.run, m_axis, plan.runLimits, plan.criticalLag)) {
        const Mark& drawn = mark.kind == DiagramMarkKind::Critical ? m_criticalMark
            : mark.kind == DiagramMarkKind::Monotone               ? m_monotoneMark
                                                                   : m_runMark;
        placeMark(drawn, mark.value, text(mark.name));
    }
    // A mark off the axis has no place on it: r at or below 0 on a logarithmic axis, below 0 on a linear
    // one, which starts at 0 (the page leaves it out alike).
    for (const Mark* mark : {&m_criticalMark, &m_monotoneMark, &m_runMark}) {
        const double at = mark->overN->point1->coords().x();
        if (m_logarithmic ? !(at > 0.0) : at < 0.0) {
            for (QCPAbstractItem* item :
                 {(QCPAbstractItem*)mark->overN, (QCPAbstractItem*)mark->overExponent, (QCPAbstractItem*)mark->label})
                item->setVisible(false);
        }
    }
}

QList<QCPItemText*> BifurcationPlot::shownLabels() const
{
    QList<QCPItemText*> labels;
    for (const Mark* mark : {&m_criticalMark, &m_monotoneMark, &m_runMark})
        if (mark->label->visible())
            labels << mark->label;
    return labels;
}

void BifurcationPlot::addColumns(std::vector<std::pair<std::size_t, BifurcationColumn>> columns)
{
    if (columns.empty())
        return;
    for (auto& [index, column] : columns) {
        if (index >= m_columns.size())
            continue;
        if (!m_columns[index])
            ++m_computed;
        m_columns[index] = std::move(column);
    }
    drawColumns();
    fitView(false);
    retellPointed();
}

void BifurcationPlot::drawColumns()
{
    QVector<QCPGraphData> points, line, exponents;
    points.reserve(qsizetype(m_computed) * m_keep);
    exponents.reserve(qsizetype(m_columns.size()));
    for (std::size_t index = 0; index < m_columns.size(); ++index) {
        const auto& column = m_columns[index];
        const double x = m_values[index];
        // An exponent of −∞ (a superstable cycle) has no place on the axis; neither has a column to come.
        const double exponent
            = column && column->lyapunov && std::isfinite(*column->lyapunov) ? *column->lyapunov : qQNaN();
        exponents.append({x, exponent});
        const bool shown = column && column->end != RunEnd::Refused && column->firstStep >= m_discard;
        const bool onOneValue = shown && settled(*column, m_run.K);
        line.append({x, onOneValue ? column->N.back() : qQNaN()});
        if (!shown || onOneValue)
            continue;
        for (const double n : column->N)
            points.append({x, n});
    }
    m_settled->data()->set(line, true);
    m_points->data()->set(points, true);
    m_exponent->data()->set(exponents, true);
    fitExponentAxis();
    replot(rpQueuedReplot);
}

// Across, the values with half a column to spare (from 0 for r on a linear axis); up, the kept values
// of the runs that went through them.
std::pair<QCPRange, QCPRange> BifurcationPlot::fittedView()
{
    QCPRange across(0.0, 1.0);
    if (!m_values.empty()) {
        const std::vector<double> edges = cellEdges(m_values, m_logarithmic);
        across = {m_axis == BifurcationAxis::Rate && !m_logarithmic ? 0.0 : edges.front(), edges.back()};
    }
    double low = 0.0, high = 0.0;
    for (const auto& column : m_columns) {
        if (!column || column->end != RunEnd::Completed)
            continue;
        for (const double n : column->N) {
            low = std::min(low, n);
            high = std::max(high, n);
        }
    }
    const QCPRange up = high > low ? paddedRange(low, high) : QCPRange(0.0, 2.0 * std::max(std::abs(m_run.K), 1e-9));
    return {across, up};
}

void BifurcationPlot::showView(const QCPRange& x, const QCPRange& y)
{
    xAxis->setRange(x);
    m_exponentRect->axis(QCPAxis::atBottom)->setRange(x);
    yAxis->setRange(y);
    replot(rpQueuedReplot);
}

void BifurcationPlot::fitExponentAxis()
{
    double lowest = 0.0, highest = 0.0;
    for (const QCPGraphData& point : *m_exponent->data()) {
        if (std::isfinite(point.value)) {
            lowest = std::min(lowest, point.value);
            highest = std::max(highest, point.value);
        }
    }
    m_exponentRect->axis(QCPAxis::atLeft)->setRange(paddedRange(lowest, std::max(highest, 0.1)));
}

std::optional<std::size_t> BifurcationPlot::columnAt(QPointF pixel) const
{
    if (m_values.empty()
        || !(axisRect()->rect().contains(pixel.toPoint()) || m_exponentRect->rect().contains(pixel.toPoint())))
        return std::nullopt;
    const double value = xAxis->pixelToCoord(pixel.x());
    const auto after = std::ranges::lower_bound(m_values, value);
    if (after == m_values.begin())
        return 0;
    if (after == m_values.end())
        return m_values.size() - 1;
    const auto before = after - 1;
    // Nearest on screen, which on a logarithmic axis is not nearest in value.
    const double toBefore = pixel.x() - xAxis->coordToPixel(*before);
    const double toAfter = xAxis->coordToPixel(*after) - pixel.x();
    return std::size_t((toBefore < toAfter ? before : after) - m_values.begin());
}

QPointF BifurcationPlot::columnPixel(std::size_t column) const
{
    return {xAxis->coordToPixel(m_values[column]), double(axisRect()->rect().center().y())};
}

QString BifurcationPlot::placeWords(std::size_t column) const
{
    const auto& data = m_columns[column];
    return QString::fromStdString(
        columnInWords(m_axis, m_values[column], data ? &*data : nullptr, m_run.K, localeDecimalSeparator()));
}

RunParameters BifurcationPlot::placeRun(std::size_t column) const
{
    RunParameters run = m_run;
    (m_axis == BifurcationAxis::Rate ? run.r : run.lag) = m_values[column];
    return run;
}

// The column's own width, between the middles to its neighbours.
void BifurcationPlot::markPlace(std::optional<std::size_t> column)
{
    m_pointer->setVisible(bool(column));
    if (!column)
        return;
    const std::vector<double> edges = cellEdges(m_values, m_logarithmic);
    m_pointer->place({edges[*column], edges[*column + 1]});
}

std::optional<std::size_t> BifurcationPlot::runPlace() const
{
    if (m_values.empty())
        return std::nullopt;
    const double at = m_axis == BifurcationAxis::Rate ? m_run.r : m_run.lag;
    const auto closer = [at](double a, double b) { return std::abs(a - at) < std::abs(b - at); };
    return std::size_t(std::ranges::min_element(m_values, closer) - m_values.begin());
}

void BifurcationPlot::movePointer(int steps)
{
    const auto from = keyStart();
    if (!from)
        return;
    pointByKeys(std::size_t(std::clamp(long(*from) + steps, 0L, long(m_values.size()) - 1)));
}

void BifurcationPlot::keyPressEvent(QKeyEvent* event)
{
    const int page = std::max(PageColumns, int(m_values.size()) / PageColumns);
    switch (event->key()) {
    case Qt::Key_Left:
        return movePointer(-1);
    case Qt::Key_Right:
        return movePointer(1);
    case Qt::Key_PageDown:
        return movePointer(-page);
    case Qt::Key_PageUp:
        return movePointer(page);
    default:
        PointingPlot::keyPressEvent(event); // Enter and Space choose
    }
}

QString BifurcationPlot::title() const { return titleText(*m_title); }

QString BifurcationPlot::placeholderText() const
{
    return m_placeholder->visible() ? m_placeholder->text() : QString();
}

namespace {

QString endText(const BifurcationColumn& column)
{
    switch (column.end) {
    case RunEnd::Completed:
        return QStringLiteral("completed");
    case RunEnd::DiedOut:
        return QStringLiteral("died out");
    case RunEnd::LeftRange:
        return QStringLiteral("left range");
    case RunEnd::Refused:
        break;
    }
    return QStringLiteral("not analysed");
}

} // namespace

QString BifurcationPlot::dataText(QChar decimalSeparator) const
{
    QStringList header{m_axis == BifurcationAxis::Rate ? QStringLiteral("r") : QStringLiteral("T"),
                       text(Labels.exponentAxis.english), QStringLiteral("end"), QStringLiteral("end step")};
    for (int step = m_discard; step < m_discard + m_keep; ++step)
        header << QStringLiteral("N(%1)").arg(step);
    QList<QStringList> rows;
    for (std::size_t index = 0; index < m_columns.size(); ++index) {
        QStringList row{exactNumberText(m_values[index], decimalSeparator)};
        if (const auto& column = m_columns[index]) {
            row << (column->lyapunov ? exactNumberText(*column->lyapunov, decimalSeparator) : QString())
                << endText(*column)
                << (column->end == RunEnd::Completed ? QString() : QString::number(column->lastStep));
            // The kept steps in their columns; a run that ended before them has none.
            for (std::size_t k = 0; k < column->N.size() && column->firstStep >= m_discard; ++k)
                row << exactNumberText(column->N[k], decimalSeparator);
        }
        while (row.size() < header.size())
            row << QString();
        rows << row;
    }
    return tableText(header, rows);
}

} // namespace tarnis
