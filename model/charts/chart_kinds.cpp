// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/chart_kinds.h"

#include "model/language/catalog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace tarnis {

namespace {

constexpr std::array<std::string_view, ChartKindCount> KindNames{
    "NtvsT",       "dNvsT",     "LogNvsT",         "NtKvsT",     "NdNvsT",           "dNvsN",
    "dNvsNinLine", "dNperNvsN", "dNperNvsNinLine", "NtvsNtnext", "NtvsNtnextinLine",
};

} // namespace

std::string_view chartKindName(ChartKind kind) { return KindNames[std::size_t(kind)]; }

std::optional<ChartKind> chartKindNamed(std::string_view name)
{
    for (std::size_t kind = 0; kind < KindNames.size(); ++kind)
        if (KindNames[kind] == name)
            return ChartKind(kind);
    return std::nullopt;
}

namespace {

using enum Quantity;
constexpr auto Line = SeriesLook::Line;
constexpr auto Points = SeriesLook::Points;

// The titles are the texts the users know from the charts, "dN/Ndt" included. They stay English here,
// where copied data take their column titles from; they are translated where a chart shows them.
// TRANSLATORS: the charts' titles and axis titles.
constexpr std::array<std::pair<ChartKind, ChartKindEntry>, ChartKindCount> ChartKinds{{
    {ChartKind::NtvsT,
     {{Time, N, Line}, {}, catalogText("Curve of N(t) vs. time").data(), "N(t)", catalogText("Time").data()}},
    {ChartKind::dNvsT,
     {{Time, DN, Line}, {}, catalogText("Curve of dN/dt vs. time").data(), "dN", catalogText("Time").data()}},
    {ChartKind::LogNvsT,
     {{Time, LogN, Line}, {}, catalogText("Curve of logN(t) vs. time").data(), "lnN", catalogText("Time").data()}},
    {ChartKind::NtKvsT,
     {{Time, N, Line},
      SeriesSource{Time, K, {}},
      catalogText("Curve of N(t) and K vs. time").data(),
      catalogText("N(t) and K").data(),
      catalogText("Time").data()}},
    {ChartKind::NdNvsT,
     {{Time, N, Line},
      SeriesSource{Time, DN, Line},
      catalogText("Curve of N and dN/dt vs. time").data(),
      catalogText("N and dN").data(),
      catalogText("Time").data()}},
    {ChartKind::dNvsN, {{N, DN, Points}, {}, catalogText("Curve of dN vs. N").data(), "dN", "N"}},
    {ChartKind::dNvsNinLine, {{N, DN, Line}, {}, catalogText("Curve of dN vs. N").data(), "dN", "N"}},
    {ChartKind::dNperNvsN, {{N, DNperN, Points}, {}, catalogText("Curve of dN/Ndt vs. N").data(), "dN/N", "N"}},
    {ChartKind::dNperNvsNinLine, {{N, DNperN, Line}, {}, catalogText("Curve of dN/Ndt vs. N").data(), "dN/N", "N"}},
    {ChartKind::NtvsNtnext, {{N, NextN, Points}, {}, catalogText("Curve of N(t+1) vs. N(t)").data(), "N(t+1)", "N(t)"}},
    {ChartKind::NtvsNtnextinLine,
     {{N, NextN, Line}, {}, catalogText("Curve of N(t+1) vs. N(t)").data(), "N(t+1)", "N(t)"}},
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

bool readsNextN(const SeriesSource& series) { return series.x == Quantity::NextN || series.y == Quantity::NextN; }

StepReading readingAt(const ResultStore& store, int t)
{
    const auto at = std::size_t(t);
    // The run writes N up to LastStep + 1, where the store has room for it.
    const double next = t + 1 <= std::min(int(store.LastStep) + 1, MaxStoreIndex)
        ? store.PopN[at + 1]
        : std::numeric_limits<double>::quiet_NaN();
    return StepReading{t, store.PopN[at], next, store.PopDN[at], store.PopDNperN[at], store.ParamK};
}

constexpr std::array<SeriesRgb, 2> OwnColours{{
    {0x0000C0, 0x000000, 0xFF0000},
    {0xC00000, 0x000000, 0xFF0000},
}};

// Each kept run's colour for its first series and the paler shade for its second (half way to white),
// with the outline of their markers darker (the value of the colour by 100 / 160).
constexpr std::array<std::array<SeriesRgb, 2>, KeptRunColours> KeptColours{{
    {{{0xE69F00, 0x906300, 0xE69F00}, {0xF2CF7F, 0x97814F, 0xF2CF7F}}},
    {{{0x56B4E9, 0x367192, 0x56B4E9}, {0xAAD9F4, 0x6A8898, 0xAAD9F4}}},
    {{{0x009E73, 0x006348, 0x009E73}, {0x7FCEB9, 0x4F8174, 0x7FCEB9}}},
    {{{0xCC79A7, 0x7F4C68, 0xCC79A7}, {0xE5BCD3, 0x8F7684, 0xE5BCD3}}},
}};

std::size_t seriesSlot(int series) { return series == 1 ? 1 : 0; }

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

std::string chartKindListName(ChartKind kind)
{
    const ChartKindEntry& entry = ChartKinds[std::size_t(kind)].second;
    const int sharing = int(std::count_if(ChartKinds.begin(), ChartKinds.end(), [&entry](const auto& other) {
        return std::string_view(other.second.title) == entry.title;
    }));
    const std::string title(translate(entry.title));
    if (sharing == 1)
        return title;
    // TRANSLATORS: {title} is a chart's title, the look of its points told where two charts share it.
    return fill(entry.first.look == SeriesLook::Points ? translate("{title}, in points")
                                                       : translate("{title}, in line"),
                {{"title", title}});
}

std::int16_t chartCyclePosition(ChartKind kind)
{
    const auto at = std::find(ChartCycle.begin(), ChartCycle.end(), kind);
    return at == ChartCycle.end() ? std::int16_t(-1) : std::int16_t(at - ChartCycle.begin());
}

ChartKind nextInCycle(ChartKind kind)
{
    std::int16_t counter = chartCyclePosition(kind);
    return advanceChartCycle(counter);
}

int chartRowCount(const ResultStore& store, const ChartKindEntry& entry)
{
    const bool next = readsNextN(entry.first) || (entry.second && readsNextN(*entry.second));
    const int lastIndex = next ? MaxStoreIndex - 1 : MaxStoreIndex;
    return std::clamp(int(store.LastStep), -1, lastIndex) + 1;
}

std::optional<StepReading> stepReading(const ResultStore& store, int t)
{
    if (t < 0 || t > std::min(int(store.LastStep), MaxStoreIndex))
        return std::nullopt;
    return readingAt(store, t);
}

namespace {

// ln N of the runs drawn lately, kept between drawings. The double-double logarithm that makes every
// front end draw the same ln N costs about a microsecond, and a chart of 9999 steps is drawn again at
// every zoom, pan and frame of a play. A logarithm is reused only where the store still holds the very
// N it was taken of, compared bit for bit, so a new run, a store overwritten in place or a longer play
// never reads a stale one; the stores are told apart by their address (the run on show, the kept
// runs, a preview's), the one used longest ago making room.
class LogColumns {
public:
    const std::vector<double>& of(const ResultStore& store, int rows)
    {
        Entry& entry = entryFor(store);
        const auto count = std::size_t(rows);
        if (entry.n.size() < count) {
            entry.n.resize(count, std::numeric_limits<double>::quiet_NaN());
            entry.ln.resize(count, std::numeric_limits<double>::quiet_NaN());
        }
        for (std::size_t t = 0; t < count; ++t) {
            const double n = store.PopN[t];
            if (std::memcmp(&n, &entry.n[t], sizeof n) != 0) { // bit for bit (libc++ 14 has no bit_cast)
                entry.n[t] = n;
                entry.ln[t] = quantityValue(readingAt(store, int(t)), Quantity::LogN);
            }
        }
        return entry.ln;
    }

private:
    struct Entry {
        const ResultStore* store = nullptr;
        std::uint64_t used = 0;
        std::vector<double> n;
        std::vector<double> ln;
    };

    Entry& entryFor(const ResultStore& store)
    {
        ++m_uses;
        auto found
            = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.store == &store; });
        if (found == m_entries.end()) {
            found = std::min_element(m_entries.begin(), m_entries.end(),
                                     [](const Entry& a, const Entry& b) { return a.used < b.used; });
            *found = Entry{&store, 0, {}, {}};
        }
        found->used = m_uses;
        return *found;
    }

    std::array<Entry, 8> m_entries{}; // the run on show, four kept runs and a preview, with room to spare
    std::uint64_t m_uses = 0;
};

} // namespace

std::vector<double> chartColumn(const ResultStore& store, Quantity quantity, int rows)
{
    rows = std::clamp(rows, 0, StoreSize);
    if (quantity == Quantity::LogN) {
        // Each thread its own: the columns are not shared between threads that draw.
        thread_local LogColumns logColumns;
        const std::vector<double>& ln = logColumns.of(store, rows);
        return {ln.begin(), ln.begin() + rows};
    }
    std::vector<double> values(static_cast<std::size_t>(rows));
    for (int t = 0; t < rows; ++t)
        values[std::size_t(t)] = quantityValue(readingAt(store, t), quantity);
    return values;
}

SeriesRgb ownSeriesColours(int series) { return OwnColours[seriesSlot(series)]; }

SeriesRgb keptSeriesColours(int slot, int series)
{
    return KeptColours[std::size_t(std::clamp(slot, 0, KeptRunColours - 1))][seriesSlot(series)];
}

SeriesRgb continuousSeriesColours() { return {0x000000, 0x000000, 0x000000}; }

} // namespace tarnis
