// Many runs at once, on every core: the regime of each cell of a grid of r and lag (the data of a
// regime map), and the kept values of N for a list of r or of lags (the data of a bifurcation
// diagram). Both can be cancelled, report their progress and hand over each result as it is ready.
// The threads are the desktop's: a build without them (WebAssembly) computes the items of
// scan_cells.h itself.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/scan_cells.h"

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

struct ScanResult {
    bool cancelled = false;
    // r-major; empty for a cell not computed (cancelled) or whose parameters runRegime refuses.
    std::vector<std::optional<RegimeReport>> cells;
};

// Each cell's regime (as runRegime gives it) on `control.threads` threads taking cells in r-major
// order. `cellDone` receives every computed cell as soon as it is finished, in no fixed order.
ScanResult scanGrid(const ScanGrid& grid, const ScanControl& control = {},
                    const std::function<void(const ScanCell&)>& cellDone = {});

struct BifurcationResult {
    bool cancelled = false;
    std::vector<BifurcationColumn> columns; // in the order of the values; left default when cancelled
};

// The columns of a bifurcation diagram; `columnDone` receives each (with its index) as soon as it is
// finished. Refused outright (no columns) when D < 0, M < 1 or D + M > MaxBifurcationSteps.
BifurcationResult bifurcationData(const BifurcationRequest& request, const ScanControl& control = {},
                                  const std::function<void(std::size_t, const BifurcationColumn&)>& columnDone = {});

} // namespace tarnis
