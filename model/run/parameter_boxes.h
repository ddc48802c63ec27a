// The rules of the five parameter boxes: their default texts, what Enter accepts or replaces, which
// edits switch the Run button off, and the three preset data sets.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarnis {

enum class ParameterBox { n0, r, K, lag, steps };

inline constexpr std::array AllParameterBoxes{ParameterBox::r, ParameterBox::n0, ParameterBox::K, ParameterBox::lag,
                                              ParameterBox::steps};

inline constexpr double MaxConfirmedSteps = 2000.0; // the steps box caps what Enter confirms

// The design text of a box; r is 0.2 written with the locale's decimal separator.
std::string defaultText(ParameterBox box, char localeSeparator);

// The caption beside a box, in the language on show, which names it for assistive technology too: "The intrinsic rate
// (r):", "For t=1 to " (with the space before the box, as the window has always shown it).
std::string boxCaption(ParameterBox box);

// The parameter of a box, as a sentence names it: "the intrinsic rate (r)".
std::string boxSubject(ParameterBox box);
// The caption and the subject in English, for what programs read (tarnis-run's refusals).
std::string_view englishBoxCaption(ParameterBox box);
std::string_view englishBoxSubject(ParameterBox box);
// The same words at the start of a sentence: "The intrinsic rate (r)".
std::string capitalised(std::string text);

// Every box but K switches the Run button off as soon as its text changes.
bool changeDisablesRun(ParameterBox box);

// Why Enter put another text into a box.
enum class EntryFix {
    None,        // the text stays
    NotAccepted, // not a number the box takes: its default instead
    Capped,      // more steps than Enter confirms: MaxConfirmedSteps instead
    NotWhole,    // steps that are no whole number: the default instead
    TooLarge,    // a number beyond the largest a double holds: the default instead
};

struct EnterResult {
    std::optional<std::string> replacement; // the text the box must show instead, if any
    bool enablesRun = false;                // Run is enabled and takes the focus
    EntryFix fix = EntryFix::None;          // why the replacement
};

// What Enter in a box does with its current text; it checks that box only.
EnterResult confirmEntry(ParameterBox box, std::string_view text, char localeSeparator);

// Why Enter replaced a box's text, in words that the page shows beside the box: "The carrying capacity
// (K) must be a number greater than 0, so the box went back to its default, 500." Empty for None.
std::string entryNote(ParameterBox box, EntryFix fix, char localeSeparator);

// What a number beyond the double range is told, after the subject that names it: "is too large to
// compute with (beyond about 1.8E+308)", or, below the most negative double, "is too far below 0 …".
std::string beyondRangeRule(bool negative, char localeSeparator);

// A button's caption and the tool tip that says what it does.
struct ButtonWords {
    std::string caption;
    std::string toolTip;
};
// "Data 1" to "Data 3", each with the lag it loads: "Time lag = 8".
ButtonWords presetButton(int preset, char localeSeparator);
// "Run", "Run simulation".
ButtonWords runButton();

// The texts that a preset button writes, in the order it writes them: r, N(0), K, lag, steps.
using PresetTexts = std::array<std::pair<ParameterBox, std::string>, 5>;
inline constexpr int PresetCount = 3;
PresetTexts presetTexts(int preset, char localeSeparator);

} // namespace tarnis
