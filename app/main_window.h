// The main window Form1: the five parameter boxes, the result box, the chart, the title and author
// panels, and the buttons that run the model and lead to every other window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_family.h"
#include "charts/chart_menu.h"
#include "model/run/parameter_boxes.h"
#include "model/run/run.h"
#include "model/run/store.h"
#include "ui/fixed_window.h"
#include "ui/services.h"

#include <QWidget>

#include <array>
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
    // what `chartMenu` gives beyond the comparison and the player, which the window adds.
    MainWindow(SharedState& state, RunComparison& comparison, Navigator& navigator, Services services,
               ChartMenuOptions chartMenu = {});
    ~MainWindow() override;

    // The run of the model from the five boxes (the Run button); true when the model ran.
    bool run();
    // The five boxes' texts as they stand, and the same written into them (each box's change rules
    // apply) and run as Run does; true when the model ran.
    RunTexts parameterTexts() const;
    bool runTexts(const RunTexts& texts);
    // This window's chart routines; showChart draws a kind, and the next click steps on from it.
    ChartFamily& charts() { return *m_charts; }
    void showChart(ChartKind kind);
    // "LG": this window gives way to the large graph window, which opens on N(t) against time.
    void showLargeGraph();
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
    // The texts, the pictures in place, LastStep from the steps box, the clock running and Run focused.
    void prepareFirstShow();

    QLineEdit* makeParameterBox(QWidget* parent, const char* name, ParameterBox box, const QColor& colour);
    QLineEdit* boxFor(ParameterBox box) const;
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
    ChartMenuOptions m_chartMenu;
    std::map<ParameterBox, QLineEdit*> m_boxes;
    EntryBalloon* m_entryBalloon = nullptr; // why Enter replaced a box's text

    QLabel* m_programTitle; // a click shows the further remarks
    QLabel* m_noticeLine;
    QWidget* m_bannerFrame; // borderless
    QLabel* m_banner;
    QPushButton* m_introductionButton; // "more ..."

    QGroupBox* m_dataFrame; // "Data"
    QLabel* m_rateCaption;
    QLineEdit* m_rateBox;
    QLabel* m_initialSizeCaption;
    QLineEdit* m_initialSizeBox;
    QLabel* m_capacityCaption;
    QLineEdit* m_capacityBox;
    QLabel* m_lagCaption;
    QLineEdit* m_lagBox;
    QLabel* m_stepsCaption;
    QLineEdit* m_stepsBox;
    QLabel* m_resultCaption;
    QLineEdit* m_resultBox;                                  // the final population size
    std::array<QPushButton*, PresetCount> m_presetButtons{}; // "Data 1" to "Data 3"
    QPushButton* m_runButton;
    QPushButton* m_printButton;      // "P"
    QPushButton* m_saveButton;       // "S": the graphic data
    QPushButton* m_largeGraphButton; // "LG"
    QPushButton* m_quitButton;       // the leaving sequence
    QTimer* m_clockTimer;

    QGroupBox* m_graphFrame; // "Graph"
    ChartControl* m_chart;
    QLabel* m_greeting;
    QLabel* m_instructions;

    QGroupBox* m_authorFrame; // "Author "
    QLabel* m_contactBlock;
    QLabel* m_clock; // a click clears the result
    QLabel* m_emblem;
    QPushButton* m_quizButton; // a picture button

    std::unique_ptr<ChartFamily> m_charts;
};

} // namespace tarnis
