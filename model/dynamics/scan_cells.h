// The items of a scan, each computed on its own: the regime of one cell of a grid of r and lag (the
// data of a regime map), and the kept values of N for one value of r or of the lag (a column of a
// bifurcation diagram). Plain functions without threads: the desktop's scans run them on every core
// (parameter_scan.h), a page's workers in slices between two looks at whether to stop.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/run_regime.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <vector>

namespace tarnis {

// A grid of r and lag at fixed N(0) and K. Cells are numbered r-major: rateIndex · lags.size() + lagIndex.
struct ScanGrid {
    std::vector<double> rates;
    std::vector<double> lags;
    double n0 = 1.0;
    double K = 500.0;

    std::size_t cellCount() const { return rates.size() * lags.size(); }
};

struct ScanCell {
    std::size_t rateIndex = 0;
    std::size_t lagIndex = 0;
    double r = 0.0;
    double lag = 0.0;
    RegimeReport report;
};

// The place of cell `index` in the grid (its report left default).
ScanCell scanCellAt(const ScanGrid& grid, std::size_t index);

// The regime of cell `index`, as runRegime gives it: empty for parameters it refuses or when cancelled.
std::optional<RegimeReport> scanCell(const ScanGrid& grid, std::size_t index, RegimeWorkspace& workspace,
                                     const std::atomic<bool>* cancel = nullptr);

// The cells from `first` on, at most `count` of them and none beyond the grid.
std::vector<std::optional<RegimeReport>> scanSlice(const ScanGrid& grid, std::size_t first, std::size_t count,
                                                   RegimeWorkspace& workspace);

enum class BifurcationAxis { Rate, Lag };

// Runs of the model for each value of r (or of the lag), the other parameters fixed.
struct BifurcationRequest {
    RunParameters parameters; // the fixed ones; steps are ignored
    BifurcationAxis axis = BifurcationAxis::Rate;
    std::vector<double> values;
    int discard = 1000; // D: the steps t < D are left out, so that the transient does not show
    int keep = 200;     // M: the values N(D) to N(D + M − 1) are kept
};

inline constexpr int MaxBifurcationSteps = 1'000'000; // D + M at most

// D >= 0, M >= 1 and D + M <= MaxBifurcationSteps.
bool acceptsBifurcation(const BifurcationRequest& request);

struct BifurcationColumn {
    double value = 0.0;             // the r or the lag of this run
    int firstStep = 0;              // the step of N.front()
    std::vector<double> N;          // the kept values; for a run that ended before D, only its last value
    RunEnd end = RunEnd::Completed; // Completed, DiedOut, LeftRange; Refused for parameters the run refuses
    int lastStep = 0;               // the last step computed (see Trajectory)
    std::optional<double> lyapunov; // over the kept steps, when the run went through them and M >= 2
};

// The column of `request.values[index]` for a request that acceptsBifurcation; without values when
// cancelled.
BifurcationColumn bifurcationColumn(const BifurcationRequest& request, std::size_t index, RegimeWorkspace& workspace,
                                    const std::atomic<bool>* cancel = nullptr);

// The columns from `first` on, at most `count` of them and none beyond the values; none for a request
// that acceptsBifurcation refuses.
std::vector<BifurcationColumn> bifurcationSlice(const BifurcationRequest& request, std::size_t first,
                                                std::size_t count, RegimeWorkspace& workspace);

} // namespace tarnis
