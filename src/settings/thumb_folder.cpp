#include "settings/thumb_folder.h"

#include "common/paths.h"
#include "common/text.h"

namespace pixmosa {

std::string deriveThumbFolder(std::string_view thumbsDir)
{
    std::string folder(trimControlAndBlank(thumbsDir));
    // Both are taken as separators, so a setting typed on one platform works on the other.
    for (char& c : folder) {
        if (c == '\\' || c == '/') {
            c = kPathSeparator;
        }
    }
    if (folder.empty() || folder == std::string(1, kPathSeparator)) {
        return {};
    }
    if (folder.back() != kPathSeparator) {
        folder += kPathSeparator;
    }
    return folder;
}

}  // namespace pixmosa
