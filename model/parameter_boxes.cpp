// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/parameter_boxes.h"

#include "model/conversions.h"
#include "model/run.h"

#include <cctype>
#include <cmath>

namespace tarnis {

namespace {

EnterResult confirmSteps(std::string_view text, char separator)
{
    const std::string fallback = defaultText(ParameterBox::simut, separator);
    const auto value = readLenient(text, separator);
    if (!value || *value <= 0.0)
        return {fallback, true, EntryFix::NotAccepted};
    EnterResult result{std::nullopt, true, EntryFix::None};
    std::string current(text);
    if (*value > MaxConfirmedSteps) {
        current = numberToText(MaxConfirmedSteps, separator);
        result = {current, true, EntryFix::Capped};
    }
    const auto reread = readLenient(current, separator);
    if (!reread || *reread != std::floor(*reread))
        result = {fallback, true, EntryFix::NotWhole};
    return result;
}

// What a box takes on Enter, as a rule of the note that a replaced text gets.
std::string acceptedRule(ParameterBox box)
{
    const bool positive = box == ParameterBox::Kvalue || box == ParameterBox::simut;
    return positive ? "a number greater than 0" : "a number of 0 or more";
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

std::string capitalised(std::string text)
{
    if (!text.empty())
        text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string boxCaption(ParameterBox box)
{
    switch (box) {
    case ParameterBox::n0:
        return "The initial population size N(0):";
    case ParameterBox::rrate:
        return "The intrinsic rate (r):";
    case ParameterBox::Kvalue:
        return "The carrying capacity (K):";
    case ParameterBox::tlag:
        return "Time lag is";
    case ParameterBox::simut:
        return "For t=1 to ";
    }
    return {};
}

std::string boxSubject(ParameterBox box)
{
    switch (box) {
    case ParameterBox::n0:
        return "the initial population size N(0)";
    case ParameterBox::rrate:
        return "the intrinsic rate (r)";
    case ParameterBox::Kvalue:
        return "the carrying capacity (K)";
    case ParameterBox::tlag:
        return "the time lag";
    case ParameterBox::simut:
        return "the number of time steps";
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
            return {defaultText(box, localeSeparator), false, EntryFix::NotAccepted};
        return {std::nullopt, false, EntryFix::None};
    }
    if (!value || *value < 0.0)
        return {defaultText(box, localeSeparator), true, EntryFix::NotAccepted};
    return {std::nullopt, true, EntryFix::None};
}

std::string entryNote(ParameterBox box, EntryFix fix, char localeSeparator)
{
    const std::string subject = capitalised(boxSubject(box));
    const std::string fallback = ", so the box went back to its default, " + defaultText(box, localeSeparator) + '.';
    switch (fix) {
    case EntryFix::None:
        break;
    case EntryFix::NotAccepted:
        return subject + " must be " + acceptedRule(box) + fallback;
    case EntryFix::Capped: {
        const std::string most = numberToText(MaxConfirmedSteps, localeSeparator);
        return subject + " can be at most " + most + ", so the box shows " + most + '.';
    }
    case EntryFix::NotWhole:
        return subject + " must be a whole number" + fallback;
    }
    return {};
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
