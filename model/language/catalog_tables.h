// The shape of the tables that model/language/compile_catalog.py makes from the catalog's .po files,
// one per language, each sorted by its keys' bytes so that a text is found by halving.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tarnis::catalog_tables {

// Languages with more forms of a counted noun than this (few have more than four) need a larger table.
inline constexpr int MostPluralForms = 6;

struct CatalogEntry {
    // The English text, or its context, the byte 4 and the English text where one English text has
    // two meanings.
    std::string_view key;
    // The translation, or its plural forms in the language's order.
    std::array<std::string_view, MostPluralForms> forms;
};

struct CatalogTable {
    std::string_view code; // BCP 47: "de", "es", "en-XA"
    std::span<const CatalogEntry> entries;
    // Which plural form a count takes: gettext's own expression, compiled.
    int (*plural)(unsigned long long n);
    // Whether people are offered it: the pseudo-language is for tests.
    bool offered;
};

std::span<const CatalogTable> all();

} // namespace tarnis::catalog_tables
