// The four conversions between box texts and numbers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/conversions.h"
#include "tests/support/exact.h"
#include "tests/support/model_test_main.h"

#include <limits>

using namespace tarnis;

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void lenientReading_data();
    void lenientReading();
    void lenientReadingFailsBeyondDoubleRange();
    void strictConversion_data();
    void strictConversion();
    void roundingToInt16_data();
    void roundingToInt16();
    void roundingToInt32();
    void numberToText_data();
    void numberToText();
};

void TestConversions::lenientReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<double>("expected");
    QTest::addRow("digits then letters") << "12abc" << '.' << 12.0;
    QTest::addRow("blanks inside the number") << " 1 2" << '.' << 12.0;
    QTest::addRow("tab and line feed") << "\t 1 2\n" << '.' << 12.0;
    QTest::addRow("exponent") << "1e3" << '.' << 1000.0;
    QTest::addRow("capital exponent") << "2.5E2" << '.' << 250.0;
    QTest::addRow("sign, no leading digit, negative exponent") << "-.5e-2x" << '.' << -0.005;
    QTest::addRow("empty") << "" << '.' << 0.0;
    QTest::addRow("letters only") << "abc" << '.' << 0.0;
    QTest::addRow("lone point") << "." << '.' << 0.0;
    QTest::addRow("lone sign") << "+" << '.' << 0.0;
    QTest::addRow("two signs") << "--1" << '.' << 0.0;
    QTest::addRow("second point ends the number") << "1.5.5" << '.' << 1.5;
    QTest::addRow("exponent marker without digits") << "7e" << '.' << 7.0;
    QTest::addRow("exponent without digits after sign") << "7e+x" << '.' << 7.0;
    QTest::addRow("exponent alone") << "e5" << '.' << 0.0;
    QTest::addRow("hexadecimal is not read") << "0x10" << '.' << 0.0;
    QTest::addRow("comma stops a point reading") << "0,2" << '.' << 0.0;
    QTest::addRow("comma locale reads a comma") << "0,2" << ',' << 0.2;
    QTest::addRow("comma locale still reads a point") << "0.2" << ',' << 0.2;
    QTest::addRow("one separator only") << "1,5.3" << ',' << 1.5;
    QTest::addRow("trailing point") << "5." << '.' << 5.0;
    QTest::addRow("below the double range reads as zero") << "1e-400" << '.' << 0.0;
    QTest::addRow("subnormal") << "1e-310" << '.' << 1e-310;
    QTest::addRow("largest double") << "1.7976931348623157e308" << '.' << std::numeric_limits<double>::max();
    QTest::addRow("full-width digits are not digits") << QStringLiteral("\uFF11\uFF12") << '.' << 0.0;
    QTest::addRow("many leading zeros") << QString(5000, QLatin1Char('0')) + "7" << '.' << 7.0;
    QTest::addRow("long fraction rounds correctly") << "0.1000000000000000055511151231257827" << '.' << 0.1;
}

void TestConversions::lenientReading()
{
    QFETCH(QString, text);
    QFETCH(char, separator);
    QFETCH(double, expected);
    const auto value = readLenient(text.toStdString(), separator);
    QVERIFY(value.has_value());
    QCOMPARE_EXACT(*value, expected);
}

void TestConversions::lenientReadingFailsBeyondDoubleRange()
{
    for (const char* text : {"1e309", "-1e309", "1.7976931348623159e308", "1e999999999999"})
        QVERIFY2(!readLenient(text).has_value(), text);
    QVERIFY(!readLenient(std::string(400, '9')).has_value());
}

void TestConversions::strictConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<double>("expected");
    QTest::addRow("integer") << "5" << '.' << true << 5.0;
    QTest::addRow("blanks around") << "  2.5\t" << '.' << true << 2.5;
    QTest::addRow("sign and exponent") << "-1.5e2" << '.' << true << -150.0;
    QTest::addRow("plus sign") << "+3" << '.' << true << 3.0;
    QTest::addRow("no leading digit") << ".5" << '.' << true << 0.5;
    QTest::addRow("trailing separator") << "5." << '.' << true << 5.0;
    QTest::addRow("comma locale") << "0,2" << ',' << true << 0.2;
    QTest::addRow("point in a comma locale") << "0.2" << ',' << false << 0.0;
    QTest::addRow("comma in a point locale") << "1,5" << '.' << false << 0.0;
    QTest::addRow("thousands separator") << "1,000" << '.' << false << 0.0;
    QTest::addRow("trailing letters") << "12abc" << '.' << false << 0.0;
    QTest::addRow("blank inside") << "1 2" << '.' << false << 0.0;
    QTest::addRow("empty") << "" << '.' << false << 0.0;
    QTest::addRow("blanks only") << " " << '.' << false << 0.0;
    QTest::addRow("letters") << "abc" << '.' << false << 0.0;
    QTest::addRow("two points") << "1.5.5" << '.' << false << 0.0;
    QTest::addRow("two signs") << "--1" << '.' << false << 0.0;
    QTest::addRow("lone point") << "." << '.' << false << 0.0;
    QTest::addRow("exponent without digits") << "1e" << '.' << false << 0.0;
    QTest::addRow("infinity word") << "inf" << '.' << false << 0.0;
    QTest::addRow("not-a-number word") << "nan" << '.' << false << 0.0;
    QTest::addRow("hexadecimal") << "0x10" << '.' << false << 0.0;
    QTest::addRow("beyond the double range") << "1e309" << '.' << false << 0.0;
    QTest::addRow("negative beyond the range") << "-1e309" << '.' << false << 0.0;
    QTest::addRow("underflow reads as zero") << "1e-400" << '.' << true << 0.0;
    QTest::addRow("full-width digits") << QStringLiteral("\uFF11\uFF12") << '.' << false << 0.0;
}

void TestConversions::strictConversion()
{
    QFETCH(QString, text);
    QFETCH(char, separator);
    QFETCH(bool, converts);
    QFETCH(double, expected);
    const auto value = convertStrict(text.toStdString(), separator);
    QCOMPARE(value.has_value(), converts);
    if (converts)
        QCOMPARE_EXACT(*value, expected);
}

void TestConversions::roundingToInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");
    QTest::addRow("2.5 to even") << 2.5 << true << 2;
    QTest::addRow("3.5 to even") << 3.5 << true << 4;
    QTest::addRow("-0.5 to zero") << -0.5 << true << 0;
    QTest::addRow("-1.5 to even") << -1.5 << true << -2;
    QTest::addRow("just below a half") << 2.4999999999999996 << true << 2;
    QTest::addRow("upper edge") << 32767.0 << true << 32767;
    QTest::addRow("upper edge, half down to even") << 32766.5 << true << 32766;
    QTest::addRow("upper edge, half up beyond") << 32767.5 << false << 0;
    QTest::addRow("lower edge") << -32768.0 << true << -32768;
    QTest::addRow("lower edge, half to even") << -32768.5 << true << -32768;
    QTest::addRow("below the lower edge") << -32769.0 << false << 0;
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    QTest::addRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
}

void TestConversions::roundingToInt16()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const auto rounded = roundToInt16(value);
    QCOMPARE(rounded.has_value(), fits);
    if (fits)
        QCOMPARE(int(*rounded), expected);
}

void TestConversions::roundingToInt32()
{
    QCOMPARE(roundToInt32(9998.5).value(), 9998);
    QCOMPARE(roundToInt32(9999.5).value(), 10000);
    QCOMPARE(roundToInt32(2147483647.0).value(), 2147483647);
    QVERIFY(!roundToInt32(2147483647.5).has_value());
    QCOMPARE(roundToInt32(-2147483648.5).value(), -2147483648);
    QVERIFY(!roundToInt32(-2147483649.0).has_value());
}

void TestConversions::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("expected");
    QTest::addRow("integer") << 200.0 << '.' << "200";
    QTest::addRow("negative integer") << -17.0 << '.' << "-17";
    QTest::addRow("zero") << 0.0 << '.' << "0";
    QTest::addRow("negative zero has no sign") << -0.0 << '.' << "0";
    QTest::addRow("fraction") << 0.2 << '.' << "0.2";
    QTest::addRow("comma locale") << 0.2 << ',' << "0,2";
    QTest::addRow("15 significant digits") << 499.936872437631 << '.' << "499.936872437631";
    QTest::addRow("rounded to 15 digits") << 499.9172326862404 << '.' << "499.91723268624";
    QTest::addRow("near-integer") << 500.000000000038 << '.' << "500.000000000038";
    QTest::addRow("sum that is not exact") << 0.1 + 0.2 << '.' << "0.3";
    QTest::addRow("largest without exponent") << 999999999999999.0 << '.' << "999999999999999";
    QTest::addRow("exponent from 1E+15") << 1e15 << '.' << "1E+15";
    QTest::addRow("large with digits") << 1234567890123456.0 << '.' << "1.23456789012346E+15";
    QTest::addRow("small without exponent") << 0.0001 << '.' << "0.0001";
    QTest::addRow("exponent below 1E-4") << 0.00001 << '.' << "1E-05";
    QTest::addRow("tiny in a comma locale") << -2.5e-300 << ',' << "-2,5E-300";
    // Rounded, the largest doubles would read ...232E+308, beyond the double range: their digits are cut.
    QTest::addRow("largest double") << std::numeric_limits<double>::max() << '.' << "1.79769313486231E+308";
    QTest::addRow("most negative double") << std::numeric_limits<double>::lowest() << ',' << "-1,79769313486231E+308";
    QTest::addRow("rounds up to the last 15-digit double") << 1.797693134862306e308 << '.' << "1.79769313486231E+308";
}

void TestConversions::numberToText()
{
    QFETCH(double, value);
    QFETCH(char, separator);
    QFETCH(QString, expected);
    const std::string text = tarnis::numberToText(value, separator);
    QCOMPARE(QString::fromStdString(text), expected);
    QVERIFY2(tarnis::convertStrict(text, separator).has_value(), "the text does not read back");
}

TARNIS_MODEL_TEST_MAIN(TestConversions)
#include "test_conversions.moc"
