#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folder_lock.h"
#include "platform/posix_descriptors.h"

namespace pixmosa {

// The folder itself, open for reading and locked with flock: the lock belongs to the folder, not
// to the path that named it, and the kernel drops it with the last descriptor of its holder.
class FolderLock::Holder : public Descriptor {
public:
    using Descriptor::Descriptor;
};

std::optional<FolderLock> FolderLock::tryAcquire(const std::string& directory)
{
    const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return FolderLock(nullptr);
    }
    auto holder = std::make_unique<Holder>(descriptor);
    int locked = 0;
    do {
        locked = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        return FolderLock(std::move(holder));
    }
    if (errno == EWOULDBLOCK) {
        return std::nullopt;
    }
    return FolderLock(nullptr);
}

FolderLock::FolderLock(std::unique_ptr<Holder> holder) : m_holder(std::move(holder)) {}
FolderLock::FolderLock(FolderLock&& other) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&& other) noexcept = default;
FolderLock::~FolderLock() = default;

}  // namespace pixmosa
