// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progress_bar.h"

#include <unistd.h>

namespace tarnis::cli {

namespace {

constexpr int Width = 40;
// The time left is told once the scan has run this long, when the pace it measured means something.
constexpr double FirstEstimateSeconds = 1.0;

} // namespace

ProgressBar::ProgressBar(std::FILE* stream, std::size_t total, const ScanEstimate& estimate)
    : m_stream(stream)
    , m_terminal(isatty(fileno(stream)) != 0)
    , m_total(total)
    , m_estimate(estimate)
    , m_long(estimate.expectedSeconds() > LongScanSeconds)
{
    if (!m_long || total == 0)
        return;
    const std::string expected = durationText(estimate.expectedSeconds()) + " expected";
    if (m_terminal)
        draw(0, expected);
    else
        writeLine(0, expected);
}

ProgressBar::~ProgressBar() { finish(); }

double ProgressBar::elapsed() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

void ProgressBar::update(std::size_t done)
{
    if (m_total == 0 || (!m_terminal && !m_long))
        return;
    const double seconds = elapsed();
    std::string time;
    if (done < m_total && (m_long || seconds >= FirstEstimateSeconds))
        time = durationText(m_estimate.secondsLeft(done, seconds)) + " left";
    if (!m_terminal) {
        const long tenth = long(done * 10 / m_total);
        if (tenth > m_writtenTenth && done < m_total) {
            m_writtenTenth = tenth;
            writeLine(done, time);
        }
        return;
    }
    const long permille = long(done * 1000 / m_total);
    if (permille != m_shownPermille || time != m_shownTime)
        draw(done, time);
    // Gone before the results follow, which may go to the same terminal.
    if (done == m_total)
        finish();
}

void ProgressBar::draw(std::size_t done, const std::string& time)
{
    const long permille = long(done * 1000 / m_total);
    m_shownPermille = permille;
    m_shownTime = time;
    const int filled = int(permille * Width / 1000);
    const std::string bar = std::string(std::size_t(filled), '#') + std::string(std::size_t(Width - filled), '.');
    const std::string after = time.empty() ? std::string() : ", " + time;
    // The rest of the line is cleared: a shorter time must not leave the end of a longer one.
    std::fprintf(m_stream, "\r[%s] %5.1f%%  %zu of %zu%s\x1b[K", bar.c_str(), double(permille) / 10.0, done, m_total,
                 after.c_str());
    std::fflush(m_stream);
    m_drawn = true;
}

void ProgressBar::writeLine(std::size_t done, const std::string& time)
{
    std::fprintf(m_stream, "tarnis-run: %zu of %zu cells done, %s\n", done, m_total, time.c_str());
    std::fflush(m_stream);
}

void ProgressBar::finish()
{
    if (!m_drawn)
        return;
    std::fprintf(m_stream, "\r\x1b[2K");
    std::fflush(m_stream);
    m_drawn = false;
}

} // namespace tarnis::cli
