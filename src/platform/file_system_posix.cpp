#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/paths.h"
#include "common/text.h"
#include "platform/file_system.h"
#include "platform/posix_descriptors.h"
#include "platform/temporary_names.h"

namespace pixmosa {

namespace {

// Follows a symbolic link to the file it names, which need not exist yet, so replacing or
// creating the file keeps the link.
std::string linkTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40 && isSymbolicLink(current); ++hops) {
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) == sizeof buffer) {
            break;
        }
        const std::string next(buffer, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : parentDirectory(current) + "/" + next;
    }
    return current;
}

Status writeAll(int descriptor, std::string_view content, const std::string& pathForErrors)
{
    while (!content.empty()) {
        const ssize_t written = ::write(descriptor, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fileError(pathForErrors, errno);
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status::success();
}

void syncDirectory(const std::string& directory)
{
    const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// The process's file creation mask, read once from the kernel's status of the process; where
// that is not told, by setting it for a moment.
mode_t processUmask()
{
    static const mode_t mask = [] {
        std::FILE* status = std::fopen("/proc/self/status", "r");
        char line[256];
        unsigned value = 0;
        bool found = false;
        while (status != nullptr && !found && std::fgets(line, sizeof line, status) != nullptr) {
            found = std::sscanf(line, "Umask: %o", &value) == 1;
        }
        if (status != nullptr) {
            std::fclose(status);
        }
        if (found) {
            return static_cast<mode_t>(value);
        }
        const mode_t current = ::umask(022);
        ::umask(current);
        return current;
    }();
    return mask;
}

// A file the user marked read-only must stay as it is, whoever runs the program: renaming over
// it needs no write permission on it, so it is checked here. For its owner and for root the
// mode bits settle it, so only another's file costs a question to the kernel. `path` is taken
// from `directory` as the *at calls take it.
bool markedReadOnly(int directory, const std::string& path, const struct stat& info)
{
    static const uid_t user = ::getuid();
    if ((info.st_mode & 0222) == 0) {
        return true;
    }
    if (user == 0) {
        return false;
    }
    if (user == info.st_uid) {
        return (info.st_mode & S_IWUSR) == 0;
    }
    return ::faccessat(directory, path.c_str(), W_OK, 0) != 0;
}

int createTemporaryBeside(int directory, const std::string& target, mode_t mode,
                          std::string& temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = temporaryNameBeside(target);
        const int descriptor = ::openat(directory, temporaryPath.c_str(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    errno = EEXIST;
    return -1;
}

// Gives a complete unnamed file a temporary name beside the target (`target` taken from
// `directory` as the *at calls take it).
int linkUnderTemporaryName(int directory, const std::string& file, const std::string& target,
                           std::string& temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = temporaryNameBeside(target);
        if (::linkat(AT_FDCWD, file.c_str(), directory, temporaryPath.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// Unnamed files are given a name through /proc, where it is mounted.
bool canNameUnnamedFiles()
{
    static const bool can = ::access("/proc/self/fd", F_OK) == 0;
    return can;
}

// Gives a complete unnamed file its name, replacing a file of that name where told to: linked
// straight to a free name, or under a temporary name renamed over the old file. 0 or the error.
int nameUnnamedFile(int descriptor, int directory, const std::string& target, ExistingFile existing)
{
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    if (::linkat(AT_FDCWD, self.c_str(), directory, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    if (errno != EEXIST || existing == ExistingFile::Keep) {
        return errno;
    }
    std::string temporaryPath;
    if (const int linked = linkUnderTemporaryName(directory, self, target, temporaryPath);
        linked != 0) {
        return linked;
    }
    if (::renameat(directory, temporaryPath.c_str(), directory, target.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(directory, temporaryPath.c_str(), 0);
        return error;
    }
    return 0;
}

}  // namespace

std::string systemErrorText(int errorNumber)
{
    return std::strerror(errorNumber);
}

ErrorKind errorKindOf(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return ErrorKind::NotFound;
    case EEXIST:
    case ENOTEMPTY:
        return ErrorKind::Exists;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorKind::Permission;
    case ELOOP:
        return ErrorKind::IsLink;
    case ENOSPC:
    case EDQUOT:
        return ErrorKind::NoSpace;
    default:
        return ErrorKind::Other;
    }
}

Status lookUp(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? Status::success() : fileError(path, errno);
}

bool fileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool directoryExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Status makeDirectories(const std::string& path)
{
    if (path.empty() || directoryExists(path)) {
        return Status::success();
    }
    const std::string parent = parentDirectory(path);
    if (parent != path && parent != "." && parent != "/") {
        if (Status made = makeDirectories(parent); !made) {
            return made;
        }
    }
    // Another program may have made it meanwhile; a file of that name is no directory.
    if (::mkdir(path.c_str(), 0777) != 0 && (errno != EEXIST || !directoryExists(path))) {
        return fileError(path, errno == EEXIST ? ENOTDIR : errno);
    }
    return Status::success();
}

Result<std::vector<std::string>> listDirectory(const std::string& path)
{
    DIR* directory = ::opendir(path.c_str());
    if (directory == nullptr) {
        return fileError(path, errno);
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    ::closedir(directory);
    return names;
}

// A descriptor of the folder, through which its files are looked up and replaced.
class FileRewriter::OpenFolder {
public:
    OpenFolder() = default;
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    ~OpenFolder()
    {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }

    // The folder's descriptor, opened anew when it is another folder than the last.
    int open(const std::string& folder)
    {
        if (descriptor >= 0 && folder == path) {
            return descriptor;
        }
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        path = folder;
        descriptor = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        return descriptor;
    }

    std::string path;
    int descriptor = -1;
};

FileRewriter::FileRewriter(SameContent same, Durability durability, ProtectedFiles protectedFiles)
    : m_same(same),
      m_durability(durability),
      m_protected(std::move(protectedFiles)),
      m_folder(std::make_unique<OpenFolder>())
{
}

FileRewriter::~FileRewriter() = default;

Status FileRewriter::write(const std::string& path, std::string_view content, bool* unchanged)
{
    if (unchanged != nullptr) {
        *unchanged = false;
    }
    const int directory = m_folder->open(parentDirectory(path));
    if (directory < 0) {
        return fileError(path, errno);
    }
    const std::string name = path.substr(path.rfind('/') + 1);
    struct stat info {};
    const bool exists = ::fstatat(directory, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        return symbolicLinkRefusal(path);
    }
    if (exists) {
        const auto kept = m_protected.find(
            {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)});
        if (kept != m_protected.end()) {
            return Status::failure(path + ": " + kept->second);
        }
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A directory is refused as the general writer refuses it.
        return writeFileAtomically(path, content, ExistingFile::Replace, m_durability);
    }
    if (exists && m_same == SameContent::LeaveAlone &&
        static_cast<std::size_t>(info.st_size) == content.size()) {
        // Opened as every read is: never through a link, never waiting on a FIFO that took the
        // file's place since it was looked at, and only the file that was looked at.
        const int descriptor = ::openat(directory, name.c_str(),
                                        O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat opened {};
        if (descriptor >= 0 && (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode) ||
                                opened.st_dev != info.st_dev || opened.st_ino != info.st_ino)) {
            ::close(descriptor);
        } else if (descriptor >= 0) {
            // The size is known, so one read of it is all it takes; a short read compares unequal.
            std::string old(content.size(), '\0');
            const ssize_t got = content.empty() ? 0 : ::read(descriptor, old.data(), old.size());
            ::close(descriptor);
            if (got == static_cast<ssize_t>(content.size()) && old == content) {
                if (unchanged != nullptr) {
                    *unchanged = true;
                }
                return Status::success();
            }
        }
    }
    mode_t mode = 0666;
    if (exists) {
        if (markedReadOnly(directory, name, info)) {
            return fileError(path, EACCES);
        }
        mode = info.st_mode & 07777;
    }
    // Files flushed to the disk are written without a name until whole where the file system
    // allows, so a killed writer leaves nothing. Others take a named temporary and one rename,
    // the fewest calls that replace a file in one step; a kill before the rename leaves the
    // temporary, which the next run clears.
    const bool flush = m_durability == Durability::Flush;
    std::string temporaryName;
    int descriptor = flush && canNameUnnamedFiles()
                         ? ::openat(directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
                         : -1;
    const bool unnamed = descriptor >= 0;
    if (!unnamed) {
        descriptor = createTemporaryBeside(directory, name, mode, temporaryName);
    }
    if (descriptor < 0) {
        return fileError(path, errno);
    }
    Status written = writeAll(descriptor, content, path);
    // The umask may have narrowed the mode a replaced file had; it is given back.
    if (written && exists && (mode & ~processUmask()) != mode && ::fchmod(descriptor, mode) != 0) {
        written = fileError(path, errno);
    }
    if (written && flush && ::fsync(descriptor) != 0) {
        written = fileError(path, errno);
    }
    if (written && unnamed) {
        if (const int error = nameUnnamedFile(descriptor, directory, name, ExistingFile::Replace);
            error != 0) {
            written = fileError(path, error);
        }
    }
    if (::close(descriptor) != 0 && written) {
        written = fileError(path, errno);
    }
    if (written && !unnamed &&
        ::renameat(directory, temporaryName.c_str(), directory, name.c_str()) != 0) {
        written = fileError(path, errno);
    }
    if (!written && !unnamed) {
        ::unlinkat(directory, temporaryName.c_str(), 0);
    } else if (written && flush) {
        syncDirectory(m_folder->path);
    }
    return written;
}

bool isOlderThan(const std::string& path, const std::string& than)
{
    struct stat first {};
    struct stat second {};
    if (::stat(path.c_str(), &first) != 0 || ::stat(than.c_str(), &second) != 0) {
        return false;
    }
    const timespec a = first.st_mtim;
    const timespec b = second.st_mtim;
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

Result<ReadableFile> openRegularFile(const std::string& path)
{
    // Without O_NONBLOCK, opening a FIFO waits until something writes to it.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        return fileError(path, errno);
    }
    struct stat info {};
    std::string failure;
    if (::fstat(descriptor, &info) != 0) {
        failure = fileErrorMessage(path, errno);
    } else if (S_ISDIR(info.st_mode)) {
        failure = fileErrorMessage(path, EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        failure = std::string(path).append(": ").append(kNotRegularFileReason);
    } else if (::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        failure = fileErrorMessage(path, errno);
    }
    std::FILE* stream = failure.empty() ? ::fdopen(descriptor, "rb") : nullptr;
    if (stream == nullptr) {
        if (failure.empty()) {
            failure = fileErrorMessage(path, errno);
        }
        ::close(descriptor);
        return Result<ReadableFile>::failure(std::move(failure));
    }
    return ReadableFile{stream, static_cast<std::uint64_t>(info.st_size)};
}

std::optional<std::size_t> readFileAt(std::FILE* stream, std::uint64_t offset,
                                      std::span<unsigned char> into)
{
    std::size_t got = 0;
    while (got < into.size()) {
        const ssize_t read = ::pread(::fileno(stream), into.data() + got, into.size() - got,
                                     static_cast<off_t>(offset + got));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            return std::nullopt;
        }
        if (read == 0) {
            break;
        }
        got += static_cast<std::size_t>(read);
    }
    return got;
}

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FileVersion> fileVersion(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return FileVersion{
        {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)},
        static_cast<std::uint64_t>(info.st_size),
        nanoseconds(info.st_mtim),
        nanoseconds(info.st_ctim)};
}

bool isSymbolicLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

Status checkNameFits(const std::string& directory, std::string_view name)
{
    // Each file system's own lookup knows its limit (bytes on most, characters on FAT).
    const std::string path = withTrailingSeparator(directory).append(name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 && errno == ENAMETOOLONG) {
        return fileError(path, ENAMETOOLONG);
    }
    return Status::success();
}

bool removeFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

std::optional<std::string> resolvedPath(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) {
        return std::nullopt;
    }
    std::string resolved(real);
    std::free(real);
    return resolved;
}

Result<std::string> readWholeFile(const std::string& path)
{
    const Result<ReadableFile> file = openRegularFile(path);
    if (!file) {
        return file.status();
    }
    Result<std::string> content = readWholeDescriptor(::fileno(file->stream), path);
    std::fclose(file->stream);
    return content;
}

Result<std::string> readWholeDescriptor(int descriptor, const std::string& pathForErrors)
{
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fileError(pathForErrors, errno);
        }
        if (got == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

namespace {

// True when `to` names `from` itself only because the file system ignores letter case: no entry
// of the folder is called `to` exactly, and `from` is the only one equal to it without case.
// (Some file systems give the two spellings different inode numbers, so the names are asked.)
bool namesTheSameFileByCase(const std::string& from, const std::string& to)
{
    const std::string folder = parentDirectory(from);
    const std::string fromName = from.substr(from.rfind('/') + 1);
    const std::string toName = to.substr(to.rfind('/') + 1);
    if (parentDirectory(to) != folder || fromName == toName ||
        !equalsIgnoringAsciiCase(fromName, toName)) {
        return false;
    }
    const Result<std::vector<std::string>> names = listDirectory(folder);
    if (!names) {
        return false;
    }
    int matching = 0;
    for (const std::string& name : *names) {
        if (name == toName) {
            return false;
        }
        if (equalsIgnoringAsciiCase(name, toName)) {
            ++matching;
        }
    }
    return matching == 1 && std::find(names->begin(), names->end(), fromName) != names->end();
}

// A plain rename onto a free name, or, where `to` is `from` spelt with other letter case, two:
// through a free name of the folder (caseChangeNameBeside), since a rename onto the same file
// does nothing on some file systems and on FAT through FUSE frees the file's data.
int renameChecked(const std::string& from, const std::string& to)
{
    struct stat info {};
    if (::lstat(to.c_str(), &info) != 0) {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    if (!namesTheSameFileByCase(from, to)) {
        return EEXIST;
    }
    const std::string between = caseChangeNameBeside(from);
    if (::lstat(between.c_str(), &info) == 0) {
        return EEXIST;
    }
    if (::rename(from.c_str(), between.c_str()) != 0) {
        return errno;
    }
    if (::rename(between.c_str(), to.c_str()) != 0) {
        const int error = errno;
        ::rename(between.c_str(), from.c_str());
        return error;
    }
    return 0;
}

int renameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno == EEXIST) {
        return renameChecked(from, to);
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // The file system cannot rename without replacing; a hard link fails on an existing name.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    // Nor has it hard links (FAT through FUSE, some network file systems): a check and a plain
    // rename.
    if (errno == EEXIST || errno == EPERM || errno == ENOSYS || errno == EOPNOTSUPP ||
        errno == EMLINK) {
        return renameChecked(from, to);
    }
    return errno;
}

}  // namespace

Status renameWithoutReplace(const std::string& from, const std::string& to)
{
    const int error = renameWithoutReplacing(from, to);
    return error == 0 ? Status::success()
                      : Status::failure(systemErrorText(error), errorKindOf(error));
}

Status writeFileAtomically(const std::string& path, std::string_view content, ExistingFile existing,
                           Durability durability, LinkAtPath link)
{
    if (link == LinkAtPath::Refuse && isSymbolicLink(path)) {
        return symbolicLinkRefusal(path);
    }
    const std::string target = link == LinkAtPath::Follow ? linkTarget(path) : path;
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat info {};
    if (existing == ExistingFile::Replace && ::stat(target.c_str(), &info) == 0) {
        if (markedReadOnly(AT_FDCWD, target, info)) {
            return fileError(path, EACCES);
        }
        mode = info.st_mode & 07777;
        keepMode = true;
    }

    // An unnamed file, where the file system offers them, leaves nothing behind when the
    // process is killed while writing; it gets a name only once it is complete.
    const std::string directory = parentDirectory(target);
    std::string temporaryPath;
    int descriptor = canNameUnnamedFiles()
                         ? ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
                         : -1;
    const bool unnamed = descriptor >= 0;
    if (!unnamed) {
        descriptor = createTemporaryBeside(AT_FDCWD, target, mode, temporaryPath);
    }
    if (descriptor < 0) {
        return fileError(path, errno);
    }
    Status written = writeAll(descriptor, content, path);
    if (written && keepMode && ::fchmod(descriptor, mode) != 0) {
        written = fileError(path, errno);
    }
    const bool flush = durability == Durability::Flush;
    if (written && flush && ::fsync(descriptor) != 0) {
        written = fileError(path, errno);
    }

    int placeError = 0;
    if (written && unnamed) {
        placeError = nameUnnamedFile(descriptor, AT_FDCWD, target, existing);
    }
    if (::close(descriptor) != 0 && written) {
        written = fileError(path, errno);
    }
    if (written && !unnamed) {
        placeError = existing == ExistingFile::Replace
                         ? (::rename(temporaryPath.c_str(), target.c_str()) == 0 ? 0 : errno)
                         : renameWithoutReplacing(temporaryPath, target);
        if (placeError != 0) {
            ::unlink(temporaryPath.c_str());
        }
    }
    if (!written) {
        if (!unnamed) {
            ::unlink(temporaryPath.c_str());
        }
        return written;
    }
    if (placeError != 0) {
        return fileError(path, placeError);
    }
    if (flush) {
        syncDirectory(directory);
    }
    return Status::success();
}

}  // namespace pixmosa
