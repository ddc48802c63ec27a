// Exact comparison of doubles: the model promises bit-for-bit results, which QCOMPARE's fuzzy
// comparison of floating-point values would not check.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

#include <cmath>

namespace tarnis::test {

inline QByteArray exactText(double value) { return QByteArray::number(value, 'g', 17); }

} // namespace tarnis::test

#define QCOMPARE_EXACT(actual, expected)                                                                               \
    do {                                                                                                               \
        const double tarnisActual = (actual);                                                                          \
        const double tarnisExpected = (expected);                                                                      \
        const bool tarnisSame                                                                                          \
            = tarnisActual == tarnisExpected || (std::isnan(tarnisActual) && std::isnan(tarnisExpected));              \
        QVERIFY2(tarnisSame,                                                                                           \
                 (#actual " is " + tarnis::test::exactText(tarnisActual) + ", expected "                               \
                  + tarnis::test::exactText(tarnisExpected))                                                           \
                     .constData());                                                                                    \
    } while (false)
