#pragma once

#include <compare>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pixmosa {

// What every operation here promises, on every system, is written down in file_system.md.

// The platform's text for an error number, such as "Permission denied", and the kind of
// failure it stands for.
std::string systemErrorText(int errorNumber);
ErrorKind errorKindOf(int errorNumber);

// "path: reason", the form in which file errors reach the user, and that as a failure of the
// error's kind.
std::string fileErrorMessage(std::string_view path, int errorNumber);
Status fileError(std::string_view path, int errorNumber);
// "Cannot create file " and the file error that says which file and why.
std::string cannotCreateFileMessage(std::string_view fileError);
// "path: it is a symbolic link", for a write refused in a link's place (kind IsLink).
std::string symbolicLinkMessage(std::string_view path);
Status symbolicLinkRefusal(std::string_view path);

// Success when the path leads to something, links followed; otherwise why not: NotFound when
// nothing is there, another kind when it cannot be looked at (no permission, say).
Status lookUp(const std::string& path);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// The directory part of a path ("." for a bare name).
std::string parentDirectory(const std::string& path);

// Creates a directory together with every missing parent.
Status makeDirectories(const std::string& path);

// The names in a directory, in the order the file system lists them, without "." and "..".
Result<std::vector<std::string>> listDirectory(const std::string& path);

// What tells one file from every other on the machine, whatever names and links lead to it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// Files a write must never take the place of, such as the photos of a run, by identity, each
// with the reason a refusal gives ("it is the image /photos/a.jpg").
using ProtectedFiles = std::map<FileIdentity, std::string>;

// Flush: the new content reaches the disk before it takes the old one's place, so not even a
// power cut leaves an empty file. Files that are made anew on every run need not wait for it.
enum class Durability { Flush, NoFlush };

// Writes the files of one command, such as pages or thumbnails, each replaced in one step with
// as few system calls as that allows. A symbolic link in a file's place is refused, and so is a
// protected file, looked up at the moment of the write in the folder the file is written to.
// With LeaveAlone, a file that already holds exactly the content is left alone, its content and
// time unchanged (`unchanged` then tells so).
// The directory of the last file stays open, so the next file in it is found without walking
// the whole path again.
class FileRewriter {
public:
    enum class SameContent { LeaveAlone, Rewrite };

    explicit FileRewriter(SameContent same = SameContent::LeaveAlone,
                          Durability durability = Durability::NoFlush,
                          ProtectedFiles protectedFiles = {});
    ~FileRewriter();
    FileRewriter(const FileRewriter&) = delete;
    FileRewriter& operator=(const FileRewriter&) = delete;

    Status write(const std::string& path, std::string_view content, bool* unchanged = nullptr);

private:
    class OpenFolder;  // the folder of the last file, as each platform keeps it open

    SameContent m_same;
    Durability m_durability;
    ProtectedFiles m_protected;
    std::unique_ptr<OpenFolder> m_folder;
};

// Removes the temporary files that writeFileAtomically leaves when its process is killed in
// the middle, those of processes that no longer run.
void removeStaleTemporaries(const std::string& directory);

// True when both files exist and the first was last changed before the second.
bool isOlderThan(const std::string& path, const std::string& than);

// True when both paths name the same existing file or directory.
bool sameFile(const std::string& a, const std::string& b);

// The identity of the file a path leads to, links followed; nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// What changes whenever a file is replaced or written: its identity, its size and its times.
struct FileVersion {
    FileIdentity identity;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since the epoch
    std::int64_t changed = 0;
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};
std::optional<FileVersion> fileVersion(const std::string& path);

// True when the path itself is a symbolic link (whether or not it leads anywhere).
bool isSymbolicLink(const std::string& path);

// True when the path, with every symbolic link, "." and ".." in it followed, is the directory
// or lies below it; the part of the path that does not exist yet is taken as written.
bool liesWithin(const std::string& path, const std::string& directory);

// The reason an open for reading gives for a FIFO, a socket or a device.
inline constexpr std::string_view kNotRegularFileReason = "it is not a regular file";

// A regular file open for reading, with its size; the caller closes the stream.
struct ReadableFile {
    std::FILE* stream = nullptr;
    std::uint64_t size = 0;
};

// Opens a file for reading without ever waiting: a FIFO, a socket or a device named like a file
// fails with kNotRegularFileReason (where opening it would wait for a writer forever), a
// directory with the system's reason.
Result<ReadableFile> openRegularFile(const std::string& path);

// Reads up to `into.size()` bytes at `offset` of a file that openRegularFile opened, without
// moving where its stream goes on reading; how many were read (fewer at the file's end), or
// nothing on an error.
std::optional<std::size_t> readFileAt(std::FILE* stream, std::uint64_t offset,
                                      std::span<unsigned char> into);

// The whole of a regular file, refused as openRegularFile refuses.
Result<std::string> readWholeFile(const std::string& path);

// Fails, naming the path, where the folder cannot hold a file of that name because the name, or
// the whole path, is longer than its file system allows.
Status checkNameFits(const std::string& directory, std::string_view name);

// Removes a file; false when it could not be removed.
bool removeFile(const std::string& path);

// The path with every symbolic link, "." and ".." in it followed, as the system names the file
// or folder it leads to; nothing when it leads nowhere.
std::optional<std::string> resolvedPath(const std::string& path);

// Renames in one step and fails (kind Exists) instead of replacing an existing target; a target
// that is the source itself, spelt with other letter case on a file system that ignores case,
// is renamed. A failure's message is the system's reason alone, since the caller names both
// files. Where the file system can neither rename without
// replacing nor make hard links (FAT through FUSE, some network file systems), the target is
// looked at and then renamed to, which is safe where nothing else renames in the folder
// meanwhile: the image commands hold the folder's lock for that.
Status renameWithoutReplace(const std::string& from, const std::string& to);

enum class ExistingFile { Replace, Keep };

// A symbolic link at the path of a file to write: refused, so no write ever lands on what a
// link names (a photo, a file outside the gallery); or followed, for a settings file the user
// keeps elsewhere on purpose, whose link stays as it is while the file it names is replaced.
enum class LinkAtPath { Refuse, Follow };

// The reason a write gives for a symbolic link it refuses.
inline constexpr std::string_view kSymbolicLinkReason = "it is a symbolic link";

// Writes the content to a fresh temporary file beside the target and renames it into place,
// so the target is either wholly old or wholly new. With Keep, an existing target is left
// alone and the call fails with kind Exists.
Status writeFileAtomically(const std::string& path, std::string_view content, ExistingFile existing,
                           Durability durability = Durability::Flush,
                           LinkAtPath link = LinkAtPath::Refuse);

}  // namespace pixmosa
