// Guided activities for the page: the list of activities, a step's words in the reader's notation, its
// set-up (as the set-up bindings hand one over, with the activity and the step in it, so that applying
// it is applying a link), a student's answer checked against the model's, the teacher's key, the
// shared captions and a step's link fragment. Steps are numbered from 1 here, as links and headings
// number them; the model counts from 0.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/activities.h"
#include "web/bind_setup.h"

#include <emscripten/bind.h>

namespace tarnis::web {

namespace {

inline constexpr Names<AnswerCheck::Verdict, 5> VerdictNames{{
    {AnswerCheck::Verdict::Right, "right"},
    {AnswerCheck::Verdict::TooHigh, "tooHigh"},
    {AnswerCheck::Verdict::TooLow, "tooLow"},
    {AnswerCheck::Verdict::NotANumber, "notANumber"},
    {AnswerCheck::Verdict::NotChecked, "notChecked"},
}};

const Activity& activityOf(const std::string& id)
{
    const Activity* activity = activityNamed(id);
    if (!activity)
        throwError("RangeError", "no such activity: '" + id + "'");
    return *activity;
}

// The model's index of a step numbered from 1; a RangeError for none of the activity's steps.
int indexOf(const Activity& activity, int step)
{
    if (step < 1 || step > int(activity.steps.size()))
        throwError(
            "RangeError",
            std::string("the activity '").append(activity.id).append("' has no step ").append(std::to_string(step)));
    return step - 1;
}

val activityList()
{
    val list = val::array();
    for (const Activity& activity : activities()) {
        val entry = val::object();
        entry.set("id", activity.id);
        entry.set("title", activity.title);
        entry.set("aim", activity.aim);
        entry.set("stepCount", int(activity.steps.size()));
        list.call<void>("push", entry);
    }
    return list;
}

val stepWordsOf(const std::string& id, int step, const std::string& separator)
{
    const Activity& activity = activityOf(id);
    const StepWords words = stepWords(activity, indexOf(activity, step), separatorOf(separator));
    val object = val::object();
    object.set("heading", words.heading);
    object.set("setupLine", words.setupLine);
    object.set("look", words.look);
    object.set("question", words.question);
    object.set("answerLabel", words.answerLabel);
    return object;
}

Setup stepSetup(const Activity& activity, int step)
{
    Setup setup = activity.steps.at(std::size_t(indexOf(activity, step))).setup;
    setup.activity = activity.id;
    setup.activityStep = step;
    return setup;
}

val stepSetupOf(const std::string& id, int step) { return setupToJs(stepSetup(activityOf(id), step)); }

val checkOf(const std::string& id, int step, const std::string& typed, const std::string& separator)
{
    const Activity& activity = activityOf(id);
    const ActivityStep& at = activity.steps.at(std::size_t(indexOf(activity, step)));
    const AnswerCheck check = checkAnswer(at, typed, separatorOf(separator));
    val object = val::object();
    object.set("verdict", nameOf(VerdictNames, check.verdict));
    object.set("words", check.words);
    return object;
}

val keyOf(const std::string& separator)
{
    val sections = val::array();
    for (const KeySection& section : teachersKey(separatorOf(separator))) {
        val lines = val::array();
        for (const KeyLine& line : section.lines) {
            val entry = val::object();
            entry.set("heading", line.heading);
            entry.set("question", line.question);
            entry.set("answer", line.answer);
            lines.call<void>("push", entry);
        }
        val object = val::object();
        object.set("title", section.title);
        object.set("lines", lines);
        sections.call<void>("push", object);
    }
    return sections;
}

val wordsOf()
{
    const ActivityWords words = activityWords();
    val object = val::object();
    object.set("panelTitle", words.panelTitle);
    object.set("applyCaption", words.applyCaption);
    object.set("checkCaption", words.checkCaption);
    object.set("previousCaption", words.previousCaption);
    object.set("nextCaption", words.nextCaption);
    object.set("keyCaption", words.keyCaption);
    object.set("printKeyCaption", words.printKeyCaption);
    object.set("worksheetCaption", words.worksheetCaption);
    object.set("keyTitle", words.keyTitle);
    object.set("answerRoom", words.answerRoom);
    object.set("linkLine", words.linkLine);
    return object;
}

std::string fragmentOf(const std::string& id, int step)
{
    const Activity& activity = activityOf(id);
    return activityFragment(activity, indexOf(activity, step));
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_activities)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("activities", &activityList);
    function("activityStepWords", &stepWordsOf);
    function("activityStepSetup", &stepSetupOf);
    function("checkActivityAnswer", &checkOf);
    function("teachersKey", &keyOf);
    function("activityWords", &wordsOf);
    function("activityFragment", &fragmentOf);
}
