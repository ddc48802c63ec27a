// The eleven kinds of chart that Tarnis draws from the result store, and what each one draws.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/series_look.h"
#include "model/chart_quantities.h"

#include <optional>

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
// main window leaves it as the chart control makes a new series.
enum class ChartWindow { Main, Large };

ChartKindEntry chartKindEntry(ChartKind kind, ChartWindow window);

// Whether the y axis shows N(t) (with K beside it): N vs. t, and N(t) and K vs. t. Only these can
// take a logarithmic N axis; ln N is already one, and dN and dN/N change sign.
bool yIsN(const ChartKindEntry& entry);

} // namespace tarnis
