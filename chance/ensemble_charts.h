// The two charts of an ensemble: the fan chart of N(t) (the 5–95 % and 25–75 % bands of the runs as
// filled areas, their median as a line and the run without chance over them) and the survival curve,
// with the model's titles, axes and legend; and their curves as the text "Copy data" gives. They draw
// what the model computed and compute nothing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <string>
#include <vector>

class QCustomPlot;

namespace tarnis {

// What an ensemble's charts show, for t = 0 … steps.
struct EnsembleCurves {
    std::vector<double> survival;
    std::vector<std::array<double, 5>> bands; // N(t) at each of BandShares
    std::vector<double> deterministic;        // the run without chance; it may end early
    std::string bandsNote;                    // under the fan chart's title: the runs the bands come from
};

QCustomPlot* makeFanChart();
QCustomPlot* makeSurvivalChart();
// The curves drawn anew (none: the charts empty), the axes fitted to them.
void showFan(QCustomPlot& chart, const EnsembleCurves* curves);
void showSurvival(QCustomPlot& chart, const EnsembleCurves* curves);

// The header of ensembleDataColumns, then a line per t; empty without curves.
QString ensembleDataText(const EnsembleCurves* curves, QChar decimalSeparator);

} // namespace tarnis
