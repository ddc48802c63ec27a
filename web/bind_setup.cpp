// A set-up that travels, for the page: the address fragment and the set-up file written from the page's
// set-up and read back by the model's rules, with the model's notes, and the words of the commands
// that hand a set-up on. A set-up is a plain object whose texts are in the point's notation; the page
// turns its boxes' texts into that notation and back here too, so that it never swaps separators itself.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/bind_setup.h"

#include <emscripten/bind.h>

namespace tarnis::web {

namespace {

val textsToJs(const RunTexts& texts)
{
    val object = val::object();
    object.set("r", texts.r);
    object.set("n0", texts.n0);
    object.set("K", texts.K);
    object.set("lag", texts.lag);
    object.set("steps", texts.steps);
    return object;
}

std::string textProperty(const val& object, const char* key)
{
    const val value = object[key];
    if (!value.isString())
        throwError("TypeError", std::string("a set-up's ") + key + " must be a text");
    return value.as<std::string>();
}

RunTexts textsOf(const val& object)
{
    if (object.isNull() || object.typeOf().as<std::string>() != "object")
        throwError("TypeError", "a run's texts must be an object");
    return {textProperty(object, "r"), textProperty(object, "K"), textProperty(object, "steps"),
            textProperty(object, "n0"), textProperty(object, "lag")};
}

val readToJs(const ReadSetup& read)
{
    val object = val::object();
    object.set("setup", setupToJs(read.setup));
    val notes = val::array();
    for (const std::string& note : read.notes)
        notes.call<void>("push", note);
    object.set("notes", notes);
    return object;
}

std::string fragmentOf(const val& setup) { return setupFragment(setupOf(setup)); }

val readFragment(const std::string& fragment) { return readToJs(readSetupFragment(fragment)); }

std::string fileTextOf(const val& setup) { return setupFileText(setupOf(setup)); }

val readFile(const std::string& text)
{
    const auto read = readSetupFile(text);
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        val object = val::object();
        object.set("refusal", *refusal);
        return object;
    }
    return readToJs(std::get<ReadSetup>(read));
}

val inPoint(const val& texts, const std::string& separator)
{
    return textsToJs(inPointNotation(textsOf(texts), separatorOf(separator)));
}

val inLocale(const val& texts, const std::string& separator)
{
    return textsToJs(inLocaleNotation(textsOf(texts), separatorOf(separator)));
}

val textsOfRun(const val& parameters) { return textsToJs(runTextsOf(runOf(parameters, Steps::Matter))); }

val commandToJs(const SetupCommand& command)
{
    val object = val::object();
    object.set("caption", command.caption);
    object.set("toolTip", command.toolTip);
    return object;
}

val menuWords()
{
    const SetupMenuWords words = setupMenuWords();
    val object = val::object();
    object.set("copyLink", commandToJs(words.copyLink));
    object.set("saveFile", commandToJs(words.saveFile));
    object.set("openFile", commandToJs(words.openFile));
    object.set("savePage", commandToJs(words.savePage));
    object.set("fileName", words.fileName);
    object.set("fileSuffix", words.fileSuffix);
    object.set("pageFileName", words.pageFileName);
    return object;
}

std::string appliedWords(const std::string& carrier)
{
    if (carrier != "link" && carrier != "file")
        throwError("RangeError", "a set-up comes in a link or a file");
    return setupAppliedWords(carrier == "link" ? SetupCarrier::Link : SetupCarrier::File);
}

} // namespace

val setupToJs(const Setup& setup)
{
    val object = val::object();
    object.set("run", textsToJs(setup.run));
    object.set("chart", std::string(chartKindName(setup.chart)));
    object.set("logarithmicN", setup.logarithmicN);
    val kept = val::array();
    for (const RunTexts& run : setup.kept)
        kept.call<void>("push", textsToJs(run));
    object.set("kept", kept);
    object.set("diagramAxis", nameOf(AxisNames, setup.diagramAxis));
    object.set("activity", setup.activity);
    object.set("activityStep", setup.activityStep);
    if (!setup.language.empty())
        object.set("language", setup.language);
    return object;
}

Setup setupOf(const val& object)
{
    Setup setup{textsOf(object["run"])};
    const val chart = object["chart"];
    const auto kind = chart.isString() ? chartKindNamed(chart.as<std::string>()) : std::nullopt;
    if (!kind)
        throwError("RangeError", "no such chart kind");
    setup.chart = *kind;
    setup.logarithmicN = object["logarithmicN"].as<bool>();
    const val kept = object["kept"];
    const int count = kept.isArray() ? kept["length"].as<int>() : 0;
    for (int i = 0; i < count; ++i)
        setup.kept.push_back(textsOf(kept[i]));
    setup.diagramAxis = valueNamed(AxisNames, object["diagramAxis"]);
    // A set-up without an activity may leave both out.
    if (const val activity = object["activity"]; !activity.isUndefined()) {
        if (!activity.isString())
            throwError("TypeError", "a set-up's activity must be a text");
        setup.activity = activity.as<std::string>();
        setup.activityStep = object["activityStep"].as<int>();
    }
    if (const val language = object["language"]; language.isString())
        setup.language = language.as<std::string>();
    return setup;
}

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_setup)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("setupFragment", &fragmentOf);
    function("readSetupFragment", &readFragment);
    function("setupFileText", &fileTextOf);
    function("readSetupFile", &readFile);
    function("inPointNotation", &inPoint);
    function("inLocaleNotation", &inLocale);
    function("runTextsOf", &textsOfRun);
    function("setupMenuWords", &menuWords);
    function("setupAppliedWords", &appliedWords);
    constant("MostSetupSettings", tarnis::MostSetupSettings);
}
