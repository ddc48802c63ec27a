// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/js_values.h"

#include <cstdio>

#include "model/numbers/conversions.h"

#include <emscripten/val.h>

namespace tarnis::web {

char separatorOf(const std::string& separator)
{
    if (separator.size() != 1)
        throwError("RangeError", "a decimal separator is one character, not '" + separator + "'");
    return separator.front();
}

void throwError(const char* type, const std::string& message) { val::global(type).new_(message).throw_(); }

val numberArray(const double* values, std::size_t count)
{
    // The view looks into the module's memory, which a later call may move; slice() copies it out.
    return val(emscripten::typed_memory_view(count, values)).call<val>("slice");
}

std::vector<double> numbersOf(const val& array)
{
    if (array.isUndefined() || array.isNull())
        throwError("TypeError", "an array of numbers is missing");
    return emscripten::convertJSArrayToNumberVector<double>(array);
}

double numberProperty(const val& object, const char* key)
{
    const val value = object[key];
    if (!value.isNumber())
        throwError("TypeError", std::string("the number '") + key + "' is missing");
    return value.as<double>();
}

val parametersToJs(const RunParameters& parameters)
{
    val object = val::object();
    object.set("r", parameters.r);
    object.set("K", parameters.K);
    object.set("steps", int(parameters.steps));
    object.set("n0", parameters.n0);
    object.set("lag", parameters.lag);
    return object;
}

namespace {

RunParameters parametersWith(const val& object, std::int16_t steps)
{
    return {numberProperty(object, "r"), numberProperty(object, "K"), steps, numberProperty(object, "n0"),
            numberProperty(object, "lag")};
}

} // namespace

std::optional<RunParameters> parametersOf(const val& object)
{
    const auto steps = roundToInt16(numberProperty(object, "steps"));
    if (!steps)
        return std::nullopt;
    return parametersWith(object, *steps);
}

RunParameters runOf(const val& object, Steps steps)
{
    if (steps == Steps::Ignored)
        return parametersWith(object, 0);
    const auto run = parametersOf(object);
    if (!run)
        throwError("RangeError", "the steps are outside the range of a run");
    return *run;
}

std::optional<RunParameters> optionalRunOf(const val& object)
{
    if (object.isUndefined() || object.isNull())
        return std::nullopt;
    return runOf(object, Steps::Matter);
}

ScanGrid gridOf(const val& object)
{
    return {numbersOf(object["rates"]), numbersOf(object["lags"]), numberProperty(object, "n0"),
            numberProperty(object, "K")};
}

namespace {

template <typename T> std::optional<T> optionalProperty(const val& object, const char* key)
{
    const val value = object[key];
    if (value.isUndefined())
        return std::nullopt;
    if (!value.isNumber())
        throwError("TypeError", std::string("'") + key + "' is not a number");
    return T(value.as<double>());
}

Regime regimeOf(double number)
{
    if (!(number >= 0.0 && number <= double(Regime::LeavesRange)) || number != double(int(number)))
        throwError("RangeError", "no regime has the number " + std::to_string(number));
    return Regime(int(number));
}

} // namespace

BifurcationRequest requestOf(const val& object)
{
    BifurcationRequest request;
    request.parameters = runOf(object["parameters"], Steps::Ignored);
    request.axis = valueNamed(AxisNames, object["axis"]);
    request.values = numbersOf(object["values"]);
    request.discard = int(numberProperty(object, "discard"));
    request.keep = int(numberProperty(object, "keep"));
    return request;
}

val limitsToJs(const StabilityLimits& limits)
{
    val object = val::object();
    object.set("rMonotone", limits.rMonotone);
    object.set("rStable", limits.rStable);
    object.set("onsetPeriod", limits.onsetPeriod);
    return object;
}

val reportToJs(const RegimeReport& report)
{
    val object = val::object();
    object.set("regime", int(report.regime));
    object.set("regimeName", std::string(regimeText(report.regime)));
    setIfPresent(object, "period", report.period);
    setIfPresent(object, "lyapunov", report.lyapunov);
    setIfPresent(object, "nMin", report.nMin);
    setIfPresent(object, "nMax", report.nMax);
    setIfPresent(object, "endStep", report.endStep);
    object.set("steps", report.steps);
    object.set("lastN", report.lastN);
    object.set("stillApproaching", report.stillApproaching);
    if (report.disturbed)
        object.set("disturbed", int(*report.disturbed));
    return object;
}

RegimeReport reportOf(const val& object)
{
    RegimeReport report;
    report.regime = regimeOf(numberProperty(object, "regime"));
    report.period = optionalProperty<double>(object, "period");
    report.lyapunov = optionalProperty<double>(object, "lyapunov");
    report.nMin = optionalProperty<double>(object, "nMin");
    report.nMax = optionalProperty<double>(object, "nMax");
    report.endStep = optionalProperty<int>(object, "endStep");
    report.steps = int(numberProperty(object, "steps"));
    report.lastN = numberProperty(object, "lastN");
    report.stillApproaching = object["stillApproaching"].as<bool>();
    if (const auto disturbed = optionalProperty<double>(object, "disturbed"))
        report.disturbed = regimeOf(*disturbed);
    return report;
}

val columnToJs(const BifurcationColumn& column)
{
    val object = val::object();
    object.set("value", column.value);
    object.set("firstStep", column.firstStep);
    object.set("N", numberArray(column.N));
    object.set("end", nameOf(RunEndNames, column.end));
    object.set("lastStep", column.lastStep);
    setIfPresent(object, "lyapunov", column.lyapunov);
    return object;
}

BifurcationColumn columnOf(const val& object)
{
    BifurcationColumn column;
    column.value = numberProperty(object, "value");
    column.firstStep = int(numberProperty(object, "firstStep"));
    column.N = numbersOf(object["N"]);
    column.end = valueNamed(RunEndNames, object["end"]);
    column.lastStep = int(numberProperty(object, "lastStep"));
    column.lyapunov = optionalProperty<double>(object, "lyapunov");
    return column;
}

std::string colourText(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(rgb & 0xFFFFFF));
    return text;
}

} // namespace tarnis::web
