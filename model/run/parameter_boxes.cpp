// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/parameter_boxes.h"

#include "model/language/catalog.h"
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
    std::string_view caption; // marked for the catalog, translated where shown
    std::string_view subject;
};

constexpr std::array<BoxWords, 5> BoxNaming{{
    // TRANSLATORS: the captions stand before their boxes; a subject starts or ends a sentence about its
    // box ("The intrinsic rate (r) must be …"), its first letter made a capital there.
    {ParameterBox::r, catalogText("The intrinsic rate (r):"), catalogText("the intrinsic rate (r)")},
    {ParameterBox::n0, catalogText("The initial population size N(0):"),
     catalogText("the initial population size N(0)")},
    {ParameterBox::K, catalogText("The carrying capacity (K):"), catalogText("the carrying capacity (K)")},
    // TRANSLATORS: the box of the lag follows these words ("Time lag is [8]").
    {ParameterBox::lag, catalogText("Time lag is"), catalogText("the time lag")},
    // TRANSLATORS: the box of the number of steps follows these words ("For t=1 to [200]"): keep the
    // space at the end.
    {ParameterBox::steps, catalogText("For t=1 to "), catalogText("the number of time steps")},
}};

const BoxWords& wordsOf(ParameterBox box)
{
    for (const BoxWords& words : BoxNaming)
        if (words.box == box)
            return words;
    return BoxNaming.front();
}

} // namespace

std::string boxCaption(ParameterBox box) { return std::string(translate(wordsOf(box).caption)); }

std::string boxSubject(ParameterBox box) { return std::string(translate(wordsOf(box).subject)); }

std::string_view englishBoxCaption(ParameterBox box) { return wordsOf(box).caption; }

std::string_view englishBoxSubject(ParameterBox box) { return wordsOf(box).subject; }

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

namespace {

// The note of a text that Enter replaced by the box's default: what the box takes, or why the text was
// not taken.
std::string_view fallbackNote(ParameterBox box, EntryFix fix)
{
    const bool positive = box == ParameterBox::K || box == ParameterBox::steps;
    switch (fix) {
    case EntryFix::NotAccepted:
        return positive
            ? translate("{subject} must be a number greater than 0, so the box went back to its default, {default}.")
            : translate("{subject} must be a number of 0 or more, so the box went back to its default, {default}.");
    case EntryFix::NotWhole:
        return translate("{subject} must be a whole number, so the box went back to its default, {default}.");
    case EntryFix::TooLarge:
        // TRANSLATORS: {largest} is about the largest number a computer's arithmetic holds, "1.8E+308".
        return translate("{subject} is too large to compute with (beyond about {largest}), so the box went back to "
                         "its default, {default}.");
    default:
        return {};
    }
}

// The largest double, 1.7976931348623157E+308, to two digits; as a double that text would read back as
// infinity, so it is written here rather than converted.
std::string largestNumberText(char localeSeparator) { return std::string("1") + localeSeparator + "8E+308"; }

} // namespace

std::string entryNote(ParameterBox box, EntryFix fix, char localeSeparator)
{
    const std::string subject = capitalised(boxSubject(box));
    if (fix == EntryFix::Capped)
        return fill(translate("{subject} can be at most {most}, so the box shows {most}."),
                    {{"subject", subject}, {"most", numberToText(MaxConfirmedSteps, localeSeparator)}});
    if (fix == EntryFix::None)
        return {};
    return fill(fallbackNote(box, fix),
                {{"subject", subject},
                 {"default", defaultText(box, localeSeparator)},
                 {"largest", largestNumberText(localeSeparator)}});
}

std::string beyondRangeRule(bool negative, char localeSeparator)
{
    // TRANSLATORS: follows the name of a parameter or a box ("The seed is too large …"); {largest} is
    // about the largest number a computer's arithmetic holds, "1.8E+308".
    return fill(negative ? translate("is too far below 0 to compute with (beyond about -{largest})")
                         : translate("is too large to compute with (beyond about {largest})"),
                {{"largest", largestNumberText(localeSeparator)}});
}

ButtonWords presetButton(int preset, char localeSeparator)
{
    std::string lag;
    for (const auto& [box, text] : presetTexts(preset, localeSeparator))
        if (box == ParameterBox::lag)
            lag = text;
    return {fill(translate("Data {number}"), {{"number", std::to_string(preset + 1)}}),
            fill(translate("Time lag = {lag}"), {{"lag", lag}})};
}

// TRANSLATORS: the button that runs the model, and its tool tip.
ButtonWords runButton() { return {std::string(translate("Run")), std::string(translate("Run simulation"))}; }

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
