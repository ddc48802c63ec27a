// The order in which clicks on a chart step through the chart kinds.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_kinds.h"

#include <array>
#include <cstdint>

namespace tarnis {

inline constexpr std::array ChartCycle{
    ChartKind::NtvsT,      ChartKind::dNvsT,
    ChartKind::dNvsN,      ChartKind::dNvsNinLine,
    ChartKind::NdNvsT,     ChartKind::LogNvsT,
    ChartKind::dNperNvsN,  ChartKind::dNperNvsNinLine,
    ChartKind::NtvsNtnext, ChartKind::NtvsNtnextinLine,
    ChartKind::NtKvsT,
};

// Moves a window's counter one place on, wrapping after the last kind, and names the kind that the
// click must draw. The counter moves before drawing, so the first click shows the second kind.
inline ChartKind advanceChartCycle(std::int16_t& counter)
{
    ++counter;
    if (counter < 0 || counter >= std::int16_t(ChartCycle.size()))
        counter = 0;
    return ChartCycle[std::size_t(counter)];
}

} // namespace tarnis
