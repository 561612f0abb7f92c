#pragma once

#include <string>
#include <string_view>

namespace pixmosa {

// The separator between the parts of a path on this platform.
inline constexpr char kPathSeparator = '/';

// Every path formed from the image directory text goes through this: an empty text stays
// empty, a text ending in the separator stays as it is, any other text gets one separator.
std::string withTrailingSeparator(std::string_view directory);

}  // namespace pixmosa
