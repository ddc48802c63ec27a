// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/parameter_boxes.h"

#include "model/conversions.h"

#include <cmath>

namespace tarnis {

namespace {

constexpr double DefaultRate = 0.2;

EnterResult confirmSteps(std::string_view text, char separator)
{
    const std::string fallback = defaultText(ParameterBox::simut, separator);
    const auto value = readLenient(text, separator);
    if (!value || *value <= 0.0)
        return {fallback, true};
    std::optional<std::string> replacement;
    std::string current(text);
    if (*value > MaxConfirmedSteps) {
        current = "2000";
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
    switch (box) {
    case ParameterBox::n0:
        return "1";
    case ParameterBox::rrate:
        return numberToText(DefaultRate, localeSeparator);
    case ParameterBox::Kvalue:
        return "500";
    case ParameterBox::tlag:
        return "5";
    case ParameterBox::simut:
        return "200";
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
    static constexpr std::array<std::pair<const char*, const char*>, PresetCount> lagAndSteps{{
        {"8", "2000"},
        {"5", "200"},
        {"3", "200"},
    }};
    const auto& [lag, steps] = lagAndSteps.at(std::size_t(preset));
    return {{
        {ParameterBox::rrate, numberToText(DefaultRate, localeSeparator)},
        {ParameterBox::n0, "1"},
        {ParameterBox::Kvalue, "500"},
        {ParameterBox::tlag, lag},
        {ParameterBox::simut, steps},
    }};
}

} // namespace tarnis
