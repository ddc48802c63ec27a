// Tarnis as a whole: the shared state, the windows and their navigator, and the start-up sequence.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/setup_files.h"
#include "charts/run_comparison.h"
#include "model/run/store.h"
#include "ui/navigator.h"
#include "ui/services.h"

#include <optional>

namespace tarnis {

class MainWindow;

class TarnisApp {
public:
    TarnisApp(SharedState& state, Services services);
    ~TarnisApp();
    TarnisApp(const TarnisApp&) = delete;
    TarnisApp& operator=(const TarnisApp&) = delete;

    // Builds the main window, puts up the backdrop and then the first window the user sees; a set-up
    // file, when one is named, is opened once the main window is on show.
    void start(const QString& setupFile = {});

    Navigator& navigator() { return m_navigator; }
    MainWindow* mainWindow();

private:
    void registerWindows();
    // Opens a window (Dynamics, Activities, Chance) beside the window the user works in, clear of the main
    // window's boxes.
    void placeBesideWork(QWidget& window, QSize preferred, QSize smallest);
    // A click in the Dynamics window wrote r, the lag or both: into the main window's boxes, which come
    // into sight.
    void chooseFromDynamics(std::optional<double> r, std::optional<double> lag);

    SharedState& m_state;
    Services m_services;
    // Shared by both windows' charts; made before the navigator, so that it outlives every window.
    RunComparison m_comparison;
    Navigator m_navigator;
    SetupFiles m_setupFiles;
};

// Sets up the application object's look and fonts; both the program and its tests use it.
void prepareApplication();

// The program: start-up, then the event loop until the process ends.
int runTarnis(int argc, char** argv);

} // namespace tarnis
