// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/continuous_words.h"

#include "model/dynamics/linear_stability.h"
#include "model/language/catalog.h"
#include "model/numbers/double_double.h"
#include "model/run/parameter_boxes.h"
#include "model/words/quantity_text.h"

#include <array>

namespace tarnis {

namespace {

namespace q = quantity_text;

struct Writer {
    const RunParameters& run;
    char separator;

    std::string parameter(double value) const { return q::parameter(value, separator); }
    std::string population(double value) const { return q::population(value, run.K, separator); }
    std::string time(double units) const { return q::period(units, separator); }
};

std::string translated(std::string_view english) { return std::string(translate(english)); }

std::string opening(const Writer& w, const std::string& behaviour)
{
    // TRANSLATORS: {delay} in "… K = 500 and {delay}, the population …".
    const std::string delay = w.run.lag == 0.0
        ? translated("no delay (τ = 0)")
        : fill(translate("a delay of τ = {delay}"), {{"delay", w.parameter(w.run.lag)}});
    // TRANSLATORS: {delay} is "no delay (τ = 0)" or "a delay of τ = 8"; {behaviour} is the rest of the
    // sentence (or two), what the population does: "approaches K = 500 and settles there …".
    return fill(translate("In continuous time (Hutchinson's equation), with r = {r}, N(0) = {n0}, K = {k} and "
                          "{delay}, the population {behaviour}"),
                {{"r", w.parameter(w.run.r)},
                 {"n0", w.parameter(w.run.n0)},
                 {"k", w.parameter(w.run.K)},
                 {"delay", delay},
                 {"behaviour", behaviour}});
}

// How low an oscillating population comes, which the equation never takes to 0: a sentence after the
// regime's.
std::string lowestText(const Writer& w, const ContinuousReport& report)
{
    if (!report.lowest)
        return {};
    const std::string_view sentence = *report.lowest < 1.0
        ? translate("At its lowest it comes down to {n}, less than one animal: the equation never reaches 0, but a "
                    "real population would be lost there.")
        : translate("At its lowest it comes down to about {n}; the equation never reaches 0.");
    return ' ' + fill(sentence, {{"n", w.population(*report.lowest)}});
}

std::string dampedText(const Writer& w, const ContinuousReport& report)
{
    // TRANSLATORS: {period} and {half} are times in the equation's time units, "12.5".
    return fill(
        report.halfLife
            ? translate("overshoots K = {k} and oscillates around it with a period of about {period} time "
                        "units; the swings shrink by half about every {half} time units, until it settles at K.")
            : translate("overshoots K = {k} and oscillates around it with a period of about {period} time "
                        "units; at r = π/(2τ) itself the swings shrink ever more slowly."),
        {{"k", w.parameter(w.run.K)},
         {"period", w.time(report.period.value_or(0.0))},
         {"half", w.time(report.halfLife.value_or(0.0))}});
}

std::string cycleText(const Writer& w, const ContinuousReport& report)
{
    // One sentence for each of what is known of the cycle: its range, its period.
    static constexpr std::array<std::array<std::string_view, 2>, 2> Sentences{{
        {catalogText("settles onto a cycle around K = {k}. The swings neither die down nor grow."),
         catalogText("settles onto a cycle around K = {k}, with a period of about {period} time units. The swings "
                     "neither die down nor grow.")},
        {catalogText("settles onto a cycle around K = {k}, between about {low} and {high}. The swings neither die "
                     "down nor grow."),
         catalogText("settles onto a cycle around K = {k}, between about {low} and {high}, with a period of about "
                     "{period} time units. The swings neither die down nor grow.")},
    }};
    const bool ranged = report.nMin && report.nMax;
    return fill(translate(Sentences[ranged ? 1 : 0][report.period ? 1 : 0]),
                {{"k", w.parameter(w.run.K)},
                 {"low", ranged ? w.population(*report.nMin) : std::string()},
                 {"high", ranged ? w.population(*report.nMax) : std::string()},
                 {"period", w.time(report.period.value_or(0.0))}});
}

std::string regimeSentence(const Writer& w, const ContinuousReport& report)
{
    const std::string end = w.parameter(report.endTime.value_or(0.0));
    switch (report.regime) {
    case ContinuousRegime::SettlesSmoothly:
        return fill(translate("approaches K = {k} and settles there without overshooting."),
                    {{"k", w.parameter(w.run.K)}});
    case ContinuousRegime::DampedOscillations:
        return dampedText(w, report) + lowestText(w, report);
    case ContinuousRegime::Cycle:
        return cycleText(w, report) + lowestText(w, report);
    case ContinuousRegime::StaysPut:
        return translated("stays where it is: nothing makes it change.");
    case ContinuousRegime::DeclinesTowardsZero:
        return translated("declines towards 0 without ever reaching it.");
    case ContinuousRegime::RunsAway:
        return fill(translate("grows beyond every bound within a finite time; the integrator follows it up to t = "
                              "{time}."),
                    {{"time", end}});
    case ContinuousRegime::TooSteep:
        return fill(translate("swings so steeply after t = {time} that the integrator's step cannot follow it; the "
                              "trajectory stops there."),
                    {{"time", end}})
            + lowestText(w, report);
    }
    return {};
}

std::string headline(ContinuousRegime regime)
{
    // TRANSLATORS: the headline of what a run does in continuous time.
    switch (regime) {
    case ContinuousRegime::SettlesSmoothly:
        return translated("Settles smoothly");
    case ContinuousRegime::DampedOscillations:
        return translated("Damped oscillations");
    case ContinuousRegime::Cycle:
        return translated("A stable cycle");
    case ContinuousRegime::StaysPut:
        return translated("Stays where it is");
    case ContinuousRegime::DeclinesTowardsZero:
        return translated("Declines towards 0");
    case ContinuousRegime::RunsAway:
        return translated("Grows without bound");
    case ContinuousRegime::TooSteep:
        return translated("Too steep to follow");
    }
    return {};
}

std::string theorySentence(const Writer& w)
{
    const auto limits = continuousLimits(w.run.lag);
    if (!limits)
        return ' '
            + translated("Without a delay the continuous model never oscillates: every r above 0 settles smoothly.");
    return ' '
        + fill(translate("With this delay, oscillations die down for r below π/(2τ) = {rc} and settle onto a cycle "
                         "above it, whose period there is 4τ = {period} time units; up to 1/(eτ) = {rm} the "
                         "population approaches K without overshooting."),
               {{"rc", q::limit(limits->rStable, w.separator)},
                {"period", w.time(limits->onsetPeriod)},
                {"rm", q::limit(limits->rMonotone, w.separator)}});
}

} // namespace

std::string continuousLegend() { return translated("Continuous time (Hutchinson)"); }

ContinuousComparisonWords continuousComparisonWords()
{
    // The data column heads copied data, which programs read: it stays English.
    return {translated("Compare with continuous time"),
            translated("Draws the run's continuous-time twin, Hutchinson's delayed logistic equation with the same r, "
                       "N(0), K and lag, beside it"),
            continuousLegend(),
            // TRANSLATORS: the continuous model's limit r_c, as the stability map's legend names its curve.
            translated("continuous r_c"), "N(t) continuous"};
}

std::string continuousStopWords(const ContinuousRun& run)
{
    if (run.end == ContinuousEnd::Completed || run.n.empty())
        return {};
    return fill(run.end == ContinuousEnd::LeftRange
                    ? translate("The continuous trajectory stops after t = {time}: N leaves the range of numbers a "
                                "computer holds.")
                    : translate("The continuous trajectory stops after t = {time}: its swings grow too steep for the "
                                "integrator's step."),
                {{"time", std::to_string(run.n.size() - 1)}});
}

RunWords continuousRunInWords(const RunParameters& run, const std::optional<ContinuousReport>& report, char separator)
{
    const Writer w{run, separator};
    if (!report)
        return {translated("Beyond the integrator"),
                fill(translate("The continuous run with r = {r} and a delay of τ = {delay} would take the integrator "
                               "more steps than it takes; a longer delay or a smaller r is within reach."),
                     {{"r", w.parameter(run.r)}, {"delay", w.parameter(run.lag)}})};
    return {headline(report->regime), opening(w, regimeSentence(w, *report)) + theorySentence(w)};
}

std::string bridgeWords(double lag, char separator)
{
    const auto discrete = stabilityLimits(lag);
    if (!discrete)
        return {};
    const std::string rc = q::limit(discrete->rStable, separator);
    if (lag == 0.0)
        return fill(translate("Without a lag the two models part most: the discrete one oscillates around K for r "
                              "above r_m = {rm} and keeps oscillating above r_c = {rc}, while the continuous one never "
                              "oscillates."),
                    {{"rm", q::limit(discrete->rMonotone, separator)}, {"rc", rc}});
    const auto continuous = continuousLimits(lag);
    const double product = double(dd::DoubleDouble(discrete->rStable) * (dd::DoubleDouble(lag) + 0.5));
    // TRANSLATORS: {product} is r_c·(T + ½), {limit} is π/2, {continuous} is π/(2τ), all numbers.
    return fill(discrete->rStable < continuous->rStable
                    ? translate("The two models meet as the lag grows: the discrete r_c·(T + ½) = {product} approaches "
                                "π/2 = {limit}, the continuous limit rτ. At this lag the discrete model keeps "
                                "oscillating from r_c = {rc}, the continuous one from π/(2τ) = {continuous}: the "
                                "discrete model oscillates at a smaller r.")
                    : translate("The two models meet as the lag grows: the discrete r_c·(T + ½) = {product} approaches "
                                "π/2 = {limit}, the continuous limit rτ. At this lag the discrete model keeps "
                                "oscillating from r_c = {rc}, the continuous one from π/(2τ) = {continuous}."),
                {{"product", q::limit(product, separator)},
                 {"limit", q::limit(double(dd::pi / 2.0), separator)},
                 {"rc", rc},
                 {"continuous", q::limit(continuous->rStable, separator)}});
}

} // namespace tarnis
