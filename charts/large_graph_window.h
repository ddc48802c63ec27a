// The large graph window larggraf: the charts of the last run at about 1.7 times the size of the
// main window's chart, a button for ten of the chart kinds, a print button and the way back.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_family.h"
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
    // its place in the click cycle is its own counter. The chart's menu offers "Dynamics…" when
    // `openDynamics` is given.
    LargeGraphWindow(const ResultStore& store, RunComparison& comparison, std::int16_t& chartCycle,
                     Navigator& navigator, Services services, std::function<void()> openDynamics = {});
    ~LargeGraphWindow() override;

    // This window's own chart routines, on its own chart.
    ChartFamily& charts() { return m_charts; }

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

    QGroupBox* Frame2;               // "Graph", holding everything else
    ChartControl* MSChart1;          // the chart
    QPushButton* Command1;           // "N vs. t"
    QPushButton* Command3;           // "dN vs. t"
    QPushButton* Command7;           // "dN/N vs. N"
    QPushButton* Command8;           // "N, dN vs. t"
    QPushButton* Command9;           // "lnN vs. t"
    QPushButton* Command2;           // "dN vs. N"
    QPushButton* Command6;           // "P": print this window
    QPushButton* Command4;           // "Main form": back to the main window
    QPushButton* cmdDNperNvsNinLine; // "dN/N vs. N in line"
    QPushButton* cmddNvsNinLine;     // "dN vs. N in line"
    QPushButton* cmdNtnextvsNt;      // "N(t+1) vs. N(t) in line"
    QPushButton* Command5;           // "N(t+1) vs. N(t)"

    ChartFamily m_charts;
};

} // namespace tarnis
