// The fixed-design windows on a real desktop: framed by a window manager on a display of the test's
// own, a window stands in the middle of the screen with its caption bar, not half of it too low.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/model_test_main.h"
#include "tests/support/private_display.h"

#include <QRect>

using namespace tarnis::test;

class TestFixedWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void centredWithItsFrame();

private:
    PrivateDisplay m_display;
};

void TestFixedWindow::initTestCase()
{
    if (const auto why = m_display.start())
        QSKIP(qPrintable(QStringLiteral("no private X display: ") + *why));
    if (const auto why = m_display.startWindowManager())
        QSKIP(qPrintable(QStringLiteral("no window manager: ") + *why));
}

void TestFixedWindow::centredWithItsFrame()
{
    QProcess probe;
    probe.setProcessEnvironment(m_display.environment());
    probe.start(QStringLiteral(FIXED_WINDOW_PROBE_PATH), {});
    QVERIFY(probe.waitForFinished(120000));
    const QString answer = QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed();
    QVERIFY2(
        probe.exitCode() == 0,
        qPrintable(QStringLiteral("never framed: ") + answer + QString::fromLocal8Bit(probe.readAllStandardError())));
    const QStringList numbers = answer.split(QLatin1Char(' '));
    QCOMPARE(numbers.size(), 10);
    const auto rect = [&numbers](int first) {
        return QRect(numbers[first].toInt(), numbers[first + 1].toInt(), numbers[first + 2].toInt(),
                     numbers[first + 3].toInt());
    };
    const QRect frame = rect(1), screen = rect(6);
    QVERIFY2((frame.center() - screen.center()).manhattanLength() <= 2, qPrintable(answer));
}

TARNIS_MODEL_TEST_MAIN(TestFixedWindow)
#include "test_fixed_window.moc"
