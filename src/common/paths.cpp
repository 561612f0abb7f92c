#include "common/paths.h"

namespace pixmosa {

std::string withTrailingSeparator(std::string_view directory)
{
    std::string result(directory);
    if (!result.empty() && result.back() != kPathSeparator) {
        result += kPathSeparator;
    }
    return result;
}

bool isRootDirectory(std::string_view path)
{
    const auto separator = [](char c) {
        return std::string_view(kPathSeparators).find(c) != std::string_view::npos;
    };
    if (path.size() == 1) {
        return separator(path[0]);
    }
#ifdef _WIN32
    return path.size() == 3 && path[1] == ':' && separator(path[2]);
#else
    return false;
#endif
}

}  // namespace pixmosa
