// The main window driven as a user drives it: its first look, Run, the parameter boxes, the presets,
// the refusals of Run, and the clock.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "charts/chart_series.h"
#include "tests/support/app_fixture.h"
#include "tests/support/exact.h"
#include "tests/support/files.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/localized.h"

#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>

using namespace tarnis;
using namespace tarnis::test;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstSight();
    void runFromDefaults();
    void enterThenEnterRuns();
    void repeatedEntersRunAndNeverPrint();
    void presets_data();
    void presets();
    void runButtonAfterEvents_data();
    void runButtonAfterEvents();
    void boxResetsRaiseChange();
    void unconfirmedTextReachesRun();
    void refusals_data();
    void refusals();
    void leavingTheDoubleRangeIsReported_data();
    void leavingTheDoubleRangeIsReported();
    void clockClickAfterRun();
    void closingEndsTheProcess();
    void commaLocale();
    void inOtherLanguages_data();
    void inOtherLanguages();
    void setupFromTheCommandLine_data();
    void setupFromTheCommandLine();

private:
    QLineEdit* box(const char* name) { return child<QLineEdit>(m_main, name); }
    QPushButton* button(const char* name) { return child<QPushButton>(m_main, name); }
    QString text(const char* name) { return child<QLabel>(m_main, name)->text(); }
    void runDefaults();

    std::unique_ptr<AppFixture> m_fixture;
    QWidget* m_main = nullptr;
};

void TestMainWindow::init()
{
    m_fixture = startTarnis();
    m_main = m_fixture->mainWindow();
}

void TestMainWindow::cleanup()
{
    m_fixture.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setLanguage("en");
}

void TestMainWindow::runDefaults() { QVERIFY(clickButton(m_main, "Command2")); }

void TestMainWindow::firstSight()
{
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tarnis"));
    QCOMPARE(box("Text4")->text(), QStringLiteral("????"));
    QCOMPARE(text("Label4"), QStringLiteral("Final population size"));
    QCOMPARE(text("Label17"), QStringLiteral("Tarnis"));
    QVERIFY(text("Label7").contains(QStringLiteral("2026")));
    QVERIFY(text("Label19").startsWith(QStringLiteral("Press Enter or click on Run to run. If you want to change")));
    // This build sets no contact address, so the greeting asks for no mail to nowhere.
    QVERIFY(text("Label19").endsWith(QStringLiteral("Then press Enter to confirm the change.")));
    QCOMPARE(text("Label9").count(QLatin1Char('\n')), 6);
    QVERIFY(!text("Label6").isEmpty());
    QVERIFY(!child<ChartControl>(m_main, "MSChart1")->isVisible());
    QVERIFY(child<QLabel>(m_main, "Label18")->isVisible());
    QVERIFY(child<QLabel>(m_main, "Label19")->isVisible());
    QVERIFY(!button("Command11")->isEnabled());
    QVERIFY(button("Command2")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), button("Command2"));
    QCOMPARE(m_fixture->state().store.LastStep, 200);
    const QStringList defaults{"rrate", "0.2", "n0", "1", "Kvalue", "500", "tlag", "5", "simut", "200"};
    for (qsizetype i = 0; i < defaults.size(); i += 2)
        QCOMPARE(box(qPrintable(defaults[i]))->text(), defaults[i + 1]);
    for (QWidget* widget : m_main->findChildren<QWidget*>()) {
        if (widget->objectName() == QLatin1String("MSChart1") || widget->parentWidget() != widget->window())
            continue;
        QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
    }
    QCOMPARE(m_main->size(), QSize(707, 518));
    QWidget* backdrop = topLevel(QStringLiteral("tarnis4"));
    QVERIFY(backdrop && backdrop->isVisible() && !backdrop->isEnabled());
    QCOMPARE(backdrop->geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(button("Command2")->geometry(), QRect(8, 264, 57, 25));
}

void TestMainWindow::runFromDefaults()
{
    runDefaults();
    QCOMPARE(box("Text4")->text(), QStringLiteral("499.936872437631"));
    QCOMPARE(text("Label4"), QStringLiteral("Population size at t = 200"));
    QVERIFY(child<ChartControl>(m_main, "MSChart1")->isVisible());
    QVERIFY(!child<QLabel>(m_main, "Label18")->isVisible());
    QVERIFY(!child<QLabel>(m_main, "Label19")->isVisible());
    QVERIFY(!button("Command2")->isEnabled());
    QVERIFY(button("Command11")->isEnabled());
    QVERIFY(m_fixture->fakes().messages.messages.isEmpty());
}

void TestMainWindow::enterThenEnterRuns()
{
    typeInto(box("tlag"), QStringLiteral("8"));
    QVERIFY(!button("Command2")->isEnabled());
    pressEnter(box("tlag"));
    QVERIFY(button("Command2")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), button("Command2"));
    pressEnter(QApplication::focusWidget());
    QCOMPARE(text("Label4"), QStringLiteral("Population size at t = 200"));
    QCOMPARE(m_fixture->state().store.LastStep, 200);
    QVERIFY(box("Text4")->text() != QStringLiteral("499.936872437631")); // the lag of 8 was used
}

void TestMainWindow::repeatedEntersRunAndNeverPrint()
{
    // Run, then Enter confirms the first box and hands the focus back to Run, and so on: the focus
    // never reaches "P", "S" or "Quit".
    for (int enter = 1; enter <= 5; ++enter) {
        pressEnter(QApplication::focusWidget());
        const bool ran = enter % 2 == 1;
        QCOMPARE(button("Command2")->isEnabled(), !ran);
        QCOMPARE(QApplication::focusWidget(), ran ? static_cast<QWidget*>(box("rrate")) : button("Command2"));
        QCOMPARE(box("Text4")->text(), QStringLiteral("499.936872437631"));
    }
    QVERIFY(m_fixture->fakes().printer.titles.isEmpty());
    QCOMPARE(m_fixture->fakes().fileNames.calls, 0);
    QVERIFY(m_fixture->fakes().messages.messages.isEmpty());
    QVERIFY(m_main->isVisible());
}

void TestMainWindow::presets_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("lag");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("result");
    QTest::addRow("Data 1") << "Command15"
                            << "8"
                            << "2000"
                            << "610.679720224548";
    QTest::addRow("Data 2") << "Command16"
                            << "5"
                            << "200"
                            << "499.936872437631";
    QTest::addRow("Data 3") << "Command17"
                            << "3"
                            << "200"
                            << "500.000000000038";
}

void TestMainWindow::presets()
{
    QFETCH(QString, button);
    QFETCH(QString, lag);
    QFETCH(QString, steps);
    QFETCH(QString, result);
    runDefaults();
    box("rrate")->setText(QStringLiteral("0.7"));
    // Pressed without the mouse, which would move the focus itself.
    box("tlag")->setFocus();
    this->button(qPrintable(button))->click();
    QCOMPARE(box("rrate")->text(), QStringLiteral("0.2"));
    QCOMPARE(box("n0")->text(), QStringLiteral("1"));
    QCOMPARE(box("Kvalue")->text(), QStringLiteral("500"));
    QCOMPARE(box("tlag")->text(), lag);
    QCOMPARE(box("simut")->text(), steps);
    QCOMPARE(box("Text4")->text(), QString());
    QVERIFY(!child<ChartControl>(m_main, "MSChart1")->isVisible());
    QVERIFY(this->button("Command2")->isEnabled());
    QCOMPARE(m_fixture->state().store.LastStep, 200);   // nothing ran
    QCOMPARE(QApplication::focusWidget(), box("tlag")); // a preset moves no focus, to Run or elsewhere
    runDefaults();
    QCOMPARE(box("Text4")->text(), result);
}

void TestMainWindow::runButtonAfterEvents_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("action"); // "edit", "enter", or "refused": a text the box replaces on Enter
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("runEnabled");
    QTest::addColumn<bool>("runFocused");
    for (const char* name : {"n0", "rrate", "tlag", "simut"}) {
        QTest::addRow("edit %s", name) << name << "edit"
                                       << "7" << false << false;
        QTest::addRow("enter %s", name) << name << "enter" << QString() << true << true;
    }
    QTest::addRow("edit Kvalue") << "Kvalue"
                                 << "edit"
                                 << "7" << false << false;
    QTest::addRow("enter Kvalue") << "Kvalue"
                                  << "enter" << QString() << false << false;
    QTest::addRow("refused rrate") << "rrate"
                                   << "refused"
                                   << "abc" << true << true;
    QTest::addRow("refused Kvalue") << "Kvalue"
                                    << "refused"
                                    << "0" << false << false;
}

void TestMainWindow::runButtonAfterEvents()
{
    QFETCH(QString, boxName);
    QFETCH(QString, action);
    QFETCH(QString, typed);
    QFETCH(bool, runEnabled);
    QFETCH(bool, runFocused);
    runDefaults(); // Run is now disabled
    QLineEdit* edit = box(qPrintable(boxName));
    const QString before = edit->text();
    if (!typed.isNull())
        typeInto(edit, typed);
    if (action != QLatin1String("edit")) {
        edit->setFocus();
        pressEnter(edit);
    }
    if (action == QLatin1String("refused"))
        QCOMPARE(edit->text(), before); // the default again
    QCOMPARE(button("Command2")->isEnabled(), runEnabled);
    QCOMPARE(QApplication::focusWidget(), runFocused ? static_cast<QWidget*>(button("Command2")) : edit);
    // Any change of a text empties the result and hides the chart; Enter on an unchanged box keeps them.
    const bool changed = !typed.isNull();
    QCOMPARE(box("Text4")->text(), changed ? QString() : QStringLiteral("499.936872437631"));
    QCOMPARE(child<ChartControl>(m_main, "MSChart1")->isVisible(), !changed);
    QVERIFY(!child<QLabel>(m_main, "Label19")->isVisible());
}

void TestMainWindow::boxResetsRaiseChange()
{
    // Before any run Run is enabled; a K edit leaves it so, a refused lag resets and re-enables it.
    // Each replacement says why in a balloon at the box, which is also the box's description for a
    // screen reader until the next edit; an accepted text takes the balloon away.
    const auto balloon = [this] { return m_main->findChild<QLabel*>(QStringLiteral("entryNote")); };
    const auto says = [&](const char* name, const QString& note) {
        QVERIFY(balloon() && balloon()->isVisible());
        QCOMPARE(balloon()->text(), note);
        QCOMPARE(balloon()->accessibleName(), note);
        QCOMPARE(box(name)->accessibleDescription(), note);
        QVERIFY(balloon()->geometry().top() >= box(name)->mapToGlobal(QPoint(0, box(name)->height())).y());
    };
    typeInto(box("Kvalue"), QStringLiteral("abc"));
    QVERIFY(button("Command2")->isEnabled());
    pressEnter(box("Kvalue"));
    QCOMPARE(box("Kvalue")->text(), QStringLiteral("500"));
    QCOMPARE(QApplication::focusWidget(), box("Kvalue"));
    says("Kvalue",
         "The carrying capacity (K) must be a number greater than 0, so the box went back to its default, 500.");
    typeInto(box("tlag"), QStringLiteral("-3"));
    pressEnter(box("tlag"));
    QCOMPARE(box("tlag")->text(), QStringLiteral("5"));
    QVERIFY(button("Command2")->isEnabled());
    says("tlag", "The time lag must be a number of 0 or more, so the box went back to its default, 5.");
    QVERIFY(box("Kvalue")->accessibleDescription().isEmpty());
    typeInto(box("simut"), QStringLiteral("2500"));
    pressEnter(box("simut"));
    QCOMPARE(box("simut")->text(), QStringLiteral("2000"));
    says("simut", "The number of time steps can be at most 2000, so the box shows 2000.");
    typeInto(box("simut"), QStringLiteral("12abc"));
    QVERIFY(!balloon()->isVisible()); // the next edit of the box
    pressEnter(box("simut"));
    QCOMPARE(box("simut")->text(), QStringLiteral("12abc"));
    QVERIFY(!balloon()->isVisible());
    pressEnter(QApplication::focusWidget());
    QCOMPARE(text("Label4"), QStringLiteral("Population size at t = 12"));
}

void TestMainWindow::unconfirmedTextReachesRun()
{
    typeInto(box("simut"), QStringLiteral("3000"));
    box("n0")->setFocus();
    pressEnter(box("n0"));
    pressEnter(QApplication::focusWidget());
    QCOMPARE(m_fixture->state().store.LastStep, 3000);
    QCOMPARE(text("Label4"), QStringLiteral("Population size at t = 3000"));
}

void TestMainWindow::refusals_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // words the message must hold
    QTest::addRow("too many steps") << "simut"
                                    << "10000"
                                    << "0 to 9999";
    QTest::addRow("int16 edge steps") << "simut"
                                      << "32767"
                                      << "0 to 9999";
    QTest::addRow("negative steps") << "simut"
                                    << "-5"
                                    << "0 to 9999";
    QTest::addRow("N(0) not a number") << "n0"
                                       << "one"
                                       << "N(0)";
    QTest::addRow("N(0) zero") << "n0"
                               << "0"
                               << "other than 0";
    QTest::addRow("lag not a number") << "tlag"
                                      << "x"
                                      << "time lag";
    QTest::addRow("negative lag") << "tlag"
                                  << "-1"
                                  << "0 or more";
    QTest::addRow("K zero") << "Kvalue"
                            << "0"
                            << "(K)";
    QTest::addRow("K beyond doubles") << "Kvalue"
                                      << "1e999"
                                      << "(K)";
    QTest::addRow("r beyond doubles") << "rrate"
                                      << "9e999"
                                      << "(r)";
}

void TestMainWindow::refusals()
{
    QFETCH(QString, boxName);
    QFETCH(QString, text);
    QFETCH(QString, named);
    runDefaults();
    const ResultStore before = m_fixture->state().store;
    // An unconfirmed text reaches Run when another box is confirmed.
    box(qPrintable(boxName))->setText(text);
    QLineEdit* other = box(boxName == QLatin1String("rrate") ? "n0" : "rrate");
    other->setFocus();
    pressEnter(other);
    QVERIFY(clickButton(m_main, "Command2"));
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(named), qPrintable(messages.first()));
    QVERIFY(button("Command2")->isEnabled());
    QCOMPARE(box("Text4")->text(), QString());
    QVERIFY(!child<ChartControl>(m_main, "MSChart1")->isVisible());
    const ResultStore& after = m_fixture->state().store;
    QVERIFY(std::equal(before.PopN.begin(), before.PopN.end(), after.PopN.begin()));
    QVERIFY(std::equal(before.PopDN.begin(), before.PopDN.end(), after.PopDN.begin()));
    QCOMPARE(after.LastStep, before.LastStep);
    QCOMPARE(after.ParamR, before.ParamR);
}

void TestMainWindow::leavingTheDoubleRangeIsReported_data()
{
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("n0");
    QTest::addColumn<QString>("K");
    QTest::addColumn<QString>("way"); // words the message must hold
    // With K far above N the brake never bites, and N grows beyond every number.
    QTest::addRow("upwards") << "1e300"
                             << "1"
                             << "1e308"
                             << "the population grew beyond the largest number";
    // Far above K the brake overshoots: within two steps N plunges to minus infinity.
    QTest::addRow("downwards") << "1e300"
                               << "1"
                               << "500"
                               << "the population fell below the most negative number";
    QTest::addRow("downwards at once") << "1e308"
                                       << "2"
                                       << "1"
                                       << "the population fell below the most negative number";
}

void TestMainWindow::leavingTheDoubleRangeIsReported()
{
    QFETCH(QString, r);
    QFETCH(QString, n0);
    QFETCH(QString, K);
    QFETCH(QString, way);
    box("n0")->setText(n0);
    box("Kvalue")->setText(K);
    typeInto(box("rrate"), r);
    pressEnter(box("rrate"));
    pressEnter(QApplication::focusWidget());
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QCOMPARE(messages.size(), 1);
    const int last = m_fixture->state().store.LastStep;
    QVERIFY(last < 200);
    QVERIFY2(messages.first().contains(QStringLiteral("step %1").arg(last + 1)), qPrintable(messages.first()));
    QVERIFY2(messages.first().contains(way), qPrintable(messages.first()));
    QCOMPARE(text("Label4"), QStringLiteral("Population size at t = %1").arg(last));
    QVERIFY(!box("Text4")->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive));
}

void TestMainWindow::clockClickAfterRun()
{
    QCOMPARE(text("Label6"), QStringLiteral("12/8/2026 9:30:15 AM")); // the year whole, in the user's order
    runDefaults();
    QTest::mouseClick(child<QLabel>(m_main, "Label6"), Qt::LeftButton);
    QCOMPARE(box("Text4")->text(), QString());
    QVERIFY(!child<ChartControl>(m_main, "MSChart1")->isVisible());
    QVERIFY(!button("Command2")->isEnabled());
    QVERIFY(button("Command11")->isEnabled());
    QVERIFY(!child<QLabel>(m_main, "Label18")->isVisible());
    // The notice keeps the year it was composed with.
    m_fixture->fakes().clock.time = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1));
    QTRY_VERIFY(text("Label6").contains(QStringLiteral("12:00:01"))); // at the clock's next tick
    QVERIFY(text("Label7").contains(QStringLiteral("2026")));
}

void TestMainWindow::closingEndsTheProcess()
{
    m_main->close();
    QCOMPARE(m_fixture->fakes().processEnd.ends, 1);
}

void TestMainWindow::commaLocale()
{
    m_fixture.reset();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    m_fixture = startTarnis();
    m_main = m_fixture->mainWindow();
    QCOMPARE(box("rrate")->text(), QStringLiteral("0,2"));
    QVERIFY2(text("Label6").startsWith(QStringLiteral("08.12.2026 ")), qPrintable(text("Label6")));
    box("rrate")->setFocus();
    pressEnter(box("rrate"));
    QCOMPARE(box("rrate")->text(), QStringLiteral("0,2"));
    pressEnter(QApplication::focusWidget());
    QCOMPARE_EXACT(m_fixture->state().store.ParamR, 0.2);
    QCOMPARE(box("Text4")->text(), QStringLiteral("499,936872437631"));
    // The point keeps working for the leniently read boxes.
    typeInto(box("rrate"), QStringLiteral("0.2"));
    typeInto(box("Kvalue"), QStringLiteral("500.0"));
    box("simut")->setFocus();
    pressEnter(box("simut"));
    pressEnter(QApplication::focusWidget());
    QCOMPARE(box("Text4")->text(), QStringLiteral("499,936872437631"));
}

// The window in another language: its own words, the model's, and the numbers as that language writes them.
void TestMainWindow::inOtherLanguages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("printTip");
    QTest::addColumn<QString>("result");
    QTest::addRow("Spanish") << "es"
                             << "Tamaño final de la población"
                             << "Tamaño de la población en t = 200"
                             << "Imprimir esta página"
                             << "499,936872437631";
    QTest::addRow("German") << "de"
                            << "Populationsgröße am Ende"
                            << "Populationsgröße bei t = 200"
                            << "Diese Seite drucken"
                            << "499,936872437631";
}

void TestMainWindow::inOtherLanguages()
{
    QFETCH(QString, language);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, printTip);
    QFETCH(QString, result);
    m_fixture.reset();
    setLanguage(language.toStdString());
    QLocale::setDefault(QLocale(language));
    m_fixture = startTarnis();
    m_main = m_fixture->mainWindow();
    QCOMPARE(text("Label4"), before);
    QCOMPARE(button("Command10")->toolTip(), printTip);
    runDefaults();
    QCOMPARE(text("Label4"), after);
    QCOMPARE(box("Text4")->text(), result);
}

void TestMainWindow::setupFromTheCommandLine_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<QString>("says");    // the one message
    QTest::addColumn<QString>("rate");    // in the box once the main window shows; "0.2": the defaults, not run
    QTest::addColumn<QString>("step");    // the Activities window's step heading; empty: no such window
    QTest::addRow("a lesson") << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": "0.3", "T": "8",
        "chart": "NtKvsT", "kept": [{"r": "0.25"}], "colour": "red"})")
                              << "\"colour\" is not one Tarnis knows"
                              << "0.3"
                              << "";
    QTest::addRow("a lesson in an activity")
        << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": "0.3", "T": "8", "chart": "NtKvsT",
        "kept": [{"r": "0.25"}], "activity": "period", "step": "3", "colour": "red"})")
        << "\"colour\" is not one Tarnis knows"
        << "0.3"
        << "Step 3 of 4";
    QTest::addRow("no such file") << QByteArray() << "Cannot read file"
                                  << "0.2"
                                  << "";
    QTest::addRow("from a newer Tarnis") << QByteArray(R"({"tarnis": "set-up", "version": 2, "r": "0.3"})")
                                         << "saved by a newer Tarnis"
                                         << "0.2"
                                         << "";
}

// "tarnis lesson.tarnis": the program starts as usual, and once the main window is on show the set-up
// runs in it, its kept runs behind it; a file it cannot take is said, and Tarnis starts as ever.
void TestMainWindow::setupFromTheCommandLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, says);
    QFETCH(QString, rate);
    QFETCH(QString, step);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("lesson.tarnis"));
    if (!file.isEmpty())
        writeContent(fileName, file);
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->startAtMainWindow(fileName);
    m_main = m_fixture->mainWindow();
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QTRY_COMPARE(messages.size(), 1);
    QVERIFY2(messages.front().contains(says), qPrintable(messages.front()));
    QCOMPARE(box("rrate")->text(), rate);
    auto* chart = child<ChartControl>(m_main, "MSChart1");
    if (rate == QStringLiteral("0.2")) {
        QCOMPARE(m_fixture->state().store.LastStep, 200); // from the steps box: nothing ran
        QVERIFY(!chart->isVisible());
        return;
    }
    QCOMPARE(box("tlag")->text(), QStringLiteral("8"));
    QCOMPARE_EXACT(m_fixture->state().store.ParamR, 0.3);
    QCOMPARE(chart->chartTitle(), QStringLiteral("Curve of N(t) and K vs. time"));
    QCOMPARE(chart->series().keptRunCount(), 1);
    QCOMPARE(m_fixture->state().ChartCycleMain, 10);
    // The activity opens at the file's step over the file's own run (step 3's is r = 0.2).
    QWidget* activities = m_fixture->app().navigator().existing(WindowId::Activities);
    QCOMPARE(activities != nullptr, !step.isEmpty());
    if (activities)
        QCOMPARE(child<QLabel>(activities, "stepHeading")->text(), step);
}

TARNIS_GUI_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
