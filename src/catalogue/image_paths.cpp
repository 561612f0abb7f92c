#include "catalogue/image_paths.h"

#include "common/paths.h"

namespace pixmosa {

std::string imagePath(const GallerySettings& settings, std::string_view entry)
{
    return withTrailingSeparator(settings.ImageDir) + std::string(entry);
}

std::string thumbnailDirectory(const GallerySettings& settings)
{
    return withTrailingSeparator(settings.ImageDir) + settings.ThumbFolder;
}

std::string thumbnailPath(const GallerySettings& settings, std::string_view entry)
{
    return thumbnailDirectory(settings) + settings.ThumbPrefix + std::string(entry);
}

}  // namespace pixmosa
