// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tarnis_app.h"

#include "activities/activities_window.h"
#include "app/backdrop.h"
#include "app/desktop_services.h"
#include "app/main_window.h"
#include "chance/chance_window.h"
#include "charts/large_graph_window.h"
#include "dynamics/dynamics_window.h"
#include "output/graphic_data_export.h"
#include "output/window_printing.h"
#include "screens/screens.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/localized.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>

namespace tarnis {

TarnisApp::TarnisApp(SharedState& state, Services services)
    : m_state(state)
    , m_services(services)
    , m_comparison(state.store)
    , m_setupFiles(m_navigator, m_comparison, services)
{
    registerWindows();
}

TarnisApp::~TarnisApp() = default;

void TarnisApp::registerWindows()
{
    // "Dynamics…", "Activities…" and "Chance…" on either chart open their window beside the one the
    // user came from; a set-up is saved from the chart it was asked for and opened into it.
    const auto chartMenu = [this](WindowId window) {
        return ChartMenuOptions{.openDynamics = [this] { m_navigator.show(WindowId::Dynamics); },
                                .openActivities = [this] { m_navigator.show(WindowId::Activities); },
                                .openChance = [this] { m_navigator.show(WindowId::Chance); },
                                .saveSetup = [this, window] { m_setupFiles.save(window); },
                                .openSetup = [this, window] { m_setupFiles.open(window); }};
    };
    m_navigator.registerWindow(WindowId::Main, [this, chartMenu] {
        auto* main = new MainWindow(m_state, m_comparison, m_navigator, m_services, chartMenu(WindowId::Main));
        QObject::connect(main, &MainWindow::saveRequested, main,
                         [this, main] { exportGraphicData(main, m_state, m_services); });
        QObject::connect(main, &MainWindow::printRequested, main, [this, main] { printWindow(*main, m_services); });
        return main;
    });
    m_navigator.registerWindow(WindowId::Backdrop, [] { return new Backdrop; });
    registerScreens(m_navigator, m_state, m_services);
    m_navigator.registerWindow(WindowId::LargeGraph, [this, chartMenu] {
        auto* large = new LargeGraphWindow(m_state.store, m_comparison, m_state.ChartCycleLarge, m_navigator,
                                           m_services, chartMenu(WindowId::LargeGraph));
        QObject::connect(large, &LargeGraphWindow::printRequested, large,
                         [this, large] { printWindow(*large, m_services); });
        return large;
    });
    m_navigator.registerWindow(WindowId::Dynamics, [this] {
        auto* dynamics
            = new DynamicsWindow(m_comparison, m_services, [this](std::optional<double> r, std::optional<double> lag) {
                  chooseFromDynamics(r, lag);
              });
        placeBesideWork(*dynamics, DynamicsWindow::firstSize(), DynamicsWindow::smallestSize());
        m_setupFiles.dynamicsBuilt(*dynamics);
        return dynamics;
    });
    m_navigator.registerWindow(WindowId::Activities, [this] {
        auto* activities
            = new ActivitiesWindow(m_services, [this](const Setup& setup) { m_setupFiles.showSetup(setup); });
        placeBesideWork(*activities, ActivitiesWindow::firstSize(), ActivitiesWindow::smallestSize());
        return activities;
    });
    m_navigator.registerWindow(WindowId::Chance, [this] {
        auto* chance = new ChanceWindow(m_comparison, m_services);
        placeBesideWork(*chance, ChanceWindow::firstSize(), ChanceWindow::smallestSize());
        return chance;
    });
}

// Beside the main window when it is on show (else beside the large window), as large as the room
// there allows, and no smaller than the window takes in the language on show: the decorations are those
// the main window has.
void TarnisApp::placeBesideWork(QWidget& window, QSize preferred, QSize smallest)
{
    QWidget* beside = mainWindow();
    QRect keep = mainWindow()->parameterArea();
    if (!beside->isVisible()) {
        beside = m_navigator.existing(WindowId::LargeGraph);
        if (!beside || !beside->isVisible())
            return; // the window system's own place
        keep = beside->frameGeometry();
    }
    const QMargins frame(beside->geometry().left() - beside->frameGeometry().left(),
                         beside->geometry().top() - beside->frameGeometry().top(),
                         beside->frameGeometry().right() - beside->geometry().right(),
                         beside->frameGeometry().bottom() - beside->geometry().bottom());
    const QSize decorations(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QRect placed = placeBeside({.available = beside->screen()->availableGeometry(),
                                      .other = beside->frameGeometry(),
                                      .keepInSight = keep,
                                      .preferred = preferred + decorations,
                                      .smallest = smallest.expandedTo(window.minimumSize()) + decorations});
    window.resize(placed.size() - decorations);
    window.move(placed.topLeft());
}

void TarnisApp::chooseFromDynamics(std::optional<double> r, std::optional<double> lag)
{
    MainWindow* main = mainWindow();
    main->presetRateAndLag(r, lag);
    QWidget* large = m_navigator.existing(WindowId::LargeGraph);
    if (!main->isVisible() && large && large->isVisible()) {
        m_navigator.move(WindowId::LargeGraph, WindowId::Main);
        return;
    }
    QWidget* dynamics = m_navigator.existing(WindowId::Dynamics);
    if (main->isVisible() && dynamics && dynamics->frameGeometry().intersects(main->parameterArea()))
        main->raise(); // over the Dynamics window, which keeps the keyboard
}

MainWindow* TarnisApp::mainWindow() { return static_cast<MainWindow*>(m_navigator.window(WindowId::Main)); }

void TarnisApp::start(const QString& setupFile)
{
    mainWindow(); // building it composes the texts and reads the steps box; it stays hidden
    if (!setupFile.isEmpty())
        m_setupFiles.openOnFirstShow(setupFile);
    static_cast<Backdrop*>(m_navigator.window(WindowId::Backdrop))->coverScreen();
    m_navigator.show(WindowId::Title); // it shows the main window when the user leaves it
}

void prepareApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QStringLiteral("Tarnis"));
    installFontSubstitutes();
    installAccessibility();
}

int runTarnis(int argc, char** argv)
{
    QApplication application(argc, argv);
    prepareApplication();
    // The system's language, before the first window is built; the tests choose theirs themselves.
    speakSystemLanguage(application);
    // One state for the whole process; it outlives every window.
    static SharedState state;
    DesktopServices desktop;
    TarnisApp tarnis(state, desktop.services());
    // The one argument Tarnis reads: a set-up file, as the file manager hands it over.
    const QStringList arguments = QApplication::arguments();
    tarnis.start(arguments.size() > 1 ? arguments.at(1) : QString());
    return QApplication::exec();
}

} // namespace tarnis
