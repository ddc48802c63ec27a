// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/ensemble_threads.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

namespace tarnis {

EnsembleResult ensembleRuns(const EnsembleRequest& request, long long first, long long last,
                            const EnsembleControl& control)
{
    EnsembleResult result;
    const long long count = std::max(0LL, last - first + 1);
    result.outcomes.resize(std::size_t(count));
    if (control.keepTrajectories)
        result.members.resize(std::size_t(std::clamp(control.lastKept - first + 1, 0LL, count)));
    std::atomic<long long> next{0};
    std::mutex reporting;
    long long done = 0;
    const auto work = [&] {
        while (!(control.cancel && control.cancel->load(std::memory_order_relaxed))) {
            const long long index = next.fetch_add(1, std::memory_order_relaxed);
            if (index >= count)
                return;
            ChanceRun member = ensembleMember(request, first + index);
            result.outcomes[std::size_t(index)] = outcomeOf(first + index, member);
            if (std::size_t(index) < result.members.size())
                result.members[std::size_t(index)] = std::move(member);
            const std::lock_guard lock(reporting);
            ++done;
            if (control.progress)
                control.progress(done, count);
        }
    };
    {
        const unsigned wanted = control.threads ? control.threads : std::max(1u, std::thread::hardware_concurrency());
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < unsigned(std::clamp<long long>(count, 1, wanted)); ++i)
            helpers.emplace_back(work);
        work();
    }
    result.cancelled = done != count;
    return result;
}

} // namespace tarnis
