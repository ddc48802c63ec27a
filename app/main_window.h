// The main window Form1: the five parameter boxes, the result box, the chart, the title and author
// panels, and the buttons that run the model and lead to every other window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_family.h"
#include "model/run/parameter_boxes.h"
#include "model/run/run.h"
#include "model/run/store.h"
#include "ui/fixed_window.h"
#include "ui/services.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tarnis {

class EntryBalloon;

class ChartControl;
class Navigator;
class RunComparison;

class MainWindow : public FixedWindow {
    Q_OBJECT
public:
    // After each run the window tells the comparison which parameters made it. The chart's menu offers
    // "Dynamics…" when `openDynamics` is given.
    MainWindow(SharedState& state, RunComparison& comparison, Navigator& navigator, Services services,
               std::function<void()> openDynamics = {});
    ~MainWindow() override;

    // The run of the model from the five boxes (the Run button).
    void run();
    // "LG": this window gives way to the large graph window, which opens on N(t) against time.
    void ShowLargeGraph();
    // Writes r, the lag or both into their boxes as a preset does: each box's change rules apply, the
    // result is emptied and Run is enabled; nothing runs.
    void presetRateAndLag(std::optional<double> r, std::optional<double> lag);
    // Where the parameter boxes, the result box and Run lie on the screen, in global pixels.
    QRect parameterArea() const;

signals:
    void saveRequested();  // "S"
    void printRequested(); // "P"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTitlePanel();
    void buildDataFrame();
    void buildGraphFrame();
    void buildAuthorFrame();
    void setTabOrder();
    void connectHandlers();
    void load();

    QLineEdit* makeParameterBox(QWidget* parent, const char* name, ParameterBox box, const QColor& colour);
    QLineEdit* boxFor(ParameterBox box) const;
    RunTexts parameterTexts() const;
    void parameterChanged(ParameterBox box);
    void parameterConfirmed(ParameterBox box);
    void applyPreset(int preset);
    void presetWritten();
    void clearResult();
    void refreshClock();
    void chartClicked();
    void showRunOutcome(const RunOutcome& outcome);

    SharedState& m_state;
    RunComparison& m_comparison;
    Navigator& m_navigator;
    Services m_services;
    std::function<void()> m_openDynamics;
    std::map<ParameterBox, QLineEdit*> m_boxes;
    EntryBalloon* m_entryBalloon = nullptr; // why Enter replaced a box's text

    QLabel* Label17;       // program title box; a click shows the further remarks
    QLabel* Label7;        // one-line notice
    QWidget* Frame1;       // borderless frame of the banner picture
    QLabel* Image1;        // banner picture
    QPushButton* Command8; // "more ...": the introduction

    QGroupBox* Frame4;      // "Data"
    QLabel* Label1;         // caption of r
    QLineEdit* rrate;       // intrinsic rate r
    QLabel* Label2;         // caption of N(0)
    QLineEdit* n0;          // initial population size N(0)
    QLabel* Label8;         // caption of K
    QLineEdit* Kvalue;      // carrying capacity K
    QLabel* Label15;        // caption of the lag
    QLineEdit* tlag;        // time lag T
    QLabel* Label3;         // caption of the steps
    QLineEdit* simut;       // number of time steps
    QLabel* Label4;         // caption of the result
    QLineEdit* Text4;       // result box: the final population size
    QPushButton* Command15; // preset "Data 1"
    QPushButton* Command16; // preset "Data 2"
    QPushButton* Command17; // preset "Data 3"
    QPushButton* Command2;  // "Run"
    QPushButton* Command10; // "P": print this window
    QPushButton* Command13; // "S": save the graphic data
    QPushButton* Command11; // "LG": the large graph window
    QPushButton* Command1;  // "Quit": the leaving sequence
    QTimer* Timer1;         // refreshes the clock

    QGroupBox* Frame2;      // "Graph"
    ChartControl* MSChart1; // the chart
    QLabel* Label18;        // greeting
    QLabel* Label19;        // instructions

    QGroupBox* Frame3;      // "Author "
    QLabel* Label9;         // contact block
    QLabel* Label6;         // clock; a click clears the result
    QLabel* Picture1;       // the author panel's picture
    QPushButton* Command14; // picture button: the quiz

    std::unique_ptr<ChartFamily> m_charts;
};

} // namespace tarnis
