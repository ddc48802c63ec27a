// The large graph window: its design, its buttons, how "LG" opens it on N(t) against time in the
// look left over from its last chart, and the two ways back to the main window.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "charts/large_graph_window.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QGroupBox>
#include <QSignalSpy>

using namespace tarnis;
using namespace tarnis::test;

Q_DECLARE_METATYPE(SeriesLook)

class TestLargeGraph : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void design();
    void buttons_data();
    void buttons();
    void tabOrder();
    void opensOnNtvsT();
    void lookLeftOver_data();
    void lookLeftOver();
    void mainFormKeepsTheWindow();
    void closeBoxDestroysTheWindow();
    void opensAfterAnEdit();
    void printButton();

private:
    QWidget* openLargeGraph() { return m_fixture->openLargeGraph(); }
    QWidget* large() { return m_fixture->app().navigator().existing(WindowId::LargeGraph); }
    ChartControl* chart(QWidget* window) { return child<ChartControl>(window, "MSChart1"); }

    std::unique_ptr<AppFixture> m_fixture;
    QWidget* m_main = nullptr;
};

void TestLargeGraph::init()
{
    m_fixture = startTarnis(AfterStart::RunDefaults);
    m_main = m_fixture->mainWindow();
}

void TestLargeGraph::cleanup() { m_fixture.reset(); }

void TestLargeGraph::design()
{
    QVERIFY(!large());
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("larggraf"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(window->size(), QSize(717, 554));
    QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(child<QGroupBox>(window, "Frame2")->title(), QStringLiteral("Graph"));
    QCOMPARE(chart(window)->geometry(), QRect(6, 19, 692, 462));
    QVERIFY(chart(window)->isVisible());
}

void TestLargeGraph::buttons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("fontA");    // else font B
    QTest::addColumn<QString>("title"); // of the chart it draws; empty for the two that draw none
    QTest::addColumn<SeriesLook>("look");
    const auto row = [](const char* name, const char* caption, const char* toolTip, bool fontA, const char* title,
                        SeriesLook look) {
        QTest::addRow("%s", name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                                  << QString::fromLatin1(toolTip) << fontA << QString::fromLatin1(title) << look;
    };
    const auto line = SeriesLook::Line, points = SeriesLook::Points;
    row("Command1", "N vs. t", "Show N(t) vs. t", true, "Curve of N(t) vs. time", line);
    row("Command3", "dN vs. t", "Show dN vs. t", true, "Curve of dN/dt vs. time", line);
    row("Command7", "dN/N vs. N", "Show dN/N vs. N", true, "Curve of dN/Ndt vs. N", points);
    row("Command8", "N, dN vs. t", "Show N and dN vs. t", true, "Curve of N and dN/dt vs. time", line);
    row("Command9", "lnN vs. t", "Show logN(t) vs. t", true, "Curve of logN(t) vs. time", line);
    row("Command2", "dN vs. N", "Show dN vs. N", true, "Curve of dN vs. N", points);
    row("Command6", "P", "Print this form", true, "", line);
    row("Command4", "Main form", "", true, "", line);
    row("cmdDNperNvsNinLine", "dN/N vs. N in line", "", false, "Curve of dN/Ndt vs. N", line);
    row("cmddNvsNinLine", "dN vs. N in line", "", false, "Curve of dN vs. N", line);
    row("cmdNtnextvsNt", "N(t+1) vs. N(t) in line", "", false, "Curve of N(t+1) vs. N(t)", line);
    row("Command5", "N(t+1) vs. N(t)", "Show N(t+1) vs. N(t)", true, "Curve of N(t+1) vs. N(t)", points);
}

void TestLargeGraph::buttons()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(bool, fontA);
    QFETCH(QString, title);
    QFETCH(SeriesLook, look);
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    auto* button = child<QPushButton>(window, qPrintable(name));
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->font().family(), fontA ? QStringLiteral("MS Sans Serif") : QStringLiteral("Times New Roman"));
    QCOMPARE(button->font().pointSizeF(), fontA ? 9.6 : 12.0);
    QVERIFY(!button->font().bold());
    QCOMPARE(button->testAttribute(Qt::WA_SetCursor), fontA);
    if (title.isEmpty())
        return;
    // Start from the other look, so that the button has to set its own.
    QVERIFY(clickButton(window, look == SeriesLook::Line ? "Command2" : "cmddNvsNinLine"));
    QVERIFY(clickButton(window, qPrintable(name)));
    QCOMPARE(chart(window)->chartTitle(), title);
    QCOMPARE(chart(window)->series().seriesLook(ChartSeries::FirstSeries), look);
    QCOMPARE(chart(window)->series().rowCount(), 201);
    QCOMPARE(m_fixture->state().ChartCycleLarge, 0);
}

void TestLargeGraph::tabOrder()
{
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    child<QWidget>(window, "Command3")->setFocus();
    const QStringList order{"Command4",       "Command5",      "Command6", "Command7", "Command1",
                            "Command2",       "Command8",      "Command9", "MSChart1", "cmdDNperNvsNinLine",
                            "cmddNvsNinLine", "cmdNtnextvsNt", "Command3"};
    for (const QString& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
}

void TestLargeGraph::opensOnNtvsT()
{
    QTest::mouseClick(chart(m_main), Qt::LeftButton);
    QTest::mouseClick(chart(m_main), Qt::LeftButton);
    QCOMPARE(chart(m_main)->chartTitle(), QStringLiteral("Curve of dN vs. N"));
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    QVERIFY(!m_main->isVisible());
    QCOMPARE(chart(window)->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QCOMPARE(chart(window)->yAxisTitle(), QStringLiteral("N(t)"));
    QCOMPARE(chart(window)->xAxisTitle(), QStringLiteral("Time"));
    QCOMPARE(chart(window)->series().rowCount(), 201);
    QCOMPARE(m_fixture->state().ChartCycleMain, 2);
    QCOMPARE(m_fixture->state().ChartCycleLarge, 0);
}

void TestLargeGraph::lookLeftOver_data()
{
    QTest::addColumn<QString>("lastButton"); // the chart drawn before leaving; empty: none
    QTest::addColumn<bool>("closeBox");      // left through the close box, else "Main form"
    QTest::addColumn<SeriesLook>("look");    // of N(t) at the next "LG"
    QTest::addRow("after dN vs. N") << "Command2" << false << SeriesLook::Points;
    QTest::addRow("after N(t+1) vs. N(t)") << "Command5" << false << SeriesLook::Points;
    QTest::addRow("after dN vs. N in line") << "cmddNvsNinLine" << false << SeriesLook::Line;
    QTest::addRow("unchanged") << "" << false << SeriesLook::Line;
    QTest::addRow("points, then the close box") << "Command2" << true << SeriesLook::Line;
}

void TestLargeGraph::lookLeftOver()
{
    QFETCH(QString, lastButton);
    QFETCH(bool, closeBox);
    QFETCH(SeriesLook, look);
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    QCOMPARE(chart(window)->series().seriesLook(ChartSeries::FirstSeries), SeriesLook::Line);
    if (!lastButton.isEmpty())
        QVERIFY(clickButton(window, qPrintable(lastButton)));
    if (closeBox) {
        window->close();
        settle();
    } else {
        QVERIFY(clickButton(window, "Command4"));
    }
    window = openLargeGraph();
    QVERIFY(window);
    QCOMPARE(chart(window)->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QCOMPARE(chart(window)->series().seriesLook(ChartSeries::FirstSeries), look);
}

void TestLargeGraph::mainFormKeepsTheWindow()
{
    QTest::mouseClick(chart(m_main), Qt::LeftButton);
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    QVERIFY(clickButton(window, "Command8"));
    QVERIFY(clickButton(window, "Command4"));
    QVERIFY(!window->isVisible());
    QCOMPARE(large(), window);
    QVERIFY(m_main->isVisible());
    QCOMPARE(chart(m_main)->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    QVERIFY(chart(m_main)->isVisible());
    QCOMPARE(chart(window)->chartTitle(), QStringLiteral("Curve of N and dN/dt vs. time"));
    QCOMPARE(openLargeGraph(), window);
    QCOMPARE(chart(window)->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QCOMPARE(chart(window)->series().seriesCount(), 1);
}

void TestLargeGraph::closeBoxDestroysTheWindow()
{
    QTest::mouseClick(chart(m_main), Qt::LeftButton);
    QPointer<QWidget> window = openLargeGraph();
    QVERIFY(window);
    window->close();
    QVERIFY(m_main->isVisible());
    QCOMPARE(chart(m_main)->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    settle();
    QVERIFY(!window);
    QVERIFY(!large());
    QVERIFY(openLargeGraph());
    QVERIFY(!m_main->isVisible());
    QCOMPARE(chart(large())->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QCOMPARE(m_fixture->fakes().processEnd.ends, 0);
}

void TestLargeGraph::opensAfterAnEdit()
{
    typeInto(child<QLineEdit>(m_main, "simut"), QStringLiteral("50"));
    QVERIFY(!chart(m_main)->isVisible());
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    QCOMPARE(chart(window)->series().rowCount(), 201); // the last run, not the edited steps
}

void TestLargeGraph::printButton()
{
    QWidget* window = openLargeGraph();
    QVERIFY(window);
    QSignalSpy prints(qobject_cast<LargeGraphWindow*>(window), &LargeGraphWindow::printRequested);
    QVERIFY(clickButton(window, "Command6"));
    QCOMPARE(prints.count(), 1);
    QVERIFY(window->isVisible());
}

TARNIS_GUI_TEST_MAIN(TestLargeGraph)
#include "test_large_graph.moc"
