// What the dynamics window computes for a run: the grid of the stability map with the limits of
// linear theory along its lag axis, and the two requests of the bifurcation diagram (over r at the
// run's lag, over the lag at the run's r). Made from the run's parameters alone, so that the same run
// always gives the same pictures.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/linear_stability.h"
#include "model/parameter_scan.h"

#include <optional>
#include <vector>

namespace tarnis {

namespace dynamics_plan {
inline constexpr int MapRates = 200;
inline constexpr int MapLags = 41;
inline constexpr int BifurcationRates = 800;
inline constexpr int MaxBifurcationLags = 801;
inline constexpr int Discard = 1000; // at least; longer lags settle more slowly
inline constexpr int Keep = 200;
inline constexpr double MaxRate = 10.0; // far beyond it every run leaves the range at once
} // namespace dynamics_plan

struct DynamicsPlan {
    RunParameters run;
    double rateTop = 1.0; // r runs from 0 to here on every axis of r
    double lagTop = 20.0; // the lag from 0 to here
    ScanGrid map;         // r from rateTop/200 up to rateTop, the lag from 0 to lagTop
    // r_m and r_c at each lag of the map; empty where the lag is beyond the analysis.
    std::vector<std::optional<StabilityLimits>> limits;
    BifurcationRequest overRate;              // at the run's lag, the same range of r as the map
    BifurcationRequest overLag;               // at the run's r, every half lag up to lagTop (fewer beyond 400)
    std::optional<StabilityLimits> runLimits; // of the run's lag
    std::optional<double> criticalLag;        // the first lag of overLag at which the run's r exceeds r_c
};

// r's range reaches past the run's r and past 1.5 times the r_c of its lag, so that the run and the
// onset of oscillations both show, rounded up to a half and at most MaxRate; the lag's reaches 20, or
// the next multiple of 20 above the run's lag, up to the longest lag analysed.
DynamicsPlan planDynamics(const RunParameters& run);

} // namespace tarnis
