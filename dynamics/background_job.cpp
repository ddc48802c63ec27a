// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/background_job.h"

#include <pthread.h>
#include <sched.h>

namespace tarnis {

void yieldToWindows()
{
    // The batch policy: the scheduler takes the thread for the long computation it is, so the window's
    // thread, which wakes for a moment at a time, comes first, and there are never more such threads
    // than cores but one. Yet the work keeps its share of a machine whose cores other programs keep
    // busy: the idle class would never be served there, and a lower priority leaves the window grey
    // for minutes. Threads it starts inherit the policy. A failure leaves it as it was, which costs
    // the window some smoothness, nothing more.
    const sched_param parameters{};
    (void)pthread_setschedparam(pthread_self(), SCHED_BATCH, &parameters);
}

} // namespace tarnis
