// The title screen as the user meets it: its first look, the animation driven tick by tick, and
// every way of leaving it for the main window, or of not leaving it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/design.h"
#include "ui/navigator.h"

#include <QLabel>
#include <QTimer>

using namespace tarnis;
using namespace tarnis::test;

class TestTitleScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstSight();
    void ticksShowOneVariantAtATime();
    void sameSequenceAtEveryStart();
    void characterKeysLeave_data();
    void characterKeysLeave();
    void silentKeysStay_data();
    void silentKeysStay();
    void clicksLeave_data();
    void clicksLeave();
    void closeRequestLeaves();

private:
    QWidget* title() { return m_fixture->app().navigator().existing(WindowId::Title); }
    QLabel* variant(int index) { return child<QLabel>(title(), qPrintable(QStringLiteral("Label1_%1").arg(index))); }
    int visibleVariant(); // -1 for none; fails when more than one shows
    void tick();
    void verifyLeft();

    std::unique_ptr<AppFixture> m_fixture;
};

void TestTitleScreen::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->app().start();
    QVERIFY(QTest::qWaitForWindowExposed(title()));
}

void TestTitleScreen::cleanup() { m_fixture.reset(); }

int TestTitleScreen::visibleVariant()
{
    int shown = -1;
    for (int index = 0; index < 5; ++index) {
        if (!variant(index)->isVisible())
            continue;
        if (shown != -1)
            QTest::qFail("two title variants show at once", __FILE__, __LINE__);
        shown = index;
    }
    return shown;
}

void TestTitleScreen::tick()
{
    auto* timer = title()->findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer && timer->isActive());
    QMetaObject::invokeMethod(timer, "timeout");
}

void TestTitleScreen::verifyLeft()
{
    QVERIFY(!title()->isVisible());
    QVERIFY(m_fixture->mainWindow()->isVisible());
    QVERIFY(!title()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    QCOMPARE(m_fixture->fakes().processEnd.ends, 0);
    QVERIFY(topLevel(QStringLiteral("tarnis4"))->isVisible()); // the backdrop stays behind the main window
}

void TestTitleScreen::firstSight()
{
    QVERIFY(!m_fixture->mainWindow()->isVisible());
    QVERIFY(topLevel(QStringLiteral("tarnis4"))->isVisible());
    QVERIFY(title()->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(title()->size(), QSize(709, 470));
    QCOMPARE(visibleVariant(), -1); // nothing before the first tick
    auto* invitation = child<QLabel>(title(), "Label2");
    QVERIFY(invitation->isVisible());
    QCOMPARE(invitation->text(), QStringLiteral("Press any key or click mouse to start."));
    QCOMPARE(invitation->toolTip(), QStringLiteral("Click to start"));
    QCOMPARE(invitation->cursor().pixmap().cacheKey(), handCursor().pixmap().cacheKey());
    QCOMPARE(title()->findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 1000);
}

void TestTitleScreen::ticksShowOneVariantAtATime()
{
    int previous = -1;
    for (int count = 0; count < 50; ++count) {
        tick();
        const int shown = visibleVariant();
        QVERIFY(shown >= 0);
        QVERIFY(shown != previous);
        QCOMPARE(int(m_fixture->state().title.ShownTitle), shown);
        if (count == 0)
            QVERIFY(shown != 0);
        previous = shown;
    }
}

void TestTitleScreen::sameSequenceAtEveryStart()
{
    const auto record = [this] {
        QList<int> sequence;
        for (int count = 0; count < 20; ++count) {
            tick();
            sequence.append(visibleVariant());
        }
        return sequence;
    };
    const QList<int> first = record();
    cleanup();
    init();
    QCOMPARE(record(), first);
}

void TestTitleScreen::characterKeysLeave_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("ticked"); // after the first title variant showed, or before
    for (const bool ticked : {true, false}) {
        const char* when = ticked ? "" : " before the first tick";
        QTest::addRow("Space%s", when) << int(Qt::Key_Space) << 0 << ticked;
        QTest::addRow("letter%s", when) << int(Qt::Key_A) << 0 << ticked;
        QTest::addRow("Enter%s", when) << int(Qt::Key_Return) << 0 << ticked;
    }
    QTest::addRow("capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << true;
    QTest::addRow("digit") << int(Qt::Key_7) << 0 << true;
    QTest::addRow("sign") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << true;
    QTest::addRow("Escape") << int(Qt::Key_Escape) << 0 << true;
    QTest::addRow("Backspace") << int(Qt::Key_Backspace) << 0 << true;
    QTest::addRow("Tab") << int(Qt::Key_Tab) << 0 << true;
}

void TestTitleScreen::characterKeysLeave()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, ticked);
    if (ticked)
        tick();
    QTest::keyClick(title(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    verifyLeft();
}

void TestTitleScreen::silentKeysStay_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addRow("Shift") << int(Qt::Key_Shift) << 0;
    QTest::addRow("Control") << int(Qt::Key_Control) << 0;
    QTest::addRow("Alt") << int(Qt::Key_Alt) << 0;
    QTest::addRow("arrow") << int(Qt::Key_Left) << 0;
    QTest::addRow("F1") << int(Qt::Key_F1) << 0;
    QTest::addRow("Page Down") << int(Qt::Key_PageDown) << 0;
    QTest::addRow("Delete") << int(Qt::Key_Delete) << 0;
    QTest::addRow("Alt+letter") << int(Qt::Key_F) << int(Qt::AltModifier);
    QTest::addRow("Ctrl+letter") << int(Qt::Key_C) << int(Qt::ControlModifier);
}

void TestTitleScreen::silentKeysStay()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QTest::keyClick(title(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(title()->isVisible());
    QVERIFY(!m_fixture->mainWindow()->isVisible());
}

void TestTitleScreen::clicksLeave_data()
{
    QTest::addColumn<QString>("target"); // a child's name, or empty for the window's background
    QTest::addColumn<QPoint>("place");   // within the target; null for its centre
    QTest::addColumn<bool>("ticked");    // after the first title variant showed, or before
    QTest::addRow("background") << QString() << QPoint(600, 400) << true;
    QTest::addRow("background before the first tick") << QString() << QPoint(600, 400) << false;
    QTest::addRow("invitation") << QStringLiteral("Label2") << QPoint() << true;
    QTest::addRow("invitation before the first tick") << QStringLiteral("Label2") << QPoint() << false;
    QTest::addRow("right button") << QStringLiteral("right") << QPoint(600, 400) << true;
    QTest::addRow("visible variant") << QStringLiteral("visible") << QPoint() << true;
    QTest::addRow("hidden variant's place") << QStringLiteral("hidden") << QPoint() << true;
    QTest::addRow("double click") << QStringLiteral("double") << QPoint(600, 400) << true;
}

void TestTitleScreen::clicksLeave()
{
    QFETCH(QString, target);
    QFETCH(QPoint, place);
    QFETCH(bool, ticked);
    if (ticked)
        tick();
    if (target == QLatin1String("double")) {
        QTest::mouseDClick(title(), Qt::LeftButton, {}, place);
    } else if (target == QLatin1String("right")) {
        QTest::mouseClick(title(), Qt::RightButton, {}, place);
    } else if (target == QLatin1String("visible")) {
        QTest::mouseClick(variant(visibleVariant()), Qt::LeftButton);
    } else if (target == QLatin1String("hidden")) {
        // A hidden variant takes no click: the click falls on the background and leaves as well.
        const QRect shown = variant(visibleVariant())->geometry();
        QPoint free;
        for (int index = 0; index < 5 && free.isNull(); ++index) {
            if (!variant(index)->isVisible() && !shown.contains(variant(index)->geometry().center()))
                free = variant(index)->geometry().center();
        }
        QVERIFY(!free.isNull());
        QCOMPARE(title()->childAt(free), nullptr);
        QTest::mouseClick(title(), Qt::LeftButton, {}, free);
    } else {
        QWidget* widget = target.isEmpty() ? title() : child<QWidget>(title(), qPrintable(target));
        QTest::mouseClick(widget, Qt::LeftButton, {}, place);
    }
    verifyLeft();
}

void TestTitleScreen::closeRequestLeaves()
{
    // The window system's close shortcut still reaches a borderless window.
    title()->close();
    settle();
    QVERIFY(title()); // kept, merely hidden
    verifyLeft();
}

TARNIS_GUI_TEST_MAIN(TestTitleScreen)
#include "test_title_screen.moc"
