#include "generator/page_writer.h"

#include "platform/file_system.h"

namespace pixmosa {

namespace {

// Enough to keep the writer busy while a page with a long list of thumbnails is built, and
// little memory however large the gallery. The writer takes what is queued in one go, so the
// two threads meet once per batch rather than once per page.
constexpr std::size_t kMostQueued = 64;

}  // namespace

PageWriter::PageWriter() : m_thread([this] { writePages(); }) {}

PageWriter::~PageWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_given.notify_one();
    m_thread.join();
}

Status PageWriter::write(std::string path, std::string content)
{
    std::unique_lock lock(m_mutex);
    m_taken.wait(lock, [this] { return m_pages.size() < kMostQueued || !m_failure.empty(); });
    if (!m_failure.empty()) {
        return failureLocked();
    }
    m_pages.push_back({std::move(path), std::move(content)});
    const bool writerIdle = !m_writing && m_pages.size() == 1;
    lock.unlock();
    if (writerIdle) {
        m_given.notify_one();
    }
    return Status::success();
}

Status PageWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_taken.wait(lock, [this] { return m_pages.empty() && !m_writing; });
    return failureLocked();
}

Status PageWriter::failureLocked() const
{
    return m_failure.empty() ? Status::success() : Status::failure(m_failure);
}

// A page is made anew by every run, so it is not worth waiting for the disk, and one that
// comes out as it was is not written at all, so upload tools see it unchanged.
Status PageWriter::writeBatch(std::deque<Page>& batch)
{
    for (const Page& page : batch) {
        if (Status written = m_files.write(page.path, page.content); !written) {
            return Status::failure(cannotCreateFileMessage(written.message()), written.kind());
        }
    }
    return Status::success();
}

void PageWriter::writePages()
{
    std::unique_lock lock(m_mutex);
    std::deque<Page> batch;
    for (;;) {
        m_given.wait(lock, [this] { return !m_pages.empty() || m_stopping; });
        if (m_pages.empty()) {
            return;
        }
        batch.swap(m_pages);
        m_writing = true;
        lock.unlock();
        m_taken.notify_all();
        const Status written = writeBatch(batch);
        batch.clear();
        lock.lock();
        m_writing = false;
        if (!written) {
            m_failure = written.message();
            m_pages.clear();
        }
        if (m_pages.empty()) {
            m_taken.notify_all();
        }
    }
}

}  // namespace pixmosa
