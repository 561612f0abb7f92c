#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pixmosa {

// Why Windows cannot hold a file or folder of that name, or nothing when it can: a name that
// holds one of : * ? " < > | or a control character, one that ends in a dot or a blank (which
// Windows drops, so the name written is not the one asked for), or the name of a device (CON,
// PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any extension).
std::optional<std::string> windowsNameProblem(std::string_view name);

// The same on Windows; nothing elsewhere, where every name without a separator can be made.
std::optional<std::string> nameProblem(std::string_view name);

}  // namespace pixmosa
