// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_family.h"

#include "charts/chart_control.h"
#include "charts/run_comparison.h"
#include "ui/locale_numbers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace tarnis {

namespace {

bool readsNextN(const SeriesSource& series) { return series.x == Quantity::NextN || series.y == Quantity::NextN; }

// Every value of step t, which must lie within the run.
StepReading readingAt(const ResultStore& store, int t)
{
    const auto at = std::size_t(t);
    // The run writes N up to LastStep + 1, where the store has room for it.
    const double next = t + 1 <= std::min(int(store.LastStep) + 1, MaxStoreIndex) ? store.PopN[at + 1] : qQNaN();
    return StepReading{t, store.PopN[at], next, store.PopDN[at], store.PopDNperN[at], store.ParamK};
}

QVector<double> column(const ResultStore& store, Quantity quantity, int rows)
{
    QVector<double> values(rows);
    for (int t = 0; t < rows; ++t)
        values[t] = quantityValue(readingAt(store, t), quantity);
    return values;
}

QString labelOf(const RunParameters& parameters)
{
    return QString::fromStdString(runLabel(parameters, localeDecimalSeparator()));
}

std::optional<StepReading> stepOf(const ResultStore& store, int t)
{
    if (t < 0 || t > std::min(int(store.LastStep), MaxStoreIndex))
        return std::nullopt;
    return readingAt(store, t);
}

const QString OnShow = QStringLiteral("This run: ");

// The full and the legend's names of the run on show and the kept runs, in that order.
std::vector<RunNames> namesOf(const std::optional<RunParameters>& current, const std::vector<KeptRun>& kept)
{
    std::vector<RunParameters> runs;
    if (current)
        runs.push_back(*current);
    for (const KeptRun& run : kept)
        runs.push_back(run.parameters);
    const std::vector<std::string> shortLabels = legendLabels(runs, localeDecimalSeparator());
    std::vector<RunNames> names;
    if (!current)
        names.push_back({});
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const bool onShow = current && run == 0;
        names.push_back({(onShow ? OnShow : QString()) + labelOf(runs[run]),
                         (onShow ? OnShow : QString()) + QString::fromStdString(shortLabels[run])});
    }
    return names;
}

} // namespace

int chartRowCount(const ResultStore& store, const ChartKindEntry& entry)
{
    const bool next = readsNextN(entry.first) || (entry.second && readsNextN(*entry.second));
    const int lastIndex = next ? MaxStoreIndex - 1 : MaxStoreIndex;
    return std::clamp(int(store.LastStep), -1, lastIndex) + 1;
}

ChartFamily::ChartFamily(ChartControl& chart, const ResultStore& store, ChartWindow window,
                         const RunComparison* comparison)
    : m_chart(chart)
    , m_store(store)
    , m_window(window)
    , m_comparison(comparison)
{
    // A kept run drawn into a view the user zoomed stays in that view; a new scale is fitted.
    if (comparison)
        m_keptChanged
            = QObject::connect(comparison, &RunComparison::changed, &chart, [this] { redraw(Axes::KeepUserView); });
    m_axisChosen
        = QObject::connect(&chart, &ChartControl::logNAxisChoiceChanged, &chart, [this] { redraw(Axes::Fit); });
}

// The chart and the comparison may outlive the family (the chart of a window that is being
// destroyed); they must not call it then.
ChartFamily::~ChartFamily()
{
    QObject::disconnect(m_keptChanged);
    QObject::disconnect(m_axisChosen);
}

void ChartFamily::draw(ChartKind kind) { draw(chartKindEntry(kind, m_window)); }

void ChartFamily::drawKeepingLook(ChartKind kind)
{
    ChartKindEntry entry = chartKindEntry(kind, m_window);
    entry.first.look.reset();
    if (entry.second)
        entry.second->look.reset();
    draw(entry);
}

void ChartFamily::redraw(Axes axes)
{
    if (m_shown)
        draw(*m_shown, axes);
}

void ChartFamily::draw(const ChartKindEntry& entry, Axes axes)
{
    m_shown = entry;
    m_chart.setColumnCount(entry.second ? 4 : 2);
    m_chart.setTitles(QString::fromLatin1(entry.title), QString::fromLatin1(entry.yAxisTitle),
                      QString::fromLatin1(entry.xAxisTitle));
    m_chart.setLogNAxisApplies(yIsN(entry));
    m_chart.setLogarithmicY(m_chart.logNAxisChosen() && yIsN(entry));
    const int rows = chartRowCount(m_store, entry);
    const auto fill = [&](int series, const SeriesSource& source) {
        if (source.look)
            m_chart.setSeriesLook(series, *source.look);
        m_chart.setSeriesQuantities(series, source.x, source.y);
        m_chart.setSeriesData(series, column(m_store, source.x, rows), column(m_store, source.y, rows));
    };
    fill(ChartControl::FirstSeries, entry.first);
    if (entry.second)
        fill(ChartControl::SecondSeries, *entry.second);
    drawKeptRuns(entry);
    if (axes == Axes::KeepUserView)
        m_chart.replotInUserView();
    else
        m_chart.fitAxesAndReplot();
}

void ChartFamily::drawKeptRuns(const ChartKindEntry& entry)
{
    static const std::vector<KeptRun> none;
    const std::vector<KeptRun>& kept = m_comparison ? m_comparison->kept().runs() : none;
    const auto& current = m_comparison ? m_comparison->currentRun() : std::nullopt;
    const std::vector<RunNames> names = namesOf(current, kept);
    m_chart.setOwnRunNames(names.front());
    m_chart.setKeptRunCount(int(kept.size()));
    std::vector<std::shared_ptr<const ResultStore>> copies;
    for (int run = 0; run < int(kept.size()); ++run) {
        const ResultStore& values = *kept[std::size_t(run)].values;
        m_chart.setKeptRun(run, kept[std::size_t(run)].slot, names[std::size_t(run) + 1]);
        const int rows = chartRowCount(values, entry);
        m_chart.setKeptSeriesData(run, ChartControl::FirstSeries, column(values, entry.first.x, rows),
                                  column(values, entry.first.y, rows));
        if (entry.second)
            m_chart.setKeptSeriesData(run, ChartControl::SecondSeries, column(values, entry.second->x, rows),
                                      column(values, entry.second->y, rows));
        copies.push_back(kept[std::size_t(run)].values);
    }
    // The readout holds the copies it reads, so that forgetting runs cannot pull them from under it.
    m_chart.setStepValues([store = &m_store, copies](int run, int t) {
        if (run == ChartControl::OwnRun)
            return stepOf(*store, t);
        return run >= 1 && run <= int(copies.size()) ? stepOf(*copies[std::size_t(run - 1)], t) : std::nullopt;
    });
}

} // namespace tarnis
