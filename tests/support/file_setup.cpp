#include "support/file_setup.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/file_system.h"
#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pixmosa::test {

FolderLock lockedFolder(const std::string& directory)
{
    std::optional<FolderLock> lock = FolderLock::tryAcquire(directory);
    if (!lock) {
        std::abort();  // another program works in a test's own folder
    }
    return std::move(*lock);
}

bool makeDirectory(const std::string& path)
{
    std::error_code error;
    return std::filesystem::create_directory(fileSystemPath(path), error);
}

bool makeReadOnly(const std::string& path, bool readOnly)
{
    std::error_code error;
    std::filesystem::permissions(
        fileSystemPath(path),
        std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
            std::filesystem::perms::others_write,
        readOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add,
        error);
    return !error;
}

bool makeHardLink(const std::string& existing, const std::string& link)
{
    std::error_code error;
    std::filesystem::create_hard_link(fileSystemPath(existing), fileSystemPath(link), error);
    return !error;
}

bool makeSymbolicLink(const std::string& target, const std::string& link)
{
    std::error_code error;
    std::filesystem::create_symlink(fileSystemPath(target), fileSystemPath(link), error);
    return !error;
}

bool giveOwnersChoice(const std::string& path)
{
#ifdef _WIN32
    return ::SetFileAttributesW(fileSystemPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
#else
    std::error_code error;
    using std::filesystem::perms;
    std::filesystem::permissions(
        fileSystemPath(path), perms::owner_read | perms::owner_write | perms::others_read, error);
    return !error;
#endif
}

bool hasOwnersChoice(const std::string& path)
{
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesW(fileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
#else
    using std::filesystem::perms;
    std::error_code error;
    return std::filesystem::status(fileSystemPath(path), error).permissions() ==
           (perms::owner_read | perms::owner_write | perms::others_read);
#endif
}

OtherSpelling::OtherSpelling(const std::string& folder)
{
#ifdef _WIN32
    const DWORD used = ::GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter >= L'P'; --letter) {
        if ((used & (1u << (letter - L'A'))) != 0) {
            continue;
        }
        const wchar_t drive[] = {letter, L':', 0};
        const wchar_t root[] = {letter, L':', L'\\', 0};
        if (::DefineDosDeviceW(0, drive, fileSystemPath(folder).c_str()) &&
            ::GetFileAttributesW(root) != INVALID_FILE_ATTRIBUTES) {
            m_path = std::string(1, static_cast<char>(letter)) + ":";
            m_drive = true;
            return;
        }
        ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, drive, nullptr);
        break;
    }
    // Wine makes no such drive, but reaches every folder through Z:, the Unix root, too.
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (char* name = unixName != nullptr ? unixName(fileSystemPath(folder).c_str()) : nullptr) {
        m_path = nativeSeparators(std::string("Z:") + name);
        ::HeapFree(::GetProcessHeap(), 0, name);
    }
#else
    const std::string link = folder + "-other-spelling";
    if (makeSymbolicLink(folder, link)) {
        m_path = link;
    }
#endif
}

OtherSpelling::~OtherSpelling()
{
    if (m_path.empty()) {
        return;
    }
#ifdef _WIN32
    if (m_drive) {
        const wchar_t drive[] = {static_cast<wchar_t>(m_path[0]), L':', 0};
        ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, drive, nullptr);
    }
#else
    std::error_code ignored;
    std::filesystem::remove(fileSystemPath(m_path), ignored);
#endif
}

bool isSymbolicLinkOnDisk(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_symlink(
        std::filesystem::symlink_status(fileSystemPath(path), error));
}

std::string reasonFor(Failure failure)
{
#ifdef _WIN32
    switch (failure) {
    case Failure::NoSuchFile:
        return systemErrorText(ERROR_FILE_NOT_FOUND);
    case Failure::NoSuchFolder:
        return systemErrorText(ERROR_PATH_NOT_FOUND);
    case Failure::PermissionDenied:
    case Failure::IsADirectory:
        return systemErrorText(ERROR_ACCESS_DENIED);
    case Failure::NotADirectory:
        return systemErrorText(ERROR_DIRECTORY);
    case Failure::NameTooLong:
        return systemErrorText(ERROR_FILENAME_EXCED_RANGE);
    case Failure::AlreadyExists:
        return systemErrorText(ERROR_ALREADY_EXISTS);
    }
#else
    switch (failure) {
    case Failure::NoSuchFile:
    case Failure::NoSuchFolder:
        return systemErrorText(ENOENT);
    case Failure::PermissionDenied:
        return systemErrorText(EACCES);
    case Failure::IsADirectory:
        return systemErrorText(EISDIR);
    case Failure::NotADirectory:
        return systemErrorText(ENOTDIR);
    case Failure::NameTooLong:
        return systemErrorText(ENAMETOOLONG);
    case Failure::AlreadyExists:
        return systemErrorText(EEXIST);
    }
#endif
    return {};
}

}  // namespace pixmosa::test
