// Work on a thread of its own whose results a window takes on its own thread as they come: the
// window's timer asks for what arrived since it last looked, so no result ever reaches a window that
// is gone. Stopping cancels the work and waits for its thread, so a job started afterwards never sees
// a result of the one before.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace tarnis {

// Lowers the calling thread's scheduling priority, so that a window's own thread always comes first;
// threads it starts inherit it.
void yieldToWindows();

template <typename Item> class BackgroundJob {
public:
    // What the work hands its results to; it may call from several threads, one at a time.
    class Output {
    public:
        void deliver(Item item)
        {
            const std::lock_guard lock(m_job.m_mutex);
            m_job.m_pending.push_back(std::move(item));
        }
        void progress(std::size_t done, std::size_t total)
        {
            const std::lock_guard lock(m_job.m_mutex);
            m_job.m_done = done;
            m_job.m_total = total;
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
        std::size_t done = 0;
        std::size_t total = 0;
        bool finished = false; // the work has returned and every item is in this batch or an earlier one
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
        m_pending.clear();
        m_done = m_total = 0;
        m_finished = false;
        m_started = true;
        m_thread = std::thread([this, work = std::move(work)] {
            yieldToWindows();
            Output output(*this);
            work(&m_cancel, output);
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        });
    }

    // Asks the work to stop and returns at once; stop() or start() waits for it.
    void cancel() { m_cancel = true; }

    // Cancels the work and waits until its thread has ended. What it delivered is dropped.
    void stop()
    {
        m_cancel = true;
        if (m_thread.joinable())
            m_thread.join();
        m_started = false;
        m_pending.clear();
    }

    Batch take()
    {
        Batch batch;
        const std::lock_guard lock(m_mutex);
        batch.items.swap(m_pending);
        batch.done = m_done;
        batch.total = m_total;
        batch.finished = m_finished;
        return batch;
    }

    // Started and neither finished nor stopped.
    bool running()
    {
        const std::lock_guard lock(m_mutex);
        return m_started && !m_finished;
    }

private:
    std::atomic<bool> m_cancel{false};
    std::mutex m_mutex;
    std::vector<Item> m_pending;
    std::size_t m_done = 0;
    std::size_t m_total = 0;
    bool m_finished = false;
    bool m_started = false;
    std::thread m_thread;
};

} // namespace tarnis
