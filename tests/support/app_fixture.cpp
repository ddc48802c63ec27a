// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/app_fixture.h"

#include "app/main_window.h"
#include "tests/support/widgets.h"

#include <QTest>

namespace tarnis::test {

namespace {

Services withPrinter(Services services, PrintTarget* printer)
{
    return {services.fileNames, services.messages, services.clock, services.processEnd,
            printer ? *printer : services.printer};
}

} // namespace

AppFixture::AppFixture(PrintTarget* printer)
    : m_app(std::make_unique<TarnisApp>(*m_state, withPrinter(m_fakes.services(), printer)))
{
}

AppFixture::~AppFixture()
{
    m_app.reset();
    settle();
}

void AppFixture::startAtMainWindow(const QString& setupFile)
{
    m_app->start(setupFile);
    if (QWidget* title = m_app->navigator().existing(WindowId::Title); title && title->isVisible())
        QTest::keyClick(title, Qt::Key_Space);
    QWidget* main = mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
}

QWidget* AppFixture::mainWindow() { return m_app->navigator().existing(WindowId::Main); }

void AppFixture::run() { QVERIFY(clickButton(mainWindow(), "Command2")); }

QWidget* AppFixture::openLargeGraph()
{
    if (!clickButton(mainWindow(), "Command11"))
        return nullptr;
    QWidget* large = m_app->navigator().existing(WindowId::LargeGraph);
    if (!large || !QTest::qWaitForWindowExposed(large)) {
        QTest::qFail("the large graph window did not open", __FILE__, __LINE__);
        return nullptr;
    }
    return large;
}

std::unique_ptr<AppFixture> startTarnis(AfterStart after)
{
    auto fixture = std::make_unique<AppFixture>();
    fixture->startAtMainWindow();
    if (after == AfterStart::RunDefaults)
        fixture->run();
    return fixture;
}

} // namespace tarnis::test
