// The runs a user keeps to compare with later ones: copies of the result store's values, at most
// four, the oldest dropped first, each with the place it keeps while it is kept.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"
#include "model/run/store.h"

#include <memory>
#include <string>
#include <vector>

namespace tarnis {

inline constexpr int MaxKeptRuns = 4;

struct KeptRun {
    RunParameters parameters;
    // 0 to MaxKeptRuns − 1, free when the run was kept; it does not change while the run is kept, so
    // whatever is tied to it (a colour) stays with the run when an older one is dropped.
    int slot = 0;
    // The run's values up to LastStep + 1; the entries above are zero, not what the store held there.
    std::shared_ptr<const ResultStore> values;
};

class KeptRuns {
public:
    // Copies the run that `store` holds, made by `parameters`; the oldest kept run goes when there
    // are already MaxKeptRuns. False, and nothing changes, when a run of the same parameters is kept:
    // the model gives the same values for the same parameters, so it would be the same run twice.
    bool keep(const ResultStore& store, const RunParameters& parameters);
    void clear() { m_runs.clear(); }

    bool contains(const RunParameters& parameters) const;
    bool empty() const { return m_runs.empty(); }
    const std::vector<KeptRun>& runs() const { return m_runs; } // oldest first

private:
    std::vector<KeptRun> m_runs;
};

// "r=0.2, N(0)=1, K=500, T=5, 200 steps": a run by its five parameters, numbers as the boxes show
// them. With a comma as the decimal separator the fields are parted by semicolons.
std::string runLabel(const RunParameters& parameters, char decimalSeparator);
// The same for a reader, its steps in the language on show ("200 Schritte").
std::string shownRunLabel(const RunParameters& parameters, char decimalSeparator);

// The legend's names of runs shown together: each names only the parameters in which the runs differ
// ("T=8", "r=0.2, T=5"), all five where none does, in the order of runLabel. A number is shortened to
// four significant digits, but keeps its whole part ("98765") and takes as many more digits as tell
// the runs' values of it apart; the steps in the language on show. runLabel gives the full names, for a
// tool tip and the columns of copied data, in English.
std::vector<std::string> legendLabels(const std::vector<RunParameters>& runs, char decimalSeparator);

} // namespace tarnis
