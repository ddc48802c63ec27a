// The continuous-time trajectory: its accuracy against the logistic's closed form, the method's fourth
// order with a lag, what linear theory promises below rτ = 1/e, and what it refuses or stops at.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/continuous/continuous_regime.h"
#include "model/continuous/hutchinson.h"
#include "tests/support/model_test_main.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace tarnis;

namespace {

RunParameters parameters(double r, double lag, int steps, double n0 = 1.0)
{
    return {.r = r, .K = 500.0, .steps = std::int16_t(steps), .n0 = n0, .lag = lag};
}

double largestDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    double largest = 0.0;
    for (std::size_t t = 0; t < a.size(); ++t)
        largest = std::max(largest, std::fabs(a[t] - b[t]));
    return largest;
}

} // namespace

class TestContinuous : public QObject {
    Q_OBJECT
private slots:
    void closedFormWithoutLag_data();
    void closedFormWithoutLag();
    void fourthOrder_data();
    void fourthOrder();
    void noOvershootBelowOneOverE_data();
    void noOvershootBelowOneOverE();
    void refusedOrStopped_data();
    void refusedOrStopped();
    void onsetOfTheCycle_data();
    void onsetOfTheCycle();
};

void TestContinuous::closedFormWithoutLag_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("n0");
    QTest::addRow("slow growth") << 0.2 << 1.0;
    QTest::addRow("r = 1") << 1.0 << 1.0;
    QTest::addRow("fast growth") << 2.5 << 1.0;
    QTest::addRow("very fast growth") << 10.0 << 1.0;
    QTest::addRow("a decline, r < 0") << -0.3 << 400.0;
    QTest::addRow("from above K") << 0.7 << 2000.0;
}

// N(t) = K / (1 + (K/N(0) − 1)·e^(−rt)), to a relative 1e-9 over 200 time units.
void TestContinuous::closedFormWithoutLag()
{
    QFETCH(double, r);
    QFETCH(double, n0);
    const RunParameters p = parameters(r, 0.0, 200, n0);
    const ContinuousRun run = continuousRun(p);
    QCOMPARE(run.end, ContinuousEnd::Completed);
    QCOMPARE(run.n.size(), std::size_t(201));
    for (int t = 0; t <= 200; ++t) {
        const double exact = p.K / (1.0 + (p.K / n0 - 1.0) * std::exp(-r * t));
        QVERIFY2(std::fabs(run.n[std::size_t(t)] - exact) <= 1e-9 * exact, qPrintable(QString::number(t)));
    }
}

void TestContinuous::fourthOrder_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addRow("a whole lag, damped") << 0.25 << 5.0;
    QTest::addRow("a whole lag, a cycle") << 1.0 << 2.0;
    QTest::addRow("a fractional lag") << 0.45 << 2.7;
}

// Halving h makes the error about 16 times smaller, as it must for a fourth-order method whose delayed
// values keep that order; an interpolation of lower order, or a break point off the grid, shows here.
void TestContinuous::fourthOrder()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    const RunParameters p = parameters(r, lag, 40);
    const std::vector<double> reference = continuousRun(p, 16).n;
    const double coarse = largestDifference(continuousRun(p, 1).n, reference);
    const double finer = largestDifference(continuousRun(p, 2).n, reference);
    QVERIFY2(coarse > 1e-10, qPrintable(QString::number(coarse))); // far above rounding (about 1e-13 here)
    const double ratio = coarse / finer;
    QVERIFY2(ratio > 12.0 && ratio < 20.0, qPrintable(QString::number(ratio)));
}

void TestContinuous::noOvershootBelowOneOverE_data()
{
    QTest::addColumn<double>("lag");
    QTest::addRow("τ = 1") << 1.0;
    QTest::addRow("τ = 5") << 5.0;
    QTest::addRow("τ = 20") << 20.0;
}

// For rτ ≤ 1/e a population that starts below K approaches it without ever passing it; a little above,
// it overshoots, so the test would see a delay that is off.
void TestContinuous::noOvershootBelowOneOverE()
{
    QFETCH(double, lag);
    const auto largest = [&](double rTau) {
        const std::vector<double> n = continuousRun(parameters(rTau / lag, lag, 2000)).n;
        return *std::max_element(n.begin(), n.end());
    };
    QVERIFY(largest(1.0 / std::exp(1.0)) <= 500.0);
    QVERIFY(largest(0.5) > 500.0);
}

void TestContinuous::refusedOrStopped_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("n0");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("refusal"); // the run's own refusal
    QTest::addColumn<int>("values");   // at whole time units
    using E = ContinuousEnd;
    QTest::addRow("r not a number") << nan << 5.0 << 200 << 1.0 << int(E::Refused) << true << 0;
    QTest::addRow("a lag not a number") << 0.2 << nan << 200 << 1.0 << int(E::Refused) << true << 0;
    QTest::addRow("too many steps") << 0.2 << 5.0 << MaxRunSteps + 1 << 1.0 << int(E::Refused) << true << 0;
    QTest::addRow("a lag too short for the steps") << 0.2 << 1e-4 << 2000 << 1.0 << int(E::Refused) << false << 0;
    QTest::addRow("the same lag over few steps") << 0.2 << 1e-4 << 2 << 1.0 << int(E::Completed) << false << 3;
    QTest::addRow("no steps") << 0.2 << 5.0 << 0 << 1.0 << int(E::Completed) << false << 1;
    // Above K with r < 0 the solution runs off to infinity within ln 2 time units.
    QTest::addRow("a blow-up") << -1.0 << 0.0 << 5 << 1000.0 << int(E::LostAccuracy) << false << 1;
    // rτ = 15: the crash after the first peak would be steeper than any step can follow.
    QTest::addRow("swings too steep") << 3.0 << 5.0 << 200 << 1.0 << int(E::LostAccuracy) << false << 9;
}

void TestContinuous::refusedOrStopped()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    QFETCH(int, steps);
    QFETCH(double, n0);
    QFETCH(int, end);
    QFETCH(bool, refusal);
    QFETCH(int, values);
    const ContinuousRun run = continuousRun(parameters(r, lag, steps, n0));
    QCOMPARE(int(run.end), end);
    QCOMPARE(run.refusal.has_value(), refusal);
    QCOMPARE(int(run.n.size()), values);
    for (const double n : run.n)
        QVERIFY(std::isfinite(n) && n > 0.0);
}

void TestContinuous::onsetOfTheCycle_data()
{
    QTest::addColumn<double>("lag");
    QTest::addRow("τ = 1") << 1.0;
    QTest::addRow("τ = 5") << 5.0;
    QTest::addRow("τ = 20") << 20.0;
}

// Within 1 % of rτ = π/2 the trajectory itself changes its kind: 1 % below, its swings keep shrinking;
// 1 % above, they settle on a cycle. Both have a period near 4τ, the damped one from the dominant root
// and the cycle's measured, so the two ways of finding a period are held against each other and theory.
void TestContinuous::onsetOfTheCycle()
{
    QFETCH(double, lag);
    const int steps = std::min(MaxRunSteps, int(std::max(2000.0, 200.0 * lag)));
    const auto swing = [](const std::vector<double>& n, std::size_t quarter) {
        const auto from = n.begin() + std::ptrdiff_t(quarter * n.size() / 4);
        const auto [low, high] = std::minmax_element(from, from + std::ptrdiff_t(n.size() / 4));
        return *high - *low;
    };
    for (const double share : {0.99, 1.01}) {
        const RunParameters p = parameters(share * M_PI / 2.0 / lag, lag, steps);
        const std::vector<double> n = continuousRun(p).n;
        const double settling = swing(n, 3) / swing(n, 2);
        const auto report = continuousRegime(p);
        QVERIFY(report && report->period);
        QVERIFY2(std::fabs(*report->period / (4.0 * lag) - 1.0) < 0.02, qPrintable(QString::number(*report->period)));
        if (share < 1.0) {
            QCOMPARE(report->regime, ContinuousRegime::DampedOscillations);
            QVERIFY2(settling < 0.8, qPrintable(QString::number(settling)));
        } else {
            QCOMPARE(report->regime, ContinuousRegime::Cycle);
            QVERIFY2(settling > 0.9 && report->nMin < 500.0 && report->nMax > 500.0,
                     qPrintable(QString::number(settling)));
        }
    }
}

TARNIS_MODEL_TEST_MAIN(TestContinuous)
#include "test_continuous.moc"
