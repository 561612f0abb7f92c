#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "common/result.h"
#include "platform/file_system.h"

namespace pixmosa {

// Writes a run's pages on a thread of its own, in the order they are given, while the run
// builds the next ones: most of a page's cost is the file system's, and that way the reading
// of image headers and the building of pages take none of its time. The first page that cannot
// be written stops the writing: no page given after it is written.
class PageWriter {
public:
    PageWriter();
    // Writes what was given before it returns, as if each page had been written when given.
    ~PageWriter();
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    // Queues a page, waiting while many are queued. Fails with the error of a page given
    // earlier that could not be written ("Cannot create file ", the path and the reason).
    Status write(std::string path, std::string content);
    // Waits until every page given is written; the error of the first that could not be.
    Status finish();

private:
    struct Page {
        std::string path;
        std::string content;
    };

    void writePages();
    Status failureLocked() const;
    Status writeBatch(std::deque<Page>& batch);

    std::mutex m_mutex;
    std::condition_variable m_given;
    std::condition_variable m_taken;
    std::deque<Page> m_pages;
    bool m_writing = false;
    bool m_stopping = false;
    std::string m_failure;
    FileRewriter m_files;  // used by the writer's thread alone
    std::thread m_thread;
};

}  // namespace pixmosa
