// The few conversions between the model's values and JavaScript's that every binding uses: plain
// objects and arrays of numbers and strings, which a worker can post to the page as they are, an
// empty optional as a missing property, an enumeration as the name of its value.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/linear_stability.h"
#include "model/dynamics/run_regime.h"
#include "model/dynamics/scan_cells.h"
#include "model/run/run.h"

#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnis::web {

using emscripten::val;

// The decimal separator that the page passes as a one-character string.
char separatorOf(const std::string& separator);

// Throws a JavaScript TypeError or RangeError; never returns.
[[noreturn]] void throwError(const char* type, const std::string& message);

// An enumeration's values with the names that JavaScript sees.
template <typename Enum, std::size_t Count> using Names = std::array<std::pair<Enum, std::string_view>, Count>;

template <typename Enum, std::size_t Count> val nameOf(const Names<Enum, Count>& names, Enum value)
{
    for (const auto& [each, name] : names)
        if (each == value)
            return val(std::string(name));
    return val::undefined();
}

template <typename Enum, std::size_t Count> Enum valueNamed(const Names<Enum, Count>& names, const val& name)
{
    const std::string wanted = name.isString() ? name.as<std::string>() : std::string();
    for (const auto& [each, eachName] : names)
        if (eachName == wanted)
            return each;
    throwError("RangeError", "no such name: '" + wanted + "'");
}

inline constexpr Names<RunEnd, 4> RunEndNames{{
    {RunEnd::Completed, "completed"},
    {RunEnd::DiedOut, "diedOut"},
    {RunEnd::LeftRange, "leftRange"},
    {RunEnd::Refused, "refused"},
}};

inline constexpr Names<BifurcationAxis, 2> AxisNames{{
    {BifurcationAxis::Rate, "rate"},
    {BifurcationAxis::Lag, "lag"},
}};

// Sets `key` on `object` when the optional holds a value.
template <typename T> void setIfPresent(val& object, const char* key, const std::optional<T>& value)
{
    if (value)
        object.set(key, *value);
}

// A copy in a Float64Array of its own, which outlives the memory of the module and can be posted.
val numberArray(const double* values, std::size_t count);

// A colour of the model's, 0xRRGGBB, as CSS writes it: "#56b4e9".
std::string colourText(std::uint32_t rgb);
inline val numberArray(const std::vector<double>& values) { return numberArray(values.data(), values.size()); }

// Any array-like of numbers (an Array, a Float64Array).
std::vector<double> numbersOf(const val& array);

// A number property that must be there.
double numberProperty(const val& object, const char* key);

val parametersToJs(const RunParameters& parameters);
// The steps are rounded as a box rounds them; empty when they are outside the range of a run's steps.
std::optional<RunParameters> parametersOf(const val& object);

// Whether a run's steps play a part where the page hands it over: its words and its plan tell of them;
// a regime or a scan runs as long as it needs, and the page hands those no steps at all.
enum class Steps { Matter, Ignored };
// A run that must be one: a RangeError for steps outside the range of a run's steps; Ignored, they are
// not read and stand at 0. A TypeError for any other number missing.
RunParameters runOf(const val& object, Steps steps);
// None for undefined or null.
std::optional<RunParameters> optionalRunOf(const val& object);

// A regime map's grid and a bifurcation diagram's request, as the page hands them to a scan.
ScanGrid gridOf(const val& object);
BifurcationRequest requestOf(const val& object);

val limitsToJs(const StabilityLimits& limits);

// A regime report as a plain object (the regime as its number and its name, so that a regime the model
// gains needs nothing here), and back, for the words of a report that a worker computed.
val reportToJs(const RegimeReport& report);
RegimeReport reportOf(const val& object);

// A bifurcation column as a plain object, and back.
val columnToJs(const BifurcationColumn& column);
BifurcationColumn columnOf(const val& object);

} // namespace tarnis::web
