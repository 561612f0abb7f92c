#include "thumbs/preview_decode.h"

#include <numeric>
#include <vector>

#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_source.h"
#include "thumbs/orientation.h"
#include "thumbs/pixel_rows.h"
#include "thumbs/thumbnail_maker.h"

namespace pixmosa {

namespace {

// Ample for the reduced decode of a photo; a progressive one keeps the coefficients of its
// whole frame whatever the scale, so a very large one (beyond about 250 megapixels) is refused.
constexpr std::uint64_t kPreviewMemory = std::uint64_t{768} << 20;

unsigned scaleDenominator(std::uint32_t width, std::uint32_t height, std::uint32_t boxWidth,
                          std::uint32_t boxHeight)
{
    unsigned denominator = 1;
    while (denominator < 8 && (width / (denominator * 2)) >= boxWidth &&
           (height / (denominator * 2)) >= boxHeight) {
        denominator *= 2;
    }
    return denominator;
}

}  // namespace

Result<Raster> decodePreview(const std::string& path, std::uint32_t boxWidth,
                             std::uint32_t boxHeight, const std::atomic<bool>* stop)
{
    Result<ImageFile> file = openImageFile(path);
    if (!file) {
        return file.status();
    }
    JpegDecoder decoder(file->get());
    decoder.stopWhenSet(stop);
    const auto failed = [&decoder, &path] {
        return Result<Raster>::failure(
            jpegErrorMessage(decoder.errorCode(), decoder.errorText(), path));
    };
    if (!decoder.readHeader()) {
        return failed();
    }
    if (static_cast<std::uint64_t>(decoder.width()) * decoder.height() > kMaxImagePixels) {
        return Result<Raster>::failure("The image " + path + " is too large for a preview");
    }
    decoder.limitMemory(kPreviewMemory);
    if (!decoder.start(scaleDenominator(decoder.width(), decoder.height(), boxWidth, boxHeight))) {
        return failed();
    }
    Raster raster;
    raster.width = decoder.outputWidth();
    raster.height = decoder.outputHeight();
    raster.pixels.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
    std::vector<std::uint32_t> columns(raster.width);
    std::iota(columns.begin(), columns.end(), 0u);
    std::vector<unsigned char> row(static_cast<std::size_t>(raster.width) *
                                   static_cast<std::size_t>(decoder.bytesPerPixel()));
    const std::size_t stride = static_cast<std::size_t>(raster.width) * 3;
    for (std::uint32_t y = 0; y < raster.height; ++y) {
        if (!decoder.readRow(row.data())) {
            return failed();
        }
        sampleRow(row.data(), decoder.bytesPerPixel(), decoder.invertedCmyk(), columns,
                  raster.pixels.data() + y * stride);
    }
    if (!decoder.finish()) {
        return failed();
    }
    return turnUpright(std::move(raster), decoder.orientation());
}

}  // namespace pixmosa
