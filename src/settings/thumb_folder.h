#pragma once

#include <string>
#include <string_view>

namespace pixmosa {

// The thumbnail sub-folder of the image directory as used in paths, from the ThumbsDir
// setting: blanks and control characters at both ends are dropped, both \ and / separate
// folders, empty or a lone separator means the image directory itself, and otherwise the
// folder ends in one separator.
std::string deriveThumbFolder(std::string_view thumbsDir);

}  // namespace pixmosa
