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
#include "thumbs/memory_budget.h"
#include "thumbs/thumbnail_maker.h"
#include "thumbs/thumbnail_targets.h"

namespace pixmosa {

namespace {

// How long the reporting thread waits for a thumbnail before it lets the window breathe.
constexpr std::chrono::milliseconds kBreathInterval(30);

// What a worker made of one job: the thumbnail's bytes, nothing for a source that is not
// a JPEG by its name, or the error; and the damage it read past.
struct Rendered {
    Status status = Status::success();
    std::optional<std::string> content;
    std::string warning;
};

// Workers render thumbnails ahead of the reporting thread, which writes them in list order:
// a thumbnail reaches the disk only once every earlier image has succeeded, so a failure
// leaves every later thumbnail as it was. Work-ahead is bounded, so the finished thumbnails
// held in memory stay few.
class Pool {
public:
    Pool(const std::vector<ThumbnailJob>& jobs, std::uint32_t size, std::size_t aheadLimit,
         std::uint64_t memoryLimit)
        : m_jobs(jobs),
          m_size(size),
          m_aheadLimit(aheadLimit),
          m_budget(memoryLimit),
          m_results(jobs.size())
    {
    }

    void work()
    {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(m_mutex);
                m_room.wait(lock, [&] {
                    return m_stopped || m_next >= m_jobs.size() ||
                           m_next < m_committed + m_aheadLimit;
                });
                if (m_stopped || m_next >= m_jobs.size()) {
                    return;
                }
                index = m_next++;
            }
            Rendered rendered = render(m_jobs[index]);
            {
                const std::lock_guard lock(m_mutex);
                m_results[index] = std::move(rendered);
            }
            m_done.notify_all();
        }
    }

    // Waits for job `index`, breathing now and then, and hands over what was made of it;
    // nothing when the observer asks to stop meanwhile.
    std::optional<Rendered> take(std::size_t index, CommandObserver& observer)
    {
        std::unique_lock lock(m_mutex);
        while (!m_results[index]) {
            if (!m_done.wait_for(lock, kBreathInterval,
                                 [&] { return m_results[index].has_value(); })) {
                lock.unlock();
                observer.breathe();
                if (observer.stopRequested()) {
                    return std::nullopt;
                }
                lock.lock();
            }
        }
        Rendered rendered = std::move(*m_results[index]);
        m_results[index].reset();
        return rendered;
    }

    // Job `index` is written: one more job may be taken ahead.
    void committed(std::size_t index)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_committed = index + 1;
        }
        m_room.notify_all();
    }

    // No job is taken any more, and the decodes under way end at their next row.
    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_cutShort.store(true, std::memory_order_relaxed);
        m_room.notify_all();
    }

private:
    Rendered render(const ThumbnailJob& job)
    {
        if (!isThumbnailSource(job.source)) {
            return {};
        }
        try {
            std::string warning;
            Result<std::string> content =
                renderThumbnail(job.source, m_size, {&m_budget, &warning, &m_cutShort});
            if (!content) {
                return {content.status(), std::nullopt, {}};
            }
            return {Status::success(), std::move(content).value(), std::move(warning)};
        } catch (const std::bad_alloc&) {
            return {
                Status::failure("There is not enough memory for the thumbnail of " + job.source),
                std::nullopt,
                {}};
        } catch (const std::exception& error) {
            return {Status::failure("The thumbnail of " + job.source + " failed: " + error.what()),
                    std::nullopt,
                    {}};
        }
    }

    const std::vector<ThumbnailJob>& m_jobs;
    std::uint32_t m_size;
    std::size_t m_aheadLimit;
    MemoryBudget m_budget;
    std::mutex m_mutex;
    std::condition_variable m_room;
    std::condition_variable m_done;
    std::size_t m_next = 0;
    std::size_t m_committed = 0;
    bool m_stopped = false;
    std::atomic<bool> m_cutShort{false};
    std::vector<std::optional<Rendered>> m_results;
};

}  // namespace

unsigned defaultWorkerCount()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

Result<ThumbnailPass> makeThumbnailsInParallel(const std::vector<ThumbnailJob>& jobs,
                                               const std::vector<std::string>& imagePaths,
                                               std::uint32_t size, const ThumbnailWork& work,
                                               CommandObserver& observer)
{
    ThumbnailPass pass;
    if (jobs.empty()) {
        return pass;
    }
    if (Status safe = checkThumbnailDestinations(jobs, imagePaths); !safe) {
        return safe;
    }
    const std::size_t listCount = imagePaths.size();
    const auto threadCount =
        static_cast<std::size_t>(work.workers == 0 ? defaultWorkerCount() : work.workers);
    // Each worker may be a few thumbnails ahead of the writing.
    Pool pool(jobs, size, 2 * threadCount,
              work.memoryLimit == 0 ? defaultMemoryBudget() : work.memoryLimit);
    std::vector<std::jthread> threads;
    // Whatever ends this function, the workers are told to stop before they are joined.
    struct StopOnExit {
        Pool& pool;
        ~StopOnExit() { pool.stop(); }
    } const stopOnExit{pool};
    for (std::size_t i = 0; i < std::min(threadCount, jobs.size()); ++i) {
        threads.emplace_back([&pool] { pool.work(); });
    }
    Status outcome = Status::success();
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        observer.progress(jobs[i].position, listCount);
        observer.status(creatingThumbnailText(jobs[i].position + 1, listCount));
        const std::optional<Rendered> taken =
            observer.stopRequested() ? std::nullopt : pool.take(i, observer);
        if (!taken) {
            pass.stopped = true;
            pool.stop();
            break;
        }
        const Rendered& rendered = *taken;
        outcome = rendered.status;
        // Keeping going is for photos that cannot be read; a thumbnail that cannot be written
        // (a read-only folder, a full disk) would fail for every later one too.
        if (!outcome && work.keepGoing) {
            observer.leftOut(outcome.message());
            pass.leftOut.push_back(jobs[i].position);
            outcome = Status::success();
        } else if (outcome && rendered.content) {
            if (!rendered.warning.empty()) {
                observer.warning(rendered.warning);
            }
            outcome = writeThumbnail(jobs[i].destination, *rendered.content);
        }
        if (!outcome) {
            pool.stop();
            break;
        }
        pool.committed(i);
        observer.breathe();
    }
    threads.clear();  // joins: nothing is written once the command has returned
    if (!outcome) {
        return outcome;
    }
    return pass;
}

}  // namespace pixmosa
