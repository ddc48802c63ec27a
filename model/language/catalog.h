// The words people read, in the language they read them in. Every sentence, caption, title and name
// that a front end shows is looked up here by its English text, which is also what English shows; the
// translations come from one gettext catalog per language (model/language/po), compiled into the
// model, so the desktop program and the page speak a language as soon as its one file is added.
// tarnis-run never chooses a language: what it writes for programs stays English.
//
// Sentences with numbers are whole sentences with named placeholders ("Population size at t =
// {step}"), filled after the lookup, so that a translation may put the words in its own order; a
// text that counts something has the plural forms of its language.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnis {

struct Language {
    std::string_view code; // BCP 47: "en", "de", "es"
    std::string name;      // in itself: "English", "Deutsch", "Español"
};

// The languages people may choose, English first.
std::vector<Language> offeredLanguages();

// The language that best answers a list of wishes, each in POSIX form ("de_AT.UTF-8", or LANGUAGE's
// "de:en") or BCP 47 ("de-AT"), separated by colons: the first wish the catalog speaks, by its whole
// code or else by its language alone; English when none is spoken ("C" and "POSIX" are English).
std::string_view matchLanguage(std::string_view wishes);

// The language that a POSIX environment asks for, as gettext reads it: LANGUAGE's list first, unless
// the locale (LC_ALL, else LC_MESSAGES, else LANG) is C or POSIX, which is English; then the locale.
std::string_view environmentLanguage(std::string_view language, std::string_view lcAll, std::string_view lcMessages,
                                     std::string_view lang);

// Chooses the language every later lookup answers in, on every thread; an unknown code is English.
void setLanguage(std::string_view code);
std::string_view currentLanguage();

// While one lives, this thread's lookups answer in English whatever language is chosen: what is
// written for programs (a saved table's title line) reads the same in every language.
class InEnglish {
public:
    InEnglish();
    ~InEnglish();
    InEnglish(const InEnglish&) = delete;
    InEnglish& operator=(const InEnglish&) = delete;
};

// The text in the current language, or the English text where the catalog has no translation.
std::string_view translate(std::string_view english);
// The same for an English text that has two meanings, told apart by its context ("time", an axis, or
// a span).
std::string_view translateIn(std::string_view context, std::string_view english);
// The form for a count: translatePlural("{count} step", "{count} steps", n), then fill.
std::string_view translatePlural(std::string_view one, std::string_view many, unsigned long long count);

// A count as the current language writes it for a reader: "12500" in English (as Tarnis always
// wrote it), "12.500" in German, "12 500" in Spanish; grouped from five digits on, as the languages'
// style guides ask.
std::string countText(unsigned long long count);

// Marks a text written in a table, to be translated where it is shown: the catalog's extractor finds
// the text here, and translate() finds its translation there.
constexpr std::string_view catalogText(std::string_view english) { return english; }

// A pattern with each {name} replaced by its value; an unknown placeholder stays as it stands.
struct Filling {
    std::string_view name;
    std::string value;
};
std::string fill(std::string_view pattern, std::span<const Filling> fillings);
inline std::string fill(std::string_view pattern, std::initializer_list<Filling> fillings)
{
    return fill(pattern, std::span<const Filling>(fillings.begin(), fillings.size()));
}

} // namespace tarnis
