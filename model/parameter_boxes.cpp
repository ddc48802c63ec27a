// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/parameter_boxes.h"

#include "model/conversions.h"
#include "model/run.h"

#include <cmath>

namespace tarnis {

namespace {

EnterResult confirmSteps(std::string_view text, char separator)
{
    const std::string fallback = defaultText(ParameterBox::simut, separator);
    const auto value = readLenient(text, separator);
    if (!value || *value <= 0.0)
        return {fallback, true};
    std::optional<std::string> replacement;
    std::string current(text);
    if (*value > MaxConfirmedSteps) {
        current = numberToText(MaxConfirmedSteps, separator);
        replacement = current;
    }
    const auto reread = readLenient(current, separator);
    if (!reread || *reread != std::floor(*reread))
        replacement = fallback;
    return {replacement, true};
}

} // namespace

std::string defaultText(ParameterBox box, char localeSeparator)
{
    const RunParameters& defaults = DefaultParameters;
    switch (box) {
    case ParameterBox::n0:
        return numberToText(defaults.n0, localeSeparator);
    case ParameterBox::rrate:
        return numberToText(defaults.r, localeSeparator);
    case ParameterBox::Kvalue:
        return numberToText(defaults.K, localeSeparator);
    case ParameterBox::tlag:
        return numberToText(defaults.lag, localeSeparator);
    case ParameterBox::simut:
        return numberToText(defaults.steps, localeSeparator);
    }
    return {};
}

bool changeDisablesRun(ParameterBox box) { return box != ParameterBox::Kvalue; }

EnterResult confirmEntry(ParameterBox box, std::string_view text, char localeSeparator)
{
    if (box == ParameterBox::simut)
        return confirmSteps(text, localeSeparator);
    const auto value = convertStrict(text, localeSeparator);
    if (box == ParameterBox::Kvalue) {
        if (!value || *value <= 0.0)
            return {defaultText(box, localeSeparator), false};
        return {std::nullopt, false};
    }
    if (!value || *value < 0.0)
        return {defaultText(box, localeSeparator), true};
    return {std::nullopt, true};
}

PresetTexts presetTexts(int preset, char localeSeparator)
{
    // The presets differ from the defaults only in their lag and steps.
    static constexpr std::array<std::pair<double, double>, PresetCount> lagAndSteps{{
        {8, 2000},
        {5, 200},
        {3, 200},
    }};
    const auto& [lag, steps] = lagAndSteps.at(std::size_t(preset));
    const auto text = [localeSeparator](double value) { return numberToText(value, localeSeparator); };
    return {{
        {ParameterBox::rrate, defaultText(ParameterBox::rrate, localeSeparator)},
        {ParameterBox::n0, defaultText(ParameterBox::n0, localeSeparator)},
        {ParameterBox::Kvalue, defaultText(ParameterBox::Kvalue, localeSeparator)},
        {ParameterBox::tlag, text(lag)},
        {ParameterBox::simut, text(steps)},
    }};
}

} // namespace tarnis
