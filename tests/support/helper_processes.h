// The programs that tests start beside Tarnis (a display server, a window manager, buses, a print
// server): started and found still running, or ended without leaving one behind.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>

#include <optional>

namespace tarnis::test {

// Asks the program to end, and kills it when it has not ended in the grace time.
void endProcess(QProcess& process, int graceMilliseconds = 5000);

// Starts a program that says nothing when it is ready: it is taken as ready when it still runs after
// the settling time. The reason, naming it as `name`, when it did not start or stopped at once.
std::optional<QString> startQuietProgram(QProcess& process, const QString& name, const QString& program,
                                         const QStringList& arguments, int settleMilliseconds);

} // namespace tarnis::test
