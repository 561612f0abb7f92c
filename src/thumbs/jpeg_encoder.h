#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/result.h"

namespace pixmosa {

// Encodes an RGB raster (three bytes a pixel, rows top to bottom) as a progressive JPEG: the
// library's defaults, quality 75 with baseline-compatible tables, then its simple progressive
// scan script; an ICC profile, when given, follows the JFIF marker in APP2 segments as the
// library writes them. The same raster and profile always give the same bytes.
Result<std::string> encodeThumbnailJpeg(std::uint32_t width, std::uint32_t height,
                                        const unsigned char* pixels,
                                        std::span<const unsigned char> colourProfile = {});

}  // namespace pixmosa
