#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"

namespace pixmosa {

struct ImageSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// The width and height in a JPEG file's frame header, without decoding the image.
Result<ImageSize> readJpegSize(const std::string& path);

}  // namespace pixmosa
