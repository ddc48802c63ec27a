// Saves a picture of every window of Tarnis that exists after a scripted walk, and the page that the
// main window prints, for reviewing the window designs: window_pictures <folder>. Not a test;
// nothing checks the pictures.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navigator.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"

#include <QDir>
#include <QLabel>

using namespace tarnis;
using namespace tarnis::test;

namespace {

void save(QWidget* window, const QString& folder, const QString& name)
{
    if (window && window->isVisible())
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// The title screen before its first tick, then with each of its title variants.
void saveTitleScreen(QWidget* title, const QString& folder)
{
    save(title, folder, QStringLiteral("titlform-start"));
    const QList<QLabel*> variants = title->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label1_")));
    for (QLabel* variant : variants) {
        for (QLabel* other : variants)
            other->setVisible(other == variant);
        save(title, folder, QStringLiteral("titlform-") + variant->objectName());
    }
    for (QLabel* variant : variants)
        variant->hide();
}

void saveScreens(Navigator& navigator, const QString& folder)
{
    for (const WindowId id : {WindowId::Introfrm, WindowId::Referenc, WindowId::Form3, WindowId::Quiz,
                              WindowId::copyrigh, WindowId::Vater}) {
        navigator.show(id);
        QWidget* window = navigator.existing(id);
        (void)QTest::qWaitForWindowExposed(window);
        save(window, folder, window->objectName());
        navigator.hide(id);
    }
}

} // namespace

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    QApplication application(argc, argv);
    prepareApplication();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    AppFixture fixture;
    Navigator& navigator = fixture.app().navigator();
    fixture.app().start();
    QWidget* title = navigator.existing(WindowId::titlform);
    (void)QTest::qWaitForWindowExposed(title);
    saveTitleScreen(title, folder);
    QTest::keyClick(title, Qt::Key_Space);

    QWidget* main = fixture.mainWindow();
    (void)QTest::qWaitForWindowExposed(main);
    save(main, folder, QStringLiteral("Form1-start"));
    if (clickButton(main, "Command2"))
        save(main, folder, QStringLiteral("Form1-run"));
    // The page that "P" prints, as a PDF file.
    fixture.fakes().printer.fileName = QDir(folder).filePath(QStringLiteral("Form1-printed.pdf"));
    if (!clickButton(main, "Command10"))
        return 1;
    for (int click = 1; click <= 10; ++click) {
        QTest::mouseClick(main->findChild<QWidget*>(QStringLiteral("MSChart1")), Qt::LeftButton);
        save(main, folder, QStringLiteral("Form1-chart%1").arg(click));
    }
    saveScreens(navigator, folder);
    return 0;
}
