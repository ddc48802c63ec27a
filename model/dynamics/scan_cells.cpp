// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/scan_cells.h"

#include "model/dynamics/lyapunov.h"

#include <algorithm>

namespace tarnis {

namespace {

// The indices of a slice: from `first`, `count` of them, within `size`.
std::size_t sliceEnd(std::size_t first, std::size_t count, std::size_t size)
{
    return first >= size ? first : first + std::min(count, size - first);
}

} // namespace

ScanCell scanCellAt(const ScanGrid& grid, std::size_t index)
{
    const std::size_t lagCount = grid.lags.size();
    return ScanCell{index / lagCount, index % lagCount, grid.rates[index / lagCount], grid.lags[index % lagCount]};
}

std::optional<RegimeReport> scanCell(const ScanGrid& grid, std::size_t index, RegimeWorkspace& workspace,
                                     const std::atomic<bool>* cancel)
{
    const ScanCell cell = scanCellAt(grid, index);
    return runRegime({cell.r, grid.K, 0, grid.n0, cell.lag}, workspace, cancel);
}

std::vector<std::optional<RegimeReport>> scanSlice(const ScanGrid& grid, std::size_t first, std::size_t count,
                                                   RegimeWorkspace& workspace)
{
    std::vector<std::optional<RegimeReport>> reports;
    for (std::size_t index = first; index < sliceEnd(first, count, grid.cellCount()); ++index)
        reports.push_back(scanCell(grid, index, workspace));
    return reports;
}

bool acceptsBifurcation(const BifurcationRequest& request)
{
    return request.discard >= 0 && request.keep >= 1 && request.discard <= MaxBifurcationSteps - request.keep;
}

BifurcationColumn bifurcationColumn(const BifurcationRequest& request, std::size_t index, RegimeWorkspace& workspace,
                                    const std::atomic<bool>* cancel)
{
    const double value = request.values[index];
    RunParameters parameters = request.parameters;
    (request.axis == BifurcationAxis::Rate ? parameters.r : parameters.lag) = value;
    const int lastKept = request.discard + request.keep - 1;
    Trajectory& trajectory = workspace.trajectory;
    computeTrajectory(trajectory, parameters, lastKept, cancel);
    BifurcationColumn column;
    column.value = value;
    column.end = trajectory.end;
    column.lastStep = trajectory.lastStep;
    if (trajectory.end == RunEnd::Refused || trajectory.cancelled)
        return column;
    // A run that ended before the kept steps still shows where it ended.
    column.firstStep = std::min(request.discard, trajectory.lastStep);
    const auto first = trajectory.N.begin() + column.firstStep;
    column.N.assign(first, trajectory.N.begin() + trajectory.lastStep + 1);
    if (trajectory.end == RunEnd::Completed && request.keep >= 2)
        column.lyapunov
            = lyapunovExponent(trajectory, parameters, request.discard, lastKept, workspace.tangent, cancel);
    return column;
}

std::vector<BifurcationColumn> bifurcationSlice(const BifurcationRequest& request, std::size_t first,
                                                std::size_t count, RegimeWorkspace& workspace)
{
    std::vector<BifurcationColumn> columns;
    if (!acceptsBifurcation(request))
        return columns;
    for (std::size_t index = first; index < sliceEnd(first, count, request.values.size()); ++index)
        columns.push_back(bifurcationColumn(request, index, workspace));
    return columns;
}

} // namespace tarnis
