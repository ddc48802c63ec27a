// The entry point of the tests that need no GUI, and the one place that runs a test object: Qt Test
// installs its own message handler when it starts, so a handler of ours is installed after it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

#include <cstdio>

namespace tarnis::test {

inline QtMessageHandler& qtTestMessageHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// The offscreen platform cannot raise windows and says so at every move between windows, nor tell a
// window manager of a window's new smallest size (a longer language's texts ask for one).
inline void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support raise()")
        || message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (QtMessageHandler handler = qtTestMessageHandler())
        handler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

inline int runTestObject(QObject& test, int argc, char** argv)
{
    QTest::qInit(&test, argc, argv);
    qtTestMessageHandler() = qInstallMessageHandler(quietOffscreenWarnings);
    const int failures = QTest::qRun();
    QTest::qCleanup();
    return failures;
}

} // namespace tarnis::test

#define TARNIS_MODEL_TEST_MAIN(TestObject)                                                                             \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        TestObject test;                                                                                               \
        return tarnis::test::runTestObject(test, argc, argv);                                                          \
    }
