// How long a scan of regimes will take: expected from its cells and lags before it starts, and from
// the pace of the cells already done as it goes, so that the estimate improves while it runs.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarnis {

class ScanEstimate {
public:
    // A grid of `rateCount` rows, each over `lags`, computed on `threads` threads.
    ScanEstimate(std::size_t rateCount, const std::vector<double>& lags, unsigned threads);

    // Seconds expected before any cell is done.
    double expectedSeconds() const;
    // Seconds left once `done` cells (taken in r-major order) have taken `elapsed` seconds.
    double secondsLeft(std::size_t done, double elapsed) const;

private:
    double workOf(std::size_t cells) const; // in steps, of the first `cells` cells

    std::vector<double> m_rowWork; // the steps of the first i lags of a row, for i = 0 … lags
    std::size_t m_cells = 0;
    unsigned m_threads = 1;
};

// A time left or expected in words: "about 40 s", "about 12 min", "about 3 h 20 min"; "under 1 s".
std::string durationText(double seconds);

} // namespace tarnis
