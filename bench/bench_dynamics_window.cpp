// The Dynamics window as a user meets it: the stability map of a run (200 values of r by 41 lags, or
// fewer distinct lags on a logarithmic axis) from the Run click to its first cells on screen and to
// the whole map drawn; the bifurcation diagram
// (800 values of r, 1000 steps left out, 200 kept) from the switch to "over r" to the diagram drawn;
// the answer to the pointer over the map, and the preview of the run under it; and the main window's
// Run click with the window open, its work going on, beside the same click without it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/bifurcation_plot.h"
#include "dynamics/dynamics_window.h"
#include "dynamics/stability_map.h"
#include "tests/support/app_fixture.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using namespace tarnis;
using namespace tarnis::test;

namespace {

constexpr int Patience = 60000; // milliseconds

DynamicsWindow* openDynamics(AppFixture& fixture)
{
    fixture.app().navigator().show(WindowId::Dynamics);
    auto* dynamics = qobject_cast<DynamicsWindow*>(fixture.app().navigator().existing(WindowId::Dynamics));
    (void)QTest::qWaitForWindowExposed(dynamics);
    return dynamics;
}

bool waitUntilDone(DynamicsWindow* dynamics)
{
    const bool done = QTest::qWaitFor([dynamics] { return !dynamics->working(); }, Patience);
    settle();
    return done;
}

// Enter in the lag box enables Run again without changing the text that Run reads.
void enableRun(QWidget* main) { QTest::keyClick(main->findChild<QLineEdit*>(QStringLiteral("tlag")), Qt::Key_Return); }

// r for the next run, one of two in turn, so that each run has dynamics of its own for the window to
// work out; Enter in the box enables Run.
void nextRate(QWidget* main, int run)
{
    auto* box = main->findChild<QLineEdit*>(QStringLiteral("rrate"));
    box->setText(run % 2 ? QStringLiteral("0.21") : QStringLiteral("0.2"));
    QTest::keyClick(box, Qt::Key_Return);
}

// From the start, a run of the defaults with one box's value changed (a number of steps beyond what
// Enter confirms in the steps box, too).
void runWith(AppFixture& fixture, const char* box, std::int64_t value)
{
    fixture.startAtMainWindow();
    fixture.mainWindow()->findChild<QLineEdit*>(QLatin1String(box))->setText(QString::number(value));
    enableRun(fixture.mainWindow());
    fixture.run();
}

// The window opened after a run of the defaults with the lag given.
DynamicsWindow* openAfterARun(AppFixture& fixture, std::int64_t lag)
{
    runWith(fixture, "tlag", lag);
    return openDynamics(fixture);
}

// From the Run click to the map's first drawing with cells in it, and to the drawing of the last, at
// the lag given: 5 (a linear map of 200 × 41 cells) or 400 (a logarithmic one, whose long lags take
// longer to look at).
void mapOfARun(benchmark::State& state)
{
    AppFixture fixture;
    DynamicsWindow* dynamics = openAfterARun(fixture, state.range(0));
    auto* map = dynamics->findChild<StabilityMap*>(QStringLiteral("stabilityMap"));
    QWidget* main = fixture.mainWindow();
    double firstCells = 0.0;
    int runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        (void)waitUntilDone(dynamics);
        nextRate(main, ++runs);
        QElapsedTimer clock;
        double first = -1.0, complete = -1.0;
        const auto drawn = QObject::connect(map, &QCustomPlot::afterReplot, map, [&] {
            if (first < 0 && map->computedCells() > 0)
                first = clock.nsecsElapsed() / 1e6;
            if (complete < 0 && map->computedCells() == map->cellCount())
                complete = clock.nsecsElapsed() / 1e6;
        });
        state.ResumeTiming();
        clock.start();
        fixture.run();
        if (!QTest::qWaitFor([&] { return complete >= 0; }, Patience))
            state.SkipWithError("the map was not complete");
        state.SetIterationTime(complete / 1e3);
        firstCells += first;
        QObject::disconnect(drawn);
    }
    state.counters["first_cells_ms"] = firstCells / double(state.iterations());
}

// From the switch back to "over r" to the drawing of the whole diagram.
void bifurcationOverRate(benchmark::State& state)
{
    AppFixture fixture;
    fixture.startAtMainWindow();
    fixture.run();
    DynamicsWindow* dynamics = openDynamics(fixture);
    auto* diagram = dynamics->findChild<BifurcationPlot*>(QStringLiteral("bifurcationPlot"));
    auto* overRate = dynamics->findChild<QRadioButton*>(QStringLiteral("overRate"));
    auto* overLag = dynamics->findChild<QRadioButton*>(QStringLiteral("overLag"));
    for (auto _ : state) {
        state.PauseTiming();
        overLag->click();
        (void)waitUntilDone(dynamics);
        QElapsedTimer clock;
        double drawnAfter = -1.0;
        const auto drawn = QObject::connect(diagram, &QCustomPlot::afterReplot, diagram, [&] {
            if (drawnAfter < 0 && diagram->computedColumns() == diagram->columnCount())
                drawnAfter = clock.nsecsElapsed() / 1e6;
        });
        state.ResumeTiming();
        clock.start();
        overRate->click();
        if (!QTest::qWaitFor([&] { return drawnAfter >= 0; }, Patience))
            state.SkipWithError("the diagram was not drawn");
        state.SetIterationTime(drawnAfter / 1e3);
        QObject::disconnect(drawn);
    }
    state.counters["columns"] = double(diagram->columnCount());
}

// The pointer moves to another cell of the finished map: its words and its outline drawn.
void hoverOverMap(benchmark::State& state)
{
    AppFixture fixture;
    fixture.startAtMainWindow();
    fixture.run();
    DynamicsWindow* dynamics = openDynamics(fixture);
    if (!waitUntilDone(dynamics))
        state.SkipWithError("the map was not complete");
    auto* map = dynamics->findChild<StabilityMap*>(QStringLiteral("stabilityMap"));
    const QRect plot = map->axisRect()->rect();
    int step = 0;
    for (auto _ : state) {
        const QPointF at(plot.left() + (step * 7) % plot.width(), plot.top() + (step * 3) % plot.height());
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map, &move);
        map->repaint();
        dynamics->findChild<QWidget*>(QStringLiteral("mapPointed"))->repaint();
    }
}

// The pointer moves to another cell of the finished map, after a run of the steps given: the preview
// runs that cell's parameters over as many steps and draws them, the map outlines the cell, and both
// lines under them name it, all on screen. The counters give the median, the 95th percentile and the
// slowest move.
void previewOverMap(benchmark::State& state)
{
    AppFixture fixture;
    runWith(fixture, "simut", state.range(0));
    DynamicsWindow* dynamics = openDynamics(fixture);
    dynamics->resize(DynamicsWindow::firstSize());
    if (!waitUntilDone(dynamics))
        state.SkipWithError("the map was not complete");
    auto* map = dynamics->findChild<StabilityMap*>(QStringLiteral("stabilityMap"));
    auto* preview = dynamics->findChild<QWidget*>(QStringLiteral("DynamicsPreview"));
    const std::vector<QWidget*> shown{map, preview, dynamics->findChild<QWidget*>(QStringLiteral("mapPointed")),
                                      dynamics->findChild<QWidget*>(QStringLiteral("previewLine"))};
    // Every cell once in an order fixed by its seed, so that each move lands on a new one, in every regime.
    std::vector<std::size_t> cells(map->cellCount());
    std::iota(cells.begin(), cells.end(), std::size_t(0));
    std::shuffle(cells.begin(), cells.end(), std::mt19937(24));
    std::size_t move = 0;
    std::vector<double> times;
    for (auto _ : state) {
        const QPointF at = map->cellCentre(cells[move++ % cells.size()]);
        QElapsedTimer clock;
        clock.start();
        QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map, &move);
        for (QWidget* widget : shown)
            widget->repaint();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    // The moves differ widely: a run that dies out at once draws a few points, a chaotic one every step.
    std::ranges::sort(times);
    state.counters["p50_ms"] = times[times.size() / 2];
    state.counters["p95_ms"] = times[times.size() * 95 / 100];
    state.counters["slowest_ms"] = times.back();
}

// The whole map drawn again, every cell computed: at lag 5 (200 × 41 cells on linear axes) and at lag
// 400 (on logarithmic ones), as after a zoom or a resize.
void drawMap(benchmark::State& state)
{
    AppFixture fixture;
    DynamicsWindow* dynamics = openAfterARun(fixture, state.range(0));
    if (!waitUntilDone(dynamics))
        state.SkipWithError("the map was not complete");
    auto* map = dynamics->findChild<StabilityMap*>(QStringLiteral("stabilityMap"));
    for (auto _ : state)
        map->replot(QCustomPlot::rpImmediateRefresh);
    state.counters["cells"] = double(map->cellCount());
}

// The Run click, button to drawn chart, with the Dynamics window open and its work going on (each
// click starts it again), and the same click with the window closed, in turns, so that whatever else
// the machine does weighs on both alike. The time is the click beside the window; the counter gives
// the medians of both and their ratio.
void runClickBesideDynamics(benchmark::State& state)
{
    AppFixture fixture;
    runWith(fixture, "simut", state.range(0));
    QWidget* main = fixture.mainWindow();
    auto* run = main->findChild<QPushButton*>(QStringLiteral("Command2"));
    Navigator& navigator = fixture.app().navigator();
    // The user is back at the main window to click Run, the work of the last click going on.
    int runs = 0;
    const auto timedClick = [&](bool beside) {
        if (beside)
            openDynamics(fixture);
        main->activateWindow();
        (void)QTest::qWaitForWindowActive(main);
        nextRate(main, ++runs);
        QTest::qWait(5);
        if (beside && !qobject_cast<DynamicsWindow*>(navigator.existing(WindowId::Dynamics))->working())
            state.SkipWithError("the window's work was not going on");
        QElapsedTimer clock;
        clock.start();
        run->click();
        const double milliseconds = clock.nsecsElapsed() / 1e6;
        if (beside) {
            navigator.existing(WindowId::Dynamics)->close();
            settle();
        }
        return milliseconds;
    };
    std::vector<double> alone, beside;
    for (auto _ : state) {
        alone.push_back(timedClick(false));
        beside.push_back(timedClick(true));
        state.SetIterationTime(beside.back() / 1e3);
    }
    // Medians: a click that the machine held up now and then says nothing about the window.
    const auto median = [](std::vector<double> times) {
        std::ranges::nth_element(times, times.begin() + std::ptrdiff_t(times.size() / 2));
        return times[times.size() / 2];
    };
    state.counters["alone_median_ms"] = median(alone);
    state.counters["beside_median_ms"] = median(beside);
    state.counters["ratio"] = median(beside) / median(alone);
}

} // namespace

// Each benchmark whose set-up computes a whole map gives its count of iterations: left to Google
// Benchmark, the search for a count would run that set-up, a second or two, up to four more times.
// The runs and clicks that wait for the window's work were most of scripts/bench's time; a map a
// repetition (its spread is a few per cent) and thirty clicks a repetition (whose medians vary by a
// few per cent between repetitions) give the same medians.
BENCHMARK(drawMap)->Arg(5)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(mapOfARun)->Arg(5)->Arg(400)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(bifurcationOverRate)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(hoverOverMap)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(previewOverMap)->Arg(200)->Arg(2000)->Arg(9999)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(runClickBesideDynamics)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(30);
