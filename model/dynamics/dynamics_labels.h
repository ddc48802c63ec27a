// The labels of the stability map and the bifurcation diagram, in every front end: the axes' titles,
// the names of the curves and marks, the legend's entries beside the regimes' own words.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/run_regime.h"

#include <string>
#include <string_view>

namespace tarnis {

struct DynamicsLabels {
    std::string_view lagAxis = "Time lag T";
    std::string_view rateAxis = "Intrinsic rate r";
    std::string_view exponentAxis = "Lyapunov exponent";
    std::string_view stableCurve = "r_c: stable below";       // the map's legend
    std::string_view monotoneCurve = "r_m: no overshoot below";
    std::string_view stableMark = "r_c";                      // beside the curve or the mark
    std::string_view monotoneMark = "r_m";
    std::string_view criticalLagMark = "r > r_c";             // over the lag: where the run's r is unstable
    std::string_view runOnMap = "the last run";
    std::string_view runMark = "this run";
    std::string_view notComputed = "still being computed";
};
inline constexpr DynamicsLabels Labels{};

// A regime's name in the legend, where a colour needs no more than this to be told apart.
inline std::string_view legendName(Regime regime)
{
    return regime == Regime::UnstableEquilibrium ? "unstable equilibrium" : regimeText(regime);
}

// The diagram's axis of N: "N(t), t = 1000 to 1199".
inline std::string keptValuesAxis(int discard, int keep)
{
    return "N(t), t = " + std::to_string(discard) + " to " + std::to_string(discard + keep - 1);
}

} // namespace tarnis
