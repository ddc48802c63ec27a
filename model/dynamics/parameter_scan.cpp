// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/parameter_scan.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace tarnis {

namespace {

unsigned threadCount(const ScanControl& control, std::size_t items)
{
    const unsigned wanted = control.threads ? control.threads : std::max(1u, std::thread::hardware_concurrency());
    return unsigned(std::clamp<std::size_t>(items, 1, wanted));
}

// Runs compute(index, workspace) for every index below `count`, the threads taking the next index from
// a shared counter, so that a slow item holds up no other. compute returns false when it was cancelled;
// otherwise deliver(index) and the progress callback follow under one lock. True when every item was
// computed.
template <typename Compute, typename Deliver>
bool onEveryCore(std::size_t count, const ScanControl& control, Compute compute, Deliver deliver)
{
    std::atomic<std::size_t> next{0};
    std::mutex delivering;
    std::size_t done = 0;
    const auto work = [&] {
        RegimeWorkspace workspace;
        while (!cancelRequested(control.cancel)) {
            const std::size_t index = next.fetch_add(1, std::memory_order_relaxed);
            if (index >= count || !compute(index, workspace))
                return;
            const std::lock_guard lock(delivering);
            deliver(index);
            ++done;
            if (control.progress)
                control.progress(done, count);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < threadCount(control, count); ++i)
            helpers.emplace_back(work);
        work();
    }
    return done == count;
}

} // namespace

ScanResult scanGrid(const ScanGrid& grid, const ScanControl& control,
                    const std::function<void(const ScanCell&)>& cellDone)
{
    ScanResult result;
    result.cells.resize(grid.cellCount());
    const auto compute = [&](std::size_t index, RegimeWorkspace& workspace) {
        result.cells[index] = scanCell(grid, index, workspace, control.cancel);
        return result.cells[index] || !cancelRequested(control.cancel);
    };
    const auto deliver = [&](std::size_t index) {
        if (!cellDone || !result.cells[index])
            return;
        ScanCell cell = scanCellAt(grid, index);
        cell.report = *result.cells[index];
        cellDone(cell);
    };
    result.cancelled = !onEveryCore(grid.cellCount(), control, compute, deliver);
    return result;
}

BifurcationResult bifurcationData(const BifurcationRequest& request, const ScanControl& control,
                                  const std::function<void(std::size_t, const BifurcationColumn&)>& columnDone)
{
    BifurcationResult result;
    if (!acceptsBifurcation(request))
        return result;
    result.columns.resize(request.values.size());
    const auto compute = [&](std::size_t index, RegimeWorkspace& workspace) {
        result.columns[index] = bifurcationColumn(request, index, workspace, control.cancel);
        return !cancelRequested(control.cancel);
    };
    const auto deliver = [&](std::size_t index) {
        if (columnDone)
            columnDone(index, result.columns[index]);
    };
    result.cancelled = !onEveryCore(request.values.size(), control, compute, deliver);
    return result;
}

} // namespace tarnis
