// The dynamics of the model: the stability limits of whole and fractional lags against the formulas
// and against the deviation from K simulated step by step, the regimes of the landmark runs and their
// words, the Lyapunov exponent, scans that agree with single runs, whether on threads or in slices, and
// the plans of the map and the diagram with what a new run computes anew of them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/dynamics_plan.h"
#include "model/dynamics/dynamics_restart.h"
#include "model/dynamics/linear_stability.h"
#include "model/dynamics/lyapunov.h"
#include "model/dynamics/parameter_scan.h"
#include "model/dynamics/run_regime.h"
#include "model/numbers/conversions.h"
#include "model/numbers/double_double.h"
#include "model/run/model_step.h"
#include "model/words/regime_words.h"
#include "tests/support/exact.h"
#include "tests/support/model_test_main.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

using namespace tarnis;

namespace {

constexpr double none = std::numeric_limits<double>::quiet_NaN();

RunParameters parameters(double r, double n0, double K, double lag, int steps = 0)
{
    return {r, K, std::int16_t(steps), n0, lag};
}

std::vector<double> fromZeroInHalves(int count)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(0.5 * i);
    return values;
}

// The deviation from K of the linearised run, u(t+1) = u(t) − r·u(index), with the index that the
// run's own step reads, kept in range by rescaling.
struct DeviationTail {
    double logGrowthPerStep = 0.0; // between the last two quarters of the steps
    int signChanges = 0;           // in the second half
    double meanUpwardSpacing = 0.0;
};

DeviationTail simulateDeviation(double r, double lag, int steps)
{
    std::vector<double> u(std::size_t(steps) + 1);
    std::vector<double> logSize(std::size_t(steps) + 1); // ln|u(t)| including the rescaling
    u[0] = 1.0;
    double logScale = 0.0;
    const int reach = int(std::ceil(lag)) + 1;
    DeviationTail tail;
    int firstUp = -1;
    int lastUp = -1;
    int ups = 0;
    for (int i = 1; i <= steps; ++i) {
        u[i] = u[i - 1] - r * u[laggedIndex(i, lag)];
        if (std::fabs(u[i]) > 1e100 || std::fabs(u[i]) < 1e-100) {
            const double factor = 1.0 / std::fabs(u[i]);
            for (int j = std::max(0, i - reach); j <= i; ++j)
                u[j] *= factor;
            logScale -= std::log(factor);
        }
        logSize[i] = std::log(std::fabs(u[i])) + logScale;
        if (i > steps / 2 && (u[i] > 0) != (u[i - 1] > 0)) {
            ++tail.signChanges;
            if (u[i] > 0) {
                firstUp = firstUp < 0 ? i : firstUp;
                lastUp = i;
                ++ups;
            }
        }
    }
    const auto largest = [&](int from, int to) { return *std::max_element(&logSize[from], &logSize[to]); };
    const int quarter = steps / 4;
    tail.logGrowthPerStep = (largest(3 * quarter, steps) - largest(2 * quarter, 3 * quarter)) / quarter;
    tail.meanUpwardSpacing = ups > 1 ? double(lastUp - firstUp) / (ups - 1) : 0.0;
    return tail;
}

// The parts that a run after `shown` computes anew: "regime", "map", "over r", "over lag" (the diagram
// on show over r, over the lag), with the plan that follows `shown`.
QString partsAnew(const DynamicsPlan* shown, const RunParameters& next)
{
    const DynamicsPlan plan = followingPlan(shown, next);
    const DynamicsRestart overRate = dynamicsRestart(shown, plan, BifurcationAxis::Rate);
    const DynamicsRestart overLag = dynamicsRestart(shown, plan, BifurcationAxis::Lag);
    QStringList parts;
    for (const auto& [anew, name] : {std::pair{overRate.regime, "regime"}, {overRate.map, "map"},
                                     {overRate.diagram, "over r"}, {overLag.diagram, "over lag"}})
        if (anew)
            parts << QString::fromLatin1(name);
    if (overRate.regime != overLag.regime || overRate.map != overLag.map)
        parts << QStringLiteral("the regime or the map depends on the diagram's axis");
    return parts.join(QStringLiteral(", "));
}

// What the runs after a plan's compute anew: the first everything; one in other steps nothing; a new r
// within the map its regime and the diagram over the lag, at that r; another lag its regime, the
// diagram over r, at that lag, and the map where its grid differs; a new N(0) or K everything, and so do
// a lag beyond the analysis and the run after it.
void verifyRestarts(const DynamicsPlan& plan, double otherLag, bool sameMap)
{
    const RunParameters run = plan.run;
    QCOMPARE(partsAnew(nullptr, run), QStringLiteral("regime, map, over r, over lag"));
    RunParameters next = run;
    next.steps = 300;
    QCOMPARE(partsAnew(&plan, next), QString());
    // and whose plan is the one on show, for its steps
    const DynamicsPlan longer = followingPlan(&plan, next);
    for (const RunParameters& planned : {longer.run, longer.overRate.parameters, longer.overLag.parameters})
        QCOMPARE(planned.steps, next.steps);
    next = run;
    next.r = 1.01 * run.r;
    QCOMPARE(partsAnew(&plan, next), QStringLiteral("regime, over lag"));
    next = run;
    next.lag = otherLag;
    QCOMPARE(partsAnew(&plan, next), sameMap ? QStringLiteral("regime, over r") : QStringLiteral("regime, map, over r"));
    for (const auto& [other, value] : {std::pair{&RunParameters::K, 501.0}, {&RunParameters::n0, 2.0 * run.n0}}) {
        next = run;
        next.*other = value;
        QCOMPARE(partsAnew(&plan, next), QStringLiteral("regime, map, over r, over lag"));
    }
    next = run;
    next.lag = 2.0 * MaxAnalysedLag;
    QCOMPARE(partsAnew(&plan, next), QStringLiteral("regime, map, over r, over lag"));
    const DynamicsPlan beyond = planDynamics(next);
    QCOMPARE(partsAnew(&beyond, next), QStringLiteral("map, over r, over lag"));
    QCOMPARE(partsAnew(&beyond, run), QStringLiteral("regime, map, over r, over lag"));
}

} // namespace

class TestDynamics : public QObject {
    Q_OBJECT
private slots:
    void doubleDoubleFunctions_data();
    void doubleDoubleFunctions();
    void closedFormLimits_data();
    void closedFormLimits();
    void everyLagRoundedCorrectly();
    void limitsAgainstTheDeviation_data();
    void limitsAgainstTheDeviation();
    void dominantRootAgainstTheDeviation_data();
    void dominantRootAgainstTheDeviation();
    void dominantRootExactly_data();
    void dominantRootExactly();
    void trajectoryIsTheRun_data();
    void trajectoryIsTheRun();
    void regimes_data();
    void regimes();
    void words_data();
    void words();
    void exponent_data();
    void exponent();
    void scanAgreesWithSingleRuns();
    void regimesAgreeWithTheirExponents();
    void cancelledScanStops();
    void bifurcationKeepsTheRunsValues();
    void mapFollowsTheLag_data();
    void mapFollowsTheLag();
};

void TestDynamics::doubleDoubleFunctions_data()
{
    using dd::DoubleDouble;
    QTest::addColumn<double>("error");     // relative, from the value in 80-digit decimal arithmetic
    QTest::addColumn<double>("tolerance"); // relative
    const auto row = [](const char* name, DoubleDouble computed, double hi, double lo, double tolerance = 0x1p-98) {
        QTest::newRow(name) << ((computed.hi - hi) + (computed.lo - lo)) / hi << tolerance;
    };
    row("exp(1)", exp(DoubleDouble(1.0)), 2.718281828459045, 1.4456468917292502e-16);
    row("exp(-20.5)", exp(DoubleDouble(-20.5)), 1.2501528663867426e-09, 6.448235878237776e-26);
    row("exp(700.25)", exp(DoubleDouble(700.25)), 1.3022997366991783e+304, 7.154767958193286e+287);
    row("expm1(3e-6)", expm1(DoubleDouble(3e-6)), 3.0000045000045e-06, -8.925282553003327e-23);
    row("expm1(-0.3)", expm1(DoubleDouble(-0.3)), -0.2591817793182821, -1.805530505953e-18);
    row("log(10)", log(DoubleDouble(10.0)), 2.302585092994046, -2.1707562233822494e-16);
    row("log(1e-300)", log(DoubleDouble(1e-300)), -690.7755278982137, -2.3670096176709832e-14);
    row("log1p(1e-20)", log1p(DoubleDouble(1e-20)), 1e-20, -5e-41);
    row("sin(1)", sin(DoubleDouble(1.0)), 0.8414709848078965, 1.776845092935536e-18);
    row("cos(2.5)", cos(DoubleDouble(2.5)), -0.8011436155469337, -1.8674742705085553e-17);
    row("tan(0.7)", tan(DoubleDouble(0.7)), 0.8422883804630794, -3.9128846706146343e-17);
    row("sqrt(2)", sqrt(DoubleDouble(2.0)), 1.4142135623730951, -9.667293313452913e-17);
    // A power errs by up to about twice its exponent times one operation.
    row("1.0000001^9999", pow(DoubleDouble(1.0000001), 9999), 1.0010004000172028, -9.602490539794927e-17, 0x1p-90);
}

// The functions of double-double arithmetic to about 30 digits: what the limits and the exponent rest on.
void TestDynamics::doubleDoubleFunctions()
{
    QFETCH(double, error);
    QFETCH(double, tolerance);
    QVERIFY2(std::fabs(error) <= tolerance, qPrintable(QString::number(error)));
}

void TestDynamics::closedFormLimits_data()
{
    QTest::addColumn<double>("lag");
    QTest::addColumn<double>("rMonotone");
    QTest::addColumn<double>("rStable");
    QTest::addColumn<double>("onsetPeriod");
    // Whole lags: r_m = T^T / (T+1)^(T+1), r_c = 2·sin(π / (2(2T+1))) (Levin and May); T = 0 is the
    // logistic map, whose approach is monotone up to r = 1.
    QTest::addRow("T = 0") << 0.0 << 1.0 << 2.0 << 2.0;
    QTest::addRow("T = 1: 2·sin(π/6) = 1") << 1.0 << 0.25 << 1.0 << 6.0;
    QTest::addRow("T = 2: (√5 − 1)/2") << 2.0 << 4.0 / 27.0 << 0.6180339887498949 << 10.0;
    QTest::addRow("T = 3: 27/256") << 3.0 << 0.10546875 << 0.4450418679126288 << 14.0;
    // Halves alternating with the next lag up: half of the whole lag's rates, over two steps.
    QTest::addRow("T = 0.5") << 0.5 << 0.5 << 1.0 << 4.0;
    QTest::addRow("T = 2.5: sin(π/6)") << 2.5 << 0.125 << 0.5 << 12.0;
    QTest::addRow("T = 4.5: (√5 − 1)/4") << 4.5 << 2.0 / 27.0 << 0.30901699437494745 << 20.0;
    // Halves alternating with the lag below: r_c = tan(π/(4n)), r_m = g(x*) at x* = n/(√(1+n²) + 1).
    QTest::addRow("T = 1.5: 3 − 2√2 and tan(π/4)") << 1.5 << 0.1715728752538099 << 1.0 << 8.0;
    QTest::addRow("T = 3.5: (5√5 − 11)/2 and √2 − 1") << 3.5 << 0.09016994374947424 << 0.41421356237309503 << 16.0;
    QTest::addRow("T = 5.5: 2 − √3") << 5.5 << 0.060761621785683215 << 0.2679491924311227 << 24.0;
    // Where a root found in extended precision went off by hundreds of units in the last place, and
    // the longest lags; the values of the closed forms in 90-digit decimal arithmetic, rounded once.
    QTest::addRow("T = 26") << 26.0 << 0.013883066851958217 << 0.05926665564511948 << 106.0;
    QTest::addRow("T = 4999.5") << 4999.5 << 7.357588725327667e-05 << 0.0003141592756944053 << 20000.0;
    QTest::addRow("T = 9998.5") << 9998.5 << 3.679162334080382e-05 << 0.0001570953415675531 << 39996.0;
    QTest::addRow("T = 9999") << 9999.0 << 3.678978362165516e-05 << 0.0001570874868923271 << 39998.0;
}

// The limits are the correctly rounded values of their closed forms.
void TestDynamics::closedFormLimits()
{
    QFETCH(double, lag);
    QFETCH(double, rMonotone);
    QFETCH(double, rStable);
    QFETCH(double, onsetPeriod);
    const auto limits = stabilityLimits(lag);
    QVERIFY(limits);
    QCOMPARE_EXACT(limits->rMonotone, rMonotone);
    QCOMPARE_EXACT(limits->rStable, rStable);
    QCOMPARE_EXACT(limits->onsetPeriod, onsetPeriod);
    if (lag == std::floor(lag)) {
        QCOMPARE(lagSchedule(lag).onEvenSteps, int(lag));
        QCOMPARE(lagSchedule(lag).onOddSteps, int(lag));
    }
}

// The error bounds keep every lag's limits clear of the midpoints between doubles: each is the
// correctly rounded value on every platform. A lag enters only through the two lags that the run uses,
// so the whole and half lags up to the longest stand for every lag.
void TestDynamics::everyLagRoundedCorrectly()
{
    for (int twice = 0; twice <= int(2 * MaxAnalysedLag); ++twice)
        QVERIFY2(limitsRoundedCorrectly(twice / 2.0), qPrintable(QString::number(twice / 2.0)));
}

void TestDynamics::limitsAgainstTheDeviation_data()
{
    QTest::addColumn<double>("lag");
    QTest::addColumn<int>("evenLag"); // what the run uses on even and odd steps
    QTest::addColumn<int>("oddLag");
    QTest::addRow("0.5") << 0.5 << 0 << 1;
    QTest::addRow("1.5") << 1.5 << 2 << 1;
    QTest::addRow("2.5") << 2.5 << 2 << 3;
    QTest::addRow("3.3, below a half") << 3.3 << 3 << 3;
    QTest::addRow("3.7, above a half") << 3.7 << 4 << 4;
    QTest::addRow("7.5") << 7.5 << 8 << 7;
    QTest::addRow("12.5") << 12.5 << 12 << 13;
}

// The deviation from K, simulated with the run's own lag index, fades just below r_c and grows just
// above, with the onset period; it keeps its sign just below r_m and changes it just above.
void TestDynamics::limitsAgainstTheDeviation()
{
    QFETCH(double, lag);
    QFETCH(int, evenLag);
    QFETCH(int, oddLag);
    QCOMPARE(lagSchedule(lag).onEvenSteps, evenLag);
    QCOMPARE(lagSchedule(lag).onOddSteps, oddLag);
    const auto limits = stabilityLimits(lag);
    QVERIFY(limits);
    const int steps = 400000;
    const DeviationTail below = simulateDeviation(0.99 * limits->rStable, lag, steps);
    const DeviationTail above = simulateDeviation(1.01 * limits->rStable, lag, steps);
    QVERIFY2(below.logGrowthPerStep < 0.0, qPrintable(QString::number(below.logGrowthPerStep)));
    QVERIFY2(above.logGrowthPerStep > 0.0, qPrintable(QString::number(above.logGrowthPerStep)));
    QVERIFY2(std::fabs(above.meanUpwardSpacing - limits->onsetPeriod) < 0.01 * limits->onsetPeriod,
             qPrintable(QString::number(above.meanUpwardSpacing)));
    QCOMPARE(simulateDeviation(0.97 * limits->rMonotone, lag, steps).signChanges, 0);
    QVERIFY(simulateDeviation(1.03 * limits->rMonotone, lag, steps).signChanges > 0);
}

void TestDynamics::dominantRootAgainstTheDeviation_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addRow("logistic, overshooting") << 1.5 << 0.0;
    QTest::addRow("lag 5, damped") << 0.2 << 5.0;
    QTest::addRow("lag 8, growing") << 0.2 << 8.0;
    QTest::addRow("negative r, growing") << -0.05 << 3.0;
    QTest::addRow("lag 1.5, beyond its complex roots") << 7.0 << 1.5;
    QTest::addRow("lag 7.5, growing") << 0.25 << 7.5;
    QTest::addRow("lag 2.5, smooth") << 0.1 << 2.5;
    QTest::addRow("longest lag") << 1e-4 << 9999.0;
    QTest::addRow("long half lag") << 1e-4 << 4999.5;
}

// The growth per step and the period of the simulated deviation are those of the dominant root: a
// root that is not the largest would be overtaken.
void TestDynamics::dominantRootAgainstTheDeviation()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    const auto response = linearResponse(r, lag);
    QVERIFY(response);
    const int steps = std::max(200000, int(40 * (4 * lag + 2)));
    const DeviationTail tail = simulateDeviation(r, lag, steps);
    const double expected = std::log(response->modulus);
    QVERIFY2(std::fabs(tail.logGrowthPerStep - expected) < 0.02 * std::fabs(expected) + 1e-6,
             qPrintable(QStringLiteral("%1 against %2").arg(tail.logGrowthPerStep).arg(expected)));
    if (response->period)
        QVERIFY2(std::fabs(tail.meanUpwardSpacing - *response->period) < 0.01 * *response->period,
                 qPrintable(QStringLiteral("%1 against %2").arg(tail.meanUpwardSpacing).arg(*response->period)));
    else
        QCOMPARE(tail.signChanges, 0);
}

void TestDynamics::dominantRootExactly_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addColumn<double>("modulus");
    QTest::addColumn<double>("argument");
    QTest::addColumn<double>("period");
    QTest::addColumn<double>("halvingSteps");
    // The complex root solved in 60-digit decimal arithmetic, each number rounded once. At r = 0.08
    // and lag 6 the bisection in double ends four units off the root.
    QTest::addRow("lag 5, Data 2") << 0.2 << 5.0 << 0.9555210078363221 << 0.2534829393053429 << 24.787409063498853
                                   << 15.234496387370308;
    QTest::addRow("lag 6") << 0.08 << 6.0 << 0.8884438405557669 << 0.1256896719201619 << 49.98967068010701
                           << 5.860032766439115;
    QTest::addRow("lag 10") << 0.05 << 10.0 << 0.9300422071701834 << 0.07877975618763351 << 79.75634365019641
                            << 9.557314299920215;
}

// The dominant root's numbers are those of the root itself, not of where a search in double ended, so
// that every platform gives the same.
void TestDynamics::dominantRootExactly()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    QFETCH(double, modulus);
    QFETCH(double, argument);
    QFETCH(double, period);
    QFETCH(double, halvingSteps);
    const auto response = linearResponse(r, lag);
    QVERIFY(response && response->period && response->halvingSteps);
    QCOMPARE_EXACT(response->modulus, modulus);
    QCOMPARE_EXACT(response->argument, argument);
    QCOMPARE_EXACT(*response->period, period);
    QCOMPARE_EXACT(*response->halvingSteps, halvingSteps);
}

void TestDynamics::trajectoryIsTheRun_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("n0");
    QTest::addColumn<double>("K");
    QTest::addColumn<double>("lag");
    QTest::addRow("defaults") << 0.2 << 1.0 << 500.0 << 5.0;
    QTest::addRow("chaotic, no lag") << 2.7 << 2.0 << 100.0 << 0.0;
    QTest::addRow("halves to even") << 0.45 << 1.0 << 500.0 << 2.5;
    QTest::addRow("just above a half") << 0.2 << 1.0 << 500.0 << 2.5000000000000004;
    QTest::addRow("many fraction bits") << 0.3 << 3.0 << 500.0 << 3.7;
    QTest::addRow("dies out") << 1.0 << 1.0 << 500.0 << 5.0;
    QTest::addRow("leaves the range") << 0.9 << 1.0 << -500.0 << 0.0;
}

// The first steps of the regime's trajectory are the run's, bit for bit, and it ends where the run does.
void TestDynamics::trajectoryIsTheRun()
{
    QFETCH(double, r);
    QFETCH(double, n0);
    QFETCH(double, K);
    QFETCH(double, lag);
    auto store = std::make_unique<ResultStore>();
    const RunOutcome outcome = runModel(*store, parameters(r, n0, K, lag, MaxRunSteps));
    Trajectory trajectory;
    computeTrajectory(trajectory, parameters(r, n0, K, lag), MaxRunSteps + 1);
    QCOMPARE(trajectory.end, outcome.end);
    QCOMPARE(trajectory.lastStep, outcome.end == RunEnd::Completed ? MaxRunSteps + 1 : int(outcome.lastStep));
    for (int t = 0; t <= trajectory.lastStep; ++t)
        QCOMPARE_EXACT(trajectory.N[std::size_t(t)], store->PopN[std::size_t(t)]);
}

void TestDynamics::regimes_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("n0");
    QTest::addColumn<double>("K");
    QTest::addColumn<double>("lag");
    QTest::addColumn<QString>("regime");
    QTest::addColumn<double>("period"); // NaN: none; compared to 1 %
    QTest::addColumn<int>("endStep");   // -1: none
    // The logistic map, x' = μx(1 − x) with μ = 1 + r.
    QTest::addRow("r = 0.5") << 0.5 << 1.0 << 500.0 << 0.0 << "settles smoothly" << none << -1;
    QTest::addRow("r = 1.5") << 1.5 << 1.0 << 500.0 << 0.0 << "damped oscillations" << 2.0 << -1;
    QTest::addRow("r = 2.2") << 2.2 << 1.0 << 500.0 << 0.0 << "periodic" << 2.0 << -1;
    QTest::addRow("r = 2.5") << 2.5 << 1.0 << 500.0 << 0.0 << "periodic" << 4.0 << -1;
    QTest::addRow("r = 2.7") << 2.7 << 1.0 << 500.0 << 0.0 << "chaotic" << none << -1;
    QTest::addRow("period-3 window") << std::sqrt(8.0) + 0.001 << 1.0 << 500.0 << 0.0 << "periodic" << 3.0 << -1;
    QTest::addRow("r = 3") << 3.0 << 1.0 << 500.0 << 0.0 << "chaotic" << none << -1;
    QTest::addRow("r above 3") << 3.1 << 1.0 << 500.0 << 0.0 << "dies out" << none << 9;
    // The three presets: r = 0.2 is above r_c(8) = 0.1845 and below r_c(5) = 0.2846 and r_c(3) = 0.4450.
    QTest::addRow("lag 8") << 0.2 << 1.0 << 500.0 << 8.0 << "sustained oscillations" << 35.0 << -1;
    QTest::addRow("lag 5") << 0.2 << 1.0 << 500.0 << 5.0 << "damped oscillations" << 24.79 << -1;
    QTest::addRow("lag 3") << 0.2 << 1.0 << 500.0 << 3.0 << "damped oscillations" << 20.0 << -1;
    // Near a limit the look is longer: just below r_c(5) the oscillation still fades.
    QTest::addRow("just below r_c(5)") << 0.2846 << 1.0 << 500.0 << 5.0 << "damped oscillations" << 22.0 << -1;
    QTest::addRow("a cycle still forming") << 2.4495 << 1.0 << 500.0 << 0.0 << "periodic" << 4.0 << -1;
    QTest::addRow("long cycle of a half lag") << 0.56 << 1.0 << 500.0 << 3.5 << "periodic" << 394.0 << -1;
    // Whatever the parameters, one of the nine.
    QTest::addRow("r = 0") << 0.0 << 1.0 << 500.0 << 5.0 << "settles smoothly" << none << -1;
    QTest::addRow("negative r") << -0.1 << 1.0 << 500.0 << 5.0 << "declines towards 0" << none << -1;
    QTest::addRow("r = -0.5") << -0.5 << 1.0 << 500.0 << 0.0 << "declines towards 0" << none << -1;
    QTest::addRow("negative r above K") << -0.1 << 600.0 << 500.0 << 5.0 << "leaves the range" << none << 57;
    QTest::addRow("negative r on K") << -0.1 << 500.0 << 500.0 << 5.0 << "rests on an unstable equilibrium" << none
                                     << -1;
    QTest::addRow("negative N(0)") << 0.2 << -1.0 << 500.0 << 5.0 << "dies out" << none << 1;
    QTest::addRow("negative K") << 0.2 << 1.0 << -500.0 << 5.0 << "leaves the range" << none << 65;
    // N(0) = K stays on K exactly: at rest below r_c of the lag, on an unstable equilibrium above it.
    QTest::addRow("on K below r_c(3)") << 0.4 << 500.0 << 500.0 << 3.0 << "settles smoothly" << none << -1;
    QTest::addRow("on K above r_c(3)") << 0.5 << 500.0 << 500.0 << 3.0 << "rests on an unstable equilibrium" << none
                                       << -1;
    QTest::addRow("on K below r_c(8)") << 0.18 << 500.0 << 500.0 << 8.0 << "settles smoothly" << none << -1;
    QTest::addRow("on K above r_c(8)") << 0.2 << 500.0 << 500.0 << 8.0 << "rests on an unstable equilibrium" << none
                                       << -1;
    QTest::addRow("held at K") << 1e200 << 500.0 << 500.0 << 3.0 << "rests on an unstable equilibrium" << none << -1;
    // Too slow to come near K in the steps looked at: still approaching it.
    QTest::addRow("r = 0.0001") << 1e-4 << 1.0 << 500.0 << 0.0 << "settles smoothly" << none << -1;
    QTest::addRow("too small to move N") << 1e-20 << 1.0 << 500.0 << 5.0 << "settles smoothly" << none << -1;
    QTest::addRow("falling too slowly to tell where to")
        << 2.58956e-16 << 4.07913e-21 << 9.48544e-29 << 1157.34 << "settles smoothly" << none << -1;
    QTest::addRow("long lag dies out") << 0.02 << 1.0 << 500.0 << 1000.0 << "dies out" << none << 2205;
}

void TestDynamics::regimes()
{
    QFETCH(double, r);
    QFETCH(double, n0);
    QFETCH(double, K);
    QFETCH(double, lag);
    QFETCH(QString, regime);
    QFETCH(double, period);
    QFETCH(int, endStep);
    const auto report = runRegime(parameters(r, n0, K, lag));
    QVERIFY(report);
    QCOMPARE(QString::fromUtf8(regimeText(report->regime).data()), regime);
    QCOMPARE(report->period.has_value(), !std::isnan(period));
    if (report->period)
        QVERIFY2(std::fabs(*report->period - period) <= 0.01 * period, qPrintable(QString::number(*report->period)));
    QCOMPARE(report->endStep.value_or(-1), endStep);
    const bool ended = endStep >= 0;
    // Still approaching: more than 1 % away from K at the last step, with no settled part to measure.
    const bool approaching = report->regime == Regime::SettlesSmoothly && r != 0.0
        && std::fabs(report->lastN - K) > regime_rules::NearEnd * std::fabs(K);
    QCOMPARE(report->stillApproaching, approaching);
    QCOMPARE(report->lyapunov.has_value(), !ended && !approaching);
    const bool settledRange = !ended && !approaching && report->regime != Regime::DeclinesTowardsZero;
    QCOMPARE(report->nMin.has_value() && report->nMax.has_value(), settledRange);
    QVERIFY(report->steps >= (ended ? endStep : regime_rules::MinimumSteps));
    // A regime never says what its exponent denies: a disturbance of a rest or a decline does not grow,
    // one of an unstable equilibrium does, and what it grows into is a regime of its own.
    const bool unstable = report->regime == Regime::UnstableEquilibrium;
    if (report->lyapunov && unstable)
        QVERIFY2(*report->lyapunov > 0.0, qPrintable(QString::number(*report->lyapunov)));
    else if (report->lyapunov && report->regime != Regime::Chaotic)
        QVERIFY2(*report->lyapunov <= regime_rules::ChaosThreshold, qPrintable(QString::number(*report->lyapunov)));
    QCOMPARE(report->disturbed.has_value(), unstable);
    if (unstable) {
        QVERIFY(report->disturbed != Regime::UnstableEquilibrium && report->disturbed != Regime::SettlesSmoothly);
        QCOMPARE(report->nMin, std::optional(K));
    }
}

void TestDynamics::words_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("n0");
    QTest::addColumn<double>("lag");
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("sentences");
    const QString damped = QStringLiteral("the population overshoots K = 500 and oscillates around it with a period of "
                                          "about %1 steps; the swings shrink by half %2, until it settles at K. ");
    const QString noLag = QStringLiteral("Without a lag, oscillations around K die down for r below r_c = 2 and "
                                         "persist above it; below r_m = 1 the population approaches K without "
                                         "overshooting. Here r = %1 %2.");
    const QString atLag = QStringLiteral("At this lag, oscillations around K die down for r below r_c = %1 and persist "
                                         "above it; below r_m = %2 the population approaches K without overshooting. "
                                         "Here r = %3 %4.");
    QTest::addRow("Data 1") << 0.2 << 1.0 << 8.0 << "Sustained oscillations"
                            << "With r = 0.2, N(0) = 1, K = 500 and a lag of T = 8, the population keeps oscillating "
                               "around K = 500, between about 175.2 and 911.7, with a period of about 35 steps. The "
                               "swings neither die down nor grow, and they never repeat exactly. "
            + atLag.arg("0.1845", "0.0433", "0.2", "is above r_c");
    QTest::addRow("Data 2") << 0.2 << 1.0 << 5.0 << "Damped oscillations"
                            << "With r = 0.2, N(0) = 1, K = 500 and a lag of T = 5, "
            + damped.arg("24.8", "about every 15 steps")
            + atLag.arg("0.2846", "0.06698", "0.2", "lies between r_m and r_c");
    QTest::addRow("Data 3") << 0.2 << 1.0 << 3.0 << "Damped oscillations"
                            << "With r = 0.2, N(0) = 1, K = 500 and a lag of T = 3, "
            + damped.arg("20", "about every 4.3 steps")
            + atLag.arg("0.445", "0.1055", "0.2", "lies between r_m and r_c");
    const QString noLagOpening = QStringLiteral("With r = %1, N(0) = %2, K = 500 and no lag (T = 0), ");
    QTest::addRow("T = 0, r = 0.5") << 0.5 << 1.0 << 0.0 << "Settles smoothly"
                                    << noLagOpening.arg("0.5", "1")
            + "the population grows towards K = 500 and settles there without overshooting. "
            + noLag.arg("0.5", "is below r_m");
    QTest::addRow("T = 0, r = 1.5") << 1.5 << 1.0 << 0.0 << "Damped oscillations"
                                    << noLagOpening.arg("1.5", "1") + damped.arg("2", "or more at every step")
            + noLag.arg("1.5", "lies between r_m and r_c");
    QTest::addRow("T = 0, r = 2.5") << 2.5 << 1.0 << 0.0 << "Periodic"
                                    << noLagOpening.arg("2.5", "1")
            + "the population settles into a cycle that repeats exactly every 4 steps, between about 268 and "
              "612.5, around K = 500. "
            + noLag.arg("2.5", "is above r_c");
    QTest::addRow("T = 0, r = 2.7") << 2.7 << 1.0 << 0.0 << "Chaotic"
                                    << noLagOpening.arg("2.7", "1")
            + "the population fluctuates irregularly between about 175.9 and 633.8 and never settles into a cycle: "
              "it is chaotic. Two runs that start almost alike drift apart, their difference growing by about 42 % "
              "per step (Lyapunov exponent 0.354), so its values far ahead cannot be predicted. "
            + noLag.arg("2.7", "is above r_c");
    // The two ends name their step.
    QTest::addRow("dies out") << 3.5 << 1.0 << 0.0 << "Dies out"
                              << noLagOpening.arg("3.5", "1")
            + "the population dies out at step 6: it had overshot K so far that the next step took it down to 0. "
            + noLag.arg("3.5", "is above r_c");
    const QString notAbove = QStringLiteral("Here r = %1 is not above 0: the population does not grow towards K.");
    QTest::addRow("leaves the range") << -0.5 << 600.0 << 0.0 << "Leaves the range"
                                      << noLagOpening.arg("-0.5", "600")
            + "the population grows out of all bounds: after step 14 its values leave the range of numbers that can "
              "be computed. Without a lag, oscillations around K die down for r below r_c = 2 and persist above it; "
              "below r_m = 1 the population approaches K without overshooting. "
            + notAbove.arg("-0.5");
    QTest::addRow("beyond the analysis") << 0.2 << 1.0 << 20000.0 << "Beyond the analysis"
                                         << "What the run with r = 0.2 and a lag of T = 20000 does in the long run "
                                            "cannot be worked out: the analysis covers lags up to 9999.";
    // Only what the run does: resting on K where a disturbance grows, a decline, a slow approach, r = 0.
    QTest::addRow("on K above r_c(8)") << 0.2 << 500.0 << 8.0 << "Rests on an unstable equilibrium"
                                       << "With r = 0.2, N(0) = 500, K = 500 and a lag of T = 8, the population starts "
                                          "at K = 500 and stays there exactly, but at this r and lag K is an unstable "
                                          "equilibrium: the smallest disturbance would grow by about 0.68 % per step "
                                          "into oscillations around K that never die down. "
            + atLag.arg("0.1845", "0.0433", "0.2", "is above r_c");
    QTest::addRow("on K below r_c(3)")
        << 0.4 << 500.0 << 3.0 << "Settles smoothly"
        << "With r = 0.4, N(0) = 500, K = 500 and a lag of T = 3, the population starts "
           "at K = 500 and stays there: at this r and lag a small disturbance of K would "
           "die down. "
            + atLag.arg("0.445", "0.1055", "0.4", "lies between r_m and r_c");
    QTest::addRow("r = -0.5") << -0.5 << 1.0 << 0.0 << "Declines towards 0"
                              << noLagOpening.arg("-0.5", "1")
            + "the population declines towards 0 without ever reaching it: with r below 0 it shrinks by about 50 % at "
              "every step once N is well below K. Without a lag, oscillations around K die down for r below r_c = 2 "
              "and persist above it; below r_m = 1 the population approaches K without overshooting. "
            + notAbove.arg("-0.5");
    QTest::addRow("r = 0.0001") << 1e-4 << 1.0 << 0.0 << "Settles smoothly, still approaching K"
                                << noLagOpening.arg("0.0001", "1")
            + "the population grows towards K = 500 without overshooting, so slowly that it is still approaching K: "
              "N = 7.3 after 20000 steps. "
            + noLag.arg("0.0001", "is below r_m");
    // The 200 steps shown end before the lag reaches back to t = 0, and long before the run dies out.
    QTest::addRow("lag 400") << 0.2 << 1.0 << 400.0 << "Dies out after the steps shown"
                             << "With r = 0.2, N(0) = 1, K = 500 and a lag of T = 400, the population dies out at step "
                                "811: it had overshot K so far that the next step took it down to 0. That happens after "
                                "the 200 steps shown, within which the lag does not come into play: a step reads "
                                "N(t − T) only from t = T = 400 on, and N(t) before, so the population moves there as "
                                "it would without a lag. "
            + atLag.arg("0.003922", "0.0009186", "0.2", "is above r_c");
    // A fractional lag reads N at whole steps: the words name the lags the run uses.
    QTest::addRow("lag 2.7") << 0.2 << 1.0 << 2.7 << "Damped oscillations"
                             << "With r = 0.2, N(0) = 1, K = 500 and a lag of T = 2.7, which acts as a lag of 3, "
            + damped.arg("20", "about every 4.3 steps") + atLag.arg("0.445", "0.1055", "0.2", "lies between r_m and r_c");
    QTest::addRow("lag 2.5") << 0.45 << 1.0 << 2.5 << "Damped oscillations"
                             << "With r = 0.45, N(0) = 1, K = 500 and a lag of T = 2.5, which acts as lags of 2 and 3 "
                                "in turn, "
            + damped.arg("12.4", "about every 26 steps") + atLag.arg("0.5", "0.125", "0.45", "lies between r_m and r_c");
    QTest::addRow("r = 0") << 0.0 << 1.0 << 5.0 << "Neither grows nor shrinks"
                           << QStringLiteral("With r = 0, N(0) = 1, K = 500 and a lag of T = 5, the population neither "
                                             "grows nor shrinks: with r = 0 it stays at N(0) = 1 for ever. ")
            + "At this lag, oscillations around K die down for r below r_c = 0.2846 and persist above it; below r_m = "
              "0.06698 the population approaches K without overshooting. "
            + notAbove.arg("0");
}

void TestDynamics::words()
{
    QFETCH(double, r);
    QFETCH(double, n0);
    QFETCH(double, lag);
    QFETCH(QString, headline);
    QFETCH(QString, sentences);
    const RunParameters run{.r = r, .K = 500.0, .steps = 200, .n0 = n0, .lag = lag};
    const RunWords words = runInWords(run, runRegime(run), '.');
    QCOMPARE(QString::fromStdString(words.headline), headline);
    QCOMPARE(QString::fromStdString(words.sentences), sentences);
    // The decimal separator given is the one written, wherever a number has a fraction.
    const QString comma = QString::fromStdString(runInWords(run, runRegime(run), ',').sentences);
    QCOMPARE(comma.count(QLatin1Char(',')) - sentences.count(QLatin1Char(',')),
             sentences.count(QRegularExpression("\\d\\.\\d")));
}

void TestDynamics::exponent_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    // At a stable K the tangent is the deviation: its growth is the dominant root's. Where that root
    // oscillates, the largest value of the state swings with its phase, about 1e-5 over the mean.
    QTest::addRow("logistic at K") << 0.5 << 0.0 << std::log(0.5) << 1e-9;
    QTest::addRow("lag 5 at K") << 0.2 << 5.0 << std::log(linearResponse(0.2, 5.0)->modulus) << 1e-4;
    QTest::addRow("alternating lag at K") << 0.2 << 2.5 << std::log(linearResponse(0.2, 2.5)->modulus) << 1e-4;
    // The period-2 cycle of the logistic map: multiplier 4 + 2μ − μ² over two steps.
    QTest::addRow("two-cycle") << 2.2 << 0.0 << std::log(4.0 + 2.0 * 3.2 - 3.2 * 3.2) / 2.0 << 1e-9;
    QTest::addRow("full chaos") << 3.0 << 0.0 << std::log(2.0) << 0.01;
}

void TestDynamics::exponent()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const auto report = runRegime(parameters(r, 1.0, 500.0, lag));
    QVERIFY(report && report->lyapunov);
    QVERIFY2(std::fabs(*report->lyapunov - expected) <= tolerance,
             qPrintable(QStringLiteral("%1 against %2").arg(*report->lyapunov, 0, 'g', 12).arg(expected, 0, 'g', 12)));
}

void TestDynamics::scanAgreesWithSingleRuns()
{
    const ScanGrid grid{{0.2, 1.5, 2.7}, {0.0, 2.5, 8.0}, 1.0, 500.0};
    std::vector<int> delivered(grid.cellCount());
    std::size_t lastDone = 0;
    ScanControl control;
    control.threads = 2;
    control.progress = [&](std::size_t done, std::size_t total) {
        QCOMPARE(total, grid.cellCount());
        QCOMPARE(done, lastDone + 1);
        lastDone = done;
    };
    const ScanResult result = scanGrid(grid, control, [&](const ScanCell& cell) {
        ++delivered[cell.rateIndex * grid.lags.size() + cell.lagIndex];
        QCOMPARE_EXACT(cell.r, grid.rates[cell.rateIndex]);
        QCOMPARE_EXACT(cell.lag, grid.lags[cell.lagIndex]);
    });
    QVERIFY(!result.cancelled);
    QCOMPARE(lastDone, grid.cellCount());
    QCOMPARE(delivered, std::vector<int>(grid.cellCount(), 1));
    // A page's worker takes the cells in slices, without threads; the last slice is cut at the grid's end.
    RegimeWorkspace workspace;
    std::vector<std::optional<RegimeReport>> sliced;
    for (std::size_t first = 0; first < grid.cellCount(); first += 4) {
        const auto slice = scanSlice(grid, first, 4, workspace);
        sliced.insert(sliced.end(), slice.begin(), slice.end());
    }
    QCOMPARE(sliced.size(), grid.cellCount());
    QVERIFY(scanSlice(grid, grid.cellCount(), 4, workspace).empty());
    for (std::size_t i = 0; i < grid.cellCount(); ++i) {
        const auto single = runRegime(parameters(grid.rates[i / 3], 1.0, 500.0, grid.lags[i % 3]));
        for (const auto& cell : {result.cells[i], sliced[i]}) {
            QVERIFY(cell);
            QCOMPARE(cell->regime, single->regime);
            QCOMPARE(cell->period, single->period);
            QCOMPARE(cell->lyapunov, single->lyapunov);
            QCOMPARE(cell->nMin, single->nMin);
            QCOMPARE(cell->nMax, single->nMax);
            QCOMPARE(cell->endStep, single->endStep);
        }
    }
}

// Over a grid of r and lags, started off K and on it: no regime of rest, decline or cycle with an
// exponent that says disturbances grow, no unstable equilibrium with one that says they fade, and a
// settled range only where the run has settled.
void TestDynamics::regimesAgreeWithTheirExponents()
{
    for (const double n0 : {1.0, 500.0}) {
        ScanGrid grid{{}, {0.0, 1.0, 2.0, 2.5, 5.0, 8.0}, n0, 500.0};
        for (double r = 0.05; r < 3.2; r += 0.15)
            grid.rates.push_back(r);
        const ScanResult result = scanGrid(grid);
        for (std::size_t i = 0; i < grid.cellCount(); ++i) {
            const RegimeReport& report = *result.cells[i];
            const QByteArray cell = QStringLiteral("r = %1, T = %2, N(0) = %3: %4")
                                        .arg(grid.rates[i / grid.lags.size()])
                                        .arg(grid.lags[i % grid.lags.size()])
                                        .arg(n0)
                                        .arg(QString::fromUtf8(regimeText(report.regime).data()))
                                        .toUtf8();
            if (report.regime == Regime::UnstableEquilibrium)
                QVERIFY2(report.lyapunov && *report.lyapunov > 0.0 && report.disturbed, cell.constData());
            else if (report.lyapunov && report.regime != Regime::Chaotic)
                QVERIFY2(*report.lyapunov <= regime_rules::ChaosThreshold, cell.constData());
            if (report.nMin)
                QVERIFY2(!report.stillApproaching && report.regime != Regime::DeclinesTowardsZero, cell.constData());
        }
    }
}

// Cancelled from the first delivery, a scan stops with cells left undone.
void TestDynamics::cancelledScanStops()
{
    ScanGrid grid;
    for (int i = 1; i <= 20; ++i)
        grid.rates.push_back(0.1 * i);
    grid.lags = {0.0, 5.0, 8.0};
    std::atomic<bool> cancel{false};
    ScanControl control;
    control.cancel = &cancel;
    control.threads = 2;
    const ScanResult result = scanGrid(grid, control, [&](const ScanCell&) { cancel = true; });
    QVERIFY(result.cancelled);
    const auto computed
        = std::count_if(result.cells.begin(), result.cells.end(), [](const auto& c) { return bool(c); });
    QVERIFY2(computed >= 1 && computed <= 3, qPrintable(QString::number(computed)));
}

// The kept values are the run's own; a run that ends before them shows where it ended.
void TestDynamics::bifurcationKeepsTheRunsValues()
{
    BifurcationRequest request;
    request.parameters = parameters(0.0, 2.0, 100.0, 0.0);
    request.values = {2.0, 2.7, 3.1};
    request.discard = 100;
    request.keep = 50;
    ScanControl control;
    control.threads = 2;
    std::size_t delivered = 0;
    const BifurcationResult result
        = bifurcationData(request, control, [&](std::size_t, const BifurcationColumn&) { ++delivered; });
    QCOMPARE(delivered, request.values.size());
    auto store = std::make_unique<ResultStore>();
    for (std::size_t i = 0; i < 2; ++i) {
        runModel(*store, parameters(request.values[i], 2.0, 100.0, 0.0, 149));
        const BifurcationColumn& column = result.columns[i];
        QCOMPARE(column.end, RunEnd::Completed);
        QCOMPARE(column.firstStep, 100);
        QCOMPARE(column.N.size(), std::size_t(50));
        for (int k = 0; k < 50; ++k)
            QCOMPARE_EXACT(column.N[std::size_t(k)], store->PopN[std::size_t(100 + k)]);
    }
    QVERIFY(*result.columns[1].lyapunov > 0.2); // chaotic at μ = 3.7
    RegimeWorkspace workspace;
    auto sliced = bifurcationSlice(request, 0, 2, workspace);
    const auto rest = bifurcationSlice(request, 2, 2, workspace);
    sliced.insert(sliced.end(), rest.begin(), rest.end());
    QCOMPARE(sliced.size(), result.columns.size());
    for (std::size_t i = 0; i < sliced.size(); ++i) {
        QCOMPARE(sliced[i].N, result.columns[i].N);
        QCOMPARE(sliced[i].lyapunov, result.columns[i].lyapunov);
        QCOMPARE(sliced[i].end, result.columns[i].end);
    }
    request.keep = 0;
    QVERIFY(bifurcationSlice(request, 0, 3, workspace).empty());
    const BifurcationColumn& ended = result.columns[2];
    QCOMPARE(ended.end, RunEnd::DiedOut);
    QCOMPARE(ended.firstStep, ended.lastStep);
    QCOMPARE(ended.N, std::vector<double>{0.0});
    QVERIFY(!ended.lyapunov);
    // In words: a column that settles names its one value, a cycle its range.
    request.values = {0.5, 2.2};
    request.keep = 50;
    const auto words = [&](std::size_t i) {
        const BifurcationColumn column = bifurcationColumn(request, i, workspace);
        return QString::fromStdString(columnInWords(BifurcationAxis::Rate, column.value, &column, 100.0, '.'));
    };
    QVERIFY2(words(0).startsWith("r = 0.5: settles at 100, Lyapunov exponent -"), qPrintable(words(0)));
    QVERIFY2(words(1).startsWith("r = 2.2: N from 74.6 to 116.3"), qPrintable(words(1)));
}

void TestDynamics::mapFollowsTheLag_data()
{
    QTest::addColumn<double>("lag");
    QTest::addColumn<double>("n0");
    QTest::addColumn<bool>("longLags");   // a logarithmic lag axis, and r logarithmic in the diagram too
    QTest::addColumn<double>("otherLag"); // NaN: what later runs compute anew is not checked
    QTest::addColumn<bool>("sameMap");    // whether a run at otherLag has the same map
    // Up to lag 20 the lag 0 to 20 in halves; r on a logarithmic axis, the same for every lag shown.
    QTest::addRow("lag 5") << 5.0 << 1.0 << false << 5.5 << true;
    QTest::addRow("lag 0") << 0.0 << 1.0 << false << 0.5 << true;
    QTest::addRow("lag 8") << 8.0 << 1.0 << false << 0.0 << true;
    QTest::addRow("lag 20") << 20.0 << 1.0 << false << 12.0 << true;
    // Beyond it both axes logarithmic, the lag from 1.
    QTest::addRow("lag 60") << 60.0 << 1.0 << true << 45.0 << true;
    QTest::addRow("lag 400") << 400.0 << 1.0 << true << 381.5 << true;
    QTest::addRow("lag 60 on K") << 60.0 << 500.0 << true << 41.0 << true;
    QTest::addRow("longest lag") << 9999.0 << 1.0 << true << none << true; // planned in seconds
}

void TestDynamics::mapFollowsTheLag()
{
    QFETCH(double, lag);
    QFETCH(double, n0);
    QFETCH(bool, longLags);
    QFETCH(double, otherLag);
    QFETCH(bool, sameMap);
    const RunParameters run
        = parameters(0.2 * stabilityLimits(lag)->rStable / stabilityLimits(5.0)->rStable, n0, 500.0, lag);
    const DynamicsPlan plan = planDynamics(run);
    if (!std::isnan(otherLag))
        verifyRestarts(plan, otherLag, sameMap);
    if (QTest::currentTestFailed())
        return;
    const ScanGrid& map = plan.map;
    QVERIFY(plan.logarithmicMapRates);
    QCOMPARE(plan.logarithmicMapLags, longLags);
    QCOMPARE(plan.logarithmicDiagramRates, longLags);
    QCOMPARE(map.rates.size(), std::size_t(dynamics_plan::MapRates));
    // r at a constant ratio, from a quarter of r_m of the longest lag shown (r_m(20) = 0.01795 up to
    // lag 20, whose map holds every lag's regimes) to past where a run of the shortest dies out (lag 0:
    // near r = 3, so 3.45).
    const double ratio = std::pow(map.rates.back() / map.rates.front(), 1.0 / double(map.rates.size() - 1));
    for (std::size_t i = 1; i < map.rates.size(); ++i) // each rounded to three digits
        QVERIFY(std::abs(map.rates[i] / map.rates[i - 1] / ratio - 1.0) < 0.012);
    QCOMPARE(map.rates.front(), *readLenient(numberToText(stabilityLimits(map.lags.back())->rMonotone / 4.0, '.', 3)));
    if (!longLags) {
        QCOMPARE(map.lags, std::vector<double>(fromZeroInHalves(41)));
        QVERIFY(map.rates.front() < 0.25 * stabilityLimits(20.0)->rMonotone * 1.01);
        QVERIFY(map.rates.back() > 3.4 && map.rates.back() < 3.5);
        QCOMPARE(map.rates, planDynamics(parameters(0.2, n0, 500.0, 0.0)).map.rates);
    } else {
        QCOMPARE(map.lags.front(), 1.0);
        QVERIFY(map.lags.back() >= lag);
    }
    // Every value is the one its text gives, so that a click writes it as it is; the cells' edges lie
    // between them, and the run lies inside the outer ones.
    for (const auto* values : {&map.rates, &map.lags})
        for (const double value : *values)
            QCOMPARE_EXACT(*readLenient(numberToText(value, '.')), value);
    for (const auto& [values, edges, at] :
         {std::tuple{&map.rates, &plan.rateEdges, run.r}, std::tuple{&map.lags, &plan.lagEdges, run.lag}}) {
        QCOMPARE(edges->size(), values->size() + 1);
        for (std::size_t i = 0; i < values->size(); ++i)
            QVERIFY((*edges)[i] < (*values)[i] && (*values)[i] < (*edges)[i + 1]);
        QVERIFY(edges->front() < at && at < edges->back());
    }
    // The diagram over r starts where the map does (from 0 on a linear axis, in equal steps) and follows
    // the dynamics of the run's lag: past its r_c and the run's r (within the map's range where it shares
    // its axis); each value as written.
    const auto& overRate = plan.overRate.values;
    if (longLags) {
        QVERIFY(overRate.front() > plan.rateEdges.front() && overRate.front() <= 1.01 * map.rates.front());
        QVERIFY(overRate.back() <= map.rates.back());
    } else {
        QVERIFY(std::abs(overRate.front() - overRate.back() / double(overRate.size())) < 1e-12 * overRate.back());
    }
    QVERIFY(overRate.back() > stabilityLimits(lag)->rStable);
    QVERIFY(overRate.back() > run.r);
    for (const double value : overRate)
        QCOMPARE_EXACT(*readLenient(numberToText(value, '.')), value);
    // From well below r_m of the run's lag past r_c, and past the r at which the run dies out.
    const StabilityLimits limits = *stabilityLimits(lag);
    QVERIFY(map.rates.front() <= 0.5 * limits.rMonotone);
    QVERIFY(map.rates.back() > limits.rStable);
    if (lag > 1000.0 || n0 == 500.0)
        return; // a run on K never dies out; the longest lags take long to look at
    std::size_t firstEnd = map.rates.size();
    for (std::size_t i = 0; i < map.rates.size() && firstEnd == map.rates.size(); ++i) {
        const auto report = runRegime(parameters(map.rates[i], n0, 500.0, lag));
        if (report->regime == Regime::DiesOut || report->regime == Regime::LeavesRange)
            firstEnd = i;
    }
    QVERIFY2(firstEnd < map.rates.size() - 1, qPrintable(QString::number(firstEnd)));
    QVERIFY(map.rates[firstEnd] > limits.rStable);
    QVERIFY(overRate.back() >= map.rates[firstEnd]); // the diagram shows it die out
}

TARNIS_MODEL_TEST_MAIN(TestDynamics)
#include "test_dynamics.moc"
