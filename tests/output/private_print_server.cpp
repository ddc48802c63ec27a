// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/output/private_print_server.h"

#include "tests/support/helper_processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace tarnis::test {

namespace {

const QString PdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString PdfDriver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString findTool(const QString& name)
{
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    return found;
}

bool writeText(const QString& fileName, const QString& text)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Why the server cannot run on this machine, before trying.
std::optional<QString> missingPrerequisite()
{
    if (geteuid() != 0)
        return QStringLiteral("cupsd must be started as root to run print jobs (it hands them to the lp user)");
    for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cupsreject", "cupsaccept"}) {
        if (findTool(QLatin1String(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (cups-daemon, cups-client)").arg(QLatin1String(tool));
    }
    if (!QFileInfo::exists(PdfBackend) || !QFileInfo::exists(PdfDriver))
        return QStringLiteral("the cups-pdf backend is not installed (printer-driver-cups-pdf)");
    if (!getpwnam("lp"))
        return QStringLiteral("there is no lp user for cupsd to run jobs as");
    return std::nullopt;
}

} // namespace

PrivatePrintServer::PrivatePrintServer()
    : m_folder(QDir::temp().filePath(QStringLiteral("tarnis-print-XXXXXX")))
{
}

PrivatePrintServer::~PrivatePrintServer() { stop(); }

QString PrivatePrintServer::socketPath() const { return path(QStringLiteral("cups.sock")); }

bool PrivatePrintServer::writeConfiguration()
{
    // The job filters run as lp and must reach the spool inside this folder.
    QFile::setPermissions(m_folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                              | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                              | QFileDevice::ExeOther);
    for (const char* folder : {"etc/ppd", "spool/tmp", "cache", "state", "log", "ssl"}) {
        if (!QDir(m_folder.path()).mkpath(QLatin1String(folder)))
            return false;
    }
    // Only the socket listens; nobody needs to log in; a job that fails is dropped, not retried.
    const QString server = QStringLiteral("Listen %1\n"
                                          "Browsing Off\n"
                                          "WebInterface No\n"
                                          "LogLevel info\n"
                                          "DefaultAuthType None\n"
                                          "ErrorPolicy abort-job\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Policy default>\n"
                                          "  JobPrivateAccess default\n  JobPrivateValues default\n"
                                          "  SubscriptionPrivateAccess default\n  SubscriptionPrivateValues default\n"
                                          "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                                          "</Policy>\n")
                               .arg(socketPath());
    const QString files = QStringLiteral("User lp\nGroup lp\nSystemGroup root\n"
                                         "ServerRoot %1\nRequestRoot %2\nTempDir %3\nCacheDir %4\nStateDir %5\n"
                                         "ServerKeychain %6\nAccessLog %7\nErrorLog %8\nPageLog %9\n"
                                         "Printcap %10\nFileDevice No\n")
                              .arg(path("etc"), path("spool"), path("spool/tmp"), path("cache"), path("state"),
                                   path("ssl"), path("log/access_log"), path("log/error_log"), path("log/page_log"))
                              .arg(path("printcap"));
    // The PDF printer writes into one folder for every server on the machine, and names a file by the
    // job's title and number: jobs numbered from the process id apart keep two test runs at the same
    // time (two builds, two checkouts) from writing, finding or removing each other's files.
    const QString jobs = QStringLiteral("NextJobId %1\n").arg(firstJobId());
    return writeText(path("cupsd.conf"), server) && writeText(path("cups-files.conf"), files)
        && writeText(path("cache/job.cache"), jobs);
}

std::optional<QString> PrivatePrintServer::start()
{
    if (const auto missing = missingPrerequisite())
        return missing;
    if (!m_folder.isValid() || !writeConfiguration())
        return QStringLiteral("cannot prepare the server's folder in %1").arg(QDir::tempPath());
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(findTool(QStringLiteral("cupsd")),
                   {QStringLiteral("-f"), QStringLiteral("-c"), path("cupsd.conf"), QStringLiteral("-s"),
                    path("cups-files.conf")});
    if (!m_daemon.waitForStarted(10000))
        return QStringLiteral("cupsd did not start: %1").arg(m_daemon.errorString());
    if (!waitUntilAnswering()) {
        const QString output = QString::fromLocal8Bit(m_daemon.readAll());
        stop();
        return QStringLiteral("cupsd did not answer: %1 %2").arg(output, logTail());
    }
    return std::nullopt;
}

bool PrivatePrintServer::waitUntilAnswering()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000 && m_daemon.state() == QProcess::Running) {
        const auto status = runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")});
        if (status && status->contains(QLatin1String("scheduler is running")))
            return true;
        QThread::msleep(200);
    }
    return false;
}

void PrivatePrintServer::stop() { endProcess(m_daemon, 10000); }

std::optional<QString> PrivatePrintServer::runTool(const QString& tool, const QStringList& arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(findTool(tool), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAll());
}

std::optional<QString> PrivatePrintServer::addPdfQueue(const QString& name)
{
    if (!runTool(QStringLiteral("lpadmin"),
                 {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                  QStringLiteral("-P"), PdfDriver, QStringLiteral("-o"), QStringLiteral("Label=2")}))
        return QStringLiteral("lpadmin could not add the queue. ") + logTail();
    return std::nullopt;
}

int PrivatePrintServer::firstJobId() const { return int(QCoreApplication::applicationPid() % 1000000) * 1000 + 1000; }

bool PrivatePrintServer::printedHere(const QString& pdfName) const
{
    static const QRegularExpression label(QStringLiteral("-job_(\\d+)\\.pdf$"));
    const QRegularExpressionMatch job = label.match(pdfName);
    const long long id = job.hasMatch() ? job.captured(1).toLongLong() : -1;
    return id >= firstJobId() && id < firstJobId() + 1000;
}

std::optional<QString> PrivatePrintServer::makeDefault(const QString& name)
{
    if (!runTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}))
        return QStringLiteral("lpadmin could not make the queue the default. ") + logTail();
    return std::nullopt;
}

QString PrivatePrintServer::logTail() const
{
    QFile log(path("log/error_log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QByteArrayList lines = log.readAll().split('\n');
    return QString::fromLocal8Bit(lines.mid(qMax(0, int(lines.size()) - 15)).join('\n'));
}

namespace {

// A setting of the backend's system configuration, or its default.
QString cupsPdfSetting(const QString& key, const QString& fallback)
{
    QFile configuration(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (!configuration.open(QIODevice::ReadOnly))
        return fallback;
    const auto setting
        = QRegularExpression(QStringLiteral("^%1\\s+(\\S.*?)\\s*$").arg(key), QRegularExpression::MultilineOption)
              .match(QString::fromLocal8Bit(configuration.readAll()));
    return setting.hasMatch() ? setting.captured(1) : fallback;
}

} // namespace

QString cupsPdfOutputFolder()
{
    const passwd* user = getpwuid(geteuid());
    const QString home = user ? QFile::decodeName(user->pw_dir) : QDir::homePath();
    const QString name = user ? QString::fromLocal8Bit(user->pw_name) : QString();
    return cupsPdfSetting(QStringLiteral("Out"), QStringLiteral("${HOME}/PDF"))
        .replace(QLatin1String("${HOME}"), home)
        .replace(QLatin1String("${USER}"), name);
}

QString cupsPdfLog(const QString& queue)
{
    return QDir(cupsPdfSetting(QStringLiteral("Log"), QStringLiteral("/var/log/cups")))
        .filePath(QStringLiteral("cups-pdf-%1_log").arg(queue));
}

} // namespace tarnis::test
