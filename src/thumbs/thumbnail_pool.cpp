#include "thumbs/thumbnail_pool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <numeric>
#include <optional>
#include <thread>

#include "platform/file_system.h"
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

// What finished thumbnails may hold while they wait for the earlier ones to be written; each
// counts at least this much, so that failures too are bounded.
constexpr std::uint64_t kMostWaitingBytes = std::uint64_t{16} << 20;
constexpr std::uint64_t kLeastBytesEach = 1024;

// Workers render thumbnails ahead of the reporting thread, which writes them in list order:
// a thumbnail reaches the disk only once every earlier image has succeeded, so a failure
// leaves every later thumbnail as it was. Work-ahead is bounded by the memory the waiting
// thumbnails hold, not by their number: a thumbnail is a few kilobytes, so while one worker
// decodes a large photo the others go on with the photos after it. The first worker takes the
// photos in list order, which keeps the writing and its progress going; the others take the
// largest photo left, so that no large photo is left for the end, when one worker would decode
// it alone. Once that memory is held, only the photo the writing waits for is taken.
class Pool {
public:
    Pool(const std::vector<ThumbnailJob>& jobs, std::uint32_t size, std::uint64_t memoryLimit)
        : m_jobs(jobs),
          m_size(size),
          m_budget(memoryLimit),
          m_results(jobs.size()),
          m_taken(jobs.size(), false),
          m_bytes(jobs.size(), 0)
    {
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            const std::optional<FileVersion> file = fileVersion(jobs[i].source);
            m_bytes[i] = file ? file->size : 0;
        }
        m_largestFirst.resize(jobs.size());
        std::iota(m_largestFirst.begin(), m_largestFirst.end(), std::size_t{0});
        std::stable_sort(m_largestFirst.begin(), m_largestFirst.end(),
                         [this](std::size_t a, std::size_t b) { return m_bytes[a] > m_bytes[b]; });
    }

    void work(bool inListOrder)
    {
        std::vector<unsigned char> readWindow;  // kept from photo to photo, so faulted in once
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(m_mutex);
                std::optional<std::size_t> chosen;
                m_room.wait(lock, [&] {
                    chosen = m_stopped ? std::nullopt : chooseLocked(inListOrder);
                    return m_stopped || chosen || m_firstUntaken >= m_jobs.size();
                });
                if (!chosen) {
                    return;
                }
                index = *chosen;
                m_taken[index] = true;
            }
            Rendered rendered = render(m_jobs[index], readWindow);
            {
                const std::lock_guard lock(m_mutex);
                m_waitingBytes += bytesOf(rendered);
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
        m_wanted = index;
        m_room.notify_all();
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
        m_waitingBytes -= bytesOf(rendered);
        lock.unlock();
        m_room.notify_all();
        return rendered;
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
    // The job a worker takes next, if any may be taken now.
    std::optional<std::size_t> chooseLocked(bool inListOrder)
    {
        while (m_firstUntaken < m_jobs.size() && m_taken[m_firstUntaken]) {
            ++m_firstUntaken;
        }
        if (m_firstUntaken >= m_jobs.size()) {
            return std::nullopt;
        }
        if (m_waitingBytes >= kMostWaitingBytes) {
            return m_firstUntaken <= m_wanted ? std::optional(m_firstUntaken) : std::nullopt;
        }
        if (inListOrder) {
            return m_firstUntaken;
        }
        while (m_taken[m_largestFirst[m_largestLeft]]) {
            ++m_largestLeft;
        }
        return m_largestFirst[m_largestLeft];
    }

    static std::uint64_t bytesOf(const Rendered& rendered)
    {
        return std::max<std::uint64_t>(rendered.content ? rendered.content->size() : 0,
                                       kLeastBytesEach);
    }

    Rendered render(const ThumbnailJob& job, std::vector<unsigned char>& readWindow)
    {
        if (!isThumbnailSource(job.source)) {
            return {};
        }
        try {
            std::string warning;
            Result<std::string> content = renderThumbnail(
                job.source, m_size, {&m_budget, &warning, &m_cutShort, &readWindow});
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
    MemoryBudget m_budget;
    std::mutex m_mutex;
    std::condition_variable m_room;
    std::condition_variable m_done;
    std::vector<std::optional<Rendered>> m_results;
    std::vector<bool> m_taken;
    std::vector<std::uint64_t> m_bytes;  // each photo's file size, which its work goes with
    std::size_t m_firstUntaken = 0;
    std::vector<std::size_t> m_largestFirst;  // the jobs by their photos' size, largest first
    std::size_t m_largestLeft = 0;
    std::size_t m_wanted = 0;  // the job the writing waits for
    std::uint64_t m_waitingBytes = 0;
    bool m_stopped = false;
    std::atomic<bool> m_cutShort{false};
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
    ProtectedFiles images = protectedImages(imagePaths);
    if (Status safe = checkThumbnailDestinations(jobs, images); !safe) {
        return safe;
    }
    FileRewriter thumbnails = thumbnailWriter(std::move(images));
    const std::size_t listCount = imagePaths.size();
    const auto threadCount =
        static_cast<std::size_t>(work.workers == 0 ? defaultWorkerCount() : work.workers);
    Pool pool(jobs, size, work.memoryLimit == 0 ? defaultMemoryBudget() : work.memoryLimit);
    std::vector<std::jthread> threads;
    // Whatever ends this function, the workers are told to stop before they are joined.
    struct StopOnExit {
        Pool& pool;
        ~StopOnExit() { pool.stop(); }
    } const stopOnExit{pool};
    for (std::size_t i = 0; i < std::min(threadCount, jobs.size()); ++i) {
        threads.emplace_back([&pool, i] { pool.work(i == 0); });
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
            outcome = writeThumbnail(thumbnails, jobs[i].destination, *rendered.content);
        }
        if (!outcome) {
            pool.stop();
            break;
        }
        observer.breathe();
    }
    threads.clear();  // joins: nothing is written once the command has returned
    if (!outcome) {
        return outcome;
    }
    return pass;
}

}  // namespace pixmosa
