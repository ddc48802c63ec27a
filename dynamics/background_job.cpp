// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/background_job.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace tarnis {

namespace {

// About a quarter of a core that a busy process of normal priority also wants.
constexpr int BackgroundNice = 5;

} // namespace

void yieldToWindows()
{
    // The batch policy at a low priority: the window's thread comes first and is never preempted for
    // the work's sake, yet the work goes on, slowly, while other programs keep every core busy, where
    // the idle class would wait for a free core that a loaded machine never has. Threads it starts
    // inherit both. A failure leaves it at the window's priority, which costs the window some
    // smoothness, nothing more.
    const sched_param parameters{};
    (void)pthread_setschedparam(pthread_self(), SCHED_BATCH, &parameters);
    (void)setpriority(PRIO_PROCESS, id_t(gettid()), BackgroundNice);
}

} // namespace tarnis
