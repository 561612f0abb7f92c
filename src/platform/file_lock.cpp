#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/file_system.h"

namespace pixmosa {

Result<FileLock> FileLock::acquire(const std::string& path, Missing missing)
{
    const int flags = O_RDONLY | O_CLOEXEC | (missing == Missing::Create ? O_CREAT : 0);
    for (;;) {
        const int descriptor = ::open(path.c_str(), flags, 0666);
        if (descriptor < 0) {
            return Result<FileLock>::failure(fileErrorMessage(path, errno));
        }
        FileLock lock(descriptor);
        int locked = 0;
        do {
            locked = ::flock(descriptor, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            return Result<FileLock>::failure(fileErrorMessage(path, errno));
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return lock;
        }
    }
}

FileLock::FileLock(FileLock&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

FileLock::~FileLock()
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

}  // namespace pixmosa
