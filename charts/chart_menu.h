// The menu that a right click on a run chart opens: the picture and data entries that every chart has
// (picture_menu.h), then the windows that explain the run (Dynamics, Activities, Chance), the run played step
// by step, the runs kept for comparison and the run's continuous-time twin, and the chart's view
// (fitted to the data again, a logarithmic N axis), and the set-up on show saved to a file or one
// opened. A left click is left to the chart, which steps its cycle.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/services.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;

namespace tarnis {

class ChartControl;
class PictureMenu;
class RunComparison;
class RunPlayer;

struct ChartMenuOptions {
    // "Keep this run" and "Forget kept runs" act on it, and "Compare with continuous time" draws its
    // run's continuous twin; without one they are not shown.
    RunComparison* comparison = nullptr;
    // "Dynamics…", between separators after "Copy data", calls this; without it the entry and its
    // separator are not shown. A window that has somewhere to show the dynamics passes it.
    std::function<void()> openDynamics;
    // "Activities…", after "Dynamics…", calls this; without it the entry is not shown.
    std::function<void()> openActivities;
    // "Chance…", after "Activities…", calls this; without it the entry is not shown.
    std::function<void()> openChance;
    // "Play this run", first of the run's entries, starts it; without it the entry is not shown.
    RunPlayer* player = nullptr;
    // "Save set-up…" and "Open set-up…", last after a separator, call these; without them the entries
    // are not shown. The window knows what its set-up is and how to show one.
    std::function<void()> saveSetup;
    std::function<void()> openSetup;
};

class ChartMenu : public QObject {
    Q_OBJECT
public:
    // Lives as long as the chart, which owns it.
    ChartMenu(ChartControl& chart, Services services, ChartMenuOptions options = {});

    QMenu* menu() const;

private:
    void addRunEntries();
    void addViewEntries();
    void addSetupEntries();
    void beforeOpening();

    ChartControl& m_chart;
    ChartMenuOptions m_options;
    PictureMenu* m_pictures;
    QAction* m_play = nullptr;
    QAction* m_keep = nullptr;
    QAction* m_forget = nullptr;
    QAction* m_continuous = nullptr; // "Compare with continuous time", with the kept runs
    QAction* m_logNAxis = nullptr;
};

} // namespace tarnis
