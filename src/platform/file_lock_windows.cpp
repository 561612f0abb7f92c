#include <windows.h>

#include <cstdint>
#include <cwchar>
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

// Windows will not rename a new file over one that another handle holds open, so the lock
// cannot live on the store itself: it is a mutex named after the store's full path, upper-cased
// because the file system ignores case. The system releases it when its holder dies.
std::wstring mutexNameFor(const std::string& path)
{
    const std::wstring wide = widePath(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    }
    full.resize(length);
    if (full.empty()) {
        full = wide;
    }
    ::CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : full) {
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Pixmosa-store-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace

Result<FileLock> FileLock::acquire(const std::string& path, Missing missing)
{
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutexNameFor(path).c_str());
    if (mutex == nullptr) {
        return Result<FileLock>::failure(
            fileErrorMessage(path, static_cast<int>(::GetLastError())));
    }
    const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(mutex);
        return Result<FileLock>::failure(fileErrorMessage(path, static_cast<int>(error)));
    }
    // Held from here: the destructor releases it. A holder that died mid-write left the store
    // whole, since every write replaces the file in one step.
    FileLock lock(reinterpret_cast<std::intptr_t>(mutex), path);
    HANDLE file = ::CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                missing == Missing::Create ? OPEN_ALWAYS : OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Result<FileLock>::failure(
            fileErrorMessage(path, static_cast<int>(::GetLastError())));
    }
    ::CloseHandle(file);
    return lock;
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_handle(std::exchange(other.m_handle, -1)), m_path(std::move(other.m_path))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_handle != -1) {
            ::ReleaseMutex(handleOf(m_handle));
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
        ::ReleaseMutex(handleOf(m_handle));
        ::CloseHandle(handleOf(m_handle));
    }
}

Result<std::string> FileLock::readAll() const
{
    return readWholeFile(m_path);
}

}  // namespace pixmosa
