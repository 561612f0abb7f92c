#pragma once

#include <string>
#include <string_view>

namespace pixmosa {

// The separator between the parts of a path on this platform, and every character that
// separates them there (Windows takes "/" too).
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kPathSeparators = "/";
#endif

// Every path formed from the image directory text goes through this: an empty text stays
// empty, a text ending in the separator stays as it is, any other text gets one separator.
std::string withTrailingSeparator(std::string_view directory);

// True for the root of a file system as a path names it with its separator: "/", or on
// Windows "C:\" (or "\").
bool isRootDirectory(std::string_view path);

}  // namespace pixmosa
