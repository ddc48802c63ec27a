// The entry point of the tests that drive windows: offscreen unless a platform is set, 96 DPI and a
// fixed English locale, so that fonts, places and number texts are the same on every machine. Locale
// cases set their own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tarnis_app.h"
#include "tests/support/model_test_main.h"

#include <QApplication>
#include <QLocale>

namespace tarnis::test {

inline void prepareTestEnvironment()
{
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
        return tarnis::test::runTestObject(test, argc, argv);                                                          \
    }
