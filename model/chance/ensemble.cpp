// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/ensemble.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

constexpr double Z975 = 1.959963984540054; // the normal distribution's 97.5 % point

// Student's t at 97.5 % for `df` degrees of freedom: the table to 30, then the Cornish–Fisher series.
double studentT975(long long df)
{
    static constexpr std::array<double, 30> table{
        12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228, 2.201, 2.179, 2.160, 2.145, 2.131,
        2.120,  2.110, 2.101, 2.093, 2.086, 2.080, 2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};
    if (df <= 30)
        return table.at(std::size_t(df - 1));
    const double z = Z975;
    const double d = double(df);
    return z + (z * z * z + z) / (4.0 * d) + (5.0 * z * z * z * z * z + 16.0 * z * z * z + 3.0 * z) / (96.0 * d * d);
}

Estimate wilson(long long successes, long long trials)
{
    const double n = double(trials);
    const double p = double(successes) / n;
    const double z2 = Z975 * Z975;
    const double centre = (p + z2 / (2.0 * n)) / (1.0 + z2 / n);
    const double half = Z975 * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n)) / (1.0 + z2 / n);
    // At none and at all the interval reaches 0 or 1 exactly; rounding would leave a speck.
    return {p, successes == 0 ? 0.0 : std::max(0.0, centre - half),
            successes == trials ? 1.0 : std::min(1.0, centre + half)};
}

Estimate meanOf(const std::vector<double>& times)
{
    const double n = double(times.size());
    double sum = 0.0;
    for (const double t : times)
        sum += t;
    const double mean = sum / n;
    if (times.size() < 2)
        return {mean, mean, mean};
    double squares = 0.0;
    for (const double t : times)
        squares += (t - mean) * (t - mean);
    const double half = studentT975((long long)times.size() - 1) * std::sqrt(squares / (n - 1.0) / n);
    return {mean, mean - half, mean + half};
}

// `sorted` ascending: the lower median, and the ranks n/2 ∓ 1.96·√n/2 around it.
Estimate medianOf(const std::vector<double>& sorted)
{
    const auto n = (long long)sorted.size();
    const double spread = Z975 * std::sqrt(double(n)) / 2.0;
    const auto rank = [&](double r) { return sorted[std::size_t(std::clamp<long long>((long long)r, 1, n) - 1)]; };
    return {rank(std::ceil(double(n) / 2.0)), rank(std::floor(double(n) / 2.0 - spread)),
            rank(std::ceil(1.0 + double(n) / 2.0 + spread))};
}

double percentileOf(const std::vector<double>& sorted, double share)
{
    const double h = double(sorted.size() - 1) * share;
    const auto low = std::size_t(std::floor(h));
    const double lower = sorted[low];
    if (low + 1 >= sorted.size() || sorted[low + 1] == lower)
        return lower;
    return lower + (h - double(low)) * (sorted[low + 1] - lower);
}

} // namespace

ChanceRun ensembleMember(const EnsembleRequest& request, long long run)
{
    RandomDraws draws(request.seed, std::uint64_t(run));
    return noisyRun(request.parameters, request.noise, request.threshold, draws);
}

MemberOutcome outcomeOf(long long run, const ChanceRun& member)
{
    return {run, member.extinctionTime, member.n.empty() ? 0.0 : member.n.back()};
}

ExtinctionSummary extinctionSummary(const std::vector<MemberOutcome>& outcomes)
{
    ExtinctionSummary summary;
    summary.runs = (long long)outcomes.size();
    std::vector<double> times;
    for (const MemberOutcome& outcome : outcomes)
        if (outcome.extinctionTime)
            times.push_back(double(*outcome.extinctionTime));
    summary.extinct = (long long)times.size();
    if (summary.runs > 0)
        summary.share = wilson(summary.extinct, summary.runs);
    if (times.empty())
        return summary;
    std::sort(times.begin(), times.end());
    summary.meanTime = meanOf(times);
    summary.medianTime = medianOf(times);
    return summary;
}

std::vector<double> survivalCurve(const std::vector<MemberOutcome>& outcomes, int steps)
{
    // Deaths counted at their step, then the share still alive at each t.
    std::vector<long long> deaths(std::size_t(steps) + 1, 0);
    for (const MemberOutcome& outcome : outcomes)
        if (outcome.extinctionTime)
            ++deaths[std::size_t(*outcome.extinctionTime)];
    std::vector<double> curve(std::size_t(steps) + 1);
    long long alive = (long long)outcomes.size();
    for (std::size_t t = 0; t < curve.size(); ++t) {
        alive -= deaths[t];
        curve[t] = outcomes.empty() ? 0.0 : double(alive) / double(outcomes.size());
    }
    return curve;
}

long long bandRuns(long long runs, int steps)
{
    return std::clamp(MostSummaryValues / (steps + 1LL), 1LL, std::max(runs, 1LL));
}

std::vector<std::array<double, 5>> percentileBands(const std::vector<ChanceRun>& members, int steps)
{
    if (members.empty())
        return {};
    // Every t to the last, even where every run left the range before it.
    const auto length = std::size_t(steps) + 1;
    std::vector<std::array<double, 5>> bands(length);
    std::vector<double> column(members.size());
    for (std::size_t t = 0; t < length; ++t) {
        for (std::size_t i = 0; i < members.size(); ++i) {
            const std::vector<double>& n = members[i].n;
            // A run that left the range of doubles stands above every other from there on.
            column[i] = t < n.size() ? n[t] : std::numeric_limits<double>::infinity();
        }
        std::sort(column.begin(), column.end());
        for (std::size_t b = 0; b < BandShares.size(); ++b)
            bands[t][b] = percentileOf(column, BandShares[b]);
    }
    return bands;
}

} // namespace tarnis
