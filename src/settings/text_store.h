#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pixmosa {

// The line that ends every section.
inline constexpr std::string_view kSectionEndLine = "####";

// The text store: a file of named sections, each "[name]", the text's lines, one empty line
// and "####", every line ending in CR LF. Section names match without regard to the case of
// ASCII letters, and lines outside any section survive every change.
//
// A text line that would read as structure (the end line, or a line that begins like a section
// header) is stored behind one backslash, and so is such a line that already begins with
// backslashes; loading takes the backslash off again, so every text reads back exactly as it was
// saved, and a file with no such line is written as it always was.
//
// A change is made in a complete new copy of the file that replaces the old one in one step,
// under the store's lock from the reading to the replacing, so a failed change leaves the store
// as it was and two programs changing it at once never lose each other's changes; failures
// carry the platform's reason. A store file that is a symbolic link is followed: the file it
// names is replaced and the link stays.

// The sections of one store as one change sees them, line by line.
class TextStoreDocument {
public:
    // `existed`: whether the file was there; a section added to a new file has no empty line
    // before it.
    TextStoreDocument(std::vector<std::string> lines, bool existed);

    // The section's lines joined by CR LF with a CR LF after the last; empty when the section
    // does not exist.
    std::string load(std::string_view section) const;
    // Replaces the lines of the section, or appends the section after one empty line.
    void save(std::string_view section, const std::vector<std::string>& lines);
    // Removes the section; the empty line before it stays.
    void remove(std::string_view section);

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    bool m_existed;
};

// Reads the store under its lock, lets `edit` change it and, when anything changed, replaces the
// file before the lock is given up. An edit that fails changes nothing and its failure is the
// result. A missing file is created only when the edit leaves lines in it.
Status EditTextStore(const std::string& path,
                     const std::function<Status(TextStoreDocument&)>& edit);

// A name that can head a section: not empty, and without "]" or a line break, which would
// make its header match another section or break the file's lines.
Status checkSectionName(std::string_view section);

// One change each, as EditTextStore makes it.
Status SaveText(const std::string& path, std::string_view section,
                const std::vector<std::string>& lines);
Result<std::string> LoadText(const std::string& path, std::string_view section);
Status DeleteText(const std::string& path, std::string_view section);

}  // namespace pixmosa
