// A run in words a student understands: what the population does in the long run, with its numbers,
// and what linear theory says of the run's lag (below r_m no overshoot, below r_c the oscillations die
// down); the line for a cell of the stability map or a column of the bifurcation diagram under the
// pointer, their titles, the run's numbers for a table, and what a choice on a plot wrote. Every front
// end shows these very texts; numbers are written as quantity_text has them, with the decimal
// separator the caller passes in.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/run_regime.h"
#include "model/dynamics/scan_cells.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnis {

struct RunWords {
    std::string headline;  // the regime, "Sustained oscillations"
    std::string sentences; // what the population does, then what the lag allows
};

// `report` is the run's regime; empty when the lag is beyond what the analysis covers.
RunWords runInWords(const RunParameters& run, const std::optional<RegimeReport>& report, char separator);

// Where the words stand: the desktop's Dynamics window, which writes a click's r and T into the main
// window for the user to run, or the page's dynamics part, whose click writes them into the Data panel
// and runs at once.
enum class WordsPlace { DynamicsWindow, Page };

// What the line under a plot says while nothing is pointed at: how to read a place and choose it.
// "Point at a cell to read its regime; click it (or press Enter) to put its r and T into the main
// window."; on the page, where a choice runs and a finger taps, "… to run its r and T."
enum class PointedPlot { Map, DiagramOverRate, DiagramOverLag };
std::string pointingHint(PointedPlot plot, WordsPlace place = WordsPlace::DynamicsWindow);

// While the regime is being worked out, and before the first run.
RunWords workingWords(const RunParameters& run, char separator);
RunWords noRunWords(WordsPlace place = WordsPlace::DynamicsWindow);

// The regime as a headline or a line names it: its words, but "neither grows nor shrinks" for r = 0
// and ", still approaching K" added for a run that has not come near K yet.
std::string regimeName(const RunParameters& run, const RegimeReport& report);

// One line for a cell of the stability map under the pointer: its T and r, its regime and the numbers
// that go with it. No report: the cell is still being computed.
std::string cellInWords(double r, double lag, const RegimeReport* report, double K, char separator);

// The last run in the same line as a cell, for where it stands among them: "The last run, T = 5,
// r = 0.2: damped oscillations, period about 24.8". No report: still being computed while `working`,
// else beyond the analysis.
std::string runInOneLine(const RunParameters& run, const std::optional<RegimeReport>& report, bool working,
                         char separator);

// One line for a column of the bifurcation diagram: its r (or T), the values of N it keeps visiting,
// the exponent, and how a run that ended early ended. No column: still being computed.
std::string columnInWords(BifurcationAxis axis, double value, const BifurcationColumn* column, double K,
                          char separator);

// The run's numbers as name and value pairs, every value exact and empty where it does not apply: r,
// N(0), K, T, regime, period, Lyapunov exponent, smallest and largest N, the step of the end, N at the
// last step and the steps computed, whether it is still approaching K, what a disturbance grows into,
// r_m and r_c.
std::vector<std::pair<std::string, std::string>> runFacts(const RunParameters& run,
                                                          const std::optional<RegimeReport>& report, char separator);

// What a click on a plot wrote into the main window: "r = 0.105 and T = 10 are in the main window:
// press Run there."; on the page, where the click runs too: "r = 0.105 and T = 10 are in the Data
// panel, and this is their run."
std::string choiceWords(std::optional<double> r, std::optional<double> lag, char separator,
                        WordsPlace place = WordsPlace::DynamicsWindow);

// The lines of the Dynamics window whose room stays while the pointer moves: the one under the stability
// map, the one under the bifurcation diagram (over r and over T), the one under the preview, and the note
// of a choice.
enum class WordsLine { MapPointed, DiagramPointed, Preview, Choice };

// Every form that line takes in the language on show, with numbers as wide as it writes them. A front
// end keeps the room of the form that wraps to the most lines at its width: the words then fit whatever
// the pointer rests on, and the plots never move under it.
std::vector<std::string> lineForms(WordsLine line, char separator, WordsPlace place = WordsPlace::DynamicsWindow);

// What the map and the diagram say before the first run, in place of a picture.
std::string noRunPictureWords();
// What they say of a run whose lag is beyond the analysis.
std::string beyondAnalysisPictureWords(char separator);

// "Regimes over the lag T and r (N(0) = 1, K = 500)", and "Regimes over the lag T and r" before a run.
std::string mapTitle(const std::optional<RunParameters>& run, char separator);
// "Bifurcation diagram over r at T = 5", "… over T at r = 0.2", and "Bifurcation diagram" before a run
// and for a lag beyond the analysis, which no diagram shows.
std::string bifurcationTitle(const std::optional<RunParameters>& run, BifurcationAxis axis, char separator);

} // namespace tarnis
