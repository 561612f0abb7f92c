#pragma once

#include <string>

#include "common/result.h"

namespace pixmosa {

// An exclusive advisory lock on a file that is replaced by renaming: the lock is taken on the
// file the path names at the moment the lock is granted, so a writer that waited while another
// replaced the file locks the new one. Held until destroyed.
class FileLock {
public:
    enum class Missing { Create, Fail };

    static Result<FileLock> acquire(const std::string& path, Missing missing);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Open for reading, positioned at the start of the file.
    int descriptor() const { return m_descriptor; }

private:
    explicit FileLock(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor = -1;
};

}  // namespace pixmosa
