// Guided activities: short sequences of steps that a class works through, each step a set-up applied
// with one click, what to look at and a question. Where the answer is a number the model computes (a
// stability limit, a period, the step of an end, the highest or lowest N), a student's answer is
// checked against it; the teacher's key holds every answer, computed for the steps' own set-ups. The
// texts name the step's values through placeholders ({r}, {T}, {K}, {N0}, {steps}), filled with the
// reader's decimal separator, so a sentence never states a number its set-up does not have.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/lessons/setup.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnis {

// What a step's answer is, as the model computes it for the step's run.
enum class StepAnswer {
    Regime,          // words only: what the population does in the long run (the key says it)
    StabilityLimit,  // r_c of the run's lag, read off the map
    OnsetPeriod,     // the period of the oscillation at r_c, 4T + 2 steps for a whole lag
    Period,          // the steps of one oscillation of the run, as its words give it
    ExtinctionStep,  // the step at which N reaches 0
    HighestN,        // the largest N within the run's steps
    LowestAfterPeak, // the smallest N after N first rises above K, within the run's steps
};

struct ActivityStep {
    Setup setup;
    std::string look;     // what to look at, with placeholders
    std::string question; // with placeholders
    StepAnswer answer = StepAnswer::Regime;
};

struct Activity {
    std::string id;    // in links and files: "lag"; never changes once published
    std::string title; // "What the lag does"
    std::string aim;   // one sentence: what the class finds out
    std::vector<ActivityStep> steps;
};

// Every activity, in the order a course meets them, with its words in the current language; its id
// and its set-ups are the same in every language.
const std::vector<Activity>& activities();
const Activity* activityNamed(std::string_view id);

// A step's texts as a reader sees them: placeholders filled, numbers with `separator`.
struct StepWords {
    std::string heading;   // "Step 2 of 4"
    std::string setupLine; // "r = 0.2, N(0) = 1, K = 500, T = 5, 200 steps"
    std::string look;
    std::string question;
    std::string answerLabel; // "Your r_c:"; empty where the answer is words, which are not checked
};
StepWords stepWords(const Activity& activity, int step, char separator);

// The model's answer to a step: its number where it has one, and how the key writes it ("r_c = 0.2846",
// "damped oscillations, period about 24.8"). Empty for a step whose run the model cannot analyse.
struct ModelAnswer {
    std::optional<double> value;
    std::string text;
};
std::optional<ModelAnswer> modelAnswer(const ActivityStep& step, char separator);

// A student's answer held against the model's: "Your r_c = 0.29 is within 2 % of 0.2846." A number is
// read as the boxes read one (either separator's notation with `separator`); what is no number says so.
struct AnswerCheck {
    enum class Verdict { Right, TooHigh, TooLow, NotANumber, NotChecked } verdict = Verdict::NotChecked;
    std::string words;
};
AnswerCheck checkAnswer(const ActivityStep& step, std::string_view typed, char separator);

// The teacher's key: for each activity, each step's question and the model's answer to it.
struct KeyLine {
    std::string heading; // "Step 2"
    std::string question;
    std::string answer; // the model's answer with the tolerance a check allows: "r_c = 0.2846 (within 2 %)"
};
struct KeySection {
    std::string title;
    std::vector<KeyLine> lines;
};
std::vector<KeySection> teachersKey(char separator);

// The titles and fixed words that the activity panel, the window and the printed sheets share.
struct ActivityWords {
    std::string panelTitle;   // "Activities"
    std::string menuCaption;  // "Activities…", the charts' menu on the desktop
    std::string applyCaption; // "Apply this set-up"
    std::string checkCaption; // "Check"
    std::string previousCaption;
    std::string nextCaption;
    std::string keyCaption; // "Teacher's key"
    std::string printKeyCaption;
    std::string worksheetCaption; // "Print worksheet"
    std::string keyTitle;         // "Tarnis: teacher's key"
    std::string answerRoom;       // "Answer:", before the lines left to write on
    std::string linkLine;         // "Open this set-up:"
    // Where a printed sheet knows no address of the page: what the fragment printed after it is for.
    std::string fragmentNote;
};
ActivityWords activityWords();

// The set-up of an activity's step as a link's fragment says it: the step's set-up, and which activity
// and step it belongs to ("activity=lag&step=2&r=0.2&…"), so a worksheet's link opens the same step.
std::string activityFragment(const Activity& activity, int step);

} // namespace tarnis
