// Work on a thread of its own whose results a window takes on its own thread as they come: the
// window's timer asks for what arrived since it last looked, so no result ever reaches a window that
// is gone, and the window never waits for the work to hand something over. Stopping cancels the work
// and waits for its thread, so a job started afterwards never sees a result of the one before.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace tarnis {

// Puts the calling thread in the batch scheduling class, so that a window's thread comes first;
// threads it starts inherit it.
void yieldToWindows();

template <typename Item> class BackgroundJob {
public:
    // What the work hands its results to; it may call from several threads, one at a time or not.
    class Output {
    public:
        void deliver(Item item)
        {
            const std::lock_guard lock(m_job.m_mutex);
            m_job.m_pending.push_back(std::move(item));
        }

    private:
        friend class BackgroundJob;
        explicit Output(BackgroundJob& job)
            : m_job(job)
        {
        }
        BackgroundJob& m_job;
    };
    using Work = std::function<void(const std::atomic<bool>* cancel, Output& output)>;

    // What arrived since the last look.
    struct Batch {
        std::vector<Item> items;
        bool finished = false; // the work has returned, and every item is in this batch or an earlier one
    };

    BackgroundJob() = default;
    ~BackgroundJob() { stop(); }
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Stops the work under way, if any, and starts this one.
    void start(Work work)
    {
        stop();
        m_cancel = false;
        m_finished = false;
        m_started = true;
        m_thread = std::thread([this, work = std::move(work)] {
            yieldToWindows();
            Output output(*this);
            work(&m_cancel, output);
            m_finished.store(true, std::memory_order_release);
        });
    }

    // Cancels the work and waits until its thread has ended; what it delivered is dropped.
    void stop()
    {
        m_cancel = true;
        if (m_thread.joinable())
            m_thread.join();
        m_started = false;
        m_pending.clear();
    }

    // Never waits: while the work is handing something over, the batch is empty and the rest comes
    // with the next look.
    Batch take()
    {
        Batch batch;
        // Read before the items: once the work has returned, all it delivered is waiting.
        const bool finished = m_finished.load(std::memory_order_acquire);
        const std::unique_lock lock(m_mutex, std::try_to_lock);
        if (!lock.owns_lock())
            return batch;
        batch.items.swap(m_pending);
        batch.finished = finished;
        return batch;
    }

    // Started and not yet finished or stopped.
    bool running() const { return m_started && !m_finished.load(std::memory_order_acquire); }

private:
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finished{false};
    bool m_started = false; // only the window's thread reads and writes it
    std::mutex m_mutex;
    std::vector<Item> m_pending;
    std::thread m_thread;
};

} // namespace tarnis
