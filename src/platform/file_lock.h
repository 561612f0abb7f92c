#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"

namespace pixmosa {

// An exclusive advisory lock on a file that is replaced by renaming: the lock is taken on the
// file the path names at the moment the lock is granted, so a writer that waited while another
// replaced the file locks the new one. On Windows, which cannot rename over a file held open,
// it is a mutex named after the file's path instead. Held until destroyed.
class FileLock {
public:
    enum class Missing { Create, Fail };

    static Result<FileLock> acquire(const std::string& path, Missing missing);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // The whole of the locked file, read from its start.
    Result<std::string> readAll() const;

private:
    explicit FileLock(std::intptr_t handle, std::string path)
        : m_handle(handle), m_path(std::move(path))
    {
    }

    // The descriptor of the locked file (POSIX) or the handle of the held mutex (Windows); -1
    // for none.
    std::intptr_t m_handle = -1;
    std::string m_path;
};

}  // namespace pixmosa
