// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/activities.h"

#include "model/dynamics/linear_stability.h"
#include "model/dynamics/run_regime.h"
#include "model/numbers/conversions.h"
#include "model/run/kept_runs.h"
#include "model/run/parameter_boxes.h"
#include "model/words/quantity_text.h"
#include "model/words/regime_words.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tarnis {

namespace {

constexpr char Point = '.';

// A set-up that differs from the defaults in r, the lag and the steps only.
Setup runOf(std::string r, std::string lag, std::string steps = "200")
{
    Setup setup{defaultRunTexts()};
    setup.run.r = std::move(r);
    setup.run.lag = std::move(lag);
    setup.run.steps = std::move(steps);
    return setup;
}

// The set-up that a preset button ("Data 1" is 0) writes into the boxes.
Setup presetOf(int preset)
{
    Setup setup{defaultRunTexts()};
    for (const auto& [box, text] : presetTexts(preset, Point)) {
        if (box == ParameterBox::r)
            setup.run.r = text;
        else if (box == ParameterBox::n0)
            setup.run.n0 = text;
        else if (box == ParameterBox::K)
            setup.run.K = text;
        else if (box == ParameterBox::lag)
            setup.run.lag = text;
        else
            setup.run.steps = text;
    }
    return setup;
}

Setup withKept(Setup setup, std::vector<Setup> kept)
{
    for (const Setup& run : kept)
        setup.kept.push_back(run.run);
    return setup;
}

std::vector<Activity> makeActivities()
{
    using enum StepAnswer;
    return {
        {"lag",
         "What the lag does",
         "How a time lag turns smooth growth into overshoot and oscillations that do not die down.",
         {
             {runOf("0.2", "0"),
              "Without a lag (T = {T}) the population grows along an S-shaped curve towards K = {K}.",
              "Does N ever rise above K? What does the population do in the long run?", Regime},
             {runOf("0.2", "3"),
              "With a lag of T = {T} each step responds to the population {T} steps earlier, so growth goes on "
              "for a while after N has passed K.",
              "What is the highest N of this run?", HighestN},
             {runOf("0.2", "5"), "The same r = {r}, with a longer lag, T = {T}.", "What is the highest N now?",
              HighestN},
             {runOf("0.2", "8"), "A lag of T = {T}: follow the swings around K over the {steps} steps.",
              "Do the swings die down? What does the population do in the long run at this lag?", Regime},
         }},
        {"limit",
         "The stability limit of a lag",
         "Where oscillations stop dying down: the r_c of a lag, read off the stability map and tested with runs.",
         {
             {runOf("0.2", "5"),
              "Open the stability map (in the Dynamics window on the desktop, in the Dynamics part of the page). "
              "Its boundary r_c divides the r where oscillations die down from those where they persist.",
              "Read r_c for T = {T} off the map.", StabilityLimit},
             {withKept(runOf("0.29", "5", "2000"), {runOf("0.28", "5", "2000")}),
              "Two runs of T = {T} on either side of r_c: the kept run's r lies just below it, this run's "
              "r = {r} just above it.",
              "Which of the two runs keeps oscillating, and what does the other do?", Regime},
             {runOf("0.2", "8"), "A longer lag, T = {T}.",
              "Read r_c for T = {T} off the map. Is it larger or smaller than at T = 5?", StabilityLimit},
         }},
        {"period",
         "Periods and the lag",
         "How many steps one oscillation takes, and how that grows with the lag.",
         {
             {runOf("0.5", "3"), "r = {r} lies above r_c for T = {T}: the oscillations persist.",
              "How many steps does one oscillation take? Count the steps from one peak to the next.", Period},
             {runOf("0.3", "5"), "A longer lag, T = {T}, with r = {r} above its r_c.",
              "How many steps does one oscillation take now?", Period},
             {runOf("0.2", "8"), "A lag of T = {T}, with r = {r} above its r_c.",
              "How many steps does one oscillation take at this lag?", Period},
             {runOf("0.2", "8"),
              "Where oscillations start, at r = r_c, one oscillation of a whole lag T takes 4T + 2 steps.",
              "How many steps is that for T = {T}? Compare it with the period you counted.", OnsetPeriod},
         }},
        {"extinction",
         "When a population dies out",
         "How a long lag and a large r make the swings so deep that the population is lost.",
         {
             {runOf("0.4", "5"), "With r = {r} and T = {T} the population overshoots K far, then crashes.",
              "How low does N fall after it first rises above K?", LowestAfterPeak},
             {runOf("0.5", "5"), "A little more growth, r = {r}, at the same lag T = {T}.",
              "At which step does N reach 0?", ExtinctionStep},
             {runOf("0.5", "3"), "The same r = {r} with a shorter lag, T = {T}.",
              "Does the population still die out? What does it do in the long run?", Regime},
         }},
        {"presets",
         "Data 1 to 3 compared",
         "The three preset runs side by side: the same r, three lags.",
         {
             {presetOf(2), "Data 3: r = {r} and a lag of T = {T}.", "What does the population do in the long run?",
              Regime},
             {presetOf(1), "Data 2: the same r with T = {T}.", "How many steps does one swing around K take?", Period},
             {presetOf(0), "Data 1: T = {T}, over {steps} steps.", "What is the highest N in these {steps} steps?",
              HighestN},
             {withKept(presetOf(0), {presetOf(2), presetOf(1)}),
              "The three runs together: Data 3 and Data 2 kept, Data 1 on show.",
              "Which lag gives the largest swings? At which lags do the swings die down?", Regime},
         }},
    };
}

RunParameters parametersOf(const RunTexts& texts)
{
    const auto read = readRunParameters(texts, Point);
    return std::holds_alternative<RunParameters>(read) ? std::get<RunParameters>(read) : DefaultParameters;
}

// The placeholders of a step's texts, filled with its run's values as its boxes show them.
std::string filled(std::string text, const RunTexts& run, char separator)
{
    const RunTexts shown = inLocaleNotation(run, separator);
    const std::pair<std::string_view, const std::string*> values[]
        = {{"{r}", &shown.r}, {"{T}", &shown.lag}, {"{K}", &shown.K}, {"{N0}", &shown.n0}, {"{steps}", &shown.steps}};
    for (const auto& [name, value] : values)
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value->size()))
            text.replace(at, name.size(), *value);
    return text;
}

// How an answer is named and how near a student's must come: a share of the model's value, or exactly.
struct AnswerRule {
    std::string_view name;
    double tolerance; // a share; 0: exactly
};

AnswerRule ruleOf(StepAnswer answer)
{
    switch (answer) {
    case StepAnswer::StabilityLimit:
        return {"r_c", 0.02};
    case StepAnswer::OnsetPeriod:
        return {"period", 0.0};
    case StepAnswer::Period:
        return {"period", 0.1};
    case StepAnswer::ExtinctionStep:
        return {"step", 0.0};
    case StepAnswer::HighestN:
        return {"highest N", 0.02};
    case StepAnswer::LowestAfterPeak:
        return {"lowest N", 0.1};
    case StepAnswer::Regime:
        break;
    }
    return {"", 0.0};
}

// The highest N of the run within its steps, or the lowest once N has first risen above K.
std::optional<double> extremeOfRun(const RunParameters& parameters, StepAnswer answer)
{
    const auto store = std::make_unique<ResultStore>();
    runModel(*store, parameters);
    const double* first = store->PopN.data();
    const double* last = first + store->LastStep + 1;
    if (answer == StepAnswer::HighestN)
        return *std::max_element(first, last);
    const double* peak = std::find_if(first, last, [&](double n) { return n > parameters.K; });
    if (peak == last)
        return std::nullopt;
    return *std::min_element(peak, last);
}

std::optional<double> answerValue(const RunParameters& parameters, StepAnswer answer)
{
    switch (answer) {
    case StepAnswer::StabilityLimit:
    case StepAnswer::OnsetPeriod: {
        const auto limits = stabilityLimits(parameters.lag);
        if (!limits)
            return std::nullopt;
        return answer == StepAnswer::StabilityLimit ? limits->rStable : limits->onsetPeriod;
    }
    case StepAnswer::Period:
    case StepAnswer::ExtinctionStep: {
        const auto report = runRegime(parameters);
        if (!report)
            return std::nullopt;
        if (answer == StepAnswer::Period)
            return report->period;
        return report->regime == Regime::DiesOut && report->endStep ? std::optional<double>(*report->endStep)
                                                                    : std::nullopt;
    }
    case StepAnswer::HighestN:
    case StepAnswer::LowestAfterPeak:
        return extremeOfRun(parameters, answer);
    case StepAnswer::Regime:
        break;
    }
    return std::nullopt;
}

std::string valueText(StepAnswer answer, double value, double K, char separator)
{
    switch (answer) {
    case StepAnswer::StabilityLimit:
        return quantity_text::limit(value, separator);
    case StepAnswer::OnsetPeriod:
    case StepAnswer::Period:
        return quantity_text::period(value, separator);
    case StepAnswer::ExtinctionStep:
        return quantity_text::steps((long long)value);
    default:
        return quantity_text::population(value, K, separator);
    }
}

// Each run of the step, kept ones first, named by what tells them apart, with what it does.
std::string regimesOfRuns(const Setup& setup, char separator)
{
    std::vector<RunParameters> runs;
    for (const RunTexts& kept : setup.kept)
        runs.push_back(parametersOf(kept));
    runs.push_back(parametersOf(setup.run));
    const std::vector<std::string> names = legendLabels(runs, separator);
    std::string text;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto report = runRegime(runs[i]);
        const std::string regime = report ? regimeName(runs[i], *report) : "beyond the analysis";
        // The legend's names hold commas (semicolons with a decimal comma), so runs are parted by sentences.
        text.append(text.empty() ? "" : ". ").append(runs.size() > 1 ? names[i] + ": " : "").append(regime);
    }
    return text;
}

std::string percentOf(double share) { return std::to_string(int(share * 100 + 0.5)).append(" %"); }

std::optional<double> typedNumber(std::string_view typed, char separator)
{
    if (auto value = convertStrict(typed, separator))
        return value;
    return convertStrict(typed, Point);
}

} // namespace

const std::vector<Activity>& activities()
{
    static const std::vector<Activity> all = makeActivities();
    return all;
}

const Activity* activityNamed(std::string_view id)
{
    const auto& all = activities();
    const auto found = std::find_if(all.begin(), all.end(), [&](const Activity& a) { return a.id == id; });
    return found == all.end() ? nullptr : &*found;
}

StepWords stepWords(const Activity& activity, int step, char separator)
{
    const ActivityStep& at = activity.steps.at(std::size_t(step));
    const AnswerRule rule = ruleOf(at.answer);
    return {
        std::string("Step ")
            .append(std::to_string(step + 1))
            .append(" of ")
            .append(std::to_string(activity.steps.size())),
        runLabel(parametersOf(at.setup.run), separator),
        filled(at.look, at.setup.run, separator),
        filled(at.question, at.setup.run, separator),
        rule.name.empty() ? std::string() : std::string("Your ").append(rule.name).append(":"),
    };
}

std::optional<ModelAnswer> modelAnswer(const ActivityStep& step, char separator)
{
    if (step.answer == StepAnswer::Regime)
        return ModelAnswer{std::nullopt, regimesOfRuns(step.setup, separator)};
    const RunParameters parameters = parametersOf(step.setup.run);
    const std::optional<double> value = answerValue(parameters, step.answer);
    if (!value)
        return std::nullopt;
    return ModelAnswer{
        value, std::string(ruleOf(step.answer).name) + " = " + valueText(step.answer, *value, parameters.K, separator)};
}

AnswerCheck checkAnswer(const ActivityStep& step, std::string_view typed, char separator)
{
    using Verdict = AnswerCheck::Verdict;
    const AnswerRule rule = ruleOf(step.answer);
    if (rule.name.empty())
        return {Verdict::NotChecked, "This question is answered in words; the teacher's key has the model's answer."};
    const std::optional<ModelAnswer> model = modelAnswer(step, separator);
    if (!model || !model->value)
        return {Verdict::NotChecked, "The model has no number for this step's run, so the answer cannot be checked."};
    const std::optional<double> number = typedNumber(typed, separator);
    if (!number)
        return {Verdict::NotANumber, std::string("Write your answer as a number, such as 0") + separator + "29."};

    const double value = *model->value;
    const RunParameters parameters = parametersOf(step.setup.run);
    const std::string yours
        = std::string("Your ").append(rule.name).append(" = ").append(quantity_text::parameter(*number, separator));
    const double off = value == 0.0 ? *number : (*number - value) / value;
    const bool within = rule.tolerance == 0.0 ? *number == value : std::abs(off) <= rule.tolerance;
    if (within) {
        if (rule.tolerance == 0.0)
            return {Verdict::Right, yours + " is right."};
        return {Verdict::Right,
                yours + " is within " + percentOf(rule.tolerance) + " of "
                    + valueText(step.answer, value, parameters.K, separator) + "."};
    }
    const bool high = *number > value;
    const Verdict verdict = high ? Verdict::TooHigh : Verdict::TooLow;
    if (rule.tolerance == 0.0)
        return {verdict, yours + (high ? " is too high" : " is too low") + ": look again."};
    return {verdict,
            yours + " is more than " + percentOf(rule.tolerance) + (high ? " above" : " below")
                + " the model's value: look again."};
}

std::vector<KeySection> teachersKey(char separator)
{
    std::vector<KeySection> key;
    for (const Activity& activity : activities()) {
        KeySection section{activity.title, {}};
        for (std::size_t i = 0; i < activity.steps.size(); ++i) {
            const ActivityStep& step = activity.steps[i];
            const std::optional<ModelAnswer> answer = modelAnswer(step, separator);
            const double tolerance = ruleOf(step.answer).tolerance;
            std::string text = answer ? answer->text : "the model has no answer for this run";
            if (answer && answer->value && tolerance > 0.0)
                text += " (within " + percentOf(tolerance) + ")";
            section.lines.push_back({std::string("Step ").append(std::to_string(i + 1)),
                                     stepWords(activity, int(i), separator).question, std::move(text)});
        }
        key.push_back(std::move(section));
    }
    return key;
}

ActivityWords activityWords()
{
    return {
        "Activities",
        "Activities…",
        "Apply this set-up",
        "Check",
        "Previous step",
        "Next step",
        "Teacher's key",
        "Print teacher's key…",
        "Print worksheet…",
        "Tarnis: teacher's key",
        "Answer:",
        "Open this set-up:",
        "Written after the address of the Tarnis page, this opens the set-up of the activity's first step:",
    };
}

std::string activityFragment(const Activity& activity, int step)
{
    Setup setup = activity.steps.at(std::size_t(step)).setup;
    setup.activity = activity.id;
    setup.activityStep = step + 1;
    return setupFragment(setup);
}

} // namespace tarnis
