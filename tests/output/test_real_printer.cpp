// "P" and the activities' sheets on a real printer: the desktop program's own print path against a
// print server that this test starts for itself, with a PDF queue as the default printer. Skips,
// saying why, where that server cannot run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/activities.h"
#include "output/default_printer.h"
#include "tests/output/private_print_server.h"
#include "tests/support/app_fixture.h"
#include "tests/support/files.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>

using namespace tarnis;
using namespace tarnis::test;

namespace {

const QString Queue = QStringLiteral("TarnisTestPDF");

QStringList pdfFilesIn(const QString& folder) { return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files); }

} // namespace

class TestRealPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // In this order, each on the server as the one before left it: no printer, a printer that is
    // not the default, the default printer, and that printer refusing jobs.
    void serverWithoutPrinters();
    void printersButNoDefault();
    void printsOnePageOnTheDefaultPrinter();
    void printsWorksheetAndKey();
    void refusedJobIsReported();
    void defaultInstanceKeepsItsOptions();

private:
    void pressPrint() { QVERIFY(clickButton(m_fixture->mainWindow(), "Command10")); }
    QString waitForNewPdf(const QStringList& before);

    PrivatePrintServer m_server;
    DefaultPrinter m_printer;
    std::unique_ptr<AppFixture> m_fixture;
    QString m_pdfFolder;
    bool m_pdfFolderExisted = false;
    bool m_backendLogExisted = false;
    QStringList m_printed; // PDF files that this test made the backend write
};

void TestRealPrinter::initTestCase()
{
    if (const QString missing = pdfToolsMissing(); !missing.isEmpty())
        QSKIP(qPrintable(QStringLiteral("the printed page cannot be looked at: ") + missing));
    if (const auto why = m_server.start())
        QSKIP(qPrintable(QStringLiteral("no private print server: ") + *why));
    // Before anything in this process asks the print service, so that it only ever sees this server.
    qputenv("CUPS_SERVER", QFile::encodeName(m_server.socketPath()));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_server.clientRoot()));
    m_pdfFolder = cupsPdfOutputFolder();
    m_pdfFolderExisted = QFileInfo(m_pdfFolder).isDir();
    m_backendLogExisted = QFileInfo::exists(cupsPdfLog(Queue));
}

void TestRealPrinter::cleanupTestCase()
{
    m_server.stop();
    for (const QString& file : std::as_const(m_printed))
        QFile::remove(file);
    if (!m_pdfFolderExisted && !m_pdfFolder.isEmpty())
        QDir().rmdir(m_pdfFolder); // only if empty: nothing of anyone else's goes
    if (!m_backendLogExisted)
        QFile::remove(cupsPdfLog(Queue)); // the backend's log of this test's own queue
}

void TestRealPrinter::init()
{
    m_fixture = std::make_unique<AppFixture>(&m_printer);
    m_fixture->startAtMainWindow();
}

void TestRealPrinter::cleanup() { m_fixture.reset(); }

QString TestRealPrinter::waitForNewPdf(const QStringList& before)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 90000) {
        for (const QString& name : pdfFilesIn(m_pdfFolder)) {
            if (before.contains(name) || !m_server.printedHere(name))
                continue;
            const QString file = QDir(m_pdfFolder).filePath(name);
            if (!m_printed.contains(file))
                m_printed << file;
            if (pdfPageCount(file)) // readable: the backend has finished it
                return file;
        }
        QTest::qWait(250);
    }
    return {};
}

void TestRealPrinter::serverWithoutPrinters()
{
    QVERIFY(QPrinterInfo::availablePrinterNames().isEmpty()); // the machine's own printers are out of sight
    pressPrint();
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(QStringLiteral("The page was not printed: no printer is set up")),
             qPrintable(messages[0]));
}

void TestRealPrinter::printersButNoDefault()
{
    if (const auto why = m_server.addPdfQueue(Queue))
        QFAIL(qPrintable(*why));
    QCOMPARE(QPrinterInfo::availablePrinterNames(), QStringList{Queue});
    pressPrint();
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(QStringLiteral("The page could not be printed:\nNone of the printers is set")),
             qPrintable(messages[0]));
}

void TestRealPrinter::printsOnePageOnTheDefaultPrinter()
{
    if (const auto why = m_server.makeDefault(Queue))
        QFAIL(qPrintable(*why));
    QCOMPARE(QPrinterInfo::defaultPrinterName(), Queue);
    const QStringList before = pdfFilesIn(m_pdfFolder);

    pressPrint();
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));

    const QString printed = waitForNewPdf(before);
    QVERIFY2(!printed.isEmpty(),
             qPrintable(QStringLiteral("no PDF arrived in %1\n%2").arg(m_pdfFolder, m_server.logTail())));
    QCOMPARE(pdfPageCount(printed), 1);
    const QImage page = pdfFirstPage(printed, 40);
    const QRect ink = inkBounds(page);
    QVERIFY2(ink.width() > page.width() * 3 / 4,
             qPrintable(QStringLiteral("ink %1 wide on a page %2 wide").arg(ink.width()).arg(page.width())));
    // The red title box of the window came through.
    bool red = false;
    for (int y = ink.top(); y < ink.top() + ink.height() / 4 && !red; ++y) {
        for (int x = ink.left(); x < ink.left() + ink.width() / 3 && !red; ++x) {
            const QColor colour = page.pixelColor(x, y);
            red = colour.red() > 200 && colour.green() < 80 && colour.blue() < 80;
        }
    }
    QVERIFY(red);
}

// The Activities window's sheets, each one job of several pages: the worksheet's first page shows the
// first activity's title and its first question, the key's first page every question of it. The
// printer's file is read as a reader sees it, since its fonts lost their characters on the way.
void TestRealPrinter::printsWorksheetAndKey()
{
    if (const QString missing = ocrToolMissing(); !missing.isEmpty())
        QSKIP(qPrintable(QStringLiteral("the printed words cannot be read: ") + missing));
    Navigator& navigator = m_fixture->app().navigator();
    navigator.show(WindowId::Activities);
    QWidget* activities = navigator.existing(WindowId::Activities);
    QVERIFY(activities);
    const Activity& first = tarnis::activities().front();
    QStringList key;
    for (int step = 0; step < int(first.steps.size()); ++step)
        key << QString::fromStdString(stepWords(first, step, '.').question);
    const QStringList worksheet{QString::fromStdString(first.title), key.front()};
    for (const auto& [button, expected] : {std::pair{"printWorksheet", worksheet}, std::pair{"printKey", key}}) {
        const QStringList before = pdfFilesIn(m_pdfFolder);
        QVERIFY(clickButton(activities, button));
        const QStringList& messages = m_fixture->fakes().messages.messages;
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        const QString printed = waitForNewPdf(before);
        QVERIFY2(!printed.isEmpty(),
                 qPrintable(QStringLiteral("no PDF arrived in %1\n%2").arg(m_pdfFolder, m_server.logTail())));
        QVERIFY(pdfPageCount(printed) > 1);
        const auto seen = pdfPageSeen(printed, 1);
        QVERIFY(seen);
        for (const QString& words : expected)
            QVERIFY2(seen->simplified().contains(words), qPrintable(words + QStringLiteral(" not in:\n") + *seen));
    }
}

void TestRealPrinter::refusedJobIsReported()
{
    QVERIFY(m_server.runTool(QStringLiteral("cupsreject"), {Queue}));
    pressPrint();
    QVERIFY(m_server.runTool(QStringLiteral("cupsaccept"), {Queue}));
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(QStringLiteral("The page could not be printed:\n%1: ").arg(Queue)),
             qPrintable(messages[0]));
}

void TestRealPrinter::defaultInstanceKeepsItsOptions()
{
    // An instance of the queue, saved by the user as the default with an option of its own: a job
    // held until released, which shows in the queue instead of arriving as a PDF.
    const QString options = QDir(m_server.clientRoot()).filePath(QStringLiteral("lpoptions"));
    writeContent(options, QStringLiteral("Default %1/held job-hold-until=indefinite\n").arg(Queue).toUtf8());
    QCOMPARE(QPrinterInfo::defaultPrinterName(), Queue + QStringLiteral("/held"));
    pressPrint();
    QFile::remove(options);
    const QStringList& messages = m_fixture->fakes().messages.messages;
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    const auto jobs = m_server.runTool(QStringLiteral("lpstat"), {QStringLiteral("-l"), QStringLiteral("-o"), Queue});
    m_server.runTool(QStringLiteral("cancel"), {QStringLiteral("-a"), Queue});
    QVERIFY(jobs);
    QVERIFY2(jobs->contains(QStringLiteral("job-hold-until-specified")), qPrintable(*jobs));
}

TARNIS_GUI_TEST_MAIN(TestRealPrinter)
#include "test_real_printer.moc"
