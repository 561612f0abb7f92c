#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "common/result.h"
#include "thumbs/raster.h"

namespace pixmosa {

// A photo decoded small for a preview box of `boxWidth` x `boxHeight` pixels, the sides
// counted as the photo is stored: the DCT reduces each side to 1/2, 1/4 or 1/8, as far as the
// result stays at least as large as the box, so a 20-megapixel photo costs a small part of its
// full decode. Turned upright as its EXIF orientation says. A photo that would need more memory
// than a preview may take is refused, as a damaged one is. Once `stop` (when given) is set, the
// decode ends at its next row or scan and fails.
Result<Raster> decodePreview(const std::string& path, std::uint32_t boxWidth,
                             std::uint32_t boxHeight, const std::atomic<bool>* stop = nullptr);

}  // namespace pixmosa
