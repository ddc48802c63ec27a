// The right-click menu of both charts: each picture format written through the file-name seam and
// read back, the chart's rows on the clipboard, and clicks that still step the cycle only when left.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace tarnis;
using namespace tarnis::test;

namespace {

enum class Window { Main, Large };

QByteArray contentOf(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names of the elements of an SVG file, or the parser's complaint as the only name.
QStringList svgElements(const QByteArray& svg)
{
    QXmlStreamReader reader(svg);
    QStringList names;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            names << reader.name().toString();
    }
    if (reader.hasError())
        return {QStringLiteral("error: ") + reader.errorString()};
    return names;
}

// A click as the window system delivers it, through the chart's window: only that way does a right
// click also ask for the context menu, as it does on a desktop.
void clickAsUser(QWidget* widget, Qt::MouseButton button, QPoint at = QPoint(40, 40))
{
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), button, {}, widget->mapTo(top, at));
}

} // namespace

class TestChartMenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rightClickOpensTheMenuAndLeftClickSteps_data();
    void rightClickOpensTheMenuAndLeftClickSteps();
    void picturesReadBack_data();
    void picturesReadBack();
    void cancelledOrFailedSave();
    void copyData_data();
    void copyData();

private:
    QWidget* window(Window which);
    ChartControl* chart(Window which) { return child<ChartControl>(window(which), "MSChart1"); }
    std::int16_t& counter(Window which);
    QMenu* menuOf(ChartControl* chart) { return child<QMenu>(chart, "chartMenu"); }
    void choose(ChartControl* chart, const QString& entry);
    void runWithRate(const QString& rate);

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
    if (QWidget* large = m_fixture->app().navigator().existing(WindowId::larggraf); large && large->isVisible())
        return large;
    return m_fixture->openLargeGraph();
}

std::int16_t& TestChartMenu::counter(Window which)
{
    return which == Window::Main ? m_fixture->state().ChartCycleMain : m_fixture->state().ChartCycleLarge;
}

// Opens the menu with a right click, as a user does, and takes one of its entries.
void TestChartMenu::choose(ChartControl* chart, const QString& entry)
{
    clickAsUser(chart, Qt::RightButton);
    QMenu* menu = menuOf(chart);
    QVERIFY(menu && menu->isVisible());
    const QList<QAction*> actions = menu->actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == entry; });
    QVERIFY2(found != actions.end(), qPrintable(entry));
    (*found)->trigger();
    menu->hide();
}

void TestChartMenu::runWithRate(const QString& rate)
{
    QWidget* main = m_fixture->mainWindow();
    QLineEdit* box = child<QLineEdit>(main, "rrate");
    typeInto(box, rate);
    pressEnter(box);
    QVERIFY(clickButton(main, "Command2"));
}

void TestChartMenu::rightClickOpensTheMenuAndLeftClickSteps_data()
{
    QTest::addColumn<Window>("which");
    QTest::addRow("main window") << Window::Main;
    QTest::addRow("large graph window") << Window::Large;
}

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
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text();
    // Separators have no text.
    QCOMPARE(entries,
             QStringList({QStringLiteral("Save chart as PNG…"), QStringLiteral("Save chart as SVG…"),
                          QStringLiteral("Save chart as PDF…"), QStringLiteral("Copy data"), QString(),
                          QStringLiteral("Keep this run"), QStringLiteral("Forget kept runs"), QString(),
                          QStringLiteral("Fit to data"), QStringLiteral("Logarithmic N axis")}));
    QCOMPARE(counter(which), before);
    QCOMPARE(shown->chartTitle(), title);
    menu->hide();

    clickAsUser(shown, Qt::LeftButton);
    QCOMPARE(counter(which), before + 1);
    QCOMPARE(shown->chartTitle(), QStringLiteral("Curve of dN/dt vs. time"));
    QVERIFY(!menu->isVisible());
}

void TestChartMenu::picturesReadBack_data()
{
    QTest::addColumn<Window>("which");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("suggested");
    const QString suggested = QStringLiteral("Curve of N(t) vs. time");
    for (const auto& [which, name] : {std::pair{Window::Main, "main"}, std::pair{Window::Large, "large"}}) {
        QTest::addRow("%s PNG", name) << which << QStringLiteral("Save chart as PNG…") << suggested + ".png";
        QTest::addRow("%s SVG", name) << which << QStringLiteral("Save chart as SVG…") << suggested + ".svg";
        QTest::addRow("%s PDF", name) << which << QStringLiteral("Save chart as PDF…") << suggested + ".pdf";
    }
}

void TestChartMenu::picturesReadBack()
{
    QFETCH(Window, which);
    QFETCH(QString, entry);
    QFETCH(QString, suggested);
    ChartControl* shown = chart(which);
    QVERIFY(shown);
    const QString fileName = m_folder.filePath(QStringLiteral("chart"));
    QFile::remove(fileName);
    m_fixture->fakes().fileNames.answers = {fileName};
    choose(shown, entry);
    QCOMPARE(m_fixture->fakes().fileNames.suggestions, QStringList{suggested});
    QCOMPARE(m_fixture->fakes().messages.messages, QStringList());
    const QByteArray content = contentOf(fileName);

    if (suggested.endsWith(".png")) {
        const QImage picture = QImage::fromData(content, "PNG");
        QCOMPARE(picture.size(), shown->size() * 2);
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::white));
    } else if (suggested.endsWith(".svg")) {
        const QStringList elements = svgElements(content);
        QVERIFY2(!elements.isEmpty() && elements.first() == "svg", qPrintable(elements.value(0)));
        // Lines as vectors; the curve in its series' colour.
        QVERIFY(elements.count(QStringLiteral("path")) + elements.count(QStringLiteral("polyline")) > 0);
        QVERIFY(content.contains(R"(stroke="#0000c0")"));
        // The texts stay texts, so the drawing can be edited and searched.
        QVERIFY(elements.contains(QStringLiteral("text")));
        QVERIFY(content.contains("Curve of N(t) vs. time"));
    } else {
        if (const QString missing = pdfToolsMissing(); !missing.isEmpty())
            QFAIL(qPrintable(missing));
        QCOMPARE(pdfPageCount(fileName), 1);
        // At the screen's resolution the page is the chart, pixel for pixel.
        const QImage page = pdfFirstPage(fileName, 96);
        QVERIFY(qAbs(page.width() - shown->width()) <= 1 && qAbs(page.height() - shown->height()) <= 1);
        QVERIFY(!inkBounds(page).isEmpty());
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
    QTest::addRow("default run, N(t)") << QString() << 0 << QLocale::English
                                       << "Time\tN(t)\n0\t1\n1\t1.1996\n2\t1.438944383936\n3\t1.7259050363471757\n"
                                       << 201;
    QTest::addRow("two series") << QString() << 4 << QLocale::English
                                << "Time\tN\tTime\tdN\n0\t1\t0\t0.1996\n1\t1.1996\t1\t0.23934438393600002\n"
                                << 201;
    QTest::addRow("comma locale") << QString() << 0 << QLocale::German << "Time\tN(t)\n0\t1\n1\t1,1996\n" << 201;
    // ln 0 has no value: the cell stays empty.
    QTest::addRow("extinction, lnN") << "1" << 5 << QLocale::English << "Time\tlnN\n0\t0\n" << 18;
}

void TestChartMenu::copyData()
{
    QFETCH(QString, rate);
    QFETCH(int, clicksFromN);
    QFETCH(QLocale::Language, language);
    QFETCH(QString, firstLines);
    QFETCH(int, rows);
    if (!rate.isEmpty())
        runWithRate(rate);
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

TARNIS_GUI_TEST_MAIN(TestChartMenu)
#include "test_chart_menu.moc"
