#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"

namespace pixmosa {

// Encodes an RGB raster (three bytes a pixel, rows top to bottom) as a progressive JPEG: the
// library's defaults, quality 75 with baseline-compatible tables, then its simple progressive
// scan script. The same raster always gives the same bytes.
Result<std::string> encodeThumbnailJpeg(std::uint32_t width, std::uint32_t height,
                                        const unsigned char* pixels);

}  // namespace pixmosa
