#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pixmosa {

struct PagesRequired {
    std::int64_t pageCount = 0;
    // Shown to the user when rows x columns is zero, which a field can hold while it is typed.
    std::optional<std::string_view> message;
};

// The number of gallery pages: the images divided by rows x columns, rounded up.
PagesRequired computePagesRequired(std::size_t images, std::int64_t rows, std::int64_t cols);

// "Images:" + images + "  Pages:" + pages, as the list shows it.
std::string pagesRequiredText(std::size_t images, std::int64_t pageCount);

}  // namespace pixmosa
