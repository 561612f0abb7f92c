#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/file_system.h"
#include "thumbs/memory_budget.h"
#include "thumbs/raster.h"

namespace pixmosa {

// Images larger than this are refused before anything is allocated for them, so a small file
// that claims an enormous size cannot exhaust the memory. A 30000 x 20000 panorama is well
// inside it.
inline constexpr std::uint64_t kMaxImagePixels = 1'000'000'000;

// The thumbnail's pixels: the longer side becomes `size`, the shorter keeps the proportions
// (both rounded half to even), and each pixel takes the colour of the source pixel nearest to
// its scaled position (rounded likewise; a position one past the last source pixel, which an
// enlarged image can reach, takes the last pixel). Only the sampled rows are turned into
// pixels, one at a time, and the rows between them are skipped, so memory does not grow with
// the image and most of the decoding work is saved. The sides are taken from the stored
// pixels; the sampled raster is then turned upright as the photo's EXIF orientation says.
//
// With a budget, the decoder's memory is reserved in it first (waiting while other workers hold
// too much), and an image that alone needs more than the whole budget is refused by name.
// Damage the decoder read past is told in `warning` (when given), and the raster holds what
// could be read. A `stop` flag that is set ends the decode early with an error.
//
// A photo with a restart marker at every row of MCUs (or every few, or every equal part of a
// row) has only the rows of MCUs that hold a sampled row decoded, with the same pixels; with
// `everyRow` every photo is decoded whole, as a reference.
struct RenderContext {
    MemoryBudget* budget = nullptr;
    std::string* warning = nullptr;
    const std::atomic<bool>* stop = nullptr;
    // The buffer a photo is read through where it is read in parts; one of its own if none.
    std::vector<unsigned char>* readWindow = nullptr;
    bool everyRow = false;
    // Where given, the bytes of the photo its decoders were given are added to it.
    std::uint64_t* bytesDecoded = nullptr;
};
Result<Raster> sampleThumbnail(const std::string& source, std::uint32_t size,
                               const RenderContext& context = {});

// Makes the thumbnail of a ".jpg" or ".jpeg" source (any letter case; other names are skipped
// without a word) and writes it whole or not at all. A thumbnail with no pixels, such as one
// of a 1000 x 4 image at size 100, is an empty file.
Status MakeThumbnail(const std::string& source, const std::string& destination, std::uint32_t size);

// The two halves of MakeThumbnail, so that a command can make thumbnails ahead and write them
// in list order: the file's bytes (empty for a thumbnail without pixels), and their writing.
bool isThumbnailSource(std::string_view path);
Result<std::string> renderThumbnail(const std::string& source, std::uint32_t size,
                                    const RenderContext& context = {});
// How thumbnails are written: each remade whole and flushed, never in a symbolic link's place
// nor in place of one of `images` (the run's photos).
FileRewriter thumbnailWriter(ProtectedFiles images = {});
Status writeThumbnail(FileRewriter& files, const std::string& destination,
                      std::string_view content);

}  // namespace pixmosa
