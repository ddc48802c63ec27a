// The continuous-time twin for the page: its trajectory at whole times (the same bits as tarnis-run
// continuous), its regime and words, the limits of a delay and how the two models meet.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/continuous_words.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

namespace tarnis::web {

namespace {

constexpr Names<ContinuousEnd, 4> EndNames{{
    {ContinuousEnd::Completed, "completed"},
    {ContinuousEnd::LeftRange, "leftRange"},
    {ContinuousEnd::LostAccuracy, "lostAccuracy"},
    {ContinuousEnd::Refused, "refused"},
}};

val trajectory(const val& parameters)
{
    const ContinuousRun run = continuousRun(runOf(parameters, Steps::Matter));
    val object = val::object();
    object.set("end", nameOf(EndNames, run.end));
    object.set("n", numberArray(run.n));
    object.set("step", run.grid.step);
    return object;
}

val limits(double lag)
{
    const auto found = continuousLimits(lag);
    if (!found)
        return val::undefined();
    val object = val::object();
    object.set("rMonotone", found->rMonotone);
    object.set("rStable", found->rStable);
    object.set("onsetPeriod", found->onsetPeriod);
    return object;
}

val words(const val& parameters, const std::string& separator)
{
    const RunParameters run = runOf(parameters, Steps::Matter);
    const RunWords said = continuousRunInWords(run, continuousRegime(run), separatorOf(separator));
    val object = val::object();
    object.set("headline", said.headline);
    object.set("sentences", said.sentences);
    return object;
}

std::string bridge(double lag, const std::string& separator) { return bridgeWords(lag, separatorOf(separator)); }

val comparisonWords()
{
    const ContinuousComparisonWords words = continuousComparisonWords();
    val object = val::object();
    object.set("caption", words.caption);
    object.set("toolTip", words.toolTip);
    object.set("legend", words.legend);
    object.set("mapLabel", words.mapLabel);
    object.set("dataColumn", words.dataColumn);
    return object;
}

std::string stopWords(const val& parameters) { return continuousStopWords(continuousRun(runOf(parameters, Steps::Matter))); }

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_continuous)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("continuousRun", &trajectory);
    function("continuousLimits", &limits);
    function("continuousWords", &words);
    function("bridgeWords", &bridge);
    function("continuousLegend", &tarnis::continuousLegend);
    function("continuousComparisonWords", &comparisonWords);
    function("continuousStopWords", &stopWords);
}
