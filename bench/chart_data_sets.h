// The runs that the benchmarks measure: the defaults (a smooth approach to K) and a chaotic run whose
// phase-plane lines cross the whole plot, each at three lengths.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"

#include <array>

namespace tarnis::bench {

enum class DataSet { Defaults, Chaotic };

inline constexpr std::array StepCounts{200, 2000, 9999};

inline RunParameters parametersFor(DataSet set, int steps)
{
    if (set == DataSet::Chaotic)
        return {2.7, 100.0, std::int16_t(steps), 2.0, 0.0};
    return {0.2, 500.0, std::int16_t(steps), 1.0, 5.0};
}

inline const char* dataSetName(DataSet set) { return set == DataSet::Chaotic ? "chaotic" : "defaults"; }

} // namespace tarnis::bench
