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

// What the owner of a file gave it, which replacing it must keep: an unusual mode on POSIX
// systems (rw----r--), the hidden attribute on Windows.
bool giveOwnersChoice(const std::string& path);
bool hasOwnersChoice(const std::string& path);

// Another path to a folder: a symbolic link beside it on POSIX systems, a drive letter of its
// own on Windows (as subst makes one), or under Wine the Unix root's drive. Empty where none
// can be made; gone with this.
class OtherSpelling {
public:
    explicit OtherSpelling(const std::string& folder);
    OtherSpelling(const OtherSpelling&) = delete;
    OtherSpelling& operator=(const OtherSpelling&) = delete;
    ~OtherSpelling();

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    bool m_drive = false;
};

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
