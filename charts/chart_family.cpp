// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_family.h"

#include "charts/chart_control.h"
#include "charts/run_comparison.h"
#include "charts/run_player.h"
#include "model/words/chart_words.h"
#include "model/words/continuous_words.h"
#include "ui/locale_numbers.h"
#include "ui/localized.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace tarnis {

namespace {

QVector<double> column(const ResultStore& store, Quantity quantity, int rows)
{
    const std::vector<double> values = chartColumn(store, quantity, rows);
    return QVector<double>(values.begin(), values.end());
}

// The full and the legend's names of the run on show and the kept runs, in that order.
std::vector<RunNames> namesOf(const std::optional<RunParameters>& current, const std::vector<KeptRun>& kept)
{
    std::vector<RunParameters> keptParameters;
    for (const KeptRun& run : kept)
        keptParameters.push_back(run.parameters);
    std::vector<RunNames> names;
    for (const ChartRunNames& name : chartRunNames(current, keptParameters, localeDecimalSeparator()))
        names.push_back({QString::fromStdString(name.full), QString::fromStdString(name.legend),
                         QString::fromStdString(name.data)});
    return names;
}

} // namespace

ChartFamily::ChartFamily(ChartControl& chart, const ResultStore& store, ChartWindow window,
                         const RunComparison* comparison)
    : m_chart(chart)
    , m_store(store)
    , m_window(window)
    , m_comparison(comparison)
    , m_player(std::make_unique<RunPlayer>(
          chart,
          RunPlayer::Drawing{.rows = [this] { return m_shown ? chartRowCount(m_store, *m_shown) : 0; },
                             .drawFirst = [this](int rows) { drawFirstRows(rows); },
                             .drawAll = [this] { redraw(Axes::KeepUserView); }}))
{
    // A kept run drawn into a view the user zoomed stays in that view; a new scale is fitted.
    if (comparison)
        m_keptChanged
            = QObject::connect(comparison, &RunComparison::changed, &chart, [this] { redraw(Axes::KeepUserView); });
    m_axisChosen
        = QObject::connect(&chart, &ChartControl::logNAxisChoiceChanged, &chart, [this] { redraw(Axes::Fit); });
    m_continuousChosen = QObject::connect(&chart, &ChartControl::continuousChoiceChanged, &chart,
                                          [this] { redraw(Axes::KeepUserView); });
}

// The chart and the comparison may outlive the family (the chart of a window that is being
// destroyed); they must not call it then.
ChartFamily::~ChartFamily()
{
    QObject::disconnect(m_keptChanged);
    QObject::disconnect(m_axisChosen);
    QObject::disconnect(m_continuousChosen);
}

void ChartFamily::draw(ChartKind kind)
{
    m_shownKind = kind;
    draw(chartKindEntry(kind, m_window));
}

void ChartFamily::drawKeepingLook(ChartKind kind)
{
    m_shownKind = kind;
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
    m_player->abandon();
    m_shown = entry;
    m_chart.series().setColumnCount(entry.second ? 4 : 2);
    m_chart.setTitles(localized(entry.title), localized(entry.yAxisTitle), localized(entry.xAxisTitle));
    m_chart.setDataTitles(QString::fromLatin1(entry.yAxisTitle), QString::fromLatin1(entry.xAxisTitle));
    m_chart.setShowsN(yIsN(entry));
    m_chart.setLogarithmicY(m_chart.axes().logNAxisChosen() && yIsN(entry));
    fillOwnSeries(entry, chartRowCount(m_store, entry));
    drawKeptRuns(entry);
    drawContinuous(entry);
    if (axes == Axes::KeepUserView)
        m_chart.replotInUserView();
    else
        m_chart.fitAxesAndReplot();
}

void ChartFamily::fillOwnSeries(const ChartKindEntry& entry, int rows)
{
    ChartSeries& own = m_chart.series();
    const auto fill = [&](int series, const SeriesSource& source) {
        if (source.look)
            own.setSeriesLook(series, *source.look);
        own.setSeriesQuantities(series, source.x, source.y);
        own.setSeriesData(series, column(m_store, source.x, rows), column(m_store, source.y, rows));
    };
    fill(ChartSeries::FirstSeries, entry.first);
    if (entry.second)
        fill(ChartSeries::SecondSeries, *entry.second);
}

void ChartFamily::drawFirstRows(int rows)
{
    if (!m_shown)
        return;
    fillOwnSeries(*m_shown, std::clamp(rows, 0, chartRowCount(m_store, *m_shown)));
    m_chart.replotInView();
}

void ChartFamily::drawKeptRuns(const ChartKindEntry& entry)
{
    static const std::vector<KeptRun> none;
    const std::vector<KeptRun>& kept = m_comparison ? m_comparison->kept().runs() : none;
    const auto& current = m_comparison ? m_comparison->currentRun() : std::nullopt;
    const std::vector<RunNames> names = namesOf(current, kept);
    m_chart.setPictureNote(current ? QString::fromStdString(pictureParameterLine(*current, localeDecimalSeparator()))
                                   : QString());
    ChartSeries& series = m_chart.series();
    series.setOwnRunNames(names.front());
    series.setKeptRunCount(int(kept.size()));
    std::vector<std::shared_ptr<const ResultStore>> copies;
    for (int run = 0; run < int(kept.size()); ++run) {
        const ResultStore& values = *kept[std::size_t(run)].values;
        series.setKeptRun(run, kept[std::size_t(run)].slot, names[std::size_t(run) + 1]);
        const int rows = chartRowCount(values, entry);
        series.setKeptSeriesData(run, ChartSeries::FirstSeries, column(values, entry.first.x, rows),
                                 column(values, entry.first.y, rows));
        if (entry.second)
            series.setKeptSeriesData(run, ChartSeries::SecondSeries, column(values, entry.second->x, rows),
                                     column(values, entry.second->y, rows));
        copies.push_back(kept[std::size_t(run)].values);
    }
    // The readout holds the copies it reads, so that forgetting runs cannot pull them from under it.
    series.setStepValues([store = &m_store, copies](int run, int t) {
        if (run == ChartSeries::OwnRun)
            return stepReading(*store, t);
        return run >= 1 && run <= int(copies.size()) ? stepReading(*copies[std::size_t(run - 1)], t) : std::nullopt;
    });
}

void ChartFamily::drawContinuous(const ChartKindEntry& entry)
{
    ChartSeries& series = m_chart.series();
    const auto& current = m_comparison ? m_comparison->currentRun() : std::nullopt;
    if (!m_chart.continuousChosen() || !yIsN(entry) || !current) {
        series.clearContinuous();
        m_chart.setNote(QString());
        return;
    }
    const ContinuousRun& run = continuousOf(*current);
    // N at t = 0, 1, …, as far as the integrator went.
    QVector<double> t(qsizetype(run.n.size())), n(run.n.begin(), run.n.end());
    for (qsizetype step = 0; step < t.size(); ++step)
        t[step] = double(step);
    series.setContinuous(t, n, QString::fromStdString(continuousComparisonWords().legend));
    // A trajectory the integrator would not start has nothing drawn and says why in the words of the
    // Dynamics window; one that stops early says where and why.
    const std::string note = run.n.empty()
        ? continuousRunInWords(*current, std::nullopt, localeDecimalSeparator()).sentences
        : continuousStopWords(run);
    m_chart.setNote(QString::fromStdString(note));
}

const ContinuousRun& ChartFamily::continuousOf(const RunParameters& run)
{
    if (!m_continuous || m_continuous->first != run)
        m_continuous.emplace(run, continuousRun(run));
    return m_continuous->second;
}

} // namespace tarnis
