#pragma once

#include <string>
#include <string_view>

namespace pixmosa {

// A name built from files and folders as it stands in an HREF or SRC value. Control bytes,
// bytes of 0x80 and above, the blank and the characters " # % & : < > ? \ are written as "%"
// and two upper-case hexadecimal digits, so a browser finds the file whatever its name, never
// mistakes part of it for a fragment, a query, a scheme or the end of the attribute, and a
// link copied into mail or chat does not break at a blank. Every other byte is kept as it is.
std::string linkValue(std::string_view name);

}  // namespace pixmosa
