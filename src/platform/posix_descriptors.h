#pragma once

#include <string>

#include "common/result.h"

namespace pixmosa {

// The rest of an open file, read through its descriptor (POSIX builds only).
Result<std::string> readWholeDescriptor(int descriptor, const std::string& pathForErrors);

}  // namespace pixmosa
