// Test entry points: offscreen unless a platform is set, 96 DPI and a fixed English locale, so that
// fonts, places and number texts are the same on every machine. Locale cases set their own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tarnis_app.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <cstdio>

namespace tarnis::test {

inline QtMessageHandler& previousMessageHandler()
{
    static QtMessageHandler previous = nullptr;
    return previous;
}

// The offscreen platform cannot raise windows and says so at every move between windows.
inline void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support raise()"))
        return;
    if (QtMessageHandler previous = previousMessageHandler())
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

inline void prepareTestEnvironment()
{
    previousMessageHandler() = qInstallMessageHandler(quietOffscreenWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

} // namespace tarnis::test

#define TARNIS_GUI_TEST_MAIN(TestObject)                                                                               \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        tarnis::test::prepareTestEnvironment();                                                                        \
        QApplication application(argc, argv);                                                                          \
        tarnis::prepareApplication();                                                                                  \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

#define TARNIS_MODEL_TEST_MAIN(TestObject)                                                                             \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
