#pragma once

#include <string>

#include "platform/folder_lock.h"

namespace pixmosa::test {

// What tests set up on disk, the same way on every platform; each tells whether it worked.
bool makeDirectory(const std::string& path);
bool makeReadOnly(const std::string& path, bool readOnly = true);
bool makeHardLink(const std::string& existing, const std::string& link);
// Not every system lets every user make symbolic links (Windows asks for a privilege); a test
// that needs one is skipped where it cannot be made.
bool makeSymbolicLink(const std::string& target, const std::string& link);
bool isSymbolicLinkOnDisk(const std::string& path);

// The lock a command of a folder runs under, where no other program holds it.
FolderLock lockedFolder(const std::string& directory);

// The system's words for the failures tests provoke, as the program reports them.
enum class Failure {
    NoSuchFile,
    NoSuchFolder,
    PermissionDenied,
    IsADirectory,
    NotADirectory,
    NameTooLong,
    AlreadyExists,
};
std::string reasonFor(Failure failure);

}  // namespace pixmosa::test
