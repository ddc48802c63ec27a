// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_kinds.h"

#include <array>
#include <utility>

namespace tarnis {

namespace {

using enum Quantity;
constexpr auto Line = SeriesLook::Line;
constexpr auto Points = SeriesLook::Points;

// The titles are the texts the users know from the charts, "dN/Ndt" included.
constexpr std::array<std::pair<ChartKind, ChartKindEntry>, 11> ChartKinds{{
    {ChartKind::NtvsT, {{Time, N, Line}, {}, "Curve of N(t) vs. time", "N(t)", "Time"}},
    {ChartKind::dNvsT, {{Time, DN, Line}, {}, "Curve of dN/dt vs. time", "dN", "Time"}},
    {ChartKind::LogNvsT, {{Time, LogN, Line}, {}, "Curve of logN(t) vs. time", "lnN", "Time"}},
    {ChartKind::NtKvsT,
     {{Time, N, Line}, SeriesSource{Time, K, {}}, "Curve of N(t) and K vs. time", "N(t) and K", "Time"}},
    {ChartKind::NdNvsT,
     {{Time, N, Line}, SeriesSource{Time, DN, Line}, "Curve of N and dN/dt vs. time", "N and dN", "Time"}},
    {ChartKind::dNvsN, {{N, DN, Points}, {}, "Curve of dN vs. N", "dN", "N"}},
    {ChartKind::dNvsNinLine, {{N, DN, Line}, {}, "Curve of dN vs. N", "dN", "N"}},
    {ChartKind::dNperNvsN, {{N, DNperN, Points}, {}, "Curve of dN/Ndt vs. N", "dN/N", "N"}},
    {ChartKind::dNperNvsNinLine, {{N, DNperN, Line}, {}, "Curve of dN/Ndt vs. N", "dN/N", "N"}},
    {ChartKind::NtvsNtnext, {{N, NextN, Points}, {}, "Curve of N(t+1) vs. N(t)", "N(t+1)", "N(t)"}},
    {ChartKind::NtvsNtnextinLine, {{N, NextN, Line}, {}, "Curve of N(t+1) vs. N(t)", "N(t+1)", "N(t)"}},
}};

constexpr bool inEnumOrder()
{
    for (std::size_t i = 0; i < ChartKinds.size(); ++i) {
        if (std::size_t(ChartKinds[i].first) != i)
            return false;
    }
    return true;
}
static_assert(inEnumOrder(), "the table is looked up by the kind's value");

} // namespace

ChartKindEntry chartKindEntry(ChartKind kind, ChartWindow window)
{
    ChartKindEntry entry = ChartKinds[std::size_t(kind)].second;
    if (kind == ChartKind::NtKvsT && window == ChartWindow::Large)
        entry.second->look = Line;
    return entry;
}

bool yIsN(const ChartKindEntry& entry)
{
    return entry.first.x == Quantity::Time && entry.first.y == Quantity::N
        && (!entry.second || entry.second->y == Quantity::K);
}

} // namespace tarnis
