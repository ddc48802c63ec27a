// The window Activities: a guided activity, one step at a time. The step's set-up is applied to the
// main window with one click, as opening a set-up file applies one; the window shows what to look at
// and the question, checks a number typed as the answer against the model's, and prints the teacher's
// key and a worksheet of the activity. Every word it shows is the model's.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/lessons/activities.h"
#include "ui/services.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnis {

class ActivitiesWindow : public QWidget {
    Q_OBJECT
public:
    // Shows a set-up in the windows, through the same path as an opened set-up file.
    using ApplySetup = std::function<void(const Setup&)>;

    // Opens on the first activity's first step; nothing is applied until the user asks.
    ActivitiesWindow(Services services, ApplySetup apply);

    // The size the window opens at, and the smallest it can be with its words readable.
    static QSize firstSize();
    static QSize smallestSize();

    // Goes to an activity's step (from 1) without applying its set-up: a set-up file that names the
    // activity brought its own. An unknown activity or step changes nothing and is false.
    bool openAt(const std::string& activityId, int step);

    // The activity and the step (from 1) on show, which a saved set-up carries.
    const Activity& activity() const;
    int step() const { return m_step + 1; }

private:
    QWidget* buildStepPart();
    QWidget* buildAnswerRow();
    QWidget* buildButtonRows();
    void activityChosen(int index);
    void showStep();
    void moveBy(int steps);
    void applyStep();
    void checkTyped();
    void printKey();
    void printWorksheet();

    Services m_services;
    ApplySetup m_apply;
    const ActivityWords m_words;
    int m_step = 0; // from 0, within the activity chosen in m_activityChoice

    QComboBox* m_activityChoice;
    QLabel* m_aim;
    QLabel* m_heading;
    QLabel* m_setupLine;
    QLabel* m_look;
    QLabel* m_question;
    QPushButton* m_applyButton;
    QWidget* m_answerRow; // hidden for a step answered in words
    QLabel* m_answerLabel;
    QLineEdit* m_answerBox;
    QPushButton* m_checkButton;
    QLabel* m_checkWords;
    QPushButton* m_previousButton;
    QPushButton* m_nextButton;
    QPushButton* m_printKeyButton;
    QPushButton* m_printWorksheetButton;
};

} // namespace tarnis
