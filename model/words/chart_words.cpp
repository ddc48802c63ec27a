// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/chart_words.h"

#include "model/numbers/conversions.h"
#include "model/numbers/decimal_digits.h"
#include "model/run/kept_runs.h"
#include "model/words/quantity_text.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

const std::string OnShow = "This run: ";

// Numbers as the axes label them.
std::string axisNumber(double value, char separator) { return numberToText(value, separator, 6); }

std::string axisText(const AxisInWords& axis, char separator)
{
    return axis.title + " from " + axisNumber(axis.lower, separator) + " to " + axisNumber(axis.upper, separator)
        + (axis.logarithmic ? " on a logarithmic scale" : "");
}

// The last row of the chart's first series that has a value, as "x = …, y = …".
std::string lastPointText(const ChartInWords& chart, char separator)
{
    const std::size_t rows = std::min(chart.firstX.size(), chart.firstY.size());
    for (std::size_t row = rows; row-- > 0;) {
        const double x = chart.firstX[row], y = chart.firstY[row];
        if (std::isfinite(x) && std::isfinite(y))
            return "the last at " + chart.x.title + " = " + axisNumber(x, separator) + ", " + chart.y.title + " = "
                + axisNumber(y, separator);
    }
    return "none with a value";
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
        const std::string prefix = current && run == 0 ? OnShow : std::string();
        names.push_back({prefix + runLabel(runs[run], decimalSeparator), prefix + shortLabels[run]});
    }
    return names;
}

std::string pictureParameterLine(const RunParameters& run, char separator)
{
    const auto number = [separator](double value) { return quantity_text::parameter(value, separator); };
    return "r = " + number(run.r) + ", N(0) = " + number(run.n0) + ", K = " + number(run.K)
        + ", T = " + number(run.lag);
}

std::string unnamedRunName() { return "This run"; }

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
        return "No chart drawn yet.";
    std::string text = chart.title + ". Vertical axis: " + axisText(chart.y, decimalSeparator)
        + ". Horizontal axis: " + axisText(chart.x, decimalSeparator) + ". " + std::to_string(chart.rowCount)
        + " points, " + lastPointText(chart, decimalSeparator) + '.';
    if (const std::size_t kept = chart.keptRunNames.size(); kept > 0)
        text += " Shown with " + std::to_string(kept) + " kept " + (kept == 1 ? "run" : "runs") + ": "
            + joined(chart.keptRunNames, "; ") + '.';
    if (!chart.marked.empty())
        text += " Marked: " + joined(chart.marked, ", ") + '.';
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
