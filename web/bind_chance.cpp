// Chance for the page: one run of an ensemble, a slice of its runs as a worker computes it, and what
// the outcomes say, all drawn from the model's own generator so that the page's numbers are
// tarnis-run ensemble's for the same seed.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/ensemble.h"
#include "model/words/chance_words.h"
#include "model/words/ensemble_table.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

#include <cmath>
#include <utility>

namespace tarnis::web {

namespace {

// A seed travels as a decimal text: a JavaScript number holds only 53 of its 64 bits.
std::uint64_t seedOf(const val& object)
{
    const EnsembleRequestRefusals refusals = ensembleRequestRefusals();
    const val seed = object["seed"];
    if (!seed.isString())
        throwError("TypeError", refusals.seedNotText);
    const std::string digits = seed.as<std::string>();
    if (digits.empty() || digits.size() > 20 || digits.find_first_not_of("0123456789") != std::string::npos)
        throwError("RangeError", refusals.seedOutOfRange);
    std::uint64_t value = 0;
    for (const char c : digits) {
        const std::uint64_t next = value * 10 + std::uint64_t(c - '0');
        if (next / 10 != value)
            throwError("RangeError", refusals.seedOutOfRange);
        value = next;
    }
    return value;
}

EnsembleRequest ensembleOf(const val& object)
{
    EnsembleRequest request;
    request.parameters = runOf(object["parameters"], Steps::Matter);
    request.noise.demographic = object["demographic"].as<bool>();
    request.noise.sigma = numberProperty(object, "sigma");
    request.threshold = numberProperty(object, "threshold");
    request.seed = seedOf(object);
    if (!(request.noise.sigma >= 0.0 && request.noise.sigma <= MostSigma) || !(request.threshold >= 0.0))
        throwError("RangeError", ensembleRequestRefusals().sigmaOrThreshold);
    return request;
}

val memberToJs(long long run, const ChanceRun& member)
{
    val object = val::object();
    object.set("run", double(run));
    if (member.extinctionTime)
        object.set("extinctionTime", *member.extinctionTime);
    object.set("lastN", member.n.empty() ? 0.0 : member.n.back());
    return object;
}

val member(const val& request, double run)
{
    const ChanceRun found = ensembleMember(ensembleOf(request), (long long)run);
    val object = memberToJs((long long)run, found);
    object.set("n", numberArray(found.n));
    return object;
}

// Runs first to last (from 1): their outcomes, for a worker's slice.
val runs(const val& request, double first, double last)
{
    const EnsembleRequest parsed = ensembleOf(request);
    val outcomes = val::array();
    for (auto run = (long long)first; run <= (long long)last; ++run)
        outcomes.call<void>("push", memberToJs(run, ensembleMember(parsed, run)));
    return outcomes;
}

std::vector<MemberOutcome> outcomesOf(const val& array)
{
    std::vector<MemberOutcome> outcomes;
    const int count = array["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        const val item = array[i];
        const val time = item["extinctionTime"];
        outcomes.push_back({(long long)numberProperty(item, "run"),
                            time.isUndefined() ? std::nullopt : std::optional<int>(time.as<int>()),
                            numberProperty(item, "lastN")});
    }
    return outcomes;
}

std::string words(const val& outcomes, int steps, const std::string& separator)
{
    return ensembleWords(extinctionSummary(outcomesOf(outcomes)), steps, separatorOf(separator));
}

val survival(const val& outcomes, int steps) { return numberArray(survivalCurve(outcomesOf(outcomes), steps)); }

// The trajectories that the workers gathered (N(0) … N(steps) of each run, one Float64Array a run) as
// five columns over t, one for each share of BandShares: the fan chart's lines.
val bands(const val& trajectories, int steps)
{
    std::vector<ChanceRun> members(trajectories["length"].as<std::size_t>());
    for (std::size_t i = 0; i < members.size(); ++i)
        members[i].n = numbersOf(trajectories[i]);
    const auto rows = percentileBands(members, steps);
    val columns = val::array();
    for (std::size_t b = 0; b < BandShares.size(); ++b) {
        std::vector<double> column(rows.size());
        for (std::size_t t = 0; t < rows.size(); ++t)
            column[t] = rows[t][b];
        columns.call<void>("push", numberArray(column));
    }
    return columns;
}

// The curves as tarnis-run ensemble --summary writes them, for a saved file: the outcomes of every run
// and the bands' five columns over t.
std::string table(const val& outcomes, int steps, const val& bandColumns)
{
    const std::vector<MemberOutcome> parsed = outcomesOf(outcomes);
    std::vector<std::array<double, 5>> rows(std::size_t(steps) + 1);
    for (std::size_t b = 0; b < BandShares.size(); ++b) {
        const std::vector<double> column = numbersOf(bandColumns[b]);
        for (std::size_t t = 0; t < rows.size() && t < column.size(); ++t)
            rows[t][b] = column[t];
    }
    return ensembleTableText({extinctionSummary(parsed), steps, survivalCurve(parsed, steps), rows}, true, "\r\n");
}

val wordsToJs()
{
    const ChanceWords words = chanceWords();
    val object = val::object();
    const std::pair<const char*, const std::string*> fields[] = {
        {"menuCaption", &words.menuCaption},
        {"title", &words.title},
        {"noiseCaption", &words.noiseCaption},
        {"demographic", &words.demographic},
        {"environmental", &words.environmental},
        {"both", &words.both},
        {"sigmaCaption", &words.sigmaCaption},
        {"runsCaption", &words.runsCaption},
        {"seedCaption", &words.seedCaption},
        {"thresholdCaption", &words.thresholdCaption},
        {"computeCaption", &words.computeCaption},
        {"fanTitle", &words.fanTitle},
        {"survivalTitle", &words.survivalTitle},
        {"timeAxis", &words.timeAxis},
        {"populationAxis", &words.populationAxis},
        {"shareAxis", &words.shareAxis},
        {"outerBand", &words.outerBand},
        {"innerBand", &words.innerBand},
        {"median", &words.median},
        {"deterministic", &words.deterministic},
        {"working", &words.working},
        {"saveData", &words.saveData},
        {"dataFileName", &words.dataFileName},
    };
    for (const auto& [key, text] : fields)
        object.set(key, *text);
    return object;
}

double runsOfBands(double runs, int steps) { return double(bandRuns((long long)runs, steps)); }

std::string bandRunsNote(double runs, int steps) { return bandRunsWords((long long)runs, steps); }

std::string progressWords(double done, double total)
{
    return ensembleProgressWords((long long)done, (long long)total);
}

// What the controls start with and how far they go; the seed as the text that a request carries.
val limitsOfEnsembles()
{
    const EnsembleRequest defaults;
    val object = val::object();
    object.set("mostRuns", double(MostWindowRuns));
    object.set("defaultRuns", double(DefaultWindowRuns));
    object.set("defaultSigma", DefaultWindowSigma);
    object.set("mostSigma", MostSigma);
    object.set("defaultThreshold", DefaultExtinctionThreshold);
    object.set("defaultSeed", std::to_string(defaults.seed));
    object.set("mostSummaryValues", double(MostSummaryValues));
    return object;
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_chance)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("ensembleMember", &member);
    function("ensembleRuns", &runs);
    function("ensembleWords", &words);
    function("survivalCurve", &survival);
    function("percentileBands", &bands);
    function("ensembleTable", &table);
    function("bandRuns", &runsOfBands);
    function("bandRunsWords", &bandRunsNote);
    function("chanceWords", &wordsToJs);
    function("ensembleProgressWords", &progressWords);
    function("ensembleLimits", &limitsOfEnsembles);
}
