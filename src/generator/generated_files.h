#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/gallery_settings.h"

namespace pixmosa {

// A list entry without its last four characters, whatever they are: Tree.JPG gives Tree.
std::string imageBaseName(std::string_view entry);

// The names of the generated pages, relative to the image directory.
std::string galleryPageName(const GallerySettings& settings, std::int64_t page);
std::string imagePageName(const GallerySettings& settings, std::string_view entry);

// A thumbnail as pages refer to it: the thumbnail folder, with forward slashes, the prefix and
// the entry.
std::string thumbnailSource(const GallerySettings& settings, std::string_view entry);

// Full paths: the image directory with its trailing separator, then the name.
std::string galleryPagePath(const GallerySettings& settings, std::int64_t page);
std::string imagePagePath(const GallerySettings& settings, std::string_view entry);
std::string indexPagePath(const GallerySettings& settings);

}  // namespace pixmosa
