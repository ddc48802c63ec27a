// The run and everything around it that the page shows: a session with the result store of its last
// run and its kept runs, the refusal table's words, the rules of the parameter boxes, the conversions
// between box texts and numbers, and the text of the saved file.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/run/graphic_data.h"
#include "model/run/kept_runs.h"
#include "model/run/parameter_boxes.h"
#include "model/run/run_refusals.h"
#include "web/bind_charts.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

#include <memory>

namespace tarnis::web {

namespace {

constexpr Names<ParameterBox, 5> BoxNames{{
    {ParameterBox::n0, "n0"},
    {ParameterBox::r, "rrate"},
    {ParameterBox::K, "Kvalue"},
    {ParameterBox::lag, "tlag"},
    {ParameterBox::steps, "simut"},
}};

constexpr Names<RunRefusal, 10> RefusalNames{{
    {RunRefusal::RateOutOfRange, "rateOutOfRange"},
    {RunRefusal::CapacityOutOfRange, "capacityOutOfRange"},
    {RunRefusal::CapacityZero, "capacityZero"},
    {RunRefusal::StepsOutOfRange, "stepsOutOfRange"},
    {RunRefusal::InitialSizeNotANumber, "initialSizeNotANumber"},
    {RunRefusal::InitialSizeZero, "initialSizeZero"},
    {RunRefusal::LagNotANumber, "lagNotANumber"},
    {RunRefusal::LagNegative, "lagNegative"},
    {RunRefusal::InitialSizeNegative, "initialSizeNegative"},
    {RunRefusal::CapacityNegative, "capacityNegative"},
}};

constexpr Names<RangeExit::Value, 3> ExitValueNames{{
    {RangeExit::Value::N, "N"},
    {RangeExit::Value::DN, "dN"},
    {RangeExit::Value::DNperN, "dNperN"},
}};

constexpr Names<RangeExit::Way, 3> ExitWayNames{{
    {RangeExit::Way::Above, "above"},
    {RangeExit::Way::Below, "below"},
    {RangeExit::Way::Undefined, "undefined"},
}};

val refusalToJs(RunRefusal refusal, char separator)
{
    const RefusalReason& reason = refusalReason(refusal);
    val object = val::object();
    object.set("refusal", nameOf(RefusalNames, refusal));
    object.set("box", nameOf(BoxNames, reason.box));
    object.set("subject", reason.subject);
    object.set("boxCaption", reason.boxCaption);
    object.set("option", reason.option);
    object.set("rule", reason.rule);
    object.set("line", refusalLine(refusal));
    object.set("message", refusalMessage(refusal, separator));
    return object;
}

val refusedResult(RunRefusal refusal, char separator)
{
    val result = val::object();
    result.set("refused", true);
    result.set("refusal", refusalToJs(refusal, separator));
    return result;
}

// N(t), dN(t) and dN(t)/N(t) for t = 0 to the run's last step.
val valuesToJs(const ResultStore& store)
{
    const std::size_t count = std::size_t(store.LastStep) + 1;
    val values = val::object();
    values.set("N", numberArray(store.PopN.data(), count));
    values.set("dN", numberArray(store.PopDN.data(), count));
    values.set("dNperN", numberArray(store.PopDNperN.data(), count));
    return values;
}

GraphicDataFormat formatOf(const val& object)
{
    GraphicDataFormat format;
    if (object["roundToHundredths"].isTrue() || object["roundToHundredths"].isFalse())
        format.roundToHundredths = object["roundToHundredths"].as<bool>();
    if (object["significantDigits"].isNumber())
        format.significantDigits = object["significantDigits"].as<int>();
    if (format.significantDigits < 1 || format.significantDigits > 17)
        throwError("RangeError", "significant digits are 1 to 17");
    return format;
}

// What a page holds as the main window holds it: the result store of the last run (only a run writes
// it, and a refused run leaves it as it was), that run's parameters, and the runs kept for comparison.
class Session {
public:
    val runTexts(const val& texts, const std::string& separator)
    {
        const char decimal = separatorOf(separator);
        const RunTexts runTexts{texts["r"].as<std::string>(), texts["K"].as<std::string>(),
                                texts["steps"].as<std::string>(), texts["n0"].as<std::string>(),
                                texts["lag"].as<std::string>()};
        const auto read = readRunParameters(runTexts, decimal);
        if (const auto* refusal = std::get_if<RunRefusal>(&read))
            return refusedResult(*refusal, decimal);
        return runRead(std::get<RunParameters>(read), decimal);
    }

    val run(const val& parameters, const std::string& separator)
    {
        const char decimal = separatorOf(separator);
        const auto read = parametersOf(parameters);
        if (!read)
            return refusedResult(RunRefusal::StepsOutOfRange, decimal);
        if (const auto refusal = checkRunParameters(*read))
            return refusedResult(*refusal, decimal);
        return runRead(*read, decimal);
    }

    bool hasRun() const { return m_current.has_value(); }
    val values() const { return valuesToJs(*m_store); }

    std::string graphicData() const { return graphicDataText(*m_store); }
    std::string graphicDataFormatted(const val& format) const { return graphicDataText(*m_store, formatOf(format)); }

    bool keep() { return m_current && m_kept.keep(*m_store, *m_current); }
    void forgetKept() { m_kept.clear(); }

    val keptRuns(const std::string& separator) const
    {
        const char decimal = separatorOf(separator);
        val runs = val::array();
        for (const KeptRun& kept : m_kept.runs()) {
            val run = val::object();
            run.set("parameters", parametersToJs(kept.parameters));
            run.set("slot", kept.slot);
            run.set("label", runLabel(kept.parameters, decimal));
            run.set("values", valuesToJs(*kept.values));
            runs.call<void>("push", run);
        }
        return runs;
    }

    // The run charts of the store's run and the kept runs (bind_charts.cpp), and where `compared`, the
    // run's continuous-time twin with them in the kinds over t.
    val chart(const val& kind, bool logarithmicY, const std::string& separator) const
    {
        return chartOf(charted(), kind, logarithmicY, separatorOf(separator));
    }
    val chartCompared(const val& kind, bool logarithmicY, const std::string& separator, bool compared) const
    {
        return chartOf(charted(compared), kind, logarithmicY, separatorOf(separator));
    }
    val chartReadout(const val& kind, const val& point, const std::string& separator) const
    {
        return chartReadoutOf(charted(), kind, point, separatorOf(separator));
    }
    std::string chartDescription(const val& kind, const val& view, const val& mark, const std::string& separator) const
    {
        return chartDescriptionOf(charted(), kind, view, mark, separatorOf(separator));
    }
    std::string chartData(const val& kind, bool logarithmicY, const std::string& separator) const
    {
        return chartDataTextOf(charted(), kind, logarithmicY, separatorOf(separator));
    }
    std::string chartDataCompared(const val& kind, bool logarithmicY, const std::string& separator, bool compared) const
    {
        return chartDataTextOf(charted(compared), kind, logarithmicY, separatorOf(separator));
    }

private:
    ChartSource charted(bool compared = false) const
    {
        return {*m_store, m_current, m_kept, compared ? twin() : nullptr};
    }

    // The twin of the run on show, integrated again only for other parameters: a slider's frame pays
    // for it (about 2 ms at 2000 steps), a new kind, a kept run or a play's frame does not.
    const ContinuousRun* twin() const
    {
        if (!m_current)
            return nullptr;
        if (m_twinOf != m_current) {
            m_twin = continuousRun(*m_current);
            m_twinOf = m_current;
        }
        return &m_twin;
    }

    val runRead(const RunParameters& parameters, char separator)
    {
        const RunOutcome outcome = runModel(*m_store, parameters);
        m_current = parameters;
        val described = val::object();
        described.set("parameters", parametersToJs(parameters));
        described.set("end", nameOf(RunEndNames, outcome.end));
        described.set("lastStep", int(outcome.lastStep));
        described.set("resultText", numberToText(m_store->PopN[std::size_t(m_store->LastStep)], separator));
        if (outcome.exit) {
            val exit = val::object();
            exit.set("value", nameOf(ExitValueNames, outcome.exit->value));
            exit.set("way", nameOf(ExitWayNames, outcome.exit->way));
            exit.set("message", rangeExitMessage(outcome.lastStep, *outcome.exit));
            described.set("exit", exit);
        }
        val result = val::object();
        result.set("refused", false);
        result.set("outcome", described);
        return result;
    }

    std::unique_ptr<ResultStore> m_store = std::make_unique<ResultStore>();
    std::optional<RunParameters> m_current;
    KeptRuns m_kept;
    mutable std::optional<RunParameters> m_twinOf;
    mutable ContinuousRun m_twin;
};

val optionalNumber(const std::optional<double>& value) { return value ? val(*value) : val::undefined(); }

std::string numberText(double value, const std::string& separator)
{
    return numberToText(value, separatorOf(separator));
}

std::string numberTextWithDigits(double value, const std::string& separator, int significantDigits)
{
    if (significantDigits < 1 || significantDigits > 17)
        throwError("RangeError", "significant digits are 1 to 17");
    return numberToText(value, separatorOf(separator), significantDigits);
}

val lenientReading(const std::string& text, const std::string& separator)
{
    return optionalNumber(readLenient(text, separatorOf(separator)));
}

val strictConversion(const std::string& text, const std::string& separator)
{
    return optionalNumber(convertStrict(text, separatorOf(separator)));
}

val defaultParameters() { return parametersToJs(DefaultParameters); }

std::string boxDefaultText(const val& box, const std::string& separator)
{
    return defaultText(valueNamed(BoxNames, box), separatorOf(separator));
}

std::string boxCaptionText(const val& box) { return boxCaption(valueNamed(BoxNames, box)); }

bool boxChangeDisablesRun(const val& box) { return changeDisablesRun(valueNamed(BoxNames, box)); }

val boxEntry(const val& box, const std::string& text, const std::string& separator)
{
    const EnterResult result = confirmEntry(valueNamed(BoxNames, box), text, separatorOf(separator));
    val object = val::object();
    setIfPresent(object, "replacement", result.replacement);
    object.set("enablesRun", result.enablesRun);
    if (result.fix != EntryFix::None)
        object.set("note", entryNote(valueNamed(BoxNames, box), result.fix, separatorOf(separator)));
    return object;
}

val presetBoxTexts(int preset, const std::string& separator)
{
    if (preset < 0 || preset >= PresetCount)
        throwError("RangeError", "the presets are 0 to " + std::to_string(PresetCount - 1));
    val texts = val::array();
    for (const auto& [box, text] : presetTexts(preset, separatorOf(separator))) {
        val entry = val::object();
        entry.set("box", nameOf(BoxNames, box));
        entry.set("text", text);
        texts.call<void>("push", entry);
    }
    return texts;
}

val buttonToJs(const ButtonWords& words)
{
    val object = val::object();
    object.set("caption", words.caption);
    object.set("toolTip", words.toolTip);
    return object;
}

val presetButtonWords(int preset, const std::string& separator)
{
    if (preset < 0 || preset >= PresetCount)
        throwError("RangeError", "the presets are 0 to " + std::to_string(PresetCount - 1));
    return buttonToJs(presetButton(preset, separatorOf(separator)));
}

val runButtonWords() { return buttonToJs(runButton()); }

val allRefusals(const std::string& separator)
{
    val refusals = val::array();
    for (const auto& [refusal, name] : RefusalNames)
        refusals.call<void>("push", refusalToJs(refusal, separatorOf(separator)));
    return refusals;
}

std::string labelOfRun(const val& parameters, const std::string& separator)
{
    return runLabel(runOf(parameters, Steps::Matter), separatorOf(separator));
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_run)
{
    using namespace emscripten;
    using namespace tarnis;
    using namespace tarnis::web;
    class_<Session>("Session")
        .constructor<>()
        .function("runTexts", &Session::runTexts)
        .function("run", &Session::run)
        .function("hasRun", &Session::hasRun)
        .function("values", &Session::values)
        .function("graphicDataText", &Session::graphicData)
        .function("graphicDataText", &Session::graphicDataFormatted)
        .function("keep", &Session::keep)
        .function("forgetKept", &Session::forgetKept)
        .function("keptRuns", &Session::keptRuns)
        .function("chart", &Session::chart)
        .function("chart", &Session::chartCompared)
        .function("chartReadout", &Session::chartReadout)
        .function("chartDescription", &Session::chartDescription)
        .function("chartDataText", &Session::chartData)
        .function("chartDataText", &Session::chartDataCompared);
    function("numberToText", &numberText);
    function("numberToText", &numberTextWithDigits);
    function("readLenient", &lenientReading);
    function("convertStrict", &strictConversion);
    function("defaultParameters", &defaultParameters);
    function("defaultText", &boxDefaultText);
    function("changeDisablesRun", &boxChangeDisablesRun);
    function("boxCaption", &boxCaptionText);
    function("confirmEntry", &boxEntry);
    function("presetTexts", &presetBoxTexts);
    function("presetButton", &presetButtonWords);
    function("runButton", &runButtonWords);
    function("refusals", &allRefusals);
    function("runLabel", &labelOfRun);
    constant("MaxRunSteps", MaxRunSteps);
    constant("MaxConfirmedSteps", MaxConfirmedSteps);
    constant("PresetCount", PresetCount);
    constant("MaxKeptRuns", MaxKeptRuns);
}
