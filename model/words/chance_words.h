// An ensemble in words, as every front end says it: "Of 1000 runs, 312 (29–34 %) died out by
// t = 200; half of those by t = 87."
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/ensemble.h"

#include <string>

namespace tarnis {

std::string ensembleWords(const ExtinctionSummary& summary, int steps, char separator);

} // namespace tarnis
