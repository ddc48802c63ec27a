// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/chance_words.h"

#include "model/words/quantity_text.h"

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
    };
}

std::string ensembleProgressWords(long long done, long long total)
{
    return std::to_string(done).append(" of ").append(std::to_string(total)).append(" runs");
}

} // namespace tarnis
