// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/activities.h"

#include "model/dynamics/linear_stability.h"
#include "model/dynamics/run_regime.h"
#include "model/language/catalog.h"
#include "model/numbers/conversions.h"
#include "model/run/kept_runs.h"
#include "model/run/parameter_boxes.h"
#include "model/words/quantity_text.h"
#include "model/words/regime_words.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

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

ActivityStep step(Setup setup, std::string_view look, std::string_view question, StepAnswer answer)
{
    return {std::move(setup), std::string(look), std::string(question), answer};
}

// The activities in the current language: each text is translated here, as the table is built for a
// language, and filled with the step's values where it is shown, so a translation may put {r} and {T}
// wherever its sentence needs them.
std::vector<Activity> makeActivities()
{
    using enum StepAnswer;
    const auto owned = [](std::string_view text) { return std::string(text); };
    return {
        {"lag",
         // TRANSLATORS: the title of a guided activity.
         owned(translate("What the lag does")),
         // TRANSLATORS: the aim of a guided activity, in one sentence.
         owned(translate("How a time lag turns smooth growth into overshoot and oscillations that do not die down.")),
         {
             step(runOf("0.2", "0"),
                  // TRANSLATORS: what a step of an activity asks to look at. {r}, {T}, {K}, {N0} and {steps} are
                  // the step's r, lag, K, N(0) and number of steps; r_c is the stability limit's symbol.
                  translate("Without a lag (T = {T}) the population grows along an S-shaped curve towards K = {K}."),
                  translate("Does N ever rise above K? What does the population do in the long run?"), Regime),
             step(runOf("0.2", "3"),
                  translate("With a lag of T = {T} each step responds to the population {T} steps earlier, so "
                            "growth goes on for a while after N has passed K."),
                  translate("What is the highest N of this run?"), HighestN),
             step(runOf("0.2", "5"), translate("The same r = {r}, with a longer lag, T = {T}."),
                  translate("What is the highest N now?"), HighestN),
             step(runOf("0.2", "8"), translate("A lag of T = {T}: follow the swings around K over the {steps} steps."),
                  translate("Do the swings die down? What does the population do in the long run at this lag?"),
                  Regime),
         }},
        {"limit",
         owned(translate("The stability limit of a lag")),
         owned(translate("Where oscillations stop dying down: the r_c of a lag, read off the stability map and tested "
                         "with runs.")),
         {
             step(runOf("0.2", "5"),
                  translate("Open the stability map (in the Dynamics window on the desktop, in the Dynamics part of "
                            "the page). Its boundary r_c divides the r where oscillations die down from those where "
                            "they persist."),
                  translate("Read r_c for T = {T} off the map."), StabilityLimit),
             step(withKept(runOf("0.29", "5", "2000"), {runOf("0.28", "5", "2000")}),
                  translate("Two runs of T = {T} on either side of r_c: the kept run's r lies just below it, this "
                            "run's r = {r} just above it."),
                  translate("Which of the two runs keeps oscillating, and what does the other do?"), Regime),
             step(runOf("0.2", "8"), translate("A longer lag, T = {T}."),
                  translate("Read r_c for T = {T} off the map. Is it larger or smaller than at T = 5?"),
                  StabilityLimit),
         }},
        {"period",
         owned(translate("Periods and the lag")),
         owned(translate("How many steps one oscillation takes, and how that grows with the lag.")),
         {
             step(runOf("0.5", "3"), translate("r = {r} lies above r_c for T = {T}: the oscillations persist."),
                  translate("How many steps does one oscillation take? Count the steps from one peak to the next."),
                  Period),
             step(runOf("0.3", "5"), translate("A longer lag, T = {T}, with r = {r} above its r_c."),
                  translate("How many steps does one oscillation take now?"), Period),
             step(runOf("0.2", "8"), translate("A lag of T = {T}, with r = {r} above its r_c."),
                  translate("How many steps does one oscillation take at this lag?"), Period),
             step(runOf("0.2", "8"),
                  translate("Where oscillations start, at r = r_c, one oscillation of a whole lag T takes 4T + 2 "
                            "steps."),
                  translate("How many steps is that for T = {T}? Compare it with the period you counted."),
                  OnsetPeriod),
         }},
        {"extinction",
         owned(translate("When a population dies out")),
         owned(translate("How a long lag and a large r make the swings so deep that the population is lost.")),
         {
             step(runOf("0.4", "5"),
                  translate("With r = {r} and T = {T} the population overshoots K far, then crashes."),
                  translate("How low does N fall after it first rises above K?"), LowestAfterPeak),
             step(runOf("0.5", "5"), translate("A little more growth, r = {r}, at the same lag T = {T}."),
                  translate("At which step does N reach 0?"), ExtinctionStep),
             step(runOf("0.5", "3"), translate("The same r = {r} with a shorter lag, T = {T}."),
                  translate("Does the population still die out? What does it do in the long run?"), Regime),
         }},
        {"presets",
         // TRANSLATORS: "Data 1" to "Data 3" are the main window's preset buttons; use their captions.
         owned(translate("Data 1 to 3 compared")),
         owned(translate("The three preset runs side by side: the same r, three lags.")),
         {
             step(presetOf(2), translate("Data 3: r = {r} and a lag of T = {T}."),
                  translate("What does the population do in the long run?"), Regime),
             step(presetOf(1), translate("Data 2: the same r with T = {T}."),
                  translate("How many steps does one swing around K take?"), Period),
             step(presetOf(0), translate("Data 1: T = {T}, over {steps} steps."),
                  translate("What is the highest N in these {steps} steps?"), HighestN),
             step(withKept(presetOf(0), {presetOf(2), presetOf(1)}),
                  translate("The three runs together: Data 3 and Data 2 kept, Data 1 on show."),
                  translate("Which lag gives the largest swings? At which lags do the swings die down?"), Regime),
         }},
    };
}

RunParameters parametersOf(const RunTexts& texts)
{
    const auto read = readRunParameters(texts, Point);
    return std::holds_alternative<RunParameters>(read) ? std::get<RunParameters>(read) : DefaultParameters;
}

// The placeholders of a step's texts, filled with its run's values as its boxes show them.
std::string filled(std::string_view text, const RunTexts& run, char separator)
{
    const RunTexts shown = inLocaleNotation(run, separator);
    return fill(text, {{"r", shown.r}, {"T", shown.lag}, {"K", shown.K}, {"N0", shown.n0}, {"steps", shown.steps}});
}

// How an answer is named and how near a student's must come: a share of the model's value, or exactly.
// Each name has its own label and its own "Your …" in the catalog, as a language's "your" may agree
// with the noun it goes with.
struct AnswerRule {
    std::string_view name;  // "r_c", as the key writes "r_c = 0.2846"
    std::string_view label; // "Your r_c:", beside the answer's box
    std::string_view yours; // "Your r_c = {value}", the subject of the check's sentence
    double tolerance;       // a share; 0: exactly
};

AnswerRule ruleOf(StepAnswer answer)
{
    switch (answer) {
    case StepAnswer::StabilityLimit:
        // TRANSLATORS: an answer's name as the teacher's key writes it ("r_c = 0.2846"); r_c is the
        // stability limit's symbol. "Your r_c:" labels the box a student types it in.
        return {translateIn("answer", "r_c"), translate("Your r_c:"), translate("Your r_c = {value}"), 0.02};
    case StepAnswer::OnsetPeriod:
    case StepAnswer::Period:
        return {translateIn("answer", "period"), translate("Your period:"), translate("Your period = {value}"),
                answer == StepAnswer::Period ? 0.1 : 0.0};
    case StepAnswer::ExtinctionStep:
        // TRANSLATORS: the step at which the population dies out.
        return {translateIn("answer", "step"), translate("Your step:"), translate("Your step = {value}"), 0.0};
    case StepAnswer::HighestN:
        return {translateIn("answer", "highest N"), translate("Your highest N:"), translate("Your highest N = {value}"),
                0.02};
    case StepAnswer::LowestAfterPeak:
        return {translateIn("answer", "lowest N"), translate("Your lowest N:"), translate("Your lowest N = {value}"),
                0.1};
    case StepAnswer::Regime:
        break;
    }
    return {"", "", "", 0.0};
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
        const std::string regime
            = report ? regimeName(runs[i], *report) : std::string(translate("beyond the analysis"));
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

// A student's number held against the model's value (`modelWords` as the key writes it), as near as
// the rule asks.
AnswerCheck heldAgainst(const AnswerRule& rule, double number, double value, const std::string& modelWords,
                        char separator)
{
    using Verdict = AnswerCheck::Verdict;
    const std::string yours = fill(rule.yours, {{"value", quantity_text::parameter(number, separator)}});
    const double off = value == 0.0 ? number : (number - value) / value;
    const bool within = rule.tolerance == 0.0 ? number == value : std::abs(off) <= rule.tolerance;
    const std::string percent = percentOf(rule.tolerance);
    if (within && rule.tolerance == 0.0)
        // TRANSLATORS: {yours} is "Your step = 26" or the like, as translated above.
        return {Verdict::Right, fill(translate("{yours} is right."), {{"yours", yours}})};
    if (within)
        return {Verdict::Right,
                fill(translate("{yours} is within {percent} of {value}."),
                     {{"yours", yours}, {"percent", percent}, {"value", modelWords}})};
    const bool high = number > value;
    const Verdict verdict = high ? Verdict::TooHigh : Verdict::TooLow;
    if (rule.tolerance == 0.0)
        return {
            verdict,
            fill(high ? translate("{yours} is too high: look again.") : translate("{yours} is too low: look again."),
                 {{"yours", yours}})};
    return {verdict,
            fill(high ? translate("{yours} is more than {percent} above the model's value: look again.")
                      : translate("{yours} is more than {percent} below the model's value: look again."),
                 {{"yours", yours}, {"percent", percent}})};
}

} // namespace

const std::vector<Activity>& activities()
{
    // One table a language, made when first asked for and kept: a window may hold an activity of the
    // language it was built in while the page's reader picks another.
    static std::mutex making;
    static std::map<std::string, std::vector<Activity>, std::less<>> inLanguage;
    const std::scoped_lock lock(making);
    const std::string_view language = currentLanguage();
    auto found = inLanguage.find(language);
    if (found == inLanguage.end())
        found = inLanguage.emplace(std::string(language), makeActivities()).first;
    return found->second;
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
        fill(translate("Step {step} of {count}"),
             {{"step", std::to_string(step + 1)}, {"count", std::to_string(activity.steps.size())}}),
        shownRunLabel(parametersOf(at.setup.run), separator),
        filled(at.look, at.setup.run, separator),
        filled(at.question, at.setup.run, separator),
        std::string(rule.label),
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
        return {
            Verdict::NotChecked,
            std::string(translate("This question is answered in words; the teacher's key has the model's answer."))};
    const std::optional<ModelAnswer> model = modelAnswer(step, separator);
    if (!model || !model->value)
        return {
            Verdict::NotChecked,
            std::string(translate("The model has no number for this step's run, so the answer cannot be checked."))};
    const std::optional<double> number = typedNumber(typed, separator);
    if (!number)
        return {Verdict::NotANumber,
                fill(translate("Write your answer as a number, such as {example}."),
                     {{"example", std::string("0").append(1, separator).append("29")}})};

    const RunParameters parameters = parametersOf(step.setup.run);
    const std::string modelWords = valueText(step.answer, *model->value, parameters.K, separator);
    return heldAgainst(rule, *number, *model->value, modelWords, separator);
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
            std::string text = answer ? answer->text : std::string(translate("the model has no answer for this run"));
            if (answer && answer->value && tolerance > 0.0)
                // TRANSLATORS: the teacher's key's answer ("r_c = 0.2846") with how near a student's must come.
                text = fill(translate("{answer} (within {percent})"),
                            {{"answer", text}, {"percent", percentOf(tolerance)}});
            section.lines.push_back({fill(translate("Step {step}"), {{"step", std::to_string(i + 1)}}),
                                     stepWords(activity, int(i), separator).question, std::move(text)});
        }
        key.push_back(std::move(section));
    }
    return key;
}

ActivityWords activityWords()
{
    const auto owned = [](std::string_view text) { return std::string(text); };
    return {
        owned(translate("Activities")),
        owned(translate("Activities…")),
        owned(translate("Apply this set-up")),
        // TRANSLATORS: the button that checks a student's answer.
        owned(translate("Check")),
        owned(translate("Previous step")),
        owned(translate("Next step")),
        owned(translate("Teacher's key")),
        owned(translate("Print teacher's key…")),
        owned(translate("Print worksheet…")),
        // TRANSLATORS: the printed teacher's key's title; Tarnis is the program's name.
        owned(translate("Tarnis: teacher's key")),
        // TRANSLATORS: on a printed worksheet, before the ruled lines left to write the answer on.
        owned(translate("Answer:")),
        // TRANSLATORS: on a printed worksheet, before the address that opens the activity in the page.
        owned(translate("Open this set-up:")),
        // TRANSLATORS: on a printed worksheet that knows no address of the page, before the part of the
        // address that follows the "#".
        owned(translate("Written after the address of the Tarnis page, this opens the set-up of the activity's "
                        "first step:")),
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
