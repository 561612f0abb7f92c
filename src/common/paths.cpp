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

}  // namespace pixmosa
