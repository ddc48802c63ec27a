// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/private_display.h"

#include "tests/support/helper_processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>

namespace tarnis::test {

namespace {

bool waitFor(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

} // namespace

PrivateDisplay::~PrivateDisplay() { stop(); }

// Xvfb chooses a free display itself and says which on its standard output (-displayfd) once it takes
// connections: two tests, or two suites on one machine, that started at once can no longer pick the
// same number, where one server would fail and both tests end up on the other's display.
std::optional<QString> PrivateDisplay::start()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (server.isEmpty())
        return QStringLiteral("Xvfb is not installed (xvfb)");
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start(server,
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted(10000))
        return QStringLiteral("Xvfb did not start: ") + m_server.errorString();
    QElapsedTimer waited;
    waited.start();
    while (!m_server.canReadLine() && m_server.state() == QProcess::Running && waited.elapsed() < 60000)
        m_server.waitForReadyRead(1000);
    const QByteArray number = m_server.readLine().trimmed();
    if (number.isEmpty() || m_server.state() != QProcess::Running) {
        endProcess(m_server);
        return QStringLiteral("Xvfb found no free display");
    }
    m_name = QStringLiteral(":") + QString::fromLatin1(number);
    return std::nullopt;
}

std::optional<QString> PrivateDisplay::startWindowManager()
{
    const QString manager = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (manager.isEmpty())
        return QStringLiteral("openbox is not installed (openbox)");
    m_windowManager.setProcessEnvironment(environment());
    // It runs its start-up command once it has taken the display; a busy machine may take its time.
    const QString ready = QDir::temp().filePath(
        QStringLiteral("tarnis-openbox-%1-%2").arg(QCoreApplication::applicationPid()).arg(m_name.mid(1)));
    QFile::remove(ready);
    const auto cleanUp = qScopeGuard([&ready] { QFile::remove(ready); });
    if (auto why = startQuietProgram(
            m_windowManager, QStringLiteral("openbox"), manager,
            {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("touch ") + ready}, 0))
        return why;
    if (!waitFor([&] { return QFileInfo::exists(ready) || m_windowManager.state() != QProcess::Running; }, 60000)
        || m_windowManager.state() != QProcess::Running)
        return QStringLiteral("openbox did not take the display: ") + QString::fromLocal8Bit(m_windowManager.readAll());
    return std::nullopt;
}

void PrivateDisplay::stop()
{
    endProcess(m_windowManager);
    endProcess(m_server);
}

QProcessEnvironment PrivateDisplay::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

} // namespace tarnis::test
