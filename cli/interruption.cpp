// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/interruption.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace tarnis::cli {

namespace {

constexpr std::array<int, 3> Interruptions{SIGINT, SIGTERM, SIGHUP};

// The path to remove, written before `armed` is set and read by the handler only while it is: the
// handler may call nothing but async-signal-safe functions, so it finds everything prepared here.
char g_path[PATH_MAX];
std::atomic<bool> g_armed{false};
static_assert(std::atomic<bool>::is_always_lock_free, "read in a signal handler");

extern "C" void removeAndEnd(int signal)
{
    if (g_armed.load())
        unlink(g_path);
    // The default action once more, so that the process ends of this signal.
    struct sigaction defaults { };
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    sigaction(signal, &defaults, nullptr);
    raise(signal);
}

void installOnce()
{
    static const bool installed = [] {
        struct sigaction action { };
        action.sa_handler = removeAndEnd;
        sigemptyset(&action.sa_mask);
        for (int signal : Interruptions)
            sigaddset(&action.sa_mask, signal); // one removal at a time
        for (int signal : Interruptions) {
            struct sigaction before { };
            // A signal ignored when tarnis-run started (nohup, a background job) stays ignored.
            if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
                sigaction(signal, &action, nullptr);
        }
        return true;
    }();
    (void)installed;
}

class HeldSignals {
public:
    HeldSignals()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : Interruptions)
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &m_before);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t m_before;
};

} // namespace

int makeRemovableTemporary(std::string& pattern)
{
    if (pattern.size() >= sizeof g_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    installOnce();
    const HeldSignals held;
    const int descriptor = mkstemp(pattern.data());
    if (descriptor >= 0) {
        std::memcpy(g_path, pattern.c_str(), pattern.size() + 1);
        g_armed.store(true);
    }
    return descriptor;
}

void forgetTemporary() { g_armed.store(false); }

} // namespace tarnis::cli
