// A desktop session bus of the test's own, with the accessibility bus and its registry on it, so that
// a test can walk a program's accessible tree as a screen reader does without touching the user's
// session. Everything it starts stops with the object.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace tarnis::test {

class PrivateSessionBus {
public:
    PrivateSessionBus() = default;
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Starts the session bus and the accessibility bus on it, for programs with this environment
    // (the accessibility registry synthesises keys and clicks on their display); why not, when they
    // cannot run here.
    std::optional<QString> start(const QProcessEnvironment& programs);
    void stop();

    // The environment given, with this session's bus, and accessibility switched on for Qt programs.
    QProcessEnvironment environment(QProcessEnvironment base) const;

private:
    QTemporaryDir m_runtime; // XDG_RUNTIME_DIR: where the accessibility bus puts its socket
    QProcess m_bus;
    QProcess m_accessibilityBus;
    QString m_address;
};

} // namespace tarnis::test
