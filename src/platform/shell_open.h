#pragma once

#include <string>

namespace pixmosa {

// Hands a file to the program the desktop associates with it (xdg-open), without waiting for
// it; nothing is reported when no program can open it.
void openWithDesktop(const std::string& path);

}  // namespace pixmosa
