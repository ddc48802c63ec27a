// A long session of a student who clicks anywhere and types anything, with a fixed seed: every button
// and chart of every window, presets, edits with random texts, Enter, runs, exports (some to places
// that cannot be written), prints, window changes and close boxes. Whenever the program ends, a new
// one starts, as the student would start it again. Throughout and after it: one window on screen at
// a time, the store changed by Run alone and consistent, every exported file whole or the one that
// was there before, and memory that does not grow (leaks are the sanitizer build's to find).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "model/numbers/conversions.h"
#include "model/run/graphic_data.h"
#include "tests/support/app_fixture.h"
#include "tests/support/files.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/locale_numbers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <malloc.h>
#include <random>
#include <unistd.h>

using namespace tarnis;
using namespace tarnis::test;

namespace {

constexpr std::uint32_t Seed = 20261208;
constexpr int DefaultSteps = 20000;
// By then the process-wide caches of fonts, glyphs and pictures have filled: a fresh program started
// at step 2600 takes 5 MiB more than one at step 1400, later ones only a little more (53.7 MiB at
// step 4000, 55.7 MiB at step 19 800).
constexpr int MemoryBaselineStep = 4000;
constexpr qint64 AllowedGrowth = 5 * 1024 * 1024;

// The sanitizer pass of scripts/test asks for fewer steps: the same session, only shorter.
int sessionSteps()
{
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("TARNIS_SESSION_STEPS", &ok);
    return ok && steps > 0 ? steps : DefaultSteps;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderAddressSanitizer = true; // its shadow memory and quarantine make RSS meaningless
#else
constexpr bool UnderAddressSanitizer = false;
#endif

// What the process holds in memory now, after the allocator has given back what it could.
qint64 residentBytes()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    qint64 pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

bool sameStore(const ResultStore& a, const ResultStore& b)
{
    // Bytes, not values: a NaN that the run stored must stay the same NaN.
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Tally {
    int steps = 0;
    int runs = 0;
    int diedOut = 0;
    int refusedRuns = 0;
    int edits = 0;
    int chartClicks = 0;
    int exportsWritten = 0;
    int exportsRefused = 0;
    int exportsCancelled = 0;
    int prints = 0;
    int restarts = 0;
    QMap<QString, int> stepsIn; // steps taken in each window
};

class Session {
public:
    Session();
    ~Session();

    void step();
    void finish();
    const Tally& tally() const { return m_tally; }
    qint64 peakResident() const { return m_peakResident; }
    qint64 baselineResident() const { return m_baselineResident; }
    qint64 finalResident() const { return m_finalResident; }

private:
    struct Action {
        int weight;
        std::function<void()> perform;
        bool mayRun = false; // the action can press Run, which alone may change the store
    };

    SharedState& state() { return m_fixture->state(); }
    FakeServices& fakes() { return m_fixture->fakes(); }
    QWidget* currentWindow();
    std::vector<Action> actionsFor(QWidget* window);
    std::vector<Action> mainWindowActions(QWidget* main);
    std::vector<Action> largeWindowActions(QWidget* large);
    void addButtons(std::vector<Action>& actions, QWidget* window, int weight);
    void perform(std::vector<Action> actions);

    void startProgram();
    void clickAnywhere(QWidget* window);
    void clickChart(QWidget* window);
    void editBox(QWidget* main);
    void pressEnterIn(QWidget* main);
    void run(QWidget* main);
    void exportData(QWidget* main);
    void print(QWidget* window, const char* button);
    QString randomText();
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    void checkShownResult();
    void checkStore();
    void checkFiles();
    void sampleMemory();
    void sampleFreshProgram();

    std::mt19937 m_random{Seed};
    std::unique_ptr<AppFixture> m_fixture;
    QTemporaryDir m_exports;                       // the folder that the exports go to
    QTemporaryDir m_elsewhere;                     // printed pages, and a regular file that a path leads through
    std::map<QString, QByteArray> m_expectedFiles; // each file of m_exports and the content it must have
    QString m_lastWritten;                         // the export that this program wrote last
    bool m_ranInThisProgram = false;
    std::unique_ptr<ResultStore> m_before = std::make_unique<ResultStore>();
    Tally m_tally;
    qint64 m_baselineResident = 0, m_peakResident = 0, m_finalResident = 0;
};

Session::Session()
{
    QVERIFY(m_exports.isValid() && m_elsewhere.isValid());
    QFile regular(m_elsewhere.filePath(QStringLiteral("regular")));
    QVERIFY(regular.open(QIODevice::WriteOnly));
    startProgram();
}

Session::~Session()
{
    m_fixture.reset();
    settle();
}

void Session::startProgram()
{
    // A new process: a fresh state (nothing run, LastStep from the steps box), fresh windows, and
    // nothing remembered but the files on disk.
    m_fixture.reset();
    settle();
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->startAtMainWindow();
    m_ranInThisProgram = false;
    m_lastWritten.clear();
    QCOMPARE(state().store.LastStep, 200);
}

QWidget* Session::currentWindow()
{
    // The windows replace one another: exactly one is on screen, the backdrop behind it aside (and a
    // balloon at one of its boxes, which goes with it).
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowType() == Qt::ToolTip) {
            if (widget->isVisible() && !(widget->parentWidget() && widget->parentWidget()->isVisible()))
                QTest::qFail("a balloon stays on screen without its window", __FILE__, __LINE__);
            continue;
        }
        if (widget->isVisible() && widget->objectName() != QLatin1String("tarnis4") && !widget->objectName().isEmpty())
            shown << widget;
    }
    if (shown.size() != 1) {
        QStringList names;
        for (QWidget* widget : shown)
            names << widget->objectName();
        QTest::qFail(qPrintable(QStringLiteral("windows on screen at step %1: %2")
                                    .arg(m_tally.steps)
                                    .arg(names.join(QStringLiteral(", ")))),
                     __FILE__, __LINE__);
        return nullptr;
    }
    return shown.first();
}

void Session::step()
{
    ++m_tally.steps;
    QWidget* window = currentWindow();
    if (!window)
        return;
    ++m_tally.stepsIn[window->objectName()];
    *m_before = state().store;
    perform(actionsFor(window));
    settle();
    if (QTest::currentTestFailed())
        return;
    if (fakes().processEnd.ends > 0) {
        checkStore();
        ++m_tally.restarts;
        startProgram();
        sampleFreshProgram();
    }
    if (m_tally.steps % 500 == 0) {
        checkStore();
        checkFiles();
    }
    if (m_tally.steps % 100 == 0)
        sampleMemory();
}

void Session::perform(std::vector<Action> actions)
{
    int total = 0;
    for (const Action& action : actions)
        total += action.weight;
    int chosen = pick(total);
    for (const Action& action : actions) {
        if ((chosen -= action.weight) >= 0)
            continue;
        auto* runButton = child<QPushButton>(m_fixture->mainWindow(), "Command2");
        const bool runEnabled = runButton->isEnabled();
        action.perform();
        if (fakes().processEnd.ends > 0)
            return;
        const bool storeChanged = !sameStore(*m_before, state().store);
        QVERIFY2(action.mayRun || !storeChanged, "the store changed without a run");
        // A run (also a click that landed on Run, or Enter while Run had the focus) leaves Run off;
        // a run of the same parameters again leaves the store as it was.
        if (storeChanged || (action.mayRun && runEnabled && !runButton->isEnabled()))
            checkShownResult();
        return;
    }
}

void Session::addButtons(std::vector<Action>& actions, QWidget* window, int weight)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isEnabled() && button->isVisibleTo(window))
            actions.push_back({weight, [button] { QTest::mouseClick(button, Qt::LeftButton); }});
    }
}

std::vector<Session::Action> Session::actionsFor(QWidget* window)
{
    const QString name = window->objectName();
    if (name == QLatin1String("Form1"))
        return mainWindowActions(window);
    if (name == QLatin1String("larggraf"))
        return largeWindowActions(window);
    // The information screens and the leaving sequence: their buttons, anywhere on them, the close box.
    std::vector<Action> actions;
    addButtons(actions, window, 20);
    actions.push_back({10, [this, window] { clickAnywhere(window); }, true});
    actions.push_back({8, [window] { window->close(); }});
    return actions;
}

std::vector<Session::Action> Session::mainWindowActions(QWidget* main)
{
    std::vector<Action> actions{
        {250, [this, main] { editBox(main); }},
        {120, [this, main] { pressEnterIn(main); }},
        {100, [this, main] { run(main); }, true},
        {30, [main] { pressEnter(main->focusWidget() ? main->focusWidget() : main); }, true},
        {80, [this, main] { clickChart(main); }},
        {40, [main] { QTest::mouseClick(child<QPushButton>(main, "Command15"), Qt::LeftButton); }},
        {40, [main] { QTest::mouseClick(child<QPushButton>(main, "Command16"), Qt::LeftButton); }},
        {40, [main] { QTest::mouseClick(child<QPushButton>(main, "Command17"), Qt::LeftButton); }},
        {20, [main] { QTest::mouseClick(child<QLabel>(main, "Label6"), Qt::LeftButton); }},
        {40, [this, main] { exportData(main); }},
        {2, [this, main] { print(main, "Command10"); }},
        {6, [main] { QTest::mouseClick(child<QLabel>(main, "Label17"), Qt::LeftButton); }},
        {6, [main] { QTest::mouseClick(child<QPushButton>(main, "Command8"), Qt::LeftButton); }},
        {6, [main] { QTest::mouseClick(child<QPushButton>(main, "Command14"), Qt::LeftButton); }},
        {3, [main] { QTest::mouseClick(child<QPushButton>(main, "Command1"), Qt::LeftButton); }},
        {30, [this, main] { clickAnywhere(main); }, true},
        {2, [main] { main->close(); }},
    };
    if (child<QPushButton>(main, "Command11")->isEnabled())
        actions.push_back({40, [main] { QTest::mouseClick(child<QPushButton>(main, "Command11"), Qt::LeftButton); }});
    return actions;
}

std::vector<Session::Action> Session::largeWindowActions(QWidget* large)
{
    std::vector<Action> actions;
    for (QAbstractButton* button : large->findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        if (name == QLatin1String("Command6"))
            actions.push_back({2, [this, large] { print(large, "Command6"); }});
        else if (name == QLatin1String("Command4"))
            actions.push_back({25, [button] { QTest::mouseClick(button, Qt::LeftButton); }});
        else
            actions.push_back({20, [button] { QTest::mouseClick(button, Qt::LeftButton); }});
    }
    actions.push_back({80, [this, large] { clickChart(large); }});
    actions.push_back({20, [this, large] { clickAnywhere(large); }});
    actions.push_back({10, [large] { large->close(); }});
    return actions;
}

void Session::clickAnywhere(QWidget* window)
{
    // Where the pointer lands decides which control takes the click, as on a real screen; a click
    // that hits "S" or "P" finds no file name waiting, as if the dialog was cancelled.
    fakes().fileNames.answers.clear();
    fakes().messages.answer = false;
    const QPoint place(pick(window->width()), pick(window->height()));
    QWidget* target = window->childAt(place);
    if (!target)
        target = window;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, place));
}

void Session::clickChart(QWidget* window)
{
    auto* chart = child<ChartControl>(window, "MSChart1");
    if (!chart || !chart->isVisible())
        return;
    ++m_tally.chartClicks;
    QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(pick(chart->width()), pick(chart->height())));
}

QString Session::randomText()
{
    static const QStringList oddTexts{"",         " ",     "abc",    "1e308", "1e309", "-1e309", "nan",  "inf",
                                      "1,5",      "1.5.5", "--1",    "+",     ".",     "e5",     "0x10", "\uFF11\uFF12",
                                      "\t 1 2\n", "32767", "-32769", "9999",  "10000", "2.5",    "-0.4", "-0.6",
                                      "0",        "12abc", "1e3",    "0.7",   "3000",  "1e-310"};
    switch (pick(10)) {
    case 0:
    case 1:
    case 2:
        return oddTexts[pick(int(oddTexts.size()))];
    case 3:
    case 4:
    case 5:
    case 6: { // a number as a student would type one
        QString text = chance(0.1) ? QStringLiteral("-") : QString();
        text += QString::number(pick(chance(0.5) ? 10 : 3000));
        if (chance(0.4))
            text += QLatin1Char('.') + QString::number(pick(1000));
        if (chance(0.1))
            text += QStringLiteral("e") + QString::number(pick(7) - 3);
        return text;
    }
    case 7:
    case 8: { // keys struck at random
        static const QString keys = QStringLiteral("0123456789.,+-eE xa");
        QString text;
        for (int i = pick(12); i > 0; --i)
            text += keys[pick(int(keys.size()))];
        return text;
    }
    default:
        if (chance(0.05)) // a paste of a long column of digits
            return QString(1000 + pick(40000), QLatin1Char('0' + char(pick(10))));
        return QString::number(pick(100000)) + QStringLiteral("x");
    }
}

void Session::editBox(QWidget* main)
{
    static const char* const names[]{"n0", "rrate", "Kvalue", "tlag", "simut"};
    ++m_tally.edits;
    typeOrPaste(child<QLineEdit>(main, names[pick(5)]), randomText());
}

void Session::pressEnterIn(QWidget* main)
{
    static const char* const names[]{"n0", "rrate", "Kvalue", "tlag", "simut"};
    pressEnter(child<QLineEdit>(main, names[pick(5)]));
}

void Session::run(QWidget* main)
{
    auto* runButton = child<QPushButton>(main, "Command2");
    if (!runButton->isEnabled())
        return;
    const qsizetype messagesBefore = fakes().messages.messages.size();
    QTest::mouseClick(runButton, Qt::LeftButton);
    const bool message = fakes().messages.messages.size() > messagesBefore;
    if (message && sameStore(*m_before, state().store)) {
        // Refused: nothing computed, and the user can correct a box and run again.
        ++m_tally.refusedRuns;
        QVERIFY(runButton->isEnabled());
        return;
    }
    QVERIFY(!runButton->isEnabled());
}

void Session::checkShownResult()
{
    // The window shows the run that the store holds.
    ++m_tally.runs;
    m_ranInThisProgram = true;
    QWidget* main = m_fixture->mainWindow();
    const ResultStore& store = state().store;
    QCOMPARE(child<QLabel>(main, "Label4")->text(), QStringLiteral("Population size at t = %1").arg(store.LastStep));
    QCOMPARE(child<QLineEdit>(main, "Text4")->text(),
             QString::fromStdString(numberToText(store.PopN[std::size_t(store.LastStep)], localeDecimalSeparator())));
    QVERIFY(child<ChartControl>(main, "MSChart1")->isVisible());
    if (store.LastStep > 0 && store.PopN[std::size_t(store.LastStep)] == 0.0)
        ++m_tally.diedOut;
}

void Session::exportData(QWidget* main)
{
    enum Target { Folder, Cancel, UnderAFile, FullDevice, MissingFolder, FullDisk };
    static const std::array<int, 6> weights{70, 8, 6, 6, 5, 5};
    int chosen = pick(100);
    int target = 0;
    while ((chosen -= weights[std::size_t(target)]) >= 0)
        ++target;

    static const QStringList names{"data.csv", "run 2.csv", "results.txt", "r0.2"};
    QString path = m_exports.filePath(names[pick(int(names.size()))]);
    if (target == UnderAFile)
        path = m_elsewhere.filePath(QStringLiteral("regular/data.csv"));
    else if (target == FullDevice)
        path = QStringLiteral("/dev/full");
    else if (target == MissingFolder)
        path = m_exports.filePath(QStringLiteral("no such folder/data.csv"));
    auto& fileNames = fakes().fileNames;
    fileNames.answers = target == Cancel ? QStringList() : QStringList{path};
    const QByteArray content = QByteArray::fromStdString(graphicDataText(state().store));
    const qsizetype messagesBefore = fakes().messages.messages.size();
    {
        std::optional<FileSizeLimit> fullDisk;
        if (target == FullDisk)
            fullDisk.emplace(rlim_t(content.size() / 2));
        QTest::mouseClick(child<QPushButton>(main, "Command13"), Qt::LeftButton);
    }
    QCOMPARE(fileNames.suggestions.last(), m_lastWritten); // the dialog offers the file written last
    const QStringList& messages = fakes().messages.messages;
    if (target == Cancel) {
        ++m_tally.exportsCancelled;
        QCOMPARE(messages.size(), messagesBefore);
    } else if (target == Folder) {
        ++m_tally.exportsWritten;
        QVERIFY2(messages.size() == messagesBefore, qPrintable(messages.value(messages.size() - 1)));
        QVERIFY(contentOf(path) == content);
        m_expectedFiles[path] = content;
        m_lastWritten = path;
    } else {
        ++m_tally.exportsRefused;
        QCOMPARE(messages.size(), messagesBefore + 1);
        QVERIFY2(messages.last().startsWith(QStringLiteral("Cannot write file ")), qPrintable(messages.last()));
        if (target == FullDisk)
            QVERIFY(contentOf(path) == m_expectedFiles[path]); // the old file whole, or still none
    }
}

void Session::print(QWidget* window, const char* button)
{
    // Mostly a printer that takes the page; else none, or one that fails, and the offer of a PDF
    // that the user takes or declines.
    ++m_tally.prints;
    auto& printer = fakes().printer;
    const int kind = pick(10);
    printer.fileName = kind < 7 ? m_elsewhere.filePath(QStringLiteral("printed.pdf")) : QString();
    printer.failure = kind == 9 ? QStringLiteral("The printer is out of paper") : QString();
    if (kind == 9)
        printer.fileName = m_elsewhere.filePath(QStringLiteral("failed.pdf"));
    fakes().messages.answer = chance(0.5);
    fakes().fileNames.answers = {m_elsewhere.filePath(QStringLiteral("saved.pdf"))};
    const qsizetype messagesBefore = fakes().messages.messages.size();
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    QCOMPARE(fakes().messages.messages.size(), messagesBefore + (kind < 7 ? 0 : 1));
    fakes().fileNames.answers.clear();
}

void Session::checkStore()
{
    const ResultStore& store = state().store;
    QVERIFY(store.LastStep >= 0 && store.LastStep <= MaxStoreIndex);
    if (!m_ranInThisProgram) {
        static const ResultStore fresh = [] {
            ResultStore start;
            start.LastStep = 200;
            return start;
        }();
        QVERIFY2(sameStore(store, fresh), "the store changed before any run");
        return;
    }
    QVERIFY(std::isfinite(store.ParamR) && std::isfinite(store.ParamK) && store.ParamK != 0.0);
    QVERIFY(std::isfinite(store.PopN[0]) && store.PopN[0] != 0.0);
    const int last = store.LastStep;
    const bool diedOut = last > 0 && store.PopN[std::size_t(last)] == 0.0;
    for (int t = 0; t < last; ++t) {
        const double n = store.PopN[std::size_t(t)], dN = store.PopDN[std::size_t(t)];
        const double next = store.PopN[std::size_t(t) + 1];
        QVERIFY2(std::isfinite(dN) && std::isfinite(next), qPrintable(QString::number(t)));
        QVERIFY2(t == 0 || n > 0.0, qPrintable(QString::number(t)));
        // Exactly the doubles that the recurrence gives, bit for bit.
        QVERIFY2(store.PopDNperN[std::size_t(t)] == dN / n, qPrintable(QString::number(t)));
        if (t + 1 < last || !diedOut)
            QVERIFY2(next == dN + n, qPrintable(QString::number(t)));
        else
            QVERIFY(dN + n <= 0.0);
    }
}

void Session::checkFiles()
{
    // Every file in the folder is one that an export wrote whole; no half-written file, no leftover.
    const QStringList entries
        = QDir(m_exports.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString path = m_exports.filePath(entry);
        QVERIFY2(m_expectedFiles.contains(path), qPrintable(QStringLiteral("unexpected file ") + entry));
        QVERIFY2(contentOf(path) == m_expectedFiles[path], qPrintable(entry));
    }
    QCOMPARE(entries.size(), qsizetype(m_expectedFiles.size()));
}

void Session::sampleMemory()
{
    if (UnderAddressSanitizer)
        return;
    if (m_tally.steps >= MemoryBaselineStep)
        m_peakResident = std::max(m_peakResident, residentBytes());
}

// Growth is measured between fresh programs, just started, so that it counts what one program leaves
// behind for the next and not what a long-lived one holds in its caches at the moment of sampling.
void Session::sampleFreshProgram()
{
    if (UnderAddressSanitizer || m_tally.steps < MemoryBaselineStep)
        return;
    const qint64 resident = residentBytes();
    if (m_baselineResident == 0)
        m_baselineResident = resident;
    m_finalResident = resident;
}

void Session::finish()
{
    checkStore();
    checkFiles();
}

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT
private slots:
    void longSession();
};

void TestRandomSession::longSession()
{
    const int steps = sessionSteps();
    QElapsedTimer clock;
    clock.start();
    Session session;
    while (session.tally().steps < steps && !QTest::currentTestFailed())
        session.step();
    if (QTest::currentTestFailed())
        return;
    session.finish();
    if (QTest::currentTestFailed())
        return;

    const Tally& tally = session.tally();
    QStringList windows;
    for (auto it = tally.stepsIn.cbegin(); it != tally.stepsIn.cend(); ++it)
        windows << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    qInfo("%d steps in %.1f s, seed %u: %d runs (%d died out), %d refused, %d edits, %d chart clicks, exports %d "
          "written, %d refused, %d cancelled, %d prints, %d restarts; steps by window: %s",
          tally.steps, clock.elapsed() / 1000.0, Seed, tally.runs, tally.diedOut, tally.refusedRuns, tally.edits,
          tally.chartClicks, tally.exportsWritten, tally.exportsRefused, tally.exportsCancelled, tally.prints,
          tally.restarts, qPrintable(windows.join(QStringLiteral(", "))));
    if (UnderAddressSanitizer || steps <= MemoryBaselineStep)
        return;
    constexpr double MiB = 1024.0 * 1024.0;
    qInfo("memory: %.1f MiB at the first start after step %d, peak %.1f MiB after it, %.1f MiB at the last start",
          session.baselineResident() / MiB, MemoryBaselineStep, session.peakResident() / MiB,
          session.finalResident() / MiB);
    QVERIFY2(session.finalResident() - session.baselineResident() <= AllowedGrowth,
             qPrintable(QStringLiteral("memory grew by %1 MiB")
                            .arg((session.finalResident() - session.baselineResident()) / MiB, 0, 'f', 1)));
}

TARNIS_GUI_TEST_MAIN(TestRandomSession)
#include "test_random_session.moc"
