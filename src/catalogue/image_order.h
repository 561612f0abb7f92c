#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pixmosa {

// Ascending by the user's locale collation without regard to letter case, so img10.jpg comes
// before img2.jpg and Apple.jpg before banana.jpg. Names that compare equal keep their order.
void sortImageNames(std::vector<std::string>& names);

// Moves the entry at `from` to the place of the entry it is dropped on (`onto`), or to the end
// when it is dropped below the last entry; the entries between shift by one towards `from`.
// Gives the moved entry's new position. The list is never re-sorted.
std::size_t moveImage(std::vector<std::string>& names, std::size_t from,
                      std::optional<std::size_t> onto);

}  // namespace pixmosa
