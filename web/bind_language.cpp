// The catalog for the page: which languages there are, which one the reader's browser asks for, the
// choice, and the texts in it. The page's own words are looked up here by their English, as the
// desktop looks up its own; the model's sentences are in the chosen language once it is set.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/language/catalog.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

#include <vector>

namespace tarnis::web {

namespace {

val languages()
{
    val list = val::array();
    for (const Language& language : offeredLanguages()) {
        val entry = val::object();
        entry.set("code", std::string(language.code));
        entry.set("name", language.name);
        list.call<void>("push", entry);
    }
    return list;
}

std::string matched(const std::string& wishes) { return std::string(matchLanguage(wishes)); }
void choose(const std::string& code) { setLanguage(code); }
std::string chosen() { return std::string(currentLanguage()); }
std::string translated(const std::string& english) { return std::string(translate(english)); }
std::string translatedIn(const std::string& context, const std::string& english)
{
    return std::string(translateIn(context, english));
}
// A count beyond 2^53 has no exact JavaScript number; the page counts far less.
std::string translatedPlural(const std::string& one, const std::string& many, double count)
{
    return std::string(translatePlural(one, many, count < 0.0 ? 0ULL : static_cast<unsigned long long>(count)));
}

// Every {name} of the pattern that the object has, filled with its value as text.
std::string filled(const std::string& pattern, const val& values)
{
    const val names = val::global("Object").call<val>("keys", values);
    std::vector<std::string> keys;
    std::vector<Filling> fillings;
    const int count = names["length"].as<int>();
    keys.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        keys.push_back(names[i].as<std::string>());
        fillings.push_back({keys.back(), values[keys.back()].call<std::string>("toString")});
    }
    return fill(pattern, fillings);
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_language)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("offeredLanguages", &languages);
    function("matchLanguage", &matched);
    function("setLanguage", &choose);
    function("currentLanguage", &chosen);
    function("translate", &translated);
    function("translateIn", &translatedIn);
    function("translatePlural", &translatedPlural);
    function("fill", &filled);
}
