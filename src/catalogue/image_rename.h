#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_lock.h"

namespace pixmosa {

// The new name of the entry at `position` of `count`: prefix, the position counted from 1
// padded with zeros to as many digits as `count` has, and ".jpg".
std::string renamedImageName(std::string_view prefix, std::size_t position, std::size_t count);

// A rename that was refused, with the message that says why: "Cannot rename a.jpg to
// Trip-1.jpg: File exists".
struct RefusedRename {
    std::string image;
    std::string message;
};

// Renames every image in list order straight to its new name, each in one step that never
// replaces an existing file, under the image directory's lock (taken by lockImageDirectory),
// which also keeps the check safe that stands in for that step on a file system without it. A
// rename the file system refuses leaves that entry and file as they were and the next goes on; a
// prefix holding a separator is refused, so no image leaves its directory. Gives the refused
// renames, in list order.
std::vector<RefusedRename> RenameImages(const FolderLock& folder, std::string_view imageDir,
                                        std::vector<std::string>& images, std::string_view prefix);

}  // namespace pixmosa
