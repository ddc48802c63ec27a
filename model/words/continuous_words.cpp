// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/words/continuous_words.h"

#include "model/dynamics/linear_stability.h"
#include "model/numbers/double_double.h"
#include "model/run/parameter_boxes.h"
#include "model/words/quantity_text.h"

namespace tarnis {

namespace {

namespace q = quantity_text;

struct Writer {
    const RunParameters& run;
    char separator;

    std::string parameter(double value) const { return q::parameter(value, separator); }
    std::string population(double value) const { return q::population(value, run.K, separator); }
    std::string time(double units) const { return q::period(units, separator) + " time units"; }
};

std::string opening(const Writer& w)
{
    const std::string delay = w.run.lag == 0.0 ? "no delay (τ = 0)" : "a delay of τ = " + w.parameter(w.run.lag);
    return std::string("In continuous time (Hutchinson's equation), with r = ")
        .append(w.parameter(w.run.r))
        .append(", N(0) = ")
        .append(w.parameter(w.run.n0))
        .append(", K = ")
        .append(w.parameter(w.run.K))
        .append(" and ")
        .append(delay)
        .append(", the population ");
}

// How low an oscillating population comes, which the equation never takes to 0.
std::string lowestText(const Writer& w, const ContinuousReport& report)
{
    if (!report.lowest)
        return {};
    const std::string lowest = w.population(*report.lowest);
    if (*report.lowest < 1.0)
        return " At its lowest it comes down to " + lowest
            + ", less than one animal: the equation never reaches 0, but a real population would be lost there.";
    return " At its lowest it comes down to about " + lowest + "; the equation never reaches 0.";
}

std::string dampedText(const Writer& w, const ContinuousReport& report)
{
    std::string text = "overshoots K = " + w.parameter(w.run.K) + " and oscillates around it with a period of about "
        + w.time(report.period.value_or(0.0));
    if (report.halfLife)
        return text + "; the swings shrink by half about every " + w.time(*report.halfLife)
            + ", until it settles at K.";
    return text + "; at r = π/(2τ) itself the swings shrink ever more slowly.";
}

std::string cycleText(const Writer& w, const ContinuousReport& report)
{
    std::string text = "settles onto a cycle around K = " + w.parameter(w.run.K);
    if (report.nMin && report.nMax)
        text += ", between about " + w.population(*report.nMin) + " and " + w.population(*report.nMax);
    if (report.period)
        text += ", with a period of about " + w.time(*report.period);
    return text + ". The swings neither die down nor grow.";
}

std::string regimeSentence(const Writer& w, const ContinuousReport& report)
{
    switch (report.regime) {
    case ContinuousRegime::SettlesSmoothly:
        return "approaches K = " + w.parameter(w.run.K) + " and settles there without overshooting.";
    case ContinuousRegime::DampedOscillations:
        return dampedText(w, report) + lowestText(w, report);
    case ContinuousRegime::Cycle:
        return cycleText(w, report) + lowestText(w, report);
    case ContinuousRegime::StaysPut:
        return "stays where it is: nothing makes it change.";
    case ContinuousRegime::DeclinesTowardsZero:
        return "declines towards 0 without ever reaching it.";
    case ContinuousRegime::RunsAway:
        return "grows beyond every bound within a finite time; the integrator follows it up to t = "
            + w.parameter(report.endTime.value_or(0.0)) + ".";
    case ContinuousRegime::TooSteep:
        return "swings so steeply after t = " + w.parameter(report.endTime.value_or(0.0))
            + " that the integrator's step cannot follow it; the trajectory stops there." + lowestText(w, report);
    }
    return {};
}

std::string headline(ContinuousRegime regime)
{
    switch (regime) {
    case ContinuousRegime::SettlesSmoothly:
        return "Settles smoothly";
    case ContinuousRegime::DampedOscillations:
        return "Damped oscillations";
    case ContinuousRegime::Cycle:
        return "A stable cycle";
    case ContinuousRegime::StaysPut:
        return "Stays where it is";
    case ContinuousRegime::DeclinesTowardsZero:
        return "Declines towards 0";
    case ContinuousRegime::RunsAway:
        return "Grows without bound";
    case ContinuousRegime::TooSteep:
        return "Too steep to follow";
    }
    return {};
}

std::string theorySentence(const Writer& w)
{
    const auto limits = continuousLimits(w.run.lag);
    if (!limits)
        return " Without a delay the continuous model never oscillates: every r above 0 settles smoothly.";
    return " With this delay, oscillations die down for r below π/(2τ) = " + q::limit(limits->rStable, w.separator)
        + " and settle onto a cycle above it, whose period there is 4τ = " + w.time(limits->onsetPeriod)
        + "; up to 1/(eτ) = " + q::limit(limits->rMonotone, w.separator)
        + " the population approaches K without overshooting.";
}

} // namespace

std::string continuousLegend() { return "Continuous time (Hutchinson)"; }

ContinuousComparisonWords continuousComparisonWords()
{
    return {"Compare with continuous time",
            "Draws the run's continuous-time twin, Hutchinson's delayed logistic equation with the same r, N(0), K "
            "and lag, beside it",
            continuousLegend(), "continuous r_c", "N(t) continuous"};
}

std::string continuousStopWords(const ContinuousRun& run)
{
    if (run.end == ContinuousEnd::Completed || run.n.empty())
        return {};
    const std::string at = "The continuous trajectory stops after t = " + std::to_string(run.n.size() - 1);
    if (run.end == ContinuousEnd::LeftRange)
        return at + ": N leaves the range of numbers a computer holds.";
    return at + ": its swings grow too steep for the integrator's step.";
}

RunWords continuousRunInWords(const RunParameters& run, const std::optional<ContinuousReport>& report, char separator)
{
    const Writer w{run, separator};
    if (!report)
        return {"Beyond the integrator",
                "The continuous run with r = " + w.parameter(run.r) + " and a delay of τ = " + w.parameter(run.lag)
                    + " would take the integrator more steps than it takes; a longer delay or a smaller r is within "
                      "reach."};
    return {headline(report->regime), opening(w) + regimeSentence(w, *report) + theorySentence(w)};
}

std::string bridgeWords(double lag, char separator)
{
    const auto discrete = stabilityLimits(lag);
    if (!discrete)
        return {};
    const std::string rc = q::limit(discrete->rStable, separator);
    if (lag == 0.0)
        return "Without a lag the two models part most: the discrete one oscillates around K for r above r_m = "
            + q::limit(discrete->rMonotone, separator) + " and keeps oscillating above r_c = " + rc
            + ", while the continuous one never oscillates.";
    const auto continuous = continuousLimits(lag);
    const double product = double(dd::DoubleDouble(discrete->rStable) * (dd::DoubleDouble(lag) + 0.5));
    return "The two models meet as the lag grows: the discrete r_c·(T + ½) = " + q::limit(product, separator)
        + " approaches π/2 = " + q::limit(double(dd::pi / 2.0), separator)
        + ", the continuous limit rτ. At this lag the discrete model keeps oscillating from r_c = " + rc
        + ", the continuous one from π/(2τ) = " + q::limit(continuous->rStable, separator)
        + (discrete->rStable < continuous->rStable ? ": the discrete model oscillates at a smaller r." : ".");
}

} // namespace tarnis
