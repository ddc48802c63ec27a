// Saves a picture of every window of Tarnis that exists after a scripted walk, and the page that the
// main window prints, for reviewing the window designs: window_pictures <folder>. Not a test;
// nothing checks the pictures.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navigator.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"

#include <QDir>

using namespace tarnis;
using namespace tarnis::test;

namespace {

void save(QWidget* window, const QString& folder, const QString& name)
{
    if (window && window->isVisible())
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
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
    fixture.startAtMainWindow();
    QWidget* main = fixture.mainWindow();
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
    return 0;
}
