// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/js_values.h"

#include "model/conversions.h"

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

std::optional<RunParameters> parametersOf(const val& object)
{
    const auto steps = roundToInt16(numberProperty(object, "steps"));
    if (!steps)
        return std::nullopt;
    return RunParameters{numberProperty(object, "r"), numberProperty(object, "K"), *steps, numberProperty(object, "n0"),
                         numberProperty(object, "lag")};
}

} // namespace tarnis::web
