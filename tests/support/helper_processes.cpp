// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/helper_processes.h"

#include <QThread>

namespace tarnis::test {

void endProcess(QProcess& process, int graceMilliseconds)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(graceMilliseconds)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

std::optional<QString> startQuietProgram(QProcess& process, const QString& name, const QString& program,
                                         const QStringList& arguments, int settleMilliseconds)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return name + QStringLiteral(" did not start: ") + process.errorString();
    QThread::msleep(settleMilliseconds);
    if (process.state() != QProcess::Running)
        return name + QStringLiteral(" stopped: ") + QString::fromLocal8Bit(process.readAll());
    return std::nullopt;
}

} // namespace tarnis::test
