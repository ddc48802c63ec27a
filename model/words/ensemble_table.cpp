// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/ensemble_table.h"

#include "model/words/chance_words.h"

#include "model/language/catalog.h"

#include "model/numbers/decimal_digits.h"

#include <cmath>

namespace tarnis {

namespace {

// As std::to_chars writes it, which the WebAssembly build's library lacks for doubles: a band above
// every double is "inf", as tarnis-run has always written it.
void appendValue(std::string& text, double value)
{
    if (std::isinf(value))
        text.append(value > 0 ? "inf" : "-inf");
    else
        text.append(decimal::shortestForm(decimal::buildPath(), value));
}

} // namespace

std::string ensembleTableTitle(const ExtinctionSummary& summary, int steps)
{
    // The saved table reads the same in every language, as tarnis-run writes it.
    const InEnglish english;
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
