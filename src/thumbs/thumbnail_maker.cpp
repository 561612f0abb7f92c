#include "thumbs/thumbnail_maker.h"

#include <algorithm>
#include <optional>

#include "common/rounding.h"
#include "common/text.h"
#include "platform/file_system.h"
#include "thumbs/colour_profile.h"
#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_encoder.h"
#include "thumbs/jpeg_source.h"
#include "thumbs/restart_layout.h"
#include "thumbs/row_reading.h"

namespace pixmosa {

namespace {

// The source position of every target position, kept inside the source.
std::vector<std::uint32_t> samplePositions(std::uint32_t targetLength, double factor,
                                           std::uint32_t sourceLength)
{
    std::vector<std::uint32_t> positions(targetLength);
    for (std::uint32_t t = 0; t < targetLength; ++t) {
        const std::int64_t position = roundHalfEven(t * factor);
        positions[t] = static_cast<std::uint32_t>(
            std::clamp<std::int64_t>(position, 0, static_cast<std::int64_t>(sourceLength) - 1));
    }
    return positions;
}

// A baseline photo with restart markers, which findRestartLayout then looks at closely.
bool mayCutToRows(const JpegDecoder& header)
{
    return header.restartInterval() > 0 && !header.isProgressive();
}

// Decodes only the rows of MCUs that hold a sampled row, where the photo's restart intervals
// allow it, and samples them into the raster; false when that does not apply or cannot be
// trusted, and the whole photo is then decoded: a photo whose intervals do not add up, whose
// frame is not the one the header gave (the file changed while it was read), one whose sampled
// rows fill most of its rows anyway, and one whose cut decodes with any damage, so that what the
// whole decode says of the damage is said. Every byte comes from the file the header was read
// from, read once through a small window. A decode limit of 0 is none.
bool sampleFromIntervals(const ImageFile& file, const JpegDecoder& header,
                         const std::vector<std::uint32_t>& rows,
                         const std::vector<std::uint32_t>& columns, const RenderContext& context,
                         std::uint64_t memoryLimit, const CmykConversion* fromCmyk, Raster& raster)
{
    const PhotoBytes photo{[&file](std::uint64_t offset, std::span<unsigned char> into) {
        return readFileAt(file.get(), offset, into);
    }};
    std::vector<unsigned char> ownBuffer;
    PhotoWindow window(photo, context.readWindow != nullptr ? *context.readWindow : ownBuffer);
    const std::optional<RestartLayout> layout = findRestartLayout(window);
    if (!layout || layout->width != header.width() || layout->height != header.height()) {
        return false;
    }
    std::vector<std::uint32_t> pixelRows(rows);
    pixelRows.erase(std::unique(pixelRows.begin(), pixelRows.end()), pixelRows.end());
    const std::vector<std::uint32_t> needed = mcuRowsFor(*layout, pixelRows);
    if (needed.size() * 10 > std::size_t{layout->mcuRows} * 9) {
        return false;
    }
    RowCut cut(window, *layout, needed);
    std::vector<std::uint32_t> placeOf(layout->mcuRows, 0);
    for (std::size_t i = 0; i < cut.mcuRows().size(); ++i) {
        placeOf[cut.mcuRows()[i]] = static_cast<std::uint32_t>(i);
    }
    std::vector<std::uint32_t> cutRows;
    cutRows.reserve(rows.size());
    for (const std::uint32_t row : rows) {
        cutRows.push_back(placeOf[row / layout->mcuHeight] * layout->mcuHeight +
                          row % layout->mcuHeight);
    }
    JpegDecoder decoder(cut);
    decoder.stopWhenSet(context.stop);
    if (memoryLimit > 0) {
        decoder.limitMemory(memoryLimit);
    }
    const bool decoded = decoder.readHeader() && decoder.start() &&
                         readSampledRows(decoder, cutRows, columns, raster, fromCmyk) &&
                         decoder.warningText().empty() && cut.readToEnd();
    if (context.bytesDecoded != nullptr) {
        *context.bytesDecoded += cut.bytesGiven();
    }
    return decoded;
}

// An empty source has a size of 0 x 0, so its scale factor would divide by zero.
constexpr std::string_view kEmptySourceMessage = "Invalid floating point operation";

std::string tooLargeMessage(const std::string& path, std::uint32_t width, std::uint32_t height)
{
    return "The image " + path + " has " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, more than the " + std::to_string(kMaxImagePixels / 1'000'000) +
           " megapixels a thumbnail is made from";
}

std::string overBudgetMessage(const std::string& path, std::uint64_t needed, std::uint64_t limit)
{
    const auto mebibytes = [](std::uint64_t bytes) {
        return std::to_string((bytes + (1 << 20) - 1) >> 20);
    };
    return "The image " + path + " needs " + mebibytes(needed) +
           " MiB to be decoded, more than the memory limit of " + mebibytes(limit) + " MiB";
}

}  // namespace

Result<Raster> sampleThumbnail(const std::string& source, std::uint32_t size,
                               const RenderContext& context)
{
    MemoryBudget* budget = context.budget;
    Result<ImageFile> file = openImageFile(source);
    if (!file) {
        return file.status();
    }
    if (file->size() == 0) {
        return Result<Raster>::failure(std::string(kEmptySourceMessage) + " in " + source +
                                       ": the file is empty");
    }
    JpegDecoder decoder(file->get());
    decoder.stopWhenSet(context.stop);
    const auto failed = [&decoder, &source] {
        return Result<Raster>::failure(
            jpegErrorMessage(decoder.errorCode(), decoder.errorText(), source));
    };
    if (!decoder.readHeader()) {
        return failed();
    }
    const std::uint32_t width = decoder.width();
    const std::uint32_t height = decoder.height();
    if (static_cast<std::uint64_t>(width) * height > kMaxImagePixels) {
        return Result<Raster>::failure(tooLargeMessage(source, width, height));
    }
    // A photo that may be cut to its sampled rows is read through a small window for that.
    const bool mayCut = !context.everyRow && mayCutToRows(decoder);
    std::optional<MemoryBudget::Reservation> reservation;
    std::uint64_t memoryLimit = 0;
    if (budget != nullptr) {
        // The reckoning from the header leaves room for what it does not count; the decoder
        // may use what is reserved for it and no more, so together they stay within the budget.
        const std::uint64_t estimate = decoder.memoryNeeded();
        const std::uint64_t needed = estimate + estimate / 4 + (std::uint64_t{8} << 20);
        if (needed > budget->capacity()) {
            return Result<Raster>::failure(overBudgetMessage(source, needed, budget->capacity()));
        }
        decoder.limitMemory(needed);
        memoryLimit = needed;
        reservation.emplace(*budget, needed);
    }

    const double factor = static_cast<double>(std::max(width, height)) / size;
    Raster raster;
    raster.width = static_cast<std::uint32_t>(roundHalfEven(width / factor));
    raster.height = static_cast<std::uint32_t>(roundHalfEven(height / factor));
    raster.pixels.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
    const std::vector<std::uint32_t> columns = samplePositions(raster.width, factor, width);
    const std::vector<std::uint32_t> rows = samplePositions(raster.height, factor, height);

    ThumbnailColours colours = thumbnailColours(decoder);
    const CmykConversion* fromCmyk = colours.fromCmyk.get();
    const bool fromIntervals = mayCut && sampleFromIntervals(*file, decoder, rows, columns, context,
                                                             memoryLimit, fromCmyk, raster);
    if (!fromIntervals) {
        if (context.bytesDecoded != nullptr) {
            *context.bytesDecoded += file->size();
        }
        if (!decoder.start() || !readSampledRows(decoder, rows, columns, raster, fromCmyk)) {
            return failed();
        }
    }
    if (context.warning != nullptr) {
        // Damage and a profile left out are told each on a line of its own.
        std::string& warning = *context.warning;
        if (!decoder.warningText().empty()) {
            warning = jpegWarningMessage(source, decoder.warningText());
        }
        if (!colours.leftOut.empty()) {
            if (!warning.empty()) {
                warning += '\n';
            }
            warning += profileLeftOutMessage(source, colours.leftOut);
        }
    }
    raster.colourProfile = std::move(colours.profile);
    return turnUpright(std::move(raster), decoder.orientation());
}

bool isThumbnailSource(std::string_view path)
{
    const auto endsWith = [path](std::string_view extension) {
        return path.size() >= extension.size() &&
               asciiLower(path.substr(path.size() - extension.size())) == extension;
    };
    return endsWith(".jpg") || endsWith(".jpeg");
}

Status MakeThumbnail(const std::string& source, const std::string& destination, std::uint32_t size)
{
    if (!isThumbnailSource(source)) {
        return Status::success();
    }
    const Result<std::string> content = renderThumbnail(source, size);
    if (!content) {
        return content.status();
    }
    FileRewriter files = thumbnailWriter();
    return writeThumbnail(files, destination, *content);
}

Result<std::string> renderThumbnail(const std::string& source, std::uint32_t size,
                                    const RenderContext& context)
{
    const Result<Raster> raster = sampleThumbnail(source, size, context);
    if (!raster) {
        return raster.status();
    }
    if (raster->width == 0 || raster->height == 0) {
        return std::string();
    }
    return encodeThumbnailJpeg(raster->width, raster->height, raster->pixels.data(),
                               raster->colourProfile);
}

FileRewriter thumbnailWriter(ProtectedFiles images)
{
    return FileRewriter(FileRewriter::SameContent::Rewrite, Durability::Flush, std::move(images));
}

Status writeThumbnail(FileRewriter& files, const std::string& destination, std::string_view content)
{
    if (Status written = files.write(destination, content); !written) {
        return Status::failure(cannotCreateFileMessage(written.message()), written.kind());
    }
    return Status::success();
}

}  // namespace pixmosa
