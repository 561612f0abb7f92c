#include "generator/generated_files.h"

#include <algorithm>

#include "common/paths.h"

namespace pixmosa {

std::string imageBaseName(std::string_view entry)
{
    return std::string(entry.substr(0, entry.size() >= 4 ? entry.size() - 4 : 0));
}

std::string galleryPageName(const GallerySettings& settings, std::int64_t page)
{
    return settings.GalleryPrefix + std::to_string(page) + "." + settings.PageExt;
}

std::string imagePageName(const GallerySettings& settings, std::string_view entry)
{
    return imageBaseName(entry) + "." + settings.PageExt;
}

std::string thumbnailSource(const GallerySettings& settings, std::string_view entry)
{
    std::string folder = settings.ThumbFolder;
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return folder + settings.ThumbPrefix + std::string(entry);
}

std::string galleryPagePath(const GallerySettings& settings, std::int64_t page)
{
    return withTrailingSeparator(settings.ImageDir) + galleryPageName(settings, page);
}

std::string imagePagePath(const GallerySettings& settings, std::string_view entry)
{
    return withTrailingSeparator(settings.ImageDir) + imagePageName(settings, entry);
}

std::string indexPagePath(const GallerySettings& settings)
{
    return withTrailingSeparator(settings.ImageDir) + settings.IndexFile;
}

}  // namespace pixmosa
