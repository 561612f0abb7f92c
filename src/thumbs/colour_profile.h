#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "thumbs/jpeg_decoder.h"

namespace pixmosa {

// Turns CMYK pixels into sRGB through the photo's own CMYK profile (its colorimetric table).
class CmykConversion {
public:
    virtual ~CmykConversion() = default;
    // `cmyk` as the decoder gives it, four bytes a pixel; `rgb` three.
    virtual void convert(const unsigned char* cmyk, unsigned char* rgb,
                         std::size_t pixels) const = 0;
};

// How a thumbnail keeps its photo's colours, by the photo's ICC profile:
// - an RGB photo's profile is embedded as it is;
// - a grey photo's (the thumbnail's pixels stay grey, R = G = B) becomes an RGB profile with the
//   same tone curve and white point, so colour-managed viewers show it as they show the photo;
// - a CMYK photo's converts the pixels to sRGB, which needs no profile;
// - a photo without a profile, or with one of another kind, gives what it always gave.
// A profile that cannot be had (damaged, larger than kMostProfileBytes, spread over more than
// 255 segments) or read is left out, and `leftOut` says why.
struct ThumbnailColours {
    std::vector<unsigned char> profile;
    std::unique_ptr<CmykConversion> fromCmyk;
    std::string leftOut;
};
ThumbnailColours thumbnailColours(const JpegDecoder& header);

// "The colour profile of PATH was left out: " and the reason.
std::string profileLeftOutMessage(const std::string& path, const std::string& reason);

}  // namespace pixmosa
