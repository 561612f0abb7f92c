#pragma once

#include <memory>
#include <string>

#include "common/result.h"

namespace pixmosa {

// An exclusive lock on a file that is replaced by renaming, such as a store, held until
// destroyed. It belongs to the file, not to the path that named it: every program that locks
// the file, by whatever path and in whatever session, waits for every other, and the system
// releases it when its holder ends, however it ends. On POSIX systems it is flock on the file
// the path names at the moment the lock is granted (so a writer that waited while another
// replaced the file locks the new one); on Windows, which cannot rename over a file held open,
// it is a hidden lock file beside the file that its holder makes and the system deletes.
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
    class Holder;  // what the system holds the lock by, as each platform keeps it
    FileLock(std::unique_ptr<Holder> holder, std::string path);

    std::unique_ptr<Holder> m_holder;
    std::string m_path;
};

}  // namespace pixmosa
