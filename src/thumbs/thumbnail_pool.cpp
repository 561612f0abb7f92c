#include "thumbs/thumbnail_pool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "thumbs/make_thumbnails.h"
#include "thumbs/thumbnail_maker.h"

namespace pixmosa {

namespace {

// How long the reporting thread waits for a thumbnail before it lets the window breathe.
constexpr std::chrono::milliseconds kBreathInterval(30);

class Pool {
public:
    Pool(const std::vector<ThumbnailJob>& jobs, std::uint32_t size)
        : m_jobs(jobs), m_size(size), m_results(jobs.size())
    {
    }

    void work()
    {
        // A job once taken is always finished and its outcome posted: the reporting thread
        // waits for every job up to the first failure.
        while (!m_stopped.load()) {
            const std::size_t index = m_next.fetch_add(1);
            if (index >= m_jobs.size()) {
                return;
            }
            const ThumbnailJob& job = m_jobs[index];
            Status made = makeOne(job);
            // Jobs are taken in list order, so every earlier image has been taken already:
            // stopping here never leaves out an image before the failure.
            if (!made) {
                stop();
            }
            {
                const std::lock_guard lock(m_mutex);
                m_results[index] = std::move(made);
            }
            m_done.notify_all();
        }
    }

    // Waits for job `index`, breathing now and then; gives its outcome.
    Status waitFor(std::size_t index, CommandObserver& observer)
    {
        std::unique_lock lock(m_mutex);
        while (!m_results[index]) {
            if (!m_done.wait_for(lock, kBreathInterval,
                                 [&] { return m_results[index].has_value(); })) {
                lock.unlock();
                observer.breathe();
                lock.lock();
            }
        }
        return *m_results[index];
    }

    void stop() { m_stopped.store(true); }

private:
    Status makeOne(const ThumbnailJob& job) const
    {
        try {
            return MakeThumbnail(job.source, job.destination, m_size);
        } catch (const std::bad_alloc&) {
            return Status::failure("There is not enough memory for the thumbnail of " + job.source);
        }
    }

    const std::vector<ThumbnailJob>& m_jobs;
    std::uint32_t m_size;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::vector<std::optional<Status>> m_results;
};

}  // namespace

unsigned defaultWorkerCount()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

Status makeThumbnailsInParallel(const std::vector<ThumbnailJob>& jobs, std::size_t listCount,
                                std::uint32_t size, unsigned workers, CommandObserver& observer)
{
    if (jobs.empty()) {
        return Status::success();
    }
    const auto threadCount =
        static_cast<std::size_t>(workers == 0 ? defaultWorkerCount() : workers);
    Pool pool(jobs, size);
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < std::min(threadCount, jobs.size()); ++i) {
        threads.emplace_back([&pool] { pool.work(); });
    }
    Status outcome = Status::success();
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        observer.progress(jobs[i].position, listCount);
        observer.status(creatingThumbnailText(jobs[i].position + 1, listCount));
        outcome = pool.waitFor(i, observer);
        if (!outcome) {
            pool.stop();
            break;
        }
        observer.breathe();
    }
    threads.clear();  // joins: nothing is written once the command has returned
    return outcome;
}

}  // namespace pixmosa
