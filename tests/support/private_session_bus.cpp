// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/private_session_bus.h"

#include "tests/support/helper_processes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarnis::test {

namespace {

const QString AccessibilityLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

} // namespace

PrivateSessionBus::~PrivateSessionBus() { stop(); }

std::optional<QString> PrivateSessionBus::start(const QProcessEnvironment& programs)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return QStringLiteral("dbus-daemon is not installed (dbus)");
    if (!QFileInfo(AccessibilityLauncher).isExecutable())
        return QStringLiteral("the accessibility bus is not installed (at-spi2-core)");
    if (!m_runtime.isValid())
        return QStringLiteral("no folder for the session's sockets");
    m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_bus.waitForStarted(10000))
        return QStringLiteral("dbus-daemon did not start: ") + m_bus.errorString();
    QElapsedTimer waited;
    waited.start();
    while (!m_bus.canReadLine() && waited.elapsed() < 10000 && m_bus.state() == QProcess::Running)
        m_bus.waitForReadyRead(100);
    m_address = QString::fromLocal8Bit(m_bus.readLine()).trimmed();
    if (m_address.isEmpty())
        return QStringLiteral("dbus-daemon gave no address: ") + QString::fromLocal8Bit(m_bus.readAllStandardError());

    // The launcher starts the accessibility bus at once; its registry starts when first asked.
    m_accessibilityBus.setProcessEnvironment(environment(programs));
    return startQuietProgram(m_accessibilityBus, QStringLiteral("the accessibility bus"), AccessibilityLauncher,
                             {QStringLiteral("--launch-immediately")}, 500);
}

void PrivateSessionBus::stop()
{
    endProcess(m_accessibilityBus);
    endProcess(m_bus);
}

QProcessEnvironment PrivateSessionBus::environment(QProcessEnvironment base) const
{
    base.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    base.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    base.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    base.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    return base;
}

} // namespace tarnis::test
