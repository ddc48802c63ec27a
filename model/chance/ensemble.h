// Ensembles: M runs of the same parameters and noise, run i drawing from stream i of one seed, so
// that any slice of the runs can be computed anywhere (a shard on another machine) and gives the same
// numbers. What they say together: the share that died out by the last step with its 95 % interval,
// when they died out (mean and median with 95 % intervals), the survival curve P(N > threshold at t),
// and percentile bands of N(t) for a fan chart.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/noisy_run.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnis {

// The most runs one ensemble takes, and the most values of N(t) a summary holds in memory at once
// (runs × (steps + 1), 160 MB).
inline constexpr long long MostEnsembleRuns = 100'000'000;
inline constexpr long long MostSummaryValues = 20'000'000;

struct EnsembleRequest {
    RunParameters parameters;
    Noise noise;
    double threshold = DefaultExtinctionThreshold;
    std::uint64_t seed = 1;
    long long runs = 1000;
};

// Run `run` (from 1 to runs) of the ensemble.
ChanceRun ensembleMember(const EnsembleRequest& request, long long run);

// What a run leaves for the table: when it died out (if it did) and its last N.
struct MemberOutcome {
    long long run = 0;
    std::optional<int> extinctionTime;
    double lastN = 0.0;
};
MemberOutcome outcomeOf(long long run, const ChanceRun& member);

// A 95 % interval around an estimate.
struct Estimate {
    double value = 0.0;
    double low = 0.0;
    double high = 0.0;
};

struct ExtinctionSummary {
    long long runs = 0;
    long long extinct = 0;            // by the last step
    Estimate share;                   // extinct / runs, Wilson's score interval
    std::optional<Estimate> meanTime; // of the runs that died out; Student's t interval
    // Of the runs that died out: the step by which half of them had (the lower median, a whole step),
    // with the order statistics' interval.
    std::optional<Estimate> medianTime;
};
// From the outcomes alone, so that the rows of shards, put together, give the same summary.
ExtinctionSummary extinctionSummary(const std::vector<MemberOutcome>& outcomes);

// P(N > threshold at t) for t = 0 … steps: the share of runs not yet extinct.
std::vector<double> survivalCurve(const std::vector<MemberOutcome>& outcomes, int steps);

// How many runs the bands are drawn from: every run where the N(t) of all of them fit in
// MostSummaryValues, else the first runs that do (one at least). The survival curve, the share
// extinct and the words count every run; the bands of that many runs are a fair sample of them, since
// each run's draws are independent of its number.
long long bandRuns(long long runs, int steps);

inline constexpr std::array<double, 5> BandShares{0.05, 0.25, 0.5, 0.75, 0.95};
// For each t = 0 … steps, N(t) at each share of the runs (linear between order statistics, as R's
// default type 7), extinct runs counting as 0 and a run that left the range of doubles as +inf from
// there on (so a band can be +inf). `members` have steps + 1 values, but for those that left the range.
std::vector<std::array<double, 5>> percentileBands(const std::vector<ChanceRun>& members, int steps);

} // namespace tarnis
