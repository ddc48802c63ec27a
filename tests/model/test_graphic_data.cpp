// The text of the graphic data file, byte for byte: the default run against the worked example,
// rounding with ties to even and beyond the 32-bit range, number forms, early ends of a run, the
// file before any run, and the bounds of LastStep.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/graphic_data.h"
#include "model/run/run.h"
#include "tests/support/model_test_main.h"

#include <limits>
#include <memory>

using namespace tarnis;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

QByteArrayList linesOf(const std::string& text)
{
    QByteArrayList lines = QByteArray::fromStdString(text).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray header(const char* n0, const char* r, const char* K)
{
    return QByteArray("\"Logistic growth, N(0)=") + n0 + ", r=" + r + ", K=" + K + "\"\r";
}

const QByteArray titles = "\"time\",\"N(t)\",\"dN(t)\",\"dN(t)/N(t)\"\r";

} // namespace

class TestGraphicData : public QObject {
    Q_OBJECT
private slots:
    void init();

    void defaultRunMatchesTheExample();
    void everyLineEndsInCrLfAndIsAscii();
    void rounding_data();
    void rounding();
    void signBlank_data();
    void signBlank();
    void beforeAnyRun();
    void extinction_data();
    void extinction();
    void negativesAfterOvershoot();
    void secondRunWithFewerSteps();
    void valuesThatAreNotNumbersAreEmptyFields();
    void lastStepBounds_data();
    void lastStepBounds();

private:
    void run(double r, double n0, double K, double lag, int steps);

    std::unique_ptr<ResultStore> m_store;
};

void TestGraphicData::init()
{
    m_store = std::make_unique<ResultStore>();
    m_store->LastStep = 200; // as the main window's start-up sets it from the steps box
}

void TestGraphicData::run(double r, double n0, double K, double lag, int steps)
{
    const RunOutcome outcome = runModel(*m_store, {r, K, std::int16_t(steps), n0, lag});
    QVERIFY(outcome.end != RunEnd::Refused);
}

void TestGraphicData::defaultRunMatchesTheExample()
{
    run(0.2, 1, 500, 5, 200);
    const QByteArrayList lines = linesOf(graphicDataText(*m_store));
    QCOMPARE(lines.size(), 203);
    const QByteArrayList example{
        header(" 1", " .2", " 500"),
        titles,
        "0,1,.2,.2\r",
        "1,1.2,.24,.2\r",
        "2,1.44,.29,.2\r",
        "3,1.73,.34,.2\r",
        "4,2.07,.41,.2\r",
        "5,2.48,.5,.2\r",
        "6,2.98,.59,.2\r",
    };
    for (qsizetype i = 0; i < example.size(); ++i)
        QCOMPARE(lines[i], example[i]);
    QCOMPARE(lines[202], QByteArray("200,499.94,-.02,0\r"));
}

void TestGraphicData::everyLineEndsInCrLfAndIsAscii()
{
    run(0.2, 1, 500, 5, 200);
    const QByteArray text = QByteArray::fromStdString(graphicDataText(*m_store));
    QVERIFY(text.endsWith("\r\n"));
    QCOMPARE(text.count("\r\n"), 203);
    QCOMPARE(text.count('\n'), 203);
    QCOMPARE(text.count('\r'), 203);
    for (char c : text)
        QVERIFY2(c > 0 && (c >= ' ' || c == '\r' || c == '\n'), QByteArray::number(int(c)).constData());
}

void TestGraphicData::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addRow("tie goes down to even") << 0.125 << ".12";
    QTest::addRow("tie goes up to even") << 0.135 << ".14";
    QTest::addRow("negative tie") << -0.125 << "-.12";
    QTest::addRow("design example") << 2.4821596678 << "2.48";
    QTest::addRow("tiny negative loses its sign") << -0.00004 << "0";
    QTest::addRow("negative zero") << -0.0 << "0";
    QTest::addRow("small negative") << -0.02 << "-.02";
    QTest::addRow("below one") << 0.2 << ".2";
    QTest::addRow("integral") << 500.0 << "500";
    QTest::addRow("hundredfold just under 2^31") << 21474836.47 << "21474836.47";
    QTest::addRow("hundredfold just over 2^31") << 21474836.49 << "21474836.49";
    QTest::addRow("tie beyond 32 bits goes down") << 10000000000.125 << "10000000000.12";
    QTest::addRow("tie beyond 32 bits goes up") << 10000000000.375 << "10000000000.38";
    QTest::addRow("large negative") << -3000000000.004 << "-3000000000";
    QTest::addRow("fifteen digits") << 1234567890123.456 << "1234567890123.46";
    QTest::addRow("beyond fifteen digits") << 1e15 << "1E+15";
    QTest::addRow("hundredfold beyond the double range") << 1.5e307 << "1.5E+307";
    QTest::addRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486231E+308";
    QTest::addRow("not a number") << NaN << "";
    QTest::addRow("infinity") << Inf << "";
    QTest::addRow("minus infinity") << -Inf << "";
}

void TestGraphicData::rounding()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(plainNumberText(roundToHundredths(value))), text);
}

void TestGraphicData::signBlank_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addRow("500") << 500.0 << " 500";
    QTest::addRow("1") << 1.0 << " 1";
    QTest::addRow("0") << 0.0 << " 0";
    QTest::addRow("negative zero") << -0.0 << " 0";
    QTest::addRow("below one") << 0.2 << " .2";
    QTest::addRow("negative below one") << -0.5 << "-.5";
    QTest::addRow("negative") << -12.75 << "-12.75";
    QTest::addRow("fifteen significant digits") << 1.0 / 3.0 << " .333333333333333";
    QTest::addRow("needs an exponent") << 0.00001 << " 1E-05";
    QTest::addRow("large") << 2e20 << " 2E+20";
}

void TestGraphicData::signBlank()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(signBlankText(value)), text);
}

void TestGraphicData::beforeAnyRun()
{
    const QByteArrayList lines = linesOf(graphicDataText(*m_store));
    QCOMPARE(lines.size(), 203);
    QCOMPARE(lines[0], header(" 0", " 0", " 0"));
    QCOMPARE(lines[1], titles);
    for (int t = 0; t <= 200; ++t)
        QCOMPARE(lines[t + 2], QByteArray::number(t) + ",0,0,0\r");
}

void TestGraphicData::extinction_data()
{
    QTest::addColumn<double>("leftDN");
    QTest::addColumn<double>("leftDNperN");
    QTest::addColumn<QByteArray>("lastRow");
    QTest::addRow("fresh store") << 0.0 << 0.0 << QByteArray("17,0,0,0\r");
    QTest::addRow("values of an earlier run") << 123.456 << -4.5 << QByteArray("17,0,123.46,-4.5\r");
}

void TestGraphicData::extinction()
{
    QFETCH(double, leftDN);
    QFETCH(double, leftDNperN);
    QFETCH(QByteArray, lastRow);
    m_store->PopDN[17] = leftDN;
    m_store->PopDNperN[17] = leftDNperN;
    run(1, 1, 500, 5, 200); // dies out at step 17
    const QByteArrayList lines = linesOf(graphicDataText(*m_store));
    QCOMPARE(lines.size(), 17 + 3);
    QCOMPARE(lines[0], header(" 1", " 1", " 500"));
    QCOMPARE(lines[18], QByteArray("16,704.51,-1924.25,-2.73\r"));
    QCOMPARE(lines[19], lastRow);
}

void TestGraphicData::negativesAfterOvershoot()
{
    run(-0.5, 600, 500, 0, 3);
    const QByteArrayList lines = linesOf(graphicDataText(*m_store));
    QCOMPARE(lines[0], header(" 600", "-.5", " 500"));
    // N = 600: dN = (1 − 600/500)·(−0.5·600) = 60, so a negative r pushes N further up.
    QCOMPARE(lines[2], QByteArray("0,600,60,.1\r"));
    run(0.5, 600, 500, 0, 3);
    QCOMPARE(linesOf(graphicDataText(*m_store))[2], QByteArray("0,600,-60,-.1\r"));
}

void TestGraphicData::secondRunWithFewerSteps()
{
    run(0.2, 1, 500, 5, 200);
    run(0.5, 10, 300, 2, 3);
    const QByteArrayList lines = linesOf(graphicDataText(*m_store));
    QCOMPARE(lines.size(), 3 + 3);
    QCOMPARE(lines[0], header(" 10", " .5", " 300"));
    QCOMPARE(lines[2], QByteArray("0,10,4.83,.48\r"));
    QCOMPARE(lines[5].left(2), QByteArray("3,"));
}

void TestGraphicData::valuesThatAreNotNumbersAreEmptyFields()
{
    // A run that leaves the double range stops with its last dN and dN/N stored as "no value".
    run(1e300, 1e300, 1, 0, 5);
    QCOMPARE(m_store->LastStep, 0);
    QCOMPARE(linesOf(graphicDataText(*m_store)).last(), QByteArray("0,1E+300,,\r"));
    m_store->PopN[0] = Inf;
    m_store->PopDN[0] = -Inf;
    m_store->PopDNperN[0] = 2;
    QCOMPARE(linesOf(graphicDataText(*m_store)).last(), QByteArray("0,,,2\r"));
}

void TestGraphicData::lastStepBounds_data()
{
    QTest::addColumn<int>("lastStep");
    QTest::addColumn<int>("rows");
    QTest::addRow("most negative") << int(std::numeric_limits<std::int16_t>::min()) << 0;
    QTest::addRow("minus one") << -1 << 0;
    QTest::addRow("zero") << 0 << 1;
    QTest::addRow("last index of the store") << MaxStoreIndex << StoreSize;
    QTest::addRow("beyond the store") << int(std::numeric_limits<std::int16_t>::max()) << StoreSize;
}

void TestGraphicData::lastStepBounds()
{
    QFETCH(int, lastStep);
    QFETCH(int, rows);
    m_store->LastStep = std::int16_t(lastStep);
    m_store->PopN[MaxStoreIndex] = 0.5;
    const QByteArrayList lines = linesOf(graphicDataText(*m_store));
    QCOMPARE(lines.size(), rows + 2);
    QCOMPARE(lines[1], titles);
    if (rows == StoreSize)
        QCOMPARE(lines.last(), QByteArray("10000,.5,0,0\r"));
}

TARNIS_MODEL_TEST_MAIN(TestGraphicData)
#include "test_graphic_data.moc"
