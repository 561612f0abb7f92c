#pragma once

#include <cstdint>
#include <vector>

namespace pixmosa {

struct Raster {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<unsigned char> pixels;  // RGB, three bytes a pixel, rows top to bottom
    // The ICC profile that says which colours the RGB values are; empty for sRGB as assumed.
    std::vector<unsigned char> colourProfile = {};
};

}  // namespace pixmosa
