// Whole clicks as a user makes them: Run from the button to the drawn chart (with the run's
// continuous-time twin beside it too), and a click on the chart of each window, which draws the next
// kind of the cycle.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/chart_data_sets.h"
#include "charts/chart_control.h"
#include "tests/support/app_fixture.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QPushButton>

using namespace tarnis;
using namespace tarnis::bench;
using namespace tarnis::test;

namespace {

void setSteps(QWidget* main, int steps)
{
    auto* box = main->findChild<QLineEdit*>(QStringLiteral("simut"));
    box->setText(QString::number(steps)); // the box caps at 2000 on Enter, Run reads up to 9999
}

// Enter in the lag box enables Run again without changing the text that Run reads.
void enableRun(QWidget* main) { QTest::keyClick(main->findChild<QLineEdit*>(QStringLiteral("tlag")), Qt::Key_Return); }

void runClick(benchmark::State& state, bool continuous)
{
    AppFixture fixture;
    fixture.startAtMainWindow();
    QWidget* main = fixture.mainWindow();
    main->findChild<ChartControl*>(QStringLiteral("MSChart1"))->setContinuousChosen(continuous);
    setSteps(main, int(state.range(0)));
    auto* run = main->findChild<QPushButton*>(QStringLiteral("Command2"));
    auto* rate = main->findChild<QLineEdit*>(QStringLiteral("rrate"));
    bool faster = false;
    for (auto _ : state) {
        state.PauseTiming();
        // The continuous trajectory of a run is kept for the next drawing: each click is a new run.
        if (continuous)
            rate->setText((faster = !faster) ? QStringLiteral("0.21") : QStringLiteral("0.2"));
        enableRun(main);
        state.ResumeTiming();
        run->click();
    }
    if (fixture.state().store.LastStep != state.range(0))
        state.SkipWithError("the run did not reach its last step");
}

void chartClick(benchmark::State& state, WindowId window)
{
    AppFixture fixture;
    fixture.startAtMainWindow();
    QWidget* main = fixture.mainWindow();
    setSteps(main, int(state.range(0)));
    enableRun(main);
    (void)clickButton(main, "Command2");
    QWidget* shown = main;
    if (window == WindowId::LargeGraph) {
        (void)clickButton(main, "Command11");
        shown = fixture.app().navigator().existing(WindowId::LargeGraph);
    }
    QWidget* chart = shown->findChild<QWidget*>(QStringLiteral("MSChart1"));
    for (auto _ : state)
        QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(chart->width() / 2, chart->height() / 2));
}

} // namespace

// A count of clicks for each, some tens of milliseconds of them: the program's start, which each
// repetition makes, costs more than that, and a search for the count would make it again and again.
BENCHMARK_CAPTURE(runClick, alone, false)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK_CAPTURE(runClick, continuous, true)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK_CAPTURE(chartClick, main, WindowId::Main)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(chartClick, large, WindowId::LargeGraph)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
