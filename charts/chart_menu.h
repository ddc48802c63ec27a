// The menu that a right click on a chart opens: the chart saved as a PNG, SVG or PDF picture, its data
// copied for a spreadsheet, the runs kept for comparison, and the chart's view (fitted to the data
// again, a logarithmic N axis). A left click is left to the chart, which steps its cycle.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_pictures.h"
#include "ui/services.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;

namespace tarnis {

class ChartControl;
class RunComparison;

struct ChartMenuOptions {
    // "Keep this run" and "Forget kept runs" act on it; without one they are not shown.
    RunComparison* comparison = nullptr;
    // "Dynamics…", between separators after "Copy data", calls this; without it the entry and its
    // separator are not shown. A window that has somewhere to show the dynamics passes it.
    std::function<void()> openDynamics;
};

class ChartMenu : public QObject {
    Q_OBJECT
public:
    // Lives as long as the chart, which owns it.
    ChartMenu(ChartControl& chart, Services services, ChartMenuOptions options = {});

    QMenu* menu() const { return m_menu; }

private:
    void addPictureEntries();
    void addRunEntries();
    void addViewEntries();
    void open(const QPoint& position);
    void savePicture(ChartPictureFormat format);
    void copyData();

    ChartControl& m_chart;
    Services m_services;
    ChartMenuOptions m_options;
    QMenu* m_menu;
    QAction* m_keep = nullptr;
    QAction* m_forget = nullptr;
    QAction* m_logNAxis = nullptr;
};

} // namespace tarnis
