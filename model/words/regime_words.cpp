// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/regime_words.h"

#include "model/dynamics/linear_stability.h"
#include "model/numbers/double_double.h"
#include "model/words/quantity_text.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

namespace q = quantity_text;

// The texts of one run, all with the same decimal separator.
struct Writer {
    const RunParameters& run;
    char separator;

    std::string parameter(double value) const { return q::parameter(value, separator); }
    std::string population(double value) const { return q::population(value, run.K, separator); }
    // How many percent a small difference grows per step for an exponent.
    std::string growth(double exponent) const { return q::percent(100.0 * dd::expm1(dd::DoubleDouble(exponent)).hi, separator); }
};

std::string capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = char(text[0] - 'a' + 'A');
    return text;
}

// A lag with a fraction acts as whole lags (the step reads N at a whole step); the words name them.
std::string lagUsedText(const Writer& w)
{
    const double lag = w.run.lag;
    if (!(lag <= MaxAnalysedLag) || lag == std::floor(lag))
        return {};
    const LagSchedule schedule = lagSchedule(lag);
    if (schedule.alternates()) {
        const auto [shorter, longer] = std::minmax(schedule.onEvenSteps, schedule.onOddSteps);
        return ", which acts as lags of " + q::steps(shorter) + " and " + q::steps(longer) + " in turn";
    }
    return ", which acts as a lag of " + q::steps(schedule.onEvenSteps);
}

std::string lagText(const Writer& w)
{
    return w.run.lag == 0.0 ? "no lag (T = 0)" : "a lag of T = " + w.parameter(w.run.lag) + lagUsedText(w);
}

std::string opening(const Writer& w)
{
    return "With r = " + w.parameter(w.run.r) + ", N(0) = " + w.parameter(w.run.n0) + ", K = " + w.parameter(w.run.K)
        + " and " + lagText(w) + ", the population ";
}

std::string rangeText(const Writer& w, const RegimeReport& report)
{
    return "between about " + w.population(*report.nMin) + " and " + w.population(*report.nMax);
}

std::string halvingText(double steps, char separator)
{
    if (steps <= 1.05)
        return "; the swings shrink by half or more at every step";
    const std::string count
        = steps < 10 ? q::rounded(steps, 1, separator) : q::rounded(std::round(steps), 0, separator);
    return "; the swings shrink by half about every " + count + " steps";
}

// What a disturbance of K does where K is stable: it dies down, or at r_c itself neither fades nor grows.
std::string stableKText(const Writer& w)
{
    const auto linear = linearResponse(w.run.r, w.run.lag);
    const bool neutral = linear && linear->verdict == LinearVerdict::Neutral;
    return "starts at K = " + w.parameter(w.run.K)
        + " and stays there: at this r and lag a small disturbance of K would "
        + (neutral ? "neither die down nor grow." : "die down.");
}

std::string restText(const Writer& w, const RegimeReport& report)
{
    const RunParameters& run = w.run;
    if (run.r == 0.0)
        return "neither grows nor shrinks: with r = 0 it stays at N(0) = " + w.parameter(run.n0) + " for ever.";
    const std::string way = run.n0 < run.K ? "grows" : "falls";
    if (report.stillApproaching)
        return way + " towards K = " + w.parameter(run.K) + " without overshooting, so slowly that it is still "
            + "approaching K: N = " + w.population(report.lastN) + " after " + q::steps(report.steps) + " steps.";
    const double rest = *report.nMax;
    if (std::abs(rest - run.K) > 1e-6 * std::abs(run.K))
        return way + " towards about " + w.population(rest) + " and settles there without overshooting.";
    if (run.n0 == run.K)
        return stableKText(w);
    return way + " towards K = " + w.parameter(run.K) + " and settles there without overshooting.";
}

// What a small disturbance grows into, by the regime of a run started just below K.
std::string grownInto(const std::optional<Regime>& disturbed)
{
    switch (disturbed.value_or(Regime::SettlesSmoothly)) {
    case Regime::Periodic:
        return " into a cycle that repeats exactly";
    case Regime::SustainedOscillations:
        return " into oscillations around K that never die down";
    case Regime::Chaotic:
        return " into chaotic fluctuations";
    case Regime::DeclinesTowardsZero:
        return " and make it decline towards 0";
    case Regime::DiesOut:
        return " until the population dies out";
    case Regime::LeavesRange:
        return " until the population leaves the range of numbers that can be computed";
    default:
        return "";
    }
}

std::string unstableText(const Writer& w, const RegimeReport& report)
{
    const std::string rate = report.lyapunov && std::isfinite(*report.lyapunov)
        ? " by about " + w.growth(*report.lyapunov) + " % per step"
        : "";
    std::string text = "starts at K = " + w.parameter(w.run.K)
        + " and stays there exactly, but at this r and lag K is an unstable equilibrium: the smallest disturbance "
        + (w.run.r < 0.0 ? "below K " : "") + "would grow" + rate + grownInto(report.disturbed);
    if (w.run.r < 0.0)
        text += "; one above K would make it grow out of all bounds";
    return text + '.';
}

std::string declineText(const Writer& w)
{
    return "declines towards 0 without ever reaching it: with r below 0 it shrinks by about "
        + q::percent(-100.0 * w.run.r, w.separator) + " % at every step once N is well below K.";
}

std::string dampedText(const Writer& w, const RegimeReport& report)
{
    std::string text = "overshoots K = " + w.parameter(w.run.K) + " and oscillates around it";
    if (report.period)
        text += " with a period of about " + q::period(*report.period, w.separator) + " steps";
    const auto response = linearResponse(w.run.r, w.run.lag);
    if (response && response->halvingSteps)
        text += halvingText(*response->halvingSteps, w.separator);
    return text + ", until it settles at K.";
}

std::string chaoticText(const Writer& w, const RegimeReport& report)
{
    std::string text
        = "fluctuates irregularly " + rangeText(w, report) + " and never settles into a cycle: it is chaotic.";
    if (report.lyapunov && std::isfinite(*report.lyapunov))
        text += " Two runs that start almost alike drift apart, their difference growing by about "
            + w.growth(*report.lyapunov) + " % per step (Lyapunov exponent "
            + q::exponent(*report.lyapunov, w.separator) + "), so its values far ahead cannot be predicted.";
    return text;
}

std::string diesOutText(const RegimeReport& report)
{
    const int step = report.endStep.value_or(0);
    if (step == 0)
        return "starts at 0 or below: it is extinct from the start.";
    return "dies out at step " + q::steps(step) + ": it had overshot K so far that the next step took it down to 0.";
}

// Where a cell of the map lies, before its words: "T = 5, r = 0.2: ".
std::string cellPlace(double r, double lag, char separator)
{
    return "T = " + q::parameter(lag, separator) + ", r = " + q::parameter(r, separator) + ": ";
}

std::string regimeSentence(const Writer& w, const RegimeReport& report)
{
    switch (report.regime) {
    case Regime::SettlesSmoothly:
        return restText(w, report);
    case Regime::DampedOscillations:
        return dampedText(w, report);
    case Regime::Periodic:
        return "settles into a cycle that repeats exactly every " + q::period(report.period.value_or(0.0), w.separator)
            + " steps, " + rangeText(w, report) + ", around K = " + w.parameter(w.run.K) + ".";
    case Regime::SustainedOscillations:
        return "keeps oscillating around K = " + w.parameter(w.run.K) + ", " + rangeText(w, report)
            + ", with a period of about " + q::period(report.period.value_or(0.0), w.separator)
            + " steps. The swings neither die down nor grow, and they never repeat exactly.";
    case Regime::Chaotic:
        return chaoticText(w, report);
    case Regime::UnstableEquilibrium:
        return unstableText(w, report);
    case Regime::DeclinesTowardsZero:
        return declineText(w);
    case Regime::DiesOut:
        return diesOutText(report);
    case Regime::LeavesRange:
        return "grows out of all bounds: after step " + q::steps(report.endStep.value_or(0))
            + " its values leave the range of numbers that can be computed.";
    }
    return {};
}

// Whether the run's chart, over its steps, shows what the long run does. A step from t reads N(t − T)
// only from t = T on (before, N(t)), so a lag as long as the steps shown never comes into play there;
// and a run may die out or leave the range only after its last step shown.
struct ShownSteps {
    bool eventAfter = false;   // it dies out or leaves the range after the last step shown
    bool lagUnused = false;    // no step shown reads back a lag
    bool differs(const RegimeReport& report) const
    {
        return eventAfter || (lagUnused && report.regime != Regime::SettlesSmoothly);
    }
};

ShownSteps shownSteps(const RunParameters& run, const RegimeReport& report)
{
    const bool ends = report.regime == Regime::DiesOut || report.regime == Regime::LeavesRange;
    return {ends && report.endStep.value_or(0) > run.steps, run.lag > 0.0 && run.lag > run.steps - 1.0};
}

std::string shownStepsText(const Writer& w, const RegimeReport& report)
{
    const ShownSteps shown = shownSteps(w.run, report);
    const std::string steps = "the " + q::steps(w.run.steps) + " steps shown";
    const std::string lagUnused = "the lag does not come into play: a step reads N(t − T) only from t = T = "
        + w.parameter(w.run.lag) + " on, and N(t) before, so the population moves there as it would without a lag.";
    if (shown.eventAfter && shown.lagUnused)
        return " That happens after " + steps + ", within which " + lagUnused;
    if (shown.eventAfter)
        return " That happens after " + steps + ".";
    if (shown.lagUnused)
        return " Within " + steps + " " + lagUnused;
    return {};
}

std::string whereRateLies(const Writer& w, const StabilityLimits& limits)
{
    const double r = w.run.r;
    const std::string here = " Here r = " + w.parameter(r);
    if (r <= 0.0)
        return here + " is not above 0: the population does not grow towards K.";
    if (r < limits.rMonotone)
        return here + " is below r_m.";
    if (r == limits.rMonotone)
        return here + " is r_m itself.";
    if (r < limits.rStable)
        return here + " lies between r_m and r_c.";
    if (r == limits.rStable)
        return here + " is r_c itself.";
    return here + " is above r_c.";
}

std::string theorySentences(const Writer& w)
{
    const auto limits = stabilityLimits(w.run.lag);
    if (!limits)
        return "Lags above " + w.parameter(MaxAnalysedLag) + " are beyond what the analysis covers.";
    const std::string where = w.run.lag == 0.0 ? "Without a lag" : "At this lag";
    return where + ", oscillations around K die down for r below r_c = " + q::limit(limits->rStable, w.separator)
        + " and persist above it; below r_m = " + q::limit(limits->rMonotone, w.separator)
        + " the population approaches K without overshooting." + whereRateLies(w, *limits);
}

} // namespace

std::string regimeName(const RunParameters& run, const RegimeReport& report)
{
    if (report.regime == Regime::SettlesSmoothly && run.r == 0.0)
        return "neither grows nor shrinks";
    const std::string name(regimeText(report.regime));
    return report.stillApproaching ? name + ", still approaching K" : name;
}

RunWords runInWords(const RunParameters& run, const std::optional<RegimeReport>& report, char separator)
{
    const Writer w{run, separator};
    if (!report)
        return {"Beyond the analysis",
                "What the run with r = " + w.parameter(run.r) + " and a lag of T = " + w.parameter(run.lag)
                    + " does in the long run cannot be worked out: " + "the analysis covers lags up to "
                    + w.parameter(MaxAnalysedLag) + "."};
    std::string headline = capitalised(regimeName(run, *report));
    if (shownSteps(run, *report).differs(*report))
        headline += " after the steps shown";
    return {headline, opening(w) + regimeSentence(w, *report) + shownStepsText(w, *report) + ' ' + theorySentences(w)};
}

std::string pointingHint(PointedPlot plot, WordsPlace place)
{
    const bool map = plot == PointedPlot::Map;
    const std::string what = map ? "r and T" : plot == PointedPlot::DiagramOverRate ? "r" : "T";
    if (place == WordsPlace::Page)
        return std::string(map ? "Point at a cell (or tap it) to read its regime" : "Point at a column (or tap it) to read it")
            + "; click it (tap it again, or press Enter) to run its " + what + ".";
    return std::string(map ? "Point at a cell to read its regime" : "Point at a column to read it")
        + "; click it (or press Enter) to put its " + what + " into the main window.";
}

RunWords workingWords(const RunParameters& run, char separator)
{
    return {"Working it out…",
            opening({run, separator}) + "is being followed over many steps to see what it does in the long run."};
}

RunWords noRunWords(WordsPlace place)
{
    const bool page = place == WordsPlace::Page;
    return {"No run yet",
            std::string(page ? "Run the model in the Data panel. This part" : "Run the model in the main window. This window")
                + " then tells what the population does in the long run, and shows where its r and lag lie on "
                  "the stability map and in the bifurcation diagram."};
}

std::string cellInWords(double r, double lag, const RegimeReport* report, double K, char separator)
{
    const RunParameters run{.r = r, .K = K, .steps = 0, .n0 = 0.0, .lag = lag};
    const Writer w{run, separator};
    const std::string place = cellPlace(r, lag, separator);
    if (!report)
        return place + "still being computed";
    const std::string text = place + regimeName(run, *report);
    const auto range = [&] { return ", N from " + w.population(*report->nMin) + " to " + w.population(*report->nMax); };
    switch (report->regime) {
    case Regime::SettlesSmoothly:
        if (report->stillApproaching)
            return text + ": N = " + w.population(report->lastN) + " after " + q::steps(report->steps) + " steps";
        return text + " at N = " + w.population(*report->nMax);
    case Regime::DampedOscillations:
        return report->period ? text + ", period about " + q::period(*report->period, separator) : text;
    case Regime::Periodic:
        return text + ", period " + q::period(report->period.value_or(0.0), separator) + range();
    case Regime::SustainedOscillations:
        return text + ", period about " + q::period(report->period.value_or(0.0), separator) + range();
    case Regime::Chaotic:
        return text + ", Lyapunov exponent " + q::exponent(report->lyapunov.value_or(0.0), separator) + range();
    case Regime::UnstableEquilibrium:
        return text + " at N = " + w.population(*report->nMax)
            + (report->disturbed ? ", a disturbance grows into " + std::string(regimeText(*report->disturbed)) : "");
    case Regime::DeclinesTowardsZero:
        return text + " by about " + q::percent(-100.0 * r, separator) + " % per step";
    case Regime::DiesOut:
        return text + " at step " + q::steps(report->endStep.value_or(0));
    case Regime::LeavesRange:
        return text + " after step " + q::steps(report->endStep.value_or(0));
    }
    return text;
}

std::string runInOneLine(const RunParameters& run, const std::optional<RegimeReport>& report, bool working,
                         char separator)
{
    const std::string name = "The last run, ";
    if (report || working)
        return name + cellInWords(run.r, run.lag, report ? &*report : nullptr, run.K, separator);
    return name + cellPlace(run.r, run.lag, separator) + "beyond the analysis";
}

std::string columnInWords(BifurcationAxis axis, double value, const BifurcationColumn* column, double K, char separator)
{
    const RunParameters run{.r = 0.0, .K = K, .steps = 0, .n0 = 0.0, .lag = 0.0};
    const Writer w{run, separator};
    const std::string place = (axis == BifurcationAxis::Rate ? "r = " : "T = ") + w.parameter(value) + ": ";
    if (!column)
        return place + "still being computed";
    switch (column->end) {
    case RunEnd::DiedOut:
        return place + "dies out at step " + q::steps(column->lastStep);
    case RunEnd::LeftRange:
        return place + "leaves the range after step " + q::steps(column->lastStep);
    case RunEnd::Refused:
        return place + "beyond the analysis";
    case RunEnd::Completed:
        break;
    }
    std::string text = place;
    if (!column->N.empty()) {
        const auto [low, high] = std::minmax_element(column->N.begin(), column->N.end());
        const std::string lowest = w.population(*low);
        const std::string highest = w.population(*high);
        text += lowest == highest ? "settles at " + lowest : "N from " + lowest + " to " + highest;
    }
    if (column->lyapunov)
        text += ", Lyapunov exponent " + q::exponent(*column->lyapunov, separator);
    return text;
}

std::vector<std::pair<std::string, std::string>> runFacts(const RunParameters& run,
                                                          const std::optional<RegimeReport>& report, char separator)
{
    const auto number
        = [separator](std::optional<double> value) { return value ? q::exact(*value, separator) : std::string(); };
    const auto whole = [](std::optional<int> value) { return value ? q::steps(*value) : std::string(); };
    const auto limits = stabilityLimits(run.lag);
    const RegimeReport none;
    const RegimeReport& shown = report ? *report : none;
    return {{"r", number(run.r)},
            {"N(0)", number(run.n0)},
            {"K", number(run.K)},
            {"T", number(run.lag)},
            {"regime", report ? std::string(regimeText(report->regime)) : std::string()},
            {"period", number(shown.period)},
            {"Lyapunov exponent", number(shown.lyapunov)},
            {"smallest N", number(shown.nMin)},
            {"largest N", number(shown.nMax)},
            {"end step", whole(shown.endStep)},
            {"N at the last step", report ? number(shown.lastN) : std::string()},
            {"steps", report ? whole(shown.steps) : std::string()},
            {"still approaching K", shown.stillApproaching ? "yes" : ""},
            {"a disturbance grows into", shown.disturbed ? std::string(regimeText(*shown.disturbed)) : std::string()},
            {"r_m", number(limits ? std::optional(limits->rMonotone) : std::nullopt)},
            {"r_c", number(limits ? std::optional(limits->rStable) : std::nullopt)}};
}

std::string choiceWords(std::optional<double> r, std::optional<double> lag, char separator, WordsPlace place)
{
    std::string written;
    if (r)
        written = "r = " + q::parameter(*r, separator);
    if (lag)
        written += (r ? " and " : "") + std::string("T = ") + q::parameter(*lag, separator);
    if (written.empty())
        return {};
    const bool both = r && lag;
    if (place == WordsPlace::Page)
        return written + (both ? " are" : " is") + " in the Data panel, and this is " + (both ? "their" : "its") + " run.";
    return written + (both ? " are" : " is") + " in the main window: press Run there.";
}

std::string mapTitle(const std::optional<RunParameters>& run, char separator)
{
    const std::string title = "Regimes over the lag T and r";
    if (!run)
        return title;
    return title + " (N(0) = " + q::parameter(run->n0, separator) + ", K = " + q::parameter(run->K, separator) + ")";
}

std::string noRunPictureWords() { return "Shown after the first run"; }

std::string beyondAnalysisPictureWords(char separator)
{
    return "Lags above " + q::parameter(MaxAnalysedLag, separator)
        + " are beyond what the analysis covers: no map or diagram can show this run.";
}

std::string bifurcationTitle(const std::optional<RunParameters>& run, BifurcationAxis axis, char separator)
{
    if (!run || !(run->lag <= MaxAnalysedLag))
        return "Bifurcation diagram";
    if (axis == BifurcationAxis::Rate)
        return "Bifurcation diagram over r at T = " + q::parameter(run->lag, separator);
    return "Bifurcation diagram over T at r = " + q::parameter(run->r, separator);
}

} // namespace tarnis
