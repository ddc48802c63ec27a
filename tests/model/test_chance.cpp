// Chance: the generator against its published reference output, the project's own log and exp
// against the C library's, the draws' means and variances within their sampling error, the noisy run
// that is the model's run bit for bit without noise, and what an ensemble says of its runs.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/elementary.h"
#include "model/chance/ensemble_threads.h"
#include "model/words/chance_words.h"
#include "tests/support/model_test_main.h"

#include <cmath>
#include <limits>
#include <memory>

using namespace tarnis;

namespace {

// How many doubles apart two values are, for values of one sign.
double ulpsApart(double a, double b)
{
    return std::fabs(a - b) / std::fabs(std::nextafter(b, std::copysign(INFINITY, b)) - b);
}

MemberOutcome died(long long run, int at) { return {run, at, 0.0}; }
MemberOutcome lived(long long run) { return {run, std::nullopt, 500.0}; }

} // namespace

class TestChance : public QObject {
    Q_OBJECT
private slots:
    void referenceOutput();
    void elementaryFunctions_data();
    void elementaryFunctions();
    void elementaryFunctionsEverywhere();
    void drawsWithinSamplingError_data();
    void drawsWithinSamplingError();
    void normalTails_data();
    void normalTails();
    void noNoiseIsTheRun_data();
    void noNoiseIsTheRun();
    void ensembleSummary_data();
    void ensembleSummary();
    void curvesOfAnEnsemble();
    void bandsFromTheFirstRuns_data();
    void bandsFromTheFirstRuns();
};

// PCG32 seeded with 42 on stream 54: the first outputs that its author publishes.
void TestChance::referenceOutput()
{
    Pcg32 generator(42, 54);
    for (const std::uint32_t expected : {0xa15c02b7U, 0x7b47f409U, 0xba1d3330U, 0x83d2f293U, 0xbfa4784bU, 0xcbed606eU})
        QCOMPARE(generator.next(), expected);
    Pcg32 uniform(7, 1);
    for (int i = 0; i < 1000; ++i) {
        const double u = uniform.uniform();
        QVERIFY(u >= 0.0 && u < 1.0 && u * 9007199254740992.0 == std::floor(u * 9007199254740992.0));
    }
}

void TestChance::elementaryFunctions_data()
{
    QTest::addColumn<double>("x");
    for (const double x : {1e-310, 1e-300, 0.3, 0.70710678, 0.9999999, 1.0, 1.0000001, 1.5, 2.0, 10.0, 1e10, 1e300})
        QTest::addRow("log %g", x) << x;
    for (const double x : {-745.0, -700.0, -20.5, -1.0, -1e-9, 0.0, 1e-9, 0.34657, 1.0, 3.3, 100.0, 709.7})
        QTest::addRow("exp %g", x) << x;
}

// Within two units in the last place of the C library's values, and exact where they must be.
void TestChance::elementaryFunctions()
{
    QFETCH(double, x);
    if (QByteArray(QTest::currentDataTag()).startsWith("log")) {
        if (x == 1.0)
            QCOMPARE(elementary::log(x), 0.0);
        else
            QVERIFY2(ulpsApart(elementary::log(x), std::log(x)) <= 2.0,
                     qPrintable(QString::number(elementary::log(x), 'g', 17)));
        return;
    }
    if (x == 0.0)
        QCOMPARE(elementary::exp(x), 1.0);
    else
        QVERIFY2(ulpsApart(elementary::exp(x), std::exp(x)) <= 2.0,
                 qPrintable(QString::number(elementary::exp(x), 'g', 17)));
}

// Between the table's points too: a sweep of each function's whole range, log-spaced for log and evenly
// for exp, at its polynomials' every part (the reduced argument's ends, subnormal inputs and results).
void TestChance::elementaryFunctionsEverywhere()
{
    double worstLog = 0.0;
    double worstExp = 0.0;
    for (int i = 0; i <= 200000; ++i) {
        const double x = std::pow(2.0, -1070.0 + 2093.0 * i / 200000.0) * (1.0 + 0.3 * std::sin(i));
        worstLog = std::max(worstLog, ulpsApart(elementary::log(x), std::log(x)));
        const double y = -745.0 + 1454.7 * i / 200000.0;
        if (std::exp(y) >= 0x1p-1022) // subnormal results have fewer bits; a table row holds one
            worstExp = std::max(worstExp, ulpsApart(elementary::exp(y), std::exp(y)));
    }
    QVERIFY2(worstLog <= 2.0, qPrintable(QString::number(worstLog)));
    QVERIFY2(worstExp <= 2.0, qPrintable(QString::number(worstExp)));
}

void TestChance::drawsWithinSamplingError_data()
{
    QTest::addColumn<QString>("draw");
    QTest::addColumn<double>("parameter");
    // Both methods of the Poisson draw, either side of where one hands over to the other.
    for (const double mean : {0.5, 3.0, 9.99, 10.0, 37.5, 500.0, 1e6})
        QTest::addRow("Poisson of mean %g", mean) << "poisson" << mean;
    for (const double sigma : {0.1, 0.5})
        QTest::addRow("lognormal of sigma %g", sigma) << "lognormal" << sigma;
    QTest::addRow("standard normal") << "normal" << 1.0;
}

// The sample's mean and variance within four standard errors of the distribution's, at a fixed seed.
void TestChance::drawsWithinSamplingError()
{
    QFETCH(QString, draw);
    QFETCH(double, parameter);
    RandomDraws draws(2026, 3);
    const int n = 200000;
    double sum = 0.0;
    double squares = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = draw == "poisson" ? draws.poisson(parameter)
            : draw == "normal"             ? draws.standardNormal()
                                           : draws.lognormalFactor(parameter);
        QVERIFY(draw != "poisson" || x == std::floor(x));
        sum += x;
        squares += x * x;
    }
    const double mean = sum / n;
    const double variance = squares / n - mean * mean;
    // Poisson: mean μ and variance μ. Lognormal: mean 1 and variance e^σ² − 1. Normal: 0 and 1.
    const double mu = draw == "poisson" ? parameter : draw == "normal" ? 0.0 : 1.0;
    const double sigma2 = draw == "poisson" ? parameter : draw == "normal" ? 1.0 : std::expm1(parameter * parameter);
    // The fourth central moment sets the sampling error of the variance: μ + 3μ² for the Poisson,
    // E[(X − 1)⁴] = e^6σ² − 4e^3σ² + 6e^σ² − 3 for the lognormal, whose E[X^k] is e^(k(k−1)σ²/2).
    const double s2 = parameter * parameter;
    // The normal's is 3.
    const double m4 = draw == "poisson" ? parameter + 3 * parameter * parameter
        : draw == "normal"              ? 3.0
                                        : std::exp(6 * s2) - 4 * std::exp(3 * s2) + 6 * std::exp(s2) - 3;
    QVERIFY2(std::fabs(mean - mu) < 4 * std::sqrt(sigma2 / n), qPrintable(QString::number(mean, 'g', 10)));
    QVERIFY2(std::fabs(variance - sigma2) < 4 * std::sqrt((m4 - sigma2 * sigma2) / n),
             qPrintable(QString::number(variance, 'g', 10)));
}

void TestChance::normalTails_data()
{
    QTest::addColumn<double>("beyond");
    QTest::addColumn<double>("share"); // P(|ε| > beyond) = erfc(beyond/√2)
    QTest::addRow("within the layers") << 1.0 << 0.31731050786291410;
    QTest::addRow("in the wedges") << 2.5 << 0.012419330651552318;
    QTest::addRow("where the tail begins") << 3.442619855899 << 5.761085123916405e-4;
    QTest::addRow("deep in the tail") << 4.0 << 6.3342483666239957e-5;
}

// The ziggurat's layers, wedges and tail each give their part of the curve: the share of a million
// draws beyond each point within four standard errors of the normal's, and on both sides alike.
void TestChance::normalTails()
{
    QFETCH(double, beyond);
    QFETCH(double, share);
    RandomDraws draws(2026, 5);
    const int n = 1000000;
    int above = 0;
    int below = 0;
    for (int i = 0; i < n; ++i) {
        const double x = draws.standardNormal();
        above += x > beyond ? 1 : 0;
        below += x < -beyond ? 1 : 0;
    }
    const double error = 4 * std::sqrt(share * (1 - share) / n);
    QVERIFY2(std::fabs(double(above + below) / n - share) < error, qPrintable(QString::number(above + below)));
    QVERIFY2(std::fabs(double(above - below) / n) < 2 * error, qPrintable(QString::number(above - below)));
}

void TestChance::noNoiseIsTheRun_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addColumn<int>("steps");
    QTest::addRow("Data 1") << 0.2 << 8.0 << 2000;
    QTest::addRow("a half lag") << 0.6 << 2.5 << 300;
    QTest::addRow("dies out") << 3.1 << 0.0 << 50;
}

// Without noise and with a threshold of 0 the noisy run is the model's run, bit for bit, however many
// draws it could have made.
void TestChance::noNoiseIsTheRun()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    QFETCH(int, steps);
    const RunParameters p{.r = r, .K = 500.0, .steps = std::int16_t(steps), .n0 = 1.0, .lag = lag};
    auto store = std::make_unique<ResultStore>();
    const RunOutcome outcome = runModel(*store, p);
    RandomDraws draws(1, 1);
    const ChanceRun run = noisyRun(p, Noise{}, 0.0, draws);
    QCOMPARE(run.extinctionTime.has_value(), outcome.end == RunEnd::DiedOut);
    for (int t = 0; t <= outcome.lastStep; ++t)
        QCOMPARE(QByteArray::number(run.n[std::size_t(t)], 'g', 17), QByteArray::number(store->PopN[t], 'g', 17));
}

void TestChance::ensembleSummary_data()
{
    QTest::addColumn<int>("extinct");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("words");
    QTest::addRow("some") << 312 << 1000 << "Of 1000 runs, 312 (28–34 %) died out by t = 200; half of those by t = 78.";
    QTest::addRow("none") << 0 << 1000 << "Of 1000 runs, none (0–0.38 %) died out by t = 200.";
    QTest::addRow("all") << 20 << 20 << "Of 20 runs, all (84–100 %) died out by t = 200; half of them by t = 10.";
    QTest::addRow("one of one") << 1 << 1 << "Of 1 run, it (21–100 %) died out by t = 200.";
}

// The share with Wilson's interval, and the lower median of the times: here run i died out at step
// i mod 200 (200 for 200), so of 312 the steps 1 to 112 come twice and half of them died by step 78.
void TestChance::ensembleSummary()
{
    QFETCH(int, extinct);
    QFETCH(int, runs);
    QFETCH(QString, words);
    std::vector<MemberOutcome> outcomes;
    for (int i = 1; i <= runs; ++i)
        outcomes.push_back(i <= extinct ? died(i, i % 200 ? i % 200 : 200) : lived(i));
    const ExtinctionSummary summary = extinctionSummary(outcomes);
    QCOMPARE(summary.extinct, extinct);
    QCOMPARE(QString::fromStdString(ensembleWords(summary, 200, '.')), words);
    if (extinct > 1) {
        QVERIFY(summary.meanTime->low < summary.meanTime->value && summary.meanTime->value < summary.meanTime->high);
        QVERIFY(summary.medianTime->low <= summary.medianTime->value
                && summary.medianTime->value <= summary.medianTime->high);
    }
}

// The survival curve counts a run as alive up to the step before its end; the bands interpolate
// between order statistics as R's quantile(type = 7) does.
void TestChance::curvesOfAnEnsemble()
{
    const std::vector<MemberOutcome> outcomes{died(1, 1), died(2, 3), lived(3), lived(4)};
    const std::vector<double> survival = survivalCurve(outcomes, 3);
    QCOMPARE(survival, (std::vector<double>{1.0, 0.75, 0.75, 0.5}));
    std::vector<ChanceRun> members(5);
    for (std::size_t i = 0; i < members.size(); ++i)
        members[i].n = {double(10 * i), double(i)};
    members[0].n.pop_back(); // left the range: above every other from there on
    const auto bands = percentileBands(members, 1);
    QCOMPARE(bands[0], (std::array<double, 5>{2.0, 10.0, 20.0, 30.0, 38.0}));
    QCOMPARE(bands[1][0], 1.2);
    QCOMPARE(bands[1][2], 3.0);
    QVERIFY(std::isinf(bands[1][4]));
    // Every run gone beyond the doubles by t = 2: the bands still reach the last step, at +inf.
    std::vector<ChanceRun> gone(3, ChanceRun{.n = {1.0, 1e300}, .leftRange = true});
    const auto beyond = percentileBands(gone, 4);
    QCOMPARE(beyond.size(), std::size_t(5));
    QCOMPARE(beyond[1][0], 1e300);
    QCOMPARE(beyond[4][0], std::numeric_limits<double>::infinity());
}

void TestChance::bandsFromTheFirstRuns_data()
{
    QTest::addColumn<long long>("runs");
    QTest::addColumn<int>("steps");
    QTest::addColumn<long long>("drawn");
    QTest::addColumn<QString>("words");
    QTest::addRow("all of them") << 1000LL << 200 << 1000LL << "";
    QTest::addRow("exactly what the bands hold") << 100000LL << 199 << 100000LL << "";
    QTest::addRow("one step more") << 100000LL << 200 << 99502LL << "Bands from the first 99502 of 100000 runs.";
    QTest::addRow("the most steps") << 100000LL << 32767 << 610LL << "Bands from the first 610 of 100000 runs.";
}

// The runs beyond what the bands hold count in everything else; the bands come from the first whole
// number of runs that fit, and the fan chart says so. ensembleRuns keeps just their trajectories.
void TestChance::bandsFromTheFirstRuns()
{
    QFETCH(long long, runs);
    QFETCH(int, steps);
    QFETCH(long long, drawn);
    QFETCH(QString, words);
    QCOMPARE(bandRuns(runs, steps), drawn);
    QVERIFY(drawn * (steps + 1LL) <= MostSummaryValues);
    QCOMPARE(QString::fromStdString(bandRunsWords(runs, steps)), words);
    const EnsembleRequest request{.parameters = {.r = 0.2, .K = 500.0, .steps = 5, .n0 = 20.0, .lag = 1.0}, .runs = 12};
    const EnsembleResult kept = ensembleRuns(request, 3, 12, {.keepTrajectories = true, .lastKept = 7});
    QCOMPARE(kept.outcomes.size(), std::size_t(10));
    QCOMPARE(kept.members.size(), std::size_t(5)); // runs 3 to 7
    QCOMPARE(kept.members.back().n, ensembleMember(request, 7).n);
}

TARNIS_MODEL_TEST_MAIN(TestChance)
#include "test_chance.moc"
