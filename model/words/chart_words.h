// A run chart in words and rows, for every front end: the names of its runs (in full, and in the
// legend only what tells them apart), the legend's lines, the sentences that describe it to a screen
// reader, and the text of "Copy data".
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"

#include <optional>
#include <string>
#include <vector>

namespace tarnis {

// A run's names: in full, where the readout, the tool tip and the description name it, in the legend,
// where only what tells it from the other runs counts, and in English at the head of its copied data,
// which programs read.
struct ChartRunNames {
    std::string full;
    std::string legend;
    std::string data;
};

// The names of the run on show (first; empty names where there is none) and of the kept runs, in
// their order: "This run: r=0.2, N(0)=1, K=500, T=5, 200 steps" and "This run: T=5".
std::vector<ChartRunNames> chartRunNames(const std::optional<RunParameters>& current,
                                         const std::vector<RunParameters>& kept, char decimalSeparator);

// The line under the title of a saved picture of a chart, so that a picture pasted into a report still
// says what it shows: "r = 0.3, N(0) = 1, K = 500, T = 8", each number as its box shows it.
std::string pictureParameterLine(const RunParameters& run, char separator);

// The name of the run on show where it has none: "This run".
std::string unnamedRunName();

// Whether a chart shows its legend: while there are kept runs, or where it has two series.
bool legendShown(int keptRuns, int seriesCount);

// A legend's line: the names of the run's quantities where the chart has two series, then the run's
// legend name where there are kept runs: "N(t), dN(t), This run: T=8".
std::string legendLineText(const std::vector<std::string>& quantityNames, const std::string& runName);

// An axis as the description tells it.
struct AxisInWords {
    std::string title;
    double lower = 0.0;
    double upper = 0.0;
    bool logarithmic = false;
};

// What a chart shows, as its description tells it.
struct ChartInWords {
    std::string title; // empty: no chart drawn yet
    AxisInWords x;
    AxisInWords y;
    int rowCount = 0;
    std::vector<double> firstX; // the chart's first series, for its last point with a value
    std::vector<double> firstY;
    std::vector<std::string> keptRunNames;
    std::vector<std::string> marked; // the readout's lines of a point marked by the keys; none: none marked
};

// "Curve of N(t) vs. time. Vertical axis: N(t) from 0 to 500. Horizontal axis: Time from 0 to 200. 201
// points, the last at Time = 200, N(t) = 499.937. Shown with 1 kept run: …. Marked: …." Numbers to six
// significant digits, as the axes label them, with the given decimal separator.
std::string chartDescription(const ChartInWords& chart, char decimalSeparator);

// The rows of a chart as "Copy data" gives them: the columns of the run on show, then those of each
// kept run, each run a pair of x and y columns a series.
struct ChartTable {
    std::string xTitle;
    std::string yTitle;
    struct Series {
        std::vector<double> x;
        std::vector<double> y;
    };
    struct Run {
        std::string name; // in full
        std::vector<Series> series;
    };
    std::vector<Run> runs; // the run on show first
    // Columns after the runs', one value a row under a title of its own: the continuous-time twin's
    // N(t), whose rows are the times of the run on show's.
    struct Column {
        std::string title;
        std::vector<double> values;
    };
    std::vector<Column> extraColumns;
};

// A header line with the axis titles (where two series share the y axis its title names both, "N and
// dN", and each column takes its own part; with kept runs each title names its run) and the extra
// columns' titles, then one line a row, tab-separated, LF after every line. Each number with every digit it needs to be
// read back exactly and the given separator; no value (NaN) and a row a shorter column lacks are empty cells.
std::string chartDataText(const ChartTable& table, char decimalSeparator);

// The tab-separated text of a table for a spreadsheet: the header line, then one line per row, LF
// after every line.
std::string tableText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);

// A number as "Copy data" writes it: the shortest text that reads back to it, its point the given
// separator; empty for NaN.
std::string exactNumberText(double value, char decimalSeparator);

} // namespace tarnis
