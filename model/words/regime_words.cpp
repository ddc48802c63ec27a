// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/regime_words.h"

#include "model/dynamics/linear_stability.h"
#include "model/dynamics/regime_colours.h"
#include "model/language/catalog.h"
#include "model/numbers/double_double.h"
#include "model/words/quantity_text.h"

#include <algorithm>
#include <array>
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
    std::string growth(double exponent) const
    {
        return q::percent(100.0 * dd::expm1(dd::DoubleDouble(exponent)).hi, separator);
    }
};

std::string capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = char(text[0] - 'a' + 'A');
    return text;
}

std::string translated(std::string_view english) { return std::string(translate(english)); }

// A regime's name in the language on show.
std::string nameOf(Regime regime) { return translated(regimeText(regime)); }

// A lag with a fraction acts as whole lags (the step reads N at a whole step); the words name them.
std::string lagText(const Writer& w)
{
    const double lag = w.run.lag;
    // TRANSLATORS: {lag} in "With r = …, N(0) = …, K = … and {lag}, the population …".
    if (lag == 0.0)
        return translated("no lag (T = 0)");
    const std::string value = w.parameter(lag);
    if (!(lag <= MaxAnalysedLag) || lag == std::floor(lag))
        return fill(translate("a lag of T = {lag}"), {{"lag", value}});
    const LagSchedule schedule = lagSchedule(lag);
    if (schedule.alternates()) {
        const auto [shorter, longer] = std::minmax(schedule.onEvenSteps, schedule.onOddSteps);
        return fill(translate("a lag of T = {lag}, which acts as lags of {shorter} and {longer} in turn"),
                    {{"lag", value}, {"shorter", q::steps(shorter)}, {"longer", q::steps(longer)}});
    }
    return fill(translate("a lag of T = {lag}, which acts as a lag of {whole}"),
                {{"lag", value}, {"whole", q::steps(schedule.onEvenSteps)}});
}

// The run's parameters, then what the population does.
std::string opening(const Writer& w, const std::string& behaviour)
{
    // TRANSLATORS: {lag} is "no lag (T = 0)" or "a lag of T = 8"; {behaviour} is the rest of the sentence
    // (or two), what the population does: "dies out at step 57: it had overshot K …". Where your language
    // cannot put it after "the population", write for instance "… the following holds: the population
    // {behaviour}".
    return fill(translate("With r = {r}, N(0) = {n0}, K = {k} and {lag}, the population {behaviour}"),
                {{"r", w.parameter(w.run.r)},
                 {"n0", w.parameter(w.run.n0)},
                 {"k", w.parameter(w.run.K)},
                 {"lag", lagText(w)},
                 {"behaviour", behaviour}});
}

// A sentence of a regime that oscillates between two sizes: its K, range and period filled.
std::string rangeFilled(std::string_view pattern, const Writer& w, const RegimeReport& report)
{
    return fill(pattern,
                {{"k", w.parameter(w.run.K)},
                 {"low", w.population(*report.nMin)},
                 {"high", w.population(*report.nMax)},
                 {"period", q::period(report.period.value_or(0.0), w.separator)}});
}

// What a disturbance of K does where K is stable: it dies down, or at r_c itself neither fades nor grows.
std::string stableKText(const Writer& w)
{
    const auto linear = linearResponse(w.run.r, w.run.lag);
    const bool neutral = linear && linear->verdict == LinearVerdict::Neutral;
    return fill(neutral ? translate("starts at K = {k} and stays there: at this r and lag a small disturbance of K "
                                    "would neither die down nor grow.")
                        : translate("starts at K = {k} and stays there: at this r and lag a small disturbance of K "
                                    "would die down."),
                {{"k", w.parameter(w.run.K)}});
}

std::string restText(const Writer& w, const RegimeReport& report)
{
    const RunParameters& run = w.run;
    if (run.r == 0.0)
        return fill(translate("neither grows nor shrinks: with r = 0 it stays at N(0) = {n0} for ever."),
                    {{"n0", w.parameter(run.n0)}});
    const bool grows = run.n0 < run.K;
    const std::string k = w.parameter(run.K);
    if (report.stillApproaching)
        return fill(grows ? translate("grows towards K = {k} without overshooting, so slowly that it is still "
                                      "approaching K: N = {n} after {steps} steps.")
                          : translate("falls towards K = {k} without overshooting, so slowly that it is still "
                                      "approaching K: N = {n} after {steps} steps."),
                    {{"k", k}, {"n", w.population(report.lastN)}, {"steps", q::steps(report.steps)}});
    const double rest = *report.nMax;
    if (std::abs(rest - run.K) > 1e-6 * std::abs(run.K))
        return fill(grows ? translate("grows towards about {n} and settles there without overshooting.")
                          : translate("falls towards about {n} and settles there without overshooting."),
                    {{"n", w.population(rest)}});
    if (run.n0 == run.K)
        return stableKText(w);
    return fill(grows ? translate("grows towards K = {k} and settles there without overshooting.")
                      : translate("falls towards K = {k} and settles there without overshooting."),
                {{"k", k}});
}

// What a small disturbance grows into, by the regime of a run started just below K.
std::string grownInto(const std::optional<Regime>& disturbed)
{
    // TRANSLATORS: the end of "the smallest disturbance would grow{by}{into}", with its space first.
    switch (disturbed.value_or(Regime::SettlesSmoothly)) {
    case Regime::Periodic:
        return translated(" into a cycle that repeats exactly");
    case Regime::SustainedOscillations:
        return translated(" into oscillations around K that never die down");
    case Regime::Chaotic:
        return translated(" into chaotic fluctuations");
    case Regime::DeclinesTowardsZero:
        return translated(" and make it decline towards 0");
    case Regime::DiesOut:
        return translated(" until the population dies out");
    case Regime::LeavesRange:
        return translated(" until the population leaves the range of numbers that can be computed");
    default:
        return "";
    }
}

std::string unstableText(const Writer& w, const RegimeReport& report)
{
    // TRANSLATORS: {by} in "the smallest disturbance would grow{by}{into}", with its space first.
    const std::string by = report.lyapunov && std::isfinite(*report.lyapunov)
        // xgettext:no-c-format
        ? fill(translate(" by about {percent} % per step"), {{"percent", w.growth(*report.lyapunov)}})
        : std::string();
    // TRANSLATORS: {by} is empty or " by about 5 % per step"; {into} is empty or what the disturbance
    // grows into: " into chaotic fluctuations", " until the population dies out".
    const std::string_view pattern = w.run.r < 0.0
        ? translate("starts at K = {k} and stays there exactly, but at this r and lag K is an unstable equilibrium: "
                    "the smallest disturbance below K would grow{by}{into}; one above K would make it grow out of "
                    "all bounds.")
        : translate("starts at K = {k} and stays there exactly, but at this r and lag K is an unstable equilibrium: "
                    "the smallest disturbance would grow{by}{into}.");
    return fill(pattern, {{"k", w.parameter(w.run.K)}, {"by", by}, {"into", grownInto(report.disturbed)}});
}

std::string declineText(const Writer& w)
{
    // xgettext:no-c-format
    return fill(translate("declines towards 0 without ever reaching it: with r below 0 it shrinks by about {percent} % "
                          "at every step once N is well below K."),
                {{"percent", q::percent(-100.0 * w.run.r, w.separator)}});
}

// How fast damped swings shrink: none where the linear analysis gives no rate.
enum class Halving { None, EveryStep, Steps };

std::string dampedText(const Writer& w, const RegimeReport& report)
{
    const auto response = linearResponse(w.run.r, w.run.lag);
    const std::optional<double> halving = response ? response->halvingSteps : std::nullopt;
    const Halving shrink = !halving ? Halving::None : *halving <= 1.05 ? Halving::EveryStep : Halving::Steps;
    // One sentence for each of what is known: the period, and how fast the swings shrink.
    static constexpr std::array<std::array<std::string_view, 3>, 2> Sentences{{
        {catalogText("overshoots K = {k} and oscillates around it, until it settles at K."),
         catalogText("overshoots K = {k} and oscillates around it; the swings shrink by half or more at every step, "
                     "until it settles at K."),
         catalogText("overshoots K = {k} and oscillates around it; the swings shrink by half about every {halving} "
                     "steps, until it settles at K.")},
        {catalogText("overshoots K = {k} and oscillates around it with a period of about {period} steps, until it "
                     "settles at K."),
         catalogText("overshoots K = {k} and oscillates around it with a period of about {period} steps; the swings "
                     "shrink by half or more at every step, until it settles at K."),
         catalogText("overshoots K = {k} and oscillates around it with a period of about {period} steps; the swings "
                     "shrink by half about every {halving} steps, until it settles at K.")},
    }};
    const double steps = halving.value_or(0.0);
    const std::string count
        = steps < 10 ? q::rounded(steps, 1, w.separator) : q::rounded(std::round(steps), 0, w.separator);
    return fill(translate(Sentences[report.period ? 1 : 0][std::size_t(shrink)]),
                {{"k", w.parameter(w.run.K)},
                 {"period", report.period ? q::period(*report.period, w.separator) : std::string()},
                 {"halving", count}});
}

std::string chaoticText(const Writer& w, const RegimeReport& report)
{
    std::string text = rangeFilled(
        translate(
            "fluctuates irregularly between about {low} and {high} and never settles into a cycle: it is chaotic."),
        w, report);
    if (!report.lyapunov || !std::isfinite(*report.lyapunov))
        return text;
    const std::string_view drift
        // xgettext:no-c-format
        = translate("Two runs that start almost alike drift apart, their difference growing by "
                    "about {percent} % per step (Lyapunov exponent {exponent}), so its values "
                    "far ahead cannot be predicted.");
    text += ' '
        + fill(drift,
               {{"percent", w.growth(*report.lyapunov)}, {"exponent", q::exponent(*report.lyapunov, w.separator)}});
    return text;
}

std::string diesOutText(const RegimeReport& report)
{
    const int step = report.endStep.value_or(0);
    if (step == 0)
        return translated("starts at 0 or below: it is extinct from the start.");
    return fill(translate("dies out at step {step}: it had overshot K so far that the next step took it down to 0."),
                {{"step", q::steps(step)}});
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
        return rangeFilled(translate("settles into a cycle that repeats exactly every {period} steps, between about "
                                     "{low} and {high}, around K = {k}."),
                           w, report);
    case Regime::SustainedOscillations:
        return rangeFilled(translate("keeps oscillating around K = {k}, between about {low} and {high}, with a period "
                                     "of about {period} steps. The swings neither die down nor grow, and they never "
                                     "repeat exactly."),
                           w, report);
    case Regime::Chaotic:
        return chaoticText(w, report);
    case Regime::UnstableEquilibrium:
        return unstableText(w, report);
    case Regime::DeclinesTowardsZero:
        return declineText(w);
    case Regime::DiesOut:
        return diesOutText(report);
    case Regime::LeavesRange:
        return fill(translate("grows out of all bounds: after step {step} its values leave the range of numbers that "
                              "can be computed."),
                    {{"step", q::steps(report.endStep.value_or(0))}});
    }
    return {};
}

// Whether the run's chart, over its steps, shows what the long run does. A step from t reads N(t − T)
// only from t = T on (before, N(t)), so a lag as long as the steps shown never comes into play there;
// and a run may die out or leave the range only after its last step shown.
struct ShownSteps {
    bool eventAfter = false; // it dies out or leaves the range after the last step shown
    bool lagUnused = false;  // no step shown reads back a lag
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
    std::string_view pattern;
    if (shown.eventAfter && shown.lagUnused)
        pattern = translate("That happens after the {steps} steps shown, within which the lag does not come into "
                            "play: a step reads N(t − T) only from t = T = {lag} on, and N(t) before, so the "
                            "population moves there as it would without a lag.");
    else if (shown.eventAfter)
        pattern = translate("That happens after the {steps} steps shown.");
    else if (shown.lagUnused)
        pattern = translate("Within the {steps} steps shown the lag does not come into play: a step reads N(t − T) "
                            "only from t = T = {lag} on, and N(t) before, so the population moves there as it would "
                            "without a lag.");
    if (pattern.empty())
        return {};
    return ' ' + fill(pattern, {{"steps", q::steps(w.run.steps)}, {"lag", w.parameter(w.run.lag)}});
}

std::string_view whereRateLies(double r, const StabilityLimits& limits)
{
    if (r <= 0.0)
        return translate("Here r = {r} is not above 0: the population does not grow towards K.");
    if (r < limits.rMonotone)
        return translate("Here r = {r} is below r_m.");
    if (r == limits.rMonotone)
        return translate("Here r = {r} is r_m itself.");
    if (r < limits.rStable)
        return translate("Here r = {r} lies between r_m and r_c.");
    if (r == limits.rStable)
        return translate("Here r = {r} is r_c itself.");
    return translate("Here r = {r} is above r_c.");
}

std::string theorySentences(const Writer& w)
{
    const auto limits = stabilityLimits(w.run.lag);
    if (!limits)
        return fill(translate("Lags above {most} are beyond what the analysis covers."),
                    {{"most", w.parameter(MaxAnalysedLag)}});
    const std::string_view theory = w.run.lag == 0.0
        ? translate("Without a lag, oscillations around K die down for r below r_c = {rc} and persist above it; below "
                    "r_m = {rm} the population approaches K without overshooting.")
        : translate("At this lag, oscillations around K die down for r below r_c = {rc} and persist above it; below "
                    "r_m = {rm} the population approaches K without overshooting.");
    return fill(theory,
                {{"rc", q::limit(limits->rStable, w.separator)}, {"rm", q::limit(limits->rMonotone, w.separator)}})
        + ' ' + fill(whereRateLies(w.run.r, *limits), {{"r", w.parameter(w.run.r)}});
}

} // namespace

std::string regimeName(const RunParameters& run, const RegimeReport& report)
{
    if (report.regime == Regime::SettlesSmoothly && run.r == 0.0)
        return translated("neither grows nor shrinks");
    if (report.stillApproaching)
        return fill(translate("{regime}, still approaching K"), {{"regime", nameOf(report.regime)}});
    return nameOf(report.regime);
}

RunWords runInWords(const RunParameters& run, const std::optional<RegimeReport>& report, char separator)
{
    const Writer w{run, separator};
    if (!report)
        return {
            translated("Beyond the analysis"),
            fill(translate("What the run with r = {r} and a lag of T = {lag} does in the long run cannot be "
                           "worked out: the analysis covers lags up to {most}."),
                 {{"r", w.parameter(run.r)}, {"lag", w.parameter(run.lag)}, {"most", w.parameter(MaxAnalysedLag)}})};
    std::string headline = capitalised(regimeName(run, *report));
    if (shownSteps(run, *report).differs(*report))
        // TRANSLATORS: {regime} is a regime's name, "Dies out", the headline of the Dynamics window's words.
        headline = fill(translate("{regime} after the steps shown"), {{"regime", headline}});
    return {headline, opening(w, regimeSentence(w, *report)) + shownStepsText(w, *report) + ' ' + theorySentences(w)};
}

std::string pointingHint(PointedPlot plot, WordsPlace place)
{
    // One sentence for each plot and place: the map's cells choose r and T, a diagram's columns its axis.
    static constexpr std::array<std::array<std::string_view, 3>, 2> Hints{{
        {catalogText("Point at a cell to read its regime; click it (or press Enter) to put its r and T into the main "
                     "window."),
         catalogText("Point at a column to read it; click it (or press Enter) to put its r into the main window."),
         catalogText("Point at a column to read it; click it (or press Enter) to put its T into the main window.")},
        {catalogText("Point at a cell (or tap it) to read its regime; click it (tap it again, or press Enter) to run "
                     "its r and T."),
         catalogText("Point at a column (or tap it) to read it; click it (tap it again, or press Enter) to run its r."),
         catalogText(
             "Point at a column (or tap it) to read it; click it (tap it again, or press Enter) to run its T.")},
    }};
    const std::size_t which = plot == PointedPlot::Map ? 0 : plot == PointedPlot::DiagramOverRate ? 1 : 2;
    return translated(Hints[place == WordsPlace::Page ? 1 : 0][which]);
}

RunWords workingWords(const RunParameters& run, char separator)
{
    return {translated("Working it out…"),
            opening({run, separator},
                    translated("is being followed over many steps to see what it does in the long run."))};
}

RunWords noRunWords(WordsPlace place)
{
    return {
        translated("No run yet"),
        place == WordsPlace::Page
            ? translated("Run the model in the Data panel. This part then tells what the population does in the long "
                         "run, and shows where its r and lag lie on the stability map and in the bifurcation diagram.")
            : translated(
                "Run the model in the main window. This window then tells what the population does in the long "
                "run, and shows where its r and lag lie on the stability map and in the bifurcation diagram.")};
}

namespace {

// What a cell's run does, after its place: the regime's name and the numbers that tell it.
std::string cellWords(const Writer& w, const RegimeReport& report)
{
    const std::string name = regimeName(w.run, report);
    const auto filled = [&](std::string_view pattern) {
        const bool ranged = report.nMin && report.nMax;
        return fill(pattern,
                    {{"regime", name},
                     {"n", report.nMax ? w.population(*report.nMax) : std::string()},
                     {"low", ranged ? w.population(*report.nMin) : std::string()},
                     {"high", ranged ? w.population(*report.nMax) : std::string()},
                     {"period", q::period(report.period.value_or(0.0), w.separator)},
                     {"exponent", q::exponent(report.lyapunov.value_or(0.0), w.separator)},
                     {"step", q::steps(report.endStep.value_or(0))}});
    };
    // TRANSLATORS: a cell of the stability map in a few words; {regime} is the regime's name.
    switch (report.regime) {
    case Regime::SettlesSmoothly:
        if (report.stillApproaching)
            return fill(translate("{regime}: N = {n} after {steps} steps"),
                        {{"regime", name}, {"n", w.population(report.lastN)}, {"steps", q::steps(report.steps)}});
        return filled(translate("{regime} at N = {n}"));
    case Regime::DampedOscillations:
        return report.period ? filled(translate("{regime}, period about {period}")) : name;
    case Regime::Periodic:
        return filled(translate("{regime}, period {period}, N from {low} to {high}"));
    case Regime::SustainedOscillations:
        return filled(translate("{regime}, period about {period}, N from {low} to {high}"));
    case Regime::Chaotic:
        return filled(translate("{regime}, Lyapunov exponent {exponent}, N from {low} to {high}"));
    case Regime::UnstableEquilibrium:
        if (report.disturbed)
            // TRANSLATORS: {grown} is a regime's name (a verb phrase such as "dies out" or a noun phrase such
            // as "damped oscillations"): what the run does when started a little off the equilibrium.
            return fill(translate("{regime} at N = {n}; after a disturbance: {grown}"),
                        {{"regime", name}, {"n", w.population(*report.nMax)}, {"grown", nameOf(*report.disturbed)}});
        return filled(translate("{regime} at N = {n}"));
    case Regime::DeclinesTowardsZero:
        // xgettext:no-c-format
        return fill(translate("{regime} by about {percent} % per step"),
                    {{"regime", name}, {"percent", q::percent(-100.0 * w.run.r, w.separator)}});
    case Regime::DiesOut:
        return filled(translate("{regime} at step {step}"));
    case Regime::LeavesRange:
        return filled(translate("{regime} after step {step}"));
    }
    return name;
}

} // namespace

std::string cellInWords(double r, double lag, const RegimeReport* report, double K, char separator)
{
    const RunParameters run{.r = r, .K = K, .steps = 0, .n0 = 0.0, .lag = lag};
    const std::string place = cellPlace(r, lag, separator);
    if (!report)
        return place + translated("still being computed");
    return place + cellWords({run, separator}, *report);
}

std::string runInOneLine(const RunParameters& run, const std::optional<RegimeReport>& report, bool working,
                         char separator)
{
    // TRANSLATORS: {cell} is the run's place and regime, "T = 8, r = 0.2: dies out at step 57".
    const std::string_view name = translate("The last run, {cell}");
    if (report || working)
        return fill(name, {{"cell", cellInWords(run.r, run.lag, report ? &*report : nullptr, run.K, separator)}});
    return fill(name, {{"cell", cellPlace(run.r, run.lag, separator) + translated("beyond the analysis")}});
}

std::string columnInWords(BifurcationAxis axis, double value, const BifurcationColumn* column, double K, char separator)
{
    const RunParameters run{.r = 0.0, .K = K, .steps = 0, .n0 = 0.0, .lag = 0.0};
    const Writer w{run, separator};
    const std::string place = (axis == BifurcationAxis::Rate ? "r = " : "T = ") + w.parameter(value) + ": ";
    if (!column)
        return place + translated("still being computed");
    const std::string step = q::steps(column->lastStep);
    switch (column->end) {
    case RunEnd::DiedOut:
        return place + fill(translate("dies out at step {step}"), {{"step", step}});
    case RunEnd::LeftRange:
        return place + fill(translate("leaves the range after step {step}"), {{"step", step}});
    case RunEnd::Refused:
        return place + translated("beyond the analysis");
    case RunEnd::Completed:
        break;
    }
    std::string text;
    if (!column->N.empty()) {
        const auto [low, high] = std::minmax_element(column->N.begin(), column->N.end());
        const std::string lowest = w.population(*low);
        const std::string highest = w.population(*high);
        text = lowest == highest ? fill(translate("settles at {n}"), {{"n", lowest}})
                                 : fill(translate("N from {low} to {high}"), {{"low", lowest}, {"high", highest}});
    }
    if (column->lyapunov)
        // TRANSLATORS: {words} is what a column of the bifurcation diagram does, "N from 12 to 980".
        text = fill(translate("{words}, Lyapunov exponent {exponent}"),
                    {{"words", text}, {"exponent", q::exponent(*column->lyapunov, separator)}});
    return place + text;
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
    if (!r && !lag)
        return {};
    const bool page = place == WordsPlace::Page;
    if (r && lag)
        return fill(page ? translate("r = {r} and T = {lag} are in the Data panel, and this is their run.")
                         : translate("r = {r} and T = {lag} are in the main window: press Run there."),
                    {{"r", q::parameter(*r, separator)}, {"lag", q::parameter(*lag, separator)}});
    const std::string written = r ? "r = " + q::parameter(*r, separator) : "T = " + q::parameter(*lag, separator);
    // TRANSLATORS: {choice} is a parameter and its value, "r = 0.2" or "T = 8".
    return fill(page ? translate("{choice} is in the Data panel, and this is its run.")
                     : translate("{choice} is in the main window: press Run there."),
                {{"choice", written}});
}

namespace {

// Numbers as wide as the lines write them: a place of the map or the diagram with nine characters for r
// and the longest lag, the run's own parameters with every digit their boxes hold, N at the size of a K
// of seven digits, and the longest runs' steps and periods.
constexpr double WidePlaceRate = 0.0001234;
constexpr double WidePlaceLag = 9999.0;
constexpr RunParameters WideRun{
    .r = -0.123456789012345, .K = 1234567.0, .steps = 9999, .n0 = 0.123456789012345, .lag = 1234.56789012345};
constexpr double WideN = 1234567.8;
constexpr double OtherWideN = 2345678.9;
constexpr int WideSteps = 999999;

// A report of each regime with every number a report may carry, still approaching K and not, and for an
// unstable equilibrium each regime that a disturbance may grow into.
std::vector<RegimeReport> everyReportForm()
{
    std::vector<RegimeReport> forms;
    for (const Regime regime : AllRegimes)
        for (const bool approaching : {false, true}) {
            RegimeReport report{.regime = regime,
                                .period = 99999.5,
                                .lyapunov = -3.24e-05,
                                .nMin = WideN,
                                .nMax = OtherWideN,
                                .endStep = WideSteps,
                                .steps = WideSteps,
                                .lastN = WideN,
                                .stillApproaching = approaching};
            forms.push_back(report);
            if (regime == Regime::UnstableEquilibrium)
                for (const Regime grown : AllRegimes) {
                    report.disturbed = grown;
                    forms.push_back(report);
                }
        }
    return forms;
}

// A column of each end, and of a completed run that settles or keeps a range, with an exponent and
// without.
std::vector<BifurcationColumn> everyColumnForm()
{
    std::vector<BifurcationColumn> forms;
    for (const RunEnd end : {RunEnd::DiedOut, RunEnd::LeftRange, RunEnd::Refused})
        forms.push_back({.end = end, .lastStep = WideSteps});
    for (const std::vector<double>& kept : {std::vector{WideN}, std::vector{WideN, OtherWideN}})
        for (const std::optional<double> exponent : {std::optional<double>(), std::optional(-3.24e-05)})
            forms.push_back({.N = kept, .end = RunEnd::Completed, .lastStep = WideSteps, .lyapunov = exponent});
    return forms;
}

void addForm(std::vector<std::string>& forms, std::string form)
{
    if (std::find(forms.begin(), forms.end(), form) == forms.end())
        forms.push_back(std::move(form));
}

void addPlaceForms(std::vector<std::string>& forms, WordsLine line, char separator)
{
    if (line == WordsLine::MapPointed || line == WordsLine::Preview) {
        addForm(forms, cellInWords(WidePlaceRate, WidePlaceLag, nullptr, WideRun.K, separator));
        for (const RegimeReport& report : everyReportForm())
            for (const double r : {WidePlaceRate, 0.0}) // r = 0 names its regime in words of its own
                addForm(forms, cellInWords(r, WidePlaceLag, &report, WideRun.K, separator));
    }
    if (line == WordsLine::DiagramPointed || line == WordsLine::Preview)
        for (const auto& [axis, value] :
             {std::pair{BifurcationAxis::Rate, WidePlaceRate}, std::pair{BifurcationAxis::Lag, WidePlaceLag}}) {
            addForm(forms, columnInWords(axis, value, nullptr, WideRun.K, separator));
            for (const BifurcationColumn& column : everyColumnForm())
                addForm(forms, columnInWords(axis, value, &column, WideRun.K, separator));
        }
}

} // namespace

std::vector<std::string> lineForms(WordsLine line, char separator, WordsPlace place)
{
    std::vector<std::string> forms;
    switch (line) {
    case WordsLine::MapPointed:
        addForm(forms, pointingHint(PointedPlot::Map, place));
        break;
    case WordsLine::DiagramPointed:
        addForm(forms, pointingHint(PointedPlot::DiagramOverRate, place));
        addForm(forms, pointingHint(PointedPlot::DiagramOverLag, place));
        break;
    case WordsLine::Preview:
        addForm(forms, noRunWords(place).headline);
        for (const bool working : {false, true})
            addForm(forms, runInOneLine(WideRun, std::nullopt, working, separator));
        for (const RegimeReport& report : everyReportForm())
            addForm(forms, runInOneLine(WideRun, report, false, separator));
        break;
    case WordsLine::Choice:
        addForm(forms, choiceWords(WidePlaceRate, std::nullopt, separator, place));
        addForm(forms, choiceWords(std::nullopt, WidePlaceLag, separator, place));
        addForm(forms, choiceWords(WidePlaceRate, WidePlaceLag, separator, place));
        break;
    }
    addPlaceForms(forms, line, separator);
    return forms;
}

std::string mapTitle(const std::optional<RunParameters>& run, char separator)
{
    if (!run)
        return translated("Regimes over the lag T and r");
    return fill(translate("Regimes over the lag T and r (N(0) = {n0}, K = {k})"),
                {{"n0", q::parameter(run->n0, separator)}, {"k", q::parameter(run->K, separator)}});
}

std::string noRunPictureWords() { return translated("Shown after the first run"); }

std::string beyondAnalysisPictureWords(char separator)
{
    return fill(
        translate("Lags above {most} are beyond what the analysis covers: no map or diagram can show this run."),
        {{"most", q::parameter(MaxAnalysedLag, separator)}});
}

std::string bifurcationTitle(const std::optional<RunParameters>& run, BifurcationAxis axis, char separator)
{
    if (!run || !(run->lag <= MaxAnalysedLag))
        return translated("Bifurcation diagram");
    if (axis == BifurcationAxis::Rate)
        return fill(translate("Bifurcation diagram over r at T = {lag}"), {{"lag", q::parameter(run->lag, separator)}});
    return fill(translate("Bifurcation diagram over T at r = {r}"), {{"r", q::parameter(run->r, separator)}});
}

} // namespace tarnis
