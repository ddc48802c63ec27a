// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/private_display.h"

#include <QElapsedTimer>
#include <QFileInfo>
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

void end(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

PrivateDisplay::~PrivateDisplay() { stop(); }

std::optional<QString> PrivateDisplay::start()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (server.isEmpty())
        return QStringLiteral("Xvfb is not installed (xvfb)");
    for (int number = 91; number < 140; ++number) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        if (QFileInfo::exists(socket) || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        m_name = QStringLiteral(":%1").arg(number);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(server,
                       {m_name, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(10000))
            return QStringLiteral("Xvfb did not start: ") + m_server.errorString();
        if (waitFor([&] { return QFileInfo::exists(socket) || m_server.state() == QProcess::NotRunning; }, 10000)
            && m_server.state() == QProcess::Running)
            return std::nullopt;
        end(m_server);
    }
    return QStringLiteral("Xvfb found no free display");
}

std::optional<QString> PrivateDisplay::startWindowManager()
{
    const QString manager = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (manager.isEmpty())
        return QStringLiteral("openbox is not installed (openbox)");
    m_windowManager.setProcessEnvironment(environment());
    m_windowManager.setProcessChannelMode(QProcess::MergedChannels);
    m_windowManager.start(manager, {QStringLiteral("--sm-disable")});
    if (!m_windowManager.waitForStarted(10000))
        return QStringLiteral("openbox did not start: ") + m_windowManager.errorString();
    // It says nothing when ready; it has taken the display once it is still running a moment later.
    QThread::msleep(1000);
    if (m_windowManager.state() != QProcess::Running)
        return QStringLiteral("openbox stopped: ") + QString::fromLocal8Bit(m_windowManager.readAll());
    return std::nullopt;
}

void PrivateDisplay::stop()
{
    end(m_windowManager);
    end(m_server);
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
