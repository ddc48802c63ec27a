// The window Chance: an ensemble of noisy runs of the main window's last run (its r, N(0), K, lag and
// steps), with the noise, σ, runs, seed and threshold chosen in its controls. The ensemble is computed
// on threads of its own while the window stays usable, and computed anew when the main window runs
// again; closing the window cancels it. It shows the fan chart of N(t), the survival curve and the
// model's sentence about the runs. Every word it shows is the model's.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/ensemble_charts.h"
#include "dynamics/background_job.h"
#include "model/chance/ensemble.h"
#include "model/words/chance_words.h"
#include "ui/services.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimer;

namespace tarnis {

class RunComparison;

// What the work hands over: its progress after some runs, and at the end what the runs say.
struct EnsembleDelivery {
    struct Finished {
        ExtinctionSummary summary;
        int steps = 0;
        EnsembleCurves curves;
    };
    long long done = 0;
    long long total = 0;
    std::shared_ptr<const Finished> finished; // with the last delivery only
};

class ChanceWindow : public QWidget {
    Q_OBJECT
public:
    // The window reads the current run from the comparison and follows its changes.
    ChanceWindow(RunComparison& comparison, Services services);
    ~ChanceWindow() override;

    static QSize firstSize();
    static QSize smallestSize();

    // An ensemble is being computed, or about to be.
    bool working() const;
    // What the last finished ensemble said; nullptr before one finished.
    const EnsembleDelivery::Finished* finished() const { return m_finished.get(); }
    // The ensemble that was asked for last, as the window computes or computed it.
    const std::optional<EnsembleRequest>& request() const { return m_request; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildControls();
    QWidget* buildCharts();
    void addMenus();
    EnsembleEntry entry() const;
    void noiseChosen();
    void computeAsked();
    void runChanged();
    void showRefusal(const std::string& refusal);
    void start(const EnsembleRequest& request);
    void handOn();
    void showFinished();
    void showProgress(long long done, long long total);
    QString dataText(QChar separator) const;
    QByteArray dataFile() const;

    RunComparison& m_comparison;
    Services m_services;
    const ChanceWords m_words;
    // The controls as last accepted: a new run of the main window is computed with them.
    std::optional<EnsembleEntry> m_accepted;
    std::optional<EnsembleRequest> m_request;
    std::shared_ptr<const EnsembleDelivery::Finished> m_finished;

    QComboBox* m_noiseChoice;
    QLineEdit* m_sigmaBox;
    QSpinBox* m_runsBox;
    QLineEdit* m_seedBox;
    QLineEdit* m_thresholdBox;
    QPushButton* m_computeButton;
    QLabel* m_refusal;
    QLabel* m_status;
    QProgressBar* m_progress;
    QCustomPlot* m_fan;
    QCustomPlot* m_survival;
    QLabel* m_sentence;
    QStackedWidget* m_under; // the sentence, or the progress in its place
    QTimer* m_restart;       // a new run noted inside the main window's click, computed after it
    QTimer* m_drawing;       // looks at what the work delivered

    // Last, so that its thread ends before anything else of the window goes.
    BackgroundJob<EnsembleDelivery> m_job;
};

} // namespace tarnis
