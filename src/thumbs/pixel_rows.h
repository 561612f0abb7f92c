#pragma once

#include <cstdint>
#include <vector>

namespace pixmosa {

// Copies the pixels at `columns` of a decoded row into `target` as RGB, three bytes a pixel.
// The row holds RGB (three bytes a pixel) or CMYK (four), the latter as ink over white and,
// where `invertedCmyk` says so, with every channel inverted as Adobe writes it.
void sampleRow(const unsigned char* sourceRow, int bytesPerPixel, bool invertedCmyk,
               const std::vector<std::uint32_t>& columns, unsigned char* target);

}  // namespace pixmosa
