// The preview of the Dynamics window: N(t) of the run that the pointer (or the keys) points at on the
// stability map or the bifurcation diagram, else of the last run, over as many steps as the last run,
// with its regime in one line under it. It runs the model itself, into a result store of its own that
// nothing else reads or writes, so its curve is that of a run with those parameters bit for bit, and
// draws it with the run charts' own routine, so it reads, zooms and describes itself as they do.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"
#include "ui/services.h"

#include <QGroupBox>

#include <memory>
#include <optional>

namespace tarnis {

class ChartControl;
class ChartFamily;
class SteadyLines;

class RunPreview : public QGroupBox {
    Q_OBJECT
public:
    explicit RunPreview(Services services, QWidget* parent = nullptr);
    ~RunPreview() override;

    // Runs the model with these parameters and draws N(t), unless that run is on show already; the line
    // names it and its regime. A run of 9999 steps takes well under a millisecond, so it is done here,
    // on the pointer's move.
    void showRun(const RunParameters& run, const QString& line);
    // No run to show: the chart empty and the line alone.
    void showNoRun(const QString& line);

    const std::optional<RunParameters>& shownRun() const { return m_shown; }
    ChartControl& chart() const { return *m_chart; }
    QString line() const;

private:
    ChartControl* m_chart;
    SteadyLines* m_line;
    std::unique_ptr<ResultStore> m_store; // the preview's own, never the program's result store
    std::unique_ptr<ChartFamily> m_family;
    std::optional<RunParameters> m_shown;
};

} // namespace tarnis
