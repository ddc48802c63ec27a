// Set-up files on the desktop: what a chart's "Save set-up…" writes (the boxes, the chart on show in
// that window and its N axis, the kept runs, the Dynamics window's diagram axis, the activity and step
// open in the Activities window) and how an opened set-up is shown, through the windows' own Run and
// "Keep this run", with its activity opened at its step; and the set-up named on the command line,
// opened once the main window is first on show. An activity's step applies its set-up the same way.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/lessons/setup.h"
#include "ui/navigator.h"
#include "ui/services.h"

#include <optional>

namespace tarnis {

class ChartFamily;
class DynamicsWindow;
class MainWindow;
class RunComparison;

class SetupFiles {
public:
    SetupFiles(Navigator& navigator, RunComparison& comparison, Services services);

    // The chart menu's entries of the main window or the large graph window.
    void save(WindowId from);
    void open(WindowId from);
    // Opens the file once the main window shows, after whatever comes before it at start.
    void openOnFirstShow(const QString& fileName);
    // A Dynamics window built after a set-up was opened takes the set-up's diagram axis.
    void dynamicsBuilt(DynamicsWindow& dynamics);
    // Shows a set-up as an opened file is shown, in the window of the charts the user works in: the
    // main window, or the large graph window while it stands in its place.
    void showSetup(const Setup& setup);

private:
    Setup setupOnShow(WindowId from);
    // Runs the kept runs (oldest first) and then the set-up's run, and shows its chart in the window.
    void show(const ReadSetup& read, WindowId in);
    ChartFamily& chartsOf(WindowId window);
    MainWindow& mainWindow();

    Navigator& m_navigator;
    RunComparison& m_comparison;
    Services m_services;
    std::optional<BifurcationAxis> m_diagramAxis; // an opened set-up's, for a Dynamics window to come
};

} // namespace tarnis
