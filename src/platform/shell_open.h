#pragma once

#include <string>

#include "common/result.h"

namespace pixmosa {

// Hands a file to the program the desktop associates with it (xdg-open), without waiting for
// it. Fails with the system's reason where that is known at once (on Windows, no program is
// associated with it); an opener that ends with an error later is not waited for.
Status openWithDesktop(const std::string& path);

}  // namespace pixmosa
