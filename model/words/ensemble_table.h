// An ensemble's curves as a CSV table, the one form in which tarnis-run ensemble --summary writes them
// and both front ends save them: a title line in words (the ensemble's sentence, and which runs the
// bands come from when not all), then time, survival, N_5 … N_95, a line for each t, every value the
// shortest text that reads back as the same double ("inf" for a band above every double).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/ensemble.h"

#include <string>
#include <string_view>

namespace tarnis {

struct EnsembleTable {
    const ExtinctionSummary& summary;
    int steps = 0;
    const std::vector<double>& survival;             // t = 0 … steps
    const std::vector<std::array<double, 5>>& bands; // at each of BandShares, t = 0 … steps
};

// Without `titled` the table starts at its header (tarnis-run's --tidy). Each line ends in `lineEnd`.
std::string ensembleTableText(const EnsembleTable& table, bool titled, std::string_view lineEnd);

// The title line, in quotes, without its end.
std::string ensembleTableTitle(const ExtinctionSummary& summary, int steps);

} // namespace tarnis
