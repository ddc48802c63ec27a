// A single run as tarnis-run writes it: the file that the window's "S" saves (with --digits, every
// value to that many digits), or with --tidy a plain table of its steps for R and pandas.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <iosfwd>

namespace tarnis::cli {

// The saved file's text; with --tidy the header "time,N,dN,dN_per_N,r,n0,K,lag,steps" and a line per
// step, each value exact.
void writeRun(std::ostream& out, const CommandLine& line);

} // namespace tarnis::cli
