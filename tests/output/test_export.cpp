// "S" of the main window through the file-name and message seams: the file written, a cancel that
// writes nothing, failures of the file system named, and which run the file holds.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/graphic_data.h"
#include "tests/support/app_fixture.h"
#include "tests/support/files.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"

#include "output/file_saving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tarnis;
using namespace tarnis::test;

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveWritesTheRun();
    void saveBeforeAnyRun();
    void cancelWritesNothing();
    void exportingTwiceKeepsOnlyTheSecond();
    void editedBoxesDoNotReachTheFile();
    void failuresAreNamed_data();
    void failuresAreNamed();
    void failedWriteKeepsTheOldFile();
    void hardLinksKeepTheirFile_data();
    void hardLinksKeepTheirFile();
    void savesInAFolderThatTakesNoOtherFile();

private:
    QString path(const QString& name) const { return m_folder->filePath(name); }
    QStringList entries() const
    {
        return QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
    QString fullDevice();
    void save(const QString& answer);
    void run() { QVERIFY(clickButton(m_main, "Command2")); }
    QStringList messages() const { return m_fixture->fakes().messages.messages; }

    std::unique_ptr<AppFixture> m_fixture;
    QWidget* m_main = nullptr;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestExport::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->startAtMainWindow();
    m_main = m_fixture->mainWindow();
}

void TestExport::cleanup()
{
    m_fixture.reset();
    m_folder.reset();
}

void TestExport::save(const QString& answer)
{
    if (!answer.isEmpty())
        m_fixture->fakes().fileNames.answers << answer;
    QVERIFY(clickButton(m_main, "Command13"));
}

void TestExport::saveWritesTheRun()
{
    run();
    save(path("run.csv"));
    const QByteArray written = contentOf(path("run.csv"));
    QCOMPARE(written, QByteArray::fromStdString(graphicDataText(m_fixture->state().store)));
    QCOMPARE(written.count("\r\n"), 203);
    QVERIFY(written.endsWith("200,499.94,-.02,0\r\n"));
    QCOMPARE(m_fixture->fakes().fileNames.suggestions, QStringList{QString()});
    QCOMPARE(QString::fromStdString(m_fixture->state().lastExportFileName), path("run.csv"));
    QVERIFY(messages().isEmpty());
}

void TestExport::saveBeforeAnyRun()
{
    save(path("empty.csv"));
    const QByteArray written = contentOf(path("empty.csv"));
    QVERIFY(written.startsWith("\"Logistic growth, N(0)= 0, r= 0, K= 0\"\r\n"));
    QVERIFY(written.endsWith("\r\n200,0,0,0\r\n"));
    QCOMPARE(written.count("\r\n"), 203);
}

void TestExport::cancelWritesNothing()
{
    run();
    save(path("kept.csv"));
    writeContent(path("kept.csv"), "the user's own content\r\n");
    typeInto(child<QLineEdit>(m_main, "simut"), QStringLiteral("10"));
    pressEnter(child<QLineEdit>(m_main, "simut"));
    run();
    save(QString()); // the dialog is cancelled: it yields no name
    QCOMPARE(m_fixture->fakes().fileNames.calls, 2);
    QCOMPARE(m_fixture->fakes().fileNames.suggestions.last(), path("kept.csv")); // offered again
    QCOMPARE(contentOf(path("kept.csv")), QByteArray("the user's own content\r\n"));
    QCOMPARE(entries(), QStringList{"kept.csv"});
    QVERIFY(messages().isEmpty());
}

void TestExport::exportingTwiceKeepsOnlyTheSecond()
{
    run();
    save(path("twice.csv"));
    typeInto(child<QLineEdit>(m_main, "simut"), QStringLiteral("10"));
    pressEnter(child<QLineEdit>(m_main, "simut"));
    run();
    save(path("twice.csv"));
    const QByteArray written = contentOf(path("twice.csv"));
    QCOMPARE(written.count("\r\n"), 13);
    QVERIFY(written.split('\n').at(12).startsWith("10,"));
    QCOMPARE(written, QByteArray::fromStdString(graphicDataText(m_fixture->state().store)));
}

void TestExport::editedBoxesDoNotReachTheFile()
{
    run();
    typeInto(child<QLineEdit>(m_main, "n0"), QStringLiteral("7"));
    typeInto(child<QLineEdit>(m_main, "rrate"), QStringLiteral("0.9"));
    save(path("old.csv"));
    const QByteArray written = contentOf(path("old.csv"));
    QVERIFY(written.startsWith("\"Logistic growth, N(0)= 1, r= .2, K= 500\"\r\n"));
    QVERIFY(written.contains("\r\n0,1,.2,.2\r\n"));
    QCOMPARE(written.count("\r\n"), 203);
}

QString TestExport::fullDevice()
{
    // A private twin of /dev/full where this process may make one, so that no mistake can touch the
    // machine's own device; the real one otherwise, which an unprivileged process cannot replace.
    const QString twin = path("full");
    if (mknod(QFile::encodeName(twin).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        return twin;
    return QStringLiteral("/dev/full");
}

void TestExport::failuresAreNamed_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::addRow("folder that does not exist") << "no/such/folder/data.csv"
                                                << "No such file or directory";
    QTest::addRow("path under a regular file") << "plain.txt/data.csv"
                                               << "Not a directory";
    QTest::addRow("full disk") << "full"
                               << "No space left on device";
    QTest::addRow("a folder") << "folder"
                              << "refers to a directory";
}

void TestExport::failuresAreNamed()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    writeContent(path("plain.txt"), "plain");
    QVERIFY(QDir(m_folder->path()).mkdir("folder"));
    const QString fileName = target == QLatin1String("full") ? fullDevice() : path(target);
    run();
    save(fileName);
    QCOMPARE(messages().size(), 1);
    const QString message = messages().first();
    QVERIFY2(message.startsWith(QStringLiteral("Cannot write file %1:\n").arg(fileName)), qPrintable(message));
    QVERIFY2(message.contains(reason, Qt::CaseInsensitive), qPrintable(message));
    QVERIFY(message.endsWith(QLatin1Char('.')));
    QVERIFY(m_fixture->state().lastExportFileName.empty());
    QCOMPARE(contentOf(path("plain.txt")), QByteArray("plain"));
    QStringList left = entries();
    left.removeOne("full");
    QCOMPARE(left, (QStringList{"folder", "plain.txt"}));
    QVERIFY(QDir(path("folder")).isEmpty());
    if (target == QLatin1String("full")) {
        QVERIFY(!QFileInfo(fileName).isFile()); // still the device, not a file put in its place
        QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    }
}

void TestExport::failedWriteKeepsTheOldFile()
{
    run();
    writeContent(path("old.csv"), "an earlier export\r\n");
    {
        const FileSizeLimit nearlyFull(1000); // the file needs about 4 KB
        save(path("old.csv"));
    }
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().first().startsWith(QStringLiteral("Cannot write file %1:\n").arg(path("old.csv"))),
             qPrintable(messages().first()));
    QVERIFY2(messages().first().contains(QStringLiteral("too large"), Qt::CaseInsensitive),
             qPrintable(messages().first()));
    QCOMPARE(contentOf(path("old.csv")), QByteArray("an earlier export\r\n"));
    QCOMPARE(entries(), QStringList{"old.csv"}); // no temporary file left behind
}

void TestExport::hardLinksKeepTheirFile_data()
{
    QTest::addColumn<qint64>("sizeLimit"); // a file-size limit standing in for a full disk; 0 for none
    QTest::addColumn<bool>("written");
    QTest::addRow("written through both names") << qint64(0) << true;
    QTest::addRow("a failed write puts the old text back") << qint64(1000) << false;
}

void TestExport::hardLinksKeepTheirFile()
{
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, written);
    const QByteArray old = QByteArray("an earlier export\r\n").repeated(10);
    writeContent(path("data.csv"), old);
    QVERIFY(::link(QFile::encodeName(path("data.csv")).constData(), QFile::encodeName(path("other.csv")).constData())
            == 0);
    run();
    {
        std::optional<FileSizeLimit> nearlyFull;
        if (sizeLimit)
            nearlyFull.emplace(rlim_t(sizeLimit));
        save(path("data.csv"));
    }
    const QByteArray expected = written ? QByteArray::fromStdString(graphicDataText(m_fixture->state().store)) : old;
    QCOMPARE(contentOf(path("data.csv")), expected);
    QCOMPARE(contentOf(path("other.csv")), expected); // still one file under two names
    struct stat status { };
    QCOMPARE(::stat(QFile::encodeName(path("data.csv")).constData(), &status), 0);
    QCOMPARE(status.st_nlink, nlink_t(2));
    QCOMPARE(messages().size(), written ? 0 : 1);
    QCOMPARE(entries(), (QStringList{"data.csv", "other.csv"}));
}

void TestExport::savesInAFolderThatTakesNoOtherFile()
{
    // A file the user may write, in a folder where they may make no file: no temporary file can stand
    // beside it, so it is written over where it is. Root may write anywhere, so the saving is done
    // by an unprivileged user then.
    const QString folder = path("locked");
    const QString file = folder + QStringLiteral("/data.csv");
    QVERIFY(QDir().mkdir(folder));
    writeContent(file, "an earlier export\r\n");
    uid_t user = geteuid();
    if (user == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (!nobody)
            QSKIP("there is no unprivileged user to save as");
        user = nobody->pw_uid;
        QCOMPARE(::chown(QFile::encodeName(file).constData(), user, nobody->pw_gid), 0);
        QCOMPARE(::chmod(QFile::encodeName(m_folder->path()).constData(), 0711), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    } else {
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    }
    QProcess saving;
    saving.start(QStringLiteral(SAVE_AS_USER_PATH), {QString::number(user), file, QStringLiteral("new text\r\n")});
    QVERIFY(saving.waitForFinished(30000));
    const QString answer = QString::fromLocal8Bit(saving.readAllStandardOutput()).trimmed();
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    QCOMPARE(answer, QStringLiteral("saved"));
    QCOMPARE(saving.exitCode(), 0);
    QCOMPARE(contentOf(file), QByteArray("new text\r\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"data.csv"});
}

TARNIS_GUI_TEST_MAIN(TestExport)
#include "test_export.moc"
