// The work of the Dynamics window: the plan of the current run and the jobs that compute its regime
// (and that of its continuous-time twin), its stability map and its bifurcation diagram on threads of
// their own, with the timer that hands on what they delivered. A new run restarts only the parts whose
// work it changes (the model's dynamicsRestart); the others keep what they computed, or go on
// computing it. The window shows what this says; this shows nothing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dynamics/background_job.h"
#include "model/continuous/continuous_regime.h"
#include "model/dynamics/dynamics_plan.h"
#include "model/dynamics/dynamics_restart.h"

#include <QObject>

#include <optional>
#include <utility>
#include <vector>

class QTimer;

namespace tarnis {

class RunComparison;

class DynamicsWork : public QObject {
    Q_OBJECT
public:
    using Column = std::pair<std::size_t, BifurcationColumn>;

    // Follows the comparison's current run from the first call of followRun on.
    explicit DynamicsWork(const RunComparison& comparison);
    ~DynamicsWork() override;

    // How often what came in is handed on while the work goes on, and when first.
    static constexpr int DrawingMilliseconds = 50;
    static constexpr int FirstLookMilliseconds = 10;

    // Plans the current run (or none) and restarts what it changes; see planned.
    void followRun();
    // The diagram over another axis, its columns computed anew.
    void chooseAxis(BifurcationAxis axis);

    // Some of the work for the current run is still going on (or about to start).
    bool working() const;
    const std::optional<DynamicsPlan>& plan() const { return m_plan; }
    BifurcationAxis axis() const { return m_axis; }
    // The run's regime once known; reportCame: the work on it is over, with a report or none.
    const std::optional<RegimeReport>& report() const { return m_report; }
    bool reportCame() const { return m_reportCame; }
    // The same for the run's continuous-time twin, worked out beside it; none where the integrator
    // would take too many steps or the analysis does not cover the run's lag.
    const std::optional<ContinuousReport>& continuousReport() const { return m_continuousReport; }
    bool continuousCame() const { return m_continuousCame; }

signals:
    // The plan of a new run (or none) is in place: the parts that `restart` names are computed anew,
    // the others keep what they have, and their marks move to the new run.
    void planned(const DynamicsRestart& restart);
    void regimeCame();
    void continuousRegimeCame();
    // What came since the last look; finished: the part's job is over, and all it found has come.
    void cellsCame(const std::vector<ScanCell>& cells, bool finished);
    void columnsCame(const std::vector<Column>& columns, bool finished);

private:
    void runChanged();
    void stopAll();
    void forgetReports();
    void startRegime();
    void startContinuous();
    void startMap();
    void startDiagram();
    void startDrawing();
    void handOn();

    const RunComparison& m_comparison;
    BifurcationAxis m_axis = BifurcationAxis::Rate;
    std::optional<DynamicsPlan> m_plan;
    std::optional<RegimeReport> m_report;
    bool m_reportCame = false;
    std::optional<ContinuousReport> m_continuousReport;
    bool m_continuousCame = false;
    QTimer* m_restart; // a run came: the work starts again once the Run click is over
    QTimer* m_drawing; // hands on what came while the work goes on

    // Last, so that they stop and their threads end before anything else goes.
    BackgroundJob<std::optional<RegimeReport>> m_regimeJob;
    BackgroundJob<std::optional<ContinuousReport>> m_continuousJob;
    BackgroundJob<ScanCell> m_mapJob;
    BackgroundJob<Column> m_diagramJob;
};

} // namespace tarnis
