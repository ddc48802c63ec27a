// The command line of tarnis-run: a single run written as the graphic data file, a sweep of r or of
// the lag that writes the data of a bifurcation diagram, and the three questions about the dynamics:
// the regime of one run, the stability limits of lags and a scan of regimes over r and lag.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/ensemble.h"
#include "model/run/run.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tarnis::cli {

// FROM:TO:STEP, every FROM + k·STEP up to TO.
struct Range {
    double from = 0.0;
    double to = 0.0;
    double step = 0.0;
    // The decimal places of FROM, TO and STEP as written, when all three are plain decimals of at
    // most 15 places: the values are then counted in those units, so that 0:1:0.1 holds 0.3 itself
    // (the number that "--r 0.3" gives) and not 0.1·3, which is a different double.
    std::optional<int> decimals;
    // How many values the range holds; TO counts when it is reached within rounding. Saturates
    // far above any limit instead of overflowing.
    long long count() const;
    double at(long long index) const;
};

enum class Mode { Run, Continuous, Ensemble, Sweep, Dynamics, Stability, Scan, Help, Version };

// tarnis-run ensemble: the noise, the runs and which slice of them this machine computes.
struct EnsembleOptions {
    Noise noise{.demographic = true};
    double threshold = DefaultExtinctionThreshold;
    std::uint64_t seed = 1;
    long long runs = 1000;
    long long shard = 1; // the I of --shard I/N
    long long shards = 1;
    bool summary = false; // the curves instead of a row per run
};

inline constexpr double MaxSigma = MostSigma; // the window's limit as well
inline constexpr double DefaultSigma = 0.1;   // with --noise environmental or both

struct CommandLine {
    Mode mode = Mode::Run;
    RunParameters parameters = DefaultParameters; // the main window's defaults
    std::optional<Range> rates;                   // sweep or scan over r
    std::optional<Range> lags;                    // sweep, scan or stability limits over the lag
    int discard = 0;                              // sweep: steps left out at the start
    int keep = 0;                                 // sweep: steps written after them
    std::optional<int> digits;                    // significant digits instead of two decimals
    std::string outputFile;                       // empty: standard output
    bool words = false;                           // dynamics: the run in words instead of its numbers
    bool continuous = false;                      // dynamics: of the continuous-time model
    bool tidy = false;                   // a table for R and pandas: plain names, exact values, no title, LF line ends
    std::vector<std::string> setupNotes; // --setup: what the file's reading refused or left aside
    EnsembleOptions ensemble;
};

inline constexpr long long MaxSweepRuns = 1'000'000;
inline constexpr long long MaxScanCells = 1'000'000;

// The parsed command line, or one line that says what is wrong with it. A set-up file given with
// --setup is read here: its run stands in for the defaults, and the options given beside it override it.
std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& arguments);

std::string helpText();
std::string versionText();

} // namespace tarnis::cli
