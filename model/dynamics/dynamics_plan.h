// What the dynamics of a run are shown over: the grid of the stability map with the edges of its
// cells and the limits of linear theory along its lag axis, and the two requests of the bifurcation
// diagram (over r at the run's lag, over the lag at the run's r). Made from the run's parameters alone,
// so that the same run always gives the same pictures in every front end.
//
// The map's r reaches from well below r_m of its longest lag to past the r at which a population of its
// shortest lag dies out, on a logarithmic axis: r_c falls from 2 at lag 0 to about 0.08 at lag 20, and
// every lag needs its share of the height. Up to lag 20 the lag axis is linear, from 0 to 20 in halves.
// Beyond it the lag axis is logarithmic as well, the lag from 1 up: r_c ≈ π/(2T + 1) then runs across
// the map as a straight line, and the regimes lie in bands beside it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/linear_stability.h"
#include "model/dynamics/scan_cells.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tarnis {

namespace dynamics_plan {
inline constexpr int MapRates = 200;
inline constexpr int MapLags = 41;
inline constexpr int BifurcationRates = 800;
inline constexpr int MaxBifurcationLags = 801;
inline constexpr int Discard = 1000; // at least; longer lags settle more slowly
inline constexpr int Keep = 200;
inline constexpr double MaxRate = 10.0;        // far beyond it every run leaves the range at once
inline constexpr double LinearLagLimit = 20.0; // a run's lag beyond this gets a logarithmic lag axis
} // namespace dynamics_plan

struct DynamicsPlan {
    RunParameters run;
    // Whether the analysis covers the run's lag (at most MaxAnalysedLag). Beyond it no map or diagram
    // can show the run, and the plan holds none: the grids and requests are empty.
    bool analysed = true;
    // Which axes are on a logarithmic scale: the map's r (at every lag analysed), the map's lag (beyond
    // lag 20), and r in the diagram over r (beyond lag 20; up to it the diagram keeps the run's own range).
    bool logarithmicMapRates = false;
    bool logarithmicMapLags = false;
    bool logarithmicDiagramRates = false;
    ScanGrid map; // r up, the lag across, each value one that a box can hold as it is written
    // The edges of the map's cells: one more than its values, each between two neighbours (their
    // geometric mean on a logarithmic axis), the outer ones as far out as the inner ones.
    std::vector<double> lagEdges;
    std::vector<double> rateEdges;
    // r_m and r_c at each lag of the map; empty where the lag is beyond the analysis.
    std::vector<std::optional<StabilityLimits>> limits;
    BifurcationRequest overRate;              // at the run's lag, over r up to a little past its dying out
    BifurcationRequest overLag;               // at the run's r, every half lag of the map (fewer beyond 400)
    std::optional<StabilityLimits> runLimits; // of the run's lag
    std::optional<double> criticalLag;        // the first lag of overLag at which the run's r exceeds r_c
};

DynamicsPlan planDynamics(const RunParameters& run);

// The lines that the bifurcation diagram carries, with their names: over r, r_c and r_m of the run's
// lag (where the analysis has them) and the run's r; over the lag, the first lag at which the run's r
// is unstable (where there is one) and the run's lag.
enum class DiagramMarkKind { Critical, Monotone, Run };
struct DiagramMark {
    DiagramMarkKind kind;
    double value;
    std::string_view name;
};
std::vector<DiagramMark> diagramMarks(const RunParameters& run, BifurcationAxis axis,
                                      const std::optional<StabilityLimits>& runLimits,
                                      std::optional<double> criticalLag);

// The edges of cells centred on increasing values: see DynamicsPlan.
std::vector<double> cellEdges(const std::vector<double>& values, bool logarithmic);

// The smallest r at which a run with this N(0) and K dies out (or leaves the range) within a dozen
// oscillations of the lag, found on a ladder of ratio 1.25 from half the r_c of the lag up to 10 and
// narrowed to within 2 % of it; for N(0) = K, which never moves, a run started just below K. Empty when
// none does.
std::optional<double> dyingOutRate(double lag, double n0, double K);

} // namespace tarnis
