#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/posix_descriptors.h"

namespace pixmosa {

Result<FileLock> FileLock::acquire(const std::string& path, Missing missing)
{
    const int flags = O_RDONLY | O_CLOEXEC | (missing == Missing::Create ? O_CREAT : 0);
    for (;;) {
        const int descriptor = ::open(path.c_str(), flags, 0666);
        if (descriptor < 0) {
            return Result<FileLock>::failure(fileErrorMessage(path, errno));
        }
        FileLock lock(descriptor, path);
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

FileLock::FileLock(FileLock&& other) noexcept
    : m_handle(std::exchange(other.m_handle, -1)), m_path(std::move(other.m_path))
{
}

Result<std::string> FileLock::readAll() const
{
    return readWholeDescriptor(static_cast<int>(m_handle), m_path);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_handle >= 0) {
            ::close(static_cast<int>(m_handle));
        }
        m_handle = std::exchange(other.m_handle, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

FileLock::~FileLock()
{
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
    }
}

}  // namespace pixmosa
