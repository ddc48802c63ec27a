// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/continuous/continuous_regime.h"

#include "model/numbers/double_double.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

using dd::DoubleDouble;

// The dominant root z = λτ = a + ib of z + x·e^(−z) = 0 for 1/e < x = rτ < π/2. Its two parts give
// a = −b·cot b and x·e^(−a) = b / sin b, so b is the one root in (0, π/2) of
// ln(b / sin b) − b·cot b − ln x, which rises with b; halving the interval finds it in arithmetic that
// rounds alike everywhere.
struct Root {
    DoubleDouble a;
    DoubleDouble b;
};

Root dampedRoot(DoubleDouble x)
{
    const DoubleDouble lnX = log(x);
    DoubleDouble low = 0.0;
    DoubleDouble high = dd::pi / 2.0;
    for (int i = 0; i < 110 && double(high - low) > 0.0; ++i) {
        const DoubleDouble b = (low + high) / 2.0;
        const DoubleDouble s = sin(b);
        const DoubleDouble c = cos(b);
        const DoubleDouble f = log(b / s) - b * c / s - lnX;
        (f < DoubleDouble(0.0) ? low : high) = b;
    }
    const DoubleDouble b = (low + high) / 2.0;
    return {-b * cos(b) / sin(b), b};
}

// The settled cycle, measured over the second half of the trajectory: the mean time between upward
// crossings of K (each placed between its two whole times by a straight line) and the range of N.
void measureCycle(const std::vector<double>& n, double K, ContinuousReport& report)
{
    const std::size_t from = n.size() / 2;
    const auto [lowest, highest] = std::minmax_element(n.begin() + std::ptrdiff_t(from), n.end());
    report.nMin = *lowest;
    report.nMax = *highest;
    std::optional<double> first;
    double last = 0.0;
    int crossings = 0;
    for (std::size_t t = from; t + 1 < n.size(); ++t)
        if (n[t] < K && n[t + 1] >= K) {
            last = double(t) + (K - n[t]) / (n[t + 1] - n[t]);
            first = first.value_or(last);
            ++crossings;
        }
    if (crossings >= 2)
        report.period = (last - *first) / double(crossings - 1);
}

// The lowest N once N has first risen above K.
std::optional<double> lowestAfterPeak(const std::vector<double>& n, double K)
{
    const auto above = std::find_if(n.begin(), n.end(), [K](double value) { return value > K; });
    if (above == n.end())
        return std::nullopt;
    return *std::min_element(above, n.end());
}

int analysedSteps(double lag)
{
    const double steps = std::max(2000.0, 200.0 * lag);
    return steps < double(MaxRunSteps) ? int(steps) : MaxRunSteps;
}

// The trajectory over the time the regime is read from; empty where the integrator refuses it.
std::optional<ContinuousRun> analysedRun(const RunParameters& p)
{
    RunParameters longer = p;
    longer.steps = std::int16_t(analysedSteps(p.lag));
    ContinuousRun run = continuousRun(longer);
    if (run.end == ContinuousEnd::Refused)
        return std::nullopt;
    return run;
}

std::optional<ContinuousReport> negativeRate(const RunParameters& p)
{
    ContinuousReport report;
    if (p.n0 < p.K) {
        report.regime = ContinuousRegime::DeclinesTowardsZero;
        return report;
    }
    const std::optional<ContinuousRun> run = analysedRun(p);
    if (!run)
        return std::nullopt;
    report.regime = ContinuousRegime::RunsAway;
    report.endTime = double(run->n.size()) - 1.0;
    return report;
}

} // namespace

std::optional<ContinuousLimits> continuousLimits(double lag)
{
    if (!(lag > 0.0) || !std::isfinite(lag))
        return std::nullopt;
    const DoubleDouble tau = lag;
    return ContinuousLimits{double(DoubleDouble(1.0) / (exp(DoubleDouble(1.0)) * tau)), double(dd::pi / (2.0 * tau)),
                            4.0 * lag};
}

std::optional<ContinuousReport> continuousRegime(const RunParameters& p)
{
    if (checkRunParameters(p) || p.lag > double(MaxRunSteps))
        return std::nullopt;
    ContinuousReport report;
    if (p.r == 0.0 || p.n0 == p.K) {
        report.regime = ContinuousRegime::StaysPut;
        return report;
    }
    if (p.r < 0.0)
        return negativeRate(p);
    const std::optional<ContinuousLimits> limits = continuousLimits(p.lag);
    if (!limits || p.r <= limits->rMonotone) {
        report.regime = ContinuousRegime::SettlesSmoothly;
        return report;
    }
    const std::optional<ContinuousRun> analysed = analysedRun(p);
    if (!analysed)
        return std::nullopt;
    const ContinuousRun& run = *analysed;
    report.lowest = lowestAfterPeak(run.n, p.K);
    if (run.end != ContinuousEnd::Completed) {
        report.regime = ContinuousRegime::TooSteep;
        report.endTime = double(run.n.size()) - 1.0;
        return report;
    }
    if (p.r > limits->rStable) {
        report.regime = ContinuousRegime::Cycle;
        measureCycle(run.n, p.K, report);
        return report;
    }
    report.regime = ContinuousRegime::DampedOscillations;
    if (p.r == limits->rStable) {
        report.period = limits->onsetPeriod;
        return report;
    }
    const Root root = dampedRoot(DoubleDouble(p.r) * p.lag);
    report.period = double(2.0 * dd::pi * p.lag / root.b);
    report.halfLife = double(dd::ln2 * p.lag / -root.a);
    return report;
}

} // namespace tarnis
