#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pixmosa {

// What every command that needs images says when the list is empty.
inline constexpr std::string_view kNoImagesMessage =
    "There are no JPG files in the selected directory";

// The image list of a directory: every entry whose name ends in ".jpg" without regard to case
// (hidden files and sub-directories included, ".jpeg" not), in listing order (listsBefore),
// or sorted when `sorted` is on. A directory that does not exist or an empty text gives an
// empty list. A directory that exists but cannot be read fails with "Cannot read the image
// directory ", the path and the reason.
Result<std::vector<std::string>> readImageDirectory(std::string_view directoryText, bool sorted);

// The scan as the window's list makes it, which never fails: an unreadable directory gives an
// empty list, as a missing one does.
std::vector<std::string> ScanImages(std::string_view directoryText, bool sorted);

}  // namespace pixmosa
