#pragma once

#include <string>
#include <string_view>

#include "settings/gallery_settings.h"

namespace pixmosa {

// The path of an image-list entry: the image directory (with its trailing separator) and the
// entry.
std::string imagePath(const GallerySettings& settings, std::string_view entry);

// The image directory followed by the thumbnail folder.
std::string thumbnailDirectory(const GallerySettings& settings);

// The thumbnail directory, the thumbnail prefix exactly as typed and the entry: a thumbnail
// keeps its image's name, extension and letter case.
std::string thumbnailPath(const GallerySettings& settings, std::string_view entry);

}  // namespace pixmosa
