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
