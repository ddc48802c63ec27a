// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/regime_words.h"

#include "charts/chart_pictures.h"
#include "dynamics/regime_palette.h"
#include "model/conversions.h"
#include "model/linear_stability.h"
#include "ui/locale_numbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

// A parameter as its box shows it.
QString parameterText(double value) { return QString::fromStdString(numberToText(value, localeDecimalSeparator())); }

// About four significant digits: enough to find the value on an axis, few enough to read.
QString rounded(double value, int significantDigits = 4) { return QLocale().toString(value, 'g', significantDigits); }

// Values of N to the decimals that give about four significant digits at the size of K.
QString populationText(double value, double K)
{
    const int decimals = std::clamp(3 - int(std::floor(std::log10(std::abs(K)))), 0, 12);
    return QLocale().toString(value, 'f', decimals);
}

// A whole period exactly, any other to a tenth.
QString periodText(double period)
{
    if (std::abs(period - std::round(period)) < 1e-9)
        return QLocale().toString(std::round(period), 'f', 0);
    return QLocale().toString(period, 'f', 1);
}

// How many percent a small difference grows per step for an exponent: two digits, whole from 10 up.
QString growthText(double exponent)
{
    const double percent = 100.0 * std::expm1(exponent);
    return percent < 10.0 ? rounded(percent, 2) : QLocale().toString(percent, 'f', 0);
}

QString halvingText(double steps)
{
    if (steps <= 1.05)
        return QStringLiteral("; the swings shrink by half or more at every step");
    const QString count
        = steps < 10 ? QLocale().toString(steps, 'f', 1) : QLocale().toString(std::round(steps), 'f', 0);
    return QStringLiteral("; the swings shrink by half about every %1 steps").arg(count);
}

QString capitalised(QString text)
{
    text[0] = text[0].toUpper();
    return text;
}

QString lagText(double lag)
{
    return lag == 0.0 ? QStringLiteral("no lag (T = 0)") : QStringLiteral("a lag of T = %1").arg(parameterText(lag));
}

QString opening(const RunParameters& run)
{
    return QStringLiteral("With r = %1, N(0) = %2, K = %3 and %4, the population ")
        .arg(parameterText(run.r), parameterText(run.n0), parameterText(run.K), lagText(run.lag));
}

QString rangeText(const RegimeReport& report, const RunParameters& run)
{
    return QStringLiteral("between about %1 and %2")
        .arg(populationText(*report.nMin, run.K), populationText(*report.nMax, run.K));
}

// Where the population comes to rest: K, 0 (which a negative r approaches) or, with r = 0, N(0).
QString restText(const RunParameters& run, const RegimeReport& report)
{
    const double rest = *report.nMax;
    if (run.r == 0.0)
        return QStringLiteral("stays at N(0) = %1 for ever: with r = 0 it neither grows nor shrinks.")
            .arg(parameterText(run.n0));
    const QString way = run.n0 < rest ? QStringLiteral("grows") : QStringLiteral("falls");
    if (std::abs(rest - run.K) <= 1e-6 * std::abs(run.K)) {
        if (run.n0 == run.K)
            return QStringLiteral("starts at K = %1 and stays there.").arg(parameterText(run.K));
        return QStringLiteral("%1 towards K = %2 and settles there without overshooting.")
            .arg(way, parameterText(run.K));
    }
    if (std::abs(rest) <= 1e-6 * std::abs(run.K))
        return QStringLiteral("shrinks towards 0 without overshooting, and without ever reaching it.");
    return QStringLiteral("%1 towards about %2 and settles there without overshooting.")
        .arg(way, populationText(rest, run.K));
}

QString dampedText(const RunParameters& run, const RegimeReport& report)
{
    QString text = QStringLiteral("overshoots K = %1 and oscillates around it").arg(parameterText(run.K));
    if (report.period)
        text += QStringLiteral(" with a period of about %1 steps").arg(periodText(*report.period));
    const auto response = linearResponse(run.r, run.lag);
    if (response && response->halvingSteps)
        text += halvingText(*response->halvingSteps);
    return text + QStringLiteral(", until it settles at K.");
}

QString chaoticText(const RunParameters& run, const RegimeReport& report)
{
    QString text = QStringLiteral("fluctuates irregularly %1 and never settles into a cycle: it is chaotic.")
                       .arg(rangeText(report, run));
    if (report.lyapunov && std::isfinite(*report.lyapunov))
        text += QStringLiteral(" Two runs that start almost alike drift apart, their difference growing by about "
                               "%1 % per step (Lyapunov exponent %2), so its values far ahead cannot be predicted.")
                    .arg(growthText(*report.lyapunov), rounded(*report.lyapunov, 3));
    return text;
}

QString diesOutText(const RegimeReport& report)
{
    const int step = report.endStep.value_or(0);
    if (step == 0)
        return QStringLiteral("starts at 0 or below: it is extinct from the start.");
    return QStringLiteral("dies out at step %1: it had overshot K so far that the next step took it down to 0.")
        .arg(step);
}

QString regimeSentence(const RunParameters& run, const RegimeReport& report)
{
    switch (report.regime) {
    case Regime::SettlesSmoothly:
        return restText(run, report);
    case Regime::DampedOscillations:
        return dampedText(run, report);
    case Regime::Periodic:
        return QStringLiteral("settles into a cycle that repeats exactly every %1 steps, %2, around K = %3.")
            .arg(periodText(report.period.value_or(0.0)), rangeText(report, run), parameterText(run.K));
    case Regime::SustainedOscillations:
        return QStringLiteral("keeps oscillating around K = %1, %2, with a period of about %3 steps. The swings "
                              "neither die down nor grow, and they never repeat exactly.")
            .arg(parameterText(run.K), rangeText(report, run), periodText(report.period.value_or(0.0)));
    case Regime::Chaotic:
        return chaoticText(run, report);
    case Regime::DiesOut:
        return diesOutText(report);
    case Regime::LeavesRange:
        return QStringLiteral("grows out of all bounds: after step %1 its values leave the range of numbers that "
                              "can be computed.")
            .arg(report.endStep.value_or(0));
    }
    return {};
}

QString whereRateLies(double r, const StabilityLimits& limits)
{
    const QString rate = parameterText(r);
    if (r <= 0.0)
        return QStringLiteral(" Here r = %1 is not above 0: the population does not grow towards K.").arg(rate);
    if (r < limits.rMonotone)
        return QStringLiteral(" Here r = %1 is below r_m.").arg(rate);
    if (r == limits.rMonotone)
        return QStringLiteral(" Here r = %1 is r_m itself.").arg(rate);
    if (r < limits.rStable)
        return QStringLiteral(" Here r = %1 lies between r_m and r_c.").arg(rate);
    if (r == limits.rStable)
        return QStringLiteral(" Here r = %1 is r_c itself.").arg(rate);
    return QStringLiteral(" Here r = %1 is above r_c.").arg(rate);
}

QString theorySentences(const RunParameters& run)
{
    const auto limits = stabilityLimits(run.lag);
    if (!limits)
        return QStringLiteral("Lags above %1 are beyond what the analysis covers.").arg(parameterText(MaxAnalysedLag));
    const QString where = run.lag == 0.0 ? QStringLiteral("Without a lag") : QStringLiteral("At this lag");
    return QStringLiteral("%1, oscillations around K die down for r below r_c = %2 and persist above it; below "
                          "r_m = %3 the population approaches K without overshooting.")
               .arg(where, rounded(limits->rStable), rounded(limits->rMonotone))
        + whereRateLies(run.r, *limits);
}

} // namespace

RunWords runInWords(const RunParameters& run, const std::optional<RegimeReport>& report)
{
    if (!report)
        return {QStringLiteral("Beyond the analysis"),
                QStringLiteral("What the run with r = %1 and a lag of T = %2 does in the long run cannot be worked "
                               "out: the analysis covers lags up to %3.")
                    .arg(parameterText(run.r), parameterText(run.lag), parameterText(MaxAnalysedLag))};
    return {capitalised(regimeName(report->regime)),
            opening(run) + regimeSentence(run, *report) + QLatin1Char(' ') + theorySentences(run)};
}

QString cellInWords(double r, double lag, const RegimeReport* report, double K)
{
    const QString place = QStringLiteral("T = %1, r = %2: ").arg(parameterText(lag), parameterText(r));
    if (!report)
        return place + QStringLiteral("still being computed");
    QString text = place + regimeName(report->regime);
    switch (report->regime) {
    case Regime::SettlesSmoothly:
        return text + QStringLiteral(" at N = %1").arg(populationText(*report->nMax, K));
    case Regime::DampedOscillations:
        return report->period ? text + QStringLiteral(", period about %1").arg(periodText(*report->period)) : text;
    case Regime::Periodic:
    case Regime::SustainedOscillations:
        return text
            + QStringLiteral(", period %1%2, N from %3 to %4")
                  .arg(report->regime == Regime::Periodic ? QString() : QStringLiteral("about "),
                       periodText(report->period.value_or(0.0)), populationText(*report->nMin, K),
                       populationText(*report->nMax, K));
    case Regime::Chaotic:
        return text
            + QStringLiteral(", Lyapunov exponent %1, N from %2 to %3")
                  .arg(rounded(report->lyapunov.value_or(0.0), 3), populationText(*report->nMin, K),
                       populationText(*report->nMax, K));
    case Regime::DiesOut:
        return text + QStringLiteral(" at step %1").arg(report->endStep.value_or(0));
    case Regime::LeavesRange:
        return text + QStringLiteral(" after step %1").arg(report->endStep.value_or(0));
    }
    return text;
}

QString columnInWords(BifurcationAxis axis, double value, const BifurcationColumn* column, double K)
{
    const QString place
        = QStringLiteral("%1 = %2: ")
              .arg(axis == BifurcationAxis::Rate ? QStringLiteral("r") : QStringLiteral("T"), parameterText(value));
    if (!column)
        return place + QStringLiteral("still being computed");
    switch (column->end) {
    case RunEnd::DiedOut:
        return place + QStringLiteral("dies out at step %1").arg(column->lastStep);
    case RunEnd::LeftRange:
        return place + QStringLiteral("leaves the range after step %1").arg(column->lastStep);
    case RunEnd::Refused:
        return place + QStringLiteral("beyond the analysis");
    case RunEnd::Completed:
        break;
    }
    QString text = place;
    if (!column->N.empty()) {
        const auto [low, high] = std::ranges::minmax_element(column->N);
        text += QStringLiteral("N from %1 to %2").arg(populationText(*low, K), populationText(*high, K));
    }
    if (column->lyapunov)
        text += QStringLiteral(", Lyapunov exponent %1").arg(rounded(*column->lyapunov, 3));
    return text;
}

RunWords workingWords(const RunParameters& run)
{
    return {QStringLiteral("Working it out…"),
            opening(run) + QStringLiteral("is being followed over many steps to see what it does in the long run.")};
}

RunWords noRunWords()
{
    return {QStringLiteral("No run yet"),
            QStringLiteral("Run the model in the main window. This window then tells what the population does in "
                           "the long run, and shows where its r and lag lie on the stability map and in the "
                           "bifurcation diagram.")};
}

QList<QStringList> runFacts(const RunParameters& run, const std::optional<RegimeReport>& report, QChar decimalSeparator)
{
    const auto number = [decimalSeparator](std::optional<double> value) {
        return value ? exactNumberText(*value, decimalSeparator) : QString();
    };
    const auto limits = stabilityLimits(run.lag);
    QList<QStringList> rows{{QStringLiteral("r"), number(run.r)},
                            {QStringLiteral("N(0)"), number(run.n0)},
                            {QStringLiteral("K"), number(run.K)},
                            {QStringLiteral("T"), number(run.lag)}};
    const RegimeReport none;
    const RegimeReport& shown = report ? *report : none;
    rows << QStringList{QStringLiteral("regime"), report ? regimeName(report->regime) : QString()}
         << QStringList{QStringLiteral("period"), number(shown.period)}
         << QStringList{QStringLiteral("Lyapunov exponent"), number(shown.lyapunov)}
         << QStringList{QStringLiteral("smallest N"), number(shown.nMin)}
         << QStringList{QStringLiteral("largest N"), number(shown.nMax)}
         << QStringList{QStringLiteral("end step"), shown.endStep ? QString::number(*shown.endStep) : QString()}
         << QStringList{QStringLiteral("r_m"), number(limits ? std::optional(limits->rMonotone) : std::nullopt)}
         << QStringList{QStringLiteral("r_c"), number(limits ? std::optional(limits->rStable) : std::nullopt)};
    return rows;
}

} // namespace tarnis
