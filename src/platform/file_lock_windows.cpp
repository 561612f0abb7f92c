#include <windows.h>

#include <utility>

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/wide_text.h"
#include "platform/windows_handle.h"

namespace pixmosa {

// The lock file, which exists while the lock is held; closing it releases the lock. (Windows
// will not rename a new store over one that another handle holds open, so the store itself is
// not it.)
class FileLock::Holder : public Handle {
public:
    using Handle::Handle;
};

Result<FileLock> FileLock::acquire(const std::string& path, Missing missing)
{
    const HANDLE file = ::CreateFileW(
        widePath(path).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        missing == Missing::Create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return fileError(path, static_cast<int>(::GetLastError()));
    }
    ::CloseHandle(file);
    // Beside the file the path leads to, so every path to the file finds the same lock. Made
    // new by its holder and gone with it: the system deletes it when the holder's handle closes,
    // also when the holder is killed, and a waiter tries again until it can make it.
    const std::string lockPath = resolvedPath(path).value_or(path) + ".lock";
    const std::wstring wideLock = widePath(lockPath);
    HANDLE lockFile = INVALID_HANDLE_VALUE;
    for (;;) {
        lockFile = ::CreateFileW(wideLock.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (lockFile != INVALID_HANDLE_VALUE) {
            break;
        }
        const DWORD error = ::GetLastError();
        // Held by another, or on its way out (a file pending deletion cannot be opened); a
        // folder that cannot be written to has no lock file to wait for.
        const bool held = error == ERROR_FILE_EXISTS || error == ERROR_SHARING_VIOLATION ||
                          (error == ERROR_ACCESS_DENIED &&
                           (::GetFileAttributesW(wideLock.c_str()) != INVALID_FILE_ATTRIBUTES ||
                            ::GetLastError() != ERROR_FILE_NOT_FOUND));
        if (!held) {
            return fileError(lockPath, static_cast<int>(error));
        }
        ::Sleep(5);
    }
    auto holder = std::make_unique<Holder>(lockFile);
    return FileLock(std::move(holder), path);
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
    return readWholeFile(m_path);
}

}  // namespace pixmosa
