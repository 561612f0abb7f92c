#include "catalogue/image_rename.h"

#include "common/paths.h"
#include "platform/file_names.h"
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

std::vector<RefusedRename> RenameImages([[maybe_unused]] const FolderLock& folder,
                                        std::string_view imageDir, std::vector<std::string>& images,
                                        std::string_view prefix)
{
    const std::string directory = withTrailingSeparator(imageDir);
    const bool prefixAllowed = prefix.find_first_of(kPathSeparators) == std::string_view::npos;
    std::vector<RefusedRename> refused;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::string newName = renamedImageName(prefix, i, images.size());
        if (images[i] == newName) {
            continue;  // already so named
        }
        const std::string refusal = "Cannot rename " + images[i] + " to " + newName + ": ";
        if (!prefixAllowed) {
            refused.push_back({images[i], refusal + "the prefix holds a directory separator"});
            continue;
        }
        if (const std::optional<std::string> problem = nameProblem(newName)) {
            refused.push_back({images[i], refusal + *problem});
            continue;
        }
        if (const Status renamed = renameWithoutReplace(directory + images[i], directory + newName);
            !renamed) {
            refused.push_back({images[i], refusal + renamed.message()});
            continue;
        }
        images[i] = newName;
    }
    return refused;
}

}  // namespace pixmosa
