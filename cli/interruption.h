// What tarnis-run leaves behind when it is interrupted (Ctrl-C, kill, a closed terminal): nothing.
// While a temporary output file exists, SIGINT, SIGTERM and SIGHUP remove it before the process ends
// of the signal as it would have without a handler, so that its parent sees the signal's status.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tarnis::cli {

// Creates a unique temporary file from `pattern` (ending in XXXXXX, replaced by mkstemp) that an
// interruption removes from the moment it exists; the signals are held off until it is registered,
// so none falls between the two. Returns the open descriptor, or -1 with errno set.
int makeRemovableTemporary(std::string& pattern);

// The temporary file was renamed or removed: an interruption leaves files alone again.
void forgetTemporary();

} // namespace tarnis::cli
