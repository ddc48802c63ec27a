// An X display of the test's own: Xvfb on a display number nobody uses, and, where a test needs
// windows framed as on a desktop, a window manager on it. Both stop with the object.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace tarnis::test {

class PrivateDisplay {
public:
    PrivateDisplay() = default;
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Starts the X server; why not, when it cannot run here.
    std::optional<QString> start();
    // Starts a window manager on it and waits until it manages windows; why not, when it cannot.
    std::optional<QString> startWindowManager();
    void stop();

    QString name() const { return m_name; } // ":N", the value for DISPLAY
    // The environment of a Qt program on this display.
    QProcessEnvironment environment() const;

private:
    QProcess m_server;
    QProcess m_windowManager;
    QString m_name;
};

} // namespace tarnis::test
