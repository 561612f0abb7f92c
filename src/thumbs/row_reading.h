#pragma once

#include <cstdint>
#include <vector>

#include "thumbs/colour_profile.h"
#include "thumbs/jpeg_decoder.h"
#include "thumbs/raster.h"

namespace pixmosa {

// Fills each row of the raster from the decoder's row rows[target], taking the pixels at
// `columns`: only those rows are turned into pixels, one at a time, and the rows between them
// are skipped; the rows after the last are read too, so damage there shows as it does when
// every row is read. The decoder is started and is finished here. False when the decoder
// fails or is stopped. CMYK pixels go through `fromCmyk` where given, ink over white otherwise.
bool readSampledRows(JpegDecoder& decoder, const std::vector<std::uint32_t>& rows,
                     const std::vector<std::uint32_t>& columns, Raster& raster,
                     const CmykConversion* fromCmyk = nullptr);

}  // namespace pixmosa
