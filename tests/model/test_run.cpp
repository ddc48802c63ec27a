// The run of the time-lag logistic model: exact values, early ends, and the limits it refuses; the pace
// at which a run is played step by step.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/run/play_pace.h"
#include "model/run/run.h"
#include "model/run/run_refusals.h"
#include "tests/support/exact.h"
#include "tests/support/model_test_main.h"

#include <algorithm>
#include <limits>
#include <memory>

using namespace tarnis;

namespace {

RunParameters parameters(double r, double n0, double K, double lag, int steps)
{
    return {r, K, std::int16_t(steps), n0, lag};
}

RunParameters defaults() { return parameters(0.2, 1, 500, 5, 200); }

} // namespace

class TestRun : public QObject {
    Q_OBJECT
private slots:
    void workedExample_data();
    void workedExample();
    void defaultRunFurtherValues();
    void finalSizeTexts_data();
    void finalSizeTexts();
    void zeroSteps();
    void extinction_data();
    void extinction();
    void fractionalLagUsesRoundedIndices();
    void zeroLagIsTheLogisticMap();
    void sameAsTheFormulaStepByStep_data();
    void sameAsTheFormulaStepByStep();
    void shorterSecondRunKeepsHigherEntries();
    void readingTheBoxes_data();
    void readingTheBoxes();
    void refusedRunLeavesTheStoreAlone();
    void refusalMessages_data();
    void refusalMessages();
    void leavingTheDoubleRange_data();
    void leavingTheDoubleRange();
    void playPace_data();
    void playPace();

private:
    std::unique_ptr<ResultStore> m_store = std::make_unique<ResultStore>();
};

void TestRun::workedExample_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<double>("N");
    QTest::addColumn<double>("dN");
    QTest::addColumn<double>("dNperN");
    QTest::addRow("t=0") << 0 << 1.0 << 0.1996 << 0.1996;
    QTest::addRow("t=1") << 1 << 1.1996 << 0.23934438393600002 << 0.19952016000000003;
    QTest::addRow("t=2") << 2 << 1.438944383936 << 0.2869606524111757 << 0.19942442224642562;
    QTest::addRow("t=3") << 3 << 1.7259050363471757 << 0.34398950799163974 << 0.19930963798546114;
    QTest::addRow("t=4") << 4 << 2.0698945443388155 << 0.4122651234978897 << 0.19917204218226447;
    QTest::addRow("t=5, lag reaches N(0)") << 5 << 2.4821596678367053 << 0.49543906970020635 << 0.1996;
    QTest::addRow("t=6, lag reaches N(1)") << 6 << 2.9775987375369115 << 0.5940909765291627 << 0.19952016000000003;
}

void TestRun::workedExample()
{
    QFETCH(int, t);
    QFETCH(double, N);
    QFETCH(double, dN);
    QFETCH(double, dNperN);
    *m_store = {};
    runModel(*m_store, defaults());
    QCOMPARE_EXACT(m_store->PopN[t], N);
    QCOMPARE_EXACT(m_store->PopDN[t], dN);
    QCOMPARE_EXACT(m_store->PopDNperN[t], dNperN);
}

void TestRun::defaultRunFurtherValues()
{
    *m_store = {};
    const RunOutcome outcome = runModel(*m_store, defaults());
    QCOMPARE(outcome.end, RunEnd::Completed);
    QCOMPARE(m_store->LastStep, 200);
    QCOMPARE_EXACT(m_store->ParamR, 0.2);
    QCOMPARE_EXACT(m_store->ParamK, 500.0);
    QCOMPARE_EXACT(m_store->PopN[20], 37.33935239306887);
    QCOMPARE_EXACT(m_store->PopN[50], 461.1584205846649);
    QCOMPARE_EXACT(m_store->PopN[200], 499.936872437631);
    QCOMPARE_EXACT(m_store->PopN[201], 499.9172326862404);
    const auto peak = std::max_element(m_store->PopN.begin(), m_store->PopN.begin() + 202);
    QCOMPARE(peak - m_store->PopN.begin(), 42);
    QCOMPARE_EXACT(*peak, 656.3707094398727);
}

void TestRun::finalSizeTexts_data()
{
    QTest::addColumn<double>("lag");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::addRow("defaults") << 5.0 << 200 << "499.936872437631";
    QTest::addRow("first preset") << 8.0 << 2000 << "610.679720224548";
    QTest::addRow("third preset") << 3.0 << 200 << "500.000000000038";
}

void TestRun::finalSizeTexts()
{
    QFETCH(double, lag);
    QFETCH(int, steps);
    QFETCH(QString, text);
    *m_store = {};
    runModel(*m_store, parameters(0.2, 1, 500, lag, steps));
    QCOMPARE(m_store->LastStep, steps);
    QCOMPARE(QString::fromStdString(numberToText(m_store->PopN[std::size_t(steps)], '.')), text);
}

void TestRun::zeroSteps()
{
    *m_store = {};
    m_store->PopN[2] = 99.0;
    const RunOutcome outcome = runModel(*m_store, parameters(0.2, 1, 500, 5, 0));
    QCOMPARE(outcome.end, RunEnd::Completed);
    QCOMPARE(m_store->LastStep, 0);
    QCOMPARE_EXACT(m_store->PopN[1], 1.1996);
    QCOMPARE_EXACT(m_store->PopDN[0], 0.1996);
    QCOMPARE_EXACT(m_store->PopDNperN[0], 0.1996);
    QCOMPARE_EXACT(m_store->PopN[2], 99.0); // one pass only
}

void TestRun::extinction_data()
{
    QTest::addColumn<int>("steps");
    QTest::addRow("within the steps asked for") << 200;
    QTest::addRow("found in the extra pass") << 16;
}

void TestRun::extinction()
{
    QFETCH(int, steps);
    *m_store = {};
    m_store->PopDN[17] = 123.0; // left by an earlier run
    m_store->PopDNperN[17] = 4.5;
    const RunOutcome outcome = runModel(*m_store, parameters(1, 1, 500, 5, steps));
    QCOMPARE(outcome.end, RunEnd::DiedOut);
    QCOMPARE(m_store->LastStep, 17);
    QCOMPARE_EXACT(m_store->PopN[16], 704.5052638195411);
    QCOMPARE_EXACT(m_store->PopDN[16], -1924.2537999893068);
    QCOMPARE_EXACT(m_store->PopN[17], 0.0);
    QVERIFY(!std::signbit(m_store->PopN[17]));
    QCOMPARE_EXACT(m_store->PopDN[17], 123.0);
    QCOMPARE_EXACT(m_store->PopDNperN[17], 4.5);
    QCOMPARE_EXACT(m_store->PopN[18], 0.0); // nothing written past the extinction
}

void TestRun::fractionalLagUsesRoundedIndices()
{
    *m_store = {};
    runModel(*m_store, parameters(0.2, 1, 500, 2.5, 20));
    const ResultStore& s = *m_store;
    // The step from t = i − 1 uses N(j): no lag for i = 1..3, then j = 0, 2, 2, 4 for i = 4..7.
    const auto stepUsing = [&s](int i, int j) { return (1.0 - s.PopN[j] / 500.0) * (0.2 * s.PopN[i - 1]); };
    for (int i = 1; i <= 3; ++i)
        QCOMPARE_EXACT(s.PopDN[i - 1], stepUsing(i, i - 1));
    QCOMPARE_EXACT(s.PopDN[3], stepUsing(4, 0));
    QCOMPARE_EXACT(s.PopDN[4], stepUsing(5, 2));
    QCOMPARE_EXACT(s.PopDN[5], stepUsing(6, 2));
    QCOMPARE_EXACT(s.PopDN[6], stepUsing(7, 4));
    QCOMPARE(QString::number(s.PopN[4], 'f', 6), QStringLiteral("2.070396"));
}

void TestRun::zeroLagIsTheLogisticMap()
{
    *m_store = {};
    runModel(*m_store, parameters(2.7, 2, 100, 0, 300));
    for (int t = 0; t <= 300; ++t) {
        const double N = m_store->PopN[t];
        QCOMPARE_EXACT(m_store->PopDN[t], (1.0 - N / 100.0) * (2.7 * N));
        QCOMPARE_EXACT(m_store->PopN[t + 1], m_store->PopDN[t] + N);
    }
}

void TestRun::sameAsTheFormulaStepByStep_data()
{
    QTest::addColumn<double>("lag");
    QTest::addColumn<double>("r");
    QTest::addRow("no lag") << 0.0 << 2.7;
    QTest::addRow("tiny lag") << 1e-300 << 2.7;
    QTest::addRow("half") << 0.5 << 1.9;
    QTest::addRow("halves to even") << 2.5 << 0.2;
    QTest::addRow("just below a half") << 2.4999999999999996 << 0.2;
    QTest::addRow("just above a half") << 2.5000000000000004 << 0.2;
    QTest::addRow("many fraction bits") << 3.7 << 0.9;
    QTest::addRow("whole lag") << 8.0 << 0.2;
    QTest::addRow("lag near the end") << 9998.5 << 0.2;
    QTest::addRow("lag beyond the run") << 1e300 << 0.2;
}

// The run against the recurrence written plainly, with the index rounded by roundToInt32, over the
// longest run: every entry bit for bit.
void TestRun::sameAsTheFormulaStepByStep()
{
    QFETCH(double, lag);
    QFETCH(double, r);
    *m_store = {};
    runModel(*m_store, parameters(r, 2, 100, lag, MaxRunSteps));
    auto expected = std::make_unique<ResultStore>();
    expected->PopN[0] = 2;
    int last = MaxRunSteps;
    for (int i = 1; i <= MaxRunSteps + 1; ++i) {
        const double m = (double(i) - lag) - 1.0;
        const double lagged = m < 0 ? expected->PopN[i - 1] : expected->PopN[std::size_t(*roundToInt32(m))];
        expected->PopDN[i - 1] = (1.0 - lagged / 100.0) * (r * expected->PopN[i - 1]);
        expected->PopDNperN[i - 1] = expected->PopDN[i - 1] / expected->PopN[i - 1];
        expected->PopN[i] = expected->PopDN[i - 1] + expected->PopN[i - 1];
        if (!(expected->PopN[i] > 0)) {
            expected->PopN[i] = 0;
            last = i;
            break;
        }
    }
    QCOMPARE(int(m_store->LastStep), last);
    QVERIFY(std::equal(expected->PopN.begin(), expected->PopN.end(), m_store->PopN.begin()));
    QVERIFY(std::equal(expected->PopDN.begin(), expected->PopDN.end(), m_store->PopDN.begin()));
    QVERIFY(std::equal(expected->PopDNperN.begin(), expected->PopDNperN.end(), m_store->PopDNperN.begin()));
}

void TestRun::shorterSecondRunKeepsHigherEntries()
{
    *m_store = {};
    runModel(*m_store, defaults());
    const ResultStore first = *m_store;
    runModel(*m_store, parameters(0.5, 10, 300, 2, 50));
    QCOMPARE(m_store->LastStep, 50);
    QCOMPARE_EXACT(m_store->PopN[0], 10.0);
    QVERIFY(m_store->PopN[51] != first.PopN[51]);
    for (int t = 52; t <= 201; ++t)
        QCOMPARE_EXACT(m_store->PopN[t], first.PopN[t]);
    for (int t = 51; t <= 200; ++t)
        QCOMPARE_EXACT(m_store->PopDN[t], first.PopDN[t]);
}

void TestRun::readingTheBoxes_data()
{
    QTest::addColumn<QStringList>("texts"); // r, K, steps, N(0), lag
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("refusal"); // -1: accepted
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("steps");
    const int accepted = -1;
    QTest::addRow("defaults") << QStringList{"0.2", "500", "200", "1", "5"} << '.' << accepted << 0.2 << 200;
    QTest::addRow("lenient steps") << QStringList{"0.2", "500", "12abc", "1", "5"} << '.' << accepted << 0.2 << 12;
    QTest::addRow("unconfirmed 3000 steps run")
        << QStringList{"0.2", "500", "3000", "1", "5"} << '.' << accepted << 0.2 << 3000;
    QTest::addRow("steps round half to even")
        << QStringList{"0.2", "500", "12.5", "1", "5"} << '.' << accepted << 0.2 << 12;
    QTest::addRow("most steps") << QStringList{"0.2", "500", "9999", "1", "5"} << '.' << accepted << 0.2 << 9999;
    QTest::addRow("zero steps") << QStringList{"0.2", "500", "0", "1", "5"} << '.' << accepted << 0.2 << 0;
    QTest::addRow("comma locale r") << QStringList{"0,2", "500", "200", "1", "5"} << ',' << accepted << 0.2 << 200;
    QTest::addRow("point in a comma locale r")
        << QStringList{"0.2", "500", "200", "1", "5"} << ',' << accepted << 0.2 << 200;
    QTest::addRow("too many steps") << QStringList{"0.2", "500", "10000", "1", "5"} << '.'
                                    << int(RunRefusal::StepsOutOfRange) << 0.0 << 0;
    QTest::addRow("int16 maximum steps") << QStringList{"0.2", "500", "32767", "1", "5"} << '.'
                                         << int(RunRefusal::StepsOutOfRange) << 0.0 << 0;
    QTest::addRow("beyond int16 steps") << QStringList{"0.2", "500", "40000", "1", "5"} << '.'
                                        << int(RunRefusal::StepsOutOfRange) << 0.0 << 0;
    QTest::addRow("negative steps") << QStringList{"0.2", "500", "-1", "1", "5"} << '.'
                                    << int(RunRefusal::StepsOutOfRange) << 0.0 << 0;
    QTest::addRow("steps beyond doubles")
        << QStringList{"0.2", "500", "1e999", "1", "5"} << '.' << int(RunRefusal::StepsOutOfRange) << 0.0 << 0;
    QTest::addRow("N(0) not a number") << QStringList{"0.2", "500", "200", "abc", "5"} << '.'
                                       << int(RunRefusal::InitialSizeNotANumber) << 0.0 << 0;
    QTest::addRow("N(0) zero") << QStringList{"0.2", "500", "200", "0", "5"} << '.' << int(RunRefusal::InitialSizeZero)
                               << 0.0 << 0;
    QTest::addRow("N(0) with a point in a comma locale")
        << QStringList{"0.2", "500", "200", "1.5", "5"} << ',' << int(RunRefusal::InitialSizeNotANumber) << 0.0 << 0;
    QTest::addRow("K reads as zero") << QStringList{"0.2", "abc", "200", "1", "5"} << '.'
                                     << int(RunRefusal::CapacityZero) << 0.0 << 0;
    QTest::addRow("K beyond doubles") << QStringList{"0.2", "1e400", "200", "1", "5"} << '.'
                                      << int(RunRefusal::CapacityOutOfRange) << 0.0 << 0;
    QTest::addRow("r beyond doubles") << QStringList{"1e400", "500", "200", "1", "5"} << '.'
                                      << int(RunRefusal::RateOutOfRange) << 0.0 << 0;
    QTest::addRow("lag not a number") << QStringList{"0.2", "500", "200", "1", "five"} << '.'
                                      << int(RunRefusal::LagNotANumber) << 0.0 << 0;
    QTest::addRow("negative lag") << QStringList{"0.2", "500", "200", "1", "-3"} << '.' << int(RunRefusal::LagNegative)
                                  << 0.0 << 0;
}

void TestRun::readingTheBoxes()
{
    QFETCH(QStringList, texts);
    QFETCH(char, separator);
    QFETCH(int, refusal);
    QFETCH(double, r);
    QFETCH(int, steps);
    const RunTexts runTexts{texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString(),
                            texts[3].toStdString(), texts[4].toStdString()};
    const auto read = readRunParameters(runTexts, separator);
    if (refusal >= 0) {
        QVERIFY(std::holds_alternative<RunRefusal>(read));
        QCOMPARE(int(std::get<RunRefusal>(read)), refusal);
        return;
    }
    QVERIFY(std::holds_alternative<RunParameters>(read));
    QCOMPARE_EXACT(std::get<RunParameters>(read).r, r);
    QCOMPARE(int(std::get<RunParameters>(read).steps), steps);
}

void TestRun::refusedRunLeavesTheStoreAlone()
{
    *m_store = {};
    runModel(*m_store, defaults());
    const ResultStore before = *m_store;
    const RunOutcome outcome = runModel(*m_store, parameters(0.2, 1, 500, -3, 200));
    QCOMPARE(outcome.end, RunEnd::Refused);
    QCOMPARE(outcome.refusal, RunRefusal::LagNegative);
    QVERIFY(std::equal(before.PopN.begin(), before.PopN.end(), m_store->PopN.begin()));
    QCOMPARE(m_store->LastStep, before.LastStep);
}

void TestRun::refusalMessages_data()
{
    QTest::addColumn<RunRefusal>("refusal");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("message");
    QTest::addRow("K zero") << RunRefusal::CapacityZero << '.'
                            << "The carrying capacity (K) must be a number other than 0. Enter a number such as 500.";
    QTest::addRow("steps, named by the caption")
        << RunRefusal::StepsOutOfRange << '.'
        << "The number of time steps (For t=1 to) must be a number from 0 to 9999. Enter a number such as 200.";
    QTest::addRow("r, example in a comma locale")
        << RunRefusal::RateOutOfRange << ','
        << "The intrinsic rate (r) is too large to compute with. Enter a number such as 0,2.";
    QTest::addRow("negative lag") << RunRefusal::LagNegative << '.'
                                  << "The time lag must be 0 or more: a population cannot respond to its future. "
                                     "Enter a number such as 5.";
}

// The window's and the page's sentence: the box to correct, its rule, and its default as an example.
void TestRun::refusalMessages()
{
    QFETCH(RunRefusal, refusal);
    QFETCH(char, separator);
    QFETCH(QString, message);
    QCOMPARE(QString::fromStdString(refusalMessage(refusal, separator)), message);
}

void TestRun::leavingTheDoubleRange_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("n0");
    QTest::addColumn<double>("K");
    QTest::addColumn<RangeExit::Way>("way"); // which way N(t+1) left the range
    QTest::addColumn<QString>("words");
    const QString plunged = "the population fell below the most negative number that can be computed";
    const QString grew = "the population grew beyond the largest number that can be computed";
    QTest::addRow("huge rate") << 1e300 << 1.0 << 500.0 << RangeExit::Way::Below << plunged;
    QTest::addRow("huge rate, K far away") << 1e300 << 1.0 << 1e308 << RangeExit::Way::Above << grew;
    QTest::addRow("huge N(0) far above K") << 0.2 << 1e308 << 1e300 << RangeExit::Way::Below << plunged;
    QTest::addRow("negative K grows without bound") << 0.9 << 1.0 << -500.0 << RangeExit::Way::Above << grew;
}

void TestRun::leavingTheDoubleRange()
{
    QFETCH(double, r);
    QFETCH(double, n0);
    QFETCH(double, K);
    QFETCH(RangeExit::Way, way);
    QFETCH(QString, words);
    *m_store = {};
    const RunOutcome outcome = runModel(*m_store, parameters(r, n0, K, 0, 2000));
    QCOMPARE(outcome.end, RunEnd::LeftRange);
    QVERIFY(outcome.exit);
    QCOMPARE(outcome.exit->value, RangeExit::Value::N);
    QCOMPARE(outcome.exit->way, way);
    const int last = m_store->LastStep;
    QVERIFY(last < 2000);
    QCOMPARE(QString::fromStdString(rangeExitMessage(last, *outcome.exit)),
             QStringLiteral("At step %1 %2. The results are kept up to t = %3.").arg(last + 1).arg(words).arg(last));
    for (int t = 0; t <= last; ++t)
        QVERIFY2(std::isfinite(m_store->PopN[t]) && m_store->PopN[t] > 0, qPrintable(QString::number(t)));
    for (int t = 0; t < last; ++t)
        QVERIFY(std::isfinite(m_store->PopDN[t]) && std::isfinite(m_store->PopDNperN[t]));
    // The step that overflowed leaves no infinity for a reader to take as a result.
    QVERIFY(!std::isinf(m_store->PopN[last + 1]) && !std::isinf(m_store->PopDN[last]));
    QVERIFY(std::isnan(m_store->PopN[last + 1]) || std::isnan(m_store->PopDN[last])
            || std::isnan(m_store->PopDNperN[last]));
}

void TestRun::playPace_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("speed");
    QTest::addRow("one step") << 1 << 1;
    QTest::addRow("ten steps in ten seconds") << 10 << 1;
    QTest::addRow("eleven steps need more") << 11 << 2;
    QTest::addRow("the default run") << 200 << 20;
    QTest::addRow("the steps box's cap") << 2000 << 200;
    QTest::addRow("beyond the fastest") << 20000 << 1000;
}

// A play starts at the slowest speed that ends within ten seconds; it never passes the last step, and
// only whole steps are due.
void TestRun::playPace()
{
    QFETCH(int, steps);
    QFETCH(int, speed);
    QCOMPARE(firstPlaySpeed(steps), speed);
    QCOMPARE(stepsAfter(0, PlaySeconds, speed, steps), std::min(steps, int(speed * PlaySeconds)));
    QCOMPARE(stepsAfter(3, 0.999 / speed, speed, steps), 3);
    QCOMPARE(stepsAfter(3, 1e9, speed, steps), std::max(3, steps));
    QCOMPARE(stepsAfter(3, -1.0, speed, steps), 3);
}

TARNIS_MODEL_TEST_MAIN(TestRun)
#include "test_run.moc"
