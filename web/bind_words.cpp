// The dynamics in words and the plan of what a front end shows of them: a run's headline and
// sentences, the lines for a cell of the map and a column of the diagram under the pointer, the titles,
// the run's numbers for a table, what a click wrote, and the grids of the map and the diagram.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/dynamics_plan.h"
#include "model/words/regime_words.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

namespace tarnis::web {

namespace {

val wordsToJs(const RunWords& words)
{
    val object = val::object();
    object.set("headline", words.headline);
    object.set("sentences", words.sentences);
    return object;
}

std::optional<RegimeReport> optionalReportOf(const val& report)
{
    if (report.isUndefined() || report.isNull())
        return std::nullopt;
    return reportOf(report);
}

std::optional<double> optionalNumberOf(const val& value)
{
    return value.isNumber() ? std::optional(value.as<double>()) : std::nullopt;
}

// The words of a run from its regime, as the Dynamics window and `tarnis-run dynamics --words` have them;
// no report: the lag is beyond the analysis.
val runWords(const val& parameters, const val& report, const std::string& separator)
{
    return wordsToJs(runInWords(runOf(parameters, Steps::Matter), optionalReportOf(report), separatorOf(separator)));
}

val wordsWhileWorking(const val& parameters, const std::string& separator)
{
    return wordsToJs(workingWords(runOf(parameters, Steps::Matter), separatorOf(separator)));
}

val wordsBeforeARun() { return wordsToJs(noRunWords()); }
val pageWordsBeforeARun() { return wordsToJs(noRunWords(WordsPlace::Page)); }

std::string nameOfRunRegime(const val& parameters, const val& report)
{
    return regimeName(runOf(parameters, Steps::Matter), reportOf(report));
}

// A cell as a regime scan's slice gives it; without a report it is still being computed.
std::string cellWords(double r, double lag, const val& report, double K, const std::string& separator)
{
    const auto regime = optionalReportOf(report);
    return cellInWords(r, lag, regime ? &*regime : nullptr, K, separatorOf(separator));
}

std::string columnWords(const val& axis, double value, const val& column, double K, const std::string& separator)
{
    const bool computed = !column.isUndefined() && !column.isNull();
    const auto kept = computed ? std::optional(columnOf(column)) : std::nullopt;
    return columnInWords(valueNamed(AxisNames, axis), value, kept ? &*kept : nullptr, K, separatorOf(separator));
}

val factsOfRun(const val& parameters, const val& report, const std::string& separator)
{
    val rows = val::array();
    for (const auto& [name, value] :
         runFacts(runOf(parameters, Steps::Matter), optionalReportOf(report), separatorOf(separator))) {
        val row = val::array();
        row.call<void>("push", name);
        row.call<void>("push", value);
        rows.call<void>("push", row);
    }
    return rows;
}

std::string wordsOfChoice(const val& r, const val& lag, const std::string& separator)
{
    return choiceWords(optionalNumberOf(r), optionalNumberOf(lag), separatorOf(separator));
}

std::string pageWordsOfChoice(const val& r, const val& lag, const std::string& separator)
{
    return choiceWords(optionalNumberOf(r), optionalNumberOf(lag), separatorOf(separator), WordsPlace::Page);
}

std::string titleOfMap(const val& parameters, const std::string& separator)
{
    return mapTitle(optionalRunOf(parameters), separatorOf(separator));
}

std::string titleOfBifurcation(const val& parameters, const val& axis, const std::string& separator)
{
    return bifurcationTitle(optionalRunOf(parameters), valueNamed(AxisNames, axis), separatorOf(separator));
}

val requestToJs(const BifurcationRequest& request)
{
    val parameters = parametersToJs(request.parameters);
    parameters.delete_("steps");
    val object = val::object();
    object.set("parameters", parameters);
    object.set("axis", nameOf(AxisNames, request.axis));
    object.set("values", numberArray(request.values));
    object.set("discard", request.discard);
    object.set("keep", request.keep);
    return object;
}

// What the Dynamics window shows for a run: the map's grid and cell edges, the limits along its lags,
// and the two requests of the diagram, each ready to hand to a RegimeScan or a BifurcationScan.
// The lines of the bifurcation diagram for a run: its lag's limits are the model's, the first unstable
// lag is the plan's (the page has it from planDynamics).
val marksOfDiagram(const val& parameters, const val& axis, const val& criticalLag)
{
    const RunParameters run = runOf(parameters, Steps::Matter);
    val marks = val::array();
    for (const DiagramMark& mark :
         diagramMarks(run, valueNamed(AxisNames, axis), stabilityLimits(run.lag), optionalNumberOf(criticalLag))) {
        val object = val::object();
        object.set("value", mark.value);
        object.set("name", std::string(mark.name));
        marks.call<void>("push", object);
    }
    return marks;
}

// The page's hint under a plot: "map", "rate" or "lag".
std::string pagePointingHint(const std::string& plot)
{
    const PointedPlot pointed = plot == "map" ? PointedPlot::Map
        : plot == "lag"                       ? PointedPlot::DiagramOverLag
                                              : PointedPlot::DiagramOverRate;
    return pointingHint(pointed, WordsPlace::Page);
}

std::string beyondAnalysisPictures(const std::string& separator)
{
    return beyondAnalysisPictureWords(separatorOf(separator));
}

val planOf(const val& parameters)
{
    const DynamicsPlan plan = planDynamics(runOf(parameters, Steps::Matter));
    val grid = val::object();
    grid.set("rates", numberArray(plan.map.rates));
    grid.set("lags", numberArray(plan.map.lags));
    grid.set("n0", plan.map.n0);
    grid.set("K", plan.map.K);
    val limits = val::array();
    for (const auto& each : plan.limits)
        limits.call<void>("push", each ? limitsToJs(*each) : val::undefined());
    val object = val::object();
    object.set("run", parametersToJs(plan.run));
    object.set("analysed", plan.analysed);
    object.set("logarithmicMapRates", plan.logarithmicMapRates);
    object.set("logarithmicMapLags", plan.logarithmicMapLags);
    object.set("logarithmicDiagramRates", plan.logarithmicDiagramRates);
    object.set("map", grid);
    object.set("lagEdges", numberArray(plan.lagEdges));
    object.set("rateEdges", numberArray(plan.rateEdges));
    object.set("limits", limits);
    object.set("overRate", requestToJs(plan.overRate));
    object.set("overLag", requestToJs(plan.overLag));
    if (plan.runLimits)
        object.set("runLimits", limitsToJs(*plan.runLimits));
    setIfPresent(object, "criticalLag", plan.criticalLag);
    return object;
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_words)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("runWords", &runWords);
    function("workingWords", &wordsWhileWorking);
    function("noRunWords", &wordsBeforeARun);
    function("pageNoRunWords", &pageWordsBeforeARun);
    function("runRegimeName", &nameOfRunRegime);
    function("cellWords", &cellWords);
    function("columnWords", &columnWords);
    function("runFacts", &factsOfRun);
    function("choiceWords", &wordsOfChoice);
    function("pageChoiceWords", &pageWordsOfChoice);
    function("pagePointingHint", &pagePointingHint);
    function("diagramMarks", &marksOfDiagram);
    function("mapTitle", &titleOfMap);
    function("bifurcationTitle", &titleOfBifurcation);
    function("beyondAnalysisPictureWords", &beyondAnalysisPictures);
    function("planDynamics", &planOf);
}
