#pragma once

#include <memory>
#include <optional>
#include <string>

namespace pixmosa {

// An exclusive lock on a folder, held by a command for as long as it writes into the folder:
// every program that takes it, by whatever path it names the folder, excludes every other, and
// the system releases it when its holder ends, however it ends. Held until destroyed.
class FolderLock {
public:
    // Tries once, without waiting: nothing while another holds the lock. A folder that cannot be
    // locked (it does not exist or cannot be opened, or its file system has no locks) gives a
    // lock that holds nothing, since there is no folder to write into or no way to keep others
    // out of it.
    static std::optional<FolderLock> tryAcquire(const std::string& directory);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    // Whether the lock keeps others out, rather than standing for a folder that cannot be locked.
    bool held() const { return m_holder != nullptr; }

private:
    class Holder;  // what the system holds the lock by, as each platform keeps it
    explicit FolderLock(std::unique_ptr<Holder> holder);

    std::unique_ptr<Holder> m_holder;
};

}  // namespace pixmosa
