// tarnis-run ensemble: a row per run ("run,extinction_time,last_N"), or with --summary the survival
// curve and the percentile bands of N(t) under a title line that says the ensemble in words. A shard
// writes the rows of its slice, and only the first shard the header, so that the shards' outputs put
// together in order are the whole ensemble's output byte for byte.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <iosfwd>

namespace tarnis::cli {

// The runs of shard I of N: from (I − 1)·M/N + 1 to I·M/N, rounded down.
struct RunSlice {
    long long first = 1;
    long long last = 0;
};
RunSlice shardSlice(long long runs, long long shard, long long shards);

void writeEnsemble(std::ostream& out, const CommandLine& line);

} // namespace tarnis::cli
