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

constexpr char kEscape = '\\';

// A line that a search for a header or for the end of a body would take for one.
bool readsAsStructure(std::string_view line)
{
    return line == kSectionEndLine ||
           (!line.empty() && line.front() == '[' && line.find(']', 1) != std::string_view::npos);
}

// Such a line, also behind backslashes of its own, so that taking one off is always right.
bool needsEscape(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(kEscape);
    return first != std::string_view::npos && readsAsStructure(line.substr(first));
}

std::string escaped(std::string line)
{
    return needsEscape(line) ? kEscape + line : line;
}

std::string unescaped(const std::string& line)
{
    return !line.empty() && line.front() == kEscape && needsEscape(line) ? line.substr(1) : line;
}

// The text's lines, the empty line and the end line. A line handed over with line breaks
// inside becomes several lines, so it cannot break the file's structure.
void appendBody(Lines& out, const Lines& lines)
{
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") == std::string::npos) {
            out.push_back(escaped(line));
        } else {
            for (std::string& part : splitLines(line)) {
                out.push_back(escaped(std::move(part)));
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

}  // namespace

TextStoreDocument::TextStoreDocument(Lines lines, bool existed)
    : m_lines(std::move(lines)), m_existed(existed)
{
}

std::string TextStoreDocument::load(std::string_view section) const
{
    const std::size_t header = findHeader(m_lines, section);
    const std::size_t end = afterBody(m_lines, header + 1);
    std::string text;
    for (std::size_t i = header + 1; i < end && i < m_lines.size(); ++i) {
        if (m_lines[i] != kSectionEndLine) {
            text += unescaped(m_lines[i]);
            text += "\r\n";
        }
    }
    if (text.size() >= 2) {
        text.resize(text.size() - 2);
    }
    return text;
}

void TextStoreDocument::save(std::string_view section, const Lines& lines)
{
    const std::size_t header = findHeader(m_lines, section);
    if (header == m_lines.size()) {
        if (m_existed || !m_lines.empty()) {
            m_lines.emplace_back();
        }
        m_lines.push_back(headerOf(section));
        appendBody(m_lines, lines);
        return;
    }
    Lines updated(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(header + 1));
    appendBody(updated, lines);
    updated.insert(updated.end(),
                   m_lines.begin() + static_cast<std::ptrdiff_t>(afterBody(m_lines, header + 1)),
                   m_lines.end());
    m_lines = std::move(updated);
}

void TextStoreDocument::remove(std::string_view section)
{
    const std::size_t header = findHeader(m_lines, section);
    if (header == m_lines.size()) {
        return;
    }
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(afterBody(m_lines, header + 1)));
}

Status EditTextStore(const std::string& path, const std::function<Status(TextStoreDocument&)>& edit)
{
    for (int attempt = 0;; ++attempt) {
        if (!fileExists(path)) {
            TextStoreDocument document({}, false);
            if (Status edited = edit(document); !edited || document.lines().empty()) {
                return edited;
            }
            if (Status made = makeDirectories(parentDirectory(path)); !made) {
                return made;
            }
            Status written =
                writeFileAtomically(path, joinLinesCrLf(document.lines()), ExistingFile::Keep,
                                    Durability::Flush, LinkAtPath::Follow);
            // Another program made the file meanwhile: the edit is made again on its lines.
            if (written || written.kind() != ErrorKind::Exists || attempt > 0) {
                return written;
            }
            continue;
        }
        const Result<FileLock> lock = FileLock::acquire(path, FileLock::Missing::Fail);
        if (!lock) {
            if (!fileExists(path) && attempt == 0) {
                continue;
            }
            return lock.status();
        }
        const Result<std::string> content = lock->readAll();
        if (!content) {
            return content.status();
        }
        TextStoreDocument document(splitFileLines(*content), true);
        if (Status edited = edit(document); !edited) {
            return edited;
        }
        const std::string updated = joinLinesCrLf(document.lines());
        if (updated == *content) {
            return Status::success();
        }
        removeStaleTemporaries(parentDirectory(path));
        return writeFileAtomically(path, updated, ExistingFile::Replace, Durability::Flush,
                                   LinkAtPath::Follow);
    }
}

Status checkSectionName(std::string_view section)
{
    if (section.empty() || section.find_first_of("]\r\n") != std::string_view::npos) {
        return Status::failure(
            "A text section's name must not be empty or hold \"]\" or a line "
            "break: \"" +
            std::string(section) + "\"");
    }
    return Status::success();
}

Status SaveText(const std::string& path, std::string_view section, const Lines& lines)
{
    if (Status named = checkSectionName(section); !named) {
        return named;
    }
    return EditTextStore(path, [&](TextStoreDocument& document) {
        document.save(section, lines);
        return Status::success();
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
    return TextStoreDocument(splitFileLines(*content), true).load(section);
}

Status DeleteText(const std::string& path, std::string_view section)
{
    return EditTextStore(path, [&](TextStoreDocument& document) {
        document.remove(section);
        return Status::success();
    });
}

}  // namespace pixmosa
