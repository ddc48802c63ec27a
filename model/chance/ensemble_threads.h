// An ensemble's runs on every core (the desktop and tarnis-run; the page slices the runs over its
// workers instead). Each run draws from its own stream, so the result does not depend on how many
// threads share the work or in what order they finish.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chance/ensemble.h"

#include <atomic>
#include <functional>

namespace tarnis {

struct EnsembleControl {
    const std::atomic<bool>* cancel = nullptr;                     // stops between runs
    std::function<void(long long done, long long total)> progress; // after each run, never two at a time
    unsigned threads = 0;                                          // 0: one per core
    bool keepTrajectories = false;                                 // for percentile bands
    long long lastKept = MostEnsembleRuns;                         // of the runs whose trajectories are kept
};

struct EnsembleResult {
    bool cancelled = false;
    std::vector<MemberOutcome> outcomes; // in the order of the runs
    std::vector<ChanceRun> members;      // with keepTrajectories, in the order of the runs, to lastKept
};

// Runs `first` to `last` (from 1, both included) of the ensemble.
EnsembleResult ensembleRuns(const EnsembleRequest& request, long long first, long long last,
                            const EnsembleControl& control = {});

} // namespace tarnis
