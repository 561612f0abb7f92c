#include "catalogue/image_rename.h"

#include "common/paths.h"
#include "platform/file_system.h"

namespace pixmosa {

std::string renamedImageName(std::string_view prefix, std::size_t position, std::size_t count)
{
    std::string number = std::to_string(position + 1);
    const std::size_t width = std::to_string(count).size();
    if (number.size() < width) {
        number.insert(0, width - number.size(), '0');
    }
    return std::string(prefix) + number + ".jpg";
}

std::size_t RenameImages(std::string_view imageDir, std::vector<std::string>& images,
                         std::string_view prefix)
{
    const std::string directory = withTrailingSeparator(imageDir);
    const bool prefixAllowed = prefix.find(kPathSeparator) == std::string_view::npos;
    std::size_t refused = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::string newName = renamedImageName(prefix, i, images.size());
        if (!prefixAllowed ||
            renameWithoutReplace(directory + images[i], directory + newName) != 0) {
            ++refused;
            continue;
        }
        images[i] = newName;
    }
    return refused;
}

}  // namespace pixmosa
