// The Dynamics window: the words of the run and of its continuous-time twin; the preview of the run under the pointer
// or the keys, exactly the model's run, and of the last run when they leave; a click or Enter on the map and on the
// bifurcation diagram writes the main window's boxes as a preset does, without a run; a run during the
// work starts it again for the new parameters, one that differs in its steps alone does not; the
// pictures and copied data of its three parts. The result store is compared byte for byte after
// everything the window does: only Run may write it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"
#include "charts/chart_control.h"
#include "dynamics/bifurcation_plot.h"
#include "dynamics/dynamics_window.h"
#include "dynamics/regime_palette.h"
#include "dynamics/stability_map.h"
#include "model/words/continuous_words.h"
#include "model/words/regime_words.h"
#include "tests/support/app_fixture.h"
#include "tests/support/exact.h"
#include "tests/support/files.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/pictures.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"
#include "ui/window_placement.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstring>

using namespace tarnis;
using namespace tarnis::test;

namespace {

constexpr int WorkTimeout = 120000; // the whole map, also under the sanitizers

enum class Part { Words, Map, Bifurcation };
enum class Choice { MapClick, MapKeys, OverRateClick, OverLagClick };

// The value that the line under the diagram names: "r = 0.12625: …" gives "0.12625".
QString namedValue(const QString& line)
{
    return line.section(QLatin1String(" = "), 1).section(QLatin1Char(':'), 0, 0);
}

// The names of lines and curves stand whole inside the plot and clear of each other and of `avoid`.
QString misplacedLabels(const QList<QCPItemText*>& labels, const QRectF& plot, const QRectF& avoid = {})
{
    for (QCPItemText* label : labels) {
        const QRectF box(label->topLeft->pixelPosition(), label->bottomRight->pixelPosition());
        if (!plot.contains(box) || box.intersects(avoid))
            return label->text();
        for (QCPItemText* other : labels)
            if (other != label
                && box.intersects(QRectF(other->topLeft->pixelPosition(), other->bottomRight->pixelPosition())))
                return label->text() + QStringLiteral(" and ") + other->text();
    }
    return {};
}

// The continuous twin's words as the window shows them under the run's: the model's, computed here on
// the test's thread, and how the two models meet at the run's lag.
void verifyContinuousWords(QWidget* dynamics, const RunParameters& run)
{
    const RunWords words = continuousRunInWords(run, continuousRegime(run), '.');
    QCOMPARE(dynamics->findChild<QLabel*>(QStringLiteral("continuousHeadline"))->text(),
             QString::fromStdString(words.headline));
    QCOMPARE(dynamics->findChild<QLabel*>(QStringLiteral("continuousWords"))->text(),
             QString::fromStdString(words.sentences + "\n\n" + bridgeWords(run.lag, '.')));
}

} // namespace

class TestDynamicsWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void choosingWritesTheBoxes_data();
    void choosingWritesTheBoxes();
    void aRunRestartsTheWork();
    void placement_data();
    void placement();
    void longLags_data();
    void longLags();
    void beyondTheAnalysis();
    void pointerLeaves();
    void choiceFromTheLargeWindow();
    void picturesAndData_data();
    void picturesAndData();

private:
    DynamicsWindow* openDynamics();
    void waitUntilDone(DynamicsWindow* dynamics);
    QWidget* partWidget(DynamicsWindow* dynamics, Part part);
    QAction* menuEntry(QWidget* part, const QString& entry);
    void verifyPreview(DynamicsWindow* dynamics, const RunParameters& run, const QString& line);
    void verifyStoreUntouched();
    // Writes the text into the main window's box, confirms it and runs.
    void runWith(const char* box, const QString& text);

    std::unique_ptr<AppFixture> m_fixture;
    ResultStore m_storeAfterRun;
    QTemporaryDir m_folder;
};

void TestDynamicsWindow::init()
{
    m_fixture = startTarnis(AfterStart::RunDefaults);
    m_storeAfterRun = m_fixture->state().store;
}

void TestDynamicsWindow::cleanup() { m_fixture.reset(); }

// "Dynamics…" on the main window's chart, as a user opens it; the main window stays on screen.
DynamicsWindow* TestDynamicsWindow::openDynamics()
{
    QWidget* main = m_fixture->mainWindow();
    QAction* entry = menuEntry(child<ChartControl>(main, "MSChart1"), QStringLiteral("Dynamics…"));
    if (!entry)
        return nullptr;
    entry->trigger();
    auto* dynamics = qobject_cast<DynamicsWindow*>(m_fixture->app().navigator().existing(WindowId::Dynamics));
    if (!dynamics || !QTest::qWaitForWindowExposed(dynamics)) {
        QTest::qFail("the Dynamics window did not open", __FILE__, __LINE__);
        return nullptr;
    }
    if (!main->isVisible())
        QTest::qFail("the main window went when the Dynamics window came", __FILE__, __LINE__);
    return dynamics;
}

void TestDynamicsWindow::waitUntilDone(DynamicsWindow* dynamics)
{
    QTRY_VERIFY_WITH_TIMEOUT(!dynamics->working(), WorkTimeout);
    settle(); // the plots draw what came last
}

QWidget* TestDynamicsWindow::partWidget(DynamicsWindow* dynamics, Part part)
{
    switch (part) {
    case Part::Words:
        return child<QLabel>(dynamics, "regimeWords");
    case Part::Map:
        return child<StabilityMap>(dynamics, "stabilityMap");
    case Part::Bifurcation:
        return child<BifurcationPlot>(dynamics, "bifurcationPlot");
    }
    return nullptr;
}

// Opens a part's menu with a right click in its middle and gives one of its entries; nullptr (and a
// failure) when there is none.
QAction* TestDynamicsWindow::menuEntry(QWidget* part, const QString& entry)
{
    if (!part)
        return nullptr;
    clickAsUser(part, Qt::RightButton, part->rect().center());
    QMenu* menu = nullptr;
    for (QWidget* owner = part; owner && !menu; owner = owner->parentWidget())
        menu = owner->findChild<QMenu*>(QStringLiteral("chartMenu"), Qt::FindDirectChildrenOnly);
    if (!menu || !menu->isVisible()) {
        QTest::qFail("the part's menu did not open", __FILE__, __LINE__);
        return nullptr;
    }
    menu->hide();
    for (QAction* action : menu->actions())
        if (action->text() == entry)
            return action;
    QTest::qFail(qPrintable(QStringLiteral("the menu has no entry ") + entry), __FILE__, __LINE__);
    return nullptr;
}

// The preview shows N(t) of this run as the model's run writes it, bit for bit, and names it in this
// line, which labels the chart for assistive technology.
void TestDynamicsWindow::verifyPreview(DynamicsWindow* dynamics, const RunParameters& run, const QString& line)
{
    auto* preview = child<ChartControl>(dynamics, "DynamicsPreview");
    auto* previewLine = child<QLabel>(dynamics, "previewLine");
    QVERIFY(preview && previewLine);
    QCOMPARE(previewLine->text(), line);
    const auto expected = std::make_unique<ResultStore>();
    QVERIFY(runModel(*expected, run).end != RunEnd::Refused);
    const QVector<double> n = preview->series().yData(ChartSeries::FirstSeries);
    QCOMPARE(n.size(), expected->LastStep + 1);
    QVERIFY(std::memcmp(n.constData(), expected->PopN.data(), sizeof(double) * std::size_t(n.size())) == 0);
    QCOMPARE(preview->series().xData(ChartSeries::FirstSeries).back(), double(expected->LastStep));
    const auto labels = QAccessible::queryAccessibleInterface(preview)->relations(QAccessible::Label);
    QVERIFY(
        std::ranges::any_of(labels, [previewLine](const auto& label) { return label.first->object() == previewLine; }));
}

void TestDynamicsWindow::runWith(const char* box, const QString& text)
{
    auto* edit = child<QLineEdit>(m_fixture->mainWindow(), box);
    QVERIFY(edit);
    typeInto(edit, text);
    pressEnter(edit);
    m_fixture->run();
}

// Bytes, not values: a NaN that the run stored must stay the same NaN.
void TestDynamicsWindow::verifyStoreUntouched()
{
    QVERIFY(std::memcmp(&m_fixture->state().store, &m_storeAfterRun, sizeof m_storeAfterRun) == 0);
}

void TestDynamicsWindow::choosingWritesTheBoxes_data()
{
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<int>("index");    // the map's cell or the diagram's column
    QTest::addColumn<QString>("rate"); // empty: the value that the line under the diagram names
    QTest::addColumn<QString>("lag");
    // The defaults ran: r = 0.2, T = 5. The map's r runs from 0.00449 to 3.47 at a constant ratio (0.1
    // the 94th value, 0.202 nearest the run's, 0.209 next) and its lag up to 20 in halves, cells of a few
    // pixels; the diagram's 800 values of r lie closer than its pixels.
    QTest::addRow("map, click") << Choice::MapClick << 93 * 41 + 4 << "0.1"
                                << "2";
    QTest::addRow("map, arrows and Enter") << Choice::MapKeys << -1 << "0.209"
                                           << "5.5";
    QTest::addRow("over r, click") << Choice::OverRateClick << 99 << QString() << "5";
    QTest::addRow("over lag, click") << Choice::OverLagClick << 7 << "0.2"
                                     << "3.5";
}

void TestDynamicsWindow::choosingWritesTheBoxes()
{
    QFETCH(Choice, choice);
    QFETCH(int, index);
    QFETCH(QString, rate);
    QFETCH(QString, lag);
    DynamicsWindow* dynamics = openDynamics();
    QVERIFY(dynamics);
    if (choice == Choice::OverLagClick)
        child<QRadioButton>(dynamics, "overLag")->click();
    waitUntilDone(dynamics);
    QWidget* main = m_fixture->mainWindow();
    QVERIFY(!child<QPushButton>(main, "Command2")->isEnabled());
    auto* map = child<StabilityMap>(dynamics, "stabilityMap");
    auto* diagram = child<BifurcationPlot>(dynamics, "bifurcationPlot");

    if (choice == Choice::MapKeys) {
        // The keyboard starts at the run's cell; the map shows that it has the focus.
        auto* frame = map->findChild<QWidget*>(QStringLiteral("focusFrame"));
        QVERIFY(frame && !frame->isVisible());
        map->setFocus();
        QTRY_VERIFY(frame->isVisible());
        QTest::keyClick(map, Qt::Key_Right);
        QTest::keyClick(map, Qt::Key_Up);
        verifyPreview(dynamics, {.r = rate.toDouble(), .K = 500, .steps = 200, .n0 = 1, .lag = lag.toDouble()},
                      child<QLabel>(dynamics, "mapPointed")->text());
        QTest::keyClick(map, Qt::Key_Return);
    } else {
        QWidget* plot = choice == Choice::MapClick ? static_cast<QWidget*>(map) : diagram;
        const QPoint at = (choice == Choice::MapClick ? map->cellCentre(std::size_t(index))
                                                      : diagram->columnPixel(std::size_t(index)))
                              .toPoint();
        // The pointer names what it rests on, in the words of the line under the plot.
        QTest::mouseMove(dynamics->windowHandle(), plot->mapTo(dynamics, at));
        const QString pointed
            = child<QLabel>(dynamics, choice == Choice::MapClick ? "mapPointed" : "bifurcationPointed")->text();
        QVERIFY2(!pointed.contains("still being computed"), qPrintable(pointed));
        if (choice == Choice::MapClick) {
            QVERIFY2(pointed.startsWith("T = " + lag + ", r = " + rate + ": "), qPrintable(pointed));
        } else if (rate.isEmpty()) {
            rate = namedValue(pointed);
            QVERIFY2(qAbs(rate.toDouble() - diagram->columnValue(std::size_t(index))) <= 2.0 / 800,
                     qPrintable(pointed));
        } else {
            QCOMPARE(namedValue(pointed), lag);
        }
        // The preview runs what the pointer rests on: a box holds each value as it is written.
        verifyPreview(dynamics, {.r = rate.toDouble(), .K = 500, .steps = 200, .n0 = 1, .lag = lag.toDouble()},
                      pointed);
        QTest::mouseClick(plot, Qt::LeftButton, {}, at);
    }

    QCOMPARE(child<QLineEdit>(main, "rrate")->text(), rate);
    QCOMPARE(child<QLineEdit>(main, "tlag")->text(), lag);
    QCOMPARE(child<QLineEdit>(main, "Text4")->text(), QString());
    QVERIFY(!child<ChartControl>(main, "MSChart1")->isVisible());
    QVERIFY(child<QPushButton>(main, "Command2")->isEnabled());
    // The window says what it wrote, and the main window with its boxes is on show.
    const QString written = choice == Choice::OverRateClick ? "r = " + rate + " is"
        : choice == Choice::OverLagClick                    ? "T = " + lag + " is"
                                                            : "r = " + rate + " and T = " + lag + " are";
    auto* note = child<QLabel>(dynamics, "choiceNote");
    QCOMPARE(note->text(), written + " in the main window: press Run there.");
    // Whole at every width the window takes: it wraps into the room it keeps.
    for (const QSize size : {DynamicsWindow::smallestSize(), DynamicsWindow::firstSize()}) {
        dynamics->resize(size);
        const auto whole = [note] {
            const QFontMetrics metrics(note->font());
            const QRect room = note->contentsRect();
            if (!note->wordWrap())
                return metrics.horizontalAdvance(note->text()) <= room.width();
            return metrics.boundingRect(room, Qt::TextWordWrap, note->text()).height() <= room.height();
        };
        QTRY_VERIFY2(whole(), qPrintable(QStringLiteral("%1 wide").arg(note->width())));
    }
    QVERIFY(main->isVisible());
    // Nothing ran: the store and the run that the window follows are those of the defaults.
    verifyStoreUntouched();
    QCOMPARE(m_fixture->app().navigator().existing(WindowId::Dynamics), dynamics);
    QCOMPARE(dynamics->plan()->run.lag, 5.0);
    QVERIFY(!dynamics->working());
}

void TestDynamicsWindow::aRunRestartsTheWork()
{
    DynamicsWindow* dynamics = openDynamics();
    QVERIFY(dynamics);
    auto* map = child<StabilityMap>(dynamics, "stabilityMap");
    QVERIFY(dynamics->working());
    QVERIFY(map->computedCells() < map->cellCount());
    // Data 1 with another K, run while the map of the defaults is being computed.
    QWidget* main = m_fixture->mainWindow();
    QVERIFY(clickButton(main, "Command15"));
    typeInto(child<QLineEdit>(main, "Kvalue"), QStringLiteral("400"));
    m_fixture->run();
    const RunParameters run{.r = 0.2, .K = 400.0, .steps = 2000, .n0 = 1.0, .lag = 8.0};
    waitUntilDone(dynamics);

    QCOMPARE(dynamics->plan()->run.K, 400.0);
    QCOMPARE(dynamics->plan()->run.lag, 8.0);
    const RunWords words = runInWords(run, runRegime(run), '.');
    QCOMPARE(child<QLabel>(dynamics, "regimeHeadline")->text(), QString::fromStdString(words.headline));
    QCOMPARE(child<QLabel>(dynamics, "regimeWords")->text(), QString::fromStdString(words.sentences));
    verifyContinuousWords(dynamics, run);
    QCOMPARE(child<BifurcationPlot>(dynamics, "bifurcationPlot")->title(),
             QStringLiteral("Bifurcation diagram over r at T = 8"));
    // Every cell is there, and those looked at are those of K = 400, not of the stale scan.
    QCOMPARE(map->computedCells(), map->cellCount());
    const QStringList rows = map->dataText(QLatin1Char('.')).split(QLatin1Char('\n'));
    for (const std::size_t cell : {std::size_t(0), std::size_t(39 * 41 + 16), std::size_t(120 * 41 + 30)}) {
        const QStringList row = rows[qsizetype(cell) + 1].split(QLatin1Char('\t'));
        const auto report
            = runRegime({.r = map->cellRate(cell), .K = 400.0, .steps = 0, .n0 = 1.0, .lag = map->cellLag(cell)});
        QVERIFY(report);
        QCOMPARE(row[2], regimeName(report->regime));
        // Every digit, so that it reads back the same; nothing for a run that ended.
        QCOMPARE_EXACT(row[6].isEmpty() ? qQNaN() : row[6].toDouble(), report->nMax.value_or(qQNaN()));
    }
    // A run that differs in its steps alone changes nothing here: the work is not done again.
    typeInto(child<QLineEdit>(main, "simut"), QStringLiteral("300"));
    pressEnter(child<QLineEdit>(main, "simut"));
    m_fixture->run();
    settle();
    QVERIFY(!dynamics->working());
    QCOMPARE(map->computedCells(), map->cellCount());
    // but the preview of the run follows its steps.
    const RunParameters longer{.r = 0.2, .K = 400.0, .steps = 300, .n0 = 1.0, .lag = 8.0};
    verifyPreview(dynamics, longer, QString::fromStdString(runInOneLine(longer, runRegime(longer), false, '.')));

    // A new r at the same lag keeps the map's cells and the diagram's columns, and moves their marks;
    // only its regime is worked out anew.
    auto* diagram = child<BifurcationPlot>(dynamics, "bifurcationPlot");
    const auto markBefore = map->runMarkCentre();
    QVERIFY(markBefore);
    const RunParameters faster{.r = 0.25, .K = 400.0, .steps = 300, .n0 = 1.0, .lag = 8.0};
    runWith("rrate", QStringLiteral("0.25"));
    QTRY_COMPARE(dynamics->plan()->run.r, 0.25);
    QCOMPARE(map->computedCells(), map->cellCount());
    QCOMPARE(diagram->computedColumns(), diagram->columnCount());
    const auto markAfter = map->runMarkCentre();
    QVERIFY(markAfter && markAfter->y() < markBefore->y());
    const QList<QCPItemText*> labels = diagram->shownLabels();
    const auto runLabel = std::ranges::find(labels, QStringLiteral("this run"), &QCPItemText::text);
    QVERIFY(runLabel != labels.end());
    QCOMPARE((*runLabel)->position->coords().x(), 0.25);
    waitUntilDone(dynamics);
    const RunWords fasterWords = runInWords(faster, runRegime(faster), '.');
    QCOMPARE(child<QLabel>(dynamics, "regimeWords")->text(), QString::fromStdString(fasterWords.sentences));
    verifyContinuousWords(dynamics, faster);
    for (const char* bar : {"mapProgress", "bifurcationProgress"}) {
        auto* progress = child<QProgressBar>(dynamics, bar);
        QCOMPARE(progress->value(), progress->maximum());
        QVERIFY2(progress->text().startsWith(QStringLiteral("Done")), qPrintable(progress->text()));
    }

    // Another lag up to 20 keeps the map, whose r spans every lag shown; an r past its top computes it
    // anew.
    const double topBefore = map->cellRate(map->cellCount() - 1);
    runWith("tlag", QStringLiteral("0"));
    QTRY_COMPARE(dynamics->plan()->run.lag, 0.0);
    QCOMPARE(map->computedCells(), map->cellCount());
    QCOMPARE(map->cellRate(map->cellCount() - 1), topBefore);
    runWith("rrate", QStringLiteral("4"));
    waitUntilDone(dynamics);
    QCOMPARE(dynamics->plan()->run.r, 4.0);
    const double top = map->cellRate(map->cellCount() - 1);
    QVERIFY(top != topBefore);
    QCOMPARE(top, dynamics->plan()->map.rates.back());
    QCOMPARE(map->computedCells(), map->cellCount());
}

// Opened beside the main window, the Dynamics window leaves its boxes in sight: beside it where the
// screen has room, over its chart where it has not.
void TestDynamicsWindow::placement_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("beside"); // clear of the whole main window
    QTest::addRow("2560 x 1440") << QSize(2560, 1440) << true;
    QTest::addRow("1600 x 1000") << QSize(1600, 1000) << false;
    QTest::addRow("1280 x 800") << QSize(1280, 800) << false;
}

void TestDynamicsWindow::placement()
{
    QFETCH(QSize, screen);
    QFETCH(bool, beside);
    auto* main = static_cast<MainWindow*>(m_fixture->mainWindow());
    // The main window centred as it opens, with a title bar and borders as a desktop draws them.
    const QMargins decorations(4, 28, 4, 4);
    const QRect available(QPoint(0, 0), screen - QSize(0, 32)); // a panel at the foot
    QRect frame(QPoint(), main->size().grownBy(decorations));
    frame.moveCenter(available.center());
    const QRect boxes = main->parameterArea().translated(frame.topLeft() + QPoint(decorations.left(), decorations.top())
                                                         - main->mapToGlobal(QPoint(0, 0)));
    const QSize decorationSize(decorations.left() + decorations.right(), decorations.top() + decorations.bottom());
    const QRect placed = placeBeside({.available = available,
                                      .other = frame,
                                      .keepInSight = boxes,
                                      .preferred = DynamicsWindow::firstSize() + decorationSize,
                                      .smallest = DynamicsWindow::smallestSize() + decorationSize});
    QVERIFY2(
        available.contains(placed),
        qPrintable(
            QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
    QVERIFY(placed.width() >= DynamicsWindow::smallestSize().width() + decorationSize.width());
    QVERIFY(placed.height() >= DynamicsWindow::smallestSize().height() + decorationSize.height());
    QVERIFY(!placed.intersects(boxes));
    QCOMPARE(!placed.intersects(frame), beside);
    // The boxes are all in the area that stays in sight.
    for (const char* box : {"rrate", "n0", "Kvalue", "tlag", "simut", "Text4", "Command2"}) {
        QWidget* widget = child<QWidget>(main, box);
        QVERIFY(main->parameterArea().contains(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size())));
    }
}

// A lag far beyond what the analysis covers gets no map or diagram that could not show it: both say
// why in place of their pictures, and nothing is computed for them.
void TestDynamicsWindow::beyondTheAnalysis()
{
    QWidget* main = m_fixture->mainWindow();
    typeInto(child<QLineEdit>(main, "tlag"), QStringLiteral("1e9"));
    pressEnter(child<QLineEdit>(main, "tlag"));
    m_fixture->run();
    DynamicsWindow* dynamics = openDynamics();
    QVERIFY(dynamics);
    waitUntilDone(dynamics);
    QVERIFY(!dynamics->plan()->analysed);
    const QString why
        = QStringLiteral("Lags above 9999 are beyond what the analysis covers: no map or diagram can show "
                         "this run.");
    auto* map = child<StabilityMap>(dynamics, "stabilityMap");
    auto* diagram = child<BifurcationPlot>(dynamics, "bifurcationPlot");
    QCOMPARE(map->placeholderText(), why);
    QCOMPARE(diagram->placeholderText(), why);
    QCOMPARE(map->cellCount(), std::size_t(0));
    QCOMPARE(diagram->columnCount(), std::size_t(0));
    QCOMPARE(diagram->title(), QStringLiteral("Bifurcation diagram"));
    QCOMPARE(child<QLabel>(dynamics, "regimeHeadline")->text(), QStringLiteral("Beyond the analysis"));
    // which say all there is to say: the continuous twin has no words there.
    QVERIFY(!child<QLabel>(dynamics, "continuousHeadline")->isVisible());
    QVERIFY(!child<QLabel>(dynamics, "continuousWords")->isVisible());
    // Back within the analysis, the pictures come back.
    typeInto(child<QLineEdit>(main, "tlag"), QStringLiteral("5"));
    pressEnter(child<QLineEdit>(main, "tlag"));
    m_fixture->run();
    QTRY_VERIFY(dynamics->plan()->analysed);
    QVERIFY(map->placeholderText().isEmpty());
    QVERIFY(map->cellCount() > 0);
}

// The map's r is on a logarithmic axis, from well below r_m to past the r where the run dies out, with
// the run's mark whole inside; beyond lag 20 its lag axis is logarithmic too, and so is the diagram's r.
// A run at r <= 0 has no place on the map and no mark. The diagram over r spans its own r; the wheel
// zooms them and "Fit to data" shows them whole again.
void TestDynamicsWindow::longLags_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("lag");
    QTest::addColumn<bool>("logarithmic"); // the lag axis, and r in the diagram
    QTest::addColumn<bool>("marked");
    QTest::addRow("lag 5, the defaults") << "0.2"
                                         << "5" << false << true;
    QTest::addRow("lag 0, on the edge") << "2.7"
                                        << "0" << false << true;
    QTest::addRow("lag 8, r below 0") << "-0.05"
                                      << "8" << false << false;
    QTest::addRow("lag 20") << "0.08"
                            << "20" << false << true;
    QTest::addRow("lag 60") << "0.03"
                            << "60" << true << true;
    QTest::addRow("lag 400") << "0.004"
                             << "400" << true << true;
}

void TestDynamicsWindow::longLags()
{
    QFETCH(QString, rate);
    QFETCH(QString, lag);
    QFETCH(bool, logarithmic);
    QFETCH(bool, marked);
    QWidget* main = m_fixture->mainWindow();
    typeInto(child<QLineEdit>(main, "rrate"), rate);
    typeInto(child<QLineEdit>(main, "tlag"), lag);
    pressEnter(child<QLineEdit>(main, "tlag"));
    m_fixture->run();
    DynamicsWindow* dynamics = openDynamics();
    QVERIFY(dynamics);
    // The words, once they come, wrap to the window's width: where it is too low for all of them they
    // scroll and the plots and the preview keep their room; the run's own show whole where there is room
    // for them, and its continuous twin's follow under them, whole, to scroll to.
    waitUntilDone(dynamics);
    QCOMPARE(dynamics->plan()->run.lag, lag.toDouble());
    auto* words = child<QLabel>(dynamics, "regimeWords");
    const QScrollBar* wordsScroll = child<QScrollArea>(dynamics, "wordsArea")->verticalScrollBar();
    const QSize placed = dynamics->size();
    for (const QSize size : {DynamicsWindow::smallestSize(), DynamicsWindow::firstSize()}) {
        dynamics->resize(size);
        for (const char* part : {"mapPart", "bifurcationPart", "previewPart"}) {
            auto* widget = child<QWidget>(dynamics, part);
            QTRY_VERIFY2(widget->height() >= widget->minimumSizeHint().height(), part);
        }
    }
    auto* continuousWords = child<QLabel>(dynamics, "continuousWords");
    const QWidget* text = child<QScrollArea>(dynamics, "wordsArea")->widget();
    const int inSight = child<QScrollArea>(dynamics, "wordsArea")->viewport()->height();
    const auto bottom = [text](const QLabel* label) { return label->mapTo(text, QPoint(0, label->height())).y(); };
    QTRY_VERIFY(words->height() >= words->heightForWidth(words->width()) && bottom(words) <= inSight
                && continuousWords->isVisible()
                && continuousWords->height() >= continuousWords->heightForWidth(continuousWords->width())
                && bottom(continuousWords) <= inSight + (wordsScroll->isVisible() ? wordsScroll->maximum() : 0));
    verifyContinuousWords(dynamics, dynamics->plan()->run);
    // At both sizes no two tick labels touch, on any plot (the trajectory's too), and the names of the
    // lines stand inside their plots, clear of each other and of the run's mark.
    auto* map = child<StabilityMap>(dynamics, "stabilityMap");
    auto* diagram = child<BifurcationPlot>(dynamics, "bifurcationPlot");
    for (const QSize size : {DynamicsWindow::smallestSize(), DynamicsWindow::firstSize()}) {
        dynamics->resize(size);
        settle();
        for (QCustomPlot* plot : dynamics->findChildren<QCustomPlot*>()) {
            plot->replot(); // what a plot fits to its size it fits before it draws, by the last layout
            plot->replot();
            const QString touching = touchingTickLabels(*plot);
            QVERIFY2(touching.isEmpty(), qPrintable(touching));
        }
        const auto mark = map->runMarkCentre();
        const double room = StabilityMap::RunMarkRadius;
        const QRectF markBox = mark ? QRectF(*mark - QPointF(room, room), QSizeF(2 * room, 2 * room)) : QRectF();
        const QString onMap = misplacedLabels(map->shownLabels(), map->axisRect()->rect(), markBox);
        QVERIFY2(onMap.isEmpty(), qPrintable(onMap));
        const QString onDiagram = misplacedLabels(diagram->shownLabels(), diagram->axisRect()->rect());
        QVERIFY2(onDiagram.isEmpty(), qPrintable(onDiagram));
        // The titles of N and of the exponent, one above the other, each within its own axis' length.
        for (QCPAxis* axis : {diagram->yAxis, diagram->exponentRect()->axis(QCPAxis::atLeft)})
            QVERIFY2(QFontMetricsF(axis->labelFont()).horizontalAdvance(axis->label()) <= axis->axisRect()->height() + 1
                         || axis->labelFont().pointSizeF() <= 6.0,
                     qPrintable(axis->label()));
    }
    // The continuous model's limit π/(2T) over the map, named as the model names it, at every lag of the
    // map above 0.
    const QString continuousName = QString::fromStdString(continuousComparisonWords().mapLabel);
    QCPGraph* continuousCurve = nullptr;
    for (int graph = 0; graph < map->graphCount(); ++graph)
        if (map->graph(graph)->name() == continuousName)
            continuousCurve = map->graph(graph);
    QVERIFY(continuousCurve);
    QCOMPARE(continuousCurve->pen().style(), Qt::DashDotLine);
    QVERIFY(
        std::ranges::any_of(map->shownLabels(), [&](QCPItemText* label) { return label->text() == continuousName; }));
    QVector<double> lags, rates;
    for (const double mapLag : dynamics->plan()->map.lags)
        if (mapLag > 0.0) {
            lags << mapLag;
            rates << continuousLimits(mapLag)->rStable;
        }
    QCOMPARE(continuousCurve->dataCount(), int(lags.size()));
    for (int at = 0; at < continuousCurve->dataCount(); ++at) {
        QCOMPARE(continuousCurve->data()->at(at)->key, lags[at]);
        QCOMPARE_EXACT(continuousCurve->data()->at(at)->value, rates[at]);
    }
    dynamics->resize(placed);
    settle();
    const auto scale = logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear;
    QCOMPARE(map->xAxis->scaleType(), scale);
    QCOMPARE(map->yAxis->scaleType(), QCPAxis::stLogarithmic);
    QCOMPARE(diagram->exponentRect()->axis(QCPAxis::atBottom)->scaleType(), scale);
    const DynamicsPlan& plan = *dynamics->plan();
    const QCPRange across = diagram->xAxis->range();
    QVERIFY(across.lower <= plan.overRate.values.front() && across.upper >= plan.overRate.values.back());
    // The run's mark lies whole inside the map; "Fit to data" shows every cell.
    const auto mark = map->runMarkCentre();
    QCOMPARE(bool(mark), marked);
    const auto holds = [](const QCPRange& range, const std::vector<double>& edges) { // through logarithms
        return range.lower <= edges.front() + 1e-12 * std::abs(edges.front())
            && range.upper >= edges.back() - 1e-12 * std::abs(edges.back());
    };
    QVERIFY(holds(map->yAxis->range(), plan.rateEdges) && holds(map->xAxis->range(), plan.lagEdges));
    const QRectF inside = QRectF(map->axisRect()->rect())
                              .adjusted(StabilityMap::RunMarkRadius - 1, StabilityMap::RunMarkRadius - 1,
                                        1 - StabilityMap::RunMarkRadius, 1 - StabilityMap::RunMarkRadius);
    if (mark)
        QVERIFY2(inside.contains(*mark), qPrintable(QStringLiteral("%1, %2").arg(mark->x()).arg(mark->y())));
    // The names of the lines in the diagram stand clear of each other, inside the plot of N.
    const QList<QCPItemText*> labels = diagram->shownLabels();
    for (QCPItemText* label : labels) {
        const QRectF box(label->topLeft->pixelPosition(), label->bottomRight->pixelPosition());
        QVERIFY(QRectF(diagram->axisRect()->rect()).contains(box.center()));
        for (QCPItemText* other : labels)
            if (other != label)
                QVERIFY(!box.intersects(QRectF(other->topLeft->pixelPosition(), other->bottomRight->pixelPosition())));
    }
    // Three notches of the wheel in the middle of each plot zoom in; "Fit to data" shows it whole again.
    for (PointingPlot* plot : {static_cast<PointingPlot*>(map), static_cast<PointingPlot*>(diagram)}) {
        const QCPRange fitted = plot->xAxis->range();
        const QPoint middle = plot->axisRect()->rect().center();
        QWheelEvent wheel(middle, plot->mapToGlobal(middle), {}, QPoint(0, 360), Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(plot, &wheel);
        QVERIFY(plot->hasUserView());
        QVERIFY(plot->xAxis->range().size() < fitted.size());
        QAction* fit = menuEntry(plot, QStringLiteral("Fit to data"));
        QVERIFY(fit);
        fit->trigger();
        QVERIFY(!plot->hasUserView());
        // The same view, give or take the room of the run's mark, which follows the tick labels' widths.
        const QCPRange shown = plot->xAxis->range();
        const auto onScale = [logarithmic](double value) { return logarithmic ? std::log10(value) : value; };
        QVERIFY2(std::abs(onScale(shown.lower) - onScale(fitted.lower))
                         + std::abs(onScale(shown.upper) - onScale(fitted.upper))
                     <= 0.02 * (onScale(fitted.upper) - onScale(fitted.lower)),
                 qPrintable(QStringLiteral("%1 to %2").arg(shown.lower).arg(shown.upper)));
    }
}

// What the pointer pointed at, in words and as a mark, goes when it leaves the plot, even one that
// the click gave the focus. The preview follows the pointer from cell to cell, then the keys, on the
// map and on the diagram, and returns to the last run when both have left.
void TestDynamicsWindow::pointerLeaves()
{
    DynamicsWindow* dynamics = openDynamics();
    QVERIFY(dynamics);
    waitUntilDone(dynamics);
    const RunParameters run = DefaultParameters;
    const QString runLine = QString::fromStdString(runInOneLine(run, runRegime(run), false, '.'));
    QCOMPARE(runLine, QStringLiteral("The last run, T = 5, r = 0.2: damped oscillations, period about 24.8"));
    verifyPreview(dynamics, run, runLine);
    auto* map = child<StabilityMap>(dynamics, "stabilityMap");
    auto* diagram = child<BifurcationPlot>(dynamics, "bifurcationPlot");
    auto* lines = child<QLabel>(dynamics, "mapPointed");
    const QString hint = lines->text();
    // A cell where the run dies out, then one where it settles smoothly (the window is small, its cells
    // a pixel high: the one under the pointer is the one pointed at).
    QStringList cellLines;
    for (const std::size_t cell : {150 * 41 + 20, 10 * 41 + 4}) {
        const QPoint at = map->cellCentre(cell).toPoint();
        QTest::mouseMove(dynamics->windowHandle(), map->mapTo(dynamics, at));
        const auto pointedCell = map->cellAt(at);
        QVERIFY(pointedCell && map->pointedPlace() == pointedCell);
        const double r = map->cellRate(*pointedCell), lag = map->cellLag(*pointedCell);
        const RunParameters pointed{.r = r, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = lag};
        const auto report = runRegime(pointed);
        QVERIFY(report);
        cellLines << QString::fromStdString(cellInWords(r, lag, &*report, 500.0, '.'));
        QCOMPARE(lines->text(), cellLines.back());
        verifyPreview(dynamics, pointed, cellLines.back());
    }
    QVERIFY(cellLines[0].contains(QStringLiteral("dies out")));
    QVERIFY(cellLines[1].contains(QStringLiteral("settles smoothly")));
    map->setFocus(Qt::MouseFocusReason);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(map, &leave);
    QVERIFY(!map->pointedPlace());
    QCOMPARE(lines->text(), hint);
    verifyPreview(dynamics, run, runLine);
    // The keys' place stays while the map has the keyboard, and goes with it; the pointer on the diagram
    // meanwhile takes the preview, which comes back to the keys' place when it leaves.
    map->setFocus(Qt::TabFocusReason);
    QTest::keyClick(map, Qt::Key_Up);
    QVERIFY(map->pointedPlace());
    const RunParameters byKeys{.r = 0.209, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = 5.0};
    verifyPreview(dynamics, byKeys, lines->text());
    QApplication::sendEvent(map, &leave);
    QVERIFY(map->pointedPlace());
    // Near column 99: where the columns lie closer than a pixel, the one under the whole pixel.
    const QPoint nearColumn = diagram->columnPixel(99).toPoint();
    const auto column = diagram->columnAt(nearColumn);
    QVERIFY(column && *column >= 97 && *column <= 101);
    QTest::mouseMove(dynamics->windowHandle(), diagram->mapTo(dynamics, nearColumn));
    QCOMPARE(diagram->pointedPlace(), column);
    verifyPreview(dynamics, {.r = diagram->columnValue(*column), .K = 500.0, .steps = 200, .n0 = 1.0, .lag = 5.0},
                  child<QLabel>(dynamics, "bifurcationPointed")->text());
    QApplication::sendEvent(diagram, &leave);
    verifyPreview(dynamics, byKeys, lines->text());
    // Tab takes the keys to the diagram, at the run's column; from there to the words, and the last
    // run is back.
    diagram->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!map->pointedPlace());
    QCOMPARE(lines->text(), hint);
    QVERIFY(diagram->pointedPlace());
    QCOMPARE(child<QLabel>(dynamics, "previewLine")->text(), child<QLabel>(dynamics, "bifurcationPointed")->text());
    child<QLabel>(dynamics, "regimeWords")->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!diagram->pointedPlace());
    verifyPreview(dynamics, run, runLine);
    verifyStoreUntouched();
}

// Chosen while the large window has taken the main window's place, r and T bring the main window back,
// where the boxes they were written into are.
void TestDynamicsWindow::choiceFromTheLargeWindow()
{
    QWidget* large = m_fixture->openLargeGraph();
    QVERIFY(large);
    QAction* entry = menuEntry(child<ChartControl>(large, "MSChart1"), QStringLiteral("Dynamics…"));
    QVERIFY(entry);
    entry->trigger();
    auto* dynamics = qobject_cast<DynamicsWindow*>(m_fixture->app().navigator().existing(WindowId::Dynamics));
    QVERIFY(dynamics);
    auto* map = child<StabilityMap>(dynamics, "stabilityMap");
    map->setFocus();
    QTRY_VERIFY(map->pointedPlace());
    QTest::keyClick(map, Qt::Key_Return);
    QWidget* main = m_fixture->mainWindow();
    QTRY_VERIFY(main->isVisible());
    QVERIFY(!large->isVisible());
    // The run's cell: the value of the map's r nearest to the run's 0.2.
    QCOMPARE(child<QLineEdit>(main, "rrate")->text(), QStringLiteral("0.202"));
    QCOMPARE(child<QLineEdit>(main, "tlag")->text(), QStringLiteral("5"));
    QVERIFY(child<QPushButton>(main, "Command2")->isEnabled());
    verifyStoreUntouched();
}

void TestDynamicsWindow::picturesAndData_data()
{
    QTest::addColumn<Part>("part");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("text"); // in the SVG drawing, or at the start of the copied data
    const QString map = QStringLiteral("Regimes over the lag T and r (N(0) = 1, K = 500)");
    const QString diagram = QStringLiteral("Bifurcation diagram over r at T = 5");
    for (const auto& [part, title, shown] : {std::tuple{Part::Map, map, QStringLiteral("damped oscillations")},
                                             std::tuple{Part::Bifurcation, diagram, QStringLiteral("Lyapunov")}}) {
        const QByteArray name = title.toUtf8();
        QTest::addRow("%s, PNG", name.data()) << part << "Save chart as PNG…" << title + ".png" << QString();
        QTest::addRow("%s, SVG", name.data()) << part << "Save chart as SVG…" << title + ".svg" << shown;
        QTest::addRow("%s, PDF", name.data()) << part << "Save chart as PDF…" << title + ".pdf" << QString();
    }
    // The words are a text: their menu copies it, with the run's numbers in full.
    QTest::addRow("words, text") << Part::Words << "Copy text" << QString()
                                 << "Damped oscillations\nWith r = 0.2, N(0) = 1, K = 500 and a lag of T = 5, the "
                                    "population overshoots";
    QTest::addRow("map, data") << Part::Map << "Copy data" << QString()
                               << "r\tT\tregime\tperiod\tLyapunov exponent\tsmallest N\tlargest N\tend step\tr_m\tr_c\n"
                                  "0.00449\t0\tsettles smoothly\t\t";
    QTest::addRow("diagram, data") << Part::Bifurcation << "Copy data" << QString()
                                   << "r\tLyapunov exponent\tend\tend step\tN(1000)\tN(1001)\t";
}

void TestDynamicsWindow::picturesAndData()
{
    QFETCH(Part, part);
    QFETCH(QString, entry);
    QFETCH(QString, suggested);
    QFETCH(QString, text);
    DynamicsWindow* dynamics = openDynamics();
    QVERIFY(dynamics);
    waitUntilDone(dynamics);
    QWidget* widget = partWidget(dynamics, part);
    QVERIFY(widget);
    // The words' menu is that of their part, which its picture shows whole.
    QWidget* pictured = part == Part::Words ? child<QGroupBox>(dynamics, "wordsPart") : widget;
    const QString fileName = m_folder.filePath(QStringLiteral("part"));
    QFile::remove(fileName);
    m_fixture->fakes().fileNames.answers = {fileName};
    QGuiApplication::clipboard()->clear();
    QAction* action = menuEntry(widget, entry);
    QVERIFY(action);
    if (part == Part::Words)
        QCOMPARE(qobject_cast<QMenu*>(action->parent())->actions().size(), 1); // no picture of a text
    action->trigger();
    QCOMPARE(m_fixture->fakes().messages.messages, QStringList());

    if (suggested.isEmpty()) {
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(text), qPrintable(copied.left(300)));
        const QStringList lines = copied.chopped(1).split(QLatin1Char('\n'));
        const int columns = int(lines[0].count(QLatin1Char('\t'))) + 1;
        if (part == Part::Map)
            QCOMPARE(lines.size(), 1 + 200 * 41);
        if (part == Part::Bifurcation) {
            QCOMPARE(lines.size(), 1 + 800);
            QCOMPARE(columns, 4 + 200);
        }
        if (part != Part::Words)
            for (const QString& line : lines)
                QCOMPARE(int(line.count(QLatin1Char('\t'))) + 1, columns);
        else
            QVERIFY(lines.contains(QStringLiteral("regime\tdamped oscillations")));
    } else {
        QCOMPARE(m_fixture->fakes().fileNames.suggestions, QStringList{suggested});
        const QByteArray content = contentOf(fileName);
        if (suggested.endsWith(".png")) {
            const QImage picture = QImage::fromData(content, "PNG");
            QCOMPARE(picture.size(), pictured->size() * 2);
            // The cells and points as drawn in the end, not as they were while the work went on.
            if (part == Part::Map)
                QVERIFY(hasColour(picture, QColor(0, 114, 178)));
            if (part == Part::Bifurcation)
                QVERIFY(hasColour(picture, QColor(0, 0, 160)));
            if (part == Part::Words)
                QVERIFY(!inkBounds(picture).isEmpty());
        } else if (suggested.endsWith(".svg")) {
            const QStringList elements = svgElements(content);
            QVERIFY2(!elements.isEmpty() && elements.first() == "svg", qPrintable(elements.value(0)));
            QVERIFY(elements.contains(QStringLiteral("text")));
            QVERIFY(content.contains(text.toUtf8()));
        } else {
            if (const QString missing = pdfToolsMissing(); !missing.isEmpty())
                QFAIL(qPrintable(missing));
            QCOMPARE(pdfPageCount(fileName), 1);
            const QImage page = pdfFirstPage(fileName, 96);
            QVERIFY(qAbs(page.width() - pictured->width()) <= 1 && qAbs(page.height() - pictured->height()) <= 1);
            QVERIFY(!inkBounds(page).isEmpty());
        }
    }
    verifyStoreUntouched();
}

TARNIS_GUI_TEST_MAIN(TestDynamicsWindow)
#include "test_dynamics_window.moc"
