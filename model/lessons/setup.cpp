// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/setup.h"

#include "model/language/catalog.h"
#include "model/lessons/activities.h"
#include "model/lessons/json_text.h"
#include "model/numbers/conversions.h"
#include "model/run/kept_runs.h"
#include "model/run/parameter_boxes.h"

#include <algorithm>
#include <array>
#include <functional>

namespace tarnis {

namespace {

constexpr char Point = '.';

// The settings' names in links and files, with the box each fills.
struct BoxSetting {
    std::string_view name;
    ParameterBox box;
    std::string RunTexts::*text;
};
constexpr std::array<BoxSetting, 5> BoxSettings{{
    {"r", ParameterBox::r, &RunTexts::r},
    {"N0", ParameterBox::n0, &RunTexts::n0},
    {"K", ParameterBox::K, &RunTexts::K},
    {"T", ParameterBox::lag, &RunTexts::lag},
    {"steps", ParameterBox::steps, &RunTexts::steps},
}};

// Each note is a whole sentence per carrier, as a language may word "the link's" and "the set-up
// file's" quite apart.
std::string leftAside(SetupCarrier carrier, std::string_view setting)
{
    // TRANSLATORS: {setting} is a setting's name as a link or a set-up file writes it, which stays as it is.
    return fill(
        carrier == SetupCarrier::Link
            ? translate("The link's setting \"{setting}\" is not one Tarnis knows, so it was left aside.")
            : translate("The set-up file's setting \"{setting}\" is not one Tarnis knows, so it was left aside."),
        {{"setting", std::string(setting)}});
}

// A box's text as the box takes it on Enter: the text, or the box's default with the box's words.
std::string boxText(ParameterBox box, std::string_view text, std::vector<std::string>& notes)
{
    if (text.size() > LongestSetupValue || !json::plainText(text)) {
        notes.push_back(entryNote(box, EntryFix::NotAccepted, Point));
        return defaultText(box, Point);
    }
    const EnterResult entered = confirmEntry(box, text, Point);
    if (!entered.replacement)
        return std::string(text);
    notes.push_back(entryNote(box, entered.fix, Point));
    return *entered.replacement;
}

// The five texts of a kept run, "r,N0,K,T,steps" in a link.
std::optional<RunTexts> keptRunTexts(std::string_view value, std::vector<std::string>& notes)
{
    RunTexts texts = defaultRunTexts();
    std::size_t from = 0;
    for (std::size_t i = 0; i < BoxSettings.size(); ++i) {
        const std::size_t to = i + 1 < BoxSettings.size() ? value.find(',', from) : value.size();
        if (to == std::string_view::npos || (i + 1 == BoxSettings.size() && value.find(',', from) != value.npos))
            return std::nullopt;
        texts.*BoxSettings[i].text = boxText(BoxSettings[i].box, value.substr(from, to - from), notes);
        from = to + 1;
    }
    return texts;
}

// Reads one setting into the set-up; false for a name Tarnis does not know.
class SettingReader {
public:
    SettingReader(SetupCarrier carrier, ReadSetup& read)
        : m_carrier(carrier)
        , m_read(read)
    {
    }

    bool box(std::string_view name, std::string_view value)
    {
        for (const BoxSetting& setting : BoxSettings)
            if (name == setting.name) {
                m_read.setup.run.*setting.text = boxText(setting.box, value, m_read.notes);
                return true;
            }
        return false;
    }

    void chart(std::string_view value)
    {
        if (const auto kind = chartKindNamed(value))
            m_read.setup.chart = *kind;
        else
            // TRANSLATORS: what Tarnis does instead of a setting it cannot use, the end of a sentence
            // "The link's setting "chart" has a value Tarnis cannot use, so …".
            note("chart", translate("the first chart is shown"));
    }

    void logarithmicN(std::optional<bool> value)
    {
        if (value)
            m_read.setup.logarithmicN = *value;
        else
            note("log", translate("the N axis stays linear"));
    }

    void diagramAxis(std::string_view value)
    {
        if (value == "rate" || value == "lag")
            m_read.setup.diagramAxis = value == "rate" ? BifurcationAxis::Rate : BifurcationAxis::Lag;
        else
            note("diagram", translate("the diagram is drawn over r"));
    }

    void kept(std::optional<RunTexts> texts)
    {
        if (!texts)
            return note("keep", translate("no run was kept for it"));
        if (int(m_read.setup.kept.size()) == MaxKeptRuns)
            return note(
                "keep",
                fill(translatePlural("at most {count} run is kept", "at most {count} runs are kept", MaxKeptRuns),
                     {{"count", std::to_string(MaxKeptRuns)}}));
        m_read.setup.kept.push_back(std::move(*texts));
    }

    void activity(std::string_view value) { m_read.setup.activity = value; }

    // One of the catalog's languages, by its code ("de", or "de-AT" for German); else the browser's.
    void language(std::string_view value)
    {
        const std::string_view spoken = matchLanguage(value);
        const std::string_view asked = value.substr(0, value.find_first_of("-_"));
        if (spoken.substr(0, spoken.find('-')) == asked && !asked.empty())
            m_read.setup.language = spoken;
        else
            note("lang", translate("the page speaks the browser's language"));
    }

    void activityStep(std::string_view value)
    {
        const std::optional<double> step = convertStrict(value, Point);
        m_read.setup.activityStep = step && *step >= 1 && *step <= 99 && *step == double(int(*step)) ? int(*step) : -1;
    }

    // Once every setting is read: an activity Tarnis has, at one of its steps (the first when the
    // step is left out or is none of them).
    void settleActivity()
    {
        Setup& setup = m_read.setup;
        if (setup.activity.empty() && setup.activityStep == 0)
            return;
        const Activity* named = activityNamed(setup.activity);
        if (!named) {
            note(setup.activity.empty() ? "step" : "activity", translate("no activity is opened"));
            setup.activity.clear();
            setup.activityStep = 0;
            return;
        }
        if (setup.activityStep < 0 || setup.activityStep > int(named->steps.size()))
            note("step", translate("the activity opens at its first step"));
        if (setup.activityStep < 1 || setup.activityStep > int(named->steps.size()))
            setup.activityStep = 1;
    }

    void unknown(std::string name)
    {
        if (name.size() > LongestSetupValue)
            name = name.substr(0, LongestSetupValue) + "…";
        // TRANSLATORS: in place of a setting's name that cannot be shown.
        m_read.notes.push_back(
            leftAside(m_carrier, json::plainText(name) ? name : std::string(translate("(unreadable)"))));
    }

    std::vector<std::string>& notes() { return m_read.notes; }

private:
    void note(std::string_view setting, std::string_view instead)
    {
        // TRANSLATORS: {setting} is a setting's name, which stays as it is; {instead} what Tarnis does
        // instead, as translated with it ("the first chart is shown").
        m_read.notes.push_back(fill(
            m_carrier == SetupCarrier::Link
                ? translate("The link's setting \"{setting}\" has a value Tarnis cannot use, so {instead}.")
                : translate("The set-up file's setting \"{setting}\" has a value Tarnis cannot use, so {instead}."),
            {{"setting", std::string(setting)}, {"instead", std::string(instead)}}));
    }

    SetupCarrier m_carrier;
    ReadSetup& m_read;
};

std::optional<bool> flagOf(std::string_view value)
{
    if (value == "1" || value == "true")
        return true;
    if (value == "0" || value == "false")
        return false;
    return std::nullopt;
}

std::string percentEncoded(std::string_view text)
{
    constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
            || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        }
    }
    return out;
}

// "%41" as "A", "+" kept as it is (a fragment is no form); a broken escape stays as it stands.
std::string percentDecoded(std::string_view text)
{
    const auto hex = [](char c) {
        return c >= '0' && c <= '9' ? c - '0'
            : c >= 'a' && c <= 'f'  ? c - 'a' + 10
            : c >= 'A' && c <= 'F'  ? c - 'A' + 10
                                    : -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() + 0 && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += char(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string keptValue(const RunTexts& texts)
{
    std::string value;
    for (const BoxSetting& setting : BoxSettings)
        value.append(value.empty() ? "" : ",").append(texts.*setting.text);
    return value;
}

void tooMany(SetupCarrier carrier, std::vector<std::string>& notes)
{
    // TRANSLATORS: {count} is 64; "the {count}th" is its ordinal.
    notes.push_back(fill(carrier == SetupCarrier::Link
                             ? translate("The link holds more than {count} settings; those after the {count}th were "
                                         "left aside.")
                             : translate("The set-up file holds more than {count} settings; those after the {count}th "
                                         "were left aside."),
                         {{"count", std::to_string(MostSetupSettings)}}));
}

} // namespace

RunTexts defaultRunTexts()
{
    RunTexts texts;
    for (const BoxSetting& setting : BoxSettings)
        texts.*setting.text = defaultText(setting.box, Point);
    return texts;
}

namespace {

std::string exactText(double value)
{
    for (int digits = 15; digits < 17; ++digits) {
        std::string text = numberToText(value, Point, digits);
        if (readLenient(text, Point) == value)
            return text;
    }
    return numberToText(value, Point, 17);
}

} // namespace

RunTexts runTextsOf(const RunParameters& parameters)
{
    return {exactText(parameters.r), exactText(parameters.K), exactText(parameters.steps), exactText(parameters.n0),
            exactText(parameters.lag)};
}

namespace {

RunTexts withSeparator(RunTexts texts, char from, char to)
{
    for (const BoxSetting& setting : BoxSettings)
        std::replace(std::begin(texts.*setting.text), std::end(texts.*setting.text), from, to);
    return texts;
}

} // namespace

RunTexts inPointNotation(RunTexts texts, char separator) { return withSeparator(std::move(texts), separator, Point); }

RunTexts inLocaleNotation(RunTexts texts, char separator) { return withSeparator(std::move(texts), Point, separator); }

std::string setupFragment(const Setup& setup)
{
    std::string fragment;
    const auto add = [&](std::string_view name, std::string_view value) {
        fragment.append(fragment.empty() ? "" : "&").append(name).append("=").append(percentEncoded(value));
    };
    if (!setup.activity.empty()) {
        add("activity", setup.activity);
        add("step", std::to_string(setup.activityStep));
    }
    for (const BoxSetting& setting : BoxSettings)
        add(setting.name, setup.run.*setting.text);
    if (setup.chart != ChartKind::NtvsT)
        add("chart", chartKindName(setup.chart));
    if (setup.logarithmicN)
        add("log", "1");
    for (const RunTexts& kept : setup.kept)
        add("keep", keptValue(kept));
    if (setup.diagramAxis == BifurcationAxis::Lag)
        add("diagram", "lag");
    if (!setup.language.empty())
        add("lang", setup.language);
    return fragment;
}

ReadSetup readSetupFragment(std::string_view fragment)
{
    ReadSetup read{{defaultRunTexts()}, {}};
    SettingReader reader(SetupCarrier::Link, read);
    if (fragment.starts_with('#'))
        fragment.remove_prefix(1);
    int settings = 0;
    while (!fragment.empty()) {
        const std::size_t end = fragment.find('&');
        const std::string_view pair = fragment.substr(0, end);
        fragment = end == std::string_view::npos ? std::string_view() : fragment.substr(end + 1);
        if (pair.empty())
            continue;
        if (++settings > MostSetupSettings) {
            tooMany(SetupCarrier::Link, read.notes);
            break;
        }
        const std::size_t equals = pair.find('=');
        const std::string name = percentDecoded(pair.substr(0, equals));
        const std::string value
            = equals == std::string_view::npos ? std::string() : percentDecoded(pair.substr(equals + 1));
        if (reader.box(name, value))
            continue;
        if (name == "chart")
            reader.chart(value);
        else if (name == "log")
            reader.logarithmicN(flagOf(value));
        else if (name == "diagram")
            reader.diagramAxis(value);
        else if (name == "keep")
            reader.kept(value.size() > 5 * LongestSetupValue ? std::nullopt : keptRunTexts(value, read.notes));
        else if (name == "activity")
            reader.activity(value);
        else if (name == "step")
            reader.activityStep(value);
        else if (name == "lang")
            reader.language(value);
        else
            reader.unknown(name);
    }
    reader.settleActivity();
    return read;
}

std::string setupFileText(const Setup& setup)
{
    const auto texts = [](const RunTexts& run, std::string_view indent) {
        std::string out;
        for (const BoxSetting& setting : BoxSettings)
            out += std::string(indent) + json::quoted(setting.name) + ": " + json::quoted(run.*setting.text) + ",\n";
        return out;
    };
    std::string text = "{\n  \"tarnis\": \"set-up\",\n  \"version\": " + std::to_string(SetupVersion) + ",\n";
    text += texts(setup.run, "  ");
    text += "  \"chart\": " + json::quoted(chartKindName(setup.chart)) + ",\n";
    text += std::string("  \"logN\": ") + (setup.logarithmicN ? "true" : "false") + ",\n";
    text += "  \"kept\": [";
    for (std::size_t i = 0; i < setup.kept.size(); ++i) {
        std::string run = texts(setup.kept[i], "      ");
        run.resize(run.size() - 2); // the last member's ",\n"
        text.append(i ? "," : "").append("\n    {\n").append(run).append("\n    }");
    }
    text += setup.kept.empty() ? "],\n" : "\n  ],\n";
    text += std::string("  \"diagram\": ") + (setup.diagramAxis == BifurcationAxis::Lag ? "\"lag\"" : "\"rate\"");
    if (!setup.activity.empty())
        text.append(",\n  \"activity\": ")
            .append(json::quoted(setup.activity))
            .append(",\n  \"step\": ")
            .append(std::to_string(setup.activityStep));
    text += "\n}\n";
    return text;
}

std::variant<ReadSetup, std::string> readSetupFile(std::string_view text)
{
    const auto parsed = json::read(text);
    if (const auto* error = std::get_if<json::ReadError>(&parsed))
        // TRANSLATORS: {reason} says what is wrong with the file's text ("a string is not closed").
        return fill(translate("The file is no Tarnis set-up: {reason} (at byte {byte})."),
                    {{"reason", error->reason}, {"byte", std::to_string(error->offset + 1)}});
    const json::Value& root = std::get<json::Value>(parsed);
    const json::Value* kind = root.member("tarnis");
    if (!kind || !kind->string() || *kind->string() != "set-up")
        // TRANSLATORS: "tarnis": "set-up" is what the file must say, word for word: keep it.
        return std::string(translate("The file is no Tarnis set-up: it does not say \"tarnis\": \"set-up\"."));
    const json::Value* version = root.member("version");
    const std::optional<double> number
        = version && version->number() ? readLenient(version->number()->text) : std::nullopt;
    if (!number || *number < 1 || *number != double(int(*number)))
        return std::string(translate("The file is no Tarnis set-up: its version is not a whole number from 1."));
    if (*number > SetupVersion)
        return fill(translate("The set-up was saved by a newer Tarnis (set-up version {version}); this one reads "
                              "versions up to {newest}. Nothing was changed."),
                    {{"version", version->number()->text}, {"newest", std::to_string(SetupVersion)}});

    ReadSetup read{{defaultRunTexts()}, {}};
    SettingReader reader(SetupCarrier::File, read);
    const json::Members& members = *root.members();
    if (int(members.size()) > MostSetupSettings)
        tooMany(SetupCarrier::File, read.notes);
    const auto textOf = [](const json::Value& value) -> std::optional<std::string> {
        if (value.string())
            return *value.string();
        if (value.number())
            return value.number()->text;
        return std::nullopt;
    };
    int settings = 0;
    for (const auto& [name, value] : members) {
        if (++settings > MostSetupSettings)
            break;
        if (name == "tarnis" || name == "version")
            continue;
        const std::optional<std::string> valueText = textOf(value);
        if (valueText && reader.box(name, *valueText))
            continue;
        if (name == "chart")
            reader.chart(valueText.value_or(std::string()));
        else if (name == "logN")
            reader.logarithmicN(value.boolean() ? std::optional(*value.boolean()) : std::nullopt);
        else if (name == "diagram")
            reader.diagramAxis(valueText.value_or(std::string()));
        else if (name == "kept" && value.items()) {
            for (const json::Value& run : *value.items()) {
                if (!run.members()) {
                    reader.kept(std::nullopt);
                    continue;
                }
                RunTexts texts = defaultRunTexts();
                for (const BoxSetting& setting : BoxSettings)
                    if (const json::Value* member = run.member(setting.name); member && textOf(*member))
                        texts.*setting.text = boxText(setting.box, *textOf(*member), read.notes);
                reader.kept(std::move(texts));
            }
        } else if (name == "activity")
            reader.activity(valueText.value_or("\x01")); // a value that names no activity
        else if (name == "step")
            reader.activityStep(valueText.value_or(std::string()));
        else
            reader.unknown(name);
    }
    reader.settleActivity();
    return read;
}

SetupMenuWords setupMenuWords()
{
    const auto owned = [](std::string_view text) { return std::string(text); };
    return {
        {owned(translate("Copy link to this set-up")),
         owned(translate("Puts an address on the clipboard that opens Tarnis with these parameters, this chart and "
                         "the kept runs"))},
        {owned(translate("Save set-up…")),
         owned(translate("Saves the parameters, the chart and the kept runs as a small file to hand out"))},
        {owned(translate("Open set-up…")),
         owned(translate("Opens a set-up file and shows its run, its chart and its kept runs"))},
        {owned(translate("Save this page with this set-up")),
         owned(translate("Saves this page as one file that opens with this set-up, for sending where a link's "
                         "address gets lost"))},
        // TRANSLATORS: the name a saved set-up is offered under; keep the ending ".tarnis", which tells
        // Tarnis's files apart.
        owned(translate("tarnis-setup.tarnis")),
        ".tarnis",
        // TRANSLATORS: the kind of file in a file dialog's list of types.
        owned(translate("Tarnis set-ups")),
        // TRANSLATORS: the name a saved page is offered under; keep the ending ".html".
        owned(translate("tarnis-with-setup.html")),
    };
}

std::string setupAppliedWords(SetupCarrier carrier)
{
    return std::string(carrier == SetupCarrier::Link ? translate("The set-up from the link is on show.")
                                                     : translate("The set-up from the file is on show."));
}

} // namespace tarnis
