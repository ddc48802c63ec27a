// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/language/catalog.h"

#include "model/language/catalog_tables.h"

#include <algorithm>
#include <atomic>
#include <cctype>

namespace tarnis {
namespace {

using catalog_tables::CatalogEntry;
using catalog_tables::CatalogTable;

// The chosen language's table; none is English. Chosen once at start-up, or from the page's menu,
// while workers may be looking texts up.
std::atomic<const CatalogTable*> current{nullptr};
// How many InEnglish live on this thread.
thread_local int englishOnly = 0;

const CatalogTable* spoken() { return englishOnly > 0 ? nullptr : current.load(); }

// The key of an English text with a context, as the tables hold it.
std::string catalogTextIn(std::string_view context, std::string_view english)
{
    return std::string(context).append(1, '\x04').append(english);
}

const CatalogEntry* entryFor(const CatalogTable* table, std::string_view key)
{
    if (!table)
        return nullptr;
    const auto entries = table->entries;
    const auto found = std::lower_bound(entries.begin(), entries.end(), key,
                                        [](const CatalogEntry& entry, std::string_view k) { return entry.key < k; });
    return found != entries.end() && found->key == key ? &*found : nullptr;
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

const CatalogTable* tableNamed(std::string_view code)
{
    for (const CatalogTable& table : catalog_tables::all())
        if (lowered(table.code) == lowered(code))
            return &table;
    return nullptr;
}

// "de_AT.UTF-8@euro" as "de-AT".
std::string bcp47(std::string_view wish)
{
    wish = wish.substr(0, wish.find_first_of(".@"));
    std::string code(wish);
    std::replace(code.begin(), code.end(), '_', '-');
    return code;
}

} // namespace

std::vector<Language> offeredLanguages()
{
    std::vector<Language> languages{{"en", "English"}};
    for (const CatalogTable& table : catalog_tables::all()) {
        if (!table.offered)
            continue;
        // TRANSLATORS: the name of your language in itself, as the language menu offers it.
        const CatalogEntry* name = entryFor(&table, catalogTextIn("language name", "English"));
        languages.push_back({table.code, std::string(name ? name->forms[0] : table.code)});
    }
    return languages;
}

std::string_view matchLanguage(std::string_view wishes)
{
    while (!wishes.empty()) {
        const auto colon = wishes.find(':');
        const std::string code = bcp47(wishes.substr(0, colon));
        wishes = colon == std::string_view::npos ? std::string_view() : wishes.substr(colon + 1);
        const std::string language = lowered(code.substr(0, code.find('-')));
        if (language == "en" && !tableNamed(code))
            return "en";
        if (language == "c" || language == "posix")
            return "en";
        if (const CatalogTable* table = tableNamed(code))
            return table->code;
        if (const CatalogTable* table = tableNamed(language))
            return table->code;
    }
    return "en";
}

std::string_view environmentLanguage(std::string_view language, std::string_view lcAll, std::string_view lcMessages,
                                     std::string_view lang)
{
    const std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    const std::string base = lowered(bcp47(locale));
    if (base == "c" || base == "posix")
        return "en"; // a program in the C locale is not translated, whatever LANGUAGE says
    std::string wishes(language);
    return matchLanguage(wishes.append(wishes.empty() ? "" : ":").append(locale));
}

InEnglish::InEnglish() { ++englishOnly; }
InEnglish::~InEnglish() { --englishOnly; }

void setLanguage(std::string_view code) { current.store(tableNamed(code)); }

std::string_view currentLanguage()
{
    const CatalogTable* table = current.load();
    return table ? table->code : "en";
}

std::string_view translate(std::string_view english)
{
    const CatalogEntry* entry = entryFor(spoken(), english);
    return entry ? entry->forms[0] : english;
}

std::string_view translateIn(std::string_view context, std::string_view english)
{
    const CatalogEntry* entry = entryFor(spoken(), catalogTextIn(context, english));
    return entry ? entry->forms[0] : english;
}

std::string_view translatePlural(std::string_view one, std::string_view many, unsigned long long count)
{
    const CatalogTable* table = spoken();
    if (const CatalogEntry* entry = entryFor(table, one)) {
        const int form = table->plural(count);
        if (form >= 0 && form < catalog_tables::MostPluralForms && !entry->forms[std::size_t(form)].empty())
            return entry->forms[std::size_t(form)];
    }
    return count == 1 ? one : many;
}

std::string countText(unsigned long long count)
{
    std::string digits = std::to_string(count);
    // TRANSLATORS: what stands between groups of three digits in a count of 10000 or more ("." in
    // German, a no-break space in Spanish); write "none" where the digits stand together.
    const std::string_view separator = translateIn("digit group separator", "none");
    if (separator == "none" || digits.size() < 5)
        return digits;
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.append(separator);
        grouped.push_back(digits[i]);
    }
    return grouped;
}

std::string fill(std::string_view pattern, std::span<const Filling> fillings)
{
    std::string result;
    result.reserve(pattern.size());
    while (!pattern.empty()) {
        const auto open = pattern.find('{');
        const auto close = pattern.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            result.append(pattern);
            break;
        }
        result.append(pattern.substr(0, open));
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        const auto filling
            = std::find_if(fillings.begin(), fillings.end(), [name](const Filling& f) { return f.name == name; });
        if (filling != fillings.end())
            result.append(filling->value);
        else
            result.append(pattern.substr(open, close - open + 1));
        pattern.remove_prefix(close + 1);
    }
    return result;
}

} // namespace tarnis
