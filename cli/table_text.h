// How tarnis-run writes the values and lines of its tables. By default as it always has: every line
// ends in CR LF, as the file that the window saves does. With --tidy every line ends in LF alone, the
// plain end that R's read.csv, pandas and the shell's tools all take, and every value is exact.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <string>

namespace tarnis::cli {

// The shortest text that reads back as the same double ("-inf" for minus infinity).
std::string exactText(double value);

// The same for a value of a run's step, empty where the step has none (where the run left the range
// of doubles), as the saved file leaves it.
std::string exactStepText(double value);

inline constexpr const char* TidyLineEnd = "\n";

// "\r\n", or TidyLineEnd for --tidy.
const char* lineEnd(const CommandLine& line);

} // namespace tarnis::cli
