// The last run in words a student understands: what the population does in the long run, with its
// numbers, and what linear theory says of the run's lag (below r_m no overshoot, below r_c the
// oscillations die down). Every regime has its own wording. Numbers follow the user's locale.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameter_scan.h"
#include "model/run_regime.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarnis {

struct RunWords {
    QString headline;  // the regime, "Sustained oscillations"
    QString sentences; // what the population does, then what the lag allows
};

// `report` is the run's regime; empty when the lag is beyond what the analysis covers.
RunWords runInWords(const RunParameters& run, const std::optional<RegimeReport>& report);

// While the regime is being worked out, and before the first run.
RunWords workingWords(const RunParameters& run);
RunWords noRunWords();

// One line for a cell of the stability map under the pointer: its T and r, its regime and the numbers
// that go with it. No report: the cell is still being computed.
QString cellInWords(double r, double lag, const RegimeReport* report, double K);

// One line for a column of the bifurcation diagram: its r (or T), the exponent, and how a run that
// ended early ended. No column: still being computed.
QString columnInWords(BifurcationAxis axis, double value, const BifurcationColumn* column, double K);

// The run's numbers as name and value rows, every value exact with the given decimal separator and
// empty where it does not apply: r, N(0), K, T, regime, period, Lyapunov exponent, smallest and
// largest N, the step of the end, r_m and r_c.
QList<QStringList> runFacts(const RunParameters& run, const std::optional<RegimeReport>& report,
                            QChar decimalSeparator);

} // namespace tarnis
