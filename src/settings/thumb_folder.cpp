#include "settings/thumb_folder.h"

#include <algorithm>

#include "common/paths.h"
#include "common/text.h"

namespace pixmosa {

std::string deriveThumbFolder(std::string_view thumbsDir)
{
    std::string folder(trimControlAndBlank(thumbsDir));
    std::replace(folder.begin(), folder.end(), '\\', kPathSeparator);
    if (folder.empty() || folder == std::string(1, kPathSeparator)) {
        return {};
    }
    if (folder.back() != kPathSeparator) {
        folder += kPathSeparator;
    }
    return folder;
}

}  // namespace pixmosa
