// A JPEG header of arbitrary bytes: its size and EXIF orientation are read or refused, never
// more.
#include "fuzz/fuzz_files.h"
#include "thumbs/jpeg_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pixmosa;
    const Result<JpegFrame> frame = readJpegFrame(fuzz::scratchFile("header.jpg", data, size));
    if (frame) {
        const auto orientation = static_cast<int>(frame->orientation);
        fuzz::check(orientation >= 1 && orientation <= 8, "the orientation is one of the eight");
    }
    return 0;
}
