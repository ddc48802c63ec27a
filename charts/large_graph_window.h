// The large graph window larggraf: the charts of the last run at about 1.7 times the size of the
// main window's chart, a button for ten of the chart kinds, a print button and the way back.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_family.h"
#include "charts/chart_menu.h"
#include "model/run/store.h"
#include "ui/fixed_window.h"
#include "ui/services.h"

#include <cstdint>
#include <functional>
#include <span>

class QGroupBox;
class QPushButton;

namespace tarnis {

class ChartControl;
class Navigator;
class RunComparison;

class LargeGraphWindow : public FixedWindow {
    Q_OBJECT
public:
    // The window only reads the results and the kept runs, which it can add to through its chart's menu;
    // its place in the click cycle is its own counter. The chart's menu offers what `chartMenu` gives
    // beyond the comparison and the player, which the window adds.
    LargeGraphWindow(const ResultStore& store, RunComparison& comparison, std::int16_t& chartCycle,
                     Navigator& navigator, Services services, ChartMenuOptions chartMenu = {});
    ~LargeGraphWindow() override;

    // This window's own chart routines, on its own chart.
    ChartFamily& charts() { return m_charts; }
    // Draws the kind, and the next click steps on from it.
    void showChart(ChartKind kind);

signals:
    void printRequested(); // "P"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct ButtonDesign;
    static std::span<const ButtonDesign> buttonDesigns();

    void buildButtons();
    void backToMainWindow();
    void chartClicked();

    std::int16_t& m_chartCycle;
    Navigator& m_navigator;

    QGroupBox* m_graphFrame; // "Graph", holding everything else
    ChartControl* m_chart;
    // The buttons that draw a chart kind are known only to the table of buttons.
    QPushButton* m_printButton;      // "P"
    QPushButton* m_mainWindowButton; // "Main form"

    ChartFamily m_charts;
};

} // namespace tarnis
