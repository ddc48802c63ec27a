// Many runs at once, on every core: the regime of each cell of a grid of r and lag (the data of a
// regime map), and the kept values of N for a list of r or of lags (the data of a bifurcation
// diagram). Both can be cancelled, report their progress and hand over each result as it is ready.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run_regime.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace tarnis {

// How a caller steers a scan. The callbacks run on the worker threads, but never two at a time, so
// they need no lock of their own; they should be quick (a window posts the result to its own thread)
// and must not throw.
struct ScanControl {
    const std::atomic<bool>* cancel = nullptr; // set it to stop: no new cell starts, and cells under way
                                               // stop within a few thousand steps
    std::function<void(std::size_t done, std::size_t total)> progress; // after each finished item
    unsigned threads = 0;                                              // 0: one per core
};

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

struct ScanResult {
    bool cancelled = false;
    // r-major; empty for a cell not computed (cancelled) or whose parameters runRegime refuses.
    std::vector<std::optional<RegimeReport>> cells;
};

// Each cell's regime (as runRegime gives it) on `control.threads` threads taking cells in r-major
// order. `cellDone` receives every computed cell as soon as it is finished, in no fixed order.
ScanResult scanGrid(const ScanGrid& grid, const ScanControl& control = {},
                    const std::function<void(const ScanCell&)>& cellDone = {});

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

struct BifurcationColumn {
    double value = 0.0;             // the r or the lag of this run
    int firstStep = 0;              // the step of N.front()
    std::vector<double> N;          // the kept values; for a run that ended before D, only its last value
    RunEnd end = RunEnd::Completed; // Completed, DiedOut, LeftRange; Refused for parameters the run refuses
    int lastStep = 0;               // the last step computed (see Trajectory)
    std::optional<double> lyapunov; // over the kept steps, when the run went through them and M >= 2
};

struct BifurcationResult {
    bool cancelled = false;
    std::vector<BifurcationColumn> columns; // in the order of the values; left default when cancelled
};

// The columns of a bifurcation diagram; `columnDone` receives each (with its index) as soon as it is
// finished. Refused outright (no columns) when D < 0, M < 1 or D + M > MaxBifurcationSteps.
BifurcationResult bifurcationData(const BifurcationRequest& request, const ScanControl& control = {},
                                  const std::function<void(std::size_t, const BifurcationColumn&)>& columnDone = {});

} // namespace tarnis
