// The labels of the stability map and the bifurcation diagram, in every front end: the axes' titles,
// the names of the curves and marks, the legend's entries beside the regimes' own words.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/run_regime.h"
#include "model/language/catalog.h"

#include <string>
#include <string_view>

namespace tarnis {

// A label as people read it, in the language on show wherever it is taken as text; its English stays
// at hand for what programs read (the headers of copied data).
struct ShownLabel {
    std::string_view english;
    operator std::string_view() const { return translate(english); }
};

struct DynamicsLabels {
    ShownLabel lagAxis{catalogText("Time lag T")};
    ShownLabel rateAxis{catalogText("Intrinsic rate r")};
    ShownLabel exponentAxis{catalogText("Lyapunov exponent")};
    // TRANSLATORS: the map's legend of the curves r_c and r_m: keep the symbols r_c and r_m as they are.
    ShownLabel stableCurve{catalogText("r_c: stable below")};
    ShownLabel monotoneCurve{catalogText("r_m: no overshoot below")};
    ShownLabel stableMark{"r_c"}; // symbols, beside the curve or the mark
    ShownLabel monotoneMark{"r_m"};
    ShownLabel criticalLagMark{"r > r_c"}; // over the lag: where the run's r is unstable
    // TRANSLATORS: the last run's place on the stability map, in its legend.
    ShownLabel runOnMap{catalogText("the last run")};
    // TRANSLATORS: the mark of the run's r or T on the bifurcation diagram.
    ShownLabel runMark{catalogText("this run")};
    // TRANSLATORS: the legend's entry for cells of the stability map not yet computed.
    ShownLabel notComputed{catalogText("still being computed")};
};
inline constexpr DynamicsLabels Labels{};

// A regime's name in the legend, where a colour needs no more than this to be told apart.
inline std::string_view legendName(Regime regime)
{
    return translate(regime == Regime::UnstableEquilibrium ? catalogText("unstable equilibrium") : regimeText(regime));
}

// The diagram's axis of N: "N(t), t = 1000 to 1199".
inline std::string keptValuesAxis(int discard, int keep)
{
    return fill(translate("N(t), t = {first} to {last}"),
                {{"first", std::to_string(discard)}, {"last", std::to_string(discard + keep - 1)}});
}

} // namespace tarnis
