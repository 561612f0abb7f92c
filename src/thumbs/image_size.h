#pragma once

#include <cstdint>

namespace pixmosa {

struct ImageSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

}  // namespace pixmosa
