// The kept runs: copies that a later run cannot change, and the labels that name a run in full and in
// a legend. Dropping the
// oldest and refusing the same run twice are tried through the chart menu (test_chart_menu).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/chart_kinds.h"
#include "model/run/kept_runs.h"
#include "tests/support/exact.h"
#include "tests/support/model_test_main.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

using namespace tarnis;

namespace {

RunParameters withLag(double lag) { return {0.2, 500.0, 200, 1.0, lag}; }

} // namespace

class TestKeptRuns : public QObject {
    Q_OBJECT
private slots:
    void init();

    void aCopyOutlivesLaterRuns();
    void logColumnsFollowTheStore();
    void labels_data();
    void labels();
    void legendLabels_data();
    void legendLabels();

private:
    void run(const RunParameters& parameters);

    std::unique_ptr<ResultStore> m_store;
    KeptRuns m_kept;
};

void TestKeptRuns::init()
{
    m_store = std::make_unique<ResultStore>();
    m_kept.clear();
}

void TestKeptRuns::run(const RunParameters& parameters)
{
    QVERIFY(runModel(*m_store, parameters).end != RunEnd::Refused);
}

// ln N is kept between drawings; whatever happens to a store, a column is that of the N it holds now:
// after a run over the same store, a longer column, the kept copy and the store in turn.
void TestKeptRuns::logColumnsFollowTheStore()
{
    const auto matches = [](const ResultStore& store, int rows) {
        const std::vector<double> column = chartColumn(store, Quantity::LogN, rows);
        if (int(column.size()) != rows)
            return false;
        for (int t = 0; t < rows; ++t) {
            const double expected = quantityValue(StepReading{t, store.PopN[std::size_t(t)], 0, 0, 0, 0}, Quantity::LogN);
            if (std::bit_cast<std::uint64_t>(column[std::size_t(t)]) != std::bit_cast<std::uint64_t>(expected))
                return false;
        }
        return true;
    };
    run(withLag(5));
    QVERIFY(matches(*m_store, 50)); // a play's first rows
    QVERIFY(matches(*m_store, 201));
    QVERIFY(m_kept.keep(*m_store, withLag(5)));
    run({3.0, 500.0, 2000, 1.0, 0.0}); // chaotic, over the same store
    QVERIFY(matches(*m_store, 2001));
    QVERIFY(matches(*m_kept.runs().front().values, 201));
    QVERIFY(matches(*m_store, 2001));
    m_store->PopN[7] = 0.0; // ln 0: no value
    QVERIFY(matches(*m_store, 2001));
    QVERIFY(chartColumn(*m_store, Quantity::LogN, 0).empty());
}

void TestKeptRuns::aCopyOutlivesLaterRuns()
{
    run({0.2, 500.0, 300, 1.0, 5.0});
    run(withLag(5)); // 200 steps over a store that still holds steps 201 to 301 of the first run
    const ResultStore before = *m_store;
    QVERIFY(m_kept.keep(*m_store, withLag(5)));
    run(withLag(8));

    const ResultStore& copy = *m_kept.runs().front().values;
    QCOMPARE(copy.LastStep, 200);
    QCOMPARE_EXACT(copy.ParamK, 500.0);
    for (int t = 0; t <= 201; ++t) {
        QCOMPARE_EXACT(copy.PopN[t], before.PopN[t]);
        QCOMPARE_EXACT(copy.PopDN[t], before.PopDN[t]);
        QCOMPARE_EXACT(copy.PopDNperN[t], before.PopDNperN[t]);
    }
    // What lay above the run in the store was not the run's.
    QCOMPARE_EXACT(copy.PopN[202], 0.0);
    QVERIFY(m_store->PopN[100] != copy.PopN[100]); // the later run did change the store
}

void TestKeptRuns::labels_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("label");
    QTest::addRow("defaults") << 0.2 << 5.0 << '.' << "r=0.2, N(0)=1, K=500, T=5, 200 steps";
    QTest::addRow("comma") << 2.7 << 0.5 << ',' << "r=2,7; N(0)=1; K=500; T=0,5; 200 steps";
    QTest::addRow("fifteen digits") << 1.0 / 3 << 0.0 << '.' << "r=0.333333333333333, N(0)=1, K=500, T=0, 200 steps";
}

void TestKeptRuns::labels()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    QFETCH(char, separator);
    QFETCH(QString, label);
    QCOMPARE(QString::fromStdString(runLabel({r, 500.0, 200, 1.0, lag}, separator)), label);
}

using Runs = std::vector<RunParameters>;

void TestKeptRuns::legendLabels_data()
{
    QTest::addColumn<Runs>("runs"); // the run on show first
    QTest::addColumn<char>("separator");
    QTest::addColumn<QStringList>("labels");
    QTest::addRow("the lags of the presets")
        << Runs{withLag(8), withLag(5), withLag(3), withLag(0.5)} << '.' << QStringList{"T=8", "T=5", "T=3", "T=0.5"};
    QTest::addRow("two parameters differ")
        << Runs{withLag(8), {0.3, 500.0, 200, 1.0, 5.0}} << '.' << QStringList{"r=0.2, T=8", "r=0.3, T=5"};
    QTest::addRow("long numbers shortened, whole parts kept")
        << Runs{withLag(5), {0.123456789, 98765.4321, 200, 1.0, 5.0}} << '.'
        << QStringList{"r=0.2, K=500", "r=0.1235, K=98765"};
    QTest::addRow("as many digits as tell them apart")
        << Runs{{0.1234567, 500.0, 200, 1.0, 5.0}, {0.1234568, 500.0, 200, 1.0, 5.0}} << '.'
        << QStringList{"r=0.1234567", "r=0.1234568"};
    QTest::addRow("steps") << Runs{withLag(5), {0.2, 500.0, 2000, 1.0, 5.0}} << '.'
                           << QStringList{"200 steps", "2000 steps"};
    QTest::addRow("comma") << Runs{{2.75, 500.0, 200, 1.5, 5.0}, {2.5, 500.0, 200, 1.0, 5.0}} << ','
                           << QStringList{"r=2,75; N(0)=1,5", "r=2,5; N(0)=1"};
    QTest::addRow("the run on show is the kept one")
        << Runs{withLag(5), withLag(5)} << '.'
        << QStringList{"r=0.2, N(0)=1, K=500, T=5, 200 steps", "r=0.2, N(0)=1, K=500, T=5, 200 steps"};
}

void TestKeptRuns::legendLabels()
{
    QFETCH(Runs, runs);
    QFETCH(char, separator);
    QFETCH(QStringList, labels);
    QStringList made;
    for (const std::string& label : tarnis::legendLabels(runs, separator))
        made << QString::fromStdString(label);
    QCOMPARE(made, labels);
}

TARNIS_MODEL_TEST_MAIN(TestKeptRuns)
#include "test_kept_runs.moc"
