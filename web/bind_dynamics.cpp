// What r and the lag do: the limits of linear theory, the regime of a run, the scans of a regime map
// and a bifurcation diagram in slices, so that a worker can report its progress between two slices
// and be stopped there, and which of them a new run computes anew.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/dynamics_labels.h"
#include "model/dynamics/dynamics_restart.h"
#include "model/dynamics/linear_stability.h"
#include "model/dynamics/regime_colours.h"
#include "model/dynamics/run_regime.h"
#include "model/dynamics/scan_cells.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

namespace tarnis::web {

namespace {

constexpr Names<LinearVerdict, 4> VerdictNames{{
    {LinearVerdict::SettlesSmoothly, "settlesSmoothly"},
    {LinearVerdict::DampedOscillations, "dampedOscillations"},
    {LinearVerdict::Neutral, "neutral"},
    {LinearVerdict::UnstableAtK, "unstableAtK"},
}};

val limitsOfLag(double lag)
{
    const auto limits = stabilityLimits(lag);
    return limits ? limitsToJs(*limits) : val::undefined();
}

val scheduleOfLag(double lag)
{
    const LagSchedule schedule = lagSchedule(lag);
    val object = val::object();
    object.set("onEvenSteps", schedule.onEvenSteps);
    object.set("onOddSteps", schedule.onOddSteps);
    return object;
}

val responseOf(double r, double lag)
{
    const auto response = linearResponse(r, lag);
    if (!response)
        return val::undefined();
    val object = val::object();
    object.set("limits", limitsToJs(response->limits));
    object.set("verdict", nameOf(VerdictNames, response->verdict));
    object.set("modulus", response->modulus);
    object.set("argument", response->argument);
    setIfPresent(object, "period", response->period);
    setIfPresent(object, "halvingSteps", response->halvingSteps);
    return object;
}

std::string nameOfRegime(int regime) { return std::string(regimeText(Regime(regime))); }

// The map's legend: each regime in the legend's order, with its number, its name and its colour.
val legendOfRegimes()
{
    val legend = val::array();
    for (const Regime regime : AllRegimes) {
        val entry = val::object();
        entry.set("regime", int(regime));
        entry.set("name", std::string(regimeText(regime)));
        entry.set("legendName", std::string(legendName(regime)));
        entry.set("colour", colourText(regimeRgb(regime)));
        legend.call<void>("push", entry);
    }
    return legend;
}

std::string notComputedColour() { return colourText(NotComputedRgb); }

val labelsOfDynamics(int discard, int keep)
{
    val labels = val::object();
    for (const auto& [name, text] : {std::pair{"lagAxis", Labels.lagAxis}, {"rateAxis", Labels.rateAxis},
                                     {"exponentAxis", Labels.exponentAxis}, {"stableCurve", Labels.stableCurve},
                                     {"monotoneCurve", Labels.monotoneCurve}, {"stableMark", Labels.stableMark},
                                     {"monotoneMark", Labels.monotoneMark}, {"criticalLagMark", Labels.criticalLagMark},
                                     {"runOnMap", Labels.runOnMap}, {"runMark", Labels.runMark},
                                     {"notComputed", Labels.notComputed}})
        labels.set(name, std::string(text));
    labels.set("keptValuesAxis", keptValuesAxis(discard, keep));
    return labels;
}

val regimeOf(const val& parameters)
{
    static RegimeWorkspace workspace;
    const auto report = runRegime(runOf(parameters, Steps::Ignored), workspace);
    return report ? reportToJs(*report) : val::undefined();
}

// A whole number of cells or columns from JavaScript's number, within 0 to `limit` (NaN as 0).
std::size_t countWithin(double value, std::size_t limit)
{
    if (!(value > 0.0))
        return 0;
    return value >= double(limit) ? limit : std::size_t(value);
}

// A regime map's grid, computed a slice of cells at a time. The buffers of the runs are kept from
// slice to slice.
class RegimeScan {
public:
    explicit RegimeScan(const val& grid)
        : m_grid(gridOf(grid))
    {
    }

    double cellCount() const { return double(m_grid.cellCount()); }

    val slice(double first, double count)
    {
        const std::size_t from = countWithin(first, m_grid.cellCount());
        const auto reports = scanSlice(m_grid, from, countWithin(count, m_grid.cellCount()), m_workspace);
        val cells = val::array();
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const ScanCell place = scanCellAt(m_grid, from + i);
            val cell = val::object();
            cell.set("index", double(from + i));
            cell.set("rateIndex", double(place.rateIndex));
            cell.set("lagIndex", double(place.lagIndex));
            cell.set("r", place.r);
            cell.set("lag", place.lag);
            if (reports[i])
                cell.set("report", reportToJs(*reports[i]));
            cells.call<void>("push", cell);
        }
        return cells;
    }

private:
    ScanGrid m_grid;
    RegimeWorkspace m_workspace;
};

// The columns of a bifurcation diagram, a slice at a time.
class BifurcationScan {
public:
    explicit BifurcationScan(const val& request)
        : m_request(requestOf(request))
    {
    }

    bool accepted() const { return acceptsBifurcation(m_request); }
    double columnCount() const { return accepted() ? double(m_request.values.size()) : 0.0; }

    val slice(double first, double count)
    {
        const std::size_t from = countWithin(first, m_request.values.size());
        const auto columns
            = bifurcationSlice(m_request, from, countWithin(count, m_request.values.size()), m_workspace);
        val result = val::array();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            val object = columnToJs(columns[i]);
            object.set("index", double(from + i));
            result.call<void>("push", object);
        }
        return result;
    }

private:
    BifurcationRequest m_request;
    RegimeWorkspace m_workspace;
};

// What the rule of dynamicsRestart compares of a plan that planDynamics gave the page: its run, whether
// it is analysed, its grid and its requests (the edges and limits follow from the grid).
DynamicsPlan comparedPlanOf(const val& plan)
{
    DynamicsPlan compared;
    compared.run = runOf(plan["run"], Steps::Matter);
    compared.analysed = plan["analysed"].as<bool>();
    compared.map = gridOf(plan["map"]);
    compared.overRate = requestOf(plan["overRate"]);
    compared.overLag = requestOf(plan["overLag"]);
    return compared;
}

// Which parts a run of the plan `next` computes anew where `shown` (or none) is on show.
val restartOf(const val& shown, const val& next, const val& axis)
{
    const auto before = shown.isUndefined() || shown.isNull() ? std::nullopt : std::optional(comparedPlanOf(shown));
    const DynamicsRestart restart
        = dynamicsRestart(before ? &*before : nullptr, comparedPlanOf(next), valueNamed(AxisNames, axis));
    val object = val::object();
    object.set("regime", restart.regime);
    object.set("map", restart.map);
    object.set("diagram", restart.diagram);
    return object;
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_dynamics)
{
    using namespace emscripten;
    using namespace tarnis;
    using namespace tarnis::web;
    function("stabilityLimits", &limitsOfLag);
    function("lagSchedule", &scheduleOfLag);
    function("linearResponse", &responseOf);
    function("runRegime", &regimeOf);
    function("regimeName", &nameOfRegime);
    function("regimeLegend", &legendOfRegimes);
    function("notComputedColour", &notComputedColour);
    function("dynamicsLabels", &labelsOfDynamics);
    function("dynamicsRestart", &restartOf);
    class_<RegimeScan>("RegimeScan")
        .constructor<const val&>()
        .function("cellCount", &RegimeScan::cellCount)
        .function("slice", &RegimeScan::slice);
    class_<BifurcationScan>("BifurcationScan")
        .constructor<const val&>()
        .function("accepted", &BifurcationScan::accepted)
        .function("columnCount", &BifurcationScan::columnCount)
        .function("slice", &BifurcationScan::slice);
    constant("MaxAnalysedLag", MaxAnalysedLag);
    constant("MaxBifurcationSteps", MaxBifurcationSteps);
}
