// Set-ups that travel by link and by file: what a hostile or broken one can do (nothing but notes),
// what the boxes' rules make of a refused value, and that what is written reads back the same; and the
// guided activities built on them: their answers, and how a student's answer is checked.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/language/catalog.h"
#include "model/lessons/activities.h"
#include "model/lessons/json_text.h"
#include "model/lessons/setup.h"
#include "model/numbers/conversions.h"
#include "model/run/kept_runs.h"
#include "tests/support/model_test_main.h"

#include <QStringList>

#include <algorithm>
#include <string>

using namespace tarnis;

namespace {

Setup fullSetup()
{
    Setup setup{{"0.3", "500", "200", "1", "8"}};
    setup.chart = ChartKind::NtvsNtnextinLine;
    setup.logarithmicN = true;
    setup.kept = {{"0.25", "500", "100", "2", "5"}, {"1E-2", "1000", "300", "0.5", "0"}};
    setup.diagramAxis = BifurcationAxis::Lag;
    setup.activity = "limit";
    setup.activityStep = 2;
    return setup;
}

// English again after each test, as every other test expects, whether it passed or not.
struct Speaking {
    explicit Speaking(std::string_view code) { setLanguage(code); }
    ~Speaking() { setLanguage("en"); }
};

QStringList notesOf(const ReadSetup& read)
{
    QStringList notes;
    for (const std::string& note : read.notes)
        notes << QString::fromStdString(note);
    return notes;
}

} // namespace

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void json_data();
    void json();
    void quotedReadsBack();
    void bothWaysReadBack();
    void fragment_data();
    void fragment();
    void thousandsOfSettings();
    void file_data();
    void file();
    void keptRunTexts_data();
    void keptRunTexts();
    void setupWords();
    void everyActivityStep();
    void modelAnswers_data();
    void modelAnswers();
    void answerChecks_data();
    void answerChecks();
    void stepInEachLanguage_data();
    void stepInEachLanguage();
};

void TestSetup::json_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("refusal"); // empty: read
    QTest::addRow("an object") << QByteArray(R"( {"a": [1, -0.5e+3, true, null], "b": "\u00e9\ud83d\ude00"} )") << "";
    QTest::addRow("more after the value") << QByteArray("{} x") << "more follows";
    QTest::addRow("a string not closed") << QByteArray(R"({"a": "b)") << "not closed";
    QTest::addRow("a lone surrogate") << QByteArray(R"(["\ud83d"])") << "lone surrogate";
    QTest::addRow("a control character") << QByteArray("[\"a\tb\"]") << "control character";
    QTest::addRow("overlong UTF-8") << QByteArray("[\"\xC0\xAF\"]") << "not UTF-8";
    QTest::addRow("a cut UTF-8 character") << QByteArray("[\"\xE2\x82\"]") << "not UTF-8";
    QTest::addRow("a name twice") << QByteArray(R"({"r": 1, "r": 2})") << "stands twice";
    QTest::addRow("a leading zero") << QByteArray("[01]") << "a list is not closed";
    QTest::addRow("a point without digits") << QByteArray("[1.]") << "fraction";
    QTest::addRow("too deep") << QByteArray(40, '[') + QByteArray(40, ']') << "nested too deeply";
    QTest::addRow("nothing") << QByteArray("  ") << "missing";
}

void TestSetup::json()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, refusal);
    const auto read = json::read(std::string_view(text.constData(), std::size_t(text.size())));
    if (refusal.isEmpty())
        QVERIFY(std::holds_alternative<json::Value>(read));
    else
        QVERIFY2(std::holds_alternative<json::ReadError>(read)
                     && QString::fromStdString(std::get<json::ReadError>(read).reason).contains(refusal),
                 qPrintable(refusal));
}

void TestSetup::quotedReadsBack()
{
    const std::string text = "a\"b\\c\n\x01 é/";
    const auto read = json::read(std::string("[").append(json::quoted(text)).append("]"));
    QVERIFY(std::holds_alternative<json::Value>(read));
    QCOMPARE(*std::get<json::Value>(read).items()->front().string(), text);
}

// What either carrier writes, it reads back as it was, with nothing to note.
void TestSetup::bothWaysReadBack()
{
    const Setup setup = fullSetup();
    const ReadSetup fromLink = readSetupFragment(std::string("#").append(setupFragment(setup)));
    QVERIFY(fromLink.setup == setup);
    QVERIFY(fromLink.notes.empty());
    // Only a link carries the page's language.
    Setup spoken = setup;
    spoken.language = "de";
    QVERIFY(readSetupFragment(setupFragment(spoken)).setup == spoken);
    const auto fromFile = readSetupFile(setupFileText(setup));
    QVERIFY(std::holds_alternative<ReadSetup>(fromFile));
    QVERIFY(std::get<ReadSetup>(fromFile).setup == setup);
    QVERIFY(std::get<ReadSetup>(fromFile).notes.empty());
    QCOMPARE(setupFragment(Setup{defaultRunTexts()}), "r=0.2&N0=1&K=500&T=5&steps=200");
    // A comma locale's boxes travel with the point and come back with the comma.
    const RunTexts comma = inLocaleNotation(setup.run, ',');
    QCOMPARE(comma.r, "0,3");
    QCOMPARE(inPointNotation(comma, ',').r, "0.3");
}

void TestSetup::fragment_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("lag");
    QTest::addColumn<QString>("note"); // in the only note; empty: none
    QTest::addRow("percent-encoded") << "r=0%2E3&T=8"
                                     << "0.3"
                                     << "8"
                                     << "";
    QTest::addRow("markup is no number") << "r=%3Cscript%3Ealert(1)%3C/script%3E"
                                         << "0.2"
                                         << "5"
                                         << "The intrinsic rate (r) must be";
    QTest::addRow("beyond the doubles") << "r=1e999"
                                        << "0.2"
                                        << "5"
                                        << "too large to compute with";
    QTest::addRow("a negative lag") << "T=-3"
                                    << "0.2"
                                    << "5"
                                    << "went back to its default, 5.";
    QTest::addRow("an unknown setting") << "r=0.3&colour=red"
                                        << "0.3"
                                        << "5"
                                        << "\"colour\" is not one Tarnis knows";
    QTest::addRow("an unknown chart") << "chart=pie"
                                      << "0.2"
                                      << "5"
                                      << "the first chart is shown";
    QTest::addRow("a kept run of four values") << "keep=0.3,1,500,8"
                                               << "0.2"
                                               << "5"
                                               << "no run was kept";
    QTest::addRow("a broken escape stays") << "r=0.3%2"
                                           << "0.2"
                                           << "5"
                                           << "The intrinsic rate (r) must be";
    // Found by fuzzing: a value that is not UTF-8 was kept and made a file that could not be read back.
    QTest::addRow("not UTF-8") << "steps=2%CD%CD00"
                               << "0.2"
                               << "5"
                               << "The number of time steps must be";
    QTest::addRow("empty settings") << "&&r=0.4&"
                                    << "0.4"
                                    << "5"
                                    << "";
    QTest::addRow("an unknown activity") << "activity=%3Cb%3E&step=2"
                                         << "0.2"
                                         << "5"
                                         << "no activity is opened";
    QTest::addRow("a step the activity lacks") << "step=9&activity=lag"
                                               << "0.2"
                                               << "5"
                                               << "opens at its first step";
    QTest::addRow("a step without an activity") << "step=2"
                                                << "0.2"
                                                << "5"
                                                << "\"step\" has a value";
    QTest::addRow("a language the catalog lacks") << "lang=fr&r=0.3"
                                                  << "0.3"
                                                  << "5"
                                                  << "the page speaks the browser's language";
    QTest::addRow("a language with its country") << "lang=de-AT"
                                                 << "0.2"
                                                 << "5"
                                                 << "";
}

void TestSetup::fragment()
{
    QFETCH(QString, fragment);
    QFETCH(QString, r);
    QFETCH(QString, lag);
    QFETCH(QString, note);
    const ReadSetup read = readSetupFragment(fragment.toStdString());
    QCOMPARE(QString::fromStdString(read.setup.run.r), r);
    QCOMPARE(QString::fromStdString(read.setup.run.lag), lag);
    const QStringList notes = notesOf(read);
    QCOMPARE(notes.size(), note.isEmpty() ? 0 : 1);
    if (!note.isEmpty())
        QVERIFY2(notes.front().contains(note), qPrintable(notes.front()));
}

// A hostile address with thousands of settings: the first ones count, one note says the rest were left.
void TestSetup::thousandsOfSettings()
{
    std::string fragment = "r=0.3";
    for (int i = 0; i < 5000; ++i)
        fragment.append("&keep=0.2,1,500,").append(std::to_string(i % 50)).append(",10");
    const ReadSetup read = readSetupFragment(fragment);
    QCOMPARE(read.setup.run.r, "0.3");
    QCOMPARE(int(read.setup.kept.size()), MaxKeptRuns);
    QVERIFY(notesOf(read).back().contains("more than 64 settings"));
    QVERIFY(read.notes.size() <= std::size_t(MostSetupSettings) + 1);
}

void TestSetup::file_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("refusal"); // empty: read
    QTest::addColumn<QString>("r");
    QTest::addRow("numbers as numbers") << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": 0.3})") << ""
                                        << "0.3";
    QTest::addRow("from a newer Tarnis") << QByteArray(R"({"tarnis": "set-up", "version": 2, "r": "0.3"})")
                                         << "saved by a newer Tarnis"
                                         << "";
    QTest::addRow("another program's JSON") << QByteArray(R"({"r": "0.3"})") << "does not say"
                                            << "";
    QTest::addRow("a version that is no number")
        << QByteArray(R"({"tarnis": "set-up", "version": "1"})") << "not a whole number"
        << "";
    QTest::addRow("cut short") << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": "0.)") << "not closed"
                               << "";
    QTest::addRow("a list, not an object") << QByteArray(R"(["tarnis"])") << "does not say"
                                           << "";
}

void TestSetup::file()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, refusal);
    QFETCH(QString, r);
    const auto read = readSetupFile(std::string_view(text.constData(), std::size_t(text.size())));
    if (!refusal.isEmpty()) {
        QVERIFY(std::holds_alternative<std::string>(read));
        QVERIFY2(QString::fromStdString(std::get<std::string>(read)).contains(refusal),
                 std::get<std::string>(read).c_str());
        return;
    }
    QVERIFY(std::holds_alternative<ReadSetup>(read));
    QCOMPARE(QString::fromStdString(std::get<ReadSetup>(read).setup.run.r), r);
}

// A kept run holds numbers; its texts must read back to the very same numbers, and stay short.
void TestSetup::keptRunTexts_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("lag");
    QTest::addColumn<QString>("rText");
    QTest::addRow("a typed value") << 0.3 << 8.0 << "0.3";
    QTest::addRow("a sum that needs 17 digits") << 0.1 + 0.2 << 2.7 << "0.30000000000000004";
    QTest::addRow("a slider's value") << 0.123456789012345678 << 0.5 << "0.12345678901234568";
    QTest::addRow("tiny") << 1e-300 << 0.0 << "1E-300";
}

void TestSetup::keptRunTexts()
{
    QFETCH(double, r);
    QFETCH(double, lag);
    QFETCH(QString, rText);
    const RunParameters parameters{.r = r, .K = 500.0 / 3, .steps = 2000, .n0 = 1.0, .lag = lag};
    const RunTexts texts = runTextsOf(parameters);
    QCOMPARE(QString::fromStdString(texts.r), rText);
    QCOMPARE(readLenient(texts.r), r);
    QCOMPARE(readLenient(texts.K), 500.0 / 3);
    QCOMPARE(convertStrict(texts.lag, '.'), lag);
    QCOMPARE(texts.steps, "2000");
    // And the run travels: a link of it reads back without a note.
    Setup setup{defaultRunTexts()};
    setup.kept = {texts};
    const ReadSetup read = readSetupFragment(setupFragment(setup));
    QVERIFY2(read.notes.empty(), read.notes.empty() ? "" : read.notes.front().c_str());
    QVERIFY(read.setup == setup);
}

// The file the commands offer is one the readers and the file dialogs take.
void TestSetup::setupWords()
{
    const SetupMenuWords words = setupMenuWords();
    QVERIFY(QString::fromStdString(words.fileName).endsWith(QString::fromStdString(words.fileSuffix)));
    QVERIFY(QString::fromStdString(words.pageFileName).endsWith(".html"));
    // A command that opens a dialog says so with the ellipsis; one that acts at once does not.
    QVERIFY(QString::fromStdString(words.saveFile.caption).endsWith("…"));
    QVERIFY(QString::fromStdString(words.openFile.caption).endsWith("…"));
    QVERIFY(!QString::fromStdString(words.copyLink.caption).endsWith("…"));
    QVERIFY(setupAppliedWords(SetupCarrier::Link) != setupAppliedWords(SetupCarrier::File));
}

// Every step's set-up is one the boxes take as it stands, its link opens the same step, its words have
// no placeholder left, and a step that asks for a number has one from the model.
void TestSetup::everyActivityStep()
{
    QVERIFY(activities().size() >= 5);
    for (const Activity& activity : activities()) {
        QCOMPARE(activityNamed(activity.id), &activity);
        for (int i = 0; i < int(activity.steps.size()); ++i) {
            const ActivityStep& step = activity.steps[std::size_t(i)];
            const ReadSetup read = readSetupFragment(activityFragment(activity, i));
            QVERIFY2(read.notes.empty(), read.notes.empty() ? "" : read.notes.front().c_str());
            QCOMPARE(read.setup.activity, activity.id);
            QCOMPARE(read.setup.activityStep, i + 1);
            Setup plain = read.setup;
            plain.activity.clear();
            plain.activityStep = 0;
            QVERIFY(plain == step.setup);
            const StepWords words = stepWords(activity, i, ',');
            QVERIFY2((words.look + words.question).find("{") == std::string::npos, words.look.c_str());
            const auto answer = modelAnswer(step, ',');
            QVERIFY2(answer.has_value(), words.question.c_str());
            QCOMPARE(answer->value.has_value(), step.answer != StepAnswer::Regime);
            QCOMPARE(words.answerLabel.empty(), step.answer == StepAnswer::Regime);
        }
    }
}

// The key's answers, as tarnis-run gives them for the same runs (`stability`, `dynamics --words`, the
// run's own values), so a change in what a step computes cannot pass unnoticed.
void TestSetup::modelAnswers_data()
{
    QTest::addColumn<QString>("activity");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("answer");
    QTest::addRow("r_c of T = 5") << "limit" << 0 << "r_c = 0,2846 (within 2 %)";
    QTest::addRow("r_c of T = 8") << "limit" << 2 << "r_c = 0,1845 (within 2 %)";
    QTest::addRow("two runs beside r_c") << "limit" << 1
                                         << "r=0,28: damped oscillations. r=0,29: sustained oscillations";
    QTest::addRow("a period at T = 5") << "period" << 1 << "period = 22,4 (within 10 %)";
    QTest::addRow("4T + 2 at T = 8") << "period" << 3 << "period = 34";
    QTest::addRow("the step of the end") << "extinction" << 1 << "step = 26";
    QTest::addRow("the crash after the peak") << "extinction" << 0 << "lowest N = 6,1 (within 10 %)";
    QTest::addRow("Data 1's first peak") << "presets" << 2 << "highest N = 1018,2 (within 2 %)";
    QTest::addRow("Data 1 to 3 together")
        << "presets" << 3
        << "T=3; 200 steps: damped oscillations. T=5; 200 steps: damped oscillations. "
           "T=8; 2000 steps: sustained oscillations";
}

void TestSetup::modelAnswers()
{
    QFETCH(QString, activity);
    QFETCH(int, step);
    QFETCH(QString, answer);
    const auto key = teachersKey(',');
    const auto& all = activities();
    const auto at
        = std::find_if(all.begin(), all.end(), [&](const Activity& a) { return a.id == activity.toStdString(); });
    QVERIFY(at != all.end());
    QCOMPARE(QString::fromStdString(key.at(std::size_t(at - all.begin())).lines.at(std::size_t(step)).answer), answer);
}

void TestSetup::answerChecks_data()
{
    QTest::addColumn<QString>("activity");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("words"); // in the words
    using V = AnswerCheck::Verdict;
    QTest::addRow("within two per cent") << "limit" << 0 << "0,29" << int(V::Right)
                                         << "Your r_c = 0,29 is within 2 % of 0,2846.";
    QTest::addRow("the point in a comma language") << "limit" << 0 << " 0.28 " << int(V::Right) << "within 2 %";
    QTest::addRow("just beyond two per cent") << "limit" << 0 << "0,2904" << int(V::TooHigh) << "more than 2 % above";
    QTest::addRow("far below") << "limit" << 0 << "0,1" << int(V::TooLow) << "below the model's value";
    QTest::addRow("no number") << "limit" << 0 << "0,29 or so" << int(V::NotANumber) << "such as 0,29";
    QTest::addRow("nothing") << "limit" << 0 << "" << int(V::NotANumber) << "as a number";
    QTest::addRow("markup") << "limit" << 0 << "<b>1</b>" << int(V::NotANumber) << "as a number";
    QTest::addRow("the step exactly") << "extinction" << 1 << "26" << int(V::Right) << "is right";
    QTest::addRow("a step late") << "extinction" << 1 << "27" << int(V::TooHigh) << "too high";
    QTest::addRow("half a step early") << "extinction" << 1 << "25,5" << int(V::TooLow) << "too low";
    QTest::addRow("words are not checked") << "lag" << 0 << "0" << int(V::NotChecked) << "teacher's key";
}

void TestSetup::answerChecks()
{
    QFETCH(QString, activity);
    QFETCH(int, step);
    QFETCH(QString, typed);
    QFETCH(int, verdict);
    QFETCH(QString, words);
    const Activity* named = activityNamed(activity.toStdString());
    QVERIFY(named);
    const AnswerCheck check = checkAnswer(named->steps.at(std::size_t(step)), typed.toStdString(), ',');
    QVERIFY2(QString::fromStdString(check.words).contains(words), check.words.c_str());
    QCOMPARE(int(check.verdict), verdict);
}

// A step in the reader's language: its texts translated first and filled with the step's values after,
// the check's sentence whole in that language, and English again once English is chosen again.
void TestSetup::stepInEachLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");   // of the activity "limit"
    QTest::addColumn<QString>("heading"); // of its second step
    QTest::addColumn<QString>("look");    // of its second step, filled with its r and T
    QTest::addColumn<QString>("check");   // 0,29 typed at its first step
    QTest::addColumn<QString>("label");   // beside the answer's box at its first step
    QTest::addRow("Spanish")
        << "es"
        << "El límite de estabilidad de un retardo"
        << "Paso 2 de 3"
        << "Dos simulaciones con T = 5 a ambos lados de r_c: la r de la simulación conservada queda "
           "justo por debajo, la r = 0,29 de esta simulación justo por encima."
        << "Su r_c = 0,29 difiere como máximo un 2 % de 0,2846."
        << "Su r_c:";
    QTest::addRow("German") << "de"
                            << "Die Stabilitätsgrenze einer Zeitverzögerung"
                            << "Schritt 2 von 3"
                            << "Zwei Läufe mit T = 5 zu beiden Seiten von r_c: Das r des behaltenen Laufs liegt knapp "
                               "darunter, das r = 0,29 dieses Laufs knapp darüber."
                            << "Ihr r_c = 0,29 weicht höchstens 2 % von 0,2846 ab."
                            << "Ihr r_c:";
    QTest::addRow("English again") << "en"
                                   << "The stability limit of a lag"
                                   << "Step 2 of 3"
                                   << "Two runs of T = 5 on either side of r_c: the kept run's r lies just below it, "
                                      "this run's r = 0,29 just above it."
                                   << "Your r_c = 0,29 is within 2 % of 0,2846."
                                   << "Your r_c:";
}

void TestSetup::stepInEachLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QFETCH(QString, look);
    QFETCH(QString, check);
    QFETCH(QString, label);
    const Speaking speaking(language.toStdString());
    const Activity* limit = activityNamed("limit");
    QVERIFY(limit);
    const StepWords second = stepWords(*limit, 1, ',');
    QCOMPARE(QString::fromStdString(limit->title), title);
    QCOMPARE(QString::fromStdString(second.heading), heading);
    QCOMPARE(QString::fromStdString(second.look), look);
    QCOMPARE(QString::fromStdString(checkAnswer(limit->steps.at(0), "0,29", ',').words), check);
    QCOMPARE(QString::fromStdString(stepWords(*limit, 0, ',').answerLabel), label);
}

TARNIS_MODEL_TEST_MAIN(TestSetup)
#include "test_setup.moc"
