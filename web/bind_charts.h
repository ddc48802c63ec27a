// The run charts for the page, from a session's result store, its run's parameters and its kept runs:
// the kinds and their order, a kind's series in their looks and colours with the legend, the readout
// of a point, the chart in words and the rows of "Copy data", with the run's continuous-time twin where
// the page compares the two. The session (bind_run.cpp) hands its state to these; the chart routines of
// the model do the rest.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/continuous/hutchinson.h"
#include "model/run/kept_runs.h"
#include "model/run/store.h"
#include "web/js_values.h"

#include <optional>
#include <string>

namespace tarnis::web {

struct ChartSource {
    const ResultStore& store;
    const std::optional<RunParameters>& current;
    const KeptRuns& kept;
    // The run on show's continuous-time twin, drawn and copied with it in the kinds over t; none while
    // the page does not compare the two.
    const ContinuousRun* continuous = nullptr;
};

val chartOf(const ChartSource& source, const val& kind, bool logarithmicY, char separator);
val chartReadoutOf(const ChartSource& source, const val& kind, const val& point, char separator);
std::string chartDescriptionOf(const ChartSource& source, const val& kind, const val& view, const val& mark,
                               char separator);
std::string chartDataTextOf(const ChartSource& source, const val& kind, bool logarithmicY, char separator);

} // namespace tarnis::web
