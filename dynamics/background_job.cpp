// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/background_job.h"

#include <sys/resource.h>

namespace tarnis {

void yieldToWindows()
{
    // On Linux the nice value belongs to the thread: 0 names the calling one. A failure leaves the
    // thread at the window's priority, which only costs the window some smoothness.
    constexpr int BackgroundNice = 10;
    (void)setpriority(PRIO_PROCESS, 0, BackgroundNice);
}

} // namespace tarnis
