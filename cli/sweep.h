// A sweep: the model run for each value of r or of the lag, writing the steps that are kept as the
// data of a bifurcation diagram.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <iosfwd>

namespace tarnis::cli {

// Writes a header line and one line per kept step: r, lag, t, N(t), how the run ended, and the
// parameters that are the same in every line (N(0), K, --discard and --keep).
void writeSweep(std::ostream& out, const CommandLine& line);

} // namespace tarnis::cli
