// A set-up that a teacher hands out: the five box texts of a run, the chart on show and its N axis,
// the runs kept beside it and the axis of the bifurcation diagram. It travels in a page's address
// (#r=0.3&N0=1&K=500&T=8&steps=200&chart=NtvsT) and as a small JSON file (.tarnis), and both are
// read with the boxes' own rules: a value a box refuses is refused with its words and the box's
// default kept, and a setting Tarnis does not know is left aside and said. The values are texts in
// the point's notation whatever the language, so that a link reads the same everywhere.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_kinds.h"
#include "model/dynamics/scan_cells.h"
#include "model/run/run.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnis {

// The set-up files this Tarnis writes; it reads these and older ones.
inline constexpr int SetupVersion = 1;
// A link or file may say this much; what lies beyond is left aside (and said), so that a hostile
// address costs no more than a plain one.
inline constexpr int MostSetupSettings = 64;
inline constexpr std::size_t LongestSetupValue = 100;

struct Setup {
    RunTexts run; // the boxes' texts; the defaults when a setting is left out
    ChartKind chart = ChartKind::NtvsT;
    bool logarithmicN = false;
    std::vector<RunTexts> kept; // runs kept for comparison, oldest first, at most MaxKeptRuns
    BifurcationAxis diagramAxis = BifurcationAxis::Rate;
    // The guided activity the set-up opens, at which of its steps (from 1); empty and 0 for none.
    std::string activity;
    int activityStep = 0;
    // The language the page speaks, where the reader or the link chose one ("de"); empty: the browser's.
    // Only links carry it: the desktop speaks its system's language.
    std::string language;

    bool operator==(const Setup&) const = default;
};

// The boxes' defaults, in the point's notation.
RunTexts defaultRunTexts();

// The texts of a run's parameters in the point's notation, each the shortest that reads back to the
// same number, so that a kept run (which holds numbers, not the texts typed) travels exactly.
RunTexts runTextsOf(const RunParameters& parameters);

// The boxes' texts in the point's notation, from texts written with a locale's `separator` (as a
// window or the page shows them), and back: a set-up always travels with the point.
RunTexts inPointNotation(RunTexts texts, char separator);
RunTexts inLocaleNotation(RunTexts texts, char separator);

// What a set-up came in: words name it as the reader knows it.
enum class SetupCarrier { Link, File };

// A set-up as read, with a sentence for each value that was refused or left aside.
struct ReadSetup {
    Setup setup;
    std::vector<std::string> notes;
};

// The address fragment of a set-up, without the "#": the five values always, the rest where they are
// not the defaults. Every character outside letters, digits and "-._~" is percent-encoded.
std::string setupFragment(const Setup& setup);

// A fragment (with or without its "#") read setting by setting; nothing in it is refused as a whole.
ReadSetup readSetupFragment(std::string_view fragment);

// The text of a set-up file: a JSON object with the version and the values as texts.
std::string setupFileText(const Setup& setup);

// A set-up file read as a fragment is; a text that is no set-up, or one from a newer Tarnis, is
// refused as a whole with a sentence that says why.
std::variant<ReadSetup, std::string> readSetupFile(std::string_view text);

// The captions and tool tips of the commands that hand a set-up on, as every front end shows them, and
// the names their files are offered under.
struct SetupCommand {
    std::string caption;
    std::string toolTip;
};
struct SetupMenuWords {
    SetupCommand copyLink;    // "Copy link to this set-up"
    SetupCommand saveFile;    // "Save set-up…"
    SetupCommand openFile;    // "Open set-up…"
    SetupCommand savePage;    // the page only: "Save this page with this set-up"
    std::string fileName;     // "tarnis-setup.tarnis"
    std::string fileSuffix;   // ".tarnis"
    std::string fileTypeName; // "Tarnis set-ups", for a file dialog's filter
    std::string pageFileName; // "tarnis-with-setup.html"
};
SetupMenuWords setupMenuWords();

// What a front end says once a set-up is on show: "The set-up from the link is on show."
std::string setupAppliedWords(SetupCarrier carrier);

} // namespace tarnis
