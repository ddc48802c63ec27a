// The progress of a scan on standard error. On a terminal, a bar redrawn in place with the time left;
// a scan expected to take more than about a minute shows its expected time from the start. Anywhere
// else (a log file, a pipe) no control characters: a long scan writes a plain line when it starts and
// one at every tenth done, with the time left; a short one writes nothing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/scan_estimate.h"

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

namespace tarnis::cli {

class ProgressBar {
public:
    // Starts the clock, and announces a long scan of `total` items at once.
    ProgressBar(std::FILE* stream, std::size_t total, const ScanEstimate& estimate);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // A scan expected to take longer than this says so when it starts.
    static constexpr double LongScanSeconds = 60.0;

    // `done` items are finished. Redraws when the share done has grown by a tenth of a percent or
    // the time left reads differently; clears the bar once all is done.
    void update(std::size_t done);
    // Clears the bar's line, leaving the terminal as it was.
    void finish();

private:
    double elapsed() const;
    void draw(std::size_t done, const std::string& time);
    void writeLine(std::size_t done, const std::string& time);

    std::FILE* m_stream;
    bool m_terminal;
    std::size_t m_total;
    const ScanEstimate& m_estimate;
    bool m_long;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    bool m_drawn = false;
    long m_shownPermille = -1;
    std::string m_shownTime;
    long m_writtenTenth = 0;
};

} // namespace tarnis::cli
