// Writing the output of tarnis-run so that a failure never passes for success and never destroys
// an existing file: a regular file is replaced only after the whole new one has been written.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace tarnis::cli {

// Calls `write` with a stream into the named file (or standard output for an empty name). Returns
// the reason when anything could not be written.
std::optional<std::string> writeOutput(const std::string& fileName, const std::function<void(std::ostream&)>& write);

} // namespace tarnis::cli
