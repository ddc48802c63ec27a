// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/dynamics_work.h"

#include "charts/run_comparison.h"
#include "model/continuous/continuous_regime.h"
#include "model/dynamics/parameter_scan.h"

#include <QTimer>

#include <thread>

namespace tarnis {

namespace {

// Every core but one, which stays with the windows: with the work on every core, the main window's Run
// click took a tenth longer beside it, on one core fewer it takes no longer than alone.
unsigned backgroundThreads()
{
    const unsigned cores = std::thread::hardware_concurrency(); // 0 when it cannot tell
    return cores > 1 ? cores - 1 : 1;
}

ScanControl scanControl(const std::atomic<bool>* cancel)
{
    ScanControl control;
    control.cancel = cancel;
    control.threads = backgroundThreads();
    return control;
}

} // namespace

DynamicsWork::DynamicsWork(const RunComparison& comparison)
    : m_comparison(comparison)
    , m_restart(new QTimer(this))
    , m_drawing(new QTimer(this))
{
    m_restart->setSingleShot(true);
    m_restart->setInterval(0);
    connect(m_restart, &QTimer::timeout, this, &DynamicsWork::followRun);
    m_drawing->setInterval(DrawingMilliseconds);
    connect(m_drawing, &QTimer::timeout, this, &DynamicsWork::handOn);
    connect(&comparison, &RunComparison::currentRunChanged, this, &DynamicsWork::runChanged);
}

DynamicsWork::~DynamicsWork() { stopAll(); }

bool DynamicsWork::working() const
{
    return m_restart->isActive() || m_regimeJob.running() || m_continuousJob.running() || m_mapJob.running()
        || m_diagramJob.running() || m_drawing->isActive();
}

// Inside the Run click nothing happens but a note: the stale work is stopped and the new one started
// once the click is over, so that the click neither waits for a thread nor meets threads winding down.
void DynamicsWork::runChanged() { m_restart->start(); }

void DynamicsWork::followRun()
{
    m_restart->stop();
    const auto& run = m_comparison.currentRun();
    if (!run) {
        stopAll();
        m_plan.reset();
        forgetReports();
        return emit planned({});
    }
    const DynamicsPlan* shown = m_plan ? &*m_plan : nullptr;
    DynamicsPlan next = followingPlan(shown, *run);
    const DynamicsRestart restart = dynamicsRestart(shown, next, m_axis);
    m_plan = std::move(next);
    if (restart.regime) {
        // Their reports must not come as the new run's.
        m_regimeJob.stop();
        m_continuousJob.stop();
        forgetReports();
    }
    emit planned(restart);
    if (restart.regime) {
        startRegime();
        startContinuous();
    }
    if (restart.map)
        startMap();
    if (restart.diagram)
        startDiagram();
    if (restart.regime || restart.map || restart.diagram)
        startDrawing();
}

void DynamicsWork::chooseAxis(BifurcationAxis axis)
{
    m_axis = axis;
    if (!m_plan)
        return;
    startDiagram();
    startDrawing();
}

void DynamicsWork::forgetReports()
{
    m_report.reset();
    m_reportCame = false;
    m_continuousReport.reset();
    m_continuousCame = false;
}

void DynamicsWork::stopAll()
{
    m_regimeJob.stop();
    m_continuousJob.stop();
    m_mapJob.stop();
    m_diagramJob.stop();
    m_drawing->stop();
}

void DynamicsWork::startRegime()
{
    m_regimeJob.start([run = m_plan->run](const std::atomic<bool>* cancel, auto& output) {
        RegimeWorkspace workspace;
        auto report = runRegime(run, workspace, cancel);
        if (!cancelRequested(cancel))
            output.deliver(std::move(report));
    });
}

// Beside the regime, on a thread of its own: the integrator takes up to some 15 ms, which the words of
// the discrete run need not wait for.
void DynamicsWork::startContinuous()
{
    m_continuousJob.start([run = m_plan->run](const std::atomic<bool>* cancel, auto& output) {
        auto report = continuousRegime(run);
        if (!cancelRequested(cancel))
            output.deliver(std::move(report));
    });
}

void DynamicsWork::startMap()
{
    m_mapJob.start([grid = m_plan->map](const std::atomic<bool>* cancel, auto& output) {
        scanGrid(grid, scanControl(cancel), [&output](const ScanCell& cell) { output.deliver(cell); });
    });
}

void DynamicsWork::startDiagram()
{
    const BifurcationRequest& request = m_axis == BifurcationAxis::Rate ? m_plan->overRate : m_plan->overLag;
    m_diagramJob.start([request](const std::atomic<bool>* cancel, auto& output) {
        bifurcationData(request, scanControl(cancel), [&output](std::size_t index, const BifurcationColumn& column) {
            output.deliver({index, column});
        });
    });
}

// The first results are handed on as soon as there are a few, the rest at the pace of the drawing timer.
void DynamicsWork::startDrawing()
{
    m_drawing->start();
    QTimer::singleShot(FirstLookMilliseconds, this, &DynamicsWork::handOn);
}

// A part kept from the run before hands on nothing more, and says that it is finished once it is.
void DynamicsWork::handOn()
{
    if (!m_plan)
        return;
    auto regime = m_regimeJob.take();
    if (!regime.items.empty()) {
        m_report = regime.items.back();
        m_reportCame = true;
        emit regimeCame();
    }
    auto continuous = m_continuousJob.take();
    if (!continuous.items.empty()) {
        m_continuousReport = continuous.items.back();
        m_continuousCame = true;
        emit continuousRegimeCame();
    }
    const auto cells = m_mapJob.take();
    emit cellsCame(cells.items, cells.finished);
    const auto columns = m_diagramJob.take();
    emit columnsCame(columns.items, columns.finished);
    if (regime.finished && continuous.finished && cells.finished && columns.finished)
        m_drawing->stop();
}

} // namespace tarnis
