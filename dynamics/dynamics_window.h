// The window Dynamics: what r and the lag do, for the last run. The run in words (with its continuous-
// time twin's under them, and how the two models meet), the stability map over lag and r, the
// bifurcation diagram with its Lyapunov exponent, over r or over the lag, and the trajectory of the
// run that the pointer rests on in either (else of the last run). It follows every
// run, shows what its DynamicsWork computes on threads of its own while it stays usable, and a click on
// a map writes r and the lag into the main window's boxes. Nothing in it writes the result store.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dynamics/dynamics_work.h"
#include "ui/services.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class QGroupBox;
class QLabel;
class QProgressBar;
class QRadioButton;

namespace tarnis {

class BifurcationPlot;
class PointingPlot;
class RunComparison;
class RunPreview;
class SteadyLines;
class StabilityMap;
class WrappingScrollArea;
struct RunWords;

class DynamicsWindow : public QWidget {
    Q_OBJECT
public:
    // Writes r, the lag or both into the main window's boxes as a preset does, and brings the boxes
    // into sight.
    using ParameterChoice = std::function<void(std::optional<double> r, std::optional<double> lag)>;

    // The window reads the current run from the comparison and follows its changes.
    DynamicsWindow(RunComparison& comparison, Services services, ParameterChoice choose);
    ~DynamicsWindow() override;

    // The size the window opens at, and the smallest it can be, with room for its words and both plots.
    static QSize firstSize();
    static QSize smallestSize();

    // Some of the work for the current run is still going on (or about to start).
    bool working() const { return m_work.working(); }
    const std::optional<DynamicsPlan>& plan() const { return m_work.plan(); }

    // The axis of the bifurcation diagram, as its buttons choose it: a set-up saves and sets it.
    BifurcationAxis chosenAxis() const;
    void chooseAxis(BifurcationAxis axis);

private:
    QGroupBox* buildWordsPart();
    QGroupBox* buildMapPart();
    QGroupBox* buildBifurcationPart();
    void addMenus();
    void showWork();
    void previewFollows(PointingPlot* plot);
    void showPreview();
    void chosen(std::optional<double> r, std::optional<double> lag);
    void planned(const DynamicsRestart& restart);
    void showNoRun();
    void showRunWords();
    void showContinuousWords();
    void axisChosen();
    void showWords(const RunWords& words);
    void showProgress(QProgressBar* bar, std::size_t done, std::size_t total, bool finished);
    QString wordsDataText(QChar decimalSeparator) const;

    Services m_services;
    ParameterChoice m_choose;

    QGroupBox* m_wordsPart;
    QLabel* m_headline;
    QLabel* m_sentences;
    QLabel* m_continuousHeadline;
    QLabel* m_continuousSentences; // with the bridge between the two models after them
    WrappingScrollArea* m_sentencesArea;
    SteadyLines* m_choiceNote; // what the last click on a plot wrote into the main window
    QGroupBox* m_mapPart;
    StabilityMap* m_map;
    SteadyLines* m_mapPointed;
    QProgressBar* m_mapProgress;
    QGroupBox* m_bifurcationPart;
    QRadioButton* m_overRate;
    QRadioButton* m_overLag;
    BifurcationPlot* m_bifurcation;
    SteadyLines* m_bifurcationPointed;
    QProgressBar* m_bifurcationProgress;
    RunPreview* m_preview;
    PointingPlot* m_previewFrom = nullptr; // the plot whose place the preview shows; none: the last run

    // Last, so that its threads end before anything else of the window goes.
    DynamicsWork m_work;
};

} // namespace tarnis
