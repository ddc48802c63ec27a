// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/scan_estimate.h"

#include "model/dynamics/run_regime.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

// A step of the regime analysis, Lyapunov exponent included, on one core (bench_dynamics, processor
// time: 9.5 ns for a settling run, 12 ns for a chaotic one, 10 ns at lag 9999; 2026-12-08). Runs that die out end sooner and undecided
// ones go on longer: the pace measured as the scan goes corrects it.
constexpr double SecondsPerStep = 12e-9;
// Before this share of the work is done the pace measured says little (the first cells of every
// thread are still under way); the expectation and the pace are blended up to it.
constexpr double TrustedShare = 0.02;

} // namespace

ScanEstimate::ScanEstimate(std::size_t rateCount, const std::vector<double>& lags, unsigned threads)
    : m_cells(rateCount * lags.size())
    , m_threads(std::max(1u, threads))
{
    m_rowWork.push_back(0.0);
    for (double lag : lags)
        m_rowWork.push_back(m_rowWork.back() + regime_rules::firstSteps(lag));
}

double ScanEstimate::workOf(std::size_t cells) const
{
    const std::size_t lags = m_rowWork.size() - 1;
    if (lags == 0)
        return 0.0;
    cells = std::min(cells, m_cells);
    return double(cells / lags) * m_rowWork.back() + m_rowWork[cells % lags];
}

double ScanEstimate::expectedSeconds() const
{
    // As many threads as there are cells at most work at once.
    const auto threads = double(std::min<std::size_t>(m_threads, std::max<std::size_t>(m_cells, 1)));
    return workOf(m_cells) * SecondsPerStep / threads;
}

double ScanEstimate::secondsLeft(std::size_t done, double elapsed) const
{
    const double total = workOf(m_cells);
    const double finished = workOf(done);
    if (total <= 0.0 || finished >= total)
        return 0.0;
    const double expectedLeft = std::max(0.0, expectedSeconds() - elapsed);
    if (finished <= 0.0 || elapsed <= 0.0)
        return expectedLeft;
    const double measuredLeft = (total - finished) * elapsed / finished;
    const double trust = std::min(1.0, finished / total / TrustedShare);
    return trust * measuredLeft + (1.0 - trust) * expectedLeft;
}

std::string durationText(double seconds)
{
    if (!(seconds >= 1.0))
        return "under 1 s";
    if (std::lround(seconds) < 60)
        return "about " + std::to_string(std::lround(seconds)) + " s";
    const long minutes = std::lround(seconds / 60.0);
    if (minutes < 60)
        return "about " + std::to_string(minutes) + " min";
    std::string text = "about " + std::to_string(minutes / 60) + " h";
    if (minutes % 60 != 0)
        text.append(" ").append(std::to_string(minutes % 60)).append(" min");
    return text;
}

} // namespace tarnis
