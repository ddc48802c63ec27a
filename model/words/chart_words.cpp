// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/chart_words.h"

#include "model/language/catalog.h"
#include "model/numbers/conversions.h"
#include "model/numbers/decimal_digits.h"
#include "model/run/kept_runs.h"
#include "model/words/quantity_text.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

// Numbers as the axes label them.
std::string axisNumber(double value, char separator) { return numberToText(value, separator, 6); }

// A title in the language on show, whether the caller took it from the kinds' English table or shows
// it translated already.
std::string shownTitle(const std::string& title) { return std::string(translate(title)); }

std::string axisText(const AxisInWords& axis, char separator)
{
    // TRANSLATORS: an axis of a chart, for screen readers: "Time from 0 to 200".
    return fill(axis.logarithmic ? translate("{axis} from {lower} to {upper} on a logarithmic scale")
                                 : translate("{axis} from {lower} to {upper}"),
                {{"axis", shownTitle(axis.title)},
                 {"lower", axisNumber(axis.lower, separator)},
                 {"upper", axisNumber(axis.upper, separator)}});
}

// The last row of the chart's first series that has a value, as "x = …, y = …".
std::string lastPointText(const ChartInWords& chart, char separator)
{
    const std::size_t rows = std::min(chart.firstX.size(), chart.firstY.size());
    for (std::size_t row = rows; row-- > 0;) {
        const double x = chart.firstX[row], y = chart.firstY[row];
        if (std::isfinite(x) && std::isfinite(y))
            // TRANSLATORS: the last point of a chart, {x} and {y} the axes' titles: "the last at Time = 200,
            // N(t) = 500".
            return fill(translate("the last at {x} = {xvalue}, {y} = {yvalue}"),
                        {{"x", shownTitle(chart.x.title)},
                         {"xvalue", axisNumber(x, separator)},
                         {"y", shownTitle(chart.y.title)},
                         {"yvalue", axisNumber(y, separator)}});
    }
    return std::string(translate("none with a value"));
}

std::string joined(const std::vector<std::string>& parts, const std::string& between)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : between) + part;
    return text;
}

// The x and y titles of each series. Where two series share the y axis its title names both, "N and
// dN", and each column takes its own part.
std::vector<std::string> columnTitles(const ChartTable& table, std::size_t seriesCount)
{
    if (seriesCount != 2)
        return {table.xTitle, table.yTitle};
    const std::string between = " and ";
    const std::size_t at = table.yTitle.find(between);
    if (at == std::string::npos || table.yTitle.find(between, at + 1) != std::string::npos)
        return {table.xTitle, table.yTitle + " (1)", table.xTitle, table.yTitle + " (2)"};
    return {table.xTitle, table.yTitle.substr(0, at), table.xTitle, table.yTitle.substr(at + between.size())};
}

} // namespace

std::vector<ChartRunNames> chartRunNames(const std::optional<RunParameters>& current,
                                         const std::vector<RunParameters>& kept, char decimalSeparator)
{
    std::vector<RunParameters> runs;
    if (current)
        runs.push_back(*current);
    runs.insert(runs.end(), kept.begin(), kept.end());
    const std::vector<std::string> shortLabels = legendLabels(runs, decimalSeparator);
    std::vector<ChartRunNames> names;
    if (!current)
        names.push_back({});
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const bool onShow = current && run == 0;
        const std::string data = runLabel(runs[run], decimalSeparator);
        const std::string full = shownRunLabel(runs[run], decimalSeparator);
        // TRANSLATORS: the run on show among kept runs; {run} names it, "T=8" or all its parameters.
        const auto thisRun = [](const std::string& run) { return fill(translate("This run: {run}"), {{"run", run}}); };
        names.push_back({onShow ? thisRun(full) : full, onShow ? thisRun(shortLabels[run]) : shortLabels[run],
                         onShow ? std::string("This run: ").append(data) : data});
    }
    return names;
}

std::string pictureParameterLine(const RunParameters& run, char separator)
{
    const auto number = [separator](double value) { return quantity_text::parameter(value, separator); };
    return "r = " + number(run.r) + ", N(0) = " + number(run.n0) + ", K = " + number(run.K)
        + ", T = " + number(run.lag);
}

std::string unnamedRunName() { return std::string(catalogText("This run")); }

bool legendShown(int keptRuns, int seriesCount) { return keptRuns > 0 || seriesCount == 2; }

std::string legendLineText(const std::vector<std::string>& quantityNames, const std::string& runName)
{
    std::vector<std::string> parts;
    for (const std::string& name : quantityNames)
        if (!name.empty())
            parts.push_back(name);
    if (!runName.empty())
        parts.push_back(runName);
    return joined(parts, ", ");
}

std::string chartDescription(const ChartInWords& chart, char decimalSeparator)
{
    if (chart.title.empty())
        return std::string(translate("No chart drawn yet."));
    // TRANSLATORS: a chart for screen readers: its title, its axes ("N(t) from 0 to 600"), how many points
    // it has and its last point ("the last at Time = 200, N(t) = 500").
    std::string text = fill(translate("{title}. Vertical axis: {vertical}. Horizontal axis: {horizontal}. {count} "
                                      "points, {last}."),
                            {{"title", shownTitle(chart.title)},
                             {"vertical", axisText(chart.y, decimalSeparator)},
                             {"horizontal", axisText(chart.x, decimalSeparator)},
                             {"count", std::to_string(chart.rowCount)},
                             {"last", lastPointText(chart, decimalSeparator)}});
    if (const std::size_t kept = chart.keptRunNames.size(); kept > 0)
        // TRANSLATORS: {names} are the kept runs' names, "r=0.2, N(0)=1, K=500, T=5, 200 steps; …".
        text += ' '
            + fill(translatePlural("Shown with {count} kept run: {names}.", "Shown with {count} kept runs: {names}.",
                                   kept),
                   {{"count", std::to_string(kept)}, {"names", joined(chart.keptRunNames, "; ")}});
    if (!chart.marked.empty())
        // TRANSLATORS: {point} is the readout of the point marked by the keys, "t = 12, N(t) = 498.2".
        text += ' ' + fill(translate("Marked: {point}."), {{"point", joined(chart.marked, ", ")}});
    return text;
}

std::string exactNumberText(double value, char decimalSeparator)
{
    if (std::isnan(value))
        return {};
    std::string text = decimal::shortestForm(decimal::buildPath(), value);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

std::string tableText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows)
{
    std::string text = joined(header, "\t") + '\n';
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t cell = 0; cell < row.size(); ++cell)
            text += (cell > 0 ? "\t" : "") + row[cell];
        text += '\n';
    }
    return text;
}

std::string chartDataText(const ChartTable& table, char decimalSeparator)
{
    const std::size_t seriesCount = table.runs.empty() ? 1 : table.runs.front().series.size();
    std::vector<std::string> titles;
    std::vector<const std::vector<double>*> columns;
    for (const ChartTable::Run& run : table.runs) {
        for (const std::string& title : columnTitles(table, seriesCount))
            titles.push_back(table.runs.size() > 1 ? title + " (" + run.name + ')' : title);
        for (const ChartTable::Series& series : run.series) {
            columns.push_back(&series.x);
            columns.push_back(&series.y);
        }
    }
    for (const ChartTable::Column& extra : table.extraColumns) {
        titles.push_back(extra.title);
        columns.push_back(&extra.values);
    }
    std::size_t rowCount = 0;
    for (const std::vector<double>* column : columns)
        rowCount = std::max(rowCount, column->size());
    std::vector<std::vector<std::string>> rows(rowCount, std::vector<std::string>(columns.size()));
    for (std::size_t row = 0; row < rowCount; ++row)
        for (std::size_t column = 0; column < columns.size(); ++column)
            if (row < columns[column]->size())
                rows[row][column] = exactNumberText((*columns[column])[row], decimalSeparator);
    return tableText(titles, rows);
}

} // namespace tarnis
