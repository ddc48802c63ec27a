// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/table_text.h"

#include <charconv>
#include <cmath>

namespace tarnis::cli {

std::string exactText(double value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

std::string exactStepText(double value) { return std::isfinite(value) ? exactText(value) : std::string(); }

const char* lineEnd(const CommandLine& line) { return line.tidy ? TidyLineEnd : "\r\n"; }

} // namespace tarnis::cli
