#pragma once

namespace pixmosa {

// The separator between the parts of a path on this platform.
inline constexpr char kPathSeparator = '/';

}  // namespace pixmosa
