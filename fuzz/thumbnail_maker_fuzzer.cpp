// A photograph of arbitrary bytes: its thumbnail is made or refused with a message, within a
// memory budget, the same whether only its sampled rows are decoded or all of them, and a
// thumbnail made is a JPEG again.
#include "fuzz/fuzz_files.h"
#include "thumbs/jpeg_header.h"
#include "thumbs/memory_budget.h"
#include "thumbs/thumbnail_maker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pixmosa;
    static MemoryBudget budget(std::uint64_t{256} << 20);
    const std::uint32_t thumbSize = size > 0 ? 1 + data[0] % 64 : 10;
    const std::string& source = fuzz::scratchFile("photo.jpg", data, size);
    const Result<std::string> thumbnail = renderThumbnail(source, thumbSize, {&budget});
    // Decoding only the rows of MCUs that are sampled gives what decoding every row gives.
    RenderContext everyRow{&budget};
    everyRow.everyRow = true;
    const Result<std::string> whole = renderThumbnail(source, thumbSize, everyRow);
    fuzz::check(thumbnail.ok() == whole.ok() &&
                    (thumbnail ? *thumbnail == *whole : thumbnail.message() == whole.message()),
                "cutting a photo to its sampled rows changes nothing");
    if (thumbnail) {
        if (!thumbnail->empty()) {
            const std::string& made = fuzz::scratchFile(
                "thumb.jpg", reinterpret_cast<const std::uint8_t*>(thumbnail->data()),
                thumbnail->size());
            const Result<JpegFrame> frame = readJpegFrame(made);
            fuzz::check(
                frame.ok() && std::max(frame->stored.width, frame->stored.height) == thumbSize,
                "a thumbnail is a JPEG whose longer side is the size");
        }
    } else {
        fuzz::check(!thumbnail.message().empty(), "a refusal says why");
    }
    return 0;
}
