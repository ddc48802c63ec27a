// Saves a picture of every window of Tarnis that exists after a scripted walk, for reviewing the
// window designs: window_pictures <folder>. Not a test; nothing checks the pictures.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navigator.h"
#include "charts/large_graph_window.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"

#include <QDir>

using namespace tarnis;
using namespace tarnis::test;

namespace {

// The chart routines in the order of the click cycle, which starts from N(t) against time.
const QStringList CycleNames{
    "ShowNtvsT",     "ShowdNvsT",           "ShowdNvsN",      "ShowdNvsNinLine",      "ShowNdNvsT", "ShowLogNvsT",
    "ShowdNperNvsN", "ShowdNperNvsNinLine", "ShowNtvsNtnext", "ShowNtvsNtnextinLine", "ShowNtKvsT"};

void save(QWidget* window, const QString& folder, const QString& name)
{
    if (window && window->isVisible())
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Clicks a window's chart through the whole cycle, saving each chart; the counter starts where the
// window's routines left it, so the names follow the counter.
void clickThroughCycle(QWidget* window, std::int16_t& counter, const QString& folder, const QString& prefix)
{
    for (int click = 0; click < CycleNames.size(); ++click) {
        QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("MSChart1")), Qt::LeftButton);
        save(window, folder, prefix + CycleNames[counter]);
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
    fixture.startAtMainWindow();
    QWidget* main = fixture.mainWindow();
    save(main, folder, QStringLiteral("Form1-start"));
    if (!clickButton(main, "Command2"))
        return 1;
    save(main, folder, QStringLiteral("Form1-run"));
    clickThroughCycle(main, fixture.state().ChartCycleMain, folder, QStringLiteral("Form1-"));

    if (!clickButton(main, "Command11"))
        return 1;
    QWidget* large = fixture.app().navigator().existing(WindowId::larggraf);
    save(large, folder, QStringLiteral("larggraf-open"));
    clickThroughCycle(large, fixture.state().ChartCycleLarge, folder, QStringLiteral("larggraf-"));

    // The longest run that the steps box allows, on the large window.
    if (!clickButton(large, "Command4") || !clickButton(main, "Command15") || !clickButton(main, "Command2")
        || !clickButton(main, "Command11"))
        return 1;
    clickThroughCycle(large, fixture.state().ChartCycleLarge, folder, QStringLiteral("larggraf-2000-"));
    return 0;
}
