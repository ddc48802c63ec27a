// The eleven kinds of chart that Tarnis draws from the result store: what each one draws (its title,
// axis titles, the quantities on each axis and the look), the order in which clicks step through
// them, the rows and values a kind reads from a run, and the colours of a chart's runs. The windows'
// charts and the page draw from this one table.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_quantities.h"
#include "model/run/store.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnis {

enum class ChartKind {
    NtvsT,
    dNvsT,
    LogNvsT,
    NtKvsT,
    NdNvsT,
    dNvsN,
    dNvsNinLine,
    dNperNvsN,
    dNperNvsNinLine,
    NtvsNtnext,
    NtvsNtnextinLine,
};
inline constexpr int ChartKindCount = 11;

// A kind's name where programs and links call it ("NtvsT"): the page's code, set-up links and files.
// Once written into a file, a name never changes.
std::string_view chartKindName(ChartKind kind);
std::optional<ChartKind> chartKindNamed(std::string_view name);

// The two looks in which a chart draws a series. On the desktop a series keeps its look until it is
// given another one, so a chart that does not set the look shows its data the way the series was
// last drawn.
enum class SeriesLook {
    Line,   // the points joined in row order, no markers; the look of a new series
    Points, // unjoined filled squares with a red fill and a black outline
};

// The marker of the points look, in pixels: about 100 twips wide, outlined by the thinnest pen; and
// the room from a marker's centre past its outline, with half a pixel of air and the pixel by which a
// chart may map the far end of an axis outside its plot.
inline constexpr double MarkerPixels = 7.0;
inline constexpr double MarkerRoom = MarkerPixels / 2 + 2.0;

struct SeriesSource {
    Quantity x = Quantity::Time;
    Quantity y = Quantity::N;
    std::optional<SeriesLook> look; // none: the series keeps the look it has
};

struct ChartKindEntry {
    SeriesSource first;
    std::optional<SeriesSource> second; // the chart control's series 3
    const char* title = "";
    const char* yAxisTitle = "";
    const char* xAxisTitle = "";
};

// Which window draws: the large graph window gives the K line of N(t) and K the line look, where the
// main window leaves it as the chart control makes a new series (a line). The page draws as the large
// window does.
enum class ChartWindow { Main, Large };

// The kind's entry, its titles in English as copied data head their columns; a chart shows
// translate(entry.title) and its axis titles likewise.
ChartKindEntry chartKindEntry(ChartKind kind, ChartWindow window);

// Whether the y axis shows N(t) (with K beside it): N vs. t, and N(t) and K vs. t. Only these can
// take a logarithmic N axis; ln N is already one, and dN and dN/N change sign.
bool yIsN(const ChartKindEntry& entry);

// How a list names a kind, in the language on show: its title, and where two kinds share a title, the look that tells
// them apart ("Curve of dN vs. N, in points").
std::string chartKindListName(ChartKind kind);

// The order in which clicks on a chart step through the kinds.
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

// The kind a click shows after this one, where the page steps on from the kind on show.
ChartKind nextInCycle(ChartKind kind);

// A window's counter while it shows this kind, so that the next click steps on from it.
std::int16_t chartCyclePosition(ChartKind kind);

// The number of rows a chart of this kind has: one per time step from 0 to LastStep, but never one
// that would read outside the store. A kind that reads N(t+1) ends where the store ends.
int chartRowCount(const ResultStore& store, const ChartKindEntry& entry);

// Every value of step t of the store's run; none outside the run.
std::optional<StepReading> stepReading(const ResultStore& store, int t);

// A quantity of each of the first `rows` steps of the store's run: a chart's column.
std::vector<double> chartColumn(const ResultStore& store, Quantity quantity, int rows);

// Whether a chart shows a point of this value: an infinite one is no value, like a NaN (the point is
// left out and its line broken there); on a logarithmic axis so is one of 0 or below.
inline bool chartHasValue(double value, bool positiveOnly)
{
    return std::isfinite(value) && (!positiveOnly || value > 0.0);
}

// The colours in which a chart draws its runs, as 0xRRGGBB. The run on show has a colour for each of
// its two series (blue, and red for the second); each kept run has one of four that stay apart for the
// common kinds of colour blindness and from the run on show's (orange, sky blue, bluish green, reddish
// purple), its second series a paler shade. Markers are filled with the line's colour and outlined in
// a darker shade (the run on show's: red, outlined in black).
struct SeriesRgb {
    std::uint32_t line;
    std::uint32_t markerOutline;
    std::uint32_t markerFill;
};
inline constexpr int KeptRunColours = 4;
SeriesRgb ownSeriesColours(int series);            // series 0 or 1
SeriesRgb keptSeriesColours(int slot, int series); // slot 0 to KeptRunColours − 1 (a kept run's)

// The continuous-time trajectory drawn beside the run ("Compare with continuous time"): black, the one
// colour that stays apart from the run's and the kept runs' for every kind of colour vision, in dashes
// (so many pixels drawn, so many left out), which tell it apart in greyscale and where it runs along
// the run's own line.
SeriesRgb continuousSeriesColours();
inline constexpr std::array<double, 2> ContinuousDashPixels{6.0, 3.0};

} // namespace tarnis
