// A progress bar on standard error for the long commands, drawn only when standard error is a
// terminal, so that a log file or a pipe never receives its control characters.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdio>

namespace tarnis::cli {

class ProgressBar {
public:
    explicit ProgressBar(std::FILE* stream);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Redraws the bar when the share done has grown by a tenth of a percent; clears it once all is done.
    void update(std::size_t done, std::size_t total);
    // Clears the bar's line, leaving the terminal as it was.
    void finish();

private:
    std::FILE* m_stream;
    bool m_drawn = false;
    long m_shownPermille = -1;
};

} // namespace tarnis::cli
