#include "settings/text_store.h"

#include "common/text.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"

namespace pixmosa {

namespace {

using Lines = std::vector<std::string>;

std::string headerOf(std::string_view section)
{
    return std::string("[").append(section).append("]");
}

bool isHeaderOf(std::string_view line, std::string_view section)
{
    return startsWithIgnoringAsciiCase(line, headerOf(section));
}

// The text's lines, the empty line and the end line. A line handed over with line breaks
// inside becomes several lines, so it cannot break the file's structure.
void appendBody(Lines& out, const Lines& lines)
{
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") == std::string::npos) {
            out.push_back(line);
        } else {
            for (std::string& part : splitLines(line)) {
                out.push_back(std::move(part));
            }
        }
    }
    out.emplace_back();
    out.emplace_back(kSectionEndLine);
}

// The index of the first line that is the header of the section, or the line count.
std::size_t findHeader(const Lines& lines, std::string_view section)
{
    std::size_t i = 0;
    while (i < lines.size() && !isHeaderOf(lines[i], section)) {
        ++i;
    }
    return i;
}

// The index after the end line that closes a body starting at `from`, or the line count.
std::size_t afterBody(const Lines& lines, std::size_t from)
{
    while (from < lines.size() && lines[from] != kSectionEndLine) {
        ++from;
    }
    return from < lines.size() ? from + 1 : from;
}

// Rewrites an existing store under its lock; `edit` turns the old lines into the new ones.
template <typename Edit>
Status rewrite(const std::string& path, Edit edit)
{
    const Result<FileLock> lock = FileLock::acquire(path, FileLock::Missing::Fail);
    if (!lock) {
        return lock.status();
    }
    const Result<std::string> content = readWholeDescriptor(lock->descriptor(), path);
    if (!content) {
        return content.status();
    }
    const std::string updated = joinLinesCrLf(edit(splitFileLines(*content)));
    if (updated == *content) {
        return Status::success();
    }
    removeStaleTemporaries(parentDirectory(path));
    return writeFileAtomically(path, updated, ExistingFile::Replace);
}

}  // namespace

Status SaveText(const std::string& path, std::string_view section, const Lines& lines)
{
    if (!fileExists(path)) {
        if (Status made = makeDirectories(parentDirectory(path)); !made) {
            return made;
        }
        Lines created{headerOf(section)};
        appendBody(created, lines);
        bool existed = false;
        Status written =
            writeFileAtomically(path, joinLinesCrLf(created), ExistingFile::Keep, &existed);
        if (!existed) {
            return written;
        }
    }
    return rewrite(path, [&](const Lines& old) {
        const std::size_t header = findHeader(old, section);
        Lines updated(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(header));
        if (header == old.size()) {
            updated.emplace_back();
            updated.push_back(headerOf(section));
            appendBody(updated, lines);
            return updated;
        }
        updated.push_back(old[header]);
        appendBody(updated, lines);
        updated.insert(updated.end(),
                       old.begin() + static_cast<std::ptrdiff_t>(afterBody(old, header + 1)),
                       old.end());
        return updated;
    });
}

Result<std::string> LoadText(const std::string& path, std::string_view section)
{
    if (!fileExists(path)) {
        return std::string();
    }
    const Result<std::string> content = readWholeFile(path);
    if (!content) {
        return content.status();
    }
    const Lines lines = splitFileLines(*content);
    const std::size_t header = findHeader(lines, section);
    const std::size_t end = afterBody(lines, header + 1);
    std::string text;
    for (std::size_t i = header + 1; i < end && i < lines.size(); ++i) {
        if (lines[i] != kSectionEndLine) {
            text += lines[i];
            text += "\r\n";
        }
    }
    if (text.size() >= 2) {
        text.resize(text.size() - 2);
    }
    return text;
}

Status DeleteText(const std::string& path, std::string_view section)
{
    if (!fileExists(path)) {
        return Status::success();
    }
    return rewrite(path, [&](const Lines& old) {
        const std::size_t header = findHeader(old, section);
        if (header == old.size()) {
            return old;
        }
        Lines updated(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(header));
        updated.insert(updated.end(),
                       old.begin() + static_cast<std::ptrdiff_t>(afterBody(old, header + 1)),
                       old.end());
        return updated;
    });
}

}  // namespace pixmosa
