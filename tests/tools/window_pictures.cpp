// Saves a picture of every window of Tarnis that exists after a scripted walk, and the page that the
// main window prints and the activities' sheets, for reviewing the window designs: window_pictures <folder>. Not a
// test; nothing checks the pictures. SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activities_window.h"
#include "chance/chance_window.h"
#include "charts/chart_control.h"
#include "charts/large_graph_window.h"
#include "dynamics/dynamics_window.h"
#include "dynamics/stability_map.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

using namespace tarnis;
using namespace tarnis::test;

namespace {

// The chart routines in the order of the click cycle, which starts from N(t) against time.
const QStringList CycleNames{
    "ShowNtvsT",     "ShowdNvsT",           "ShowdNvsN",      "ShowdNvsNinLine",      "ShowNdNvsT", "ShowLogNvsT",
    "ShowdNperNvsN", "ShowdNperNvsNinLine", "ShowNtvsNtnext", "ShowNtvsNtnextinLine", "ShowNtKvsT"};

void save(QWidget* window, const QString& folder, const QString& name)
{
    if (window && window->isVisible())
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// The title screen before its first tick, then with each of its title variants.
void saveTitleScreen(QWidget* title, const QString& folder)
{
    save(title, folder, QStringLiteral("titlform-start"));
    const QList<QLabel*> variants = title->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label1_")));
    for (QLabel* variant : variants) {
        for (QLabel* other : variants)
            other->setVisible(other == variant);
        save(title, folder, QStringLiteral("titlform-") + variant->objectName());
    }
    for (QLabel* variant : variants)
        variant->hide();
}

void saveScreens(Navigator& navigator, const QString& folder)
{
    for (const WindowId id : {WindowId::Introduction, WindowId::References, WindowId::FurtherRemarks, WindowId::Quiz,
                              WindowId::Notice, WindowId::Dedication}) {
        navigator.show(id);
        QWidget* window = navigator.existing(id);
        (void)QTest::qWaitForWindowExposed(window);
        save(window, folder, window->objectName());
        navigator.hide(id);
    }
}

// Clicks a window's chart through the whole cycle, saving each chart; the counter starts where the
// window's routines left it, so the names follow the counter.
void clickThroughCycle(QWidget* window, std::int16_t& counter, const QString& folder, const QString& prefix)
{
    for (int click = 0; click < CycleNames.size(); ++click) {
        QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("MSChart1")), Qt::LeftButton);
        save(window, folder, prefix + CycleNames[counter]);
    }
}

// The menu that a right click on the chart opens.
void saveChartMenu(QWidget* window, const QString& folder)
{
    auto* chart = window->findChild<QWidget*>(QStringLiteral("MSChart1"));
    auto* menu = chart ? chart->findChild<QMenu*>(QStringLiteral("chartMenu")) : nullptr;
    if (!menu)
        return;
    menu->popup(chart->mapToGlobal(chart->rect().center()));
    save(menu, folder, window->objectName() + QStringLiteral("-chart-menu"));
    menu->hide();
}

// The run beside its continuous-time twin in each kind over t, chosen and then left again in the chart's menu.
void saveContinuous(QWidget* window, std::int16_t& counter, const QString& folder, const QString& prefix)
{
    auto* chart = window->findChild<ChartControl*>(QStringLiteral("MSChart1"));
    auto* menu = chart ? chart->findChild<QMenu*>(QStringLiteral("chartMenu")) : nullptr;
    if (!menu)
        return;
    const auto chooseComparison = [menu] {
        for (QAction* action : menu->actions())
            if (action->text() == QLatin1String("Compare with continuous time"))
                action->trigger();
    };
    chooseComparison();
    for (int click = 0; click < CycleNames.size(); ++click) {
        QTest::mouseClick(chart, Qt::LeftButton);
        if (chart->series().continuousCurve())
            save(window, folder, prefix + QStringLiteral("continuous-") + CycleNames[counter]);
    }
    chooseComparison();
}

// A new width takes the layout a few turns: the words wrap anew, the plots take what they left, and the
// words' scroll bar goes where it is no longer needed.
// A play of the run, paused a few steps in, with its bar over the chart; then stopped.
void savePlay(QWidget* window, const QString& folder)
{
    auto* chart = window->findChild<QWidget*>(QStringLiteral("MSChart1"));
    auto* menu = chart ? chart->findChild<QMenu*>(QStringLiteral("chartMenu")) : nullptr;
    if (!menu)
        return;
    for (QAction* action : menu->actions())
        if (action->text() == QLatin1String("Play this run"))
            action->trigger();
    if (!clickButton(chart, "playPause"))
        return;
    for (int step = 0; step < 40; ++step)
        (void)clickButton(chart, "playStep");
    save(window, folder, window->objectName() + QStringLiteral("-play"));
    (void)clickButton(chart, "playStop");
}

void settleLayout() { QTest::qWait(100); }

// The dynamics window once its work for the run on show is done, over r and over the lag.
void saveDynamics(Navigator& navigator, const QString& folder, const QString& name)
{
    navigator.show(WindowId::Dynamics);
    auto* dynamics = qobject_cast<DynamicsWindow*>(navigator.existing(WindowId::Dynamics));
    (void)QTest::qWaitForWindowExposed(dynamics);
    dynamics->resize(DynamicsWindow::firstSize()); // the small offscreen screen placed it at its smallest
    (void)QTest::qWaitFor([dynamics] { return !dynamics->working(); }, 30000);
    settle(); // the plots draw what came last
    save(dynamics, folder, QStringLiteral("Dynamics-") + name);
    // The keyboard on the map and then on the diagram: the frame of the focus and the place of the keys.
    for (const char* plot : {"stabilityMap", "bifurcationPlot"}) {
        auto* widget = dynamics->findChild<QWidget*>(QLatin1String(plot));
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Right);
        settle();
        save(dynamics, folder, QStringLiteral("Dynamics-") + name + QStringLiteral("-keys-") + QLatin1String(plot));
    }
    auto* overLag = dynamics->findChild<QRadioButton*>(QStringLiteral("overLag"));
    overLag->click();
    (void)QTest::qWaitFor([dynamics] { return !dynamics->working(); }, 30000);
    settle();
    save(dynamics, folder, QStringLiteral("Dynamics-") + name + QStringLiteral("-over-lag"));
    // The pointer on a cell of the map, whose run the preview shows.
    auto* map = dynamics->findChild<StabilityMap*>(QStringLiteral("stabilityMap"));
    const QPoint cell = map->axisRect()->rect().center() + QPoint(0, map->axisRect()->height() / 4);
    QTest::mouseMove(dynamics->windowHandle(), map->mapTo(dynamics, cell));
    settle();
    save(dynamics, folder, QStringLiteral("Dynamics-") + name + QStringLiteral("-pointer"));
    // A click on it: the line that says what went into the main window, whole at every size below.
    QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, cell);
    settle();
    save(dynamics, folder, QStringLiteral("Dynamics-") + name + QStringLiteral("-clicked"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(map, &leave);
    // The window is resizable: the size it takes beside the main window on a screen of 1280 × 800, and
    // as small as its layout allows.
    dynamics->resize(705, 736);
    settleLayout();
    save(dynamics, folder, QStringLiteral("Dynamics-") + name + QStringLiteral("-1280x800"));
    dynamics->resize(dynamics->minimumSize());
    settleLayout();
    save(dynamics, folder, QStringLiteral("Dynamics-") + name + QStringLiteral("-smallest"));
    dynamics->close();
    settle(); // the closed window goes
}

// The Activities window on a step answered with a number, applied and checked, and the sheets it
// prints, as PDF files.
void saveActivities(Navigator& navigator, FakeServices& fakes, const QString& folder)
{
    navigator.show(WindowId::Activities);
    QWidget* activities = navigator.existing(WindowId::Activities);
    (void)QTest::qWaitForWindowExposed(activities);
    activities->findChild<QComboBox*>(QStringLiteral("activityChoice"))->setCurrentIndex(1);
    save(activities, folder, QStringLiteral("Activities-start"));
    auto* answer = activities->findChild<QLineEdit*>(QStringLiteral("answerBox"));
    typeInto(answer, QStringLiteral("0.29"));
    pressEnter(answer);
    if (clickButton(activities, "applySetup"))
        save(activities, folder, QStringLiteral("Activities-checked"));
    if (clickButton(activities, "nextStep"))
        save(activities, folder, QStringLiteral("Activities-words"));
    activities->resize(ActivitiesWindow::smallestSize());
    save(activities, folder, QStringLiteral("Activities-smallest"));
    for (const char* sheet : {"printWorksheet", "printKey"}) {
        fakes.printer.fileName = QDir(folder).filePath(QStringLiteral("Activities-%1.pdf").arg(QLatin1String(sheet)));
        (void)clickButton(activities, sheet);
    }
    activities->close();
}

// The Chance window on its first ensemble, on one with both kinds of noise, and at its smallest.
void saveChance(Navigator& navigator, const QString& folder)
{
    navigator.show(WindowId::Chance);
    auto* chance = static_cast<ChanceWindow*>(navigator.existing(WindowId::Chance));
    (void)QTest::qWaitForWindowExposed(chance);
    const auto done = [chance] { return QTest::qWaitFor([chance] { return !chance->working(); }, 120'000); };
    if (done())
        save(chance, folder, QStringLiteral("Chance-start"));
    chance->findChild<QComboBox*>(QStringLiteral("noiseChoice"))->setCurrentIndex(2);
    typeInto(chance->findChild<QLineEdit*>(QStringLiteral("sigmaBox")), QStringLiteral("0.4"));
    if (clickButton(chance, "runEnsemble") && done())
        save(chance, folder, QStringLiteral("Chance-both"));
    chance->resize(ChanceWindow::smallestSize());
    save(chance, folder, QStringLiteral("Chance-smallest"));
    chance->close();
}

} // namespace

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    qInstallMessageHandler(quietOffscreenWarnings);
    QApplication application(argc, argv);
    prepareApplication();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    AppFixture fixture;
    Navigator& navigator = fixture.app().navigator();
    fixture.app().start();
    QWidget* title = navigator.existing(WindowId::Title);
    (void)QTest::qWaitForWindowExposed(title);
    saveTitleScreen(title, folder);
    QTest::keyClick(title, Qt::Key_Space);

    QWidget* main = fixture.mainWindow();
    (void)QTest::qWaitForWindowExposed(main);
    save(main, folder, QStringLiteral("Form1-start"));
    if (!clickButton(main, "Command2"))
        return 1;
    save(main, folder, QStringLiteral("Form1-run"));
    saveChartMenu(main, folder);
    savePlay(main, folder);
    // The page that "P" prints, as a PDF file.
    fixture.fakes().printer.fileName = QDir(folder).filePath(QStringLiteral("Form1-printed.pdf"));
    if (!clickButton(main, "Command10"))
        return 1;
    clickThroughCycle(main, fixture.state().ChartCycleMain, folder, QStringLiteral("Form1-"));

    if (!clickButton(main, "Command11"))
        return 1;
    QWidget* large = navigator.existing(WindowId::LargeGraph);
    save(large, folder, QStringLiteral("larggraf-open"));
    clickThroughCycle(large, fixture.state().ChartCycleLarge, folder, QStringLiteral("larggraf-"));

    // The longest run that the steps box allows, on the large window.
    if (!clickButton(large, "Command4") || !clickButton(main, "Command15") || !clickButton(main, "Command2")
        || !clickButton(main, "Command11"))
        return 1;
    clickThroughCycle(large, fixture.state().ChartCycleLarge, folder, QStringLiteral("larggraf-2000-"));
    saveContinuous(large, fixture.state().ChartCycleLarge, folder, QStringLiteral("larggraf-2000-"));
    if (!clickButton(large, "Command4"))
        return 1;
    saveDynamics(navigator, folder, QStringLiteral("data1"));
    QLineEdit* rate = main->findChild<QLineEdit*>(QStringLiteral("rrate"));
    QLineEdit* lag = main->findChild<QLineEdit*>(QStringLiteral("tlag"));
    typeInto(rate, QStringLiteral("2.7"));
    typeInto(lag, QStringLiteral("0"));
    pressEnter(lag);
    fixture.run();
    saveDynamics(navigator, folder, QStringLiteral("chaotic"));
    // Long lags, where the map's lag axis is logarithmic as well.
    for (const auto& [r, T] : {std::pair{"0.08", "20"}, std::pair{"0.03", "60"}, std::pair{"0.004", "400"}}) {
        typeInto(rate, QString::fromLatin1(r));
        typeInto(lag, QString::fromLatin1(T));
        pressEnter(lag);
        fixture.run();
        saveDynamics(navigator, folder, QStringLiteral("lag") + QString::fromLatin1(T));
    }
    // Where the continuous twin grows too steep for the integrator and stops early.
    typeInto(rate, QStringLiteral("1"));
    typeInto(lag, QStringLiteral("8"));
    pressEnter(lag);
    fixture.run();
    saveContinuous(main, fixture.state().ChartCycleMain, folder, QStringLiteral("Form1-steep-"));
    saveActivities(navigator, fixture.fakes(), folder);
    saveChance(navigator, folder);
    saveScreens(navigator, folder);
    return 0;
}
