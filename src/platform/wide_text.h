#pragma once

#include <string>
#include <string_view>

namespace pixmosa {

// Windows speaks UTF-16 where the core keeps UTF-8: these convert at the system's door (the
// Windows build only). A path's forward slashes become backslashes.
std::wstring wideText(std::string_view text);
std::string narrowText(std::wstring_view text);
// A full path takes the form without the 260-character limit (longPathForm).
std::wstring widePath(const std::string& path);
// A path as the shell and other programs take it: separators made backslashes, nothing more.
std::wstring wideShellPath(const std::string& path);

// The system's words for an error code (GetLastError's), without the full stop and line break
// it ends them with.
std::string windowsErrorText(unsigned long code);

}  // namespace pixmosa
