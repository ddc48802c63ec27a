// "P" through the print seam, with a PDF file as the printer: where the picture of a window goes on
// the page, the page that the main window prints, and the PDF offered when there is no printer or
// the print fails; the worksheets of the activities, each step whole on its page of A4 or Letter, and
// the teacher's key with every answer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activity_sheets.h"
#include "output/window_printing.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/identity.h"
#include "ui/navigator.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tarnis;
using namespace tarnis::test;

namespace {

// The fake printer's page: A4 with 10 mm margins, seen at this resolution.
constexpr int Dpi = 40;
constexpr double PageWidthMm = 210, PageHeightMm = 297, MarginMm = 10;
int pixels(double millimetres) { return qRound(millimetres / 25.4 * Dpi); }

// Where a part of a window lands on the fake printer's page, in pixels at this resolution: the
// window spans the printable width from the top left margin.
QRect onPage(QWidget* window, QWidget* part, QRect within, int dotsPerInch)
{
    const double millimetresPerPixel = (PageWidthMm - 2 * MarginMm) / window->width();
    const double scale = millimetresPerPixel / 25.4 * dotsPerInch;
    const double margin = MarginMm / 25.4 * dotsPerInch;
    const QRect rect = within.translated(part->mapTo(window, QPoint(0, 0)));
    return QRectF(margin + rect.x() * scale, margin + rect.y() * scale, rect.width() * scale, rect.height() * scale)
        .toAlignedRect();
}

// How many pixels the edges of dark marks take to pass from paper to ink, on average along the rows
// of a region: about one where text is drawn at the page's resolution, three or more where it was
// enlarged from screen pixels.
double edgeWidth(const QImage& page, const QRect& region)
{
    int edges = 0, width = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        int lastLight = -1;
        for (int x = region.left(); x <= region.right(); ++x) {
            const int grey = qGray(page.pixel(x, y));
            if (grey >= 200) {
                lastLight = x;
            } else if (grey <= 80 && lastLight >= 0) {
                ++edges;
                width += x - lastLight - 1;
                lastLight = -1;
            }
        }
    }
    return edges ? double(width) / edges : -1.0;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pagePlace_data();
    void pagePlace();
    void pictureFillsThePrintableWidth_data();
    void pictureFillsThePrintableWidth();
    void mainWindowPrintsOnOnePage();
    void largeGraphWindowPrintsItself();
    void chartIsAsSharpAsTheButtons();
    void whenThePrintFails_data();
    void whenThePrintFails();
    void sheetAddress_data();
    void sheetAddress();
    void worksheetKeepsEachStepOnOnePage_data();
    void worksheetKeepsEachStepOnOnePage();
    void teachersKeyHoldsEveryAnswer();

private:
    QString path(const QString& name) const { return m_folder->filePath(name); }
    // Presses a button of the Activities window, on this activity, and gives the printed pages' words,
    // each page's with its white space made single spaces.
    QStringList printFromActivities(const char* button, const std::string& activity = "lag");

    std::unique_ptr<AppFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestPrinting::initTestCase()
{
    if (const QString missing = pdfToolsMissing(); !missing.isEmpty())
        QSKIP(qPrintable(QStringLiteral("the printed pages cannot be looked at: ") + missing));
}

void TestPrinting::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->startAtMainWindow();
}

void TestPrinting::cleanup()
{
    m_fixture.reset();
    m_folder.reset();
}

void TestPrinting::pagePlace_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("place");
    QTest::addRow("wide window on a tall page") << QSize(700, 500) << QSize(1400, 2000) << QRect(0, 0, 1400, 1000);
    QTest::addRow("tall window on a wide page") << QSize(100, 400) << QSize(800, 600) << QRect(325, 0, 150, 600);
    QTest::addRow("small window scaled up") << QSize(10, 5) << QSize(100, 100) << QRect(0, 0, 100, 50);
    QTest::addRow("same proportions") << QSize(30, 40) << QSize(300, 400) << QRect(0, 0, 300, 400);
    QTest::addRow("empty picture") << QSize(0, 0) << QSize(300, 400) << QRect();
    QTest::addRow("no printable area") << QSize(30, 40) << QSize(0, 0) << QRect();
}

void TestPrinting::pagePlace()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QRect, place);
    QCOMPARE(tarnis::pagePlace(picture, area), place);
}

void TestPrinting::pictureFillsThePrintableWidth_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addRow("wide") << QSize(600, 200);
    QTest::addRow("tall") << QSize(200, 600);
}

void TestPrinting::pictureFillsThePrintableWidth()
{
    QFETCH(QSize, window);
    // Any window prints: a plain dark one shows exactly where its picture lands on the page.
    QWidget plain;
    plain.setWindowTitle(QStringLiteral("Plain"));
    plain.setFixedSize(window);
    plain.setAutoFillBackground(true);
    plain.setPalette(QPalette(Qt::black));
    FakeServices fakes;
    fakes.printer.fileName = path("plain.pdf");
    printWindow(plain, fakes.services());

    QCOMPARE(fakes.printer.titles, QStringList{"Plain"});
    QVERIFY(fakes.messages.messages.isEmpty());
    QCOMPARE(pdfPageCount(path("plain.pdf")), 1);
    const QImage page = pdfFirstPage(path("plain.pdf"), Dpi);
    QCOMPARE(page.size(), QSize(pixels(PageWidthMm), pixels(PageHeightMm)));
    const QRect ink = inkBounds(page);
    const QRect printable(pixels(MarginMm), pixels(MarginMm), pixels(PageWidthMm - 2 * MarginMm),
                          pixels(PageHeightMm - 2 * MarginMm));
    QVERIFY2(
        printable.adjusted(-1, -1, 1, 1).contains(ink),
        qPrintable(QStringLiteral("ink at %1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    QVERIFY(qAbs(ink.top() - printable.top()) <= 1);
    QVERIFY(qAbs(ink.width() - printable.width()) <= 2 || qAbs(ink.height() - printable.height()) <= 2);
    QVERIFY(qAbs(ink.center().x() - printable.center().x()) <= 1);
    const double proportions = double(ink.width()) / ink.height();
    QVERIFY(qAbs(proportions / (double(window.width()) / window.height()) - 1.0) < 0.02);
}

void TestPrinting::mainWindowPrintsOnOnePage()
{
    PdfFilePrinter& printer = m_fixture->fakes().printer;
    printer.fileName = path("main.pdf");
    QVERIFY(clickButton(m_fixture->mainWindow(), "Command10"));
    QCOMPARE(printer.titles, QStringList{"Tarnis"});
    QVERIFY(m_fixture->fakes().messages.messages.isEmpty());
    QCOMPARE(pdfPageCount(path("main.pdf")), 1);
    const QImage page = pdfFirstPage(path("main.pdf"), Dpi);
    const QRect ink = inkBounds(page);
    QVERIFY(ink.width() > page.width() * 3 / 4);
    // The red title box stands at the top left of the window, and so of the page.
    const QColor titleBox = page.pixelColor(pixels(MarginMm) + pixels(30), pixels(MarginMm) + pixels(8));
    QVERIFY2(titleBox.red() > 200 && titleBox.green() < 80 && titleBox.blue() < 80, qPrintable(titleBox.name()));
}

void TestPrinting::largeGraphWindowPrintsItself()
{
    PdfFilePrinter& printer = m_fixture->fakes().printer;
    printer.fileName = path("large.pdf");
    m_fixture->run();
    QWidget* large = m_fixture->openLargeGraph();
    QVERIFY(large);
    QVERIFY(clickButton(large, "Command6"));
    QCOMPARE(printer.titles, QStringList{"Form2"});
    QCOMPARE(pdfPageCount(path("large.pdf")), 1);
    // The window is wider than high, so its picture spans the printable width.
    constexpr int ReadingDpi = 100;
    const QImage page = pdfFirstPage(path("large.pdf"), ReadingDpi);
    QVERIFY(inkBounds(page).width() > page.width() * 3 / 4);
    // The chart's curve and axes fill its place, and every button of both rows shows its caption.
    auto* chart = child<QWidget>(large, "MSChart1");
    const QRect chartInk = inkBounds(page.copy(onPage(large, chart, chart->rect(), ReadingDpi)));
    QVERIFY(chartInk.width() > onPage(large, chart, chart->rect(), ReadingDpi).width() * 3 / 4);
    for (QPushButton* button : large->findChildren<QPushButton*>()) {
        const QImage place = page.copy(onPage(large, button, button->rect().adjusted(4, 4, -4, -4), ReadingDpi));
        bool caption = false;
        for (int y = 0; y < place.height() && !caption; ++y)
            for (int x = 0; x < place.width() && !caption; ++x)
                caption = qGray(place.pixel(x, y)) < 100;
        QVERIFY2(caption, qPrintable(button->objectName() + QStringLiteral(" is not on the page")));
    }
    QVERIFY(large->isVisible());
}

void TestPrinting::chartIsAsSharpAsTheButtons()
{
    constexpr int SharpDpi = 300;
    PdfFilePrinter& printer = m_fixture->fakes().printer;
    printer.fileName = path("main.pdf");
    QWidget* main = m_fixture->mainWindow();
    m_fixture->run();
    QVERIFY(clickButton(main, "Command10"));
    const QImage page = pdfFirstPage(path("main.pdf"), SharpDpi);
    QVERIFY(!page.isNull());
    auto* chart = child<QWidget>(main, "MSChart1");
    auto* run = child<QWidget>(main, "Command1");
    // The chart's title stands in its top row, centred; "Quit" in the middle of its button.
    const QRect title = onPage(main, chart, QRect(chart->width() / 4, 2, chart->width() / 2, 18), SharpDpi);
    const QRect caption = onPage(main, run, run->rect().adjusted(8, 5, -8, -5), SharpDpi);
    const double titleEdges = edgeWidth(page, title);
    const double captionEdges = edgeWidth(page, caption);
    QVERIFY2(titleEdges >= 0 && captionEdges >= 0, "no text found where the title and the caption should be");
    QVERIFY2(
        titleEdges <= captionEdges + 0.5,
        qPrintable(
            QStringLiteral("edges of the chart title %1 px, of the caption %2 px").arg(titleEdges).arg(captionEdges)));
}

void TestPrinting::whenThePrintFails_data()
{
    QTest::addColumn<bool>("printerThere");
    QTest::addColumn<bool>("wantPdf");
    QTest::addColumn<QString>("pdfName");
    QTest::addColumn<QString>("firstMessage");
    QTest::addColumn<QString>("secondMessage");
    const QString noPrinter = QStringLiteral("The page was not printed: no printer is set up on this computer.");
    const QString failed = QStringLiteral("The page could not be printed:\nOffice: printer not accepting jobs");
    QTest::addRow("no printer, no PDF") << false << false << "" << noPrinter << "";
    QTest::addRow("print fails, no PDF") << true << false << "" << failed << "";
    QTest::addRow("no printer, saved as PDF") << false << true << "page.pdf" << noPrinter << "";
    QTest::addRow("print fails, saved as PDF") << true << true << "page.pdf" << failed << "";
    QTest::addRow("no printer, PDF name cancelled") << false << true << "" << noPrinter << "";
    QTest::addRow("no printer, PDF folder missing")
        << false << true << "missing/page.pdf" << noPrinter << "Cannot write file %1:\nNo such file or directory.";
}

void TestPrinting::whenThePrintFails()
{
    QFETCH(bool, printerThere);
    QFETCH(bool, wantPdf);
    QFETCH(QString, pdfName);
    QFETCH(QString, firstMessage);
    QFETCH(QString, secondMessage);
    FakeServices& fakes = m_fixture->fakes();
    if (printerThere) {
        fakes.printer.fileName = path("printer.pdf");
        fakes.printer.failure = QStringLiteral("Office: printer not accepting jobs");
    }
    fakes.messages.answer = wantPdf;
    if (!pdfName.isEmpty())
        fakes.fileNames.answers << path(pdfName);
    QFile::remove(path("printer.pdf"));
    const QStringList before = QDir(m_folder->path()).entryList(QDir::Files);

    QVERIFY(clickButton(m_fixture->mainWindow(), "Command10"));

    const QStringList& messages = fakes.messages.messages;
    QCOMPARE(messages.size(), secondMessage.isEmpty() ? 1 : 2);
    QVERIFY2(messages[0].startsWith(firstMessage), qPrintable(messages[0]));
    QVERIFY(messages[0].endsWith(QStringLiteral("Do you want to save the page as a PDF file instead?")));
    if (!secondMessage.isEmpty())
        QCOMPARE(messages[1], secondMessage.arg(path(pdfName)));
    QCOMPARE(fakes.fileNames.calls, wantPdf ? 1 : 0);
    if (wantPdf)
        QCOMPARE(fakes.fileNames.suggestions, QStringList{"Tarnis.pdf"});
    QStringList written = QDir(m_folder->path()).entryList(QDir::Files);
    written.removeOne("printer.pdf");
    const bool saved = wantPdf && pdfName == QLatin1String("page.pdf");
    QCOMPARE(written, saved ? QStringList{"page.pdf"} : before);
    if (saved) {
        QCOMPARE(pdfPageCount(path("page.pdf")), 1);
        QVERIFY(!inkBounds(pdfFirstPage(path("page.pdf"), Dpi)).isEmpty());
    }
    QVERIFY(m_fixture->mainWindow()->isVisible());
}

namespace {

// The words of the model, joined by spaces, as the page's text has them.
QString singleSpaced(std::initializer_list<std::string> words)
{
    QStringList joined;
    for (const std::string& part : words)
        joined << QString::fromStdString(part);
    return joined.join(' ').simplified();
}

} // namespace

QStringList TestPrinting::printFromActivities(const char* button, const std::string& activity)
{
    Navigator& navigator = m_fixture->app().navigator();
    navigator.show(WindowId::Activities);
    QWidget* activities = navigator.existing(WindowId::Activities);
    auto* choice = child<QComboBox>(activities, "activityChoice");
    if (!choice)
        return {};
    choice->setCurrentIndex(choice->findText(QString::fromStdString(activityNamed(activity)->title)));
    if (!clickButton(activities, button))
        return {};
    const auto pages = pdfPageTexts(m_fixture->fakes().printer.fileName);
    if (!pages) {
        QTest::qFail("the printed file cannot be read", __FILE__, __LINE__);
        return {};
    }
    QStringList spaced;
    for (const QString& page : *pages)
        spaced << page.simplified();
    return spaced;
}

void TestPrinting::sheetAddress_data()
{
    QTest::addColumn<QString>("homePage");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("withCode");
    const ActivityWords words = activityWords();
    const QString fragment = QString::fromStdString(activityFragment(*activityNamed("limit"), 0));
    QTest::addRow("no home page") << "" << QString::fromStdString(words.fragmentNote) << "#" + fragment << false;
    QTest::addRow("home page") << "https://tarnis.test/page/" << QString::fromStdString(words.linkLine)
                               << "https://tarnis.test/page/#" + fragment << true;
    QTest::addRow("home page with a fragment") << "https://tarnis.test/#about" << QString::fromStdString(words.linkLine)
                                               << "https://tarnis.test/#" + fragment << true;
}

// The worksheet's address opens the activity's first step in the page; without a page to open it in,
// it is the fragment with the model's note of where it goes, and no code.
void TestPrinting::sheetAddress()
{
    QFETCH(QString, homePage);
    QFETCH(QString, line);
    QFETCH(QString, address);
    QFETCH(bool, withCode);
    const SheetAddress made = tarnis::sheetAddress(*activityNamed("limit"), homePage);
    QCOMPARE(made.line, line);
    QCOMPARE(made.address, address);
    QCOMPARE(made.withCode, withCode);
    QVERIFY(address.endsWith("activity=limit&step=1&r=0.2&N0=1&K=500&T=5&steps=200"));
}

void TestPrinting::worksheetKeepsEachStepOnOnePage_data()
{
    QTest::addColumn<QByteArray>("activity");
    QTest::addColumn<QPageSize>("paper");
    for (const Activity& activity : activities()) {
        const QByteArray id = QByteArray::fromStdString(activity.id);
        QTest::addRow("%s, A4", id.constData()) << id << QPageSize(QPageSize::A4);
        QTest::addRow("%s, Letter", id.constData()) << id << QPageSize(QPageSize::Letter);
    }
}

// Each step's heading, set-up, what to look at, chart, question and room to answer stand on one page,
// the chart as a drawing whose texts are texts; the title and aim come first, with the address that
// opens the activity in the page.
void TestPrinting::worksheetKeepsEachStepOnOnePage()
{
    QFETCH(QByteArray, activity);
    QFETCH(QPageSize, paper);
    PdfFilePrinter& printer = m_fixture->fakes().printer;
    printer.fileName = path("worksheet.pdf");
    printer.paper = paper;
    const QStringList pages = printFromActivities("printWorksheet", activity.toStdString());
    QVERIFY(!pages.isEmpty());
    const Activity& shown = *activityNamed(activity.toStdString());
    QCOMPARE(printer.titles, QStringList{QString::fromStdString(shown.title)});
    QVERIFY(m_fixture->fakes().messages.messages.isEmpty());
    QVERIFY(pages.front().startsWith(singleSpaced({shown.title, shown.aim})));
    const SheetAddress address = tarnis::sheetAddress(shown, identity::homePage());
    QVERIFY2(QString(pages.front()).remove(' ').contains(address.address), qPrintable(pages.front()));
    for (int step = 0; step < int(shown.steps.size()); ++step) {
        const StepWords words = stepWords(shown, step, '.');
        const QString block = singleSpaced({words.heading, words.setupLine, words.look});
        const auto page = std::find_if(pages.begin(), pages.end(), [&](const QString& p) { return p.contains(block); });
        QVERIFY2(page != pages.end(), qPrintable(block));
        const QString after = page->mid(page->indexOf(block) + block.size());
        const qsizetype chart = after.indexOf(QStringLiteral("Curve of N(t) vs. time"));
        QVERIFY2(chart >= 0, qPrintable(after)); // drawn in vectors: its title is text
        QVERIFY2(after.indexOf(singleSpaced({words.question, "Answer:"})) > chart, qPrintable(after));
    }
}

// The key: its title, every activity's title, and each step's question with the model's answer.
void TestPrinting::teachersKeyHoldsEveryAnswer()
{
    PdfFilePrinter& printer = m_fixture->fakes().printer;
    printer.fileName = path("key.pdf");
    const QString key = printFromActivities("printKey").join(' ');
    QCOMPARE(printer.titles, QStringList{QString::fromStdString(activityWords().keyTitle)});
    QVERIFY(key.startsWith(QString::fromStdString(activityWords().keyTitle)));
    for (const KeySection& section : teachersKey('.')) {
        QVERIFY2(key.contains(singleSpaced({section.title})), qPrintable(QString::fromStdString(section.title)));
        for (const KeyLine& line : section.lines) {
            const QString entry = singleSpaced({line.question, "Answer:", line.answer});
            QVERIFY2(key.contains(entry), qPrintable(entry));
        }
    }
}

TARNIS_GUI_TEST_MAIN(TestPrinting)
#include "test_printing.moc"
