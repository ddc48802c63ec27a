// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/chance_words.h"

#include "model/numbers/conversions.h"
#include "model/words/quantity_text.h"

#include <charconv>
#include <limits>

namespace tarnis {

namespace {

namespace q = quantity_text;

std::string share(const Estimate& estimate, char separator)
{
    return std::string(" (")
        .append(q::percent(100.0 * estimate.low, separator))
        .append("–")
        .append(q::percent(100.0 * estimate.high, separator))
        .append(" %)");
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
    std::string name = caption.ends_with(':') ? caption.substr(0, caption.size() - 1) : caption;
    return name.append(" takes ").append(what).append(".");
}

} // namespace

std::string ensembleWords(const ExtinctionSummary& summary, int steps, char separator)
{
    std::string text = "Of " + std::to_string(summary.runs) + (summary.runs == 1 ? " run, " : " runs, ");
    if (summary.extinct == 0)
        text += "none";
    else if (summary.extinct == summary.runs)
        text += summary.runs == 1 ? "it" : "all";
    else
        text += std::to_string(summary.extinct);
    text += share(summary.share, separator) + " died out by t = " + std::to_string(steps);
    if (summary.medianTime && summary.extinct > 1)
        text += std::string("; half of ")
                    .append(summary.extinct == summary.runs ? "them" : "those")
                    .append(" by t = ")
                    .append(q::steps((long long)summary.medianTime->value));
    return text + ".";
}

ChanceWords chanceWords()
{
    return {
        "Chance…",
        "Chance",
        "Noise:",
        "Demographic (whole animals)",
        "Environmental (good and bad years)",
        "Both",
        "σ of the years:",
        "Runs:",
        "Seed:",
        "Extinct below:",
        "Run the ensemble",
        "N(t) of the runs: 5–95 % and 25–75 % of them, and the median",
        "Share of runs not yet extinct",
        "t",
        "N",
        "share of runs",
        "5–95 % of runs",
        "25–75 % of runs",
        "median",
        "without chance",
        "Computing the ensemble…",
        "Save data as CSV",
        "Tarnis ensemble.csv",
    };
}

std::string bandRunsWords(long long runs, int steps)
{
    const long long drawn = bandRuns(runs, steps);
    if (drawn >= runs)
        return {};
    return std::string("Bands from the first ")
        .append(std::to_string(drawn))
        .append(" of ")
        .append(std::to_string(runs))
        .append(" runs.");
}

std::string ensembleProgressWords(long long done, long long total)
{
    return std::to_string(done).append(" of ").append(std::to_string(total)).append(" runs");
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
            return {.refusal
                    = takes(words.sigmaCaption,
                            std::string("a number above 0 and at most ").append(numberToText(MostSigma, separator)))};
        request.noise.sigma = *sigma;
    }
    const auto seed = readSeed(entry.seed);
    if (!seed)
        return {.refusal = takes(words.seedCaption,
                                 std::string("a whole number from 0 to ")
                                     .append(std::to_string(std::numeric_limits<std::uint64_t>::max())))};
    request.seed = *seed;
    const auto threshold = convertStrict(entry.threshold, separator);
    if (!threshold || !(*threshold >= 0.0))
        return {.refusal = takes(words.thresholdCaption, "a number of animals, 0 or more")};
    request.threshold = *threshold;
    if (entry.runs < 1 || entry.runs > MostWindowRuns)
        return {.refusal = takes(words.runsCaption,
                                 std::string("a whole number from 1 to ").append(std::to_string(MostWindowRuns)))};
    return {.request = request};
}

EnsembleRequestRefusals ensembleRequestRefusals()
{
    return {"an ensemble's seed must be a text of its digits",
            "an ensemble's seed must be a whole number from 0 to 2^64 - 1",
            std::string("sigma must be from 0 to ")
                .append(numberToText(MostSigma, '.'))
                .append(" and the threshold 0 or more")};
}

std::vector<std::string> ensembleDataColumns()
{
    return {"t", "survival", "N 5 %", "N 25 %", "N median", "N 75 %", "N 95 %"};
}

} // namespace tarnis
