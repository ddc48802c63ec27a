// --setup FILE: the run of a set-up file, read with the boxes' rules as the desktop opens it. The chart,
// the kept runs and the diagram's axis are the windows' and mean nothing to a table.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"

#include <string>
#include <variant>
#include <vector>

namespace tarnis::cli {

struct SetupRun {
    RunParameters parameters;
    std::vector<std::string> notes; // what was refused or left aside, in the model's sentences
};

// The set-up's run, or the sentence that refuses the file: it cannot be read, it is no set-up or one
// from a newer Tarnis, or the run refuses its values.
std::variant<SetupRun, std::string> readSetupRun(const std::string& fileName);

} // namespace tarnis::cli
