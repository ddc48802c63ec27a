// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/parameter_boxes.h"

#include "model/numbers/conversions.h"
#include "model/run/run.h"

#include <array>
#include <cctype>
#include <cmath>

namespace tarnis {

namespace {

EnterResult confirmSteps(std::string_view text, char separator)
{
    const std::string fallback = defaultText(ParameterBox::steps, separator);
    if (beyondRange(text, separator) == BeyondRange::Above)
        return {fallback, true, EntryFix::TooLarge};
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
    const bool positive = box == ParameterBox::K || box == ParameterBox::steps;
    return positive ? "a number greater than 0" : "a number of 0 or more";
}

} // namespace

std::string defaultText(ParameterBox box, char localeSeparator)
{
    const RunParameters& defaults = DefaultParameters;
    switch (box) {
    case ParameterBox::n0:
        return numberToText(defaults.n0, localeSeparator);
    case ParameterBox::r:
        return numberToText(defaults.r, localeSeparator);
    case ParameterBox::K:
        return numberToText(defaults.K, localeSeparator);
    case ParameterBox::lag:
        return numberToText(defaults.lag, localeSeparator);
    case ParameterBox::steps:
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

namespace {

// What names each box: the caption beside it and the parameter as a sentence names it.
struct BoxWords {
    ParameterBox box;
    const char* caption;
    const char* subject;
};

constexpr std::array<BoxWords, 5> BoxNaming{{
    {ParameterBox::r, "The intrinsic rate (r):", "the intrinsic rate (r)"},
    {ParameterBox::n0, "The initial population size N(0):", "the initial population size N(0)"},
    {ParameterBox::K, "The carrying capacity (K):", "the carrying capacity (K)"},
    {ParameterBox::lag, "Time lag is", "the time lag"},
    {ParameterBox::steps, "For t=1 to ", "the number of time steps"},
}};

const BoxWords& wordsOf(ParameterBox box)
{
    for (const BoxWords& words : BoxNaming)
        if (words.box == box)
            return words;
    return BoxNaming.front();
}

} // namespace

std::string boxCaption(ParameterBox box) { return wordsOf(box).caption; }

std::string boxSubject(ParameterBox box) { return wordsOf(box).subject; }

bool changeDisablesRun(ParameterBox box) { return box != ParameterBox::K; }

EnterResult confirmEntry(ParameterBox box, std::string_view text, char localeSeparator)
{
    if (box == ParameterBox::steps)
        return confirmSteps(text, localeSeparator);
    const auto value = convertStrict(text, localeSeparator);
    const bool enablesRun = box != ParameterBox::K;
    // A number too large for a double is told so; one too far below 0 breaks the rule of 0 or more.
    if (beyondRange(text, localeSeparator) == BeyondRange::Above)
        return {defaultText(box, localeSeparator), enablesRun, EntryFix::TooLarge};
    if (box == ParameterBox::K) {
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
    case EntryFix::TooLarge:
        return subject + ' ' + beyondRangeRule(false, localeSeparator) + fallback;
    }
    return {};
}

std::string beyondRangeRule(bool negative, char localeSeparator)
{
    // The largest double, 1.7976931348623157E+308, to two digits; as a double that text would read
    // back as infinity, so it is written here rather than converted.
    const std::string largest = std::string("1") + localeSeparator + "8E+308";
    return negative ? "is too far below 0 to compute with (beyond about -" + largest + ')'
                    : "is too large to compute with (beyond about " + largest + ')';
}

ButtonWords presetButton(int preset, char localeSeparator)
{
    std::string lag;
    for (const auto& [box, text] : presetTexts(preset, localeSeparator))
        if (box == ParameterBox::lag)
            lag = text;
    return {"Data " + std::to_string(preset + 1), "Time lag = " + lag};
}

ButtonWords runButton() { return {"Run", "Run simulation"}; }

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
        {ParameterBox::r, defaultText(ParameterBox::r, localeSeparator)},
        {ParameterBox::n0, defaultText(ParameterBox::n0, localeSeparator)},
        {ParameterBox::K, defaultText(ParameterBox::K, localeSeparator)},
        {ParameterBox::lag, text(lag)},
        {ParameterBox::steps, text(steps)},
    }};
}

} // namespace tarnis
