#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "common/paths.h"
#include "platform/file_system.h"
#include "platform/temporary_names.h"
#include "platform/wide_text.h"

namespace pixmosa {

namespace {

// A handle closed when it goes.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (valid()) {
            ::CloseHandle(m_handle);
        }
    }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }

private:
    HANDLE m_handle;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int lastError()
{
    return static_cast<int>(::GetLastError());
}

DWORD attributesOf(const std::string& path)
{
    return ::GetFileAttributesW(widePath(path).c_str());
}

// Opens a file or folder for its metadata only; links are followed.
HANDLE openForMetadata(const std::string& path)
{
    return ::CreateFileW(widePath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(const std::string& path)
{
    const Handle file(openForMetadata(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &information)) {
        return std::nullopt;
    }
    return information;
}

std::int64_t nanoseconds(const FILETIME& time)
{
    const std::uint64_t ticks =
        (std::uint64_t{time.dwHighDateTime} << 32) | std::uint64_t{time.dwLowDateTime};
    return static_cast<std::int64_t>(ticks) * 100;
}

Status writeAll(HANDLE file, std::string_view content, const std::string& pathForErrors)
{
    while (!content.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
        if (!::WriteFile(file, content.data(), chunk, &written, nullptr)) {
            return Status::failure(fileErrorMessage(pathForErrors, lastError()));
        }
        content.remove_prefix(written);
    }
    return Status::success();
}

// Writes the content to a new temporary file beside the target; its name, or the error.
Status writeTemporaryBeside(const std::string& target, std::string_view content, bool flush,
                            std::string& temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = temporaryNameBeside(target);
        Handle file(::CreateFileW(widePath(temporaryPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            if (::GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return Status::failure(fileErrorMessage(target, lastError()));
        }
        Status written = writeAll(file.get(), content, target);
        if (written && flush && !::FlushFileBuffers(file.get())) {
            written = Status::failure(fileErrorMessage(target, lastError()));
        }
        if (!written) {
            ::CloseHandle(file.release());
            ::DeleteFileW(widePath(temporaryPath).c_str());
        }
        return written;
    }
    return Status::failure(fileErrorMessage(target, ERROR_FILE_EXISTS));
}

// A file the user marked read-only stays as it is: a rename over it would replace it.
bool markedReadOnly(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool isLink(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Windows refuses to rename over a file that another program holds open for a moment (a
// reader of the store, a virus scanner), so a refused replace is tried again for about a second.
bool replaceByRenaming(const std::string& from, const std::string& to, DWORD flags)
{
    const std::wstring wideFrom = widePath(from);
    const std::wstring wideTo = widePath(to);
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(wideFrom.c_str(), wideTo.c_str(), flags)) {
            return true;
        }
        const DWORD error = ::GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!held || (flags & MOVEFILE_REPLACE_EXISTING) == 0 || attempt == 50) {
            return false;
        }
        ::Sleep(20);
    }
}

}  // namespace

std::string systemErrorText(int errorNumber)
{
    return windowsErrorText(static_cast<unsigned long>(errorNumber));
}

int lookupError(const std::string& path)
{
    return informationOf(path) ? 0 : lastError();
}

bool isMissingError(int errorNumber)
{
    return errorNumber == ERROR_FILE_NOT_FOUND || errorNumber == ERROR_PATH_NOT_FOUND ||
           errorNumber == ERROR_INVALID_NAME || errorNumber == ERROR_DIRECTORY;
}

bool fileExists(const std::string& path)
{
    const std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(path);
    return information && (information->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool directoryExists(const std::string& path)
{
    const std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(path);
    return information && (information->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Status makeDirectories(const std::string& path)
{
    if (path.empty() || directoryExists(path)) {
        return Status::success();
    }
    const std::string parent = parentDirectory(path);
    if (parent != path && parent != ".") {
        if (Status made = makeDirectories(parent); !made) {
            return made;
        }
    }
    if (!::CreateDirectoryW(widePath(path).c_str(), nullptr)) {
        const DWORD error = ::GetLastError();
        // Another program may have made it meanwhile; a file of that name is no directory.
        if (error != ERROR_ALREADY_EXISTS || !directoryExists(path)) {
            return Status::failure(fileErrorMessage(
                path, error == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : static_cast<int>(error)));
        }
    }
    return Status::success();
}

Result<std::vector<std::string>> listDirectory(const std::string& path)
{
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = widePath(path) + L"\\*";
    HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        return Result<std::vector<std::string>>::failure(fileErrorMessage(path, lastError()));
    }
    std::vector<std::string> names;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(narrowText(name));
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

FileRewriter::FileRewriter(SameContent same, Durability durability, ProtectedFiles protectedFiles)
    : m_same(same), m_durability(durability), m_protected(std::move(protectedFiles))
{
}

FileRewriter::~FileRewriter() = default;

Status FileRewriter::write(const std::string& path, std::string_view content, bool* unchanged)
{
    if (unchanged != nullptr) {
        *unchanged = false;
    }
    const DWORD attributes = attributesOf(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (isLink(attributes)) {
        return Status::failure(symbolicLinkMessage(path));
    }
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Status::failure(fileErrorMessage(path, ERROR_ACCESS_DENIED));
    }
    if (const std::optional<FileIdentity> identity = exists ? fileIdentity(path) : std::nullopt) {
        if (const auto kept = m_protected.find(*identity); kept != m_protected.end()) {
            return Status::failure(path + ": " + kept->second);
        }
    }
    if (exists && m_same == SameContent::LeaveAlone) {
        if (const Result<std::string> old = readWholeFile(path); old && *old == content) {
            if (unchanged != nullptr) {
                *unchanged = true;
            }
            return Status::success();
        }
    }
    return writeFileAtomically(path, content, ExistingFile::Replace, nullptr, m_durability);
}

Status checkNameFits(const std::string& directory, std::string_view name)
{
    // The longest name every Windows file system takes, in UTF-16 units.
    const std::string path = withTrailingSeparator(directory).append(name);
    if (wideText(name.substr(name.find_last_of(kPathSeparators) + 1)).size() > 255) {
        return Status::failure(fileErrorMessage(path, ERROR_FILENAME_EXCED_RANGE));
    }
    return Status::success();
}

bool removeFile(const std::string& path)
{
    return ::DeleteFileW(widePath(path).c_str()) != 0;
}

bool isOlderThan(const std::string& path, const std::string& than)
{
    const std::optional<FileVersion> first = fileVersion(path);
    const std::optional<FileVersion> second = fileVersion(than);
    return first && second && first->modified < second->modified;
}

bool sameFile(const std::string& a, const std::string& b)
{
    const std::optional<FileIdentity> first = fileIdentity(a);
    return first && first == fileIdentity(b);
}

Result<ReadableFile> openRegularFile(const std::string& path)
{
    const DWORD attributes = attributesOf(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Result<ReadableFile>::failure(fileErrorMessage(path, ERROR_ACCESS_DENIED));
    }
    Handle file(::CreateFileW(widePath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return Result<ReadableFile>::failure(fileErrorMessage(path, lastError()));
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)) {
        return Result<ReadableFile>::failure(
            std::string(path).append(": ").append(kNotRegularFileReason));
    }
    const int descriptor =
        ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file.get()), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        return Result<ReadableFile>::failure(fileErrorMessage(path, lastError()));
    }
    file.release();
    std::FILE* stream = ::_fdopen(descriptor, "rb");
    if (stream == nullptr) {
        ::_close(descriptor);
        return Result<ReadableFile>::failure(fileErrorMessage(path, ERROR_NOT_ENOUGH_MEMORY));
    }
    return ReadableFile{stream, static_cast<std::uint64_t>(size.QuadPart)};
}

std::optional<std::size_t> readFileAt(std::FILE* stream, std::uint64_t offset,
                                      std::span<unsigned char> into)
{
    // A read at an offset moves the handle's position, which the stream reads on from: it is
    // put back.
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT)) {
        return std::nullopt;
    }
    std::size_t got = 0;
    bool failed = false;
    while (got < into.size()) {
        OVERLAPPED at{};
        const std::uint64_t from = offset + got;
        at.Offset = static_cast<DWORD>(from);
        at.OffsetHigh = static_cast<DWORD>(from >> 32);
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size() - got, 1u << 30));
        if (!::ReadFile(file, into.data() + got, chunk, &read, &at)) {
            failed = ::GetLastError() != ERROR_HANDLE_EOF;
            break;
        }
        if (read == 0) {
            break;
        }
        got += read;
    }
    ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    if (failed) {
        return std::nullopt;
    }
    return got;
}

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    const std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(path);
    if (!information) {
        return std::nullopt;
    }
    return FileIdentity{
        information->dwVolumeSerialNumber,
        (std::uint64_t{information->nFileIndexHigh} << 32) | information->nFileIndexLow};
}

std::optional<FileVersion> fileVersion(const std::string& path)
{
    const Handle file(openForMetadata(path));
    BY_HANDLE_FILE_INFORMATION information{};
    FILE_BASIC_INFO basic{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &information) ||
        !::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic)) {
        return std::nullopt;
    }
    return FileVersion{
        {information.dwVolumeSerialNumber,
         (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow},
        (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow,
        nanoseconds(information.ftLastWriteTime),
        basic.ChangeTime.QuadPart * 100};
}

bool isSymbolicLink(const std::string& path)
{
    return isLink(attributesOf(path));
}

std::optional<std::string> resolvedPath(const std::string& path)
{
    const Handle file(openForMetadata(path));
    if (!file.valid()) {
        return std::nullopt;
    }
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            file.get(), name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(length + 1);
    }
    constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
    if (name.compare(0, kLongPrefix.size(), kLongPrefix) == 0) {
        name.erase(0, kLongPrefix.size());
    }
    return narrowText(name);
}

Result<std::string> readWholeFile(const std::string& path)
{
    const Result<ReadableFile> file = openRegularFile(path);
    if (!file) {
        return file.status();
    }
    std::string content;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file->stream)) > 0;) {
        content.append(buffer, got);
    }
    const bool failed = std::ferror(file->stream) != 0;
    std::fclose(file->stream);
    if (failed) {
        return Result<std::string>::failure(fileErrorMessage(path, ERROR_READ_FAULT));
    }
    return content;
}

int renameWithoutReplace(const std::string& from, const std::string& to)
{
    const auto move = [](const std::string& source, const std::string& target) {
        return ::MoveFileExW(widePath(source).c_str(), widePath(target).c_str(), 0) ? 0
                                                                                    : lastError();
    };
    // A new name that differs only in letter case names the file itself: renamed through a free
    // name, since not every system changes the case on a rename onto the same file.
    const std::optional<FileIdentity> source = fileIdentity(from);
    const auto leaf = [](const std::string& path) {
        return path.substr(path.find_last_of(kPathSeparators) + 1);
    };
    if (source && source == fileIdentity(to) && leaf(from) != leaf(to)) {
        const std::string between = caseChangeNameBeside(from);
        if (const int error = move(from, between); error != 0) {
            return error;
        }
        if (const int error = move(between, to); error != 0) {
            move(between, from);
            return error;
        }
        return 0;
    }
    return move(from, to);
}

Status writeFileAtomically(const std::string& path, std::string_view content, ExistingFile existing,
                           bool* existed, Durability durability, LinkAtPath link)
{
    if (existed != nullptr) {
        *existed = false;
    }
    std::string target = path;
    if (isSymbolicLink(path)) {
        if (link == LinkAtPath::Refuse) {
            return Status::failure(symbolicLinkMessage(path));
        }
        // A store kept elsewhere through a link: the file the link names is replaced.
        if (std::optional<std::string> resolved = resolvedPath(path)) {
            target = std::move(*resolved);
        }
    }
    if (existing == ExistingFile::Replace && markedReadOnly(attributesOf(target))) {
        return Status::failure(fileErrorMessage(path, ERROR_ACCESS_DENIED));
    }
    std::string temporaryPath;
    if (Status written =
            writeTemporaryBeside(target, content, durability == Durability::Flush, temporaryPath);
        !written) {
        return written;
    }
    const DWORD flags = (existing == ExistingFile::Replace ? MOVEFILE_REPLACE_EXISTING : 0) |
                        (durability == Durability::Flush ? MOVEFILE_WRITE_THROUGH : 0);
    if (!replaceByRenaming(temporaryPath, target, flags)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(widePath(temporaryPath).c_str());
        if (existed != nullptr && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
            *existed = true;
        }
        return Status::failure(fileErrorMessage(path, static_cast<int>(error)));
    }
    return Status::success();
}

}  // namespace pixmosa
