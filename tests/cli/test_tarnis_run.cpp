// tarnis-run run as a process: its output against the file the window saves, exact values with
// --digits, sweeps, the dynamics commands and their words against the Dynamics window's, the tables of
// --tidy as Python's csv module reads them, set-up files against the same options, and every way a
// command line, a set-up file or an output file can be wrong.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/dynamics_window.h"
#include "model/dynamics/scan_estimate.h"
#include "model/run/graphic_data.h"
#include "model/run/run.h"
#include "tests/support/app_fixture.h"
#include "tests/support/exact.h"
#include "tests/support/files.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QLabel>
#include <QLineEdit>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <memory>

namespace {

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Every run in an environment that asks for German: what tarnis-run writes for programs stays English,
// so every English line the tests expect is also the proof of that.
Result tarnisRun(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de:es"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARNIS_RUN_PATH), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray windowExport(const tarnis::RunParameters& parameters)
{
    auto store = std::make_unique<tarnis::ResultStore>();
    tarnis::runModel(*store, parameters);
    return QByteArray::fromStdString(tarnis::graphicDataText(*store));
}

} // namespace

class TestTarnisRun : public QObject {
    Q_OBJECT
private slots:
    void defaultsAreTheWindows();
    void sameFileAsTheWindow_data();
    void sameFileAsTheWindow();
    void fullPrecisionReproducesTheWorkedExample();
    void sweepRowCount();
    void sweepShowsExtinction();
    void sweepOverTheLag();
    void sweepRunsTheValuesAsTyped();
    void dynamicsAnswers_data();
    void dynamicsAnswers();
    void wordsAreTheDynamicsWindows_data();
    void wordsAreTheDynamicsWindows();
    void stabilityRows();
    void scanRowsAreTheDynamicsAnswers();
    void tidyTables_data();
    void tidyTables();
    void tidyReadsBackInPython_data();
    void tidyReadsBackInPython();
    void shardsMakeTheWhole_data();
    void shardsMakeTheWhole();
    void badCommandLines_data();
    void badCommandLines();
    void setupFiles_data();
    void setupFiles();
    void outputFile();
    void unwritableOutputKeepsTheOldFile_data();
    void unwritableOutputKeepsTheOldFile();
    void helpAndVersion();
    void timeWords_data();
    void timeWords();
    void estimateFollowsThePace();
    void interruptedScanLeavesTheFolder_data();
    void interruptedScanLeavesTheFolder();
};

// Run and "S" in the window as a user starts it, against tarnis-run with no options at all.
void TestTarnisRun::defaultsAreTheWindows()
{
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("window.csv"));
    tarnis::test::AppFixture fixture;
    fixture.startAtMainWindow();
    QVERIFY(tarnis::test::clickButton(fixture.mainWindow(), "Command2"));
    fixture.fakes().fileNames.answers = {saved};
    QVERIFY(tarnis::test::clickButton(fixture.mainWindow(), "Command13"));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Result result = tarnisRun({});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, file.readAll());
}

void TestTarnisRun::sameFileAsTheWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("n0");
    QTest::addColumn<double>("K");
    QTest::addColumn<double>("lag");
    QTest::addColumn<int>("steps");
    QTest::addRow("defaults") << QStringList{} << 0.2 << 1.0 << 500.0 << 5.0 << 200;
    QTest::addRow("first preset") << QStringList{"--lag", "8", "--steps", "2000"} << 0.2 << 1.0 << 500.0 << 8.0 << 2000;
    QTest::addRow("extinction") << QStringList{"--r=1", "--steps=200"} << 1.0 << 1.0 << 500.0 << 5.0 << 200;
    QTest::addRow("all options") << QStringList{"--r", "2.7",   "--n0", "2",       "--K",
                                                "100", "--lag", "0",    "--steps", "9999"}
                                 << 2.7 << 2.0 << 100.0 << 0.0 << 9999;
}

void TestTarnisRun::sameFileAsTheWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(double, r);
    QFETCH(double, n0);
    QFETCH(double, K);
    QFETCH(double, lag);
    QFETCH(int, steps);
    const Result result = tarnisRun(arguments);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, windowExport({r, K, std::int16_t(steps), n0, lag}));
}

void TestTarnisRun::fullPrecisionReproducesTheWorkedExample()
{
    const Result result = tarnisRun({"--digits", "17"});
    QCOMPARE(result.exitCode, 0);
    const QList<QByteArray> lines = result.out.split('\n');
    QCOMPARE(lines.size(), 203 + 1); // the last line end leaves an empty piece
    const double expected[][3] = {
        {1, 0.1996, 0.1996},
        {1.1996, 0.23934438393600002, 0.19952016000000003},
        {1.438944383936, 0.2869606524111757, 0.19942442224642562},
        {1.7259050363471757, 0.34398950799163974, 0.19930963798546114},
        {2.0698945443388155, 0.4122651234978897, 0.19917204218226447},
        {2.4821596678367053, 0.49543906970020635, 0.1996},
        {2.9775987375369115, 0.5940909765291627, 0.19952016000000003},
    };
    for (int t = 0; t < 7; ++t) {
        const QList<QByteArray> fields = lines[t + 2].trimmed().split(',');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0].toInt(), t);
        for (int column = 0; column < 3; ++column)
            QCOMPARE_EXACT(fields[column + 1].toDouble(), expected[t][column]);
    }
    QCOMPARE_EXACT(lines[202].split(',')[1].toDouble(), 499.936872437631);
}

void TestTarnisRun::sweepRowCount()
{
    const Result result = tarnisRun(
        {"sweep", "--r", "1.5:2.9:0.1", "--lag", "0", "--K", "100", "--n0", "2", "--discard", "10", "--keep", "5"});
    QCOMPARE(result.exitCode, 0);
    const QList<QByteArray> lines = result.out.split('\n');
    QCOMPARE(lines.size(), 1 + 15 * 5 + 1);
    QCOMPARE(lines[0], QByteArray("\"r\",\"lag\",\"t\",\"N(t)\",\"end\",\"N(0)\",\"K\",\"discard\",\"keep\"\r"));
    QVERIFY(lines[1].startsWith("1.5,0,10,"));
    QVERIFY(lines[75].startsWith("2.9,0,14,"));
    QVERIFY(lines[75].endsWith(",completed,2,100,10,5\r"));
}

void TestTarnisRun::sweepShowsExtinction()
{
    const Result result = tarnisRun({"sweep", "--r", "1:1:1", "--discard", "100", "--keep", "5"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out,
             QByteArray("\"r\",\"lag\",\"t\",\"N(t)\",\"end\",\"N(0)\",\"K\",\"discard\",\"keep\"\r\n"
                        "1,5,17,0,died out,1,500,100,5\r\n"));
}

void TestTarnisRun::sweepOverTheLag()
{
    const Result result = tarnisRun({"sweep", "--lag", "0:2:0.5", "--discard", "0", "--keep", "1"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out.count('\n'), 1 + 5);
    QVERIFY(result.out.contains("\r\n0.2,1.5,0,1,completed,1,500,0,1\r\n"));
}

// The values of a range are the numbers one would type: its third r is 0.3, not 0.1 + 2·0.1, so that
// a single run with --r 0.3 repeats that row of the sweep bit for bit.
void TestTarnisRun::sweepRunsTheValuesAsTyped()
{
    const Result sweep
        = tarnisRun({"sweep", "--r", "0.1:0.3:0.1", "--discard", "0", "--keep", "201", "--digits", "17"});
    QCOMPARE(sweep.exitCode, 0);
    const QList<QByteArray> rows = sweep.out.trimmed().split('\n');
    QCOMPARE(rows.size(), 1 + 3 * 201);
    const Result single = tarnisRun({"--r", "0.3", "--digits", "17"});
    const QList<QByteArray> lines = single.out.split('\n');
    for (int t = 0; t <= 200; ++t) {
        const QList<QByteArray> row = rows[1 + 2 * 201 + t].split(',');
        QCOMPARE(row[2].toInt(), t);
        QCOMPARE_EXACT(row[0].toDouble(), 0.3);
        QCOMPARE_EXACT(row[3].toDouble(), lines[t + 2].split(',')[1].toDouble());
    }
}

void TestTarnisRun::dynamicsAnswers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("answer"); // every line; "*" stands for any number written in full
    const QByteArray settledEnd = "still_approaching:\nsteps: *\ndisturbed:\n";
    QTest::addRow("the third preset")
        << QStringList{"dynamics", "--lag", "3"}
        << QByteArray("regime: damped oscillations\nr_monotone: 0.10546875\nr_stable: 0.4450418679126288\nperiod: 20\n"
                      "lyapunov: *\nn_min: *\nn_max: *\nend_step:\n"
                      + settledEnd);
    QTest::addRow("the defaults, lag 5")
        << QStringList{"dynamics"}
        << QByteArray("regime: damped oscillations\nr_monotone: 0.06697959533607682\n"
                      "r_stable: 0.2846296765465703\nperiod: *\nlyapunov: *\nn_min: *\nn_max: *\n"
                      "end_step:\n"
                      + settledEnd);
    QTest::addRow("a two-cycle")
        << QStringList{"dynamics", "--r", "2.2", "--lag", "0", "--n0", "2", "--K", "100"}
        << QByteArray("regime: periodic\nr_monotone: 1\nr_stable: 2\nperiod: 2\nlyapunov: *\nn_min: *\nn_max: *\n"
                      "end_step:\n"
                      + settledEnd);
    QTest::addRow("extinction")
        << QStringList{"dynamics", "--r=3.1", "--lag=0"}
        << QByteArray("regime: dies out\nr_monotone: 1\nr_stable: 2\nperiod:\nlyapunov:\nn_min:\nn_max:\nend_step: 9\n"
                      "still_approaching:\nsteps: 9\ndisturbed:\n");
    QTest::addRow("a half lag") << QStringList{"dynamics", "--lag", "0.5", "--r", "0.6"}
                                << QByteArray("regime: damped oscillations\nr_monotone: 0.5\nr_stable: 1\nperiod: 4\n"
                                              "lyapunov: *\nn_min: *\nn_max: *\nend_step:\n"
                                              + settledEnd);
    // Nothing that the run does not do: resting on K where a disturbance grows, a decline, a slow approach.
    QTest::addRow("on K above r_c(8)")
        << QStringList{"dynamics", "--r", "0.2", "--lag", "8", "--n0", "500"}
        << QByteArray("regime: rests on an unstable equilibrium\nr_monotone: 0.04330492701432732\n"
                      "r_stable: 0.184536718926604\nperiod:\nlyapunov: *\nn_min: 500\nn_max: 500\nend_step:\n"
                      "still_approaching:\nsteps: 20000\ndisturbed: sustained oscillations\n");
    QTest::addRow("on K below r_c(3)")
        << QStringList{"dynamics", "--r", "0.4", "--lag", "3", "--n0", "500"}
        << QByteArray("regime: settles smoothly\nr_monotone: 0.10546875\nr_stable: 0.4450418679126288\nperiod:\n"
                      "lyapunov: *\nn_min: 500\nn_max: 500\nend_step:\n"
                      + settledEnd);
    QTest::addRow("r = -0.5")
        << QStringList{"dynamics", "--r", "-0.5", "--lag", "0"}
        << QByteArray("regime: declines towards 0\nr_monotone: 1\nr_stable: 2\nperiod:\nlyapunov: *\nn_min:\n"
                      "n_max:\nend_step:\n"
                      + settledEnd);
    // The continuous twin: its limits are 1/(eτ), π/(2τ) and 4τ, each the nearest double.
    QTest::addRow("continuous, damped")
        << QStringList{"dynamics", "--continuous", "--r", "0.3", "--lag", "5"}
        << QByteArray("regime: damped oscillations\nr_monotone: 0.07357588823428847\nr_stable: 0.3141592653589793\n"
                      "onset_period: 20\nperiod: *\nhalf_life: *\nn_min:\nn_max:\nlowest: *\nend_time:\n");
    QTest::addRow("continuous, a cycle")
        << QStringList{"dynamics", "--continuous", "--r", "1.6", "--lag", "1"}
        << QByteArray("regime: cycle\nr_monotone: 0.36787944117144233\nr_stable: 1.5707963267948966\n"
                      "onset_period: 4\nperiod: *\nhalf_life:\nn_min: *\nn_max: *\nlowest: *\nend_time:\n");
    QTest::addRow("continuous, no delay")
        << QStringList{"dynamics", "--continuous", "--lag", "0"}
        << QByteArray("regime: settles smoothly\nr_monotone:\nr_stable:\nonset_period:\nperiod:\nhalf_life:\n"
                      "n_min:\nn_max:\nlowest:\nend_time:\n");
    QTest::addRow("r = 0.0001")
        << QStringList{"dynamics", "--r", "0.0001", "--lag", "0"}
        << QByteArray("regime: settles smoothly\nr_monotone: 1\nr_stable: 2\nperiod:\nlyapunov:\nn_min:\nn_max:\n"
                      "end_step:\nstill_approaching: *\nsteps: 20000\ndisturbed:\n");
}

void TestTarnisRun::dynamicsAnswers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, answer);
    const Result result = tarnisRun(arguments);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray());
    const QList<QByteArray> lines = result.out.split('\n');
    const QList<QByteArray> expected = answer.split('\n');
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i) {
        if (!expected[i].endsWith('*')) {
            QCOMPARE(lines[i], expected[i]);
            continue;
        }
        // A number that reads back as itself, written in full.
        const QByteArray key = expected[i].chopped(1);
        QVERIFY2(lines[i].startsWith(key), lines[i].constData());
        bool isNumber = false;
        const double value = lines[i].mid(key.size()).toDouble(&isNumber);
        QVERIFY2(isNumber, lines[i].constData());
        QCOMPARE(QByteArray::number(value, 'g', 17).toDouble(), value);
    }
}

// tarnis-run dynamics --words prints what the Dynamics window shows for the same run, to the letter.
void TestTarnisRun::wordsAreTheDynamicsWindows_data()
{
    QTest::addColumn<QStringList>("boxes"); // r, N(0), K, T
    QTest::addRow("Data 1") << QStringList{"0.2", "1", "500", "8"};
    QTest::addRow("Data 2") << QStringList{"0.2", "1", "500", "5"};
    QTest::addRow("Data 3") << QStringList{"0.2", "1", "500", "3"};
    QTest::addRow("chaos without a lag") << QStringList{"2.7", "2", "100", "0"};
    QTest::addRow("resting on K") << QStringList{"0.2", "1000", "1000", "8"};
}

void TestTarnisRun::wordsAreTheDynamicsWindows()
{
    QFETCH(QStringList, boxes);
    tarnis::test::AppFixture fixture;
    fixture.startAtMainWindow();
    QWidget* main = fixture.mainWindow();
    const char* const names[] = {"rrate", "n0", "Kvalue", "tlag"};
    for (int i = 0; i < 4; ++i) {
        auto* box = tarnis::test::child<QLineEdit>(main, names[i]);
        QVERIFY(box);
        tarnis::test::typeInto(box, boxes[i]);
        tarnis::test::pressEnter(box);
    }
    fixture.run();
    fixture.app().navigator().show(tarnis::WindowId::Dynamics);
    auto* dynamics
        = qobject_cast<tarnis::DynamicsWindow*>(fixture.app().navigator().existing(tarnis::WindowId::Dynamics));
    QVERIFY(dynamics);
    QTRY_VERIFY_WITH_TIMEOUT(!dynamics->working(), 120000);
    const Result result
        = tarnisRun({"dynamics", "--words", "--r", boxes[0], "--n0", boxes[1], "--K", boxes[2], "--lag", boxes[3]});
    QCOMPARE(result.exitCode, 0);
    const QStringList lines = QString::fromUtf8(result.out).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3); // the headline, the sentences and the end of the last line
    QCOMPARE(lines[0], tarnis::test::child<QLabel>(dynamics, "regimeHeadline")->text());
    QCOMPARE(lines[1], tarnis::test::child<QLabel>(dynamics, "regimeWords")->text());
}

void TestTarnisRun::stabilityRows()
{
    const Result result = tarnisRun({"stability", "--lag", "0:2:0.5"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out,
             QByteArray("lag,r_monotone,r_stable,onset_period\r\n"
                        "0,1,2,2\r\n"
                        "0.5,0.5,1,4\r\n"
                        "1,0.25,1,6\r\n"
                        "1.5,0.1715728752538099,1,8\r\n"
                        "2,0.14814814814814814,0.6180339887498949,10\r\n"));
}

// Every cell of a scan, computed on several threads, is the single answer for its r and lag, and the
// values of the ranges are those one would type.
void TestTarnisRun::scanRowsAreTheDynamicsAnswers()
{
    const Result scan = tarnisRun({"scan", "--r", "0.2:2.7:1.25", "--lag", "0:5:2.5", "--K", "100", "--n0", "2"});
    QCOMPARE(scan.exitCode, 0);
    QCOMPARE(scan.err, QByteArray()); // no progress bar into a pipe
    const QList<QByteArray> rows = scan.out.trimmed().split('\n');
    QCOMPARE(rows.size(), 1 + 9);
    QCOMPARE(rows[0],
             QByteArray("r,lag,regime,period,lyapunov,n_min,n_max,end_step,still_approaching,steps,disturbed,n0,K\r"));
    const char* const keys[]
        = {"regime", "period", "lyapunov", "n_min", "n_max", "end_step", "still_approaching", "steps", "disturbed"};
    for (int i = 0; i < 9; ++i) {
        const QList<QByteArray> fields = rows[i + 1].trimmed().split(',');
        QCOMPARE(fields.size(), 13);
        QCOMPARE(fields[0], QByteArray(std::array{"0.2", "1.45", "2.7"}[std::size_t(i / 3)]));
        QCOMPARE(fields[1], QByteArray(std::array{"0", "2.5", "5"}[std::size_t(i % 3)]));
        QCOMPARE(fields[11] + ',' + fields[12], QByteArray("2,100")); // the N(0) and K of every cell
        const Result single = tarnisRun({"dynamics", "--r", fields[0], "--lag", fields[1], "--K", "100", "--n0", "2"});
        for (int k = 0; k < 9; ++k) {
            const QByteArray line = QByteArray(keys[k]) + ':' + (fields[k + 2].isEmpty() ? "" : " ") + fields[k + 2];
            QVERIFY2(single.out.contains(line + '\n'), line.constData());
        }
    }
}

// Whole tables: plain names, the parameters in every row, exact values, LF alone.
void TestTarnisRun::tidyTables_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("table");
    QTest::addRow("run") << QStringList{"--steps", "2", "--tidy"}
                         << QByteArray("time,N,dN,dN_per_N,r,n0,K,lag,steps\n"
                                       "0,1,0.1996,0.1996,0.2,1,500,5,2\n"
                                       "1,1.1996,0.23934438393600002,0.19952016000000003,0.2,1,500,5,2\n"
                                       "2,1.438944383936,0.2869606524111757,0.19942442224642562,0.2,1,500,5,2\n");
    // The step where the run leaves the range of doubles has no dN: an empty cell, as in the saved file.
    QTest::addRow("run that leaves the range") << QStringList{"--r", "1e300", "--K", "1e-300", "--steps", "5", "--tidy"}
                                               << QByteArray("time,N,dN,dN_per_N,r,n0,K,lag,steps\n"
                                                             "0,1,,,1e+300,1,1e-300,5,5\n");
    QTest::addRow("sweep") << QStringList{"sweep", "--r", "1:1:1", "--discard", "100", "--keep", "5", "--tidy"}
                           << QByteArray("r,lag,t,N,end,n0,K,discard,keep\n1,5,17,0,died out,1,500,100,5\n");
    QTest::addRow("stability") << QStringList{"stability", "--lag", "0:1:0.5", "--tidy"}
                               << QByteArray(
                                      "lag,r_monotone,r_stable,onset_period\n0,1,2,2\n0.5,0.5,1,4\n1,0.25,1,6\n");
    QTest::addRow("scan") << QStringList{"scan", "--r", "3.1", "--lag", "0", "--n0", "0.5", "--tidy"}
                          << QByteArray("r,lag,regime,period,lyapunov,n_min,n_max,end_step,still_approaching,steps,"
                                        "disturbed,n0,K\n3.1,0,dies out,,,,,16,,16,,0.5,500\n");
    QTest::addRow("continuous") << QStringList{"continuous", "--r", "0.3", "--steps", "1", "--tidy"}
                                << QByteArray("time,N,r,n0,K,lag,steps\n0,1,0.3,1,500,5,1\n"
                                              "1,1.3490491352123863,0.3,1,500,5,1\n");
    QTest::addRow("dynamics") << QStringList{"dynamics", "--r=3.1", "--lag=0", "--tidy"}
                              << QByteArray("regime,r_monotone,r_stable,period,lyapunov,n_min,n_max,end_step,"
                                            "still_approaching,steps,disturbed,r,lag,n0,K\n"
                                            "dies out,1,2,,,,,9,,9,,3.1,0,1,500\n");
}

void TestTarnisRun::tidyTables()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, table);
    const Result result = tarnisRun(arguments);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, table);
}

// A --tidy table as Python's csv module reads it, beside the same numbers as tarnis-run writes them
// exactly without --tidy (--digits 17, or the analyses' own exact texts): the header as given, as
// many rows, every number the same double, every other cell the same text, and after the columns
// of the exact output the run's parameters, where only the tidy table has them.
void TestTarnisRun::tidyReadsBackInPython_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("exactly"); // the options that write the same table exactly
    QTest::addColumn<int>("titleLines");      // lines before the rows in that table
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("parameters"); // the values that only the tidy table has, in every row
    const QStringList digits{"--digits", "17"};
    QTest::addRow("run") << QStringList{"--r", "0.3", "--lag", "8", "--steps", "400"} << digits << 2
                         << "time,N,dN,dN_per_N,r,n0,K,lag,steps"
                         << "0.3,1,500,8,400";
    QTest::addRow("run that dies out") << QStringList{"--r", "2.9", "--lag", "1", "--n0", "0.001", "--K", "3e-3"}
                                       << digits << 2 << "time,N,dN,dN_per_N,r,n0,K,lag,steps"
                                       << "2.9,0.001,0.003,1,200";
    QTest::addRow("sweep") << QStringList{"sweep", "--r", "1.5:3.2:0.1", "--lag", "0",      "--n0", "2",
                                          "--K",   "100", "--discard",   "100",   "--keep", "20"}
                           << digits << 1 << "r,lag,t,N,end,n0,K,discard,keep"
                           << "";
    QTest::addRow("stability") << QStringList{"stability", "--lag", "0:30:0.5"} << QStringList{} << 1
                               << "lag,r_monotone,r_stable,onset_period"
                               << "";
    QTest::addRow("scan") << QStringList{"scan", "--r", "0.05:3.05:0.25", "--lag", "0:4:0.5", "--K", "100"}
                          << QStringList{} << 1
                          << "r,lag,regime,period,lyapunov,n_min,n_max,end_step,still_approaching,steps,"
                             "disturbed,n0,K"
                          << "";
    QTest::addRow("dynamics") << QStringList{"dynamics", "--r", "0.2", "--lag", "8", "--n0", "7"} << QStringList{} << 0
                              << "regime,r_monotone,r_stable,period,lyapunov,n_min,n_max,end_step,"
                                 "still_approaching,steps,disturbed,r,lag,n0,K"
                              << "0.2,8,7,500";
}

void TestTarnisRun::tidyReadsBackInPython()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, exactly);
    QFETCH(int, titleLines);
    QFETCH(QString, header);
    QFETCH(QString, parameters);
    // The exact output is a CSV, or for dynamics one "key: value" line per column.
    const char* const readBack = R"py(
import csv, math, sys
tidy, exact, title_lines, header, parameters = sys.argv[1:]
with open(tidy, newline='') as f:
    rows = list(csv.reader(f))
if rows[0] != header.split(','):
    sys.exit('header %r' % rows[0])
with open(exact, newline='') as f:
    lines = f.read().splitlines()[int(title_lines):]
if lines[0].startswith('regime:'):
    expected = [[line.partition(':')[2].strip() for line in lines]]
else:
    expected = [line.split(',') for line in lines]
if len(rows) - 1 != len(expected):
    sys.exit('%d rows, expected %d' % (len(rows) - 1, len(expected)))
def same(text, wanted):
    try:
        value, exact_value = float(text), float(wanted)
    except ValueError:
        return text == wanted
    return value == exact_value or (math.isnan(value) and math.isnan(exact_value))
for row, wanted in zip(rows[1:], expected):
    wanted += parameters.split(',') if parameters else []
    if len(row) != len(wanted) or not all(map(same, row, wanted)):
        sys.exit('%s, expected %s' % (row, wanted))
)py";
    QTemporaryDir folder;
    const QString tidy = folder.filePath(QStringLiteral("tidy.csv"));
    const QString exact = folder.filePath(QStringLiteral("exact.csv"));
    QCOMPARE(tarnisRun(arguments + QStringList{"--tidy", "-o", tidy}).exitCode, 0);
    QCOMPARE(tarnisRun(arguments + exactly + QStringList{"-o", exact}).exitCode, 0);
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {"-c", readBack, tidy, exact, QString::number(titleLines), header, parameters});
    QVERIFY2(python.waitForFinished(60000), "python3 did not run");
    QVERIFY2(python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0,
             python.readAllStandardError().constData());
}

void TestTarnisRun::shardsMakeTheWhole_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("shards");
    const QStringList demographic{"--runs", "23", "--r", "0.3", "--lag", "8", "--n0", "20", "--steps", "300"};
    QTest::addRow("one shard") << demographic << 1;
    QTest::addRow("three shards") << demographic << 3;
    QTest::addRow("as many shards as runs") << demographic << 23;
    QTest::addRow("both noises, tidy") << QStringList{"--runs", "17",    "--noise", "both", "--sigma", "0.4",
                                                      "--seed", "99999", "--lag",   "5",    "--tidy"}
                                       << 4;
}

// A study spread over machines: the shards' outputs, put together in order, are the whole ensemble's
// output byte for byte, whatever the number of shards.
void TestTarnisRun::shardsMakeTheWhole()
{
    QFETCH(QStringList, options);
    QFETCH(int, shards);
    const Result whole = tarnisRun(QStringList{"ensemble"} + options);
    QCOMPARE(whole.exitCode, 0);
    QByteArray together;
    for (int i = 1; i <= shards; ++i) {
        const Result shard = tarnisRun(QStringList{"ensemble"} + options
                                       + QStringList{"--shard", QString("%1/%2").arg(i).arg(shards)});
        QCOMPARE(shard.exitCode, 0);
        together += shard.out;
    }
    QCOMPARE(together, whole.out);
    QVERIFY(whole.out.count('\n') > 10);
}

void TestTarnisRun::badCommandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::addRow("unknown option") << QStringList{"--rate", "1"} << "unknown option --rate";
    QTest::addRow("missing value") << QStringList{"--r"} << "--r needs a value";
    QTest::addRow("not a number") << QStringList{"--r", "0.2x"} << "'0.2x' is not a number";
    QTest::addRow("comma is not a point") << QStringList{"--K", "1,5"} << "--K";
    QTest::addRow("twice") << QStringList{"--r", "1", "--r", "2"} << "given twice";
    QTest::addRow("too many steps") << QStringList{"--steps", "10000"} << "0 to 9999";
    QTest::addRow("fractional steps") << QStringList{"--steps", "2.5"} << "whole number";
    QTest::addRow("negative lag") << QStringList{"--lag", "-1"} << "--lag: the time lag must be 0 or more";
    QTest::addRow("zero N(0)") << QStringList{"--n0", "0"} << "--n0";
    QTest::addRow("zero K") << QStringList{"--K", "0"} << "--K";
    QTest::addRow("K beyond doubles") << QStringList{"--K", "1e999"}
                                      << "--K: '1e999' is too large to compute with (beyond about 1.8E+308)";
    QTest::addRow("r below doubles") << QStringList{"--r", "-1e400"}
                                     << "--r: '-1e400' is too far below 0 to compute with (beyond about -1.8E+308)";
    QTest::addRow("negative K") << QStringList{"--K", "-500"}
                                << "--K: the carrying capacity (K) must be a number greater than 0";
    QTest::addRow("dynamics with negative N(0)")
        << QStringList{"dynamics", "--n0", "-1"}
        << "--n0: the initial population size N(0) must be a number greater than 0";
    QTest::addRow("scan with negative K") << QStringList{"scan", "--r", "0:1:0.5", "--lag", "0:1:1", "--K", "-500"}
                                          << "--K: the carrying capacity (K) must be a number greater than 0";
    QTest::addRow("digits out of range") << QStringList{"--digits", "18"} << "--digits";
    QTest::addRow("sweep options in a run") << QStringList{"--keep", "5"} << "sweep";
    QTest::addRow("range in a run") << QStringList{"--r", "1:2:0.1"} << "not a number";
    QTest::addRow("sweep without a range") << QStringList{"sweep", "--keep", "5"} << "exactly one range";
    QTest::addRow("sweep with two ranges")
        << QStringList{"sweep", "--r", "1:2:1", "--lag", "0:1:1", "--keep", "1"} << "exactly one range";
    QTest::addRow("sweep without keep") << QStringList{"sweep", "--r", "1:2:0.5"} << "--keep";
    QTest::addRow("sweep past the store")
        << QStringList{"sweep", "--r", "1:2:0.5", "--discard", "9990", "--keep", "11"} << "9999";
    QTest::addRow("backward range") << QStringList{"sweep", "--r", "2:1:0.5", "--keep", "1"} << "FROM <= TO";
    QTest::addRow("zero step") << QStringList{"sweep", "--r", "1:2:0", "--keep", "1"} << "STEP above 0";
    QTest::addRow("broken range") << QStringList{"sweep", "--r", "1:x:1", "--keep", "1"} << "FROM:TO:STEP";
    QTest::addRow("negative lag range") << QStringList{"sweep", "--lag", "-1:2:1", "--keep", "1"} << "--lag";
    QTest::addRow("huge range") << QStringList{"sweep", "--r", "0:1:1e-9", "--keep", "1"} << "more than";
    QTest::addRow("range beyond counting")
        << QStringList{"sweep", "--r", "0:1e300:1e-300", "--keep", "1"} << "more than";
    QTest::addRow("steps in a sweep") << QStringList{"sweep", "--r", "1:2:1", "--steps", "5", "--keep", "1"}
                                      << "--discard and --keep";
    QTest::addRow("empty output name") << QStringList{"-o", ""} << "-o needs a file name";
    QTest::addRow("a delay too short for the integrator")
        << QStringList{"continuous", "--lag", "0.0001", "--steps", "2000"} << "more than 8388608 steps";
    QTest::addRow("continuous r not a number") << QStringList{"continuous", "--r", "nan"} << "--r";
    QTest::addRow("--continuous in a run") << QStringList{"--continuous"} << "belongs to tarnis-run dynamics";
    QTest::addRow("a negative sigma") << QStringList{"ensemble", "--noise", "both", "--sigma", "-0.1"}
                                      << "--sigma takes a number above 0 and at most 10";
    QTest::addRow("sigma not a number") << QStringList{"ensemble", "--noise", "both", "--sigma", "nan"} << "--sigma";
    QTest::addRow("sigma without environmental noise")
        << QStringList{"ensemble", "--sigma", "0.2"} << "--sigma belongs to environmental noise";
    QTest::addRow("too many runs") << QStringList{"ensemble", "--runs", "100000001"}
                                   << "--runs: '100000001' is not a whole number from 1 to 100000000";
    QTest::addRow("a seed with a fraction")
        << QStringList{"ensemble", "--seed", "1.5"} << "--seed: '1.5' is not a whole number";
    QTest::addRow("a seed beyond 64 bits") << QStringList{"ensemble", "--seed", "18446744073709551616"}
                                           << "is not a whole number from 0 to 18446744073709551615";
    QTest::addRow("a shard beyond N") << QStringList{"ensemble", "--runs", "10", "--shard", "4/3"}
                                      << "I must be from 1 to N";
    QTest::addRow("more shards than runs")
        << QStringList{"ensemble", "--runs", "2", "--shard", "1/3"} << "number of runs (2)";
    QTest::addRow("a summary of a shard")
        << QStringList{"ensemble", "--summary", "--shard", "1/2"} << "--summary needs the whole ensemble";
    QTest::addRow("a summary too large") << QStringList{"ensemble", "--summary", "--runs", "100000", "--steps", "2000"}
                                         << "at most 20000000";
    QTest::addRow("an unknown noise") << QStringList{"ensemble", "--noise", "pink"} << "--noise takes demographic";
    // Found by fuzzing: a range too fine to count, and control characters echoed into the message.
    QTest::addRow("range too fine to count")
        << QStringList{"sweep", "--r", "0:1e300:1e-300", "--keep", "1"} << "more than 1000000 values";
    QTest::addRow("line feed in a value") << QStringList{"--r", "1\n2"} << "--r: '1\\x0a2' is not a number";
    QTest::addRow("escape in an option") << QStringList{"--r\x1b[2J"} << "unknown option --r\\x1b[2J";
    QTest::addRow("dynamics with steps") << QStringList{"dynamics", "--steps", "100"} << "--steps does not apply";
    QTest::addRow("dynamics with digits") << QStringList{"dynamics", "--digits", "5"} << "--digits does not apply";
    QTest::addRow("dynamics beyond the longest lag")
        << QStringList{"dynamics", "--lag", "9999.5"} << "--lag: the time lag must be from 0 to 9999";
    QTest::addRow("dynamics with a negative lag") << QStringList{"dynamics", "--lag", "-0.5"} << "0 or more";
    QTest::addRow("dynamics with N(0) zero") << QStringList{"dynamics", "--n0", "0"} << "--n0";
    QTest::addRow("dynamics with a range") << QStringList{"dynamics", "--r", "0:1:0.1"} << "not a number";
    QTest::addRow("words with a value") << QStringList{"dynamics", "--words=yes"} << "--words takes no value";
    QTest::addRow("words in a run") << QStringList{"--words"} << "--words belongs to tarnis-run dynamics";
    QTest::addRow("words in a scan") << QStringList{"scan", "--r", "1", "--lag", "1", "--words"}
                                     << "--words does not apply";
    QTest::addRow("tidy words") << QStringList{"dynamics", "--words", "--tidy"}
                                << "--tidy writes a table and --words writes sentences";
    QTest::addRow("tidy with digits") << QStringList{"sweep", "--r", "1:2:1", "--keep", "1", "--tidy", "--digits", "17"}
                                      << "--tidy writes every value exactly and takes no --digits";
    QTest::addRow("tidy with a value") << QStringList{"stability", "--lag", "1", "--tidy=yes"}
                                       << "--tidy takes no value";
    QTest::addRow("stability without lags") << QStringList{"stability"} << "stability needs --lag";
    QTest::addRow("stability with r") << QStringList{"stability", "--lag", "1", "--r", "1"} << "--r does not apply";
    QTest::addRow("stability past the longest lag")
        << QStringList{"stability", "--lag", "9990:10010:10"} << "from 0 to 9999";
    QTest::addRow("scan without a lag") << QStringList{"scan", "--r", "0:1:0.1"} << "scan needs --r";
    QTest::addRow("scan with keep") << QStringList{"scan", "--r", "1", "--lag", "1", "--keep", "3"}
                                    << "--keep does not apply";
    QTest::addRow("scan of too many cells")
        << QStringList{"scan", "--r", "0:1:0.001", "--lag", "0:2000:1"} << "1000000 cells at most";
    QTest::addRow("scan with K zero") << QStringList{"scan", "--r", "1", "--lag", "0:1:1", "--K", "0"} << "--K";
}

void TestTarnisRun::badCommandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    const Result result = tarnisRun(arguments);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.startsWith("tarnis-run: "), result.err.constData());
    QVERIFY2(QString::fromUtf8(result.err).contains(says), result.err.constData());
}

void TestTarnisRun::setupFiles_data()
{
    QTest::addColumn<QStringList>("command"); // before --setup FILE
    QTest::addColumn<QByteArray>("file");     // empty: no file at all
    QTest::addColumn<QStringList>("beside");  // after --setup FILE
    QTest::addColumn<QStringList>("sameAs");  // the options that give the same output; unused on a refusal
    QTest::addColumn<QString>("says");        // on standard error; empty: nothing
    QTest::addColumn<int>("exitCode");
    const QByteArray lesson(R"({"tarnis": "set-up", "version": 1, "r": "0.3", "N0": "2", "K": "100", "T": "8",
        "steps": "400", "chart": "dNvsN", "kept": [{"r": "0.1"}]})");
    const QStringList lessonOptions{"--r", "0.3", "--n0", "2", "--K", "100", "--lag", "8", "--steps", "400"};
    QTest::addRow("a lesson") << QStringList{} << lesson << QStringList{} << lessonOptions << "" << 0;
    QTest::addRow("options override the file")
        << QStringList{} << lesson << QStringList{"--lag", "3", "--digits", "17"}
        << QStringList{"--r", "0.3", "--n0", "2", "--K", "100", "--lag", "3", "--steps", "400", "--digits", "17"} << ""
        << 0;
    QTest::addRow("dynamics") << QStringList{"dynamics"} << lesson << QStringList{"--tidy"}
                              << QStringList{"--r", "0.3", "--n0", "2", "--K", "100", "--lag", "8", "--tidy"} << ""
                              << 0;
    QTest::addRow("a refused value keeps the default")
        << QStringList{} << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": "fast", "T": "8"})") << QStringList{}
        << QStringList{"--lag", "8"} << "The intrinsic rate (r) must be" << 0;
    QTest::addRow("broken") << QStringList{} << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": "0.)")
                            << QStringList{} << QStringList{} << "The file is no Tarnis set-up" << 2;
    QTest::addRow("from a newer Tarnis") << QStringList{} << QByteArray(R"({"tarnis": "set-up", "version": 3})")
                                         << QStringList{} << QStringList{} << "saved by a newer Tarnis" << 2;
    QTest::addRow("no such file") << QStringList{} << QByteArray() << QStringList{} << QStringList{}
                                  << "cannot read the file" << 2;
    QTest::addRow("in a sweep") << QStringList{"sweep"} << lesson << QStringList{"--r", "1:2:1", "--keep", "1"}
                                << QStringList{} << "--setup belongs to a run" << 2;
}

// --setup FILE writes what the same values given as options write, byte for byte; a file it refuses
// writes nothing and says why.
void TestTarnisRun::setupFiles()
{
    QFETCH(QStringList, command);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, beside);
    QFETCH(QStringList, sameAs);
    QFETCH(QString, says);
    QFETCH(int, exitCode);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("lesson.tarnis"));
    if (!file.isEmpty())
        tarnis::test::writeContent(fileName, file);
    const Result result = tarnisRun(command + QStringList{"--setup", fileName} + beside);
    QCOMPARE(result.exitCode, exitCode);
    if (says.isEmpty())
        QCOMPARE(result.err, QByteArray());
    else
        QVERIFY2(result.err.contains(says.toUtf8()) && result.err.count('\n') == 1, result.err.constData());
    if (exitCode != 0) {
        QCOMPARE(result.out, QByteArray());
        return;
    }
    const Result same = tarnisRun(command + sameAs);
    QCOMPARE(same.exitCode, 0);
    QVERIFY(!same.out.isEmpty());
    QCOMPARE(result.out, same.out);
}

void TestTarnisRun::outputFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("run.csv"));
    QVERIFY(QFile(path).open(QIODevice::WriteOnly)); // an older file that the run replaces
    const Result result = tarnisRun({"-o", path, "--steps", "50"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), windowExport({0.2, 500, 50, 1, 5}));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left
}

void TestTarnisRun::unwritableOutputKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("target"); // relative to a scratch folder, or absolute
    QTest::addRow("missing folder") << "missing/run.csv";
    QTest::addRow("under a regular file") << "old.csv/run.csv";
    QTest::addRow("full disk") << "/dev/full";
}

void TestTarnisRun::unwritableOutputKeepsTheOldFile()
{
    QFETCH(QString, target);
    QTemporaryDir folder;
    const QString old = folder.filePath(QStringLiteral("old.csv"));
    QFile oldFile(old);
    QVERIFY(oldFile.open(QIODevice::WriteOnly));
    oldFile.write("kept\n");
    oldFile.close();
    const QString path = target.startsWith(QLatin1Char('/')) ? target : folder.filePath(target);
    const Result result = tarnisRun({"-o", path});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains("cannot write file"), result.err.constData());
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), QByteArray("kept\n"));
}

void TestTarnisRun::helpAndVersion()
{
    const Result help = tarnisRun({"--help"});
    QCOMPARE(help.exitCode, 0);
    for (const char* option : {"--r", "--n0", "--K", "--lag", "--steps", "--digits", "-o", "--discard", "--keep",
                               "--words", "--tidy", "--setup", "sweep", "dynamics", "stability", "scan", "Example"})
        QVERIFY2(help.out.contains(option), option);
    const Result version = tarnisRun({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("tarnis-run "));
    // Help is given wherever it is asked for, even on a line that is wrong otherwise.
    const Result late = tarnisRun({"sweep", "--rate", "1", "--help"});
    QCOMPARE(late.exitCode, 0);
    QCOMPARE(late.out, help.out);
}

void TestTarnisRun::timeWords_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("words");
    QTest::addRow("nothing") << 0.0 << "under 1 s";
    QTest::addRow("seconds") << 42.4 << "about 42 s";
    QTest::addRow("a minute rounded up") << 59.6 << "about 1 min";
    QTest::addRow("minutes") << 12.0 * 60 + 20 << "about 12 min";
    QTest::addRow("an hour") << 3600.0 << "about 1 h";
    QTest::addRow("hours and minutes") << 3 * 3600.0 + 20 * 60 << "about 3 h 20 min";
    QTest::addRow("unknown") << qQNaN() << "under 1 s";
}

void TestTarnisRun::timeWords()
{
    QFETCH(double, seconds);
    QFETCH(QString, words);
    QCOMPARE(QString::fromStdString(tarnis::durationText(seconds)), words);
}

// The estimate expects work by the steps of each lag and then follows the pace the scan keeps.
void TestTarnisRun::estimateFollowsThePace()
{
    // 100 rows of a short lag (20 000 steps a cell) and the longest (960 048 steps).
    const tarnis::ScanEstimate estimate(100, {0.0, 9999.0}, 2);
    const double expected = estimate.expectedSeconds();
    QVERIFY(expected > 0.5 && expected < 5);
    QCOMPARE(estimate.secondsLeft(0, 0.0), expected);
    // Half the rows done in twice the time expected for them: the rest is expected to take as long.
    QCOMPARE(estimate.secondsLeft(100, expected), expected);
    // A cell is not a cell: one of the longest lag is almost the whole of a row with a short one.
    QVERIFY(tarnis::ScanEstimate(1, {9999.0, 0.0}, 1).secondsLeft(1, 10.0) < 0.5);
    QVERIFY(tarnis::ScanEstimate(1, {0.0, 9999.0}, 1).secondsLeft(1, 10.0) > 400);
    QCOMPARE(estimate.secondsLeft(200, 10 * expected), 0.0);
}

void TestTarnisRun::interruptedScanLeavesTheFolder_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QStringList>("command");
    const QStringList scan{"scan", "--r", "0.00001:0.0002:0.0000001", "--lag", "9990:9999:1"};
    QTest::addRow("Ctrl-C") << SIGINT << scan;
    QTest::addRow("kill") << SIGTERM << scan;
    QTest::addRow("a closed terminal") << SIGHUP << scan;
    QTest::addRow("an ensemble, killed") << SIGTERM
                                         << QStringList{"ensemble", "--runs", "100000000", "--steps", "9999"};
}

// A scan of lags near the longest takes minutes: it says so at once, and a signal while its temporary
// file is being written removes that file, keeps the old one and ends the process of the signal. So
// does a long ensemble, which writes its rows as they come.
void TestTarnisRun::interruptedScanLeavesTheFolder()
{
    QFETCH(int, signal);
    QFETCH(QStringList, command);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("regimes.csv"));
    tarnis::test::writeContent(path, "kept\n");
    const QDir listing(folder.path());
    const auto entries
        = [&listing] { return listing.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
    const QStringList before = entries();

    QProcess scan;
    scan.start(QStringLiteral(TARNIS_RUN_PATH), command + QStringList{"-o", path});
    QVERIFY(scan.waitForStarted());
    if (command.front() == "scan") {
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += scan.readAllStandardError()).contains("expected\n"), 30000);
        QVERIFY2(err.startsWith("tarnis-run: 0 of 19010 cells done, about "), err.constData());
    }
    QTRY_COMPARE_WITH_TIMEOUT(entries().size(), before.size() + 1, 30000); // the temporary file
    QCOMPARE(scan.state(), QProcess::Running);
    QCOMPARE(::kill(pid_t(scan.processId()), signal), 0);
    QVERIFY(scan.waitForFinished(30000));
    QCOMPARE(scan.exitStatus(), QProcess::CrashExit);
    QCOMPARE(scan.exitCode(), signal);
    QCOMPARE(entries(), before);
    QCOMPARE(tarnis::test::contentOf(path), QByteArray("kept\n"));
}

TARNIS_GUI_TEST_MAIN(TestTarnisRun)
#include "test_tarnis_run.moc"
