// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/continuous/hutchinson.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tarnis {

namespace {

using namespace continuous_rules;

// The relative change of one step, h·(dN/dt)/N, beyond what the method follows faithfully.
bool tooSteep(double change) { return !(change <= SteepestStep && change >= -SteepestStep); }

// The least whole number not below x (x finite and at least 0).
double wholeAbove(double x)
{
    const double whole = std::floor(x);
    return whole < x ? whole + 1.0 : whole;
}

// N and dN/dt at the grid points still needed: from one lag back to the newest. Points at or before 0
// are the history, N(0) with no slope, and are never stored.
class GridHistory {
public:
    // Room for `points` grid points, rounded up to a power of two so that a point's place is a mask away.
    GridHistory(long long points, double n0)
        : m_n(std::bit_ceil(std::size_t(points)))
        , m_slope(m_n.size())
        , m_mask(m_n.size() - 1)
        , m_n0(n0)
    {
    }

    void store(long long j, double n, double slope)
    {
        m_n[index(j)] = n;
        m_slope[index(j)] = slope;
    }
    double n(long long j) const { return j <= 0 ? m_n0 : m_n[index(j)]; }
    double slope(long long j) const { return m_slope[index(j)]; }

    // N between grid points j and j + 1, a share theta of the way, from the cubic Hermite interpolant.
    double between(long long j, double theta, double h) const
    {
        if (j + 1 <= 0)
            return m_n0;
        const double a = 1.0 - theta;
        return a * a * (1.0 + 2.0 * theta) * n(j) + theta * theta * (3.0 - 2.0 * theta) * n(j + 1)
            + h * (theta * a * a * slope(j) - theta * theta * a * slope(j + 1));
    }
    // The same at the midpoint, where the weights are exact halves and eighths.
    double midway(long long j, double h) const
    {
        if (j + 1 <= 0)
            return m_n0;
        return 0.5 * (n(j) + n(j + 1)) + h * (slope(j) - slope(j + 1)) / 8.0;
    }

private:
    std::size_t index(long long j) const { return std::size_t(j) & m_mask; }

    std::vector<double> m_n;
    std::vector<double> m_slope;
    std::size_t m_mask;
    double m_n0;
};

class Integrator {
public:
    Integrator(const RunParameters& p, const ContinuousGrid& grid, long long total)
        : m_r(p.r)
        , m_K(p.K)
        , m_h(grid.step)
        , m_lag((long long)grid.stepsPerLag)
        , m_history((m_lag < total ? m_lag : total) + 2, p.n0)
    {
        m_history.store(0, p.n0, perCapita(p.n0) * p.n0);
    }

    // Takes the step from grid point i to i + 1 and returns N there, or nothing when the step would be
    // too steep to take. The per-capita rates of the stages, r·(1 − N(t−τ)/K), depend on the past
    // alone, so they are worked out beside the chain of stages rather than in it.
    std::optional<double> step(long long i)
    {
        const double n = m_history.n(i);
        const double h = m_h;
        const double k1 = m_history.slope(i);
        const double rateAtMid = perCapita(m_history.midway(i - m_lag, h));
        const double rateAtEnd = perCapita(m_history.n(i + 1 - m_lag));
        if (tooSteep(h * k1 / n))
            return std::nullopt;
        const double k2 = rateAtMid * (n + h / 2.0 * k1);
        const double k3 = rateAtMid * (n + h / 2.0 * k2);
        const double k4 = rateAtEnd * (n + h * k3);
        const double next = n + h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
        m_history.store(i + 1, next, rateAtEnd * next);
        return next;
    }

    double at(long long j, double theta) const
    {
        return theta == 0.0 ? m_history.n(j) : m_history.between(j, theta, m_h);
    }

private:
    // dN/dt per animal: the growth rate that N one lag earlier allows.
    double perCapita(double delayed) const { return m_r * (1.0 - delayed / m_K); }

    double m_r;
    double m_K;
    double m_h;
    long long m_lag;
    GridHistory m_history;
};

// The ordinary logistic equation (no lag): the stages' N is their own delayed value.
class LogisticIntegrator {
public:
    LogisticIntegrator(const RunParameters& p, double h)
        : m_r(p.r)
        , m_K(p.K)
        , m_h(h)
        , m_n(p.n0)
    {
    }

    std::optional<double> step()
    {
        const double h = m_h;
        const double k1 = slope(m_n);
        if (tooSteep(h * k1 / m_n))
            return std::nullopt;
        const double k2 = slope(m_n + h / 2.0 * k1);
        const double k3 = slope(m_n + h / 2.0 * k2);
        const double k4 = slope(m_n + h * k3);
        m_n = m_n + h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
        return m_n;
    }

private:
    double slope(double n) const { return m_r * (1.0 - n / m_K) * n; }

    double m_r;
    double m_K;
    double m_h;
    double m_n;
};

// Whether a step's N may be taken: a step not too steep, a number inside the double range and above 0.
ContinuousEnd verdictOf(std::optional<double> n)
{
    if (!n)
        return ContinuousEnd::LostAccuracy;
    if (!std::isfinite(*n))
        return ContinuousEnd::LeftRange;
    return *n > 0.0 ? ContinuousEnd::Completed : ContinuousEnd::LostAccuracy;
}

ContinuousRun withoutLag(const RunParameters& p, ContinuousGrid grid)
{
    ContinuousRun run{ContinuousEnd::Completed, std::nullopt, {p.n0}, grid};
    LogisticIntegrator integrator(p, grid.step);
    const auto perUnit = (long long)grid.stepsPerUnit; // whole: h = 1/perUnit
    for (int t = 1; t <= p.steps; ++t) {
        std::optional<double> n;
        for (long long s = 0; s < perUnit; ++s) {
            n = integrator.step();
            if (const ContinuousEnd end = verdictOf(n); end != ContinuousEnd::Completed) {
                run.end = end;
                return run;
            }
        }
        run.n.push_back(*n);
    }
    return run;
}

ContinuousRun withLag(const RunParameters& p, ContinuousGrid grid)
{
    ContinuousRun run{ContinuousEnd::Completed, std::nullopt, {p.n0}, grid};
    const long long total = (long long)wholeAbove(double(p.steps) * grid.stepsPerUnit);
    Integrator integrator(p, grid, total);
    int t = 1;
    double position = grid.stepsPerUnit; // of time t on the grid, in steps
    for (long long i = 0; i < total && t <= p.steps; ++i) {
        const std::optional<double> n = integrator.step(i);
        if (const ContinuousEnd end = verdictOf(n); end != ContinuousEnd::Completed) {
            run.end = end;
            return run;
        }
        for (; t <= p.steps && position <= double(i + 1); ++t, position = double(t) * grid.stepsPerUnit)
            run.n.push_back(position == double(i + 1) ? *n : integrator.at(i, position - double(i)));
    }
    return run;
}

} // namespace

std::optional<ContinuousGrid> continuousGrid(const RunParameters& p, int refinement)
{
    if (!std::isfinite(p.r) || !std::isfinite(p.lag) || p.lag < 0.0 || refinement < 1)
        return std::nullopt;
    // Steps per time unit that the rate asks for: N changes at most at |r| per animal, or at
    // |r|·(N(0)/K − 1) where it starts above K.
    const double byRate = StepsPerRate * std::fabs(p.r) * std::max(1.0, p.n0 / p.K);
    if (byRate > MostSteps || p.lag * byRate > MostSteps || (p.lag > 0.0 && StepsPerLag / MostSteps > p.lag))
        return std::nullopt;
    const double ref = double(refinement);
    ContinuousGrid grid;
    if (p.lag == 0.0 || p.lag == std::floor(p.lag)) {
        // Whole times on the grid: a whole number of steps per time unit, and so per lag.
        double perUnit = std::max(1.0, wholeAbove(byRate));
        if (p.lag > 0.0)
            perUnit = std::max(perUnit, wholeAbove(StepsPerLag / p.lag));
        grid.stepsPerUnit = perUnit * ref;
        grid.stepsPerLag = p.lag * grid.stepsPerUnit;
        grid.step = 1.0 / grid.stepsPerUnit;
    } else {
        grid.stepsPerLag = std::max(StepsPerLag, wholeAbove(p.lag * byRate)) * ref;
        grid.step = p.lag / grid.stepsPerLag;
        grid.stepsPerUnit = grid.stepsPerLag / p.lag;
    }
    if (grid.stepsPerLag > MostSteps || double(p.steps) * grid.stepsPerUnit > MostSteps)
        return std::nullopt;
    return grid;
}

ContinuousRun continuousRun(const RunParameters& parameters, int refinement)
{
    ContinuousRun run;
    if ((run.refusal = checkRunParameters(parameters))) {
        run.end = ContinuousEnd::Refused;
        return run;
    }
    const std::optional<ContinuousGrid> grid = continuousGrid(parameters, refinement);
    if (!grid) {
        run.end = ContinuousEnd::Refused;
        return run;
    }
    return parameters.lag == 0.0 ? withoutLag(parameters, *grid) : withLag(parameters, *grid);
}

} // namespace tarnis
