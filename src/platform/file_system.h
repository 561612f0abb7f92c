#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pixmosa {

// The platform's text for an error number, such as "Permission denied".
std::string systemErrorText(int errorNumber);

// "path: reason", the form in which file errors reach the user.
std::string fileErrorMessage(std::string_view path, int errorNumber);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// The directory part of a path ("." for a bare name).
std::string parentDirectory(const std::string& path);

// Creates a directory together with every missing parent.
Status makeDirectories(const std::string& path);

// The names in a directory, in the order the file system lists them, without "." and "..".
Result<std::vector<std::string>> listDirectory(const std::string& path);

// Writes files that every run makes anew, such as pages: one that already holds exactly the
// content is left alone, its content and time unchanged (`unchanged` then tells so); any other
// is replaced in one step, with as few system calls as that allows and no wait for the disk.
// The directory of the last file stays open, so the next file in it is found without walking
// the whole path again.
class FileRewriter {
public:
    FileRewriter() = default;
    ~FileRewriter();
    FileRewriter(const FileRewriter&) = delete;
    FileRewriter& operator=(const FileRewriter&) = delete;

    Status write(const std::string& path, std::string_view content, bool* unchanged = nullptr);

private:
    int openDirectory(const std::string& directory);

    std::string m_directory;
    int m_descriptor = -1;
};

// Removes the temporary files that writeFileAtomically leaves when its process is killed in
// the middle, those of processes that no longer run.
void removeStaleTemporaries(const std::string& directory);

// True when both files exist and the first was last changed before the second.
bool isOlderThan(const std::string& path, const std::string& than);

// True when both paths name the same existing file or directory.
bool sameFile(const std::string& a, const std::string& b);

Result<std::string> readWholeFile(const std::string& path);
Result<std::string> readWholeDescriptor(int descriptor, const std::string& pathForErrors);

// Renames in one step and fails with EEXIST instead of replacing an existing target.
// Returns 0 or the error number.
int renameWithoutReplace(const std::string& from, const std::string& to);

enum class ExistingFile { Replace, Keep };

// Flush: the new content reaches the disk before it takes the old one's place, so not even a
// power cut leaves an empty file. Files that are made anew on every run need not wait for it.
enum class Durability { Flush, NoFlush };

// Writes the content to a fresh temporary file beside the target and renames it into place,
// so the target is either wholly old or wholly new. With Keep, an existing target is left
// alone and the call fails with EEXIST in its message; `existed` (when given) tells that case
// apart.
Status writeFileAtomically(const std::string& path, std::string_view content, ExistingFile existing,
                           bool* existed = nullptr, Durability durability = Durability::Flush);

}  // namespace pixmosa
