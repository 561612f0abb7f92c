// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <cwchar>

#include "platform/folder_lock.h"
#include "platform/wide_text.h"
#include "platform/windows_handle.h"

namespace pixmosa {

namespace {

// The folder's identity (its volume and file index) as a lock file name, so every path that
// leads to the folder, a mapped drive or a network name among them, finds the same lock.
std::wstring lockNameOf(const std::string& directory)
{
    const HANDLE folder = ::CreateFileW(
        widePath(directory).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        return {};
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(folder, &information) != 0;
    ::CloseHandle(folder);
    if (!known || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return {};
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"folder-%08lx-%08lx%08lx.lock", information.dwVolumeSerialNumber,
                  information.nFileIndexHigh, information.nFileIndexLow);
    return name;
}

// Where the lock files of every user and session live: a folder of the machine's program data,
// which every user may add files to and read.
std::wstring lockFolder()
{
    wchar_t* programData = nullptr;
    std::wstring folder;
    if (::SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &programData) == S_OK) {
        folder = std::wstring(programData) + L"\\Pixmosa";
        ::CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\Locks";
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    ::CoTaskMemFree(programData);
    return folder;
}

}  // namespace

// A lock file, open for reading by anyone and locked with LockFileEx: the system releases the
// lock when the handle goes, also when its process is killed.
class FolderLock::Holder : public Handle {
public:
    using Handle::Handle;
};

std::optional<FolderLock> FolderLock::tryAcquire(const std::string& directory)
{
    const std::wstring name = lockNameOf(directory);
    const std::wstring folder = name.empty() ? std::wstring() : lockFolder();
    if (folder.empty()) {
        return FolderLock(nullptr);
    }
    const HANDLE file = ::CreateFileW((folder + L"\\" + name).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return FolderLock(nullptr);
    }
    OVERLAPPED whole{};
    if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole)) {
        return FolderLock(std::make_unique<Holder>(file));
    }
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
        return std::nullopt;
    }
    return FolderLock(nullptr);
}

FolderLock::FolderLock(std::unique_ptr<Holder> holder) : m_holder(std::move(holder)) {}
FolderLock::FolderLock(FolderLock&& other) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&& other) noexcept = default;
FolderLock::~FolderLock() = default;

}  // namespace pixmosa
