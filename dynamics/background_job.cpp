// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/background_job.h"

#include <pthread.h>
#include <sched.h>

namespace tarnis {

void yieldToWindows()
{
    // The idle policy: the thread runs whenever a core has nothing else to do, and gives way at once
    // when the window's thread wakes; threads it starts inherit the policy. A failure leaves it at the
    // window's priority, which costs the window some smoothness, nothing more.
    const sched_param parameters{};
    (void)pthread_setschedparam(pthread_self(), SCHED_IDLE, &parameters);
}

} // namespace tarnis
