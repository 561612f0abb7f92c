#pragma once

#include <string>
#include <string_view>

namespace pixmosa::cli {

// A file name as the command line prints it, one name a line and nothing a terminal would act
// on: control characters (C0, DEL and C1), bytes that are not UTF-8 and the backslash are
// written as escapes ("\n", "\t", "\x1b", "\\"); every other character stays as it is.
std::string printableName(std::string_view name);

}  // namespace pixmosa::cli
