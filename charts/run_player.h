// Play: the run on show drawn step by step in the view of the whole run, so that a class watches the
// population overshoot K and fall back. A small bar over the chart, there only while a play is on,
// pauses and resumes it, takes single steps, sets the speed and stops it, by the pointer or the keys;
// the readout marks the newest step. A click on the chart, or anything else that has the chart drawn
// anew, ends the play. The player only draws what the chart routines give it: it reads the result
// store through them and never writes it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <functional>

class QBoxLayout;
class QComboBox;
class QFrame;
class QLabel;
class QToolButton;
class QTimer;

namespace tarnis {

class ChartControl;

class RunPlayer : public QObject {
    Q_OBJECT
public:
    // How the player draws: the rows of the kind on show, that kind with only the first rows of the
    // chart's own run (in the view on show), and all of it again.
    struct Drawing {
        std::function<int()> rows;
        std::function<void(int rows)> drawFirst;
        std::function<void()> drawAll;
    };

    RunPlayer(ChartControl& chart, Drawing drawing);
    ~RunPlayer() override;

    // How often the chart is drawn while a play runs.
    static constexpr int FrameMilliseconds = 30;

    // From the first step, at the speed that plays the run in about ten seconds; a play that is on
    // starts again.
    void play();
    // Pauses a running play, or lets a paused one run on.
    void pauseOrResume();
    // One step on; a running play pauses first. The last step ends the play.
    void step();
    void setSpeed(int stepsPerSecond);
    // Ends the play with the whole run drawn and the readout on its last step.
    void stop();
    // Ends the play without drawing: the chart routines are drawing the chart anew.
    void abandon();

    bool active() const { return m_active; } // running or paused
    bool running() const;
    int shownRows() const { return m_rows; }
    int speed() const { return m_speed; }

private:
    void buildBar();
    void showBar(bool shown);
    void tick();
    void show(int rows);
    void restartClock();

    ChartControl& m_chart;
    Drawing m_drawing;
    QTimer* m_timer;
    QElapsedTimer m_clock; // since the play last ran on from m_fromRows
    bool m_active = false;
    int m_rows = 0;     // on show
    int m_total = 0;    // of the whole run
    int m_fromRows = 0; // on show when the clock started
    int m_speed = 0;    // steps a second
    // The bar belongs to the chart, which may go first.
    QPointer<QFrame> m_bar;
    QBoxLayout* m_barRows = nullptr; // side by side, or one over the other
    QToolButton* m_pause = nullptr;
    QComboBox* m_speedBox = nullptr;
    QLabel* m_position = nullptr;
};

} // namespace tarnis
