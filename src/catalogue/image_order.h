#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixmosa {

// Ascending by the user's locale collation without regard to letter case, so img10.jpg comes
// before img2.jpg and Apple.jpg before banana.jpg. Names that compare equal keep their order.
void sortImageNames(std::vector<std::string>& names);

// The order in which a folder is listed while Sorted is off, the same on every file system
// and platform: names compared byte by byte with the ASCII letters a to z taken as A to Z and
// every other byte by its value; names equal that way by their exact bytes.
bool listsBefore(std::string_view a, std::string_view b);
void sortInListingOrder(std::vector<std::string>& names);

// Moves the entry at `from` to the place of the entry it is dropped on (`onto`), or to the end
// when it is dropped below the last entry; the entries between shift by one towards `from`.
// Gives the moved entry's new position. The list is never re-sorted.
std::size_t moveImage(std::vector<std::string>& names, std::size_t from,
                      std::optional<std::size_t> onto);

}  // namespace pixmosa
