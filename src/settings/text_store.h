#pragma once

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
// A change is made in a complete new copy of the file that replaces the old one in one step,
// so a failed change leaves the store as it was; failures carry the platform's reason.

// Replaces the lines of the section, or appends the section after one empty line.
Status SaveText(const std::string& path, std::string_view section,
                const std::vector<std::string>& lines);

// The section's lines joined by CR LF with a CR LF after the last; empty when the file or
// the section does not exist.
Result<std::string> LoadText(const std::string& path, std::string_view section);

// Removes the section; the empty line before it stays.
Status DeleteText(const std::string& path, std::string_view section);

}  // namespace pixmosa
