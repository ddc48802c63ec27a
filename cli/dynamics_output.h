// The answers of tarnis-run dynamics, stability and scan: the regime of one run with the limits of its
// lag, the limits of a range of lags, and the regimes of a grid of r and lag. Numbers are written in
// the shortest form that reads back exactly; a value that does not apply is left empty. The tables end
// their lines as table_text.h says.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <cstddef>
#include <functional>
#include <iosfwd>

namespace tarnis::cli {

// One "key: value" line for each of regime, r_monotone, r_stable, period, lyapunov, n_min, n_max,
// end_step, still_approaching, steps and disturbed; with --tidy a CSV of those keys and the run's r,
// lag, n0 and K, with one row of values; with --words the headline and the sentences that the
// Dynamics window shows, each on a line of its own.
void writeDynamics(std::ostream& out, const CommandLine& line);

// CSV: lag, r_monotone, r_stable, onset_period; one row per lag.
void writeStability(std::ostream& out, const CommandLine& line);

// CSV: r, lag, regime, period, lyapunov, n_min, n_max, end_step, still_approaching, steps, disturbed,
// n0, K; one row per cell in r-major order, computed on every core. `progress` hears of every finished cell.
void writeScan(std::ostream& out, const CommandLine& line,
               const std::function<void(std::size_t done, std::size_t total)>& progress = {});

} // namespace tarnis::cli
