// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/ensemble_table.h"

#include "model/words/chance_words.h"

#include <charconv>

namespace tarnis {

namespace {

void appendValue(std::string& text, double value)
{
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, written.ptr);
}

} // namespace

std::string ensembleTableTitle(const ExtinctionSummary& summary, int steps)
{
    std::string title = ensembleWords(summary, steps, '.');
    const std::string note = bandRunsWords(summary.runs, steps);
    if (!note.empty())
        title.append(" ").append(note);
    return std::string("\"").append(title).append("\"");
}

std::string ensembleTableText(const EnsembleTable& table, bool titled, std::string_view lineEnd)
{
    std::string text;
    if (titled)
        text.append(ensembleTableTitle(table.summary, table.steps)).append(lineEnd);
    text.append("time,survival,N_5,N_25,N_50,N_75,N_95").append(lineEnd);
    for (std::size_t t = 0; t < table.survival.size() && t < table.bands.size(); ++t) {
        text.append(std::to_string(t)).append(",");
        appendValue(text, table.survival[t]);
        for (const double value : table.bands[t]) {
            text.append(",");
            appendValue(text, value);
        }
        text.append(lineEnd);
    }
    return text;
}

} // namespace tarnis
