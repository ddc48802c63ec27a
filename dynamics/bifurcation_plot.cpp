// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/bifurcation_plot.h"

#include "charts/chart_pictures.h"
#include "dynamics/plot_style.h"
#include "model/regime_words.h"
#include "ui/locale_numbers.h"
#include "ui/design.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

constexpr int PageColumns = 10;
const QColor PointColour(0, 0, 160);
const QColor CriticalColour(213, 94, 0); // vermilion: apart from the black run and the blue points

QString axisName(BifurcationAxis axis)
{
    return axis == BifurcationAxis::Rate ? QStringLiteral("Intrinsic rate r") : QStringLiteral("Time lag T");
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

} // namespace

BifurcationPlot::BifurcationPlot(QWidget* parent)
    : PointingPlot(parent)
    , m_title(addTitle(*this))
    , m_exponentRect(new QCPAxisRect(this))
{
    setBackground(Qt::white);
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
    styleAxis(yAxis, QStringLiteral("N once settled"));
    styleAxis(m_exponentRect->axis(QCPAxis::atBottom), axisName(m_axis));
    styleAxis(m_exponentRect->axis(QCPAxis::atLeft), QStringLiteral("Lyapunov exponent"));

    m_points = addGraph(xAxis, yAxis);
    m_points->setLineStyle(QCPGraph::lsNone);
    m_points->setAntialiasedScatters(false); // a crisp pixel for each of many thousand values
    m_exponent = addGraph(m_exponentRect->axis(QCPAxis::atBottom), m_exponentRect->axis(QCPAxis::atLeft));
    m_exponent->setPen(QPen(PointColour, 1.2));
    m_zero = new QCPItemStraightLine(this);
    placeIn(m_zero, m_exponentRect);
    m_zero->point1->setCoords(0, 0);
    m_zero->point2->setCoords(1, 0);
    m_zero->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    m_placeholder = addPlaceholder(*this, axisRect());
    // The labels of r_c and of the run at the foot and at the top, so that they never cover each other.
    m_criticalMark = addMark(QPen(CriticalColour, 1.5, Qt::DashLine), layer(QStringLiteral("main")), 1.0);
    m_runMark = addMark(QPen(Qt::black, 1.5), layer(QStringLiteral("main")), 0.0);
    m_pointerLayer = addPointerLayer(*this);
    m_pointer = addMark(QPen(QColor(90, 90, 90), 1.0), m_pointerLayer, 0.0);

    showNoRun();
}

BifurcationPlot::Mark BifurcationPlot::addMark(const QPen& pen, QCPLayer* layer, double labelHeight)
{
    Mark mark{new QCPItemStraightLine(this), new QCPItemStraightLine(this), new QCPItemText(this), labelHeight};
    placeIn(mark.overN, axisRect());
    placeIn(mark.overExponent, m_exponentRect);
    placeIn(mark.label, axisRect());
    mark.label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    mark.label->setPositionAlignment(Qt::AlignLeft | (labelHeight < 0.5 ? Qt::AlignTop : Qt::AlignBottom));
    mark.label->setPadding(QMargins(3, 1, 3, 1));
    mark.label->setFont(legendFont());
    mark.label->setColor(pen.color());
    mark.label->setBrush(QColor(255, 255, 255, 200));
    for (QCPAbstractItem* item :
         {(QCPAbstractItem*)mark.overN, (QCPAbstractItem*)mark.overExponent, (QCPAbstractItem*)mark.label}) {
        item->setLayer(layer);
        item->setVisible(false);
    }
    mark.overN->setPen(pen);
    mark.overExponent->setPen(pen);
    return mark;
}

void BifurcationPlot::placeMark(const Mark& mark, std::optional<double> at, const QString& label)
{
    for (QCPItemStraightLine* line : {mark.overN, mark.overExponent}) {
        line->setVisible(bool(at));
        line->point1->setCoords(at.value_or(0.0), 0.0);
        line->point2->setCoords(at.value_or(0.0), 1.0);
    }
    mark.label->setVisible(at && !label.isEmpty());
    mark.label->position->setCoords(at.value_or(0.0), mark.labelHeight);
    mark.label->setText(label);
}

void BifurcationPlot::showNoRun()
{
    m_values.clear();
    m_columns.clear();
    m_computed = 0;
    point(std::nullopt);
    m_points->data()->clear();
    m_exponent->data()->clear();
    placeMark(m_criticalMark, std::nullopt, {});
    placeMark(m_runMark, std::nullopt, {});
    m_placeholder->setVisible(true);
    m_title->setText(QString::fromStdString(bifurcationTitle(std::nullopt, m_axis, localeDecimalSeparator())));
    replot(rpQueuedReplot);
}

void BifurcationPlot::showPlan(const DynamicsPlan& plan, BifurcationAxis axis)
{
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
    const bool overRate = axis == BifurcationAxis::Rate;
    m_title->setText(QString::fromStdString(bifurcationTitle(plan.run, axis, localeDecimalSeparator())));
    yAxis->setLabel(QStringLiteral("N(t), t = %1 to %2").arg(m_discard).arg(m_discard + m_keep - 1));
    m_exponentRect->axis(QCPAxis::atBottom)->setLabel(axisName(axis));
    // Points for the many columns over r; discs that show apart for the few half lags.
    m_points->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, PointColour, PointColour, overRate ? 1.5 : 3.0));
    const double step = m_values.size() > 1 ? m_values[1] - m_values[0] : 1.0;
    const QCPRange across(overRate ? 0.0 : -step / 2, m_values.back() + step / 2);
    xAxis->setRange(across);
    m_exponentRect->axis(QCPAxis::atBottom)->setRange(across);
    showMarks(plan);
    drawColumns();
}

void BifurcationPlot::showMarks(const DynamicsPlan& plan)
{
    if (m_axis == BifurcationAxis::Rate) {
        const auto critical = plan.runLimits ? std::optional(plan.runLimits->rStable) : std::nullopt;
        placeMark(m_criticalMark, critical, QStringLiteral("r_c"));
        placeMark(m_runMark, plan.run.r, QStringLiteral("this run"));
    } else {
        placeMark(m_criticalMark, plan.criticalLag, QStringLiteral("r > r_c"));
        placeMark(m_runMark, plan.run.lag, QStringLiteral("this run"));
    }
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
    retellPointed();
}

void BifurcationPlot::drawColumns()
{
    QVector<QCPGraphData> points, exponents;
    points.reserve(qsizetype(m_computed) * m_keep);
    exponents.reserve(qsizetype(m_columns.size()));
    for (std::size_t index = 0; index < m_columns.size(); ++index) {
        const auto& column = m_columns[index];
        const double x = m_values[index];
        // An exponent of −∞ (a superstable cycle) has no place on the axis; neither has a column to come.
        const double exponent
            = column && column->lyapunov && std::isfinite(*column->lyapunov) ? *column->lyapunov : qQNaN();
        exponents.append({x, exponent});
        if (!column || column->end == RunEnd::Refused || column->firstStep < m_discard)
            continue;
        for (const double n : column->N)
            points.append({x, n});
    }
    m_points->data()->set(points, true);
    m_exponent->data()->set(exponents, true);
    fitValueAxes();
    replot(rpQueuedReplot);
}

void BifurcationPlot::fitValueAxes()
{
    double low = 0.0, high = 0.0;
    for (const auto& column : m_columns) {
        if (!column || column->end != RunEnd::Completed)
            continue;
        for (const double n : column->N) {
            low = std::min(low, n);
            high = std::max(high, n);
        }
    }
    yAxis->setRange(high > low ? paddedRange(low, high) : QCPRange(0.0, 2.0 * std::max(std::abs(m_run.K), 1e-9)));
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
    return std::size_t((value - *before < *after - value ? before : after) - m_values.begin());
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

void BifurcationPlot::markPlace(std::optional<std::size_t> column)
{
    placeMark(m_pointer, column ? std::optional(m_values[*column]) : std::nullopt, {});
    m_pointerLayer->replot();
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
    point(std::size_t(std::clamp(long(*from) + steps, 0L, long(m_values.size()) - 1)));
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

QString BifurcationPlot::title() const { return m_title->text(); }

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
                       QStringLiteral("Lyapunov exponent"), QStringLiteral("end"), QStringLiteral("end step")};
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
