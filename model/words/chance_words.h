// An ensemble in words, as every front end says it: "Of 1000 runs, 312 (29–34 %) died out by
// t = 200; half of those by t = 87."
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/ensemble.h"

#include <optional>
#include <string>
#include <vector>

namespace tarnis {

std::string ensembleWords(const ExtinctionSummary& summary, int steps, char separator);

// The words around an ensemble that every front end shows: the command that opens it, its controls'
// captions, its charts' titles and axes, its legend and the columns of its data. Limits and defaults
// are the model's (noisy_run.h, ensemble.h), named here as the controls state them.
struct ChanceWords {
    std::string menuCaption;      // "Chance…", the charts' menu on the desktop
    std::string title;            // "Chance", the window's or the panel's
    std::string noiseCaption;     // "Noise:"
    std::string demographic;      // "Demographic (whole animals)"
    std::string environmental;    // "Environmental (good and bad years)"
    std::string both;             // "Both"
    std::string sigmaCaption;     // "σ of the years:"
    std::string runsCaption;      // "Runs:"
    std::string seedCaption;      // "Seed:"
    std::string thresholdCaption; // "Extinct below:"
    std::string computeCaption;   // "Run the ensemble"
    std::string fanTitle;         // "N(t) of the runs: 5–95 % and 25–75 % of them, and the median"
    std::string survivalTitle;    // "Share of runs not yet extinct"
    std::string timeAxis;         // "t"
    std::string populationAxis;   // "N"
    std::string shareAxis;        // "share of runs"
    std::string outerBand;        // "5–95 % of runs"
    std::string innerBand;        // "25–75 % of runs"
    std::string median;           // "median"
    std::string deterministic;    // "without chance"
    std::string working;          // "Computing the ensemble…"
    std::string saveData;         // "Save data as CSV", the curves as tarnis-run ensemble --summary writes them
    std::string dataFileName;     // "Tarnis ensemble.csv"
};
ChanceWords chanceWords();

// The line under the fan chart's title when its bands come from fewer runs than the ensemble has
// (bandRuns): "Bands from the first 99502 of 100000 runs."; empty when they come from all of them.
std::string bandRunsWords(long long runs, int steps);

// "412 of 1000 runs", while an ensemble is under way.
std::string ensembleProgressWords(long long done, long long total);

// The front ends' controls take at most this many runs (tarnis-run takes MostEnsembleRuns), and start
// with these.
inline constexpr long long MostWindowRuns = 100'000;
inline constexpr long long DefaultWindowRuns = 1000;
inline constexpr double DefaultWindowSigma = 0.1;

// The controls of an ensemble as the user left them, the numbers as typed.
struct EnsembleEntry {
    bool demographic = true;
    bool environmental = false;
    std::string sigma;     // read only with environmental noise
    std::string seed;      // a whole number from 0 to 2^64 − 1
    std::string threshold; // 0 or more
    long long runs = DefaultWindowRuns;
};
// The ensemble the controls ask for over a run, or why there is none: one sentence that names the
// control and what it takes. Any number of runs up to MostWindowRuns goes: the bands take the first
// bandRuns of them.
struct EnsembleReading {
    std::optional<EnsembleRequest> request;
    std::string refusal;
};
EnsembleReading readEnsembleEntry(const EnsembleEntry& entry, const RunParameters& run, char separator);

// What the module says of a request it refuses, which came from a page's code rather than through
// readEnsembleEntry: a seed that is not digits, a seed beyond 64 bits, σ or a threshold out of range.
struct EnsembleRequestRefusals {
    std::string seedNotText;
    std::string seedOutOfRange;
    std::string sigmaOrThreshold;
};
EnsembleRequestRefusals ensembleRequestRefusals();

// The columns of an ensemble's copied data: t, the survival curve and N(t) at each of BandShares.
std::vector<std::string> ensembleDataColumns();

} // namespace tarnis
