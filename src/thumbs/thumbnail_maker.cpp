#include "thumbs/thumbnail_maker.h"

#include <algorithm>
#include <optional>

#include "common/rounding.h"
#include "common/text.h"
#include "platform/file_system.h"
#include "thumbs/jpeg_decoder.h"
#include "thumbs/jpeg_encoder.h"
#include "thumbs/jpeg_source.h"
#include "thumbs/pixel_rows.h"

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

// The colour space an ICC profile's header names for the data it describes.
bool describesRgb(const std::vector<unsigned char>& profile)
{
    constexpr std::size_t kColourSpaceField = 16;
    return profile.size() >= kColourSpaceField + 4 &&
           std::equal(profile.begin() + kColourSpaceField, profile.begin() + kColourSpaceField + 4,
                      "RGB ");
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
    std::optional<MemoryBudget::Reservation> reservation;
    if (budget != nullptr) {
        // The reckoning from the header leaves room for what it does not count; the decoder
        // may use what is reserved for it and no more, so together they stay within the budget.
        const std::uint64_t estimate = decoder.memoryNeeded();
        const std::uint64_t needed = estimate + estimate / 4 + (std::uint64_t{8} << 20);
        if (needed > budget->capacity()) {
            return Result<Raster>::failure(overBudgetMessage(source, needed, budget->capacity()));
        }
        decoder.limitMemory(needed);
        reservation.emplace(*budget, needed);
    }

    const double factor = static_cast<double>(std::max(width, height)) / size;
    Raster raster;
    raster.width = static_cast<std::uint32_t>(roundHalfEven(width / factor));
    raster.height = static_cast<std::uint32_t>(roundHalfEven(height / factor));
    raster.pixels.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
    const std::vector<std::uint32_t> columns = samplePositions(raster.width, factor, width);
    const std::vector<std::uint32_t> rows = samplePositions(raster.height, factor, height);

    if (!decoder.start()) {
        return failed();
    }
    // Only the sampled rows are turned into pixels, one at a time; the rows between them are
    // skipped. The last row is always read, so damage after the last sampled row shows as it
    // does when every row is read.
    const int bytesPerPixel = decoder.bytesPerPixel();
    std::vector<unsigned char> sourceRow(static_cast<std::size_t>(width) * bytesPerPixel);
    const std::size_t targetStride = static_cast<std::size_t>(raster.width) * 3;
    // The library skips correctly only whole groups of rows from a group's start, so the rows
    // before the next group start, and those after the last whole group, are read instead.
    const std::uint32_t group = std::max<std::uint32_t>(decoder.rowGroupHeight(), 1);
    std::uint32_t nextRow = 0;  // the row the decoder gives next
    const auto readRow = [&](std::uint32_t row) {
        while (nextRow < row && nextRow % group != 0) {
            if (!decoder.readRow(sourceRow.data())) {
                return false;
            }
            ++nextRow;
        }
        const std::uint32_t skipped = (row - nextRow) / group * group;
        if (skipped > 0 && !decoder.skipRows(skipped)) {
            return false;
        }
        for (nextRow += skipped; nextRow < row; ++nextRow) {
            if (!decoder.readRow(sourceRow.data())) {
                return false;
            }
        }
        nextRow = row + 1;
        return decoder.readRow(sourceRow.data());
    };
    for (std::uint32_t targetRow = 0; targetRow < raster.height; ++targetRow) {
        const std::uint32_t row = rows[targetRow];
        if (row + 1 != nextRow && !readRow(row)) {
            return failed();
        }
        sampleRow(sourceRow.data(), bytesPerPixel, decoder.invertedCmyk(), columns,
                  raster.pixels.data() + targetRow * targetStride);
    }
    if (nextRow < height && !readRow(height - 1)) {
        return failed();
    }
    if (!decoder.finish()) {
        return failed();
    }
    if (context.warning != nullptr && !decoder.warningText().empty()) {
        *context.warning = jpegWarningMessage(source, decoder.warningText());
    }
    // The profile says how to read the photo's RGB values, which the thumbnail copies; one
    // for other colours (grey, CMYK), which the thumbnail has turned to RGB, would misread them.
    if (bytesPerPixel == 3 && decoder.sourceComponents() == 3 &&
        describesRgb(decoder.colourProfile())) {
        raster.colourProfile = decoder.colourProfile();
    }
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
    return writeThumbnail(destination, *content);
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

Status writeThumbnail(const std::string& destination, std::string_view content)
{
    if (Status written = writeFileAtomically(destination, content, ExistingFile::Replace);
        !written) {
        return Status::failure("Cannot create file " + written.message());
    }
    return Status::success();
}

}  // namespace pixmosa
