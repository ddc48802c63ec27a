// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/chance_words.h"

#include "model/language/catalog.h"

#include "model/numbers/conversions.h"
#include "model/words/quantity_text.h"

#include <charconv>
#include <limits>

namespace tarnis {

namespace {

namespace q = quantity_text;

// "(28–34 %)": the share's 95 % interval.
std::string share(const Estimate& estimate, char separator)
{
    return fill(
        translate("({low}–{high} %)"),
        {{"low", q::percent(100.0 * estimate.low, separator)}, {"high", q::percent(100.0 * estimate.high, separator)}});
}

// The whole text, blanks at either end aside, as digits of a 64-bit whole number.
std::optional<std::uint64_t> readSeed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, last - first + 1);
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return seed;
}

std::string takes(const std::string& caption, const std::string& what)
{
    const std::string name = caption.ends_with(':') ? caption.substr(0, caption.size() - 1) : caption;
    // TRANSLATORS: a refused entry: {name} is the box's caption ("Seed"), {what} what it takes.
    return fill(translate("{name} takes {what}."), {{"name", name}, {"what", what}});
}

// The sentence of an ensemble for its case, in the count of its runs' form.
std::string_view ensembleSentence(const ExtinctionSummary& summary, bool half)
{
    const auto runs = static_cast<unsigned long long>(summary.runs);
    if (summary.extinct == 0)
        return translatePlural("Of {runs} run, none {share} died out by t = {steps}.",
                               "Of {runs} runs, none {share} died out by t = {steps}.", runs);
    if (summary.extinct == summary.runs && summary.runs == 1)
        return translate("Of {runs} run, it {share} died out by t = {steps}.");
    if (summary.extinct == summary.runs)
        return half ? translate("Of {runs} runs, all {share} died out by t = {steps}; half of them by t = {half}.")
                    : translate("Of {runs} runs, all {share} died out by t = {steps}.");
    return half ? translatePlural("Of {runs} run, {extinct} {share} died out by t = {steps}; half of those by t = "
                                  "{half}.",
                                  "Of {runs} runs, {extinct} {share} died out by t = {steps}; half of those by t = "
                                  "{half}.",
                                  runs)
                : translatePlural("Of {runs} run, {extinct} {share} died out by t = {steps}.",
                                  "Of {runs} runs, {extinct} {share} died out by t = {steps}.", runs);
}

} // namespace

std::string ensembleWords(const ExtinctionSummary& summary, int steps, char separator)
{
    const bool half = summary.medianTime && summary.extinct > 1;
    return fill(ensembleSentence(summary, half),
                {{"runs", countText(static_cast<unsigned long long>(summary.runs))},
                 {"extinct", countText(static_cast<unsigned long long>(summary.extinct))},
                 {"share", share(summary.share, separator)},
                 {"steps", std::to_string(steps)},
                 {"half", half ? q::steps((long long)summary.medianTime->value) : std::string()}});
}

ChanceWords chanceWords()
{
    return {
        std::string(translate("Chance…")),
        std::string(translate("Chance")),
        std::string(translate("Noise:")),
        std::string(translate("Demographic (whole animals)")),
        std::string(translate("Environmental (good and bad years)")),
        std::string(translate("Both")),
        std::string(translate("σ of the years:")),
        std::string(translate("Runs:")),
        std::string(translate("Seed:")),
        std::string(translate("Extinct below:")),
        std::string(translate("Run the ensemble")),
        std::string(translate("N(t) of the runs: 5–95 % and 25–75 % of them, and the median")),
        std::string(translate("Share of runs not yet extinct")),
        "t",
        "N",
        std::string(translate("share of runs")),
        std::string(translate("5–95 % of runs")),
        std::string(translate("25–75 % of runs")),
        std::string(translate("median")),
        std::string(translate("without chance")),
        std::string(translate("Computing the ensemble…")),
        std::string(translate("Save data as CSV")),
        std::string(translate("Tarnis ensemble.csv")),
    };
}

std::string bandRunsWords(long long runs, int steps)
{
    const long long drawn = bandRuns(runs, steps);
    if (drawn >= runs)
        return {};
    return fill(translate("Bands from the first {drawn} of {runs} runs."),
                {{"drawn", countText(static_cast<unsigned long long>(drawn))},
                 {"runs", countText(static_cast<unsigned long long>(runs))}});
}

std::string ensembleProgressWords(long long done, long long total)
{
    return fill(
        translatePlural("{done} of {total} run", "{done} of {total} runs", static_cast<unsigned long long>(total)),
        {{"done", countText(static_cast<unsigned long long>(done))},
         {"total", countText(static_cast<unsigned long long>(total))}});
}

} // namespace tarnis

namespace tarnis {

EnsembleReading readEnsembleEntry(const EnsembleEntry& entry, const RunParameters& run, char separator)
{
    const ChanceWords words = chanceWords();
    EnsembleRequest request{.parameters = run, .runs = entry.runs};
    request.noise.demographic = entry.demographic;
    if (entry.environmental) {
        const auto sigma = convertStrict(entry.sigma, separator);
        if (!sigma || !(*sigma > 0.0 && *sigma <= MostSigma))
            return {.refusal = takes(words.sigmaCaption,
                                     fill(translate("a number above 0 and at most {most}"),
                                          {{"most", numberToText(MostSigma, separator)}}))};
        request.noise.sigma = *sigma;
    }
    const auto seed = readSeed(entry.seed);
    if (!seed)
        return {.refusal
                = takes(words.seedCaption,
                        fill(translate("a whole number from {least} to {most}"),
                             {{"least", "0"}, {"most", std::to_string(std::numeric_limits<std::uint64_t>::max())}}))};
    request.seed = *seed;
    const auto threshold = convertStrict(entry.threshold, separator);
    if (!threshold || !(*threshold >= 0.0))
        return {.refusal = takes(words.thresholdCaption, std::string(translate("a number of animals, 0 or more")))};
    request.threshold = *threshold;
    if (entry.runs < 1 || entry.runs > MostWindowRuns)
        return {.refusal = takes(words.runsCaption,
                                 fill(translate("a whole number from {least} to {most}"),
                                      {{"least", "1"}, {"most", countText(MostWindowRuns)}}))};
    return {.request = request};
}

EnsembleRequestRefusals ensembleRequestRefusals()
{
    return {std::string(translate("an ensemble's seed must be a text of its digits")),
            std::string(translate("an ensemble's seed must be a whole number from 0 to 2^64 - 1")),
            fill(translate("sigma must be from 0 to {most} and the threshold 0 or more"),
                 {{"most", numberToText(MostSigma, '.')}})};
}

std::vector<std::string> ensembleDataColumns()
{
    return {"t", "survival", "N 5 %", "N 25 %", "N median", "N 75 %", "N 95 %"};
}

} // namespace tarnis
