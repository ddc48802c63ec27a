// What assistive technology learns of Tarnis. In the test's own process: every window is a window and
// names each of its controls, and the labels that act on a click can be pressed. With a real client:
// the program on a private X display, under a session bus of its own with the accessibility bus, and
// a screen reader's walk of it (accessibility_client.py) that finds the main window's controls by role
// and name, edits r, presses Enter and Run, reads the result and the chart's description, and opens
// the chart's menu by its key. Skips that part, saying why, where any of them cannot run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/app_fixture.h"
#include "tests/support/helper_processes.h"
#include "tests/support/private_display.h"
#include "tests/support/private_session_bus.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"

#include <QAccessibleActionInterface>
#include <QLineEdit>

using namespace tarnis;
using namespace tarnis::test;

namespace {

const QString Python = QStringLiteral("/usr/bin/python3");
const QString Client = QStringLiteral(TARNIS_SOURCE_DIR "/tests/app/accessibility_client.py");

// Every control below the interface that should be named by something and is not.
QStringList unnamedControls(QAccessibleInterface* node)
{
    static const QList<QAccessible::Role> named{QAccessible::PushButton, QAccessible::EditableText,
                                                QAccessible::Graphic,    QAccessible::Chart,
                                                QAccessible::Window,     QAccessible::Dialog};
    QStringList unnamed;
    if (named.contains(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << node->object()->objectName();
    for (int i = 0; i < node->childCount(); ++i)
        unnamed << unnamedControls(node->child(i));
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void clickableLabelsCanBePressed();
    void mainWindowThroughTheAccessibilityBus();

private:
    PrivateDisplay m_display;
    PrivateSessionBus m_bus;
};

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<WindowId>("id");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addRow("main window") << WindowId::Main << QAccessible::Window;
    QTest::addRow("title screen") << WindowId::Title << QAccessible::Window;
    QTest::addRow("large graph window") << WindowId::LargeGraph << QAccessible::Window;
    QTest::addRow("introduction") << WindowId::Introduction << QAccessible::Window;
    QTest::addRow("references") << WindowId::References << QAccessible::Window;
    QTest::addRow("further remarks") << WindowId::FurtherRemarks << QAccessible::Window;
    QTest::addRow("quiz") << WindowId::Quiz << QAccessible::Window;
    QTest::addRow("notice") << WindowId::Notice << QAccessible::Window;
    QTest::addRow("dedication") << WindowId::Dedication << QAccessible::Dialog;
    QTest::addRow("dynamics") << WindowId::Dynamics << QAccessible::Window;
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(WindowId, id);
    QFETCH(QAccessible::Role, role);
    const auto fixture = startTarnis(AfterStart::RunDefaults);
    QWidget* window = fixture->app().navigator().window(id);
    QVERIFY(window);
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(window);
    QCOMPARE(interface->role(), role);
    QCOMPARE(interface->text(QAccessible::Name), window->windowTitle());
    const QStringList unnamed = unnamedControls(interface);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("without a name: ") + unnamed.join(QStringLiteral(", "))));
}

void TestAccessibility::clickableLabelsCanBePressed()
{
    const auto fixture = startTarnis(AfterStart::RunDefaults);
    QWidget* main = fixture->mainWindow();
    const auto press = [main](const char* label) {
        QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(child<QWidget>(main, label));
        QVERIFY(interface && interface->actionInterface());
        QCOMPARE(interface->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        interface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    press("Label6"); // the clock empties the result
    QCOMPARE(child<QLineEdit>(main, "Text4")->text(), QString());
    press("Label17"); // the title box leads to the further remarks
    QVERIFY(fixture->app().navigator().existing(WindowId::FurtherRemarks)->isVisible());
}

void TestAccessibility::cleanupTestCase()
{
    m_bus.stop();
    m_display.stop();
}

void TestAccessibility::mainWindowThroughTheAccessibilityBus()
{
    QProcess probe;
    probe.start(Python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        QSKIP("no accessibility client: python3-pyatspi is not installed");
    if (const auto why = m_display.start())
        QSKIP(qPrintable(QStringLiteral("no private X display: ") + *why));
    if (const auto why = m_display.startWindowManager())
        QSKIP(qPrintable(QStringLiteral("no window manager: ") + *why));
    if (const auto why = m_bus.start(m_display.environment()))
        QSKIP(qPrintable(QStringLiteral("no private session bus: ") + *why));

    const QProcessEnvironment environment = m_bus.environment(m_display.environment());
    QProcess tarnis;
    tarnis.setProcessEnvironment(environment);
    tarnis.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tarnis.start(QStringLiteral(TARNIS_PATH), {});
    QVERIFY2(tarnis.waitForStarted(10000), qPrintable(tarnis.errorString()));

    QProcess client;
    client.setProcessEnvironment(environment);
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(Python, {Client});
    const bool finished = client.waitForFinished(120000);
    const QString said = QString::fromLocal8Bit(client.readAll());
    endProcess(client);
    const bool tarnisRan = tarnis.state() == QProcess::Running;
    endProcess(tarnis);
    QVERIFY2(tarnisRan, "Tarnis ended during the walk");
    QVERIFY2(finished, qPrintable(QStringLiteral("the client did not finish:\n") + said));
    QVERIFY2(client.exitCode() == 0, qPrintable(said));
    qInfo("%s", qPrintable(said.trimmed()));
}

TARNIS_GUI_TEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
