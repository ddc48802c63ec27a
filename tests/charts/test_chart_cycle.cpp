// Clicks on the charts of both windows step through the eleven chart kinds, each window with a
// counter of its own that lives as long as the process and that nothing else moves.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

using namespace tarnis;
using namespace tarnis::test;

namespace {

// What tells the kinds apart on screen: the title, and for the twins the look of the first series.
struct Shown {
    QString title;
    SeriesLook look = SeriesLook::Line;
    int seriesCount = 1;
};

const QList<Shown> Cycle{
    {"Curve of N(t) vs. time"},
    {"Curve of dN/dt vs. time"},
    {"Curve of dN vs. N", SeriesLook::Points},
    {"Curve of dN vs. N"},
    {"Curve of N and dN/dt vs. time", SeriesLook::Line, 2},
    {"Curve of logN(t) vs. time"},
    {"Curve of dN/Ndt vs. N", SeriesLook::Points},
    {"Curve of dN/Ndt vs. N"},
    {"Curve of N(t+1) vs. N(t)", SeriesLook::Points},
    {"Curve of N(t+1) vs. N(t)"},
    {"Curve of N(t) and K vs. time", SeriesLook::Line, 2},
};

void verifyShows(ChartControl* chart, const Shown& expected)
{
    QVERIFY(chart);
    QCOMPARE(chart->chartTitle(), expected.title);
    chart->replot();
    const QString touching = touchingTickLabels(*chart); // no two of its tick labels touch
    QVERIFY2(touching.isEmpty(), qPrintable(touching));
    QCOMPARE(chart->series().seriesLook(ChartSeries::FirstSeries), expected.look);
    QCOMPARE(chart->series().seriesCount(), expected.seriesCount);
    QCOMPARE(chart->series().rowCount(), 201);
}

} // namespace

class TestChartCycle : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void cycleFromStartUp();
    void runInTheMiddleOfTheCycle();
    void countersAreIndependent();
    void buttonsLeaveTheCounter();

private:
    ChartControl* chart(QWidget* window) { return child<ChartControl>(window, "MSChart1"); }
    void click(QWidget* window) { QTest::mouseClick(chart(window), Qt::LeftButton); }

    std::unique_ptr<AppFixture> m_fixture;
    QWidget* m_main = nullptr;
};

void TestChartCycle::init()
{
    m_fixture = startTarnis(AfterStart::RunDefaults);
    m_main = m_fixture->mainWindow();
}

void TestChartCycle::cleanup() { m_fixture.reset(); }

void TestChartCycle::cycleFromStartUp()
{
    verifyShows(chart(m_main), Cycle[0]);
    for (int click = 1; click <= 12; ++click) {
        this->click(m_main);
        verifyShows(chart(m_main), Cycle[click % Cycle.size()]);
        QCOMPARE(m_fixture->state().ChartCycleMain, click % Cycle.size());
    }
}

void TestChartCycle::runInTheMiddleOfTheCycle()
{
    for (int click = 0; click < 3; ++click)
        this->click(m_main);
    // Enter in a box confirms it and gives Run back.
    QLineEdit* box = child<QLineEdit>(m_main, "rrate");
    box->setFocus();
    pressEnter(box);
    QVERIFY(clickButton(m_main, "Command2"));
    verifyShows(chart(m_main), Cycle[0]);
    click(m_main);
    verifyShows(chart(m_main), Cycle[4]);
}

void TestChartCycle::countersAreIndependent()
{
    m_fixture->state().ChartCycleMain = 7;
    m_fixture->state().ChartCycleLarge = 2;
    QWidget* large = m_fixture->openLargeGraph();
    QVERIFY(large);
    click(large);
    verifyShows(chart(large), Cycle[3]);
    QCOMPARE(m_fixture->state().ChartCycleMain, 7);
    QCOMPARE(m_fixture->state().ChartCycleLarge, 3);
    QVERIFY(clickButton(large, "Command4"));
    click(m_main);
    verifyShows(chart(m_main), Cycle[8]);
    QCOMPARE(m_fixture->state().ChartCycleLarge, 3);
}

void TestChartCycle::buttonsLeaveTheCounter()
{
    QWidget* large = m_fixture->openLargeGraph();
    QVERIFY(large);
    click(large);
    QVERIFY(clickButton(large, "Command5")); // N(t+1) vs. N(t)
    QVERIFY(clickButton(large, "Command1")); // N vs. t
    QCOMPARE(m_fixture->state().ChartCycleLarge, 1);
    click(large);
    verifyShows(chart(large), Cycle[2]);
    QCOMPARE(m_fixture->state().ChartCycleMain, 0);
}

TARNIS_GUI_TEST_MAIN(TestChartCycle)
#include "test_chart_cycle.moc"
