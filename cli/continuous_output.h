// The continuous-time model from tarnis-run: its trajectory at whole times, written as a run is, and
// its dynamics as keys or in words.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <iosfwd>

namespace tarnis::cli {

// A title line and "time","N(t)" (two decimals, or --digits), or with --tidy "time,N,r,n0,K,lag,steps".
// Where the trajectory stops early, the rows end there and `notes` says why.
void writeContinuous(std::ostream& out, const CommandLine& line, std::ostream& notes);

// dynamics --continuous: "key: value" lines, a tidy row, or the words with how the two models meet.
void writeContinuousDynamics(std::ostream& out, const CommandLine& line);

} // namespace tarnis::cli
