// clang-format off
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <aclapi.h>
// clang-format on

#include <cstdio>

#include "common/paths.h"
#include "platform/file_system.h"
#include "platform/temporary_names.h"
#include "platform/wide_text.h"
#include "platform/windows_handle.h"
#include "platform/windows_paths.h"

namespace pixmosa {

namespace {

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

// The error, when there is none, is taken at the call that failed, before a handle's closing
// can change what GetLastError says.
std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(const std::string& path,
                                                        int* error = nullptr)
{
    const Handle file(openForMetadata(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &information)) {
        if (error != nullptr) {
            *error = lastError();
        }
        return std::nullopt;
    }
    return information;
}

std::int64_t nanoseconds(const FILETIME& time)
{
    return nanosecondsSinceEpoch((std::uint64_t{time.dwHighDateTime} << 32) |
                                 std::uint64_t{time.dwLowDateTime});
}

// What the directory entry of a path says of it, without opening it: opening a OneDrive
// placeholder would fetch it.
std::optional<WIN32_FIND_DATAW> entryOf(const std::string& path)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW(widePath(path).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    ::FindClose(search);
    return found;
}

Status writeAll(HANDLE file, std::string_view content, const std::string& pathForErrors)
{
    while (!content.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
        if (!::WriteFile(file, content.data(), chunk, &written, nullptr)) {
            return fileError(pathForErrors, lastError());
        }
        content.remove_prefix(written);
    }
    return Status::success();
}

// Writes the content to a new temporary file beside the target; its name, or the error.
// A temporary is hidden until it takes its name, so one a killed writer leaves is not shown
// until the next run clears it.
Status writeTemporaryBeside(const std::string& target, std::string_view content, bool flush,
                            std::string& temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = temporaryNameBeside(target);
        Handle file(::CreateFileW(widePath(temporaryPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (!file.valid()) {
            const int error = lastError();
            if (error == ERROR_FILE_EXISTS) {
                continue;
            }
            return fileError(target, error);
        }
        Status written = writeAll(file.get(), content, target);
        if (written && flush && !::FlushFileBuffers(file.get())) {
            written = fileError(target, lastError());
        }
        if (!written) {
            ::CloseHandle(file.release());
            ::DeleteFileW(widePath(temporaryPath).c_str());
        }
        return written;
    }
    return fileError(target, ERROR_FILE_EXISTS);
}

// A file the user marked read-only stays as it is: a rename over it would replace it.
bool markedReadOnly(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The access rights a file was given of its own (not those its folder passes on), copied onto
// the file that takes its place.
void copyAccessRights(const std::wstring& from, const std::wstring& to)
{
    PACL rights = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &rights, nullptr, &descriptor) != ERROR_SUCCESS) {
        return;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool isProtected = ::GetSecurityDescriptorControl(descriptor, &control, &revision) &&
                             (control & SE_DACL_PROTECTED) != 0;
    ::SetNamedSecurityInfoW(
        const_cast<wchar_t*>(to.c_str()), SE_FILE_OBJECT,
        DACL_SECURITY_INFORMATION | (isProtected ? PROTECTED_DACL_SECURITY_INFORMATION
                                                 : UNPROTECTED_DACL_SECURITY_INFORMATION),
        nullptr, nullptr, rights, nullptr);
    ::LocalFree(descriptor);
}

// Puts a complete temporary in the target's place in one step; 0 or the error. A replaced
// file's attributes and access rights go to the new file first, as a replaced file keeps its
// mode on POSIX systems (ReplaceFileW would keep them too, but not in one step: for a moment
// the file would be missing to its readers). A folder is never replaced. Windows refuses to
// replace a file that another program holds open for a moment (a reader of the store, a virus
// scanner), so a refused replace is tried again for about a second.
int placeTemporary(const std::string& temporary, const std::string& target, bool replace,
                   bool flush)
{
    const std::wstring from = widePath(temporary);
    const std::wstring to = widePath(target);
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (const DWORD old = ::GetFileAttributesW(to.c_str());
        replace && old != INVALID_FILE_ATTRIBUTES) {
        if ((old & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return ERROR_ACCESS_DENIED;
        }
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        attributes = (old & kKept) != 0 ? old & kKept : FILE_ATTRIBUTE_NORMAL;
        copyAccessRights(to, from);
    }
    ::SetFileAttributesW(from.c_str(), attributes);
    const DWORD flags =
        (replace ? MOVEFILE_REPLACE_EXISTING : 0) | (flush ? MOVEFILE_WRITE_THROUGH : 0);
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), flags)) {
            return 0;
        }
        const int error = lastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!replace || !held || attempt == 50) {
            return error;
        }
        ::Sleep(20);
    }
}

}  // namespace

std::string systemErrorText(int errorNumber)
{
    return windowsErrorText(static_cast<unsigned long>(errorNumber));
}

ErrorKind errorKindOf(int errorNumber)
{
    switch (errorNumber) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        return ErrorKind::NotFound;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return ErrorKind::Exists;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return ErrorKind::Permission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ErrorKind::NoSpace;
    default:
        return ErrorKind::Other;
    }
}

Status lookUp(const std::string& path)
{
    int error = 0;
    return informationOf(path, &error) ? Status::success() : fileError(path, error);
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
            return fileError(
                path, error == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : static_cast<int>(error));
        }
    }
    return Status::success();
}

Result<std::vector<std::string>> listDirectory(const std::string& path)
{
    WIN32_FIND_DATAW found{};
    std::wstring pattern = widePath(path);
    if (pattern.empty() || pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::vector<std::string> names;
    if (search == INVALID_HANDLE_VALUE) {
        // A drive's root has no "." or "..", so an empty one has no entry at all.
        const int error = lastError();
        return error == ERROR_FILE_NOT_FOUND && directoryExists(path)
                   ? Result<std::vector<std::string>>(names)
                   : fileError(path, error);
    }
    int error = 0;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(narrowText(name));
        }
    } while (::FindNextFileW(search, &found) || (error = lastError()) != ERROR_NO_MORE_FILES);
    ::FindClose(search);
    if (error != ERROR_NO_MORE_FILES) {
        return fileError(path, error);
    }
    return names;
}

// Windows keeps no folder open: every file is looked up by its path.
class FileRewriter::OpenFolder {};

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
    const std::optional<WIN32_FIND_DATAW> entry = entryOf(path);
    const bool exists = entry.has_value();
    if (exists && redirectsElsewhere(entry->dwFileAttributes, entry->dwReserved0)) {
        return symbolicLinkRefusal(path);
    }
    if (exists && (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return fileError(path, ERROR_ACCESS_DENIED);
    }
    if (const std::optional<FileIdentity> identity = exists ? fileIdentity(path) : std::nullopt) {
        if (const auto kept = m_protected.find(*identity); kept != m_protected.end()) {
            return Status::failure(path + ": " + kept->second);
        }
    }
    const std::uint64_t size =
        exists ? (std::uint64_t{entry->nFileSizeHigh} << 32) | entry->nFileSizeLow : 0;
    // Only a file of the same size can hold the same content.
    if (exists && m_same == SameContent::LeaveAlone && size == content.size()) {
        if (const Result<std::string> old = readWholeFile(path); old && *old == content) {
            if (unchanged != nullptr) {
                *unchanged = true;
            }
            return Status::success();
        }
    }
    return writeFileAtomically(path, content, ExistingFile::Replace, m_durability);
}

Status checkNameFits(const std::string& directory, std::string_view name)
{
    // The longest name every Windows file system takes, in UTF-16 units.
    const std::string path = withTrailingSeparator(directory).append(name);
    if (wideText(name.substr(name.find_last_of(kPathSeparators) + 1)).size() > 255) {
        return fileError(path, ERROR_FILENAME_EXCED_RANGE);
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
        return fileError(path, ERROR_ACCESS_DENIED);
    }
    Handle file(::CreateFileW(widePath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return fileError(path, lastError());
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)) {
        return Result<ReadableFile>::failure(
            std::string(path).append(": ").append(kNotRegularFileReason));
    }
    const int descriptor =
        ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file.get()), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        return fileError(path, lastError());
    }
    file.release();
    std::FILE* stream = ::_fdopen(descriptor, "rb");
    if (stream == nullptr) {
        ::_close(descriptor);
        return fileError(path, ERROR_NOT_ENOUGH_MEMORY);
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
        nanosecondsSinceEpoch(static_cast<std::uint64_t>(basic.ChangeTime.QuadPart))};
}

bool isSymbolicLink(const std::string& path)
{
    const std::optional<WIN32_FIND_DATAW> entry = entryOf(path);
    return entry && redirectsElsewhere(entry->dwFileAttributes, entry->dwReserved0);
}

std::optional<std::string> resolvedPath(const std::string& path)
{
    const Handle file(openForMetadata(path));
    if (!file.valid()) {
        return std::nullopt;
    }
    std::wstring name(32768, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(
        file.get(), name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS);
    if (length > 0 && length < name.size()) {
        name.resize(length);
        return narrowText(ordinaryPathForm(std::move(name)));
    }
    // Wine cannot give a path longer than 260 characters here. Where no part of the path is a
    // link, the path it leads to is its full form.
    std::string full = narrowText(ordinaryPathForm(widePath(path)));
    for (std::string part = full; !isRootDirectory(part) && part.size() > 3;
         part = parentDirectory(part)) {
        if (isSymbolicLink(part)) {
            return std::nullopt;
        }
    }
    return full;
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
        return fileError(path, ERROR_READ_FAULT);
    }
    return content;
}

Status renameWithoutReplace(const std::string& from, const std::string& to)
{
    const auto move = [](const std::string& source, const std::string& target) {
        return ::MoveFileExW(widePath(source).c_str(), widePath(target).c_str(), 0) ? 0
                                                                                    : lastError();
    };
    const auto outcome = [](int error) {
        return error == 0 ? Status::success()
                          : Status::failure(systemErrorText(error), errorKindOf(error));
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
            return outcome(error);
        }
        if (const int error = move(between, to); error != 0) {
            move(between, from);
            return outcome(error);
        }
        return Status::success();
    }
    return outcome(move(from, to));
}

Status writeFileAtomically(const std::string& path, std::string_view content, ExistingFile existing,
                           Durability durability, LinkAtPath link)
{
    std::string target = path;
    if (isSymbolicLink(path)) {
        if (link == LinkAtPath::Refuse) {
            return symbolicLinkRefusal(path);
        }
        // A store kept elsewhere through a link: the file the link names is replaced.
        if (std::optional<std::string> resolved = resolvedPath(path)) {
            target = std::move(*resolved);
        }
    }
    if (existing == ExistingFile::Replace && markedReadOnly(attributesOf(target))) {
        return fileError(path, ERROR_ACCESS_DENIED);
    }
    std::string temporaryPath;
    if (Status written =
            writeTemporaryBeside(target, content, durability == Durability::Flush, temporaryPath);
        !written) {
        return written;
    }
    if (const int error = placeTemporary(temporaryPath, target, existing == ExistingFile::Replace,
                                         durability == Durability::Flush);
        error != 0) {
        ::DeleteFileW(widePath(temporaryPath).c_str());
        return fileError(path, error);
    }
    return Status::success();
}

}  // namespace pixmosa
