// The pointer on the charts of both windows: the value it reads off the nearest point, a drag that
// pans and never steps the cycle where a click does, and the wheel that zooms until the next chart.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "charts/chart_readout.h"
#include "charts/chart_viewport.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWheelEvent>

using namespace tarnis;
using namespace tarnis::test;

namespace {

enum class Window { Main, Large };

// The place on screen of a row of the chart's first series.
QPoint pixelOf(const ChartControl* chart, int row)
{
    const double x = chart->series().xData(ChartSeries::FirstSeries)[row];
    const double y = chart->series().yData(ChartSeries::FirstSeries)[row];
    return QPointF(chart->xAxis->coordToPixel(x), chart->yAxis->coordToPixel(y)).toPoint();
}

// Moves the pointer over a place of the widget as the window system does; QTest's own move of a
// widget's pointer with no button down only sets the cursor, which the offscreen platform ignores.
void pointAt(QWidget* widget, QPoint at)
{
    QWidget* top = widget->window();
    QTest::mouseMove(top->windowHandle(), widget->mapTo(top, at));
}

// Turns the wheel by whole notches over a place of the chart; away from the user zooms in.
void turnWheel(ChartControl* chart, QPoint at, int notches)
{
    QWheelEvent wheel(at, chart->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &wheel);
}

double span(const QCPRange& range) { return range.upper - range.lower; }

} // namespace

class TestChartPointer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void readout_data();
    void readout();
    void hoverRedrawsTheMarkAlone();
    void pressAndRelease_data();
    void pressAndRelease();
    void zoomThenClickFitsTheNextKind_data();
    void zoomThenClickFitsTheNextKind();
    void zoomLimits();
    void keys_data();
    void keys();
    void descriptionFollowsTheChart();

private:
    QWidget* window(Window which);
    ChartControl* chart(Window which) { return child<ChartControl>(window(which), "MSChart1"); }
    std::int16_t& counter(Window which);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestChartPointer::init() { m_fixture = startTarnis(AfterStart::RunDefaults); }

void TestChartPointer::cleanup()
{
    m_fixture.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

QWidget* TestChartPointer::window(Window which)
{
    if (which == Window::Main)
        return m_fixture->mainWindow();
    if (QWidget* large = m_fixture->app().navigator().existing(WindowId::LargeGraph); large && large->isVisible())
        return large;
    return m_fixture->openLargeGraph();
}

std::int16_t& TestChartPointer::counter(Window which)
{
    return which == Window::Main ? m_fixture->state().ChartCycleMain : m_fixture->state().ChartCycleLarge;
}

void TestChartPointer::readout_data()
{
    QTest::addColumn<int>("clicks"); // from N vs. t
    QTest::addColumn<int>("row");
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QStringList>("lines");
    const QString run = QStringLiteral("This run: r=0.2, N(0)=1, K=500, T=5, 200 steps");
    // Rows of the worked example, to 15 significant digits.
    QTest::addRow("t = 0") << 0 << 0 << QLocale::English
                           << QStringList{run, "t = 0", "N(t) = 1", "dN(t) = 0.1996", "dN(t)/N(t) = 0.1996"};
    QTest::addRow("t = 1") << 0 << 1 << QLocale::English
                           << QStringList{run, "t = 1", "N(t) = 1.1996", "dN(t) = 0.239344383936",
                                          "dN(t)/N(t) = 0.19952016"};
    QTest::addRow("t = 200") << 0 << 200 << QLocale::English
                             << QStringList{run, "t = 200", "N(t) = 499.936872437631", "dN(t) = -0.0196397513905481",
                                            "dN(t)/N(t) = -3.92844626458277E-05"};
    // A phase plot: the nearest point on screen, whatever its x; the chart's own x and y come first.
    QTest::addRow("t = 35 on dN vs. N") << 2 << 35 << QLocale::English
                                        << QStringList{run, "N(t) = 405.839883073642", "dN(t) = 48.2077162056396",
                                                       "t = 35", "dN(t)/N(t) = 0.118785063312499"};
    QTest::addRow("t = 35 on the return map")
        << 8 << 35 << QLocale::English
        << QStringList{run,      "N(t) = 405.839883073642",  "N(t+1) = 454.047599279282",
                       "t = 35", "dN(t) = 48.2077162056396", "dN(t)/N(t) = 0.118785063312499"};
    QTest::addRow("t = 35 on dN/N vs. N")
        << 6 << 35 << QLocale::English
        << QStringList{run, "N(t) = 405.839883073642", "dN(t)/N(t) = 0.118785063312499", "t = 35",
                       "dN(t) = 48.2077162056396"};
    // Eleven clicks come back to N vs. t, drawn anew in the user's locale.
    QTest::addRow("comma") << 11 << 1 << QLocale::German
                           << QStringList{QStringLiteral("This run: r=0,2; N(0)=1; K=500; T=5; 200 steps"), "t = 1",
                                          "N(t) = 1,1996", "dN(t) = 0,239344383936", "dN(t)/N(t) = 0,19952016"};
}

void TestChartPointer::readout()
{
    QFETCH(int, clicks);
    QFETCH(int, row);
    QFETCH(QLocale::Language, language);
    QFETCH(QStringList, lines);
    QLocale::setDefault(QLocale(language));
    ChartControl* shown = chart(Window::Main);
    QVERIFY(shown);
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(shown, Qt::LeftButton);
    QVERIFY(shown->readout().lines().isEmpty());
    pointAt(shown, pixelOf(shown, row));
    QCOMPARE(shown->readout().lines(), lines);
    QCOMPARE(shown->readout().shown()->row, row);
    // Its box stands within the plot, clear of the axes' numbers, beside the mark and not over it.
    const QRect box = shown->readout().boxRect();
    QVERIFY2(
        shown->axisRect()->rect().contains(box),
        qPrintable(QStringLiteral("box %1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    QVERIFY(!box.contains(shown->readout().markedPixel().toPoint()));
    // A step of the readout is a time step.
    const int direction = row < 200 ? 1 : -1;
    QVERIFY(shown->readout().step(direction));
    QCOMPARE(shown->readout().lines().filter(QRegularExpression("^t = ")),
             QStringList{QStringLiteral("t = %1").arg(row + direction)});
    // Off the plot nothing is read.
    pointAt(shown, QPoint(2, 2));
    QVERIFY(shown->readout().lines().isEmpty());
}

// Moving the pointer draws the mark's layer alone: the data are never drawn again for it.
void TestChartPointer::hoverRedrawsTheMarkAlone()
{
    ChartControl* shown = chart(Window::Large);
    QVERIFY(shown);
    QSignalSpy replots(shown, &QCustomPlot::afterReplot);
    for (int row = 10; row <= 60; row += 10) {
        pointAt(shown, pixelOf(shown, row));
        QCOMPARE(shown->readout().shown()->row, row);
    }
    QCOMPARE(replots.count(), 0);
}

void TestChartPointer::pressAndRelease_data()
{
    QTest::addColumn<Window>("which");
    QTest::addColumn<QList<QPoint>>("path"); // from the press to the release, relative to the press
    QTest::addColumn<bool>("steps");
    const int near = QApplication::startDragDistance() / 2;
    const int far = 3 * QApplication::startDragDistance();
    for (const auto& [which, name] : {std::pair{Window::Main, "main"}, std::pair{Window::Large, "large"}}) {
        QTest::addRow("%s in place", name) << which << QList<QPoint>{} << true;
        QTest::addRow("%s a tremble", name) << which << QList<QPoint>{{near, 0}, {near, near}} << true;
        QTest::addRow("%s a drag", name) << which << QList<QPoint>{{far, 0}, {far, far}} << false;
        QTest::addRow("%s a drag back to the press", name) << which << QList<QPoint>{{far, far}, {0, 0}} << false;
    }
}

void TestChartPointer::pressAndRelease()
{
    QFETCH(Window, which);
    QFETCH(QList<QPoint>, path);
    QFETCH(bool, steps);
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const std::int16_t before = counter(which);
    const QCPRange x = shown->xAxis->range(), y = shown->yAxis->range();
    const QPoint press(shown->width() / 2, shown->height() / 2);
    QTest::mousePress(shown, Qt::LeftButton, {}, press);
    for (const QPoint& step : path)
        QTest::mouseMove(shown, press + step);
    QTest::mouseRelease(shown, Qt::LeftButton, {}, press + (path.isEmpty() ? QPoint() : path.last()));
    QCOMPARE(counter(which), std::int16_t(before + (steps ? 1 : 0)));
    if (steps) {
        QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
        QVERIFY(!shown->axes().hasUserView());
        return;
    }
    // The drag panned: the chart is where the pointer left it, whatever kind it shows.
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QVERIFY(shown->axes().hasUserView());
    const QPoint moved = path.last();
    QCOMPARE(span(shown->xAxis->range()), span(x));
    QCOMPARE(span(shown->yAxis->range()), span(y));
    if (moved.isNull()) {
        QCOMPARE(shown->xAxis->range().lower, x.lower);
        return;
    }
    QVERIFY(shown->xAxis->range().lower < x.lower); // dragged to the right: earlier times come in
    QVERIFY(shown->yAxis->range().lower > y.lower); // dragged down: larger values come in
}

void TestChartPointer::zoomThenClickFitsTheNextKind_data()
{
    QTest::addColumn<Window>("which");
    QTest::addRow("main") << Window::Main;
    QTest::addRow("large") << Window::Large;
}

void TestChartPointer::zoomThenClickFitsTheNextKind()
{
    QFETCH(Window, which);
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    // The ranges the next kind is fitted to, and back to N vs. t by going round the cycle.
    QTest::mouseClick(shown, Qt::LeftButton);
    const QCPRange nextX = shown->xAxis->range(), nextY = shown->yAxis->range();
    for (int click = 0; click < 10; ++click)
        QTest::mouseClick(shown, Qt::LeftButton);
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));

    const QCPRange x = shown->xAxis->range(), y = shown->yAxis->range();
    const QPoint at = shown->axisRect()->rect().center() + QPoint(40, -20);
    const double underX = shown->xAxis->pixelToCoord(at.x()), underY = shown->yAxis->pixelToCoord(at.y());
    turnWheel(shown, at, 2);
    QVERIFY(shown->axes().hasUserView());
    QCOMPARE(span(shown->xAxis->range()), span(x) * ChartViewport::ZoomPerNotch * ChartViewport::ZoomPerNotch);
    QVERIFY(span(shown->yAxis->range()) < span(y));
    // Around the pointer: what lay under it still does.
    QVERIFY(std::abs(shown->xAxis->pixelToCoord(at.x()) - underX) < 1e-9 * span(x));
    QVERIFY(std::abs(shown->yAxis->pixelToCoord(at.y()) - underY) < 1e-9 * span(y));
    // Over the time axis' labels only time zooms.
    const QCPRange zoomedY = shown->yAxis->range();
    turnWheel(shown, QPoint(at.x(), shown->axisRect()->rect().bottom() + 15), -1);
    QCOMPARE(shown->yAxis->range(), zoomedY);

    QTest::mouseClick(shown, Qt::LeftButton, {}, at);
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    QVERIFY(!shown->axes().hasUserView());
    QCOMPARE(shown->xAxis->range(), nextX);
    QCOMPARE(shown->yAxis->range(), nextY);
}

void TestChartPointer::zoomLimits()
{
    ChartControl* shown = chart(Window::Main);
    QVERIFY(shown);
    const QCPRange fitted = shown->xAxis->range();
    const QPoint at = shown->axisRect()->rect().center();
    for (int turn = 0; turn < 100; ++turn)
        turnWheel(shown, at, 1);
    QVERIFY(span(shown->xAxis->range()) >= span(fitted) * ChartViewport::MostZoomIn * 0.999);
    QVERIFY(span(shown->xAxis->range()) < span(fitted) * 1e-5);
    // Out, never beyond the fitted view and its margins, wherever the pointer is; a drag stops there.
    const QCPRange widest(fitted.lower - ChartViewport::Margin * span(fitted),
                          fitted.upper + ChartViewport::Margin * span(fitted));
    for (int turn = 0; turn < 200; ++turn)
        turnWheel(shown, turn % 2 ? at : shown->axisRect()->rect().topLeft() + QPoint(2, 2), -1);
    QCOMPARE(shown->xAxis->range(), widest);
    turnWheel(shown, at, 3);
    QTest::mousePress(shown, Qt::LeftButton, {}, at);
    QTest::mouseMove(shown, at + QPoint(2000, 0));
    QTest::mouseRelease(shown, Qt::LeftButton, {}, at + QPoint(2000, 0));
    QCOMPARE(shown->xAxis->range().lower, widest.lower);
    QVERIFY(shown->xAxis->range().upper < widest.upper);
}

void TestChartPointer::keys_data()
{
    QTest::addColumn<Window>("which");
    QTest::addColumn<QString>("before"); // the control that Tab leaves for the chart
    QTest::addRow("main window") << Window::Main << "Command14";
    QTest::addRow("large window") << Window::Large << "Command9";
}

void TestChartPointer::keys()
{
    QFETCH(Window, which);
    QFETCH(QString, before);
    QWidget* top = window(which);
    QVERIFY(top);
    top->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(top));
    ChartControl* chart = this->chart(which);
    child<QWidget>(top, qPrintable(before))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), chart);

    // Space steps the cycle as a click does.
    const QString first = chart->chartTitle();
    QTest::keyClick(chart, Qt::Key_Space);
    QCOMPARE(counter(which), 1);
    QVERIFY(chart->chartTitle() != first);

    // Left and Right walk the readout along the time steps, Escape puts it away.
    QTest::keyClick(chart, Qt::Key_Right);
    QCOMPARE(chart->readout().lines().value(1), QStringLiteral("t = 0"));
    QTest::keyClick(chart, Qt::Key_Right);
    QCOMPARE(chart->readout().lines().value(1), QStringLiteral("t = 1"));
    QVERIFY(chart->accessibleDescription().contains(QStringLiteral("Marked: This run")));
    QTest::keyClick(chart, Qt::Key_Left);
    QCOMPARE(chart->readout().lines().value(1), QStringLiteral("t = 0"));
    QTest::keyClick(chart, Qt::Key_Escape);
    QVERIFY(!chart->readout().shown());
    QCOMPARE(counter(which), 1); // none of these keys stepped the cycle

    // The menu key, or Shift+F10, opens the chart's menu.
    auto* menu = child<QMenu>(chart, "chartMenu");
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(chart, key, modifiers);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }
}

void TestChartPointer::descriptionFollowsTheChart()
{
    ChartControl* chart = this->chart(Window::Main);
    QCOMPARE(chart->accessibleDescription(),
             QStringLiteral("Curve of N(t) vs. time. Vertical axis: N(t) from 0 to 800. Horizontal axis: Time from 0 "
                            "to 200. 201 points, the last at Time = 200, N(t) = 499.937."));
    QTest::mouseClick(chart, Qt::LeftButton);
    QVERIFY2(chart->accessibleDescription().startsWith(QStringLiteral("Curve of dN/dt vs. time. Vertical axis: dN")),
             qPrintable(chart->accessibleDescription()));
    QVERIFY(!chart->accessibleDescription().contains(QStringLiteral("kept")));
    for (QAction* action : child<QMenu>(chart, "chartMenu")->actions())
        if (action->text() == QLatin1String("Keep this run"))
            action->trigger();
    QVERIFY2(chart->accessibleDescription().endsWith(
                 QStringLiteral("Shown with 1 kept run: r=0.2, N(0)=1, K=500, T=5, 200 steps.")),
             qPrintable(chart->accessibleDescription()));
}

TARNIS_GUI_TEST_MAIN(TestChartPointer)
#include "test_chart_pointer.moc"
