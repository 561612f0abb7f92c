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

// The locked file, open for reading; closing it releases the lock.
class FileLock::Holder : public Descriptor {
public:
    using Descriptor::Descriptor;
};

Result<FileLock> FileLock::acquire(const std::string& path, Missing missing)
{
    const int flags = O_RDONLY | O_CLOEXEC | (missing == Missing::Create ? O_CREAT : 0);
    for (;;) {
        const int descriptor = ::open(path.c_str(), flags, 0666);
        if (descriptor < 0) {
            return fileError(path, errno);
        }
        auto holder = std::make_unique<Holder>(descriptor);
        int locked = 0;
        do {
            locked = ::flock(descriptor, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            return fileError(path, errno);
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return FileLock(std::move(holder), path);
        }
    }
}

FileLock::FileLock(std::unique_ptr<Holder> holder, std::string path)
    : m_holder(std::move(holder)), m_path(std::move(path))
{
}
FileLock::FileLock(FileLock&& other) noexcept = default;
FileLock& FileLock::operator=(FileLock&& other) noexcept = default;
FileLock::~FileLock() = default;

Result<std::string> FileLock::readAll() const
{
    return readWholeDescriptor(m_holder->get(), m_path);
}

}  // namespace pixmosa
