// The four conversions between box texts and numbers, each case both ways to the digits that the
// build has (std::from_chars and std::to_chars, strtod and snprintf), which must agree bit for bit.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/numbers/decimal_digits.h"
#include "tests/support/exact.h"
#include "tests/support/model_test_main.h"

#include <cstring>
#include <functional>
#include <limits>
#include <random>

using namespace tarnis;

namespace {

QByteArray pathName(decimal::Path path)
{
    return path == decimal::Path::CharConv ? "std::from_chars and std::to_chars" : "strtod and snprintf";
}

// The same reading both ways, or the first way that gave another.
std::optional<double> readingOfEveryPath(const std::function<std::optional<double>(decimal::Path)>& read)
{
    const auto paths = decimal::availablePaths();
    const auto first = read(paths.front());
    for (const decimal::Path path : paths) {
        const auto value = read(path);
        const bool same = value.has_value() == first.has_value()
            && (!value || std::memcmp(&*value, &*first, sizeof(double)) == 0);
        if (!same)
            qWarning("%s read %s", pathName(path).constData(),
                     value ? tarnis::test::exactText(*value).constData() : "nothing");
        if (!same)
            return std::nullopt;
    }
    return first;
}

} // namespace

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
    void bothPathsGiveTheSameTexts_data();
    void bothPathsGiveTheSameTexts();
    void bothPathsReadTheSameNumbers();
    void separatorOfALocale_data();
    void separatorOfALocale();
    void digitsTheConversionsAskFor_data();
    void digitsTheConversionsAskFor();
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
    for (const decimal::Path path : decimal::availablePaths()) {
        const auto value = readLenient(text.toStdString(), separator, path);
        QVERIFY2(value.has_value(), pathName(path));
        QVERIFY2(*value == expected && std::signbit(*value) == std::signbit(expected),
                 pathName(path) + " read " + tarnis::test::exactText(*value));
    }
}

void TestConversions::lenientReadingFailsBeyondDoubleRange()
{
    for (const decimal::Path path : decimal::availablePaths()) {
        for (const char* text : {"1e309", "-1e309", "1.7976931348623159e308", "1e999999999999"})
            QVERIFY2(!readLenient(text, '.', path).has_value(), pathName(path) + ": " + text);
        QVERIFY2(!readLenient(std::string(400, '9'), '.', path).has_value(), pathName(path));
    }
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
    for (const decimal::Path path : decimal::availablePaths()) {
        const auto value = convertStrict(text.toStdString(), separator, path);
        QVERIFY2(value.has_value() == converts, pathName(path));
        if (converts)
            QVERIFY2(*value == expected, pathName(path) + " read " + tarnis::test::exactText(*value));
    }
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
    for (const decimal::Path path : decimal::availablePaths()) {
        const std::string text = tarnis::numberToText(value, separator, 15, path);
        QVERIFY2(QString::fromStdString(text) == expected, pathName(path) + " wrote " + QByteArray::fromStdString(text));
        QVERIFY2(tarnis::convertStrict(text, separator, path).has_value(), "the text does not read back");
    }
}

// The two ways differ in what they are (printf's %g and %e against std::to_chars), not in the digits
// they must give. Values where forms change (the exponent at 1e-4 and 10^digits, rounding up into
// the next decade), ties, the ends of the double range, and many drawn from all over it (the row of
// NaN), at every digit count.
void TestConversions::bothPathsGiveTheSameTexts_data()
{
    QTest::addColumn<double>("value");
    const double edges[]{1e-4, 0.000099999999999999991, 9.99999999999999e14, 999999999999999.9, 1e15, 9.5, 0.95,
                         0.5, 2.5, 1.5e-5, 123456789012345678.0, 5e-324, 2.2250738585072014e-308,
                         std::numeric_limits<double>::max(), 1.797693134862306e308, 499.936872437631, 1.0 / 3.0};
    for (const double edge : edges) {
        QTest::addRow("%s", tarnis::test::exactText(edge).constData()) << edge;
        QTest::addRow("-%s", tarnis::test::exactText(edge).constData()) << -edge;
    }
    QTest::addRow("drawn from the whole range") << std::numeric_limits<double>::quiet_NaN();
}

void TestConversions::bothPathsGiveTheSameTexts()
{
    QFETCH(double, value);
    std::vector<double> values{value};
    if (std::isnan(value)) {
        std::mt19937_64 random(20261208);
        std::uniform_int_distribution<std::uint64_t> bits(0, 0xFFEFFFFFFFFFFFFFull);
        values.resize(10000);
        for (double& drawn : values) {
            const std::uint64_t pattern = bits(random);
            std::memcpy(&drawn, &pattern, sizeof drawn);
        }
    }
    for (const double v : values) {
        const std::string shortest = decimal::shortestForm(decimal::buildPath(), v);
        for (const decimal::Path path : decimal::availablePaths())
            QVERIFY2(decimal::shortestForm(path, v) == shortest,
                     tarnis::test::exactText(v) + " at its shortest by " + pathName(path) + ", not "
                         + QByteArray::fromStdString(shortest));
        for (int digits = 1; digits <= 17; ++digits) {
            const std::string expected = tarnis::numberToText(v, '.', digits, decimal::buildPath());
            for (const decimal::Path path : decimal::availablePaths())
                QVERIFY2(tarnis::numberToText(v, '.', digits, path) == expected,
                         tarnis::test::exactText(v) + " to " + QByteArray::number(digits) + " digits by "
                             + pathName(path) + ", not " + QByteArray::fromStdString(expected));
        }
    }
}

// Texts around the halfway points between neighbouring doubles, where a reading that does not round
// correctly goes wrong: the 17 digits of a double with digits added beyond them, up and down.
void TestConversions::bothPathsReadTheSameNumbers()
{
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<std::uint64_t> bits(0, 0x7FEFFFFFFFFFFFFFull);
    const char* tails[]{"", "5", "49999999999999999999", "50000000000000000001", "4999", "5001"};
    for (int i = 0; i < 5000; ++i) {
        const std::uint64_t drawn = bits(random);
        double value = 0.0;
        std::memcpy(&value, &drawn, sizeof value);
        const std::string text = tarnis::numberToText(value, '.', 17);
        const std::size_t exponent = std::min(text.find('E'), text.size());
        std::string mantissa = text.substr(0, exponent);
        if (mantissa.find('.') == std::string::npos)
            mantissa += '.';
        for (const char* tail : tails) {
            const std::string nearHalf = mantissa + tail + text.substr(exponent);
            const auto read = readingOfEveryPath([&](decimal::Path path) { return convertStrict(nearHalf, '.', path); });
            QVERIFY2(read.has_value(), ("the ways read '" + nearHalf + "' differently").c_str());
            QVERIFY(readingOfEveryPath([&](decimal::Path path) { return readLenient(nearHalf + "x", ',', path); }));
        }
    }
}

// The digits that the conversions ask of either way, from the smallest subnormal to the largest double.
void TestConversions::digitsTheConversionsAskFor_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<double>("expected");
    QTest::addRow("below half the smallest subnormal") << "2.4703282292062327e-324" << false << 0.0;
    QTest::addRow("just above half the smallest subnormal") << "2.4703282292062328e-324" << true << 5e-324;
    QTest::addRow("subnormal") << "1e-310" << true << 1e-310;
    QTest::addRow("largest subnormal") << "2.2250738585072009e-308" << true << 2.2250738585072009e-308;
    QTest::addRow("largest double") << "1.7976931348623157e308" << true << std::numeric_limits<double>::max();
    QTest::addRow("just below the halfway point to infinity") << "1.797693134862315807937e308" << true
                                                              << std::numeric_limits<double>::max();
    QTest::addRow("just above the halfway point to infinity") << "1.797693134862315808e308" << false << 0.0;
    QTest::addRow("negative, beyond") << "-1.79769313486232e+308" << false << 0.0;
    QTest::addRow("no integer digits") << ".5e0" << true << 0.5;
    QTest::addRow("huge exponent") << "1e1000000000" << false << 0.0;
    QTest::addRow("tiny exponent") << "1e-1000000000" << false << 0.0;
    QTest::addRow("many digits") << QString(800, QLatin1Char('1')) + "e-799" << true << 1.1111111111111111;
}

void TestConversions::digitsTheConversionsAskFor()
{
    QFETCH(QString, digits);
    QFETCH(bool, reads);
    QFETCH(double, expected);
    for (const decimal::Path path : decimal::availablePaths()) {
        const auto value = decimal::readDigits(path, digits.toStdString());
        QVERIFY2(value.has_value() == reads, pathName(path));
        if (reads)
            QVERIFY2(*value == expected, pathName(path) + " read " + tarnis::test::exactText(*value));
    }
}

// The windows pass the system locale's decimal point, the page the browser language's.
void TestConversions::separatorOfALocale_data()
{
    QTest::addColumn<QString>("decimalPoint");
    QTest::addColumn<char>("separator");
    QTest::addRow("point") << "." << '.';
    QTest::addRow("comma") << "," << ',';
    QTest::addRow("Arabic decimal separator") << QString(QChar(0x066B)) << '.';
    QTest::addRow("two characters") << ",," << '.';
    QTest::addRow("none") << "" << '.';
}

void TestConversions::separatorOfALocale()
{
    QFETCH(QString, decimalPoint);
    QFETCH(char, separator);
    QCOMPARE(decimalSeparatorFor(decimalPoint.toStdString()), separator);
}

TARNIS_MODEL_TEST_MAIN(TestConversions)
#include "test_conversions.moc"
