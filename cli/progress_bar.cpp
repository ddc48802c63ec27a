// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progress_bar.h"

#include <string>
#include <unistd.h>

namespace tarnis::cli {

namespace {

constexpr int Width = 40;

} // namespace

ProgressBar::ProgressBar(std::FILE* stream)
    : m_stream(isatty(fileno(stream)) ? stream : nullptr)
{
}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::update(std::size_t done, std::size_t total)
{
    if (!m_stream || total == 0)
        return;
    const long permille = long(done * 1000 / total);
    if (permille == m_shownPermille)
        return;
    m_shownPermille = permille;
    const int filled = int(permille * Width / 1000);
    const std::string bar = std::string(std::size_t(filled), '#') + std::string(std::size_t(Width - filled), '.');
    std::fprintf(m_stream, "\r[%s] %5.1f%%  %zu of %zu", bar.c_str(), double(permille) / 10.0, done, total);
    std::fflush(m_stream);
    m_drawn = true;
    // Gone before the results follow, which may go to the same terminal.
    if (done == total)
        finish();
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
