#include "platform/file_system.h"

#include <vector>

#include "common/paths.h"
#include "platform/temporary_names.h"

namespace pixmosa {

std::string fileErrorMessage(std::string_view path, int errorNumber)
{
    return std::string(path) + ": " + systemErrorText(errorNumber);
}

Status fileError(std::string_view path, int errorNumber)
{
    return Status::failure(fileErrorMessage(path, errorNumber), errorKindOf(errorNumber));
}

Status symbolicLinkRefusal(std::string_view path)
{
    return Status::failure(symbolicLinkMessage(path), ErrorKind::IsLink);
}

std::string cannotCreateFileMessage(std::string_view fileError)
{
    return "Cannot create file " + std::string(fileError);
}

std::string symbolicLinkMessage(std::string_view path)
{
    return std::string(path).append(": ").append(kSymbolicLinkReason);
}

std::string parentDirectory(const std::string& path)
{
    const std::size_t slash = path.find_last_of(kPathSeparators);
    if (slash == std::string::npos) {
        return ".";
    }
    return isRootDirectory(path.substr(0, slash + 1)) ? path.substr(0, slash + 1)
                                                      : path.substr(0, slash);
}

void removeStaleTemporaries(const std::string& directory)
{
    const Result<std::vector<std::string>> names = listDirectory(directory);
    if (!names) {
        return;
    }
    for (const std::string& name : *names) {
        if (isLeftByEndedWriter(name)) {
            removeFile(withTrailingSeparator(directory) + name);
        }
    }
}

bool liesWithin(const std::string& path, const std::string& directory)
{
    const std::optional<std::string> outer = resolvedPath(directory);
    if (!outer) {
        return false;
    }
    // The deepest existing part of the path, resolved, and the parts below it as written.
    std::string existing = path;
    std::vector<std::string> rest;
    std::optional<std::string> inner;
    while (!(inner = resolvedPath(existing))) {
        const std::string parent = parentDirectory(existing);
        if (parent == existing) {
            return false;
        }
        const std::size_t slash = existing.find_last_of(kPathSeparators);
        rest.push_back(existing.substr(slash == std::string::npos ? 0 : slash + 1));
        existing = parent;
    }
    for (auto part = rest.rbegin(); part != rest.rend(); ++part) {
        if (*part == "..") {
            *inner = parentDirectory(*inner);
        } else if (!part->empty() && *part != ".") {
            *inner = withTrailingSeparator(*inner) + *part;
        }
    }
    const std::string within = withTrailingSeparator(*outer);
    return *inner == *outer || withTrailingSeparator(*inner) == within ||
           inner->compare(0, within.size(), within) == 0;
}

}  // namespace pixmosa
