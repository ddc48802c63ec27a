// The comparison of runs that both windows' charts show: the kept runs (copies, never in the result
// store) and the parameters of the run the store holds, which only the main window knows. One lives
// for the process; each window's chart routines draw the kept runs behind the store's run and redraw
// when they change.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/kept_runs.h"

#include <QObject>

#include <optional>

namespace tarnis {

class RunComparison : public QObject {
    Q_OBJECT
public:
    explicit RunComparison(const ResultStore& store, QObject* parent = nullptr);

    // After every run: the parameters that made what the store now holds.
    void setCurrentRun(const RunParameters& parameters);
    const std::optional<RunParameters>& currentRun() const { return m_current; }

    // The store's run can be kept when there is one and it is not kept already.
    bool canKeep() const;
    void keepCurrentRun();
    void forgetKeptRuns();
    const KeptRuns& kept() const { return m_kept; }

signals:
    // Runs were kept or forgotten.
    void changed();
    // A run was made: currentRun holds its parameters. Emitted inside the Run click, so a listener
    // must only take note and leave its work for later.
    void currentRunChanged();

private:
    const ResultStore& m_store;
    std::optional<RunParameters> m_current;
    KeptRuns m_kept;
};

} // namespace tarnis
