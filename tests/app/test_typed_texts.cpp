// Whatever a student types or pastes into the five parameter boxes: each text in each box, then
// Enter, then Run; and the same text left unconfirmed when Run reads it. Each row says what the box
// holds after Enter and how Run ends, as the box rules and the run's limits give it; after every
// row the window still runs the defaults.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"

#include <QLabel>

#include <array>

using namespace tarnis;
using namespace tarnis::test;

namespace {

// How Run ends: "run T" computed up to t = T; "died T" the population died out at T; "left T" a
// value left the double range after t = T, which a message says; "refused BOX" nothing computed, and
// a message names the box ("zero" and "negative" name the value refused).
struct BoxCase {
    const char* afterEnter;  // "=" when Enter keeps the text, else the text put in its place
    const char* confirmed;   // Run after Enter in the box
    const char* unconfirmed; // Run after Enter in another box, reading this text as typed
};

constexpr std::array<const char*, 5> BoxNames{"n0", "rrate", "Kvalue", "tlag", "simut"};

struct TypedText {
    const char* name;
    QString text;
    std::array<BoxCase, 5> boxes; // in the order of BoxNames
};

QString digits(int count)
{
    QString text;
    while (text.size() < count)
        text += QStringLiteral("1234567890");
    return text.left(count);
}

// A text that no box takes: Enter puts every default back and the defaults run. Left unconfirmed,
// the strictly read boxes refuse it, and the leniently read ones end as given.
constexpr std::array<BoxCase, 5> takenByNoBox(const char* unconfirmedR, const char* unconfirmedK,
                                              const char* unconfirmedSteps)
{
    return {{{"1", "run 200", "refused N(0)"},
             {"0.2", "run 200", unconfirmedR},
             {"500", "run 200", unconfirmedK},
             {"5", "run 200", "refused lag"},
             {"200", "run 200", unconfirmedSteps}}};
}

const std::vector<TypedText>& typedTexts()
{
    // r, K and the steps are read leniently at Run (a text without a number reads as 0), N(0) and the
    // lag strictly; Enter converts N(0), r, K and the lag strictly and reads the steps leniently.
    static const std::vector<TypedText> texts{
        {"empty", "", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"blank", " ", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"letters", "abc", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"1e308",
         "1e308",
         {{{"=", "left 0", "left 0"},
           {"=", "left 1", "left 1"},
           {"=", "run 200", "run 200"},
           {"=", "run 200", "run 200"},
           {"2000", "run 2000", "refused steps"}}}},
        {"1e309", "1e309", takenByNoBox("refused r", "refused K", "refused steps")},
        {"-1e309", "-1e309", takenByNoBox("refused r", "refused K", "refused steps")},
        {"nan", "nan", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"inf", "inf", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"comma",
         "1,5",
         {{{"1", "run 200", "refused N(0)"},
           {"0.2", "run 200", "died 17"},
           {"500", "run 200", "run 200"},
           {"5", "run 200", "refused lag"},
           {"=", "run 1", "run 1"}}}},
        {"two points",
         "1.5.5",
         {{{"1", "run 200", "refused N(0)"},
           {"0.2", "run 200", "died 14"},
           {"500", "run 200", "run 200"},
           {"5", "run 200", "refused lag"},
           {"200", "run 200", "run 2"}}}},
        {"two signs", "--1", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"sign", "+", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"point", ".", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"exponent alone", "e5", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"hexadecimal", "0x10", takenByNoBox("run 200", "refused K zero", "run 0")},
        {"full-width digits", QStringLiteral("\uFF11\uFF12"), takenByNoBox("run 200", "refused K zero", "run 0")},
        {"100 000 digits", digits(100000), takenByNoBox("refused r", "refused K", "refused steps")},
        {"tab, blanks, line feed",
         "\t 1 2\n",
         {{{"1", "run 200", "refused N(0)"},
           {"0.2", "run 200", "died 4"},
           {"500", "run 200", "run 200"},
           {"5", "run 200", "refused lag"},
           {"=", "run 12", "run 12"}}}},
        {"32767",
         "32767",
         {{{"=", "died 1", "died 1"},
           {"=", "died 2", "died 2"},
           {"=", "run 200", "run 200"},
           {"=", "run 200", "run 200"},
           {"2000", "run 2000", "refused steps"}}}},
        {"-32769",
         "-32769",
         {{{"1", "run 200", "died 1"},
           {"0.2", "run 200", "died 1"},
           {"500", "run 200", "left 88"},
           {"5", "run 200", "refused lag negative"},
           {"200", "run 200", "refused steps"}}}},
        {"9999",
         "9999",
         {{{"=", "died 1", "died 1"},
           {"=", "died 2", "died 2"},
           {"=", "run 200", "run 200"},
           {"=", "run 200", "run 200"},
           {"2000", "run 2000", "run 9999"}}}},
        {"10000",
         "10000",
         {{{"=", "died 1", "died 1"},
           {"=", "died 2", "died 2"},
           {"=", "run 200", "run 200"},
           {"=", "run 200", "run 200"},
           {"2000", "run 2000", "refused steps"}}}},
        {"2.5",
         "2.5",
         {{{"=", "run 200", "run 200"},
           {"=", "died 12", "died 12"},
           {"=", "run 200", "run 200"},
           {"=", "run 200", "run 200"},
           {"200", "run 200", "run 2"}}}},
        {"-0.4",
         "-0.4",
         {{{"1", "run 200", "died 1"},
           {"0.2", "run 200", "run 200"},
           {"500", "run 200", "left 24"},
           {"5", "run 200", "refused lag negative"},
           {"200", "run 200", "run 0"}}}},
        {"-0.6",
         "-0.6",
         {{{"1", "run 200", "died 1"},
           {"0.2", "run 200", "run 200"},
           {"500", "run 200", "left 27"},
           {"5", "run 200", "refused lag negative"},
           {"200", "run 200", "refused steps"}}}},
        // Longer than a text box takes by default (32767 characters): cut there, this would read as 0.
        {"5 after 40 000 zeros",
         QString(40000, QLatin1Char('0')) + "5",
         {{{"=", "run 200", "run 200"},
           {"=", "died 5", "died 5"},
           {"=", "run 200", "run 200"},
           {"=", "run 200", "run 200"},
           {"=", "run 5", "run 5"}}}},
    };
    return texts;
}

// The words of the message that refuses each box, or that a value left the double range.
QString messageWords(const QString& refused)
{
    static const QMap<QString, QString> words{
        {"N(0)", "N(0) must be a number"},
        {"N(0) zero", "N(0) must be a number other than 0"},
        {"r", "(r) is too large"},
        {"K", "(K) is too large"},
        {"K zero", "(K) must be a number other than 0"},
        {"lag", "time lag must be a number"},
        {"lag negative", "time lag must be 0 or more"},
        {"steps", "must be a number from 0 to 9999"},
    };
    return words.value(refused, QStringLiteral("(no message for %1)").arg(refused));
}

} // namespace

class TestTypedTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void enterThenRun_data();
    void enterThenRun();
    void unconfirmedThenRun_data();
    void unconfirmedThenRun();

private:
    void addRows();
    QLineEdit* box(const QString& name) { return child<QLineEdit>(m_main, qPrintable(name)); }
    QString text(const char* name) { return child<QLabel>(m_main, name)->text(); }
    void enterText(QLineEdit* edit, const QString& text);
    void checkOutcome(const QString& outcome);
    void checkDefaultsStillRun();

    std::unique_ptr<AppFixture> m_fixture;
    QWidget* m_main = nullptr;
};

void TestTypedTexts::initTestCase()
{
    // One window for all rows, as one student types one text after another.
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->startAtMainWindow();
    m_main = m_fixture->mainWindow();
}

void TestTypedTexts::cleanupTestCase() { m_fixture.reset(); }

void TestTypedTexts::init()
{
    QVERIFY(clickButton(m_main, "Command16")); // "Data 2": the defaults, Run enabled
    m_fixture->fakes().messages.messages.clear();
}

void TestTypedTexts::addRows()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("afterEnter");
    QTest::addColumn<QString>("confirmed");
    QTest::addColumn<QString>("unconfirmed");
    for (const TypedText& typed : typedTexts()) {
        for (std::size_t i = 0; i < BoxNames.size(); ++i) {
            const BoxCase& expected = typed.boxes[i];
            const QString after
                = QLatin1String(expected.afterEnter) == QLatin1String("=") ? typed.text : expected.afterEnter;
            QTest::addRow("%s in %s", typed.name, BoxNames[i])
                << BoxNames[i] << typed.text << after << expected.confirmed << expected.unconfirmed;
        }
    }
}

void TestTypedTexts::enterText(QLineEdit* edit, const QString& text)
{
    typeOrPaste(edit, text);
    QCOMPARE(edit->text(), text); // the box holds all of it
}

void TestTypedTexts::checkOutcome(const QString& outcome)
{
    const QStringList messages = m_fixture->fakes().messages.messages;
    const QString kind = outcome.section(QLatin1Char(' '), 0, 0);
    const QString detail = outcome.section(QLatin1Char(' '), 1);
    if (kind == QLatin1String("refused")) {
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(messageWords(detail)), qPrintable(messages.first()));
        QCOMPARE(child<QLineEdit>(m_main, "Text4")->text(), QString());
        QVERIFY(child<QPushButton>(m_main, "Command2")->isEnabled()); // the user corrects the box and runs again
        return;
    }
    const int lastStep = detail.toInt();
    QCOMPARE(m_fixture->state().store.LastStep, lastStep);
    QCOMPARE(text("Label4"), QStringLiteral("Population size at t = %1").arg(lastStep));
    const QString result = child<QLineEdit>(m_main, "Text4")->text();
    if (kind == QLatin1String("left")) {
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QStringLiteral("At step %1 ").arg(lastStep + 1)),
                 qPrintable(messages.first()));
    } else {
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
        QCOMPARE(result == QLatin1String("0"), kind == QLatin1String("died"));
    }
    QVERIFY(!result.isEmpty());
}

void TestTypedTexts::checkDefaultsStillRun()
{
    QVERIFY(clickButton(m_main, "Command16"));
    QVERIFY(clickButton(m_main, "Command2"));
    QCOMPARE(child<QLineEdit>(m_main, "Text4")->text(), QStringLiteral("499.936872437631"));
}

void TestTypedTexts::enterThenRun_data() { addRows(); }

void TestTypedTexts::enterThenRun()
{
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, afterEnter);
    QFETCH(QString, confirmed);
    QLineEdit* edit = box(boxName);
    enterText(edit, typed);
    pressEnter(edit);
    QCOMPARE(edit->text(), afterEnter);
    QVERIFY(clickButton(m_main, "Command2"));
    checkOutcome(confirmed);
    checkDefaultsStillRun();
}

void TestTypedTexts::unconfirmedThenRun_data() { addRows(); }

void TestTypedTexts::unconfirmedThenRun()
{
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, unconfirmed);
    enterText(box(boxName), typed);
    QLineEdit* other = box(boxName == QLatin1String("rrate") ? "n0" : "rrate");
    other->setFocus();
    pressEnter(other); // confirms the other box and enables Run; this one keeps its text
    QCOMPARE(box(boxName)->text(), typed);
    QVERIFY(clickButton(m_main, "Command2"));
    checkOutcome(unconfirmed);
    checkDefaultsStillRun();
}

TARNIS_GUI_TEST_MAIN(TestTypedTexts)
#include "test_typed_texts.moc"
