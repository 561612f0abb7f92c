#include <windows.h>

#include <utility>

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/wide_text.h"

namespace pixmosa {

namespace {

HANDLE handleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

// Every program opens the store sharing deletion, so a writer can rename a new file over it
// while others hold it; the lock is the byte range of the whole file.
Result<FileLock> FileLock::acquire(const std::string& path, Missing missing)
{
    for (;;) {
        HANDLE file = ::CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    missing == Missing::Create ? OPEN_ALWAYS : OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return Result<FileLock>::failure(
                fileErrorMessage(path, static_cast<int>(::GetLastError())));
        }
        FileLock lock(reinterpret_cast<std::intptr_t>(file), path);
        OVERLAPPED whole{};
        if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
            return Result<FileLock>::failure(
                fileErrorMessage(path, static_cast<int>(::GetLastError())));
        }
        // Granted on the file the path named when it was opened: one that has been replaced
        // meanwhile is let go, and the new one locked.
        BY_HANDLE_FILE_INFORMATION held{};
        const std::optional<FileIdentity> named = fileIdentity(path);
        if (::GetFileInformationByHandle(file, &held) && named &&
            named->device == held.dwVolumeSerialNumber &&
            named->inode == ((std::uint64_t{held.nFileIndexHigh} << 32) | held.nFileIndexLow)) {
            return lock;
        }
    }
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_handle(std::exchange(other.m_handle, -1)), m_path(std::move(other.m_path))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_handle != -1) {
            ::CloseHandle(handleOf(m_handle));
        }
        m_handle = std::exchange(other.m_handle, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

FileLock::~FileLock()
{
    if (m_handle != -1) {
        ::CloseHandle(handleOf(m_handle));
    }
}

Result<std::string> FileLock::readAll() const
{
    HANDLE file = handleOf(m_handle);
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
        return Result<std::string>::failure(
            fileErrorMessage(m_path, static_cast<int>(::GetLastError())));
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            return Result<std::string>::failure(
                fileErrorMessage(m_path, static_cast<int>(::GetLastError())));
        }
        if (got == 0) {
            return content;
        }
        content.append(buffer, got);
    }
}

}  // namespace pixmosa
