// The right-click menu of both charts: each picture format written through the file-name seam and
// read back, the chart's rows on the clipboard, and clicks that still step the cycle only when left;
// runs kept for comparison on both windows, forgotten, and carried into pictures and copied data; the
// fit to the data and the logarithmic N axis; the continuous-time twin beside the run, in the legend,
// the pictures and the copied data, and where it stops early; a run played step by step; set-ups saved and opened, and
// refused files that change nothing; the Activities window opened from either chart, a step's set-up
// applied, answers checked, and the activity carried by a saved set-up; the Chance window opened from
// either chart, its ensemble the model's for the same seed, computed anew for a new run, its refusals
// computing nothing, and its curves copied.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activities_window.h"
#include "app/main_window.h"
#include "chance/chance_window.h"
#include "charts/chart_control.h"
#include "charts/chart_menu.h"
#include "charts/chart_pictures.h"
#include "charts/chart_readout.h"
#include "charts/run_comparison.h"
#include "charts/run_legend.h"
#include "charts/series_curve.h"
#include "model/chance/ensemble_threads.h"
#include "model/lessons/activities.h"
#include "model/lessons/setup.h"
#include "model/words/chance_words.h"
#include "model/words/chart_words.h"
#include "model/words/continuous_words.h"
#include "tests/support/app_fixture.h"
#include "tests/support/exact.h"
#include "tests/support/files.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/pictures.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>
#include <qcustomplot.h>

#include <cstring>

using namespace tarnis;
using namespace tarnis::test;

namespace {

enum class Window { Main, Large };

// The menu of a run chart in a window that can show the dynamics; separators have no text.
const QStringList FullMenu{QStringLiteral("Save chart as PNG…"),
                           QStringLiteral("Save chart as SVG…"),
                           QStringLiteral("Save chart as PDF…"),
                           QStringLiteral("Copy data"),
                           QString(),
                           QStringLiteral("Dynamics…"),
                           QStringLiteral("Activities…"),
                           QStringLiteral("Chance…"),
                           QString(),
                           QStringLiteral("Play this run"),
                           QStringLiteral("Keep this run"),
                           QStringLiteral("Forget kept runs"),
                           QStringLiteral("Compare with continuous time"),
                           QString(),
                           QStringLiteral("Fit to data"),
                           QStringLiteral("Logarithmic N axis"),
                           QString(),
                           QStringLiteral("Save set-up…"),
                           QStringLiteral("Open set-up…")};

QStringList entryTexts(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text();
    return entries;
}

// The rows of a case tried on the chart of each window.
void bothWindows()
{
    QTest::addColumn<Window>("which");
    QTest::addRow("main window") << Window::Main;
    QTest::addRow("large graph window") << Window::Large;
}

// The first kept run's colour, orange.
const QColor FirstKeptColour(230, 159, 0);

// Every column of a chart's own run, or of one of its kept runs.
QList<QVector<double>> columnsOf(const ChartControl* chart, int keptRun = -1)
{
    QList<QVector<double>> columns;
    for (int series : {ChartSeries::FirstSeries, ChartSeries::SecondSeries}) {
        if (series == ChartSeries::SecondSeries && chart->series().seriesCount() < 2)
            break;
        if (keptRun < 0)
            columns << chart->series().xData(series) << chart->series().yData(series);
        else
            columns << chart->series().keptXData(keptRun, series) << chart->series().keptYData(keptRun, series);
    }
    return columns;
}

} // namespace

class TestChartMenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rightClickOpensTheMenuAndLeftClickSteps_data();
    void rightClickOpensTheMenuAndLeftClickSteps();
    void dynamicsEntryFromOutside();
    void dynamicsOpensBesideTheWindow_data();
    void dynamicsOpensBesideTheWindow();
    void picturesReadBack_data();
    void picturesReadBack();
    void cancelledOrFailedSave();
    void copyData_data();
    void copyData();
    void keptRunsSurviveARunAndEveryKind_data();
    void keptRunsSurviveARunAndEveryKind();
    void theFifthKeepDropsTheOldest();
    void forgetRestoresTodaysLook();
    void legendLeavesThePlotFree_data();
    void legendLeavesThePlotFree();
    void twoQuantitiesNamedWithKeptRuns();
    void fitToData();
    void logarithmicNAxis_data();
    void logarithmicNAxis();
    void continuousBesideTheRun_data();
    void continuousBesideTheRun();
    void continuousStopsEarly();
    void playEndsOnTheWholeRun_data();
    void playEndsOnTheWholeRun();
    void aClickEndsThePlay_data();
    void aClickEndsThePlay();
    void setupSavedAndOpened_data();
    void setupSavedAndOpened();
    void refusedSetupChangesNothing_data();
    void refusedSetupChangesNothing();
    void activitiesFromEitherChart_data();
    void activitiesFromEitherChart();
    void answersChecked_data();
    void answersChecked();
    void setupCarriesTheOpenActivity();
    void chanceFromEitherChart_data();
    void chanceFromEitherChart();
    void chanceFollowsANewRun();
    void chanceRefusals_data();
    void chanceRefusals();
    void chanceClosedWhileComputing();
    void chanceBandsFromTheFirstRuns();
    void chanceBandsBeyondTheDoubles();

private:
    QWidget* window(Window which);
    ChartControl* chart(Window which) { return child<ChartControl>(window(which), "MSChart1"); }
    std::int16_t& counter(Window which);
    QMenu* menuOf(ChartControl* chart) { return child<QMenu>(chart, "chartMenu"); }
    QAction* openMenuAt(ChartControl* chart, const QString& entry);
    void choose(ChartControl* chart, const QString& entry);
    void runWithRate(const QString& rate);
    MainWindow* mainWindow() { return static_cast<MainWindow*>(m_fixture->mainWindow()); }
    // A set-up worth saving on the window's chart: the defaults kept, r = 0.3 and lag 8 on show on the
    // second kind of the cycle, with the logarithmic N axis chosen.
    void makeSetup(Window which);
    // The Activities window, opened from the chart's menu at the activity of this id.
    QWidget* openActivity(Window which, const char* id);
    // The Chance window, opened from the chart's menu, once its first ensemble is done.
    ChanceWindow* openChance(Window which);

    std::unique_ptr<AppFixture> m_fixture;
    QTemporaryDir m_folder;
};

void TestChartMenu::init()
{
    m_fixture = startTarnis(AfterStart::RunDefaults);
    QGuiApplication::clipboard()->clear();
}

void TestChartMenu::cleanup() { m_fixture.reset(); }

QWidget* TestChartMenu::window(Window which)
{
    QWidget* main = m_fixture->mainWindow();
    if (which == Window::Main)
        return main;
    if (QWidget* large = m_fixture->app().navigator().existing(WindowId::LargeGraph); large && large->isVisible())
        return large;
    return m_fixture->openLargeGraph();
}

std::int16_t& TestChartMenu::counter(Window which)
{
    return which == Window::Main ? m_fixture->state().ChartCycleMain : m_fixture->state().ChartCycleLarge;
}

// Opens the menu with a right click, as a user does, and gives one of its entries; nullptr (and a
// failure) when there is none.
QAction* TestChartMenu::openMenuAt(ChartControl* chart, const QString& entry)
{
    clickAsUser(chart, Qt::RightButton);
    QMenu* menu = menuOf(chart);
    if (!menu || !menu->isVisible()) {
        QTest::qFail("the chart's menu did not open", __FILE__, __LINE__);
        return nullptr;
    }
    const QList<QAction*> actions = menu->actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == entry; });
    if (found == actions.end()) {
        QTest::qFail(qPrintable(QStringLiteral("the menu has no entry ") + entry), __FILE__, __LINE__);
        return nullptr;
    }
    return *found;
}

// Takes one of the menu's entries, which must be enabled.
void TestChartMenu::choose(ChartControl* chart, const QString& entry)
{
    QAction* action = openMenuAt(chart, entry);
    QVERIFY(action);
    QVERIFY2(action->isEnabled(), qPrintable(entry));
    action->trigger();
    menuOf(chart)->hide();
}

void TestChartMenu::runWithRate(const QString& rate)
{
    QWidget* main = m_fixture->mainWindow();
    QLineEdit* box = child<QLineEdit>(main, "rrate");
    typeInto(box, rate);
    pressEnter(box);
    QVERIFY(clickButton(main, "Command2"));
}

void TestChartMenu::rightClickOpensTheMenuAndLeftClickSteps_data() { bothWindows(); }

void TestChartMenu::rightClickOpensTheMenuAndLeftClickSteps()
{
    QFETCH(Window, which);
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const std::int16_t before = counter(which);
    const QString title = shown->chartTitle();

    clickAsUser(shown, Qt::RightButton);
    QMenu* menu = menuOf(shown);
    QVERIFY(menu && menu->isVisible());
    QCOMPARE(entryTexts(menu), FullMenu);
    QCOMPARE(counter(which), before);
    QCOMPARE(shown->chartTitle(), title);
    menu->hide();

    clickAsUser(shown, Qt::LeftButton);
    QCOMPARE(counter(which), before + 1);
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    QVERIFY(!menu->isVisible());
}

// A window that can show the dynamics gives the menu a way there; the entry sits between separators
// after "Copy data".
void TestChartMenu::dynamicsEntryFromOutside()
{
    ChartControl chart;
    RunComparison comparison(m_fixture->state().store);
    int opened = 0;
    int saved = 0;
    int setupsOpened = 0;
    auto* added = new ChartMenu(chart, m_fixture->fakes().services(),
                                {.comparison = &comparison,
                                 .openDynamics = [&opened] { ++opened; },
                                 .saveSetup = [&saved] { ++saved; },
                                 .openSetup = [&setupsOpened] { ++setupsOpened; }});
    QStringList withoutPlay = FullMenu;
    withoutPlay.removeOne(QStringLiteral("Play this run"));
    withoutPlay.removeOne(QStringLiteral("Activities…"));
    withoutPlay.removeOne(QStringLiteral("Chance…"));
    QCOMPARE(entryTexts(added->menu()), withoutPlay);
    added->menu()->actions()[5]->trigger();
    QCOMPARE(opened, 1);
    added->menu()->actions().constLast()->trigger();
    QCOMPARE(std::tuple(saved, setupsOpened), std::tuple(0, 1));
    added->menu()->actions()[added->menu()->actions().size() - 2]->trigger();
    QCOMPARE(std::tuple(saved, setupsOpened), std::tuple(1, 1));
}

void TestChartMenu::dynamicsOpensBesideTheWindow_data() { bothWindows(); }

// "Dynamics…" opens the window beside the one the user came from; its close box destroys it, and the
// next "Dynamics…" builds it again.
void TestChartMenu::dynamicsOpensBesideTheWindow()
{
    QFETCH(Window, which);
    Navigator& navigator = m_fixture->app().navigator();
    QPointer<QWidget> first; // the window of this opening, gone once closed
    for (int opening = 0; opening < 2; ++opening) {
        ChartControl* shown = chart(which);
        QVERIFY(shown);
        choose(shown, QStringLiteral("Dynamics…"));
        QWidget* dynamics = navigator.existing(WindowId::Dynamics);
        QVERIFY(dynamics && QTest::qWaitForWindowExposed(dynamics));
        QCOMPARE(dynamics->objectName(), QStringLiteral("Dynamics"));
        QCOMPARE(dynamics->windowTitle(), QStringLiteral("Dynamics"));
        QVERIFY(shown->window()->isVisible());
        first = dynamics;
        QVERIFY(dynamics->close());
        settle();
        QVERIFY(!first);
        QVERIFY(!navigator.existing(WindowId::Dynamics));
    }
}

void TestChartMenu::picturesReadBack_data()
{
    QTest::addColumn<Window>("which");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<bool>("kept");       // the defaults kept, then a run with r = 0.3 on show
    QTest::addColumn<bool>("continuous"); // compared with continuous time
    const QString suggested = QStringLiteral("Curve of N(t) vs. time");
    for (const auto& [which, name] : {std::pair{Window::Main, "main"}, std::pair{Window::Large, "large"}}) {
        QTest::addRow("%s PNG", name) << which << QStringLiteral("Save chart as PNG…") << suggested + ".png" << false
                                      << false;
        QTest::addRow("%s SVG", name) << which << QStringLiteral("Save chart as SVG…") << suggested + ".svg" << false
                                      << false;
        QTest::addRow("%s PDF", name) << which << QStringLiteral("Save chart as PDF…") << suggested + ".pdf" << false
                                      << false;
        QTest::addRow("%s SVG, continuous", name)
            << which << QStringLiteral("Save chart as SVG…") << suggested + ".svg" << false << true;
    }
    QTest::addRow("main PNG, kept run") << Window::Main << QStringLiteral("Save chart as PNG…") << suggested + ".png"
                                        << true << false;
    QTest::addRow("large SVG, kept run") << Window::Large << QStringLiteral("Save chart as SVG…") << suggested + ".svg"
                                         << true << false;
    QTest::addRow("main PDF, kept run") << Window::Main << QStringLiteral("Save chart as PDF…") << suggested + ".pdf"
                                        << true << false;
    QTest::addRow("large SVG, kept run and continuous")
        << Window::Large << QStringLiteral("Save chart as SVG…") << suggested + ".svg" << true << true;
}

void TestChartMenu::picturesReadBack()
{
    QFETCH(Window, which);
    QFETCH(QString, entry);
    QFETCH(QString, suggested);
    QFETCH(bool, kept);
    QFETCH(bool, continuous);
    if (kept) {
        choose(chart(Window::Main), QStringLiteral("Keep this run"));
        runWithRate(QStringLiteral("0.3"));
    }
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    if (continuous)
        choose(shown, QStringLiteral("Compare with continuous time"));
    // The pointer on the chart: its readout is no part of the picture.
    QTest::mouseMove(shown->window()->windowHandle(), shown->mapTo(shown->window(), shown->rect().center()));
    const QString fileName = m_folder.filePath(QStringLiteral("chart"));
    QFile::remove(fileName);
    m_fixture->fakes().fileNames.answers = {fileName};
    const QRect plotBefore = shown->axisRect()->rect();
    choose(shown, entry);
    // The line of the run's parameters is the picture's alone: the chart on screen keeps its room.
    QCOMPARE(shown->axisRect()->rect(), plotBefore);
    QCOMPARE(m_fixture->fakes().fileNames.suggestions, QStringList{suggested});
    QCOMPARE(m_fixture->fakes().messages.messages, QStringList());
    const QByteArray content = contentOf(fileName);

    if (suggested.endsWith(".png")) {
        const QImage picture = QImage::fromData(content, "PNG");
        QCOMPARE(picture.size(), shown->size() * 2);
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(hasColour(picture, FirstKeptColour), kept);
    } else if (suggested.endsWith(".svg")) {
        const QStringList elements = svgElements(content);
        QVERIFY2(!elements.isEmpty() && elements.first() == "svg", qPrintable(elements.value(0)));
        // Lines as vectors; the curve in its series' colour.
        QVERIFY(elements.count(QStringLiteral("path")) + elements.count(QStringLiteral("polyline")) > 0);
        QVERIFY(content.contains(R"(stroke="#0000c0")"));
        // The texts stay texts, so the drawing can be edited and searched.
        QVERIFY(elements.contains(QStringLiteral("text")));
        QVERIFY(content.contains("Curve of N(t) vs. time"));
        // Under the title, the parameters of the run on show, so that a pasted picture says what it shows.
        QVERIFY(content.contains(kept ? "r = 0.3, N(0) = 1, K = 500, T = 5" : "r = 0.2, N(0) = 1, K = 500, T = 5"));
        // The kept run in its colour, and the legend that names both runs by what tells them apart.
        QCOMPARE(content.contains(R"(stroke="#e69f00")"), kept);
        QCOMPARE(content.contains("This run: r=0.3"), kept);
        // The continuous trajectory in black dashes, named in the legend beside the run on show.
        QCOMPARE(content.contains("Continuous time (Hutchinson)"), continuous);
        QCOMPARE(content.contains("stroke-dasharray"), continuous);
        QCOMPARE(content.contains(">This run<"), continuous && !kept);
        QVERIFY(!content.contains("K=500"));
        QVERIFY(!content.contains("dN(t)/N(t) ="));
    } else {
        if (const QString missing = pdfToolsMissing(); !missing.isEmpty())
            QFAIL(qPrintable(missing));
        QCOMPARE(pdfPageCount(fileName), 1);
        // At the screen's resolution the page is the chart, pixel for pixel.
        const QImage page = pdfFirstPage(fileName, 96);
        QVERIFY(qAbs(page.width() - shown->width()) <= 1 && qAbs(page.height() - shown->height()) <= 1);
        QVERIFY(!inkBounds(page).isEmpty());
        QCOMPARE(hasColour(pdfFirstPage(fileName, 384), FirstKeptColour), kept);
    }
}

void TestChartMenu::cancelledOrFailedSave()
{
    ChartControl* shown = chart(Window::Main);
    QVERIFY(shown);
    auto& fakes = m_fixture->fakes();
    // No name chosen: nothing is written and nothing said.
    choose(shown, QStringLiteral("Save chart as SVG…"));
    QCOMPARE(fakes.fileNames.calls, 1);
    QCOMPARE(fakes.messages.messages, QStringList());
    // A folder that is not there: one message names the file.
    const QString unreachable = m_folder.filePath(QStringLiteral("missing/chart.png"));
    fakes.fileNames.answers = {unreachable};
    choose(shown, QStringLiteral("Save chart as PNG…"));
    QCOMPARE(fakes.messages.messages.size(), 1);
    QVERIFY(fakes.messages.messages[0].startsWith(QStringLiteral("Cannot write file ") + unreachable));
    QVERIFY(!QFile::exists(unreachable));
    // A title with a slash is suggested as one file name, not a folder and a file.
    fakes.fileNames.suggestions.clear();
    QTest::mouseClick(shown, Qt::LeftButton);
    choose(shown, QStringLiteral("Save chart as PDF…"));
    QCOMPARE(fakes.fileNames.suggestions, QStringList{QStringLiteral("Curve of dN-dt vs. time.pdf")});
}

void TestChartMenu::copyData_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("clicksFromN"); // left clicks after the run, which shows N(t)
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("firstLines");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("rateAfterKeeping"); // the run on show keeps, then this rate runs
    QTest::addRow("default run, N(t)") << QString() << 0 << QLocale::English
                                       << "Time\tN(t)\n0\t1\n1\t1.1996\n2\t1.438944383936\n3\t1.7259050363471757\n"
                                       << 201 << QString();
    QTest::addRow("two series") << QString() << 4 << QLocale::English
                                << "Time\tN\tTime\tdN\n0\t1\t0\t0.1996\n1\t1.1996\t1\t0.23934438393600002\n"
                                << 201 << QString();
    QTest::addRow("comma locale") << QString() << 0 << QLocale::German << "Time\tN(t)\n0\t1\n1\t1,1996\n"
                                  << 201 << QString();
    // ln 0 has no value: the cell stays empty.
    QTest::addRow("extinction, lnN") << "1" << 5 << QLocale::English << "Time\tlnN\n0\t0\n" << 18 << QString();
    // Each column names its run; the kept run's columns follow those of the run on show.
    const QString kept = QStringLiteral(" (r=0.2, N(0)=1, K=500, T=5, 200 steps)");
    const QString own = QStringLiteral(" (This run: r=0.5, N(0)=1, K=500, T=5, 200 steps)");
    QTest::addRow("a kept run") << QString() << 0 << QLocale::English
                                << "Time" + own + "\tN(t)" + own + "\tTime" + kept + "\tN(t)" + kept
            + "\n0\t1\t0\t1\n1\t1.499\t1\t1.1996\n"
                                << 201 << QStringLiteral("0.5");
}

void TestChartMenu::copyData()
{
    QFETCH(QString, rate);
    QFETCH(int, clicksFromN);
    QFETCH(QLocale::Language, language);
    QFETCH(QString, firstLines);
    QFETCH(int, rows);
    QFETCH(QString, rateAfterKeeping);
    if (!rate.isEmpty())
        runWithRate(rate);
    if (!rateAfterKeeping.isEmpty()) {
        choose(chart(Window::Main), QStringLiteral("Keep this run"));
        runWithRate(rateAfterKeeping);
    }
    ChartControl* shown = chart(Window::Main);
    QVERIFY(shown);
    for (int click = 0; click < clicksFromN; ++click)
        QTest::mouseClick(shown, Qt::LeftButton);
    const QLocale saved;
    QLocale::setDefault(QLocale(language));
    choose(shown, QStringLiteral("Copy data"));
    QLocale::setDefault(saved);

    const QString text = QGuiApplication::clipboard()->text();
    QVERIFY2(text.startsWith(firstLines), qPrintable(text.left(200)));
    QVERIFY(text.endsWith(QLatin1Char('\n')));
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + rows);
    const int columns = lines[0].count(QLatin1Char('\t')) + 1;
    for (const QString& line : lines)
        QCOMPARE(line.count(QLatin1Char('\t')) + 1, columns);
    if (!rate.isEmpty())
        QCOMPARE(lines.last(), QStringLiteral("17\t"));
}

void TestChartMenu::keptRunsSurviveARunAndEveryKind_data() { bothWindows(); }

void TestChartMenu::keptRunsSurviveARunAndEveryKind()
{
    QFETCH(Window, which);
    // What each kind of the cycle shows of the default run; eleven clicks come back to N vs. t.
    ChartControl* main = chart(Window::Main);
    QList<QList<QVector<double>>> defaults;
    for (int click = 0; click < 11; ++click) {
        defaults << columnsOf(main);
        QTest::mouseClick(main, Qt::LeftButton);
    }
    choose(main, QStringLiteral("Keep this run"));
    runWithRate(QStringLiteral("0.3"));

    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const QString label = QStringLiteral("r=0.2, N(0)=1, K=500, T=5, 200 steps");
    for (int click = 0; click < 11; ++click) {
        QCOMPARE(shown->series().keptRunCount(), 1);
        QCOMPARE(shown->series().keptRunLabel(0), label);
        QCOMPARE(columnsOf(shown, 0), defaults[click]);
        QVERIFY(columnsOf(shown) != defaults[click]);
        // The run on show is drawn over the kept one, and the legend names both.
        QVERIFY(shown->layer(QStringLiteral("kept"))->index() < shown->layer(QStringLiteral("main"))->index());
        QVERIFY(shown->legend->visible());
        QCOMPARE(shown->runLegend().lines().size(), std::size_t(2));
        QTest::mouseClick(shown, Qt::LeftButton);
    }
    // The readout names the run of the point under the pointer.
    const int t = 40;
    const QPoint at = QPointF(shown->xAxis->coordToPixel(t),
                              shown->yAxis->coordToPixel(shown->series().keptYData(0, ChartSeries::FirstSeries)[t]))
                          .toPoint();
    QTest::mouseMove(shown->window()->windowHandle(), shown->mapTo(shown->window(), at));
    QCOMPARE(shown->readout().lines().mid(0, 2), QStringList({label, QStringLiteral("t = 40")}));
    // "S" saves the run on show alone.
    QCOMPARE(m_fixture->state().store.ParamR, 0.3);
}

void TestChartMenu::theFifthKeepDropsTheOldest()
{
    ChartControl* shown = chart(Window::Main);
    QList<QColor> colours;
    for (const QString rate : {"0.2", "0.3", "0.4", "0.5", "0.6"}) {
        if (rate != QLatin1String("0.2"))
            runWithRate(rate);
        choose(shown, QStringLiteral("Keep this run"));
        // The same run cannot be kept twice, and the entry says why.
        QAction* keep = openMenuAt(shown, QStringLiteral("This run is kept"));
        QVERIFY(keep && !keep->isEnabled());
        menuOf(shown)->hide();
        colours << shown->series().keptRunColour(shown->series().keptRunCount() - 1);
    }
    QCOMPARE(shown->series().keptRunCount(), 4);
    QStringList labels;
    for (int run = 0; run < shown->series().keptRunCount(); ++run)
        labels << shown->series().keptRunLabel(run).section(QLatin1Char(','), 0, 0);
    QCOMPARE(labels, QStringList({"r=0.3", "r=0.4", "r=0.5", "r=0.6"}));
    // Four colours apart; the newest took the colour the oldest left, the others kept theirs.
    QCOMPARE(QSet<QRgb>({colours[0].rgb(), colours[1].rgb(), colours[2].rgb(), colours[3].rgb()}).size(), 4);
    QCOMPARE(colours[4], colours[0]);
    for (int run = 0; run < 4; ++run)
        QCOMPARE(shown->series().keptRunColour(run), colours[run + 1]);
}

void TestChartMenu::forgetRestoresTodaysLook()
{
    ChartControl* shown = chart(Window::Main);
    const QImage today = shown->toPixmap().toImage();
    QAction* forget = openMenuAt(shown, QStringLiteral("Forget kept runs"));
    QVERIFY(forget && !forget->isEnabled());
    menuOf(shown)->hide();

    choose(shown, QStringLiteral("Keep this run"));
    runWithRate(QStringLiteral("0.3"));
    choose(shown, QStringLiteral("Keep this run"));
    runWithRate(QStringLiteral("0.2")); // the defaults again, with two kept runs
    QCOMPARE(shown->series().keptRunCount(), 2);
    QVERIFY(shown->toPixmap().toImage() != today);
    choose(shown, QStringLiteral("Forget kept runs"));

    QCOMPARE(shown->series().keptRunCount(), 0);
    QCOMPARE(shown->plottableCount(), 1);
    QVERIFY(!shown->legend->visible());
    QCOMPARE(shown->toPixmap().toImage(), today);
    // The large window, which was not open when they went, shows none either.
    QCOMPARE(chart(Window::Large)->series().keptRunCount(), 0);
}

void TestChartMenu::legendLeavesThePlotFree_data() { bothWindows(); }

// Four kept runs at lag 8 beside the run on show: the legend stands outside the plot, one line a run
// naming what tells it apart, the full name in its tool tip; no pixel of it lies on the plot, on
// screen or in a PNG, and the window keeps its size.
void TestChartMenu::legendLeavesThePlotFree()
{
    QFETCH(Window, which);
    QWidget* main = m_fixture->mainWindow();
    const QSize chartSize = chart(which)->size();
    QLineEdit* lag = child<QLineEdit>(main, "tlag");
    typeInto(lag, QStringLiteral("8"));
    pressEnter(lag);
    for (const QString rate : {"0.2", "0.15", "0.1", "0.05"}) {
        runWithRate(rate);
        choose(chart(Window::Main), QStringLiteral("Keep this run"));
    }
    runWithRate(QStringLiteral("0.25"));
    if (which == Window::Large)
        window(which)->hide(); // shown again, it draws the last run
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    QCOMPARE(shown->size(), chartSize); // the plot gives the legend its room

    const QCPLegend* legend = shown->legend;
    QVERIFY(legend->visible());
    QStringList lines, tips;
    for (const RunLegendItem* line : shown->runLegend().lines()) {
        lines << line->text();
        tips << line->toolTip();
    }
    QCOMPARE(lines, QStringList({"This run: r=0.25", "r=0.2", "r=0.15", "r=0.1", "r=0.05"}));
    QCOMPARE(tips.value(2), QStringLiteral("r=0.15, N(0)=1, K=500, T=8, 200 steps"));
    const QRect plot = shown->axisRect()->rect();
    QVERIFY(!legend->outerRect().intersects(plot));
    QVERIFY(shown->rect().contains(legend->outerRect()));
    // Its frame too, whose right and bottom lines are drawn a pixel past its rectangle.
    QVERIFY(shown->rect().contains(legend->outerRect().adjusted(0, 0, 1, 1)));

    // The legend's pixels, which change when its layer is left out: how many lie off and on the plot.
    const auto legendPixels = [&](auto draw, int scale) {
        const QImage with = draw();
        shown->layer(QStringLiteral("legend"))->setVisible(false);
        const QImage without = draw();
        shown->layer(QStringLiteral("legend"))->setVisible(true);
        const QRect area(plot.topLeft() * scale, plot.size() * scale);
        std::pair<int, int> offAndOn{0, 0};
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y))
                    ++(area.contains(x, y) ? offAndOn.second : offAndOn.first);
        return offAndOn;
    };
    const auto onScreen = legendPixels(
        [&] {
            shown->replot();
            return shown->grab().toImage();
        },
        1);
    const auto inPng
        = legendPixels([&] { return QImage::fromData(chartPicture(*shown, ChartPictureFormat::Png), "PNG"); }, 2);
    for (const auto& [off, on] : {onScreen, inPng}) {
        QVERIFY(off > 0);
        QCOMPARE(on, 0);
    }

    // Resting on a line, the pointer reads the run's full name.
    const QPoint onLine = shown->runLegend().lines().at(1)->outerRect().center();
    QHelpEvent help(QEvent::ToolTip, onLine, shown->mapToGlobal(onLine));
    QApplication::sendEvent(shown, &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("r=0.2, N(0)=1, K=500, T=8, 200 steps"));
    QToolTip::hideText();
}

// "N and dN vs. time" names which line is which, for the run on show and for each kept run.
void TestChartMenu::twoQuantitiesNamedWithKeptRuns()
{
    choose(chart(Window::Main), QStringLiteral("Keep this run"));
    runWithRate(QStringLiteral("0.3"));
    ChartControl* shown = chart(Window::Main);
    for (int click = 0; click < 11 && shown->chartTitle() != QLatin1String("Curve of N and dN/dt vs. time"); ++click)
        QTest::mouseClick(shown, Qt::LeftButton);
    QStringList lines;
    for (const RunLegendItem* line : shown->runLegend().lines())
        lines << line->text();
    QCOMPARE(lines, QStringList({"N(t), dN(t), This run: r=0.3", "N(t), dN(t), r=0.2"}));
}

void TestChartMenu::fitToData()
{
    ChartControl* shown = chart(Window::Main);
    const QCPRange x = shown->xAxis->range(), y = shown->yAxis->range();
    const QPoint at = shown->axisRect()->rect().center();
    QWheelEvent wheel(at, shown->mapToGlobal(at), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(shown, &wheel);
    QTest::mousePress(shown, Qt::LeftButton, {}, at);
    QTest::mouseMove(shown, at + QPoint(60, 30));
    QTest::mouseRelease(shown, Qt::LeftButton, {}, at + QPoint(60, 30));
    QVERIFY(shown->xAxis->range() != x);
    choose(shown, QStringLiteral("Fit to data"));
    QCOMPARE(shown->xAxis->range(), x);
    QCOMPARE(shown->yAxis->range(), y);
    QVERIFY(!shown->axes().hasUserView());
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
}

void TestChartMenu::logarithmicNAxis_data() { bothWindows(); }

void TestChartMenu::logarithmicNAxis()
{
    QFETCH(Window, which);
    runWithRate(QStringLiteral("1")); // dies out at step 17: N(17) = 0
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    choose(shown, QStringLiteral("Keep this run")); // drawn behind, on the same axis
    const QString entry = QStringLiteral("Logarithmic N axis");
    QAction* logarithmic = openMenuAt(shown, entry);
    QVERIFY(logarithmic && logarithmic->isEnabled() && !logarithmic->isChecked());
    menuOf(shown)->hide();
    choose(shown, entry);

    const auto verifyLogarithmic = [&](bool on) {
        QCOMPARE(shown->axes().logarithmicY(), on);
        QCOMPARE(shown->yAxis->scaleType(), on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
        const QVector<double> n = shown->series().yData(ChartSeries::FirstSeries);
        QCOMPARE(n.size(), 18);
        // A zero has no place on a logarithmic axis: it is left out, the rest shown.
        QCOMPARE_EXACT(n[17], on ? qQNaN() : 0.0);
        QCOMPARE_EXACT(n[16], m_fixture->state().store.PopN[16]);
        const QVector<double> kept = shown->series().keptYData(0, ChartSeries::FirstSeries);
        QCOMPARE(kept.size(), 18);
        QCOMPARE_EXACT(kept[17], n[17]);
        QCOMPARE_EXACT(kept[16], n[16]);
        QVERIFY(shown->yAxis->range().lower > (on ? 0.0 : -1e9));
        QVERIFY(shown->yAxis->range().contains(n[16]) && shown->yAxis->range().contains(n[0]));
    };
    verifyLogarithmic(true);
    // dN changes sign: its axis stays linear, and the choice waits for the next N chart.
    QTest::mouseClick(shown, Qt::LeftButton);
    QVERIFY(!shown->axes().logarithmicY());
    logarithmic = openMenuAt(shown, entry);
    QVERIFY(logarithmic && !logarithmic->isEnabled() && logarithmic->isChecked());
    menuOf(shown)->hide();
    for (int click = 0; click < 9; ++click)
        QTest::mouseClick(shown, Qt::LeftButton);
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of N(t) and K vs. time"));
    QVERIFY(shown->axes().logarithmicY());
    QTest::mouseClick(shown, Qt::LeftButton);
    verifyLogarithmic(true);
    // The choice is the window's own.
    const Window other = which == Window::Main ? Window::Large : Window::Main;
    if (other == Window::Large) {
        QVERIFY(!chart(Window::Large)->axes().logarithmicY());
        QVERIFY(clickButton(window(Window::Large), "Command4"));
    } else {
        QVERIFY(clickButton(window(Window::Large), "Command4"));
        QVERIFY(!chart(Window::Main)->axes().logarithmicY());
        shown = chart(Window::Large);
    }
    choose(shown, entry);
    verifyLogarithmic(false);
}

void TestChartMenu::continuousBesideTheRun_data() { bothWindows(); }

// "Compare with continuous time" draws the model's continuous trajectory of the run on show in the two
// kinds over t, exactly, in its own colour and dashes and with its line in the legend, follows the
// next run, goes into the copied data and stays the window's own choice until it is switched off.
void TestChartMenu::continuousBesideTheRun()
{
    QFETCH(Window, which);
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const QString entry = QString::fromStdString(continuousComparisonWords().caption);
    const QString legendLine = QString::fromStdString(continuousLegend());
    QAction* compare = openMenuAt(shown, entry);
    QVERIFY(compare && compare->isCheckable() && !compare->isChecked() && compare->isEnabled());
    QCOMPARE(compare->toolTip(), QString::fromStdString(continuousComparisonWords().toolTip));
    menuOf(shown)->hide();
    QVERIFY(!shown->series().continuousCurve());
    choose(shown, entry);

    const auto legendLines = [shown] {
        QStringList lines;
        for (const RunLegendItem* line : shown->runLegend().lines())
            lines << line->text();
        return lines;
    };
    const auto exactly
        = [](const std::vector<double>& values) { return QVector<double>(values.begin(), values.end()); };
    RunParameters run = DefaultParameters;
    QCOMPARE(shown->series().continuousYData(), exactly(continuousRun(run).n));
    QCOMPARE(legendLines(), QStringList({"This run", legendLine}));
    const SeriesCurve* curve = shown->series().continuousCurve();
    QCOMPARE(curve->pen().color(), QColor::fromRgb(QRgb(continuousSeriesColours().line)));
    QCOMPARE(curve->pen().style(), Qt::CustomDashLine);
    for (int series = 0; series < 2; ++series) {
        QVERIFY(curve->pen().color() != QColor::fromRgb(QRgb(ownSeriesColours(series).line)));
        for (int place = 0; place < KeptRunColours; ++place)
            QVERIFY(curve->pen().color() != QColor::fromRgb(QRgb(keptSeriesColours(place, series).line)));
    }
    QVERIFY(shown->note().isEmpty()); // it reaches the last step

    // Every kind of the cycle: the trajectory and its legend line exactly where N is drawn over t, the
    // entry still checked and enabled only there.
    for (int click = 0; click < 11; ++click) {
        QTest::mouseClick(shown, Qt::LeftButton);
        const QString title = shown->chartTitle();
        const bool overT = title == QLatin1String("Curve of N(t) vs. time")
            || title == QLatin1String("Curve of N(t) and K vs. time");
        QVERIFY2(bool(shown->series().continuousCurve()) == overT, qPrintable(title));
        QCOMPARE(legendLines().contains(legendLine), overT);
        QAction* checked = openMenuAt(shown, entry);
        QVERIFY(checked && checked->isChecked());
        QCOMPARE(checked->isEnabled(), overT);
        menuOf(shown)->hide();
    }
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));

    // A new run, with a kept one: the continuous trajectory is the new run's, after the runs' lines.
    if (which == Window::Large)
        window(which)->hide(); // shown again, it draws the last run
    choose(chart(Window::Main), QStringLiteral("Keep this run"));
    runWithRate(QStringLiteral("0.3"));
    shown = chart(which);
    run.r = 0.3;
    QCOMPARE(shown->series().continuousYData(), exactly(continuousRun(run).n));
    QCOMPARE(legendLines(), QStringList({"This run: r=0.3", "r=0.2", legendLine}));
    // "Copy data": its column last, named by the model, every value exact.
    choose(shown, QStringLiteral("Copy data"));
    const QStringList lines = QGuiApplication::clipboard()->text().chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + 201);
    QCOMPARE(lines[0].section(QLatin1Char('\t'), -1), QString::fromStdString(continuousComparisonWords().dataColumn));
    QCOMPARE(lines[0].count(QLatin1Char('\t')), 4);
    for (int t = 0; t <= 200; ++t)
        QCOMPARE_EXACT(lines[t + 1].section(QLatin1Char('\t'), -1).toDouble(), continuousRun(run).n[std::size_t(t)]);

    // The choice is the window's own: the other window draws none until it is chosen there.
    const Window other = which == Window::Main ? Window::Large : Window::Main;
    if (other == Window::Large) {
        QVERIFY(!chart(Window::Large)->series().continuousCurve());
        QVERIFY(clickButton(window(Window::Large), "Command4"));
    } else {
        QVERIFY(clickButton(window(Window::Large), "Command4"));
        QVERIFY(!chart(Window::Main)->series().continuousCurve());
        shown = chart(Window::Large);
        QVERIFY(shown->series().continuousCurve());
    }
    // Off again: no trajectory, no line, no column.
    choose(shown, entry);
    QVERIFY(!shown->series().continuousCurve());
    QVERIFY(!legendLines().contains(legendLine));
    choose(shown, QStringLiteral("Copy data"));
    QVERIFY(
        !QGuiApplication::clipboard()->text().contains(QString::fromStdString(continuousComparisonWords().dataColumn)));
}

// Where the continuous trajectory grows too steep for the integrator, what there is is drawn, the
// chart says why under its title (and to screen readers), and its copied cells end there.
void TestChartMenu::continuousStopsEarly()
{
    QLineEdit* lag = child<QLineEdit>(m_fixture->mainWindow(), "tlag");
    typeInto(lag, QStringLiteral("8"));
    pressEnter(lag);
    runWithRate(QStringLiteral("1"));
    ChartControl* shown = chart(Window::Main);
    choose(shown, QStringLiteral("Compare with continuous time"));
    const RunParameters run{.r = 1.0, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = 8.0};
    const ContinuousRun continuous = continuousRun(run);
    QCOMPARE(continuous.end, ContinuousEnd::LostAccuracy);
    const auto drawn = shown->series().continuousYData();
    QCOMPARE(drawn, QVector<double>(continuous.n.begin(), continuous.n.end()));
    const QString why = QString::fromStdString(continuousStopWords(continuous));
    QVERIFY(why.startsWith(QStringLiteral("The continuous trajectory stops after t = 18")));
    QCOMPARE(shown->note(), why);
    QVERIFY(shown->accessibleDescription().endsWith(why));
    // The note stands under the title, above the plot.
    const QRect plot = shown->axisRect()->rect();
    bool noted = false;
    for (int element = 0; element < shown->plotLayout()->elementCount(); ++element)
        if (auto* heading = qobject_cast<QCPLayoutGrid*>(shown->plotLayout()->elementAt(element)))
            for (int line = 0; line < heading->elementCount(); ++line)
                if (auto* text = qobject_cast<QCPTextElement*>(heading->elementAt(line)); text && text->text() == why)
                    noted = text->outerRect().bottom() <= plot.top();
    QVERIFY(noted);
    choose(shown, QStringLiteral("Copy data"));
    const QStringList lines = QGuiApplication::clipboard()->text().chopped(1).split(QLatin1Char('\n'));
    QVERIFY(lines.size() > int(continuous.n.size()) + 1);
    QCOMPARE(lines[int(continuous.n.size())].section(QLatin1Char('\t'), -1).toDouble(), continuous.n.back());
    QCOMPARE(lines[int(continuous.n.size()) + 1].section(QLatin1Char('\t'), -1), QString());
    // Another kind, or the choice switched off, says nothing.
    QTest::mouseClick(shown, Qt::LeftButton);
    QVERIFY(shown->note().isEmpty());
}

void TestChartMenu::playEndsOnTheWholeRun_data() { bothWindows(); }

// A play starts from the first step with its bar over the chart, pauses, takes single steps with the
// readout on the newest, runs on at the fastest speed and ends on the whole chart with the bar gone;
// the store and the kind on show are as they were.
void TestChartMenu::playEndsOnTheWholeRun()
{
    QFETCH(Window, which);
    runWithRate(QStringLiteral("0.3")); // overshoots K and falls back
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const ResultStore before = m_fixture->state().store;
    const QList<QVector<double>> whole = columnsOf(shown);
    const std::int16_t cycle = counter(which);
    const int lastRow = int(whole.front().size()) - 1;

    choose(shown, QStringLiteral("Play this run"));
    auto* bar = child<QWidget>(shown, "playBar");
    QVERIFY(bar && bar->isVisible());
    const auto newestRow = [shown] { return int(shown->series().xData(ChartSeries::FirstSeries).size()) - 1; };
    QVERIFY(newestRow() < lastRow);
    QCOMPARE(shown->readout().shown()->row, newestRow());
    QVERIFY(clickButton(bar, "playPause"));
    const int paused = newestRow();
    QVERIFY(clickButton(bar, "playStep"));
    QVERIFY(clickButton(bar, "playStep"));
    QCOMPARE(newestRow(), paused + 2);
    QCOMPARE(shown->readout().shown()->row, paused + 2);
    QCOMPARE(child<QAbstractButton>(bar, "playPause")->accessibleName(), QStringLiteral("Play"));

    auto* speed = child<QComboBox>(bar, "playSpeed");
    QVERIFY(speed);
    QTest::keyClick(speed, Qt::Key_End);
    QCOMPARE(speed->currentText(), QStringLiteral("1000 steps/s"));
    QVERIFY(clickButton(bar, "playPause"));
    QTRY_VERIFY(!bar->isVisible());

    QCOMPARE(columnsOf(shown), whole);
    QCOMPARE(shown->readout().shown()->row, lastRow);
    QCOMPARE(counter(which), cycle);
    QVERIFY(std::memcmp(&m_fixture->state().store, &before, sizeof before) == 0);
}

void TestChartMenu::aClickEndsThePlay_data() { bothWindows(); }

// A click on the chart during a play ends it and steps the kind as ever; the next kind is whole.
void TestChartMenu::aClickEndsThePlay()
{
    QFETCH(Window, which);
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const std::int16_t cycle = counter(which);
    choose(shown, QStringLiteral("Play this run"));
    auto* bar = child<QWidget>(shown, "playBar");
    QVERIFY(bar && bar->isVisible());
    clickAsUser(shown, Qt::LeftButton);
    QVERIFY(!bar->isVisible());
    QCOMPARE(counter(which), cycle + 1);
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    QCOMPARE(shown->series().xData(ChartSeries::FirstSeries).size(), m_fixture->state().store.LastStep + 1);
}

void TestChartMenu::makeSetup(Window which)
{
    choose(chart(Window::Main), QStringLiteral("Keep this run"));
    QVERIFY(mainWindow()->runTexts({"0.3", "500", "200", "1", "8"}));
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    choose(shown, QStringLiteral("Logarithmic N axis"));
    clickAsUser(shown, Qt::LeftButton);
}

void TestChartMenu::setupSavedAndOpened_data() { bothWindows(); }

// What "Save set-up…" writes is the model's text of the set-up on show; opening it after everything
// changed brings the same set-up back (saved again, the same bytes), and the cycle steps on from it.
void TestChartMenu::setupSavedAndOpened()
{
    QFETCH(Window, which);
    makeSetup(which);
    Setup expected{{"0.3", "500", "200", "1", "8"}};
    expected.chart = ChartKind::dNvsT;
    expected.logarithmicN = true;
    expected.kept = {{"0.2", "500", "200", "1", "5"}};
    const QString first = m_folder.filePath(QStringLiteral("lesson"));
    const QString again = m_folder.filePath(QStringLiteral("again.tarnis"));
    QueuedFileNames& fileNames = m_fixture->fakes().fileNames;
    fileNames.answers = {first};
    choose(chart(which), QStringLiteral("Save set-up…"));
    QCOMPARE(fileNames.suggestions.constLast(), QStringLiteral("tarnis-setup.tarnis"));
    // A name typed without a suffix gets the one the file manager knows.
    QCOMPARE(contentOf(first + ".tarnis"), QByteArray::fromStdString(setupFileText(expected)));

    choose(chart(which), QStringLiteral("Forget kept runs"));
    QVERIFY(mainWindow()->runTexts({"0.25", "400", "100", "2", "3"}));
    chart(which)->setLogNAxisChosen(false);
    clickAsUser(chart(which), Qt::LeftButton);

    fileNames.answers = {first + ".tarnis"};
    choose(chart(which), QStringLiteral("Open set-up…"));
    QCOMPARE(m_fixture->fakes().messages.messages, QStringList());
    QCOMPARE(child<QLineEdit>(mainWindow(), "rrate")->text(), QStringLiteral("0.3"));
    QCOMPARE(child<QLineEdit>(mainWindow(), "tlag")->text(), QStringLiteral("8"));
    QCOMPARE_EXACT(m_fixture->state().store.ParamR, 0.3);
    QCOMPARE(chart(which)->series().keptRunCount(), 1);
    QCOMPARE(chart(which)->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    QVERIFY(chart(which)->axes().logNAxisChosen());
    fileNames.answers = {again};
    choose(chart(which), QStringLiteral("Save set-up…"));
    QCOMPARE(contentOf(again), contentOf(first + ".tarnis"));
    const std::int16_t before = counter(which);
    clickAsUser(chart(which), Qt::LeftButton);
    QCOMPARE(counter(which), before + 1);
    QCOMPARE(before, 1);
}

void TestChartMenu::refusedSetupChangesNothing_data()
{
    QTest::addColumn<Window>("which");
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<QString>("says");
    QTest::addRow("main, broken") << Window::Main << QByteArray(R"({"tarnis": "set-up", "version": 1, "r": "0.)")
                                  << "The file is no Tarnis set-up: a string is not closed";
    QTest::addRow("large, newer") << Window::Large << QByteArray(R"({"tarnis": "set-up", "version": 2, "r": "0.9"})")
                                  << "The set-up was saved by a newer Tarnis";
    QTest::addRow("main, another program's")
        << Window::Main << QByteArray(R"({"r": "0.9"})") << "it does not say \"tarnis\": \"set-up\"";
    QTest::addRow("large, gone") << Window::Large << QByteArray() << "Cannot read file";
}

void TestChartMenu::refusedSetupChangesNothing()
{
    QFETCH(Window, which);
    QFETCH(QByteArray, file);
    QFETCH(QString, says);
    makeSetup(which);
    const QString fileName = m_folder.filePath(QStringLiteral("refused.tarnis"));
    QFile::remove(fileName);
    if (!file.isEmpty())
        writeContent(fileName, file);
    const QString saved = m_folder.filePath(QStringLiteral("before.tarnis"));
    QueuedFileNames& fileNames = m_fixture->fakes().fileNames;
    fileNames.answers = {saved, fileName, saved + "2"};
    choose(chart(which), QStringLiteral("Save set-up…"));
    const auto store = std::make_unique<ResultStore>(m_fixture->state().store);
    choose(chart(which), QStringLiteral("Open set-up…"));
    QCOMPARE(m_fixture->fakes().messages.messages.size(), 1);
    QVERIFY2(m_fixture->fakes().messages.messages.front().contains(says),
             qPrintable(m_fixture->fakes().messages.messages.front()));
    // The same set-up on show, and the same run in the store.
    choose(chart(which), QStringLiteral("Save set-up…"));
    QCOMPARE(contentOf(saved + "2"), contentOf(saved));
    const ResultStore& now = m_fixture->state().store;
    QVERIFY(store->PopN == now.PopN && store->ParamR == now.ParamR && store->LastStep == now.LastStep);
}

QWidget* TestChartMenu::openActivity(Window which, const char* id)
{
    ChartControl* shown = chart(which);
    if (!shown)
        return nullptr;
    choose(shown, QStringLiteral("Activities…"));
    QWidget* activities = m_fixture->app().navigator().existing(WindowId::Activities);
    if (!activities || !QTest::qWaitForWindowExposed(activities)) {
        QTest::qFail("the Activities window did not open", __FILE__, __LINE__);
        return nullptr;
    }
    auto* choice = child<QComboBox>(activities, "activityChoice");
    if (!choice)
        return nullptr;
    choice->setCurrentIndex(choice->findText(QString::fromStdString(activityNamed(id)->title)));
    return activities;
}

void TestChartMenu::activitiesFromEitherChart_data() { bothWindows(); }

// "Activities…" opens the one window (asked again, it is the same); a step's set-up applied is run in
// the main window's boxes, kept runs and all, as an opened set-up is; the steps move within the
// activity, and a step answered in words has no answer box.
void TestChartMenu::activitiesFromEitherChart()
{
    QFETCH(Window, which);
    QWidget* activities = openActivity(which, "limit");
    QVERIFY(activities);
    QCOMPARE(openActivity(which, "limit"), activities);
    const auto windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) { return w->objectName() == QLatin1String("Activities"); }),
             1);
    const auto heading = [activities] { return child<QLabel>(activities, "stepHeading")->text(); };
    QCOMPARE(heading(), QStringLiteral("Step 1 of 3"));
    QCOMPARE(child<QLabel>(activities, "stepQuestion")->text(), QStringLiteral("Read r_c for T = 5 off the map."));
    QVERIFY(!child<QPushButton>(activities, "previousStep")->isEnabled());
    // Tab walks the controls in the order they are read, and only those that can be used.
    QStringList walked;
    QWidget* at = child<QComboBox>(activities, "activityChoice");
    do {
        if ((at->focusPolicy() & Qt::TabFocus) && at->isVisible() && at->isEnabled())
            walked << at->objectName();
        at = at->nextInFocusChain();
    } while (at != activities && walked.size() < 20);
    QCOMPARE(walked,
             QStringList({"activityChoice", "applySetup", "answerBox", "checkAnswer", "nextStep", "printKey",
                          "printWorksheet"}));

    QVERIFY(clickButton(activities, "applySetup"));
    QCOMPARE(child<QLineEdit>(mainWindow(), "rrate")->text(), QStringLiteral("0.2"));
    QCOMPARE(child<QLineEdit>(mainWindow(), "tlag")->text(), QStringLiteral("5"));
    QCOMPARE_EXACT(m_fixture->state().store.ParamR, 0.2);
    QCOMPARE(chart(which)->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QVERIFY(m_fixture->fakes().messages.messages.isEmpty());

    QVERIFY(clickButton(activities, "nextStep"));
    QCOMPARE(heading(), QStringLiteral("Step 2 of 3"));
    QVERIFY(!child<QWidget>(activities, "answerRow")->isVisible()); // answered in words
    QVERIFY(clickButton(activities, "applySetup"));
    QCOMPARE_EXACT(m_fixture->state().store.ParamR, 0.29);
    QCOMPARE(chart(which)->series().keptRunCount(), 1);
    QVERIFY(clickButton(activities, "nextStep"));
    QVERIFY(!child<QPushButton>(activities, "nextStep")->isEnabled());
    QVERIFY(clickButton(activities, "previousStep"));
    QVERIFY(clickButton(activities, "previousStep"));
    QCOMPARE(heading(), QStringLiteral("Step 1 of 3"));
    QVERIFY(child<QWidget>(activities, "answerRow")->isVisible());
}

void TestChartMenu::answersChecked_data()
{
    QTest::addColumn<QByteArray>("activity");
    QTest::addColumn<int>("steps"); // Next pressed this often
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("words");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::addRow("r_c right") << QByteArray("limit") << 0 << english << "0.29"
                               << "Your r_c = 0.29 is within 2 % of 0.2846.";
    QTest::addRow("r_c too high") << QByteArray("limit") << 0 << english << "0.35"
                                  << "Your r_c = 0.35 is more than 2 % above the model's value: look again.";
    QTest::addRow("r_c with a comma") << QByteArray("limit") << 0 << german << "0,29"
                                      << "Your r_c = 0,29 is within 2 % of 0,2846.";
    QTest::addRow("third step's r_c") << QByteArray("limit") << 2 << english << "0.29"
                                      << "Your r_c = 0.29 is more than 2 % above the model's value: look again.";
    QTest::addRow("no number") << QByteArray("period") << 3 << german << "achtzehn"
                               << "Write your answer as a number, such as 0,29.";
}

// The words under the answer are the model's check of what was typed, for the step on show, with the
// reader's decimal separator; Enter in the box checks as "Check" does.
void TestChartMenu::answersChecked()
{
    QFETCH(QByteArray, activity);
    QFETCH(int, steps);
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, words);
    const QLocale before;
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
    QWidget* activities = openActivity(Window::Main, activity.constData());
    QVERIFY(activities);
    for (int step = 0; step < steps; ++step)
        QVERIFY(clickButton(activities, "nextStep"));
    auto* box = child<QLineEdit>(activities, "answerBox");
    QVERIFY(box && box->isVisible());
    typeInto(box, typed);
    pressEnter(box);
    auto* checked = child<QLabel>(activities, "checkWords");
    QCOMPARE(checked->text(), words);
    QCOMPARE(checked->accessibleName(), words);
    QVERIFY(clickButton(activities, "checkAnswer"));
    QCOMPARE(checked->text(), words);
    QVERIFY(clickButton(activities, steps > 0 ? "previousStep" : "nextStep"));
    QCOMPARE(checked->text(), QString()); // another step, nothing checked yet
}

// "Save set-up…" while the Activities window is open saves its activity and step; opening the file
// opens the window at that step again, with the file's own run on show rather than the step's.
void TestChartMenu::setupCarriesTheOpenActivity()
{
    QWidget* activities = openActivity(Window::Main, "period");
    QVERIFY(activities);
    QVERIFY(clickButton(activities, "nextStep"));
    QVERIFY(clickButton(activities, "nextStep"));
    QVERIFY(mainWindow()->runTexts({"0.3", "500", "200", "1", "8"}));
    const QString file = m_folder.filePath(QStringLiteral("period.tarnis"));
    QueuedFileNames& fileNames = m_fixture->fakes().fileNames;
    fileNames.answers = {file};
    choose(chart(Window::Main), QStringLiteral("Save set-up…"));
    const auto read = readSetupFile(contentOf(file).toStdString());
    QVERIFY(std::holds_alternative<ReadSetup>(read));
    QCOMPARE(std::get<ReadSetup>(read).setup.activity, std::string("period"));
    QCOMPARE(std::get<ReadSetup>(read).setup.activityStep, 3);

    QVERIFY(activities->close());
    settle();
    QVERIFY(mainWindow()->runTexts({"0.25", "400", "100", "2", "3"}));
    fileNames.answers = {file};
    choose(chart(Window::Main), QStringLiteral("Open set-up…"));
    QVERIFY(m_fixture->fakes().messages.messages.isEmpty());
    activities = m_fixture->app().navigator().existing(WindowId::Activities);
    QVERIFY(activities && QTest::qWaitForWindowExposed(activities));
    QCOMPARE(child<QComboBox>(activities, "activityChoice")->currentText(), QStringLiteral("Periods and the lag"));
    QCOMPARE(child<QLabel>(activities, "stepHeading")->text(), QStringLiteral("Step 3 of 4"));
    QCOMPARE_EXACT(m_fixture->state().store.ParamR, 0.3);
    QCOMPARE(child<QLineEdit>(mainWindow(), "tlag")->text(), QStringLiteral("8"));
}

namespace {

// An ensemble's work may take a while on a loaded machine; the tests wait for its state, not a time.
constexpr int EnsembleTimeout = 120'000;

// What the model's own ensemble says of the request, as every front end must say it.
QString modelsWords(const EnsembleRequest& request)
{
    const EnsembleResult result = ensembleRuns(request, 1, request.runs);
    return QString::fromStdString(ensembleWords(extinctionSummary(result.outcomes), request.parameters.steps, '.'));
}

} // namespace

ChanceWindow* TestChartMenu::openChance(Window which)
{
    ChartControl* shown = chart(which);
    if (!shown)
        return nullptr;
    choose(shown, QString::fromStdString(chanceWords().menuCaption));
    auto* chance = static_cast<ChanceWindow*>(m_fixture->app().navigator().existing(WindowId::Chance));
    if (!chance || !QTest::qWaitForWindowExposed(chance)) {
        QTest::qFail("the Chance window did not open", __FILE__, __LINE__);
        return nullptr;
    }
    if (!QTest::qWaitFor([chance] { return !chance->working(); }, EnsembleTimeout))
        QTest::qFail("the first ensemble did not finish", __FILE__, __LINE__);
    return chance;
}

void TestChartMenu::chanceFromEitherChart_data() { bothWindows(); }

// "Chance…" opens the one window on an ensemble of the last run; its controls are found by name and
// told by their captions; σ is there for environmental noise only; a small ensemble's sentence, curves
// and copied data are the model's for the same seed.
void TestChartMenu::chanceFromEitherChart()
{
    QFETCH(Window, which);
    ChanceWindow* chance = openChance(which);
    QVERIFY(chance);
    QCOMPARE(openChance(which), chance);
    const ChanceWords words = chanceWords();
    QCOMPARE(chance->windowTitle(), QString::fromStdString(words.title));
    QVERIFY(chance->request() && chance->request()->parameters == DefaultParameters);
    QCOMPARE(chance->request()->runs, DefaultWindowRuns);
    QCOMPARE(child<QLabel>(chance, "ensembleWords")->text(), modelsWords(*chance->request()));
    const std::pair<const char*, const std::string*> named[]{
        {"noiseChoice", &words.noiseCaption},      {"sigmaBox", &words.sigmaCaption},
        {"runsBox", &words.runsCaption},           {"seedBox", &words.seedCaption},
        {"thresholdBox", &words.thresholdCaption}, {"runEnsemble", &words.computeCaption}};
    for (const auto& [name, caption] : named)
        QCOMPARE(child<QWidget>(chance, name)->accessibleName(), QString::fromStdString(*caption));

    // At the window's smallest size every control still shows its whole text: the noise's longest
    // choice and the command.
    chance->resize(ChanceWindow::smallestSize());
    QTRY_COMPARE(chance->size(), ChanceWindow::smallestSize());
    for (const char* name : {"noiseChoice", "runEnsemble"}) {
        auto* control = child<QWidget>(chance, name);
        QVERIFY2(control->width() >= control->sizeHint().width(),
                 qPrintable(QStringLiteral("%1: %2 of %3").arg(name).arg(control->width()).arg(control->sizeHint().width())));
    }
    chance->resize(ChanceWindow::firstSize());

    auto* sigma = child<QLineEdit>(chance, "sigmaBox");
    QVERIFY(!sigma->isEnabled()); // demographic noise has no σ
    // Tab walks the controls in the order they are read, then the charts, whose menu key opens their menu.
    QStringList walked;
    QWidget* at = child<QComboBox>(chance, "noiseChoice");
    do {
        if ((at->focusPolicy() & Qt::TabFocus) && at->isVisible() && at->isEnabled() && !at->objectName().isEmpty()
            && !at->objectName().startsWith(QLatin1String("qt_"))) // not the spin box's own line
            walked << at->objectName();
        at = at->nextInFocusChain();
    } while (at != chance && walked.size() < 20);
    QCOMPARE(
        walked,
        QStringList({"noiseChoice", "runsBox", "seedBox", "thresholdBox", "runEnsemble", "fanChart", "survivalChart"}));

    auto* noise = child<QComboBox>(chance, "noiseChoice");
    noise->setFocus();
    QTest::keyClick(noise, Qt::Key_End); // both
    QVERIFY(sigma->isEnabled());
    typeInto(sigma, QStringLiteral("0.3"));
    child<QSpinBox>(chance, "runsBox")->setValue(40);
    typeInto(child<QLineEdit>(chance, "seedBox"), QStringLiteral("18446744073709551615"));
    QVERIFY(clickButton(chance, "runEnsemble"));
    QTRY_VERIFY_WITH_TIMEOUT(!chance->working(), EnsembleTimeout);
    const EnsembleRequest asked{.parameters = DefaultParameters,
                                .noise = {.demographic = true, .sigma = 0.3},
                                .threshold = DefaultExtinctionThreshold,
                                .seed = 18446744073709551615ULL,
                                .runs = 40};
    QCOMPARE(child<QLabel>(chance, "ensembleWords")->text(), modelsWords(asked));
    const EnsembleResult model = ensembleRuns(asked, 1, asked.runs, {.keepTrajectories = true});
    QVERIFY(chance->finished()->curves.survival == survivalCurve(model.outcomes, DefaultParameters.steps));
    QVERIFY(chance->finished()->curves.bands == percentileBands(model.members, DefaultParameters.steps));
    auto* fan = child<QCustomPlot>(chance, "fanChart");
    QCOMPARE(fan->graphCount(), 6);
    QCOMPARE(fan->graph(4)->data()->size(), DefaultParameters.steps + 1); // the median
    QCOMPARE(fan->legend->itemCount(), 4);                                // two bands, median, without chance

    // "Copy data" of either chart: t, the survival and the five bands, a line for each t.
    for (const char* name : {"fanChart", "survivalChart"}) {
        QGuiApplication::clipboard()->clear();
        auto* shown = child<QCustomPlot>(chance, name);
        clickAsUser(shown, Qt::RightButton);
        QMenu* menu = child<QMenu>(shown, "chartMenu");
        QVERIFY(menu && menu->isVisible());
        menu->actions().at(3)->trigger();
        menu->hide();
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), DefaultParameters.steps + 2);
        QCOMPARE(lines.front(), QStringLiteral("t\tsurvival\tN 5 %\tN 25 %\tN median\tN 75 %\tN 95 %"));
        QCOMPARE(lines.at(1).split(QLatin1Char('\t')).size(), 7);
    }
    // "Save data as CSV…" writes the curves as tarnis-run ensemble --summary writes them, byte for byte.
    const QString table = m_folder.filePath(QStringLiteral("ensemble.csv"));
    m_fixture->fakes().fileNames.answers = {table};
    clickAsUser(fan, Qt::RightButton);
    QCOMPARE(child<QMenu>(fan, "chartMenu")->actions().at(4)->text(), QString::fromStdString(words.saveData + "…"));
    child<QMenu>(fan, "chartMenu")->actions().at(4)->trigger();
    child<QMenu>(fan, "chartMenu")->hide();
    QCOMPARE(m_fixture->fakes().messages.messages, QStringList());
    QProcess tarnisRun;
    tarnisRun.start(QStringLiteral(TARNIS_RUN_PATH),
                    {"ensemble", "--summary", "--runs",  "40",  "--seed", "18446744073709551615",
                     "--noise",  "both",      "--sigma", "0.3", "--r",    "0.2",
                     "--K",      "500",       "--steps", "200", "--n0",   "1",
                     "--lag",    "5"});
    QVERIFY(tarnisRun.waitForFinished(EnsembleTimeout));
    QCOMPARE(contentOf(table), tarnisRun.readAllStandardOutput());

    // The fan chart's drawing as the run charts' are made: its texts stay texts.
    const QString fileName = m_folder.filePath(QStringLiteral("fan.svg"));
    m_fixture->fakes().fileNames.answers = {fileName};
    clickAsUser(fan, Qt::RightButton);
    child<QMenu>(fan, "chartMenu")->actions().at(1)->trigger(); // "Save chart as SVG…"
    child<QMenu>(fan, "chartMenu")->hide();
    QCOMPARE(m_fixture->fakes().messages.messages, QStringList());
    const QByteArray drawing = contentOf(fileName);
    QVERIFY(svgElements(drawing).contains(QStringLiteral("text")));
    for (const std::string* shown : {&words.fanTitle, &words.outerBand, &words.deterministic})
        QVERIFY2(drawing.contains(QByteArray::fromStdString(*shown)), shown->c_str());
}

// A new run of the main window while the window is open is computed anew with the controls as they
// were accepted, and its sentence is the model's for the new run.
void TestChartMenu::chanceFollowsANewRun()
{
    ChanceWindow* chance = openChance(Window::Main);
    QVERIFY(chance);
    auto* runs = child<QSpinBox>(chance, "runsBox");
    runs->setFocus();
    runs->selectAll();
    QTest::keyClicks(runs, QStringLiteral("30"));
    QTest::keyClick(runs, Qt::Key_Return); // Enter in any box runs the ensemble
    QVERIFY(chance->working());
    QTRY_VERIFY_WITH_TIMEOUT(!chance->working(), EnsembleTimeout);
    QCOMPARE(chance->request()->runs, 30);
    QVERIFY(mainWindow()->runTexts({"0.3", "500", "150", "1", "8"}));
    QTRY_VERIFY_WITH_TIMEOUT(chance->request()->parameters.r == 0.3 && !chance->working(), EnsembleTimeout);
    const RunParameters run{.r = 0.3, .K = 500.0, .steps = 150, .n0 = 1.0, .lag = 8.0};
    QVERIFY(chance->request()->parameters == run);
    QCOMPARE(chance->request()->runs, 30);
    QCOMPARE(chance->finished()->curves.survival.size(), std::size_t(151));
    QCOMPARE(child<QLabel>(chance, "ensembleWords")->text(), modelsWords(*chance->request()));
}

void TestChartMenu::chanceRefusals_data()
{
    QTest::addColumn<int>("noise");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal");
    const QString sigma = QStringLiteral("σ of the years takes a number above 0 and at most 10.");
    QTest::addRow("σ 0") << 1 << "sigmaBox"
                         << "0" << sigma;
    QTest::addRow("σ above 10") << 2 << "sigmaBox"
                                << "10.5" << sigma;
    QTest::addRow("σ not a number") << 1 << "sigmaBox"
                                    << "x" << sigma;
    const QString seed = QStringLiteral("Seed takes a whole number from 0 to 18446744073709551615.");
    QTest::addRow("seed negative") << 0 << "seedBox"
                                   << "-1" << seed;
    QTest::addRow("seed beyond 2^64 - 1") << 0 << "seedBox"
                                          << "18446744073709551616" << seed;
    QTest::addRow("seed with a fraction") << 0 << "seedBox"
                                          << "1.5" << seed;
    QTest::addRow("threshold negative") << 0 << "thresholdBox"
                                        << "-0.5"
                                        << QStringLiteral("Extinct below takes a number of animals, 0 or more.");
}

// A refused control is said in the model's words and nothing is computed: the ensemble on show stays.
void TestChartMenu::chanceRefusals()
{
    QFETCH(int, noise);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    ChanceWindow* chance = openChance(Window::Main);
    QVERIFY(chance);
    const EnsembleRequest before = *chance->request();
    const auto* shown = chance->finished();
    child<QComboBox>(chance, "noiseChoice")->setCurrentIndex(noise);
    if (box == QLatin1String("runsBox")) {
        child<QSpinBox>(chance, "runsBox")->setValue(typed.toInt());
        QVERIFY(clickButton(chance, "runEnsemble"));
    } else {
        auto* edited = child<QLineEdit>(chance, qPrintable(box));
        typeInto(edited, typed);
        pressEnter(edited);
    }
    QCOMPARE(child<QLabel>(chance, "entryRefusal")->text(), refusal);
    QVERIFY(!chance->working());
    QVERIFY(chance->request()->seed == before.seed && chance->request()->noise.sigma == before.noise.sigma);
    QCOMPARE(chance->finished(), shown);
}

// Closing the window while a large ensemble is under way cancels it: the window goes at once, and the
// next "Chance…" builds it anew. (The most runs, 100 000, would hold more than the bands may at 200
// steps.)
void TestChartMenu::chanceClosedWhileComputing()
{
    QPointer<ChanceWindow> chance = openChance(Window::Main);
    QVERIFY(chance);
    child<QSpinBox>(chance, "runsBox")->setValue(90'000);
    QVERIFY(clickButton(chance, "runEnsemble"));
    QVERIFY(chance->working());
    QVERIFY(child<QProgressBar>(chance, "ensembleProgress")->isVisible());
    QVERIFY(chance->close());
    settle();
    QVERIFY(!chance);
    QVERIFY(openChance(Window::Main));
}

// The most runs at 200 steps hold more N(t) than the bands may: every run counts in the words and the
// survival curve, the bands are the model's of the first runs that fit, and a line under the fan
// chart's title says so; a smaller ensemble takes the line away.
void TestChartMenu::chanceBandsFromTheFirstRuns()
{
    ChanceWindow* chance = openChance(Window::Main);
    QVERIFY(chance);
    auto* fan = child<QCustomPlot>(chance, "fanChart");
    QVERIFY(!fan->findChild<QCPTextElement*>(QStringLiteral("bandsNote")));
    child<QSpinBox>(chance, "runsBox")->setValue(int(MostWindowRuns));
    QVERIFY(clickButton(chance, "runEnsemble"));
    QTRY_VERIFY_WITH_TIMEOUT(!chance->working(), EnsembleTimeout);
    QCOMPARE(child<QLabel>(chance, "entryRefusal")->text(), QString());
    QCOMPARE(chance->finished()->summary.runs, MostWindowRuns);
    const long long drawn = bandRuns(MostWindowRuns, DefaultParameters.steps);
    QVERIFY(drawn < MostWindowRuns);
    auto* note = fan->findChild<QCPTextElement*>(QStringLiteral("bandsNote"));
    QVERIFY(note);
    QCOMPARE(note->text(), QString::fromStdString(bandRunsWords(MostWindowRuns, DefaultParameters.steps)));
    const EnsembleResult first = ensembleRuns(*chance->request(), 1, drawn, {.keepTrajectories = true});
    QVERIFY(chance->finished()->curves.bands == percentileBands(first.members, DefaultParameters.steps));

    child<QSpinBox>(chance, "runsBox")->setValue(50);
    QVERIFY(clickButton(chance, "runEnsemble"));
    QTRY_VERIFY_WITH_TIMEOUT(!chance->working(), EnsembleTimeout);
    QVERIFY(!fan->findChild<QCPTextElement*>(QStringLiteral("bandsNote")));
}

// With r = 10^120 and K = 10^308 every run leaves the range of doubles at t = 3 (demographic noise
// too, whose count of a mean beyond the doubles once made it extinct): its bands are +inf
// from there, drawn up to the top of the plot and clipped (the axis fits the finite values), and the
// copied data and the CSV file say "inf", as tarnis-run writes it.
void TestChartMenu::chanceBandsBeyondTheDoubles()
{
    ChanceWindow* chance = openChance(Window::Main);
    QVERIFY(chance);
    QVERIFY(mainWindow()->runTexts({"1E+120", "1E+308", "6", "1", "0"}));
    QTRY_VERIFY_WITH_TIMEOUT(chance->request()->parameters.r == 1e120 && !chance->working(), EnsembleTimeout);
    const auto& bands = chance->finished()->curves.bands;
    QCOMPARE(bands.size(), std::size_t(7));
    QVERIFY(std::isinf(bands[3][0]) && std::isfinite(bands[2][4]));
    auto* fan = child<QCustomPlot>(chance, "fanChart");
    const QCPRange shown = fan->yAxis->range();
    QVERIFY2(std::isfinite(shown.upper) && shown.upper >= bands[2][4], qPrintable(QString::number(shown.upper)));
    for (const int graph : {0, 1, 2, 3, 4}) { // every band's edges and the median, at the last t
        const double drawn = (fan->graph(graph)->data()->constEnd() - 1)->value;
        QVERIFY2(std::isfinite(drawn) && drawn > shown.upper, qPrintable(QString::number(drawn)));
    }
    QGuiApplication::clipboard()->clear();
    clickAsUser(fan, Qt::RightButton);
    child<QMenu>(fan, "chartMenu")->actions().at(3)->trigger(); // "Copy data"
    child<QMenu>(fan, "chartMenu")->hide();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.last(), QStringLiteral("6\t1\tinf\tinf\tinf\tinf\tinf"));
}

TARNIS_GUI_TEST_MAIN(TestChartMenu)
#include "test_chart_menu.moc"
