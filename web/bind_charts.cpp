// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/bind_charts.h"

#include "model/language/catalog.h"

#include "model/charts/axis_fit.h"
#include "model/charts/chart_kinds.h"
#include "model/charts/chart_quantities.h"
#include "model/charts/chart_view_limits.h"
#include "model/words/chart_words.h"
#include "model/words/continuous_words.h"

#include <emscripten/bind.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tarnis::web {

namespace {

// A kind by its name; a name the model does not know is the page's error.
ChartKind kindNamed(const val& name)
{
    const std::string wanted = name.isString() ? name.as<std::string>() : std::string();
    if (const auto kind = chartKindNamed(wanted))
        return *kind;
    throwError("RangeError", "no such name: '" + wanted + "'");
}

// The page draws as the large graph window does: every series' look is set by its kind.
ChartKindEntry entryOf(const val& kind) { return chartKindEntry(kindNamed(kind), ChartWindow::Large); }

std::vector<SeriesSource> seriesOf(const ChartKindEntry& entry)
{
    std::vector<SeriesSource> series{entry.first};
    if (entry.second)
        series.push_back(*entry.second);
    return series;
}

// The chart's own run and its kept runs, in that order, with their names.
struct ChartRun {
    int run; // 0 the run on show, then the kept runs from 1
    const ResultStore* store;
    ChartRunNames names;
    int slot; // a kept run's colour; -1 for the run on show
};

std::vector<ChartRun> runsOf(const ChartSource& source, char separator)
{
    std::vector<RunParameters> keptParameters;
    for (const KeptRun& kept : source.kept.runs())
        keptParameters.push_back(kept.parameters);
    const std::vector<ChartRunNames> names = chartRunNames(source.current, keptParameters, separator);
    std::vector<ChartRun> runs{{0, &source.store, names.front(), -1}};
    for (std::size_t run = 0; run < source.kept.runs().size(); ++run)
        runs.push_back(
            {int(run) + 1, source.kept.runs()[run].values.get(), names[run + 1], source.kept.runs()[run].slot});
    return runs;
}

std::string fullName(const ChartRun& run)
{
    return run.names.full.empty() ? std::string(translate(unnamedRunName())) : run.names.full;
}
// The run's name at the head of its copied data, in English for the programs that read it.
std::string dataName(const ChartRun& run) { return run.names.data.empty() ? unnamedRunName() : run.names.data; }

struct Columns {
    std::vector<double> x, y;
};

// A series' rows as the chart shows them: a value it cannot show is no value (NaN).
Columns columnsOf(const ResultStore& store, const ChartKindEntry& entry, const SeriesSource& series, bool logarithmicY)
{
    const int rows = chartRowCount(store, entry);
    Columns columns{chartColumn(store, series.x, rows), chartColumn(store, series.y, rows)};
    constexpr double None = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t row = 0; row < columns.x.size(); ++row) {
        if (!chartHasValue(columns.x[row], false))
            columns.x[row] = None;
        if (!chartHasValue(columns.y[row], logarithmicY))
            columns.y[row] = None;
    }
    return columns;
}

val seriesToJs(const Columns& columns, SeriesLook look, const SeriesRgb& colours)
{
    val series = val::object();
    series.set("x", numberArray(columns.x));
    series.set("y", numberArray(columns.y));
    series.set("look", look == SeriesLook::Points ? "points" : "line");
    series.set("line", colourText(colours.line));
    series.set("markerOutline", colourText(colours.markerOutline));
    series.set("markerFill", colourText(colours.markerFill));
    return series;
}

val seriesToJs(const ChartRun& run, int index, const SeriesSource& source, const Columns& columns)
{
    const SeriesRgb colours = run.slot < 0 ? ownSeriesColours(index) : keptSeriesColours(run.slot, index);
    return seriesToJs(columns, source.look.value_or(SeriesLook::Line), colours);
}

// The continuous twin goes with the kinds that plot N over t, whose rows are the times of its values;
// none where the page does not compare or there is no run.
const ContinuousRun* twinOf(const ChartSource& source, const ChartKindEntry& entry)
{
    return source.continuous && source.current && yIsN(entry) ? source.continuous : nullptr;
}

// The twin's N at t = 0, 1, …, as far as it goes; a value the axis cannot show is no value (NaN).
std::vector<double> twinColumn(const ContinuousRun& twin, bool logarithmicY)
{
    std::vector<double> n = twin.n;
    for (double& value : n)
        if (!chartHasValue(value, logarithmicY))
            value = std::numeric_limits<double>::quiet_NaN();
    return n;
}

val twinToJs(const ContinuousRun& twin, bool logarithmicY)
{
    Columns columns{{}, twinColumn(twin, logarithmicY)};
    for (std::size_t t = 0; t < columns.y.size(); ++t)
        columns.x.push_back(double(t));
    val shown = val::object();
    shown.set("legend", continuousComparisonWords().legend);
    shown.set("series", seriesToJs(columns, SeriesLook::Line, continuousSeriesColours()));
    shown.set("stopWords", continuousStopWords(twin));
    val dash = val::array();
    for (const double pixels : ContinuousDashPixels)
        dash.call<void>("push", pixels);
    shown.set("dash", dash);
    return shown;
}

val kindInfo(ChartKind kind)
{
    const ChartKindEntry entry = chartKindEntry(kind, ChartWindow::Large);
    val info = val::object();
    info.set("kind", std::string(chartKindName(kind)));
    // Shown in the reader's language; the copied data keeps the table's English titles.
    info.set("title", std::string(translate(entry.title)));
    info.set("listName", chartKindListName(kind));
    info.set("xTitle", std::string(translate(entry.xAxisTitle)));
    info.set("yTitle", std::string(translate(entry.yAxisTitle)));
    info.set("logNApplies", yIsN(entry));
    return info;
}

// The readout's lines of a point: the run's name, then "x = …", "y = …" and the step's other values.
std::vector<std::string> readoutLinesOf(const ChartSource& source, const ChartKindEntry& entry, const val& point,
                                        char separator)
{
    const std::vector<ChartRun> runs = runsOf(source, separator);
    const std::vector<SeriesSource> series = seriesOf(entry);
    const int run = int(numberProperty(point, "run"));
    const int index = int(numberProperty(point, "series"));
    const int row = int(numberProperty(point, "row"));
    if (run < 0 || run >= int(runs.size()) || index < 0 || index >= int(series.size()))
        throwError("RangeError", "no such point of the chart");
    std::vector<std::string> lines{fullName(runs[std::size_t(run)])};
    const auto step = stepReading(*runs[std::size_t(run)].store, row);
    if (!step) {
        lines.push_back("t = " + std::to_string(row));
        return lines;
    }
    for (std::string& line : readoutLines(series[std::size_t(index)].x, series[std::size_t(index)].y, *step, separator))
        lines.push_back(std::move(line));
    return lines;
}

ViewRange rangeOf(const val& range) { return {numberProperty(range, "min"), numberProperty(range, "max")}; }

val rangeToJs(ViewRange range)
{
    val object = val::object();
    object.set("min", range.lower);
    object.set("max", range.upper);
    return object;
}

// A view the chart cannot show leaves the range as it was, as the desktop's charts keep theirs.
val shown(ViewRange from, ViewRange wanted, bool logarithmic)
{
    return rangeToJs(usableRange(wanted, logarithmic) ? wanted : from);
}

val zoomed(const val& range, const val& fitted, double around, double notches, bool logarithmic)
{
    const ViewRange from = rangeOf(range);
    return shown(from, zoomedRange(from, rangeOf(fitted), around, notches, logarithmic), logarithmic);
}

val panned(const val& range, const val& fitted, double pixels, double length, bool logarithmic)
{
    const ViewRange from = rangeOf(range);
    return shown(from, pannedRange(from, rangeOf(fitted), pixels, length, logarithmic), logarithmic);
}

val fitToJs(const AxisFit& fit)
{
    val object = val::object();
    object.set("min", fit.lower);
    object.set("max", fit.upper);
    object.set("step", fit.step);
    return object;
}

AxisFit fitOf(const val& fit)
{
    return {numberProperty(fit, "min"), numberProperty(fit, "max"), numberProperty(fit, "step")};
}

// The run chart's axis fitted to its data (an empty extent: min > max), and its ticks' step.
val fittedAxis(double lowest, double highest, double length, bool vertical, bool logarithmic)
{
    return fitToJs(fitChartAxis(lowest, highest, length, vertical ? AxisDirection::Vertical : AxisDirection::Horizontal,
                                logarithmic));
}

val markerRoom(const val& range, double lowest, double highest, double length, bool logarithmic)
{
    const AxisRange widened = withMarkerRoom({numberProperty(range, "min"), numberProperty(range, "max")}, lowest,
                                             highest, length, MarkerRoom, logarithmic);
    return rangeToJs({widened.lower, widened.upper});
}

val axisTicks(const val& fit, int attempt, bool logarithmic)
{
    const std::vector<double> ticks = ticksTried(fitOf(fit), attempt, logarithmic);
    return numberArray(ticks.data(), ticks.size());
}

// Labels given as [centre, extent, centre, extent, …] in pixels, in the order of their ticks.
bool tickLabelsApart(const val& places)
{
    const std::vector<double> numbers = numbersOf(places);
    std::vector<LabelPlace> labels;
    for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
        labels.push_back({numbers[i], numbers[i + 1]});
    return labelsApart(labels);
}

val axisRules()
{
    val rules = val::object();
    rules.set("markerPixels", MarkerPixels);
    rules.set("tickAttempts", int(std::size(TickStepFactors)));
    return rules;
}

val chartKinds()
{
    val kinds = val::array();
    for (ChartKind kind : ChartCycle)
        kinds.call<void>("push", kindInfo(kind));
    return kinds;
}

val nextChartKind(const val& kind) { return val(std::string(chartKindName(nextInCycle(kindNamed(kind))))); }

} // namespace

val chartOf(const ChartSource& source, const val& kind, bool logarithmicY, char separator)
{
    const ChartKindEntry entry = entryOf(kind);
    const std::vector<SeriesSource> series = seriesOf(entry);
    const int keptCount = int(source.kept.runs().size());
    const ContinuousRun* twin = twinOf(source, entry);
    val runs = val::array();
    for (const ChartRun& run : runsOf(source, separator)) {
        std::vector<std::string> quantities;
        val drawn = val::array();
        for (std::size_t index = 0; index < series.size(); ++index) {
            if (series.size() == 2)
                quantities.push_back(quantityName(series[index].y));
            drawn.call<void>(
                "push",
                seriesToJs(run, int(index), series[index], columnsOf(*run.store, entry, series[index], logarithmicY)));
        }
        val shown = val::object();
        shown.set("run", run.run);
        shown.set("name", fullName(run));
        // Beside the twin alone, the run's line names its quantities, or the run where it has one.
        const std::string legend = legendLineText(quantities, keptCount > 0 ? run.names.legend : std::string());
        shown.set("legend", legend.empty() ? unnamedRunName() : legend);
        shown.set("series", drawn);
        runs.call<void>("push", shown);
    }
    val chart = kindInfo(kindNamed(kind));
    chart.set("legendShown", legendShown(keptCount, int(series.size())) || twin);
    if (twin)
        chart.set("continuous", twinToJs(*twin, logarithmicY));
    chart.set("runKept", source.current && source.kept.contains(*source.current));
    chart.set("pictureNote", source.current ? pictureParameterLine(*source.current, separator) : std::string());
    chart.set("keptCount", keptCount);
    chart.set("runs", runs);
    return chart;
}

val chartReadoutOf(const ChartSource& source, const val& kind, const val& point, char separator)
{
    val lines = val::array();
    for (const std::string& line : readoutLinesOf(source, entryOf(kind), point, separator))
        lines.call<void>("push", line);
    return lines;
}

std::string chartDescriptionOf(const ChartSource& source, const val& kind, const val& view, const val& mark,
                               char separator)
{
    const ChartKindEntry entry = entryOf(kind);
    const bool logarithmicY = view["logarithmicY"].isTrue();
    const Columns first = columnsOf(source.store, entry, entry.first, logarithmicY);
    ChartInWords words{entry.title,
                       {entry.xAxisTitle, numberProperty(view, "xMin"), numberProperty(view, "xMax"), false},
                       {entry.yAxisTitle, numberProperty(view, "yMin"), numberProperty(view, "yMax"), logarithmicY},
                       chartRowCount(source.store, entry),
                       first.x,
                       first.y,
                       {},
                       {}};
    for (const ChartRun& run : runsOf(source, separator))
        if (run.run > 0)
            words.keptRunNames.push_back(run.names.full);
    if (!mark.isNull() && !mark.isUndefined())
        words.marked = readoutLinesOf(source, entry, mark, separator);
    return chartDescription(words, separator);
}

std::string chartDataTextOf(const ChartSource& source, const val& kind, bool logarithmicY, char separator)
{
    const ChartKindEntry entry = entryOf(kind);
    ChartTable table{entry.xAxisTitle, entry.yAxisTitle, {}};
    for (const ChartRun& run : runsOf(source, separator)) {
        ChartTable::Run columns{dataName(run), {}};
        for (const SeriesSource& series : seriesOf(entry)) {
            Columns rows = columnsOf(*run.store, entry, series, logarithmicY);
            columns.series.push_back({std::move(rows.x), std::move(rows.y)});
        }
        table.runs.push_back(std::move(columns));
    }
    if (const ContinuousRun* twin = twinOf(source, entry))
        table.extraColumns.push_back({continuousComparisonWords().dataColumn, twinColumn(*twin, logarithmicY)});
    return chartDataText(table, separator);
}

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_charts)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("chartKinds", &chartKinds);
    function("nextChartKind", &nextChartKind);
    function("zoomedRange", &zoomed);
    function("pannedRange", &panned);
    function("fittedAxis", &fittedAxis);
    function("markerRoom", &markerRoom);
    function("axisTicks", &axisTicks);
    function("tickLabelsApart", &tickLabelsApart);
    function("axisRules", &axisRules);
}
